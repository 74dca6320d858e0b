#include "output/CaptureIndicators.h"

namespace korvane::output {

IndicatorPlace StatusIndicatorPlace(StatusIndicator indicator, int16_t textSize) {
  // Every text size above 9 takes the wide layout, 18 and 24 points
  // included: the status line keeps its 640 pixels at those sizes, so
  // "Printer On" stands at column 70 there too.
  const bool wide = textSize > 9;
  int column = 1;
  switch (indicator) {
    case StatusIndicator::Date: column = 1; break;
    case StatusIndicator::EmulationName: column = wide ? 41 : 30; break;
    case StatusIndicator::Capture: column = wide ? 58 : 42; break;
    case StatusIndicator::Printer: column = wide ? 70 : 55; break;
    case StatusIndicator::Clipboard: column = wide ? 21 : 17; break;
  }
  return {column, 7 * column - 3, 17 * 1 - 7};
}

std::string CaptureIndicatorText(StatusIndicator indicator) {
  switch (indicator) {
    case StatusIndicator::Capture: return "Capture On";
    case StatusIndicator::Printer: return "Printer On";
    case StatusIndicator::Clipboard: return "Clipboard On";
    default: return {};
  }
}

}  // namespace korvane::output
