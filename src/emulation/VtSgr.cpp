// Select graphic rendition: the attribute flags and the ANSI colours.
//
// Every parameter of the list takes effect, in order, as on the terminal:
// "CSI 0;1;4 m" gives bold and underline. Blink is shown as bold. Colours
// go with the cells written after them; 0, 39 and 49 bring back the
// session's own. The
// indexed and direct colours (38 or 48 followed by 5 and an index, or by 2
// and three values) are skipped whole, so that their numbers are not taken
// for renditions.

#include <algorithm>

#include "emulation/VtState.h"
#include "emulation/AnsiColours.h"
#include "emulation/HostInput.h"
#include "emulation/VtInterpreter.h"

namespace korvane {

namespace {
bool IsColour(int v) { return (v >= 30 && v <= 37) || (v >= 40 && v <= 47); }
}  // namespace

void VtInterpreter::NormalStyle() {
  // All attributes off brings back the session's own colours as well.
  s.RestoreSessionForeColour();
  s.RestoreSessionBackColour();
  s.SetNormalTextStyle();
}

void VtInterpreter::SelectGraphicRendition(HostInput& in, const ControlSequence& q) {
  // A parameter left out reads as 0 (its value is stored as 0).
  if (q.count == 1) {
    Rendition(in, q.value[0], false);
    return;
  }
  const int n = std::min(q.count, ControlSequence::kMaxParams);
  for (int i = 0; i < n; ++i) {
    const int v = q.value[i];
    if ((v == 38 || v == 48) && i + 1 < n) {
      const int kind = q.value[i + 1];
      if (kind == 5) {
        i += 2;
        continue;
      }
      if (kind == 2) {
        i += 4;
        continue;
      }
    }
    Rendition(in, v, n > 1);
  }
}

void VtInterpreter::Rendition(HostInput& in, int value, bool list) {
  switch (value) {
    case 0:
    case 2: NormalStyle(); return;
    case 1:
    case 5:
      s.BoldOn = 1;
      in.SetTextStyleForFlags();
      return;
    case 4:
      // The SCO console leaves underline out of a list.
      if (list && Opt.ScoAnsiMode) return;
      s.UnderlineOn = 1;
      in.SetTextStyleForFlags();
      return;
    case 7:
      s.ReverseOn = 1;
      in.SetTextStyleForFlags();
      return;
    case 22:
    case 25:
      // Normal intensity, blink off (blink is shown as bold).
      s.BoldOn = 0;
      s.DimOn = 0;
      in.SetTextStyleForFlags();
      return;
    case 24:
      s.UnderlineOn = 0;
      in.SetTextStyleForFlags();
      return;
    case 27:
      // Reverse off, in the cells as on the window.
      s.ReverseOn = 0;
      s.port.SetTextMode(platform::TextMode::Copy);
      in.SetTextStyleForFlags();
      return;
    default: break;
  }
  if (IsColour(value) || (value >= 38 && value <= 39) || (value >= 48 && value <= 49)) AnsiColour(value);
}

void VtInterpreter::AnsiColour(int value) {
  if (Opt.AutoAnsiColours) Opt.ColourModeA = 1;
  if (!Opt.ColourModeA) return;
  // The colours belong to the cells written from now on: the window's own
  // background and the session's colour settings stay as they are.
  const int digit = value % 10;
  const bool dim = s.DimOn != 0;
  if (value >= 30 && value <= 37) {
    if (const int16_t fore = AnsiColourIndex(false, digit, dim); fore != 0) s.CurrentForeColour = fore;
  } else if (value == 39) {
    s.RestoreSessionForeColour();
  } else if (value >= 40 && value <= 47) {
    if (const int16_t back = AnsiColourIndex(true, digit, dim); back != 0) s.CurrentBackColour = back;
  } else if (value == 49) {
    s.RestoreSessionBackColour();
  }
  s.SetPrintBackColor(s.CurrentBackColour > 0 ? s.CurrentBackColour : s.BackgroundColour);
  s.SetPrintForeColor(s.CurrentForeColour);
  s.port.SetTextMode(s.ReverseOn ? platform::TextMode::Inverse : platform::TextMode::Copy);
}

}  // namespace korvane
