#pragma once
// The program around a screen, as a test sets it up: which window is in
// front, bytes waiting on the serial port, the tick count, and what the screen
// asked of it.

#include "fakes/FakeClock.h"
#include "screen/ScreenHost.h"

namespace korvane::fakes {

class FakeScreenHost final : public ScreenHost {
 public:
  bool front = true;
  bool collapsed = false;
  int serialWaiting = 0;
  int displayWidth = 1280;
  FakeClock clock;
  int linesTransmittedShown = 0;
  int fontSizeItemEnabled = 0;
  int pictureAreaInvalidated = 0;
  int scrollBarValue = -1;  // the last value given to the scroll bar

  bool IsFrontSessionWindow() override { return front; }
  bool IsWindowCollapsed() override { return collapsed; }
  int SerialBytesWaiting() override { return serialWaiting; }
  void InvalidatePictureArea() override { ++pictureAreaInvalidated; }
  void SetScrollBarValue(int value) override { scrollBarValue = value; }
  int64_t TickCount() override { return clock.Ticks(); }
  int DisplayWidth() override { return displayWidth; }
  void ShowLinesTransmitted() override { ++linesTransmittedShown; }
  void EnableFontSizeMenuItem() override { ++fontSizeItemEnabled; }
};

}  // namespace korvane::fakes
