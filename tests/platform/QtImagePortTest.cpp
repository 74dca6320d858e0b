// The Qt drawing port, checked pixel by pixel on the offscreen platform.

#include <gtest/gtest.h>

#include <functional>

#include "platform/qt/QtImagePort.h"

namespace korvane::platform {
namespace {

constexpr RGB kRed{65535, 0, 0}, kBlue{0, 0, 65535}, kWhite{65535, 65535, 65535}, kBlack{0, 0, 0};

uint32_t Px(const QtImagePort& p, int x, int y) { return p.Image().pixel(x, y) & 0xFFFFFFu; }
constexpr uint32_t kRedPx = 0xFF0000, kBluePx = 0x0000FF, kWhitePx = 0xFFFFFF, kBlackPx = 0;

TEST(QtImagePort, RectanglesExcludeTheirRightAndBottomEdges) {
  QtImagePort p(40, 30);
  p.BackColour(kWhite);
  p.EraseRect({0, 0, 40, 30});
  p.BackColour(kRed);
  p.EraseRect({10, 5, 20, 15});
  EXPECT_EQ(Px(p, 10, 5), kRedPx);
  EXPECT_EQ(Px(p, 19, 14), kRedPx);
  EXPECT_EQ(Px(p, 20, 14), kWhitePx);
  EXPECT_EQ(Px(p, 19, 15), kWhitePx);
  EXPECT_EQ(Px(p, 9, 5), kWhitePx);
  p.ForeColour(kBlue);
  p.PaintRect({-5, -5, 3, 3});  // clipped to the window
  EXPECT_EQ(Px(p, 2, 2), kBluePx);
  EXPECT_EQ(Px(p, 3, 3), kWhitePx);
}

TEST(QtImagePort, LinesCoverBothEndsAndXorRestores) {
  QtImagePort p(20, 10);
  p.BackColour(kWhite);
  p.EraseRect({0, 0, 20, 10});
  p.ForeColour(kBlack);
  p.MoveTo(2, 4);
  p.LineTo(8, 4);
  EXPECT_EQ(Px(p, 2, 4), kBlackPx);
  EXPECT_EQ(Px(p, 8, 4), kBlackPx);
  EXPECT_EQ(Px(p, 9, 4), kWhitePx);
  EXPECT_EQ(p.Pen(), (Point{8, 4}));
  const QImage before = p.Image().copy();
  p.SetPenMode(PenMode::Xor);
  p.MoveTo(0, 6);
  p.LineTo(19, 6);
  EXPECT_EQ(Px(p, 5, 6), kBlackPx);
  p.MoveTo(0, 6);
  p.LineTo(19, 6);
  EXPECT_EQ(p.Image(), before);
  p.InvertRect({0, 0, 20, 10});
  p.InvertRect({0, 0, 20, 10});
  EXPECT_EQ(p.Image(), before);
}

TEST(QtImagePort, ScrollMovesPixelsAndClearsWhatItUncovers) {
  QtImagePort p(10, 40);
  for (int band = 0; band < 4; ++band) {
    p.BackColour(band == 0 ? kRed : band == 1 ? kBlue : band == 2 ? kWhite : kRed);
    p.EraseRect({0, band * 10, 10, band * 10 + 10});
  }
  p.BackColour(kBlack);
  p.ScrollRect({0, 0, 10, 30}, 0, -10);
  EXPECT_EQ(Px(p, 5, 0), kBluePx);
  EXPECT_EQ(Px(p, 5, 10), kWhitePx);
  EXPECT_EQ(Px(p, 5, 25), kBlackPx) << "uncovered rows take the background";
  EXPECT_EQ(Px(p, 5, 35), kRedPx) << "nothing changes outside the rectangle";
  p.ScrollRect({0, 0, 10, 20}, 0, 10);
  EXPECT_EQ(Px(p, 5, 15), kBluePx);
  EXPECT_EQ(Px(p, 5, 5), kBlackPx);
  EXPECT_EQ(Px(p, 5, 25), kBlackPx);
}

TEST(QtImagePort, TextFillsItsCellsAndAdvancesThePen) {
  QtImagePort p(100, 40);
  p.BackColour(kWhite);
  p.EraseRect({0, 0, 100, 40});
  p.TextCell(7, 12, 3);
  p.TextFont(kScreenFont);
  p.ForeColour(kBlack);
  p.BackColour(kRed);
  p.MoveTo(4, 27);
  const uint8_t full[] = {227, 227};  // full blocks
  p.DrawText(full, 2);
  EXPECT_EQ(p.Pen(), (Point{18, 27}));
  // The cells span x 4..17 and y 15..29 (12 above the baseline, 3 from it down).
  EXPECT_EQ(Px(p, 4, 15), kBlackPx);
  EXPECT_EQ(Px(p, 17, 29), kBlackPx);
  EXPECT_EQ(Px(p, 18, 27), kWhitePx);
  EXPECT_EQ(Px(p, 4, 14), kWhitePx);
  EXPECT_EQ(Px(p, 4, 30), kWhitePx);
  const uint8_t blank[] = {' '};
  p.DrawText(blank, 1);
  EXPECT_EQ(Px(p, 20, 20), kRedPx) << "a blank shows the background band";
  p.SetTextMode(TextMode::Inverse);
  p.DrawText(blank, 1);
  EXPECT_EQ(Px(p, 27, 20), kBlackPx) << "inverse text swaps the colours";
}

TEST(QtImagePort, LetterGlyphsSitInTheirCell) {
  QtImagePort p(60, 40);
  p.BackColour(kWhite);
  p.EraseRect({0, 0, 60, 40});
  p.TextCell(12, 18, 6);
  p.ForeColour(kBlack);
  p.MoveTo(10, 30);
  const uint8_t text[] = {'H'};
  p.DrawText(text, 1);
  int inked = 0, outside = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 60; ++x)
      if (Px(p, x, y) != kWhitePx) {
        const bool inCell = x >= 10 && x < 22 && y >= 12 && y < 36;
        (inCell ? inked : outside)++;
      }
  EXPECT_GT(inked, 10);
  EXPECT_EQ(outside, 0);
  // The bar of the H crosses the middle column above the baseline.
  bool bar = false;
  for (int y = 18; y < 30; ++y) bar |= Px(p, 16, y) != kWhitePx;
  EXPECT_TRUE(bar);
  EXPECT_EQ(Px(p, 16, 31), kWhitePx) << "nothing below the baseline";
}

// The glyph tiles are cached by what their pixels depend on and looked up
// through a table per style; text must look the same whatever styles were
// drawn before it and however often the caches were emptied.
QImage CellsOf(const QtImagePort& p) { return p.Image().copy(0, 0, 80, 40); }

void DrawSample(QtImagePort& p, TextMode mode, RGB fore, RGB back, int16_t face) {
  p.SetTextMode(mode);
  p.ForeColour(fore);
  p.BackColour(back);
  p.TextFace(face);
  p.MoveTo(4, 27);
  const uint8_t text[] = {'H', 'g', ' ', '_', 227, 'H'};
  p.DrawText(text, sizeof text);
}

QtImagePort FreshPort() {
  QtImagePort p(80, 40);
  p.TextCell(12, 18, 6);
  p.BackColour(kWhite);
  p.EraseRect({0, 0, 80, 40});
  return p;
}

TEST(QtImagePortTiles, TextLooksTheSameAfterManyOtherStyles) {
  const struct {
    TextMode mode;
    int16_t face;
  } cases[] = {{TextMode::Copy, kFacePlain},
               {TextMode::Inverse, kFaceUnderline},
               {TextMode::Copy, kFaceBold | kFaceCondense},
               {TextMode::Or, kFacePlain}};
  for (const auto& c : cases) {
    QtImagePort fresh = FreshPort();
    DrawSample(fresh, c.mode, kRed, kBlue, c.face);
    QtImagePort used = FreshPort();
    DrawSample(used, c.mode, kRed, kBlue, c.face);
    // More styles than the cache keeps, each with tiles of its own.
    for (int i = 0; i < 700; ++i)
      DrawSample(used, i % 2 ? TextMode::Inverse : TextMode::Copy, RGB{uint16_t(i * 90), 0, 0}, kWhite, kFacePlain);
    used.BackColour(kWhite);
    used.EraseRect({0, 0, 80, 40});
    DrawSample(used, c.mode, kRed, kBlue, c.face);
    EXPECT_EQ(CellsOf(used), CellsOf(fresh)) << "mode " << int(c.mode) << ", face " << c.face;
  }
}

TEST(QtImagePortTiles, InverseTextIsCopyTextInSwappedColoursAndPointSizeDoesNotMatter) {
  QtImagePort inverse = FreshPort();
  inverse.TextSize(12);
  DrawSample(inverse, TextMode::Inverse, kRed, kBlue, kFaceUnderline);
  QtImagePort copy = FreshPort();
  copy.TextSize(13);  // the screen font's glyphs are sized by the cell
  DrawSample(copy, TextMode::Copy, kBlue, kRed, kFaceUnderline);
  EXPECT_EQ(CellsOf(inverse), CellsOf(copy));
  // Drawn in the other order in one port, through the shared tiles.
  DrawSample(copy, TextMode::Inverse, kRed, kBlue, kFaceUnderline);
  EXPECT_EQ(CellsOf(inverse), CellsOf(copy));
  EXPECT_EQ(Px(copy, 4 + 12 * 2 + 3, 20), kRedPx) << "inverse text stands on a band of its foreground";
}

// A glyph is rendered once and shown in every colour pair: each pixel lies
// between paper and ink as far as the glyph covers it, the same in every pair.
TEST(QtImagePortTiles, AGlyphCoversTheSamePixelsInEveryColourPair) {
  QtImagePort plain = FreshPort();
  DrawSample(plain, TextMode::Copy, kBlack, kWhite, kFaceBold);
  QtImagePort coloured = FreshPort();
  DrawSample(coloured, TextMode::Copy, kRed, kBlue, kFaceBold);
  int partly = 0, full = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 80; ++x) {
      const uint32_t grey = Px(plain, x, y), c = Px(coloured, x, y);
      const int cover = 255 - int(grey & 0xFF), red = int(c >> 16), green = int(c >> 8 & 0xFF), blue = int(c & 0xFF);
      if (x < 4 || x >= 76 || y < 9 || y >= 33) continue;  // outside the six cells
      ASSERT_EQ(green, 0) << x << "," << y;
      ASSERT_NEAR(red + blue, 255, 1) << x << "," << y;
      ASSERT_NEAR(red, cover, 1) << x << "," << y;
      partly += cover > 0 && cover < 255;
      full += cover == 255;
    }
  EXPECT_GT(full, 20);
  EXPECT_GT(partly, 0) << "the glyphs' edges are smoothed";
}

// Only what changes pixels is marked for the window to show again: the
// repaint of a flood erases the whole window and draws every cell, most of
// them as they were, and the margins and what lies under the controls must
// not be shown (nor the controls painted) again with every frame.
TEST(QtImagePort, OnlyDrawingThatChangesPixelsIsMarkedDrawn) {
  QtImagePort p = FreshPort();
  DrawSample(p, TextMode::Copy, kRed, kBlue, kFacePlain);
  p.TakeDrawn();
  struct Case {
    const char* what;
    std::function<void(QtImagePort&)> draw;
    QRect marked;  // empty: nothing
  };
  const Case cases[] = {
      {"the same text again", [](QtImagePort& q) { DrawSample(q, TextMode::Copy, kRed, kBlue, kFacePlain); }, {}},
      {"an erase in the colour already there",
       [](QtImagePort& q) {
         q.BackColour(kWhite);
         q.EraseRect({0, 34, 80, 40});
       },
       {}},
      {"the same text in another colour",
       [](QtImagePort& q) { DrawSample(q, TextMode::Copy, kBlack, kBlue, kFacePlain); }, QRect(4, 9, 72, 24)},
      // Of a fill over rows of which only some change, those rows.
      {"an erase over text and blank rows",
       [](QtImagePort& q) {
         q.BackColour(kWhite);
         q.EraseRect({0, 0, 80, 40});
       },
       QRect(0, 9, 80, 24)},
  };
  for (const Case& c : cases) {
    c.draw(p);
    const QRect marked = p.TakeDrawn().boundingRect();
    if (c.marked.isEmpty()) {
      EXPECT_TRUE(marked.isEmpty()) << c.what;
    } else {
      // The marked rows are those of the text; a run is marked whole.
      EXPECT_EQ(marked.top(), c.marked.top()) << c.what;
      EXPECT_EQ(marked.bottom(), c.marked.bottom()) << c.what;
      EXPECT_LE(marked.left(), c.marked.left()) << c.what;
      EXPECT_GE(marked.right(), c.marked.right()) << c.what;
    }
  }
}

TEST(QtImagePort, ResizeKeepsWhatStillFits) {
  QtImagePort p(20, 20);
  p.BackColour(kRed);
  p.EraseRect({0, 0, 20, 20});
  p.Resize(30, 10);
  EXPECT_EQ(p.Width(), 30);
  EXPECT_EQ(Px(p, 19, 9), kRedPx);
}

TEST(QtImagePort, InvalidAreaIsWhatWasMarkedLessWhatWasValidated) {
  QtImagePort p(50, 50);
  p.InvalRect({0, 0, 50, 50});
  p.ValidRect({0, 0, 50, 40});
  const QRegion r = p.TakeInvalid();
  EXPECT_EQ(r.boundingRect(), QRect(0, 40, 50, 10));
  EXPECT_TRUE(p.TakeInvalid().isEmpty());
}

}  // namespace
}  // namespace korvane::platform
