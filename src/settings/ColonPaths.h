#pragma once
// Colon paths: the way hosts, scripts and settings files written for the Mac
// name files ("Disk:Users:ann:Documents:pick:ft.txt"), the cuts and
// derivations the program makes on them, and the one translation between
// them and the POSIX paths of this system.
//
// A colon path is the volume name, then each folder name, each followed by
// ":", then the item's name; a folder's path may or may not end with ":". A
// path that starts with ":" (or holds no ":" at all) is relative to a folder
// the caller names. Colon paths are at most 255 characters long; joining two
// keeps the first 255 characters. Texts here are UTF-8, and lengths count
// characters (a byte that is not UTF-8 counts as one).
//
// The Mac's folders stand for the user's folders here (FolderMap): the
// settings folder is $XDG_CONFIG_HOME/korvane, the program's own folder
// $XDG_DATA_HOME/korvane, the Preferences folder $XDG_CONFIG_HOME, Desktop and
// Documents the user's XDG folders, the home folder $HOME; any volume name
// stands for the root of the file system. A "/" inside a colon path's name is
// a ":" in the POSIX name and the other way round, so every name survives the
// trip both ways.

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/Alerts.h"

namespace korvane {

inline constexpr std::size_t kMaxColonPathLength = 255;
// A path made from a folder and a name is one shorter: the walk that builds it
// refuses a path of 255 characters like a longer one.
inline constexpr std::size_t kMaxBuiltPathLength = 254;

// ---- Text ---------------------------------------------------------------------------------

// The number of characters of a UTF-8 text.
std::size_t TextLength(std::string_view text);
// The first `count` characters of a text.
std::string FirstCharacters(std::string_view text, std::size_t count);
// `a` followed by `b`, kept to its first 255 characters.
std::string JoinText(std::string_view a, std::string_view b);

// ---- Cutting a colon path at its last colon ------------------------------------------------

// The path up to and including its last ":" after the first character:
// "Disk:Users:ann:notes" gives "Disk:Users:ann:". Without such a colon
// ("notes", ":notes", "") there is no folder part: "".
std::string FolderPartOfPath(std::string_view path);
// The path before its last ":" (at any position), without it: "Disk:" gives
// "Disk"; "" when there is none.
std::string ParentFolderPath(std::string_view path);
// The text after the last ":" after the first character ("" when the path
// ends with ":"); the whole path when there is none.
std::string LastPathComponent(std::string_view path);

// ---- Folders derived from the Preferences folder's path --------------------------------------
// The Preferences folder's path comes without its final colon
// ("Disk:Users:ann:Library:Preferences").

// The user's Library folder with a final colon: "Disk:Users:ann:Library:".
std::string PreferencesVolume(std::string_view preferencesFolderPath);
// The user's short name: the third component of the Library folder's path
// ("ann"); "" when it has none.
std::string UserNameFromPrefs(std::string_view preferencesVolume);
// The home folder: the Library folder's path up to its third colon
// ("Disk:Users:ann:"); with fewer colons up to its first; "" without one.
std::string HomeFolderPath(std::string_view preferencesFolderPath);
// The user's Fonts folder: "Disk:Users:ann:Library:Fonts:".
std::string UserFontsFolder(std::string_view preferencesFolderPath);

// ---- The user's folders ------------------------------------------------------------------------

// The POSIX folders the Mac's folders stand for. Every folder is an absolute
// path without a final "/"; an empty one stands for nothing.
struct FolderMap {
  // The name every colon path made here starts with (the start-up volume).
  std::string volume = "Disk";
  // The user's short name: the login name.
  std::string user;
  std::string home;        // $HOME
  std::string configHome;  // $XDG_CONFIG_HOME: the Preferences folder
  std::string dataHome;    // $XDG_DATA_HOME: the Application Support folder
  std::string desktop;     // the user's XDG desktop folder
  std::string documents;   // the user's XDG documents folder

  // The folders of the user running the program, from the environment, the
  // password database and the XDG user-dirs file.
  static FolderMap ForThisUser();

  // The settings folder ("Korvane Prefs"): $XDG_CONFIG_HOME/korvane.
  std::string SettingsFolder() const;
  // The program's own folder ("Application Support:Korvane"): $XDG_DATA_HOME/korvane.
  std::string ProgramFolder() const;
  // The folder of the kermit program: $XDG_DATA_HOME/korvane/kermit.
  std::string KermitFolder() const;
  // The colon path of the Preferences folder, without its final colon:
  // "Disk:Users:ann:Library:Preferences".
  std::string PreferencesFolderPath() const;
};

// ---- Colon paths and POSIX paths -----------------------------------------------------------------

enum class ColonPathError {
  None,
  Empty,         // no path at all
  TooLong,       // more than 255 characters
  BadCharacter,  // a control character (NUL included)
  EmptyName,     // "::" (the Mac's step up to the parent folder) or an empty name
  DotName,       // a name "." or "..", which are no plain names here
  Relative,      // a relative path, and no folder to take it in
  NotAbsolute,   // a POSIX path that does not start with "/"
};

// A short reason for a refusal, for the alert that reports it.
const char* ColonPathErrorText(ColonPathError error);

struct PathResult {
  std::string path;  // empty unless error is None
  ColonPathError error = ColonPathError::None;
  bool ok() const { return error == ColonPathError::None; }
};

// The POSIX path of a colon path. A relative colon path is taken inside
// `base` (a POSIX folder); without one it is refused. The path is not looked
// at on disk: confining it to a folder is the caller's next step.
PathResult ColonToPosix(std::string_view colonPath, const FolderMap& folders, std::string_view base = {});
// A path as a script names it, as a POSIX path: a colon path (one that holds
// a ":" and no "/": "Disk:Users:ann:Desktop:log") is translated as above; a
// POSIX path comes back as it is.
PathResult LocalPathOf(std::string_view path, const FolderMap& folders, std::string_view base = {});

// The colon path of an absolute POSIX path. A folder's path has no final
// colon, except the root's ("Disk:"). Refused when it would be longer than
// 255 characters.
PathResult PosixToColon(std::string_view posixPath, const FolderMap& folders);

// ---- Files by folder and name ------------------------------------------------------------------

// An item given by its folder and name, as the open and save dialogs give
// files; it may name an item that does not exist yet.
struct FileLocation {
  std::string folder;  // POSIX path of an existing folder
  std::string name;    // empty: the folder itself
};

// The colon path of a file given by folder and name: the folder's colon path, ":" and
// the name; with an empty name the folder's path ending with ":". "" when the
// folder does not exist. A path longer than 254 characters is refused with
// the stop alert "Path exceeds 255 characters." and gives "".
std::string ColonPathOf(const FileLocation& file, const FolderMap& folders, platform::Alerts& alerts);

// True when an item (file or folder, hidden or not) exists at the colon path.
bool IsFileVisible(std::string_view colonPath, const FolderMap& folders);

}  // namespace korvane
