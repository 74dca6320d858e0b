// A screen drawn step by step, as the character writers and the primitives
// draw it, must look exactly the same after a repaint from the planes: pixel
// for pixel on the Qt back buffer, and cell for cell in the recorded calls.

#include <gtest/gtest.h>

#include <QImage>
#include <string>
#include <string_view>

#include "CellCanvas.h"
#include "fakes/RecordingPort.h"
#include "platform/qt/QtImagePort.h"
#include "fakes/FakeScreenHost.h"
#include "screen/Screen.h"

namespace korvane {
namespace {

using platform::TextMode;

constexpr int kWidth = 570, kHeight = 414;  // 24 rows of 80 columns at 12 points

void SetUpSession(SessionOptions& opt, Screen& s) {
  opt.TextSizeValue = 12;
  opt.CurrentForeColour = 17;
  opt.BackgroundColour = 18;
  opt.ReverseColour = 12;
  opt.Mode2Colour = 15;
  opt.UnderlineColour = 6;
  opt.BoldColour = 4;
  s.ComputeCellMetrics();
  s.ScreenCols = s.ColumnsSetting = 80;
}

// Prints text the way a character writer does: the attribute's drawing state,
// the cells, then the pending run in one text call at the cursor.
void Write(Screen& s, int row, int col, std::string_view text, int16_t code = kAttrNormal) {
  s.SetCursorRow(static_cast<int16_t>(row));
  s.SetCursorCol(static_cast<int16_t>(col));
  s.MoveToCell(row, col);
  s.TextStyleMode = code;
  s.SetTextRunAttributes();
  s.SetDrawColoursForAttribute();
  if (s.ReverseOn) s.port.SetTextMode(TextMode::Inverse);
  for (char ch : text) {
    s.ScreenChars(row, s.CursorCol()) = static_cast<uint8_t>(ch);
    s.ScreenAttrs(row, s.CursorCol()) = code;
    if (s.ColourMode()) {
      s.ScreenForeColours(row, s.CursorCol()) = s.CurrentForeColour;
      s.ScreenBackColours(row, s.CursorCol()) = s.CurrentBackColour;
    }
    s.SetCursorCol(s.CursorCol() + 1);
  }
  s.PendingRun = std::string(text);
  s.DrawPendingRun();
}

// A working screen: styled text, line-drawing characters, erased lines and
// parts of lines, and output that scrolled off the top.
void DrawSessionIncrementally(Screen& s) {
  s.ClearScreenAndHome();
  Write(s, 1, 1, "Korvane: the screen as the host left it");
  Write(s, 2, 1, "reverse", kAttrReverse);
  Write(s, 2, 9, "bold", kAttrBold);
  Write(s, 2, 14, "underline", kAttrUnderline);
  Write(s, 2, 24, "dim", kAttrDim);
  Write(s, 2, 28, "plain again");
  Write(s, 3, 1, "\xDA\xC4\xC4\xBF \xE3\xE3 \xB3\xC0\xD9", kAttrNormal);
  for (int r = 4; r <= 24; ++r)
    Write(s, r, 1, "line " + std::to_string(r) + " of the listing ...........", kAttrNormal);
  Write(s, 6, 20, "<reverse in the middle>", kAttrReverse);
  // Erase a whole line and the rest of another.
  s.SetCursorRow(8);
  s.SetCursorCol(1);
  s.MoveToCell(8, 1);
  s.EraseCursorLine();
  s.SetCursorRow(9);
  s.SetCursorCol(10);
  s.MoveToCell(9, 10);
  s.EraseToEndOfLineWithFlags();
  // Three lines of output at the bottom push the top lines away.
  for (int k = 1; k <= 3; ++k) {
    s.SetCursorRow(24);
    s.SetCursorCol(1);
    s.MoveToCell(24, 1);
    s.EraseCursorLine();
    Write(s, 24, 1, "output " + std::to_string(k), k == 2 ? kAttrBold : kAttrNormal);
    s.SetCursorRow(24);
    s.ScrollIfPastBottom();
  }
}

void DrawColouredSessionIncrementally(Screen& s) {
  s.ClearScreenAndHome();
  s.Opt.ColourModeA = 1;
  const struct {
    const char *fore, *back;
    int row, col;
    const char* text;
  } pieces[] = {
      {"2", "1", 1, 1, "green on blue"}, {"7", "0", 1, 15, "white on black"},  {"4", "6", 2, 5, "red on brown"},
      {"14", "5", 3, 1, "  padded  "},   {"1", "0", 4, 70, "blue at the end"},
  };
  for (const auto& p : pieces) {
    s.ForegroundColourChoice(p.fore);
    s.BackgroundColourChoice(p.back);
    Write(s, p.row, p.col, p.text);
  }
}

class GoldenOnQt : public ::testing::Test {
 protected:
  GoldenOnQt() : port(kWidth, kHeight), s(opt, port, host) { SetUpSession(opt, s); }

  // The text rows of the back buffer.
  QImage TextArea() const { return port.Image().copy(0, 0, kWidth, s.ScreenRows * s.CellHeight); }
  // Scribbles over the window, then repaints it from the planes.
  void RepaintOverScribble() {
    port.BackColour({65535, 0, 65535});
    port.EraseRect({0, 0, kWidth, kHeight});
    s.RedrawScreenFromBuffers();
  }
  static int DifferingPixels(const QImage& a, const QImage& b) {
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
      for (int x = 0; x < a.width(); ++x) n += a.pixel(x, y) != b.pixel(x, y);
    return n;
  }

  SessionOptions opt;
  platform::QtImagePort port;
  fakes::FakeScreenHost host;
  Screen s;
};

TEST_F(GoldenOnQt, RepaintMatchesIncrementalDrawingPixelForPixel) {
  DrawSessionIncrementally(s);
  const QImage drawn = TextArea();
  RepaintOverScribble();
  EXPECT_EQ(DifferingPixels(drawn, TextArea()), 0);
}

TEST_F(GoldenOnQt, RepaintMatchesIncrementalDrawingInColourMode) {
  DrawColouredSessionIncrementally(s);
  const QImage drawn = TextArea();
  RepaintOverScribble();
  EXPECT_EQ(DifferingPixels(drawn, TextArea()), 0);
}

TEST_F(GoldenOnQt, TextWrittenAfterARepaintLooksAsWithoutIt) {
  // The host set reverse, the window was repainted, and the host goes on
  // writing: the writer stores cells in the current attribute and draws its
  // run with the drawing state as it finds it.
  DrawSessionIncrementally(s);
  Write(s, 12, 1, "before", kAttrReverse);
  RepaintOverScribble();
  const std::string after = " after";
  s.MoveToCell(12, 7);
  for (int i = 0; i < static_cast<int>(after.size()); ++i) {
    s.ScreenChars(12, 7 + i) = static_cast<uint8_t>(after[i]);
    s.ScreenAttrs(12, 7 + i) = s.CurrentAttributeCode;
  }
  s.PendingRun = after;
  s.DrawPendingRun();
  const QImage written = TextArea();
  RepaintOverScribble();
  EXPECT_EQ(DifferingPixels(written, TextArea()), 0);
}

class GoldenOnRecording : public ::testing::Test {
 protected:
  GoldenOnRecording() : port(kWidth, kHeight), s(opt, port, host) { SetUpSession(opt, s); }
  testing_support::CellCanvas Canvas() const { return testing_support::CellCanvas(7, 15, 24, 80); }

  SessionOptions opt;
  fakes::RecordingPort port;
  fakes::FakeScreenHost host;
  Screen s;
};

TEST_F(GoldenOnRecording, RepaintedRunsGiveTheSameCellsAsTheDrawingDid) {
  for (auto draw : {&DrawSessionIncrementally, &DrawColouredSessionIncrementally}) {
    port.Clear();
    draw(s);
    auto drawn = Canvas();
    drawn.Play(port.calls);
    port.Clear();
    s.RedrawScreenFromBuffers();
    auto repainted = Canvas();
    repainted.Play(port.calls);
    for (int row = 1; row <= 24; ++row) {
      EXPECT_EQ(repainted.Text(row), drawn.Text(row)) << row;
      for (int col = 1; col <= 80; ++col) {
        ASSERT_NE(drawn.At(row, col), nullptr) << row << "," << col;
        ASSERT_NE(repainted.At(row, col), nullptr) << row << "," << col;
        EXPECT_TRUE(*repainted.At(row, col) == *drawn.At(row, col)) << "cell " << row << "," << col;
      }
    }
  }
}

TEST_F(GoldenOnRecording, ScrolledOffLinesAreGoneAndTheRestMovedUp) {
  DrawSessionIncrementally(s);
  port.Clear();
  s.RedrawScreenFromBuffers();
  auto canvas = Canvas();
  canvas.Play(port.calls);
  EXPECT_EQ(canvas.Text(1).substr(0, 10), "line 4 of ");
  EXPECT_EQ(canvas.Text(21).substr(0, 8), "output 1");
  EXPECT_EQ(canvas.Text(22).substr(0, 8), "output 2");
  EXPECT_EQ(canvas.Text(23).substr(0, 8), "output 3");
  EXPECT_EQ(canvas.Text(24).substr(0, 8), "        ");
}

}  // namespace
}  // namespace korvane
