// Settings documents: saving a session's settings under a name or in its
// window's temporary file, opening documents, and the names the program keeps
// for itself.

#include <filesystem>
#include <string_view>

#include "settings/Settings.h"

namespace korvane {

namespace {

bool EndsWith(const std::string& s, std::string_view suffix) {
  return s.size() >= suffix.size() && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// The folder a path lies in, with links and "." / ".." resolved as far as
// the folder exists.
std::filesystem::path FolderOf(const std::string& path) {
  std::error_code ec;
  auto folder = std::filesystem::weakly_canonical(std::filesystem::absolute(path, ec).parent_path(), ec);
  return ec ? std::filesystem::path() : folder;
}

}  // namespace

bool Settings::SaveSettingsAs(int16_t window) {
  std::string name = St.SettingsFileName;
  bool chosenNow = false;
  if (St.AlwaysAskSettingsName || (St.AskForSettingsName && name.empty())) {
    const auto chosen = host_.AskSettingsFileName(name);
    name = chosen.value_or("");
    if (FileBaseName(name) == kDefaultSettingsFileName) {
      alerts_.Show(platform::AlertKind::Stop, 0, "KorvaneSettings is a Reserved File Name.", "\r",
                   "Please use a different name");
      return false;
    }
    chosenNow = !name.empty();
  }
  if (!name.empty()) {
    St.SettingsFileName = name;
    host_.ShowSettingsTitle("Korvane Using " + FileBaseName(name));
    St.AlwaysAskSettingsName = 0;
    St.AskForSettingsName = 0;
  }
  // While every window keeps its own file, a save goes to the window's file;
  // a name the user has just chosen is written to, as the title now says.
  std::string path;
  const bool hasTempFile = window >= 0 && window <= kMaxWindowNumber && !prefs.TempSettingsNames[window].empty();
  if (prefs.TempSettingsMode && hasTempFile && !chosenNow) {
    path = prefs.PathOf(prefs.TempSettingsNames[window]);
  } else if (!name.empty()) {
    path = prefs.DocumentPath(name);
  }
  if (path.empty()) return false;
  return WriteSettingsFile(path);
}

bool Settings::CheckReservedFileName(const std::string& path) {
  const std::string name = FileBaseName(path);
  bool refused = EndsWith(name, "Help Korvane") || EndsWith(name, "defaults") || EndsWith(name, "Korvane.app");
  // Nothing in the settings folder may be overwritten or appended to: the
  // program's settings, function keys and QuickDial list live there.
  if (!refused && !prefs.PrefsFolderPath.empty()) {
    const auto folder = FolderOf(path);
    refused = !folder.empty() && folder == FolderOf(prefs.PrefsFolderPath + ".");
  }
  if (refused) alerts_.Show(platform::AlertKind::Stop, 0, "Cannot Overwrite " + name + " ");
  return refused;
}

void Settings::OpenSettingsDocument(DocumentKind kind, const std::string& path) {
  switch (kind) {
    case DocumentKind::Settings:
      if (FileBaseName(path) == "International") return;
      if (!prefs.StartupComplete) {
        prefs.PendingDocuments.push_back(path);
        return;
      }
      host_.LoadSettingsTempFile(path);
      return;
    case DocumentKind::QuickDial: {
      if (Opt.UsesPty != 0) {
        alerts_.Show(platform::AlertKind::Stop, 0, "Cannot Dial unless Serial / Modem is selected.", "\r",
                     "(Look under the Connection Menu)");
        return;
      }
      std::string bytes;
      if (const int error = files_.ReadFile(path, bytes, kMaxSettingsFileBytes)) {
        ReportUnreadable(path, error);
        return;
      }
      SettingsLineReader file(bytes);
      host_.DialNumber(file.ReadLine());
      return;
    }
    case DocumentKind::FunctionKeys: host_.LoadFunctionKeyDocument(path); return;
    case DocumentKind::Movie:
    case DocumentKind::Other: return;
  }
}

std::string Settings::PrefsFilePath(const std::string& relativePath) {
  const std::string path = prefs.PathOf(relativePath);
  if (!files_.Exists(path)) alerts_.Show(platform::AlertKind::Stop, 0, path + " Path not found!");
  return path;
}

void Settings::DeleteTempSettingsFile(int16_t window) {
  if (window < 0 || window > kMaxWindowNumber || prefs.TempSettingsNames[window].empty()) return;
  files_.RemoveFile(prefs.PathOf(prefs.TempSettingsNames[window]));
  prefs.TempSettingsNames[window].clear();
}

}  // namespace korvane
