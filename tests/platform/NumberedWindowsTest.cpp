// Numbered windows: dialog windows from the interface description, session
// windows made at run time, and the two ways of closing a window.

#include <gtest/gtest.h>

#include "fakes/FakeWindows.h"
#include "platform/NumberedWindows.h"

namespace korvane::platform {
namespace {

class NumberedWindowsTest : public ::testing::Test {
 protected:
  fakes::FakeWindows windows;
  int16_t startUp = 0, quitting = 0, active = 48;
  int32_t timeSlice = 30;
  NumberedWindows numbered{windows, WindowFlags{&startUp, &quitting, &active, &timeSlice}};
  int coloursApplied = 0;

  NumberedWindowsTest() {
    numbered.applySessionColours = [this] { ++coloursApplied; };
    windows.MakeSessionWindow(48, "session", 640, 400);
    windows.BringToFront(48);
  }
};

TEST_F(NumberedWindowsTest, ADialogWindowIsMadeFromItsDescribedWindowOnceAndBroughtForward) {
  numbered.OpenAppWindow(43);
  EXPECT_EQ(windows.windows.at(43).dialogName, "Tell DLOG");
  EXPECT_EQ(numbered.AppWindowName, "Tell DLOG");
  EXPECT_EQ(windows.FrontWindow(), 43);
  EXPECT_EQ(numbered.DialogWindowOpen, 1);
  windows.windows.at(43).title = "changed";
  numbered.OpenAppWindow(43);
  EXPECT_EQ(windows.windows.at(43).title, "changed");  // not made again
  EXPECT_EQ(windows.FrontWindow(), 43);
}

TEST_F(NumberedWindowsTest, AWindowTheDescriptionLacksIsAnEmptyUntitledWindow) {
  numbered.OpenAppWindow(13);
  ASSERT_TRUE(windows.Exists(13));
  EXPECT_EQ(windows.Title(13), "Untitled");
}

TEST_F(NumberedWindowsTest, TheAboutWindowAndThePortNoticeLeaveTheDialogFlagAsItWas) {
  for (int n : {5, 21}) {
    numbered.DialogWindowOpen = 0;
    numbered.OpenAppWindow(n);
    EXPECT_EQ(numbered.DialogWindowOpen, 0) << n;
  }
  numbered.OpenAppWindow(46);
  EXPECT_EQ(numbered.DialogWindowOpen, 1);
}

TEST_F(NumberedWindowsTest, ASessionWindowIsMadeAtRunTimeOrBroughtForwardWithItsColours) {
  numbered.OpenAppWindow(49);
  ASSERT_TRUE(windows.Exists(49));
  EXPECT_EQ(windows.Title(49), "Korvane\xAA");
  EXPECT_EQ(windows.ContentSize(49), (platform::Size{99, 50}));
  EXPECT_EQ(windows.FrontWindow(), 49);
  EXPECT_EQ(numbered.RestoreColoursFlag, 0);
  EXPECT_EQ(timeSlice, 1);
  numbered.OpenAppWindow(48);
  EXPECT_EQ(windows.FrontWindow(), 48);
  EXPECT_EQ(numbered.RestoreColoursFlag, 1);
}

TEST_F(NumberedWindowsTest, ClosingADialogBringsTheActiveSessionBackExceptDuringStartUpAndQuitting) {
  struct Case {
    int16_t startUp, quitting;
    bool sessionInFront;
  };
  const Case cases[] = {{0, 0, true}, {1, 0, false}, {0, 1, false}};
  windows.MakeSessionWindow(49, "other", 640, 400);
  for (const auto& c : cases) {
    startUp = c.startUp;
    quitting = c.quitting;
    // Window 49 lies between the dialog and the active session window 48.
    windows.BringToFront(49);
    numbered.OpenAppWindow(26);
    coloursApplied = 0;
    numbered.SelectWindowWithColors(26);
    EXPECT_FALSE(windows.Exists(26));
    EXPECT_EQ(windows.FrontWindow(), c.sessionInFront ? 48 : 49) << c.startUp << c.quitting;
    EXPECT_EQ(coloursApplied, 1);
    EXPECT_EQ(numbered.DialogWindowOpen, 0);
  }
}

TEST_F(NumberedWindowsTest, ClosingASessionWindowPlainlyBringsNothingForward) {
  numbered.OpenAppWindow(50);
  numbered.OpenAppWindow(46);
  numbered.SelectWindowPlain(50);
  EXPECT_FALSE(windows.Exists(50));
  EXPECT_EQ(windows.FrontWindow(), 46);
  EXPECT_EQ(coloursApplied, 0);
  // A number without a window closes nothing and still clears the flag.
  numbered.SelectWindowPlain(30);
  EXPECT_EQ(numbered.DialogWindowOpen, 0);
  EXPECT_EQ(windows.FrontWindow(), 48);
}

}  // namespace
}  // namespace korvane::platform
