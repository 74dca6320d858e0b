#pragma once
// What the settings code asks of the rest of the program, answered with
// values a test sets, and a record of what it was told to do.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "settings/SettingsHost.h"

namespace korvane::fakes {

class RecordingSettingsHost final : public SettingsHost {
 public:
  int16_t plainTextMode = 0, savedAutoWrap = 0, cursorKeyApplicationMode = 0;
  int8_t capsModeForced = 0, scrollBackSeen = 0;
  std::optional<std::vector<std::string>> serialPortNames;
  std::optional<WindowFrame> outputWindow;
  ScreenSize screen{1920, 1080};
  bool kermitFound = false;
  // The program's function-key files by name, and the names asked for.
  std::map<std::string, std::string> bundledFunctionKeys;
  std::vector<std::string> bundledFilesAsked;
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
  std::string BundledFunctionKeys(const std::string& fileName) override {
    bundledFilesAsked.push_back(fileName);
    const auto it = bundledFunctionKeys.find(fileName);
    return it == bundledFunctionKeys.end() ? std::string() : it->second;
  }

  void SetSessionDefaults() override { calls.push_back("SetSessionDefaults"); }
  void SetWindowSize(int width, int height) override {
    calls.push_back("SetWindowSize " + std::to_string(width) + " " + std::to_string(height));
  }
  void ResetScreenDefaults() override { calls.push_back("ResetScreenDefaults"); }
  void ComputeCellMetrics() override { calls.push_back("ComputeCellMetrics"); }
  void SetKeypadNumericMode() override { calls.push_back("SetKeypadNumericMode"); }

  void MarkSerialRequiredItems(int16_t option) override {
    calls.push_back("MarkSerialRequiredItems " + std::to_string(option));
  }
  int ActivateProgramFonts() override { return fontError; }
  void SetMenuCommandKeys() override { calls.push_back("SetMenuCommandKeys"); }
  void ApplyAttributeColours() override { calls.push_back("ApplyAttributeColours"); }
  void BuildEditKeyStrings() override { calls.push_back("BuildEditKeyStrings"); }
  void ShowConnectionKind() override { calls.push_back("ShowConnectionKind"); }
  void LoadInternationalFile() override { calls.push_back("LoadInternationalFile"); }
  void MarkClipboardOption(bool on) override {
    calls.push_back(on ? "MarkClipboardOption on" : "MarkClipboardOption off");
  }
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
  void LoadFunctionKeyDocument(const std::string& path) override { calls.push_back("LoadFunctionKeyDocument " + path); }
};

}  // namespace korvane::fakes
