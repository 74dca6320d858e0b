#pragma once
// The settings windows on the fake platform: the windows and their controls
// as the interface description makes them (in memory), alerts, menus, files
// and file dialogs that record, and the rest of the program recorded by
// RecordingDialogHost. The test plays the user: it clicks, types and
// chooses, and each action reaches DoDialog as the window system reports it.

#include <gtest/gtest.h>

#include <QFile>
#include <string>

#include "fakes/FakeAlerts.h"
#include "fakes/FakeClock.h"
#include "fakes/FakeFileDialogs.h"
#include "fakes/FakeWindows.h"
#include "fakes/MemoryFiles.h"
#include "fakes/RecordingDialogHost.h"
#include "platform/Menus.h"
#include "platform/qt/InterfaceFile.h"
#include "platform/NumberedWindows.h"
#include "platform/StringTable.h"
#include "ui/dialogs/SettingsDialogs.h"

namespace korvane::ui {

// The program's interface description, read once.
inline const platform::InterfaceDescription& TheDescription() {
  static const platform::InterfaceDescription d = [] {
    platform::InterfaceDescription out;
    std::string error;
    if (!platform::LoadInterfaceDescription(std::string(KORVANE_RESOURCES) + "/interface.json", out, error))
      ADD_FAILURE() << error;
    return out;
  }();
  return d;
}

class DialogTest : public ::testing::Test {
 protected:
  DialogTest() {
    windows.description = &TheDescription();
    windows.MakeSessionWindow(48, "session", 640, 400);
    windows.BringToFront(48);
    for (const auto& m : TheDescription().menus) menus.AddMenu(m);
  }

  platform::Controls* C(int window) { return windows.WindowControls(window); }
  bool IsOpen(int window) { return windows.Exists(window); }

  // The user clicks a button, check box or radio button: a check box or
  // radio button changes its own value first, as on the screen.
  bool Click(int window, int control) {
    platform::Controls* c = C(window);
    platform::ControlKind kind{};
    if (c && c->KindOf(control, kind) &&
        (kind == platform::ControlKind::CheckBox || kind == platform::ControlKind::RadioButton))
      c->SetControlValue(control, c->ControlValue(control) ? 0 : 1);
    return dialogs.DoDialog(window, control, Opt);
  }
  // The user types into a field (its whole text becomes `text`).
  bool Type(int window, int field, const std::string& text) {
    C(window)->SetControlText(field, text);
    return dialogs.DoDialog(window, field, Opt);
  }
  bool Choose(int window, int popup, int item) {
    C(window)->SetControlValue(popup, item);
    return dialogs.DoDialog(window, popup, Opt);
  }
  std::string Field(int window, int field) { return C(window)->ControlText(field); }
  int Value(int window, int control) { return C(window)->ControlValue(control); }
  std::string LastAlert() const { return alerts.shown.empty() ? std::string() : alerts.shown.back().text; }

  fakes::FakeWindows windows;
  int16_t startUp = 0, quitting = 0, active = 48;
  int32_t timeSlice = 1;
  platform::NumberedWindows numbered{windows, platform::WindowFlags{&startUp, &quitting, &active, &timeSlice}};
  fakes::FakeAlerts alerts;
  platform::MemoryMenus menus;
  fakes::MemoryFiles files;
  fakes::FakeFileDialogs fileDialogs;
  fakes::FakeClock clock;
  platform::StringTable strings;
  fakes::RecordingDialogHost host;
  SettingsDialogs dialogs{DialogServices{windows, numbered, alerts, menus, files, fileDialogs, clock, strings, host}};
  SessionOptions Opt;
};

}  // namespace korvane::ui
