#pragma once
// A session screen for the mouse and clipboard tests: 12-point cells
// (7 x 15 pixels) in a window of 80 columns and 24 rows, drawn into a
// recording port, with text put straight into the character plane.

#include <gtest/gtest.h>

#include <string_view>

#include "fakes/FakeClock.h"
#include "fakes/RecordingClipboard.h"
#include "fakes/RecordingPort.h"
#include "fakes/RecordingSelection.h"
#include "output/ClipboardText.h"
#include "fakes/FakeScreenHost.h"
#include "output/SelectionCopy.h"
#include "screen/Screen.h"

namespace korvane::testing_support {

class OutputTest : public ::testing::Test {
 protected:
  OutputTest() : port(574, 420), s(opt, port, screenHost) {
    opt.TextSizeValue = 12;
    opt.CurrentForeColour = 17;
    opt.BackgroundColour = 18;
    s.ComputeCellMetrics();
    s.ScreenRows = 24;
    s.ScreenCols = 80;
  }

  // Writes codes into a row of the character plane from a column on.
  void Put(int row, int col, std::string_view text, int16_t attr = 0) {
    for (char ch : text) {
      s.ScreenChars(row, col) = static_cast<uint8_t>(ch);
      s.ScreenAttrs(row, col) = attr;
      ++col;
    }
  }
  // The pixel rectangle that covers cells (r1, c1)..(r2, c2) exactly.
  platform::Rect CellsRect(int r1, int c1, int r2, int c2) const {
    const int w = s.CellWidth, h = s.CellHeight;
    return {4 + (c1 - 1) * w, (r1 - 1) * h, 4 + c2 * w, r2 * h - 4};
  }

  SessionOptions opt;
  fakes::RecordingPort port;
  fakes::FakeScreenHost screenHost;
  Screen s;
  fakes::FakeClock clock;
  fakes::RecordingClipboard board;
  output::ClipboardText clipText{board};
  fakes::TextPictureWriter pictures;
  fakes::RecordingSelectionHost host;
  output::SelectionCopier copier{s, clipText, pictures, host, clock};
};

}  // namespace korvane::testing_support
