#pragma once
// The program as main() puts it together, on the Qt platform offscreen, for
// the user whose home is the process's HOME; alerts are answered by the test.

#include <QElapsedTimer>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "app/App.h"
#include "app/EventQueue.h"
#include "emulation/HostPaths.h"
#include "fakes/FakeAlerts.h"
#include "fakes/RecordingSounds.h"
#include "platform/qt/InterfaceFile.h"
#include "platform/qt/QtPlatform.h"

namespace korvane {

struct Program {
  app::EventQueue queue;
  platform::InterfaceDescription description;
  std::unique_ptr<platform::QtPlatform> qt;
  fakes::FakeAlerts alerts;
  fakes::RecordingSounds sounds;
  std::unique_ptr<app::Platform> platform;
  std::unique_ptr<app::App> app;

  Program() {
    std::string error;
    EXPECT_TRUE(platform::LoadInterfaceDescription(KORVANE_RESOURCES "/interface.json", description, error));
    qt = std::make_unique<platform::QtPlatform>(queue, description, [](const std::string& s) { return s; });
    queue.onPost = [this] { qt->pump.Wake(); };
    platform = std::make_unique<app::Platform>(
        app::Platform{qt->clock, qt->pump, qt->windows, qt->menus, alerts, qt->cursors, qt->files, qt->processes,
                      qt->desktop, sounds, qt->printing, qt->programs, qt->fileDialogs, qt->clipboard});
    platform->fonts = &qt->fonts;
    app::StartupData data;
    data.preferencesFolder = qt->files.PreferencesFolderPath();
    data.programs = ChildPrograms::ForThisUser();
    data.resourcesFolder = KORVANE_RESOURCES;
    data.hostFolders = HostFoldersForThisUser(KORVANE_RESOURCES);
    app = std::make_unique<app::App>(*platform, queue, data);
    app->OpenDocuments({});
    QElapsedTimer t;
    t.start();
    while (!app->IdlePassSeen && !app->Finished() && t.elapsed() < 10000) app->Turn();
    EXPECT_TRUE(app->IdlePassSeen) << "start-up did not finish";
  }
  std::string AlertTexts() const {
    std::string out;
    for (const auto& a : alerts.shown) out += "[" + a.text + "] ";
    return out;
  }
};

}  // namespace korvane
