#pragma once
// The status line's indicators: their texts and where they stand. Positions
// are cells of a fixed 7 x 17 pixel grid, whatever the session's text size;
// the layout is wide for text sizes above 9 and narrow at 9. The status
// window draws them.

#include <cstdint>
#include <string>

namespace korvane::output {

enum class StatusIndicator { Date, EmulationName, Capture, Printer, Clipboard };

struct IndicatorPlace {
  int column = 1;
  int x = 4, y = 10;  // the pen in the status window: x = 7 * column - 3, y = 17 * row - 7 (row 1)
};

IndicatorPlace StatusIndicatorPlace(StatusIndicator indicator, int16_t textSize);

// The English text of a capture-mode indicator while its mode is on:
// "Capture On", "Printer On" or "Clipboard On"; empty for the date and the
// emulation name, whose texts are the session's.
std::string CaptureIndicatorText(StatusIndicator indicator);

}  // namespace korvane::output
