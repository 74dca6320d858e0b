// The settings folder and the program's other folders at start-up.

#include "settings/SettingsFolders.h"

#include <cerrno>

#include "platform/CharMap.h"

namespace korvane {

namespace {

// Files of an older settings folder are settings, function keys, a dial
// string and a page set-up: anything larger is not one of them.
constexpr std::size_t kMaxCopiedFileBytes = 16 << 20;

// The names copied from an older settings folder, "defaults" last.
constexpr const char* kCopiedNames[] = {"Fkeydefaults", "KorvaneSettings", kPageSetupFileName, kQuickDialFileName,
                                        "defaults"};

std::string Trimmed(std::string folder) {
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

std::string ParentOf(const std::string& folder) {
  const std::string f = Trimmed(folder);
  const std::size_t slash = f.rfind('/');
  if (slash == std::string::npos || slash == 0) return {};
  return f.substr(0, slash);
}

std::string In(const std::string& folder, const std::string& name) { return folder + "/" + name; }

// Paths are UTF-8; alerts show the program's text.
std::string Shown(const std::string& path) { return platform::MacRomanFromUtf8(path); }

// Makes an empty file where none exists; an existing one is left as it is.
int CreateIfMissing(platform::Files& files, const std::string& path) {
  if (files.Exists(path)) return 0;
  return files.ReplaceFile(path, {});
}

}  // namespace

SettingsFolderPaths SettingsFolderPaths::From(const FolderMap& folders) {
  SettingsFolderPaths p;
  p.settingsFolder = folders.SettingsFolder();
  p.preferencesFolder = folders.configHome;
  p.programFolder = folders.ProgramFolder();
  p.kermitFolder = folders.KermitFolder();
  p.documentsFolder = folders.documents;
  p.homeFolder = folders.home;
  return p;
}

SettingsFolderPaths SettingsFolderPaths::FromProgramFolders(const std::string& settingsFolder,
                                                            const std::string& kermitFolder,
                                                            const std::string& homeFolder,
                                                            const std::string& documentsFolder) {
  SettingsFolderPaths p;
  p.settingsFolder = settingsFolder.empty() ? std::string() : Trimmed(settingsFolder);
  p.preferencesFolder = ParentOf(settingsFolder);
  p.kermitFolder = kermitFolder.empty() ? std::string() : Trimmed(kermitFolder);
  p.programFolder = ParentOf(kermitFolder);
  p.homeFolder = homeFolder == "/" || homeFolder.empty() ? std::string() : Trimmed(homeFolder);
  p.documentsFolder = documentsFolder.empty() ? std::string() : Trimmed(documentsFolder);
  return p;
}

std::vector<std::string> SettingsFolderPaths::OlderSettingsFolders() const {
  std::vector<std::string> older;
  if (!preferencesFolder.empty()) older.push_back(preferencesFolder + "/Tessamine Software Prefs/Korvane Prefs");
  if (!homeFolder.empty()) {
    older.push_back(homeFolder + "/Library/Application Support/Korvane/Korvane Prefs");
    older.push_back(homeFolder + "/Library/Preferences/Tessamine Software Prefs/Korvane Prefs");
  }
  // A folder is never its own older copy.
  std::erase(older, settingsFolder);
  return older;
}

void SetupPrefsFolder(const std::string& olderFolder, const std::string& settingsFolder, platform::Files& files,
                      SettingsFolders& found) {
  found.MigratedFrom = olderFolder;
  bool failed = false;
  for (const char* name : kCopiedNames) {
    const std::string from = In(olderFolder, name), to = In(settingsFolder, name);
    if (!files.Exists(from) || files.Exists(to)) continue;
    // Without everything else in place, "defaults" would mark a copy done
    // that is not.
    if (failed && std::string(name) == "defaults") {
      found.NotMigrated.push_back(std::string(name) + " (copied once the others are)");
      continue;
    }
    std::string bytes;
    int error = files.ReadFile(from, bytes, kMaxCopiedFileBytes);
    if (error == 0) error = files.ReplaceFile(to, bytes);
    if (error == 0) {
      found.Migrated.push_back(name);
    } else {
      failed = true;
      found.NotMigrated.push_back(std::string(name) + ": " + platform::FileErrorText(error));
    }
  }
}

void FindLockFile(const std::string& preferencesFolder, platform::Files& files, platform::Alerts& alerts,
                  SettingsFolders& found) {
  found.LockFileName.clear();
  found.LockFilePath.clear();
  found.PrefsLocked = 0;
  if (preferencesFolder.empty()) return;
  if (files.Exists(In(preferencesFolder, kLockFileName))) {
    found.LockFileName = kLockFileName;
  } else {
    if (files.Exists(In(preferencesFolder, kLockFileRtfName)))
      alerts.Show(platform::AlertKind::Note, 320, "Lock KV Prefs cannot be an RTF file.", "\r", "Must be a text file.",
                  "");
    if (files.Exists(In(preferencesFolder, kLockFileTextName))) found.LockFileName = kLockFileTextName;
  }
  if (!found.LockFileName.empty()) {
    found.PrefsLocked = 1;
    found.LockFilePath = In(preferencesFolder, found.LockFileName);
  }
}

SettingsFolders PrepareSettingsFolders(const SettingsFolderPaths& paths, platform::Files& files,
                                       platform::Alerts& alerts) {
  SettingsFolders found;
  // The Pick transfer file and the program's own folders: a folder that
  // cannot be made is reported by the operation that needs it.
  if (!paths.documentsFolder.empty()) {
    const std::string pick = In(paths.documentsFolder, "pick");
    if (!files.Exists(In(pick, "ft.txt")) && files.MakeFolders(pick) == 0) CreateIfMissing(files, In(pick, "ft.txt"));
  }
  if (!paths.programFolder.empty()) files.MakeFolders(paths.programFolder);
  if (!paths.kermitFolder.empty()) files.MakeFolders(paths.kermitFolder);

  if (paths.settingsFolder.empty()) return found;
  const std::string& settings = paths.settingsFolder;
  found.PrefsPath = settings + "/";
  const bool hasDefaults = files.Exists(In(settings, "defaults"));
  std::vector<std::string> problems;
  if (const int error = files.MakeFolders(settings)) {
    problems.push_back(Shown(settings) + ": " + platform::FileErrorText(error));
  } else if (!hasDefaults) {
    for (const std::string& older : paths.OlderSettingsFolders()) {
      if (!files.Exists(In(older, "defaults"))) continue;
      SetupPrefsFolder(older, settings, files, found);
      break;
    }
  }
  if (!found.NotMigrated.empty()) {
    std::string names;
    for (const std::string& n : found.NotMigrated) names += (names.empty() ? "" : "; ") + Shown(n);
    alerts.Show(platform::AlertKind::Stop, 300,
                "Some settings could not be copied from an older settings folder; Korvane tries again the next "
                "time it starts.",
                "\r", Shown(found.MigratedFrom) + ": " + names);
  }

  FindLockFile(paths.preferencesFolder, files, alerts, found);

  // The QuickDial file must exist; one the copy could not bring over is not
  // replaced by an empty one, which would hide the user's number for good.
  bool quickDialPending = false;
  for (const std::string& n : found.NotMigrated) quickDialPending |= n.rfind(kQuickDialFileName, 0) == 0;
  if (problems.empty() && !quickDialPending) {
    const std::string quickDial = In(settings, kQuickDialFileName);
    if (const int error = CreateIfMissing(files, quickDial))
      problems.push_back(Shown(quickDial) + ": " + platform::FileErrorText(error));
  }
  if (!problems.empty())
    alerts.Show(platform::AlertKind::Stop, 300,
                "Korvane could not prepare its settings folder, and cannot save settings until this is put right.",
                "\r", problems.front());
  return found;
}

}  // namespace korvane
