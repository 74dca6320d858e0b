// The cells a dragged rectangle covers at each text size and layout, their
// text and picture, and the copy to the clipboard with its flash.

#include "output/Selection.h"

#include "output/MouseClicks.h"

#include "OutputFixture.h"
#include "platform/CharMap.h"
#include "screen/Palette.h"

namespace korvane {
namespace {

using output::CellRange;
using output::SelectionCells;
using output::SelectionText;
using platform::Rect;
using testing_support::OutputTest;

// ---- Pixels to cells at every text size and layout ------------------------------

struct Layout {
  const char* name;
  int16_t textSize, fontSizeMode, plainFace;
  int8_t wideSmall;
  int width, height, descent;  // the cell the layout has
};

// The cell width of each size and small-type variant, and the line height
// and descent that go with it.
constexpr Layout kLayouts[] = {
    {"size9", 9, 0, 0, 0, 6, 11, 1},      {"size12", 12, 0, 0, 0, 7, 15, 2},   {"size16", 16, 0, 0, 0, 9, 16, 2},
    {"size18", 18, 0, 0, 0, 12, 24, 5},   {"size24", 24, 0, 0, 0, 14, 30, 5},  {"smallType", 9, 1, 0, 0, 4, 11, 1},
    {"smallPlain", 9, 1, 1, 0, 6, 11, 1}, {"smallWide", 9, 1, 1, 1, 7, 15, 2},
};

class SelectionLayoutTest : public OutputTest, public ::testing::WithParamInterface<Layout> {
 protected:
  void SetUp() override {
    const Layout& l = GetParam();
    opt.TextSizeValue = l.textSize;
    opt.FontSizeMode = l.fontSizeMode;
    opt.PlainFaceSwitch = l.plainFace;
    opt.FontOption139 = l.wideSmall;
    s.ComputeCellMetrics();
    s.ScreenRows = 24;
  }
};

TEST_P(SelectionLayoutTest, PixelsBecomeTheCellsTheirRulesGive) {
  const Layout& l = GetParam();
  const int w = l.width, h = l.height, d = l.descent, half = w / 2;
  ASSERT_EQ(output::CharWidthForSize(s), w);
  ASSERT_EQ(s.CellHeight, h);
  ASSERT_EQ(s.CellDescent, d);

  // Columns 1..10 exactly, rows 1..3.
  EXPECT_EQ(SelectionCells(s, {4, 0, 4 + 10 * w, 3 * h - 4}), (CellRange{1, 3, 1, 10}));
  // A column counts once the rectangle takes in half of it.
  EXPECT_EQ(SelectionCells(s, {4 + w - half, 0, 4 + 10 * w, 3 * h}).firstCol, 2);
  EXPECT_EQ(SelectionCells(s, {4 + w - half - 1, 0, 4 + 10 * w, 3 * h}).firstCol, 1);
  EXPECT_EQ(SelectionCells(s, {4, 0, 10 * w + 1, 3 * h}).lastCol, 10);
  EXPECT_EQ(SelectionCells(s, {4, 0, 10 * w, 3 * h}).lastCol, 9);
  // A row counts from the pixel below the descent of the row above it.
  EXPECT_EQ(SelectionCells(s, {4, h - d - 1, 40, 3 * h}).firstRow, 2);
  EXPECT_EQ(SelectionCells(s, {4, h - d - 2, 40, 3 * h}).firstRow, 1);
  EXPECT_EQ(SelectionCells(s, {4, 0, 40, 3 * h - 4}).lastRow, 3);
  EXPECT_EQ(SelectionCells(s, {4, 0, 40, 3 * h - 5}).lastRow, 2);

  // The cell under the pointer for a click, from 0; the left margin is column 0.
  EXPECT_EQ(output::CellUnderPointer(s, 4 + 3 * w, 2 * h), (output::MouseCell{3, 2}));
  EXPECT_EQ(output::CellUnderPointer(s, 4 + 3 * w - 1, 2 * h - 1), (output::MouseCell{2, 1}));
  EXPECT_EQ(output::CellUnderPointer(s, 0, 0), (output::MouseCell{0, 0}));
}

INSTANTIATE_TEST_SUITE_P(EachSize, SelectionLayoutTest, ::testing::ValuesIn(kLayouts),
                         [](const auto& layout) { return std::string(layout.param.name); });

TEST_F(OutputTest, TwelvePointDragFromFourToSeventyFourCoversColumnsOneToTen) {
  EXPECT_EQ(SelectionCells(s, {4, 0, 74, 40}).firstCol, 1);
  EXPECT_EQ(SelectionCells(s, {4, 0, 74, 40}).lastCol, 10);
  EXPECT_EQ(SelectionCells(s, {8, 0, 74, 40}).firstCol, 2);
}

TEST_F(OutputTest, SelectionStaysInsideTheTextArea) {
  // Far beyond the right edge and the bottom, and above and left of the window.
  const CellRange c = SelectionCells(s, {-50, -50, 5000, 5000});
  EXPECT_EQ(c, (CellRange{1, 25, 1, 206}));  // the screen's rows and the host's status line
  opt.FontSizeMode = 1;                      // small type draws no status line from the cells
  s.ComputeCellMetrics();
  s.ScreenRows = 24;
  EXPECT_EQ(SelectionCells(s, {-50, -50, 5000, 5000}).lastRow, 24);
  // A rectangle in the margin covers no cell.
  EXPECT_TRUE(SelectionCells(s, {0, 0, 3, 3}).Empty());
}

// ---- The text of the cells -----------------------------------------------------

TEST_F(OutputTest, TextDropsTrailingBlanksAndKeepsAnEmptyLastRow) {
  Put(1, 1, "ab   ");
  Put(2, 1, " cd");
  s.ScreenChars(2, 5) = 'e';  // the cells between are empty (0) and show as blanks
  EXPECT_EQ(SelectionText(s, {1, 3, 1, 10}), "ab\n cd e\n");
}

TEST_F(OutputTest, TextOfLineGraphicsCellsIsBoxDrawing) {
  // A frame drawn in the screen font's line-drawing codes, and one in the
  // code page 437 codes of the PC font.
  Put(1, 1, "\xDE\xE6\xDF");
  Put(2, 1, "\xE2 \xE2");
  Put(3, 1, "\xDD\xE6\xE1");
  EXPECT_EQ(SelectionText(s, {1, 3, 1, 3}), "┌─┐\n│ │\n└─┘");
  s.ScreenFontId = platform::kPcScreenFont;
  Put(1, 1, "\xDA\xC4\xBF");
  EXPECT_EQ(SelectionText(s, {1, 1, 1, 3}), "┌─┐");
}

TEST_F(OutputTest, TextOfHighCodesIsMacRomanInUtf8) {
  Put(1, 1, "caf\x8E \xA5");
  EXPECT_EQ(SelectionText(s, {1, 1, 1, 6}), "café •");
}

TEST_F(OutputTest, WideLayoutCopiesEveryColumnUpToTheLast) {
  port.SetSize(1000, 420);
  s.ScreenCols = 132;
  Put(1, 127, "RIGHT!");
  Put(1, 1, "left");
  const CellRange c = SelectionCells(s, {0, 0, 1000, 14});
  ASSERT_EQ(c.lastCol, 142);  // (1000 + 6) / 7 - 1
  EXPECT_EQ(SelectionText(s, c), "left" + std::string(122, ' ') + "RIGHT!");
}

TEST_F(OutputTest, TextComesFromTheScrollbackViewWhileItIsShown) {
  opt.ScrollBackOn = 1;
  s.ScrollBackViewShown = 1;
  s.ScrollBackViewLine = 100;
  const char* line = "old line";
  for (int c = 0; line[c]; ++c) s.ScrollBack.Cell(ScrollBackPlanes::kChars, 100 - 24 + 2, c + 1) = line[c];
  Put(2, 1, "live");
  EXPECT_EQ(SelectionText(s, {2, 2, 1, 8}), "old line");
}

// ---- The picture of the cells -------------------------------------------------

TEST_F(OutputTest, PictureTakesTheCellsColoursAndFaces) {
  opt.ReverseColour = 2;
  opt.BoldColour = 6;
  Put(1, 1, "ab", kAttrNormal);
  Put(1, 3, "cd", kAttrReverse);
  Put(1, 5, "e", kAttrBold);
  s.ScreenAttrs(1, 6) = 8;  // a code without a style continues the bold run
  s.ScreenChars(1, 6) = 'f';
  const platform::CellPicture p = output::SelectionPicture(s, {1, 1, 2, 6});
  ASSERT_EQ(p.rows, 1);
  ASSERT_EQ(p.cols, 5);
  EXPECT_EQ(p.Width(), 35);
  EXPECT_EQ(p.Height(), 15);
  EXPECT_EQ(p.At(0, 0).glyph, U'b');
  EXPECT_EQ(p.At(0, 0).fore, kScreenPalette[17]);
  EXPECT_EQ(p.At(0, 0).back, kScreenPalette[18]);
  // Reverse: the reverse colour becomes the background, the text takes the background.
  EXPECT_EQ(p.At(0, 1).back, kScreenPalette[2]);
  EXPECT_EQ(p.At(0, 1).fore, kScreenPalette[18]);
  EXPECT_TRUE(p.At(0, 3).bold);
  EXPECT_EQ(p.At(0, 3).fore, kScreenPalette[6]);
  EXPECT_TRUE(p.At(0, 4).bold);
  EXPECT_EQ(p.At(0, 4).glyph, U'f');
}

TEST_F(OutputTest, PictureInColourModeTakesTheColourPlanes) {
  opt.ColourModeA = 1;
  Put(1, 1, "x");
  s.ScreenForeColours(1, 1) = 4;
  s.ScreenBackColours(1, 1) = 9;
  const platform::CellPicture p = output::SelectionPicture(s, {1, 1, 1, 1});
  EXPECT_EQ(p.At(0, 0).fore, kScreenPalette[4]);
  EXPECT_EQ(p.At(0, 0).back, kScreenPalette[9]);
}

// ---- The copy -----------------------------------------------------------------------

TEST_F(OutputTest, TextCopyPutsTheTextOnClipboardAndSelectionThenFlashes) {
  opt.UseCameraSound = 1;
  Put(1, 1, "hello");
  Put(2, 1, "world");
  port.Clear();
  ASSERT_TRUE(copier.SnapshotScreenToPdf(CellsRect(1, 1, 2, 5), true));
  EXPECT_EQ(board.text, "hello\nworld");
  EXPECT_EQ(board.selection, "hello\nworld");
  // The cells copied are inverted, and inverted back 200 ms later with the sound.
  ASSERT_EQ(port.Of("InvertRect").size(), 1u);
  EXPECT_EQ(port.Of("InvertRect")[0].rect, (Rect{3, 0, 39, 30}));
  EXPECT_TRUE(copier.SelectionFlashPending());
  clock.AdvanceMs(199);
  copier.Step();
  EXPECT_TRUE(host.sounds.empty());
  clock.AdvanceMs(1);
  copier.Step();
  EXPECT_FALSE(copier.SelectionFlashPending());
  ASSERT_EQ(port.Of("InvertRect").size(), 2u);
  EXPECT_EQ(port.Of("InvertRect")[1].rect, port.Of("InvertRect")[0].rect);
  EXPECT_EQ(host.sounds, std::vector<std::string>{"camera.aiff"});
}

TEST_F(OutputTest, PictureCopyReplacesTheTextWithPdfAndPng) {
  board.text = "old";
  Put(1, 1, "pic");
  ASSERT_TRUE(copier.SnapshotScreenToPdf(CellsRect(1, 1, 1, 3), false));
  EXPECT_FALSE(board.text.has_value());
  EXPECT_EQ(board.pdf, "PDF 21x15");
  EXPECT_EQ(board.png, "PNG 21x15");
  ASSERT_EQ(pictures.pictures.size(), 1u);
  EXPECT_EQ(pictures.pictures[0].At(0, 2).glyph, U'c');
  opt.UseCameraSound = 1;
  clock.AdvanceMs(200);
  copier.Step();
  EXPECT_EQ(host.sounds, std::vector<std::string>{"camera picture.aiff"});
}

TEST_F(OutputTest, FailedPictureIsReportedAndLeavesTheClipboard) {
  board.text = "kept";
  pictures.fail = true;
  Put(1, 1, "pic");
  EXPECT_FALSE(copier.SnapshotScreenToPdf(CellsRect(1, 1, 1, 3), false));
  EXPECT_EQ(board.text, "kept");
  EXPECT_EQ(host.alerts.size(), 1u);
  EXPECT_TRUE(port.Of("InvertRect").empty());
}

TEST_F(OutputTest, RectangleWithoutCellsCopiesNothing) {
  board.text = "kept";
  EXPECT_FALSE(copier.SnapshotScreenToPdf({0, 0, 3, 3}, true));
  EXPECT_EQ(board.text, "kept");
  EXPECT_EQ(board.sets, 0);
}

TEST_F(OutputTest, WholeScreenSnapshotFollowsTheSelectionSetting) {
  Put(1, 1, "top");
  Put(24, 1, "bottom");
  opt.SelectionOption = 1;
  ASSERT_TRUE(copier.SnapshotWholeScreen());
  ASSERT_TRUE(board.text.has_value());
  // The text area less the bar at the foot: (420 - 44 + 4) / 15 = 25 rows.
  EXPECT_EQ(*board.text, "top" + std::string(23, '\n') + "bottom\n");
  opt.SelectionOption = 0;
  ASSERT_TRUE(copier.SnapshotWholeScreen());
  EXPECT_FALSE(board.text.has_value());
  ASSERT_EQ(pictures.pictures.size(), 1u);
  EXPECT_EQ(pictures.pictures[0].rows, 25);
  EXPECT_EQ(pictures.pictures[0].cols, 81);  // (574 + 6) / 7 - 1
}

}  // namespace
}  // namespace korvane
