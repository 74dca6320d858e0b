// Stored screen pages: saving, restoring and recalling by slot, by name and by
// region, and the host's page command (ESC j) with hostile numbers.

#include <array>
#include <vector>

#include "ScreenFixture.h"
#include "fakes/ScriptedHostBytes.h"

namespace korvane {
namespace {

using testing_support::ScreenTest;

// Every cell of the four page planes of the screen, rows 0..125.
std::vector<int16_t> Snapshot(const Screen& s) {
  std::vector<int16_t> out;
  for (auto p : {ScreenPlanes::kChars, ScreenPlanes::kAttrs, ScreenPlanes::kFore, ScreenPlanes::kBack})
    for (int r = 0; r < ScreenPlanes::kRows; ++r)
      for (int c = 0; c < ScreenPlanes::kCols; ++c) out.push_back(s.Grid.Cell(p, r, c));
  return out;
}

class PageTest : public ScreenTest {
 protected:
  PageTest() {
    opt.CurrentForeColour = 17;
    opt.BackgroundColour = 18;
    s.HostBytes = &bytes;
  }
  // Runs the page command on the bytes that follow ESC j.
  void Command(std::string_view afterEscJ) {
    bytes.Feed(afterEscJ);
    s.PageCommand();
  }
  // A row's text with blank cells, erased (0) or spaces, as '.': a recall
  // ends with a repaint, which turns the erased cells it draws into spaces.
  std::string Text(int row) {
    std::string out = Row(row);
    for (char& ch : out)
      if (ch == ' ') ch = '.';
    return out;
  }
  fakes::ScriptedHostBytes bytes;
};

TEST_F(PageTest, SaveWithAnEmptyNameStoresTheScreenAsPageOne) {
  FillScreen();
  Command("S,0,0,79,23,X\rnext");
  EXPECT_EQ(s.Pages.PageNames[1], "1");
  EXPECT_EQ(s.Pages.PageNameSlot[1], 1);
  EXPECT_EQ(s.Pages.PageRegion[1], (std::array<int16_t, 5>{0, 1, 1, 80, 24}));
  EXPECT_EQ(s.Pages.Cell(1, ScreenPlanes::kChars, 2, 1), 'K');
  EXPECT_EQ(s.Pages.Cell(1, ScreenPlanes::kChars, 4, 10), 'n');
  EXPECT_EQ(s.PageSaveSlot, 0);
  EXPECT_EQ(s.PageRestoreSlot, 0);
  EXPECT_EQ(bytes.rest(), "next") << "the command ends with its CR";
}

TEST_F(PageTest, RecallCopiesTheNamedRegionToTheDestination) {
  FillScreen();
  // Region from column 2, row 1, extents 3 and 2; both ranges include their end.
  Command("Spg,1,0,2,1,X\r");
  s.ClearScreenBuffers();
  Command("Rpg,4,1,X\r");
  EXPECT_EQ(Text(1), "..........");
  EXPECT_EQ(Text(2), "....BCDE..");
  EXPECT_EQ(Text(3), "....LMNO..");
  EXPECT_EQ(Text(4), "....VWXY..");
  EXPECT_EQ(s.PageRecallCol, 5);
  EXPECT_EQ(s.PageRecallRow, 2);
  EXPECT_EQ(s.PageRestoreSlot, 0);
}

TEST_F(PageTest, RecallPastTheLastColumnIsCutAndTheCutIsKept) {
  for (int c = 1; c <= 207; ++c) s.ScreenChars(1, c) = static_cast<int16_t>('a' + c % 26);
  Command("Swide,0,0,149,0,X\r");
  s.ClearScreenBuffers();
  Command("Rwide,199,0,X\r");  // destination column 200
  EXPECT_EQ(s.Pages.PageRegion[1][3], 7) << "207 - 200";
  EXPECT_EQ(s.ScreenChars(1, 200), 'a' + 1 % 26);
  EXPECT_EQ(s.ScreenChars(1, 207), 'a' + 8 % 26);
  EXPECT_EQ(s.ScreenChars(1, 199), 0);
}

TEST_F(PageTest, WholePageRestoreBringsBackEveryPlaneAndRepaints) {
  opt.ColourModeA = 1;
  FillScreen();
  s.ScreenAttrs(2, 3) = kAttrReverse;
  s.ScreenForeColours(3, 4) = 2;
  s.ScreenBackColours(3, 4) = 9;
  s.PageSaveSlot = 5;
  s.SaveScreenPage();
  s.ClearScreenBuffers();
  s.ClearScreenArrays();
  port.Clear();
  s.PageRestoreSlot = 5;
  s.RestoreScreenPage();
  // Rows 0..90 come back; the repaint wrote spaces into erased cells it drew.
  EXPECT_EQ(Row(1), "ABCDEFGHIJ");
  EXPECT_EQ(s.ScreenAttrs(2, 3), kAttrReverse);
  EXPECT_EQ(s.ScreenForeColours(3, 4), 2);
  EXPECT_EQ(s.ScreenBackColours(3, 4), 9);
  EXPECT_FALSE(port.Texts().empty()) << "the screen was repainted";
}

TEST_F(PageTest, ColourModeBRestoresThePagesBackgroundOnlyWhenOneWasKept) {
  opt.ColourModeB = 1;
  s.BackgroundColour = 9;
  s.PageSaveSlot = 2;
  s.SaveScreenPage();
  s.BackgroundColour = 18;
  s.PageRestoreSlot = 2;
  s.RestoreScreenPage();
  EXPECT_EQ(s.BackgroundColour, 9);
  EXPECT_EQ(s.CurrentBackColour, 9);
  // Slot 3 was never saved: the session keeps its background (0 is no colour).
  s.PageRestoreSlot = 3;
  s.RestoreScreenPage();
  EXPECT_EQ(s.BackgroundColour, 9);
}

TEST_F(PageTest, SlotNumbersOutsideOneToThirteenChangeNothing) {
  FillScreen();
  const auto before = Snapshot(s);
  const auto backColours = s.Pages.PageBackColour;
  opt.ColourModeB = 1;
  for (int slot : {-1, 14, 99, 32767}) {
    s.PageSaveSlot = static_cast<int16_t>(slot);
    s.SaveScreenPage();
    s.PageRestoreSlot = static_cast<int16_t>(slot);
    s.RestoreScreenPage();
    s.RecallPageRegion();
    EXPECT_TRUE(Snapshot(s) == before) << slot;
    EXPECT_EQ(s.Pages.PageBackColour, backColours) << slot;
  }
}

TEST_F(PageTest, HostileRecallNumbersChangeNothing) {
  struct Case {
    const char* save;
    const char* recall;
  };
  // Destinations off the screen (column 208 and beyond, rows below the last
  // one, numbers past 16 bits) and a region that starts before the page.
  const Case cases[] = {
      {"Sa,0,0,9,3,X\r", "Ra,207,0,X\r"},         {"Sa,0,0,9,3,X\r", "Ra,1000,0,X\r"},
      {"Sa,0,0,9,3,X\r", "Ra,99999,0,X\r"},       {"Sa,0,0,9,3,X\r", "Ra,0,4,X\r"},
      {"Sa,0,0,9,3,X\r", "Ra,0,500,X\r"},         {"Sa,0,0,9,3,X\r", "Ra,0,99999,X\r"},
      {"Sa,-5,0,9,3,X\r", "Ra,0,0,X\r"},          {"Sa,0,-5,9,3,X\r", "Ra,0,0,X\r"},
      {"Sa,-99999,-99999,9,3,X\r", "Ra,0,0,X\r"},
  };
  for (const Case& c : cases) {
    FillScreen();
    Command(c.save);
    s.ScreenChars(1, 1) = '#';
    const auto before = Snapshot(s);
    Command(c.recall);
    EXPECT_TRUE(Snapshot(s) == before) << c.save << " then " << c.recall;
    EXPECT_EQ(bytes.rest(), "") << c.recall;
  }
}

TEST_F(PageTest, NamesFillThirteenEntriesAndAKnownNameReusesItsSlot) {
  for (int i = 1; i <= 13; ++i) {
    s.ScreenChars(1, 1) = static_cast<int16_t>('A' + i);
    Command("Sname" + std::to_string(i) + ",0,0,9,3,X\r");
  }
  s.ScreenChars(1, 1) = '!';
  Command("Sfourteen,0,0,9,3,X\r");
  for (int i = 1; i <= 13; ++i) {
    EXPECT_EQ(s.Pages.PageNames[i], "name" + std::to_string(i));
    EXPECT_EQ(s.Pages.Cell(i, ScreenPlanes::kChars, 1, 1), 'A' + i) << "the 14th name saved nowhere";
  }
  s.ScreenChars(1, 1) = '*';
  Command("Sname7,0,0,9,3,X\r");
  EXPECT_EQ(s.Pages.Cell(7, ScreenPlanes::kChars, 1, 1), '*');
  EXPECT_EQ(s.Pages.Cell(6, ScreenPlanes::kChars, 1, 1), 'A' + 6);
}

TEST_F(PageTest, DeleteStopsEveryRecallUntilTheNameIsSavedAgain) {
  FillScreen();
  Command("Skeep,0,0,9,3,X\r");
  Command("Dwhatever\r");
  s.ClearScreenBuffers();
  Command("Rkeep,0,0,X\r");
  EXPECT_EQ(Row(1), "..........");
  FillScreen();
  Command("Skeep,0,0,9,3,X\r");
  s.ClearScreenBuffers();
  Command("Rkeep,0,0,X\r");
  EXPECT_EQ(Row(1), "ABCDEFGHIJ");
}

TEST_F(PageTest, ExtendedAnsiModeReadsTheCommandsButSavesAndRecallsNothing) {
  FillScreen();
  Command("Sx,0,0,9,3,X\r");
  opt.ExtendedAnsiMode = 1;
  s.ScreenChars(1, 1) = '?';
  Command("Sx,0,0,9,3,X\rR");
  EXPECT_EQ(s.Pages.Cell(1, ScreenPlanes::kChars, 1, 1), 'A');
  Command("x,0,0,X\rtail");
  EXPECT_EQ(s.ScreenChars(1, 1), '?');
  EXPECT_EQ(bytes.rest(), "tail");
}

TEST_F(PageTest, TheBytesAfterTheLastCommaAreReadUpToACrAtMost257) {
  Command("Sx,0,0,9,3," + std::string(300, 'z') + "tail");
  EXPECT_EQ(bytes.rest(), std::string(300 - 257, 'z') + "tail");
}

TEST_F(PageTest, AnUnfinishedCommandChangesNothingAndDoesNotWait) {
  FillScreen();
  const char* unfinished[] = {"S", "Sname", "Sname,1,2", "Sname,1,2,3,4,", "Rname,1", "Dname"};
  for (const char* text : unfinished) {
    fakes::ScriptedHostBytes cut(text);
    s.HostBytes = &cut;
    s.PageCommand();
    EXPECT_EQ(cut.reads, static_cast<int>(std::string_view(text).size()) + 1) << text << ": one time-out ends it";
    EXPECT_TRUE(s.Pages.PageNames[1].empty()) << text;
  }
  // A name or a number that runs on past 255 bytes is not taken either; the
  // rest of it goes back to the interpreter as text.
  for (std::string text :
       {"S" + std::string(400, 'n') + ",0,0,9,3,X\r", "Sname," + std::string(400, '1') + ",0,9,3,X\r"}) {
    fakes::ScriptedHostBytes runOn(text);
    s.HostBytes = &runOn;
    s.PageCommand();
    EXPECT_TRUE(s.Pages.PageNames[1].empty());
    EXPECT_LE(runOn.consumed(), 6u + 256u) << "stops reading at the field's limit";
  }
}

TEST_F(PageTest, AnyOtherSubCommandEndsAtOnce) {
  Command("Qrest");
  EXPECT_EQ(bytes.rest(), "rest");
}

TEST_F(PageTest, ClearPagesEmptiesThePlanesAndKeepsTheNames) {
  FillScreen();
  Command("Skept,0,0,9,3,X\r");
  s.ClearPages();
  EXPECT_EQ(s.Pages.Cell(1, ScreenPlanes::kChars, 1, 1), 0);
  EXPECT_EQ(s.Pages.PageNames[1], "kept");
  EXPECT_EQ(s.Pages.PageNameSlot[1], 1);
}

TEST_F(PageTest, PageOperationsKeepTheScreenInTheScrollBackFirst) {
  opt.ScrollBackOn = 1;
  FillScreen();
  // With a slot, and with none (no free name): the screen is kept either way.
  for (const int16_t slot : {int16_t{1}, int16_t{0}}) {
    s.ClearScrollback();
    const int16_t pos = s.ScrollBackLinePos;
    s.PageSaveSlot = slot;
    s.SaveScreenPage();
    EXPECT_EQ(s.ScrollBackLinePos, pos + s.ScreenRows) << "slot " << slot;
    EXPECT_EQ(s.ScrollBack.Cell(ScrollBackPlanes::kChars, pos - s.ScreenRows + 1, 1), 'A') << "slot " << slot;
    // Nothing was printed since: the same screen is not kept twice.
    s.SaveScreenPage();
    EXPECT_EQ(s.ScrollBackLinePos, pos + s.ScreenRows) << "slot " << slot;
  }
}

}  // namespace
}  // namespace korvane
