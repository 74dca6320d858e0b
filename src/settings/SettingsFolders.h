#pragma once
// What start-up prepares on disk before the settings are read: the program's
// folders, the settings folder (private to the user) with the files that must
// exist in it, the one-time copy of an older settings folder, the user's lock
// file, and the Pick transfer file.
//
// The settings folder holds:
//   "defaults"         settings of new sessions; absent until one is placed or copied there
//   "Fkeydefaults"     the default function keys; absent until they are first saved
//   "KorvaneSettings"  the settings document under the reserved name
//   "Page Setup"       the page set-up of printing
//   "Quickdial"        the QuickDial number; created empty when missing
//   "RECORDER"         the recorder's capture file
//   "TempSettingsKV n" each session window's own settings
// The lock file "Lock KV Prefs" (or "Lock KV Prefs.txt") lies in the user's
// Preferences folder itself ($XDG_CONFIG_HOME), beside the settings folder: an
// administrator places it there to freeze the user's settings.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Alerts.h"
#include "platform/Files.h"
#include "settings/ColonPaths.h"

namespace korvane {

inline constexpr const char* kQuickDialFileName = "Quickdial";
inline constexpr const char* kPageSetupFileName = "Page Setup";
inline constexpr const char* kLockFileName = "Lock KV Prefs";
inline constexpr const char* kLockFileTextName = "Lock KV Prefs.txt";
inline constexpr const char* kLockFileRtfName = "Lock KV Prefs.rtf";

// The folders start-up works on, as POSIX paths without a final "/"; an empty
// one is left alone.
struct SettingsFolderPaths {
  std::string settingsFolder;     // $XDG_CONFIG_HOME/korvane
  std::string preferencesFolder;  // $XDG_CONFIG_HOME: the lock file and the old settings folder
  std::string programFolder;      // $XDG_DATA_HOME/korvane
  std::string kermitFolder;       // $XDG_DATA_HOME/korvane/kermit
  std::string documentsFolder;    // the user's Documents folder: "pick/ft.txt"
  std::string homeFolder;         // where a Mac's Library folder may have been copied to

  static SettingsFolderPaths From(const FolderMap& folders);
  // The same paths from the folders the program is started with: the settings
  // folder (its parent is the Preferences folder), the kermit folder (its
  // parent is the program's folder), the home folder and the Documents folder.
  static SettingsFolderPaths FromProgramFolders(const std::string& settingsFolder, const std::string& kermitFolder,
                                                const std::string& homeFolder, const std::string& documentsFolder);

  // Older settings folders whose files are copied into an empty settings
  // folder, first found first: the old layout inside the Preferences folder,
  // and a Mac's settings folder copied with its Library folder into the home
  // folder (the current layout, then the old one).
  std::vector<std::string> OlderSettingsFolders() const;
};

// What start-up found.
struct SettingsFolders {
  // The settings folder, ending in "/".
  std::string PrefsPath;
  // A lock file was found: the settings commands open it instead of their
  // dialogs.
  int8_t PrefsLocked = 0;
  // "Lock KV Prefs" or "Lock KV Prefs.txt"; empty when there is none.
  std::string LockFileName;
  // The lock file's path; empty when there is none.
  std::string LockFilePath;
  // The older settings folder copied at this start, the names copied from it
  // and those that could not be copied (they are tried again next time).
  std::string MigratedFrom;
  std::vector<std::string> Migrated;
  std::vector<std::string> NotMigrated;
};

// Prepares the folders and files, copies an older settings folder when the
// settings folder holds no "defaults", and looks for the lock file. A
// settings folder that cannot be made or written, and files that could not be
// copied, are reported in a stop alert; nothing that exists is ever
// overwritten or truncated.
SettingsFolders PrepareSettingsFolders(const SettingsFolderPaths& paths, platform::Files& files,
                                       platform::Alerts& alerts);

// The copy of an older settings folder: "Fkeydefaults", "KorvaneSettings",
// "Page Setup", "Quickdial" and, last, "defaults", each only when it is in
// the older folder and not in the settings folder. "defaults" marks the copy
// as done, so it is copied only after all the others have been, and a copy
// that failed part-way is taken up again at the next start.
void SetupPrefsFolder(const std::string& olderFolder, const std::string& settingsFolder, platform::Files& files,
                      SettingsFolders& found);

// Looks for the lock file in the Preferences folder: "Lock KV Prefs", else
// "Lock KV Prefs.txt". A "Lock KV Prefs.rtf" is refused with a note (the lock
// must be a plain text file) and does not lock the settings.
void FindLockFile(const std::string& preferencesFolder, platform::Files& files, platform::Alerts& alerts,
                  SettingsFolders& found);

}  // namespace korvane
