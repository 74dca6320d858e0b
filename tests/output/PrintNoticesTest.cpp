// The windows that say a print job is under way: shown at once, closed a
// second after the job was handed on by a later idle pass, and the active
// session window back in front afterwards.

#include <gtest/gtest.h>

#include "fakes/FakeClock.h"
#include "fakes/FakeWindows.h"
#include "output/PrintNotices.h"
#include "platform/MenuNumbers.h"

namespace korvane::output {
namespace {

class PrintNoticesTest : public ::testing::Test {
 protected:
  PrintNoticesTest() {
    windows.MakeSessionWindow(kSession, "Session", 640, 480);
    windows.BringToFront(kSession);
  }
  bool Shown(int n) const { return windows.windows.count(n) != 0 && windows.windows.at(n).shown; }

  static constexpr int kSession = platform::kSessionWindowBase;
  fakes::FakeClock clock;
  fakes::FakeWindows windows;
  int16_t startUp = 0, quitting = 0, active = kSession;
  int32_t slice = 1;
  platform::NumberedWindows numbered{windows, platform::WindowFlags{&startUp, &quitting, &active, &slice}};
  PrintNotices notices{numbered, windows, clock};
};

TEST_F(PrintNoticesTest, AWindowClosesASecondAfterItsJobWasHandedOn) {
  notices.Show(platform::kPrintingPclWindow);
  EXPECT_TRUE(Shown(platform::kPrintingPclWindow));
  EXPECT_EQ(windows.FrontWindow(), platform::kPrintingPclWindow);
  // Shown and not yet handed on: it stays, however long that takes.
  clock.AdvanceMs(5000);
  notices.IdlePass();
  EXPECT_TRUE(Shown(platform::kPrintingPclWindow));
  EXPECT_FALSE(notices.Waiting());

  notices.CloseLater(platform::kPrintingPclWindow);
  EXPECT_TRUE(notices.Waiting());
  clock.AdvanceMs(PrintNotices::kCloseAfterMs - 1);
  notices.IdlePass();
  EXPECT_TRUE(Shown(platform::kPrintingPclWindow));
  clock.AdvanceMs(1);
  notices.IdlePass();
  EXPECT_FALSE(windows.Exists(platform::kPrintingPclWindow));
  EXPECT_FALSE(notices.Waiting());
  EXPECT_EQ(windows.FrontWindow(), kSession) << "the session window is in front again";
}

TEST_F(PrintNoticesTest, ANewJobKeepsTheWindowUpUntilASecondAfterItToo) {
  notices.Show(platform::kPrintingWindow);
  notices.CloseLater(platform::kPrintingWindow);
  clock.AdvanceMs(600);
  // The second job's window is the same one: the first close is called off.
  notices.Show(platform::kPrintingWindow);
  clock.AdvanceMs(600);
  notices.IdlePass();
  EXPECT_TRUE(Shown(platform::kPrintingWindow));
  notices.CloseLater(platform::kPrintingWindow);
  clock.AdvanceMs(999);
  notices.IdlePass();
  EXPECT_TRUE(Shown(platform::kPrintingWindow));
  clock.AdvanceMs(1);
  notices.IdlePass();
  EXPECT_FALSE(windows.Exists(platform::kPrintingWindow));
}

TEST_F(PrintNoticesTest, TwoWindowsCloseEachOnItsOwnTimeAndOneTheUserClosedIsLeftAlone) {
  notices.Show(platform::kPrintingPclWindow);
  notices.CloseLater(platform::kPrintingPclWindow);
  clock.AdvanceMs(500);
  notices.Show(platform::kPrintingWindow);
  notices.CloseLater(platform::kPrintingWindow);
  clock.AdvanceMs(500);
  notices.IdlePass();
  EXPECT_FALSE(windows.Exists(platform::kPrintingPclWindow));
  EXPECT_TRUE(Shown(platform::kPrintingWindow));

  // The user closes it first, and brings another window to the front.
  windows.Close(platform::kPrintingWindow);
  windows.MakeSessionWindow(kSession + 1, "Other", 640, 480);
  windows.BringToFront(kSession + 1);
  clock.AdvanceMs(500);
  notices.IdlePass();
  EXPECT_FALSE(notices.Waiting());
  EXPECT_EQ(windows.FrontWindow(), kSession + 1) << "nothing is closed for a window that is gone";
}

}  // namespace
}  // namespace korvane::output
