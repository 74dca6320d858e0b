// Each session window keeps its own screen state: pages, scroll-back view
// and controls are never shared between sessions.

#include <gtest/gtest.h>

#include "fakes/FakeClock.h"
#include "fakes/FakeScreenHost.h"
#include "fakes/RecordingControls.h"
#include "fakes/RecordingPort.h"
#include "windows/Session.h"

namespace korvane {
namespace {

TEST(SessionScreen, TwoSessionsKeepTheirOwnPagesAndControls) {
  fakes::RecordingPort portA, portB;
  fakes::FakeClock clock;
  fakes::FakeScreenHost host;
  fakes::RecordingControls controlsA, controlsB;
  Session a(portA, clock, &host, &controlsA), b(portB, clock, &host, &controlsB);
  for (Session* s : {&a, &b}) {
    s->Opt.TextSizeValue = 12;
    s->Opt.HostFeatureOption = 1;
    s->screen.ComputeCellMetrics();
  }
  a.screen.ScreenChars(1, 1) = 'A';
  a.screen.PageSaveSlot = 1;
  a.screen.SaveScreenPage();
  EXPECT_EQ(a.screen.Pages.Cell(1, ScreenPlanes::kChars, 1, 1), 'A');
  EXPECT_EQ(b.screen.Pages.Cell(1, ScreenPlanes::kChars, 1, 1), 0);
  a.screen.DrawFunctionKeyBar();
  EXPECT_TRUE(controlsA.HasControl(kFirstFkeyButton));
  EXPECT_FALSE(controlsB.HasControl(kFirstFkeyButton));
}

TEST(SessionScreen, AScreenWithoutAWindowStillKeepsItsScrollBarValue) {
  fakes::RecordingPort port;
  fakes::FakeClock clock;
  Session s(port, clock);
  s.screen.controls.SetScrollBarRange(kScrollBarControl, 24, 100, 24);
  s.screen.controls.SetControlValue(kScrollBarControl, 60);
  EXPECT_EQ(s.screen.controls.ControlValue(kScrollBarControl), 60);
}

}  // namespace
}  // namespace korvane
