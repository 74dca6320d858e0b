#pragma once
// The settings folder and the program-wide state of the settings files: the
// per-window temporary settings files and the settings documents that arrive
// before start-up is complete.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "settings/SettingsFolders.h"

namespace korvane {

// Files of the settings folder.
inline constexpr const char* kDefaultsFileName = "defaults";                // 177 settings lines; read, never written
inline constexpr const char* kFkeyDefaultsFileName = "Fkeydefaults";        // the default function keys
inline constexpr const char* kDefaultSettingsFileName = "KorvaneSettings";  // reserved settings document
// Window numbers the per-window tables can hold.
constexpr int kMaxWindowNumber = 99;

// "TempSettingsKV " followed by the window number in the program's number form
// (so window 48's file is "TempSettingsKV  48").
std::string TempSettingsName(int16_t window);

// The last component of a path.
std::string FileBaseName(const std::string& path);

struct Preferences {
  explicit Preferences(std::string folder);

  // The settings folder, ending in "/".
  std::string PrefsFolderPath;
  // Every session window keeps its own settings file (set once a second window
  // or a settings document is opened).
  int8_t TempSettingsMode = 0;
  // Per window number: the name of its temporary settings file, empty when it
  // has none.
  std::array<std::string, kMaxWindowNumber + 1> TempSettingsNames;
  // The first session window has been set up.
  int16_t StartupComplete = 0;
  // Settings documents received before start-up was complete, in arrival order.
  std::vector<std::string> PendingDocuments;
  // What start-up found on disk: the user's lock and the copy of an older
  // settings folder.
  SettingsFolders folders;

  // A file of the settings folder.
  std::string PathOf(const std::string& name) const { return PrefsFolderPath + name; }
  // A settings document's path: a bare name lies in the settings folder.
  std::string DocumentPath(const std::string& name) const;
  // Registers window n's temporary settings file and turns the per-window
  // files on; returns its path.
  std::string RegisterTempSettingsFile(int16_t window);
};

}  // namespace korvane
