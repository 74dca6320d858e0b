#include "output/CaptureIndicators.h"

namespace korvane::output {

IndicatorPlace StatusIndicatorPlace(StatusIndicator indicator, int16_t textSize) {
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

std::string CaptureIndicatorText(StatusIndicator indicator, bool on, int16_t textSize) {
  const bool wide = textSize > 9;
  switch (indicator) {
    case StatusIndicator::Capture: return on ? "Capture On" : std::string(18, ' ');
    case StatusIndicator::Printer: return on ? "Printer On" : std::string(wide ? 20 : 25, ' ');
    case StatusIndicator::Clipboard: return on ? "Clipboard On" : std::string(21, ' ');
    default: return {};
  }
}

}  // namespace korvane::output
