#pragma once
// What the settings code asks of the rest of the program, answered with
// values a test sets, and a record of what it was told to do.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "settings/SettingsHost.h"

namespace korvane::fakes {

// Everything the settings code asks of the rest of the program, with the
// answers a test sets and a record of what it was told to do.
class RecordingSettingsHost final : public SettingsHost {
 public:
  int16_t plainTextMode = 0, savedAutoWrap = 0, cursorKeyApplicationMode = 0;
  int8_t capsModeForced = 0, scrollBackSeen = 0;
  std::optional<std::vector<std::string>> serialPortNames;
  std::optional<WindowFrame> outputWindow;
  ScreenSize screen{1920, 1080};
  bool kermitFound = false;
  std::string bundledFunctionKeys;
  int fontError = 0;
  std::optional<std::string> chosenName;
  std::vector<std::string> calls;

  int16_t PlainTextMode() override { return plainTextMode; }
  int16_t SavedAutoWrap() override { return savedAutoWrap; }
  int8_t CapsModeForced() override { return capsModeForced; }
  int8_t ScrollBackSeen() override { return scrollBackSeen; }
  std::optional<std::vector<std::string>> SerialPortNames() override { return serialPortNames; }
  std::optional<WindowFrame> OutputWindowFrame() override { return outputWindow; }
  int16_t CursorKeyApplicationMode() override { return cursorKeyApplicationMode; }
  ScreenSize MainScreenSize() override { return screen; }
  bool KermitProgramFound() override { return kermitFound; }
  std::string BundledFunctionKeys() override { return bundledFunctionKeys; }
  int ActivateProgramFonts() override { return fontError; }
  void ResetScreenDefaults(int windowWidth) override {
    calls.push_back("ResetScreenDefaults " + std::to_string(windowWidth));
  }
  void ComputeCellMetrics() override { calls.push_back("ComputeCellMetrics"); }
  void SetKeypadNumericMode() override { calls.push_back("SetKeypadNumericMode"); }
  void OpenFunctionKeyEditor() override { calls.push_back("OpenFunctionKeyEditor"); }
  void LoadInternationalFile() override { calls.push_back("LoadInternationalFile"); }
  void RefreshAfterReading(bool fromDocument) override {
    calls.push_back(fromDocument ? "RefreshAfterReading document" : "RefreshAfterReading");
  }
  std::optional<std::string> AskSettingsFileName(const std::string& proposed) override {
    calls.push_back("AskSettingsFileName " + proposed);
    return chosenName;
  }
  void ShowSettingsTitle(const std::string& title) override { calls.push_back("ShowSettingsTitle " + title); }
  void LoadSettingsTempFile(const std::string& path) override { calls.push_back("LoadSettingsTempFile " + path); }
  void DialNumber(const std::string& number) override { calls.push_back("DialNumber " + number); }
  void LoadFunctionKeyDocument(const std::string& path) override {
    calls.push_back("LoadFunctionKeyDocument " + path);
  }
};

}  // namespace korvane::fakes
