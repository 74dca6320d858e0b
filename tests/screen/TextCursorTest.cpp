// The text cursor on the Qt back buffer: its exact pixels at every text size,
// and that blinking, moving, hiding and repainting never leave inverted
// pixels behind.

#include <gtest/gtest.h>

#include <QImage>
#include <string>

#include "platform/qt/QtImagePort.h"
#include "fakes/FakeScreenHost.h"
#include "screen/Screen.h"

namespace korvane {
namespace {

class CursorOnQt : public ::testing::Test {
 protected:
  CursorOnQt() : port(570, 414), s(opt, port, host) {
    opt.TextSizeValue = 12;
    opt.CurrentForeColour = 17;
    opt.BackgroundColour = 18;
    opt.BlockCursor = 1;
    s.ComputeCellMetrics();
    s.ScreenCols = s.ColumnsSetting = 80;
    s.ClearScreenAndHome();
  }
  // Text on every row, written into the planes and drawn.
  void DrawText() {
    for (int r = 1; r <= s.ScreenRows; ++r) {
      const std::string text = "row " + std::to_string(r) + " \xE3\xE3 some text to cover the cells";
      for (int c = 0; c < static_cast<int>(text.size()); ++c) s.ScreenChars(r, c + 1) = static_cast<uint8_t>(text[c]);
      s.MoveToCell(r, 1);
      s.PendingRun = text;
      s.DrawPendingRun();
    }
  }
  void At(int row, int col) {
    s.SetCursorRow(static_cast<int16_t>(row));
    s.SetCursorCol(static_cast<int16_t>(col));
    s.MoveToCell(row, col);
  }
  QImage Shot() const { return port.Image().copy(); }
  // The pixels that differ, and the box around them.
  static int Differences(const QImage& a, const QImage& b, QRect* box = nullptr) {
    int n = 0;
    QRect r;
    for (int y = 0; y < a.height(); ++y)
      for (int x = 0; x < a.width(); ++x)
        if (a.pixel(x, y) != b.pixel(x, y)) {
          ++n;
          r |= QRect(x, y, 1, 1);
        }
    if (box) *box = r;
    return n;
  }

  SessionOptions opt;
  platform::QtImagePort port;
  fakes::FakeScreenHost host;
  Screen s;
};

TEST_F(CursorOnQt, TheBlockCoversCellAscentLinesOfTheCursorWidthInsideItsCell) {
  struct Case {
    int16_t size;
    int width;  // pixels of each line
  };
  // At 12 points: 12 lines of 6 pixels in a 7-pixel cell.
  const Case cases[] = {{9, 5}, {12, 6}, {16, 8}, {18, 12}, {24, 14}};
  for (const Case& c : cases) {
    opt.TextSizeValue = c.size;
    s.ComputeCellMetrics();
    s.ClearScreenAndHome();
    At(2, 3);
    const QImage before = Shot();
    s.DrawTextCursor();
    QRect box;
    EXPECT_EQ(Differences(before, Shot(), &box), c.width * s.CellAscent) << c.size;
    const int h = s.CellWidth * 2 + 4, v = 2 * s.CellHeight - 3;
    EXPECT_EQ(box, QRect(h, v - s.CellAscent + 1, c.width, s.CellAscent)) << c.size;
    EXPECT_LE(box.right(), h + s.CellWidth - 1) << c.size << ": stays inside its cell";
    s.EraseTextCursor();
    EXPECT_EQ(Differences(before, Shot()), 0) << c.size;
  }
}

TEST_F(CursorOnQt, TheUnderlineCoversTwoLinesFromTheBaseline) {
  opt.BlockCursor = 0;
  At(3, 5);
  const QImage before = Shot();
  s.DrawTextCursor();
  QRect box;
  EXPECT_EQ(Differences(before, Shot(), &box), 2 * 6);
  EXPECT_EQ(box, QRect(32, 42, 6, 2));
  EXPECT_EQ(port.Pen(), (platform::Point{32, 42}));
  s.EraseTextCursor();
  EXPECT_EQ(Differences(before, Shot()), 0);
}

TEST_F(CursorOnQt, AHiddenCursorChangesNoPixel) {
  DrawText();
  At(4, 4);
  s.CursorHidden = 1;
  const QImage before = Shot();
  s.DrawTextCursor();
  EXPECT_EQ(Differences(before, Shot()), 0);
  s.EraseTextCursor();
  EXPECT_EQ(Differences(before, Shot()), 0);
  EXPECT_EQ(s.CursorDrawn, 0);
}

TEST_F(CursorOnQt, BlinkingAndMovingLeaveNoInvertedCellsBehind) {
  DrawText();
  const QImage clean = Shot();
  const struct { int row, col; } path[] = {{1, 1}, {1, 2}, {5, 10}, {24, 80}, {12, 40}, {12, 41}, {3, 1}};
  for (const auto& p : path) {
    // The output path takes the cursor away before the cursor moves; the
    // idle pass blinks it where it is now.
    s.EraseTextCursor();
    At(p.row, p.col);
    for (int blink = 0; blink < 3; ++blink) {
      s.DrawTextCursor();
      s.EraseTextCursor();
      s.MoveToCell(p.row, p.col);
    }
    s.DrawTextCursor();
  }
  s.EraseTextCursor();
  EXPECT_EQ(Differences(clean, Shot()), 0);
}

TEST_F(CursorOnQt, DrawingAgainWithoutAnEraseMovesTheCursor) {
  DrawText();
  const QImage clean = Shot();
  At(2, 2);
  s.DrawTextCursor();
  At(10, 30);
  s.DrawTextCursor();
  QRect box;
  EXPECT_EQ(Differences(clean, Shot(), &box), 6 * 12);
  EXPECT_EQ(box.left(), 4 + 29 * 7) << "only the cursor at its new cell is shown";
  s.EraseTextCursor();
  EXPECT_EQ(Differences(clean, Shot()), 0);
}

TEST_F(CursorOnQt, HidingADrawnCursorTakesItsImageAway) {
  DrawText();
  const QImage clean = Shot();
  At(6, 6);
  s.DrawTextCursor();
  s.CursorHidden = 1;  // the host hides the cursor while it is shown
  s.EraseTextCursor();
  EXPECT_EQ(Differences(clean, Shot()), 0);
  // Shown again and erased by the next output: nothing is inverted twice.
  s.CursorHidden = 0;
  s.EraseTextCursor();
  EXPECT_EQ(Differences(clean, Shot()), 0);
}

TEST_F(CursorOnQt, ARepaintUnderADrawnCursorIsNotInvertedAgainByTheErase) {
  DrawText();
  At(7, 3);
  s.DrawTextCursor();
  s.RedrawScreenFromBuffers();
  const QImage repainted = Shot();
  s.EraseTextCursor();
  EXPECT_EQ(Differences(repainted, Shot()), 0);
  // The same for a repaint that draws over the cells without erasing first.
  At(7, 3);
  s.DrawTextCursor();
  s.RepaintWithoutErase = 1;
  s.RedrawScreenFromBuffers();
  s.EraseTextCursor();
  EXPECT_EQ(Differences(repainted, Shot()), 0);
}

TEST_F(CursorOnQt, TheFigureDrawnIsTheFigureErasedWhateverChangedMeanwhile) {
  DrawText();
  const QImage clean = Shot();
  At(8, 8);
  s.DrawTextCursor();
  opt.BlockCursor = 0;  // the host changes the cursor's shape while it is drawn
  s.SetCursorRow(9);    // and moves the cursor without drawing anything
  s.SetCursorCol(1);
  s.MoveToCell(9, 1);
  s.EraseTextCursor();
  EXPECT_EQ(Differences(clean, Shot()), 0);
  EXPECT_EQ(port.Pen(), (platform::Point{4 + 7 * 7, 8 * 15 - 3})) << "the pen is left where the cursor was drawn";
}

TEST_F(CursorOnQt, AnUnderlineErasedAfterAClearIsPaintedInTheBackground) {
  opt.BlockCursor = 0;
  DrawText();
  At(2, 2);
  s.DrawTextCursor();
  // The cells under the cursor were redrawn by something that drew in copy
  // mode; inverting again would show the underline.
  s.MoveToCell(2, 1);
  s.PendingRun = "row";
  s.DrawPendingRun();
  const QImage redrawn = Shot();
  s.CursorEraseInverse = 1;
  s.EraseTextCursor();
  QRect box;
  const int n = Differences(redrawn, Shot(), &box);
  EXPECT_LE(n, 12);
  for (int x = 11; x <= 16; ++x) {
    EXPECT_EQ(port.Image().pixel(x, 27) & 0xFFFFFF, 0u) << x;
    EXPECT_EQ(port.Image().pixel(x, 28) & 0xFFFFFF, 0u) << x;
  }
  EXPECT_EQ(s.CursorEraseInverse, 0);
}

}  // namespace
}  // namespace korvane
