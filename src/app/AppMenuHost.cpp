// The program as the menu bar's handlers see it.

#include "app/AppMenuHost.h"

#include "app/App.h"

namespace korvane::app {

SessionWindows& AppMenuHost::Windows() { return app_.windows; }

void AppMenuHost::RequestOpenConnection() { app_.requests.RequestOpenConnection = 1; }

void AppMenuHost::RequestWindowSelect(int window) {
  app_.WindowSelectRequest = 1;
  app_.WindowToSelect = static_cast<int16_t>(window);
}

void AppMenuHost::RequestQuit() { app_.flags.QuitFlag = static_cast<int8_t>(-1); }

void AppMenuHost::EndProgram() { app_.EndWithoutSaving(); }

void AppMenuHost::Pause(int milliseconds) { app_.Wait(milliseconds); }

bool AppMenuHost::PrefsLocked() { return app_.prefs.folders.PrefsLocked != 0; }

std::string AppMenuHost::LockFilePath() { return app_.prefs.folders.LockFilePath; }

std::string AppMenuHost::PreferencesFolder() { return app_.prefs.PrefsFolderPath; }

std::string AppMenuHost::ResourcesFolder() { return app_.data.resourcesFolder; }

platform::FileDialogs* AppMenuHost::FileDialogs() { return &app_.platform.fileDialogs; }

}  // namespace korvane::app
