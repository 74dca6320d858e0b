// Alerts in the user's language, the numbered file-error alert, the busy
// cursor and the string tables.

#include <gtest/gtest.h>

#include "fakes/FakeAlerts.h"
#include "fakes/FakeCursors.h"
#include "platform/AlertRoutines.h"
#include "platform/StringTable.h"

namespace korvane::platform {
namespace {

constexpr const char* kFrench =
    "# a comment\n"
    "Do you want to Quit Korvane?\tVoulez-vous quitter Korvane ?\n"
    "Maximum number of windows allowed is \tLe nombre maximum de fen\xC3\xAAtres autoris\xC3\xA9 est \r\n"
    "a line without a tab\n"
    "\n"
    "OK\tD'accord\n";

TEST(StringTable, EntriesAreReadAsMacRomanAndTheirBlanksAreKept) {
  StringTable t;
  EXPECT_EQ(t.Load(kFrench), 3);
  EXPECT_EQ(t.Localise("Do you want to Quit Korvane?"), "Voulez-vous quitter Korvane ?");
  // "ê" and "é" in Mac Roman, and the trailing blank the message is built on.
  EXPECT_EQ(t.Localise("Maximum number of windows allowed is "), "Le nombre maximum de fen\x90tres autoris\x8E est ");
  EXPECT_EQ(t.Localise("Not translated"), "Not translated");
  EXPECT_EQ(t.Localise("a line without a tab"), "a line without a tab");
}

class AlertRoutinesTest : public ::testing::Test {
 protected:
  fakes::FakeAlerts shown;
  fakes::FakeCursors cursors;
  StringTable strings;
  AlertRoutines alerts{shown, cursors, strings};
  int quits = 0;

  AlertRoutinesTest() {
    strings.Load(kFrench);
    alerts.onQuitNow = [this] { ++quits; };
    alerts.LoadErrorMessages(
        "1\tcannot use the file\n6\tQuit or go on\n5\tfile five\n14\tfile not found\n300\tbeyond the list\n");
  }
};

TEST_F(AlertRoutinesTest, EachPieceIsLookedUpOnItsOwnAndTheArrowComesBack) {
  cursors.ShowWatch();
  const int item = alerts.StopAlertText(300, "Maximum number of windows allowed is ", " 10");
  EXPECT_EQ(item, 1);
  EXPECT_FALSE(cursors.watch);
  ASSERT_EQ(shown.shown.size(), 1u);
  EXPECT_EQ(shown.shown[0].kind, platform::AlertKind::Stop);
  EXPECT_EQ(shown.shown[0].id, 300);
  EXPECT_EQ(shown.shown[0].text, "Le nombre maximum de fen\x90tres autoris\x8E est  10");
}

TEST_F(AlertRoutinesTest, TheChosenItemIsReturnedUnchanged) {
  shown.answers = {2};
  EXPECT_EQ(alerts.CautionAlertText(301, "Do you want to Quit Korvane?"), 2);
  EXPECT_EQ(shown.shown[0].kind, platform::AlertKind::Caution);
}

TEST_F(AlertRoutinesTest, TheFileErrorAlertNamesTheMessageAndTheCodeByItsLowByte) {
  struct Case {
    int16_t code;
    std::string text;
  };
  const Case cases[] = {
      {14, "file not found14,0Quit or go on"},
      {261, "file five5,1Quit or go on"},
      {256, "cannot use the file0,1Quit or go on"},
      {-1, "255,1Quit or go on"},
  };
  for (const auto& c : cases) {
    shown.shown.clear();
    EXPECT_EQ(alerts.ErrorNumberAlert(c.code), 0);
    ASSERT_EQ(shown.shown.size(), 1u);
    EXPECT_EQ(shown.shown[0].text, c.text) << c.code;
    EXPECT_EQ(shown.shown[0].id, 3999);
  }
  // Code 0 shows the texts of the alert before.
  alerts.NoteAlertText(0, "before");
  shown.shown.clear();
  alerts.ErrorNumberAlert(0);
  EXPECT_EQ(shown.shown[0].text, "before");
  EXPECT_EQ(quits, 0);
}

TEST_F(AlertRoutinesTest, ChoosingQuitInTheFileErrorAlertEndsTheProgram) {
  shown.answers = {6};
  alerts.ErrorNumberAlert(14);
  EXPECT_EQ(quits, 1);
}

TEST(BusyCursor, FramesRunOneToAHundredAndTheCursorIsSetOnce) {
  fakes::FakeCursors cursors;
  BusyCursor busy(cursors);
  for (int i = 1; i <= 100; ++i) {
    busy.SpinWatchCursor();
    ASSERT_EQ(busy.Frame(), i);
  }
  busy.SpinWatchCursor2();
  EXPECT_EQ(busy.Frame(), 1);
  busy.SpinWatchCursor();
  EXPECT_EQ(busy.Frame(), 2);
  EXPECT_TRUE(cursors.watch);
  busy.ShowArrow();
  EXPECT_FALSE(cursors.watch);
}

}  // namespace
}  // namespace korvane::platform
