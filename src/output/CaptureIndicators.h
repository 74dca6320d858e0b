#pragma once
// The status line's indicators of the capture modes: their texts, the blanks
// that take them off again, and where they stand. Positions are cells of a
// fixed 7 x 17 pixel grid, whatever the session's text size; the layout is
// wide for text sizes above 9 and narrow at 9. The status window draws them.

#include <cstdint>
#include <string>

namespace korvane::output {

enum class StatusIndicator { Date, EmulationName, Capture, Printer, Clipboard };

struct IndicatorPlace {
  int column = 1;
  int x = 4, y = 10;  // the pen in the status window: x = 7 * column - 3, y = 17 * row - 7 (row 1)
};

IndicatorPlace StatusIndicatorPlace(StatusIndicator indicator, int16_t textSize);

// "Capture On", "Printer On" or "Clipboard On" while the mode is on; blanks
// as wide as the status line clears for it when it is off.
std::string CaptureIndicatorText(StatusIndicator indicator, bool on, int16_t textSize);

}  // namespace korvane::output
