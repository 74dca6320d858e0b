// Select graphic rendition: the attribute flags and the ANSI colours.
//
// This terminal keeps one rendition per sequence: of several parameters only
// the last takes effect. A one-digit last parameter after others sets its
// attribute alone (bold and blink reset the rest first; underline is left
// out under SCO ANSI); a two-digit last parameter after a single other one
// counts only as a colour.

#include <algorithm>

#include "emulation/VtState.h"
#include "emulation/AnsiColours.h"
#include "emulation/HostInput.h"
#include "emulation/VtInterpreter.h"

namespace korvane {

namespace {
bool IsColour(int v) { return (v >= 30 && v <= 37) || (v >= 40 && v <= 47); }
// Parameters that are colour numbers of their own (38 and 48 followed by 5
// or 2 and the colour), not renditions.
bool ExtendedColour(const VtInterpreter::ControlSequence& q) {
  for (int i = 0; i + 1 < std::min(q.count, VtInterpreter::ControlSequence::kMaxParams); ++i) {
    const int v = q.Value(i, 0), next = q.Value(i + 1, 0);
    if ((v == 38 || v == 48) && (next == 5 || next == 2)) return true;
  }
  return false;
}
}  // namespace

void VtInterpreter::NormalStyle() { s.SetNormalTextStyle(); }

void VtInterpreter::SelectGraphicRendition(HostInput& in, const ControlSequence& q) {
  if (ExtendedColour(q)) return;
  const int n = q.count;
  const int lastSlot = std::min(n, ControlSequence::kMaxParams) - 1;
  const int last = q.Value(lastSlot, 0);
  if (n == 1) {
    // Blink alone is not shown.
    if (last != 5) Rendition(in, last, false);
    return;
  }
  const int lastWidth = q.Width(lastSlot);
  // A round tens value that is no colour, with a one-digit rendition after
  // it, resets everything.
  if (n == 2 && q.Width(0) == 2 && q.value[0] % 10 == 0 && q.value[0] != 30 && q.value[0] != 40 && lastWidth == 1) {
    NormalStyle();
    return;
  }
  if (lastWidth == 1)
    Rendition(in, last, true);
  else if (lastWidth == 2 && (n > 2 || IsColour(last) || last == 38 || last == 39 || last == 48 || last == 49))
    Rendition(in, last, false);
}

void VtInterpreter::Rendition(HostInput& in, int value, bool list) {
  switch (value) {
    case 0:
    case 2: NormalStyle(); return;
    case 1:
    case 5:
      if (list) NormalStyle();
      s.BoldOn = 1;
      in.SetTextStyleForFlags();
      return;
    case 4:
      if (list && Opt.ScoAnsiMode) return;
      s.UnderlineOn = 1;
      in.SetTextStyleForFlags();
      return;
    case 7:
      s.ReverseOn = 1;
      in.SetTextStyleForFlags();
      return;
    case 24:
    case 25: NormalStyle(); return;
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
  const int digit = value % 10;
  const bool dim = s.DimOn != 0;
  if (value >= 30 && value <= 39) {
    if (const int16_t fore = AnsiColourIndex(false, digit, dim); fore != 0 && value <= 37) Opt.CurrentForeColour = fore;
    if (value >= 38) {
      // No colour of its own: the text keeps its colours on the session's background.
      s.SetPrintBackColor(Opt.BackgroundColour);
      s.SetPrintForeColor(Opt.CurrentForeColour);
      return;
    }
  } else {
    if (const int16_t back = AnsiColourIndex(true, digit, dim); back != 0 && value <= 47) s.CurrentBackColour = back;
    Opt.BackgroundColour = s.CurrentBackColour;
  }
  s.SetPrintBackColor(s.CurrentBackColour > 0 ? s.CurrentBackColour : Opt.BackgroundColour);
  s.SetPrintForeColor(Opt.CurrentForeColour);
  s.port.SetTextMode(s.ReverseOn ? platform::TextMode::Inverse : platform::TextMode::Copy);
}

}  // namespace korvane
