#include "settings/Preferences.h"

#include "settings/SettingsText.h"

namespace korvane {

std::string TempSettingsName(int16_t window) { return "TempSettingsKV " + NumberLine(window); }

std::string FileBaseName(const std::string& path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

Preferences::Preferences(std::string folder) : PrefsFolderPath(std::move(folder)) {
  if (!PrefsFolderPath.empty() && PrefsFolderPath.back() != '/') PrefsFolderPath += '/';
}

std::string Preferences::DocumentPath(const std::string& name) const {
  return name.find('/') == std::string::npos ? PathOf(name) : name;
}

std::string Preferences::RegisterTempSettingsFile(int16_t window) {
  if (window < 0 || window > kMaxWindowNumber) return {};
  TempSettingsNames[window] = TempSettingsName(window);
  TempSettingsMode = 1;
  return PathOf(TempSettingsNames[window]);
}

}  // namespace korvane
