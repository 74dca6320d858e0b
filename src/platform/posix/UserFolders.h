#pragma once
// The user's folders and login shell, as the environment and the password
// database give them. The connection code reads them once per session start.

#include <string>

namespace korvane::platform::posix {

// $HOME, else the home folder of the password database.
std::string HomeFolder();
// $XDG_DATA_HOME when it is an absolute path, else ~/.local/share.
std::string DataHome();
// The user's Documents folder: XDG_DOCUMENTS_DIR of the user-dirs file in
// $XDG_CONFIG_HOME (default ~/.config), else ~/Documents.
std::string DocumentsFolder();
// The user's desktop folder: XDG_DESKTOP_DIR of the same file, else ~/Desktop.
std::string DesktopFolder();
// The user's login shell from the password database, else $SHELL, else /bin/sh.
std::string LoginShell();

}  // namespace korvane::platform::posix
