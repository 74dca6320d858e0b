#pragma once
// The program on the fake platform with the real menu bar (the interface
// description the program ships), its data folder, and each session
// window's capture, clipboard, transfers, pictures, scripts, serial line and
// dialogs recorded instead of carried out; its menus, sounds and keyboard
// are the program's own.

#include <algorithm>
#include <map>
#include <memory>
#include <string>

#include "app/AppFixture.h"
#include "app/AppScripting.h"
#include "fakes/RecordingServices.h"
#include "platform/qt/InterfaceFile.h"

namespace korvane::testing {

// The services of one window: the recorded ones and the program's own.
class PartlyRecordedSet final : public SessionServiceSet {
 public:
  PartlyRecordedSet(std::unique_ptr<SessionServiceSet> real, fakes::RecordingServices& recorded)
      : real_(std::move(real)), rec_(recorded) {}
  CaptureService& Capture() override { return rec_; }
  ClipboardService& Clipboard() override { return rec_; }
  TransferService& Transfers() override { return rec_; }
  PictureService& Pictures() override { return rec_; }
  ScriptService& Scripts() override { return rec_; }
  KeyboardService& Keyboard() override { return real_->Keyboard(); }
  MenuService& Menus() override { return real_->Menus(); }
  SoundService& Sounds() override { return real_->Sounds(); }
  SerialLine& Serial() override { return rec_; }
  DialogService& Dialogs() override { return rec_; }

 private:
  std::unique_ptr<SessionServiceSet> real_;
  fakes::RecordingServices& rec_;
};

class PartlyRecordedServices final : public SessionServiceProvider {
 public:
  app::App* app = nullptr;
  // What each window asked, by window number (a window made again starts a
  // new record).
  std::map<int, std::unique_ptr<fakes::RecordingServices>> recorded;

  std::unique_ptr<SessionServiceSet> MakeServices(SessionWindow& window) override {
    if (!real_)
      real_ = std::make_unique<app::AppServiceProvider>(app::AppServiceParts{
          app->alerts, app->platform.menus, app->platform.sounds, app->keyState, app->askSettingsFileName,
          app->captureShared, app->dialogs, app->serialLines, app->strings, app->scripting->Scripts(),
          app->platform.programs, app->platform.pictureFiles});
    auto& rec = recorded[window.Number()];
    rec = std::make_unique<fakes::RecordingServices>();
    return std::make_unique<PartlyRecordedSet>(real_->MakeServices(window), *rec);
  }

 private:
  std::unique_ptr<app::AppServiceProvider> real_;
};

inline platform::InterfaceDescription ProgramInterface() {
  platform::InterfaceDescription d;
  std::string error;
  EXPECT_TRUE(platform::LoadInterfaceDescription(KORVANE_RESOURCES "/interface.json", d, error)) << error;
  return d;
}

class MenuFixture : public AppFixture {
 protected:
  platform::InterfaceDescription description = ProgramInterface();
  PartlyRecordedServices services;
  // The settings folder (the preferences lock is looked for in its parent).
  std::string prefsFolder = "/prefs/";

  MenuFixture() {
    menus = platform::MemoryMenus(description.menus);
    // The serial-port menu lists the ports found.
    for (const char* port : {"ttyS0", "ttyUSB0"}) menus.AppendItem(platform::kSerialPortMenu, port);
    windows.description = &description;
    platform.sessionServices = &services;
  }

  app::App& StartMenus(const std::vector<std::string>& documents = {}) {
    app::StartupData data;
    data.preferencesFolder = prefsFolder;
    data.programs.VersionText = "Version 1.0";
    data.resourcesFolder = KORVANE_RESOURCES;
    app = std::make_unique<app::App>(platform, queue, data);
    services.app = app.get();
    app->OpenDocuments(documents);
    Turns(3);
    return *app;
  }
  // A local session whose child is a memory link, with its settings edited.
  app::App& StartLocalWith(const std::function<void(SessionOptions&)>& edit = {}) {
    WriteDocument(files, "/docs/local", [edit](SessionOptions& o) {
      LocalProgram("/usr/local/bin/host")(o);
      if (edit) edit(o);
    });
    return StartMenus({"/docs/local"});
  }
  // Chooses a menu item and lets the program run the turn.
  void Choose(int menu, int item, int turns = 1) {
    Menu(menu, item);
    Turns(turns);
  }
  SessionWindow& Active() { return *app->windows.Active(); }
  SessionOptions& Opt() { return Active().session.Opt; }
  fakes::RecordingServices& Recorded(int window = 48) { return *services.recorded.at(window); }
  // The items of `menu` that carry a check mark.
  std::vector<int> Marked(int menu) {
    std::vector<int> out;
    for (int i = 1; i <= menus.CountItems(menu); ++i)
      if (menus.ItemMarked(menu, i)) out.push_back(i);
    return out;
  }
  std::vector<int> MarkedUpTo(int menu, int last) {
    std::vector<int> out = Marked(menu);
    out.erase(std::remove_if(out.begin(), out.end(), [last](int i) { return i > last; }), out.end());
    return out;
  }
};

}  // namespace korvane::testing
