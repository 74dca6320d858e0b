#pragma once
// What the menu bar's handlers ask of the program, answered by the App.

#include "ui/menus/MenuHost.h"

namespace korvane::app {

class App;

class AppMenuHost final : public ui::MenuHost {
 public:
  explicit AppMenuHost(App& app) : app_(app) {}

  SessionWindows& Windows() override;
  void RequestOpenConnection() override;
  void RequestWindowSelect(int window) override;
  void RequestQuit() override;
  void EndProgram() override;
  void Pause(int milliseconds) override;
  bool PrefsLocked() override;
  std::string LockFilePath() override;
  std::string PreferencesFolder() override;
  std::string ResourcesFolder() override;
  platform::FileDialogs* FileDialogs() override;

 private:
  App& app_;
};

}  // namespace korvane::app
