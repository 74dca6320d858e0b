// Each session window keeps its own screen state: pages, scroll-back view
// and controls are never shared between sessions.

#include <gtest/gtest.h>

#include "fakes/FakeClock.h"
#include "fakes/FakeScreenHost.h"
#include "fakes/RecordingControls.h"
#include "fakes/RecordingPort.h"
#include "screen/Screen.h"

namespace korvane {
namespace {

TEST(SessionScreen, TwoSessionsKeepTheirOwnPagesAndControls) {
  fakes::RecordingPort portA, portB;
  fakes::FakeClock clock;
  fakes::FakeScreenHost host;
  fakes::RecordingControls controlsA, controlsB;
  SessionOptions optA, optB;
  Screen a(optA, portA, host, &controlsA), b(optB, portB, host, &controlsB);
  for (Screen* s : {&a, &b}) {
    s->Opt.TextSizeValue = 12;
    s->Opt.HostFeatureOption = 1;
    s->ComputeCellMetrics();
  }
  a.ScreenChars(1, 1) = 'A';
  a.PageSaveSlot = 1;
  a.SaveScreenPage();
  EXPECT_EQ(a.Pages.Cell(1, ScreenPlanes::kChars, 1, 1), 'A');
  EXPECT_EQ(b.Pages.Cell(1, ScreenPlanes::kChars, 1, 1), 0);
  a.DrawFunctionKeyBar();
  EXPECT_TRUE(controlsA.HasControl(kFirstFkeyButton));
  EXPECT_FALSE(controlsB.HasControl(kFirstFkeyButton));
}

TEST(SessionScreen, AScreenWithoutAWindowStillKeepsItsScrollBarValue) {
  fakes::RecordingPort port;
  fakes::FakeScreenHost host;
  SessionOptions opt;
  Screen s(opt, port, host);
  s.controls.SetScrollBarRange(kScrollBarControl, 24, 100, 24);
  s.controls.SetControlValue(kScrollBarControl, 60);
  EXPECT_EQ(s.controls.ControlValue(kScrollBarControl), 60);
}

}  // namespace
}  // namespace korvane
