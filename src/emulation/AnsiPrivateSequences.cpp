// The private control sequences of the extended ANSI mode: status answers
// (ESC [ = ...), stored pages by number and framed boxes (ESC [ > ...).

#include <algorithm>

#include "emulation/VtState.h"
#include "emulation/BoxGlyphs.h"
#include "emulation/HostInput.h"
#include "emulation/HostSequences.h"

namespace korvane {

namespace {
// Parameters of a ">" sequence clamp here while their digits accumulate.
constexpr int kPrivateValueMax = 9999;

enum class Ended { Semicolon, Page, Recall, Box, Abandoned };

// Digits up to the byte that ends one parameter of a ">" sequence. Which bytes
// may end it depends on the parameter: `first` allows the page forms, `last`
// ends at "x". A NUL, "h" or "c", a byte no parameter ends with, or a host
// that stops sending abandons the sequence.
Ended ReadPrivateParameter(HostInput& in, int& value, bool first, bool last) {
  value = 0;
  while (true) {
    in.GetNextHostByte();
    if (in.HostReadTimedOut) return Ended::Abandoned;
    const int b = in.NextHostByte;
    if (b >= '0' && b <= '9') {
      value = std::min(value * 10 + (b - '0'), kPrivateValueMax);
      continue;
    }
    if (first && b == 'p') return Ended::Page;
    if (first && b == 'q') return Ended::Recall;
    if (!last && b == ';') return Ended::Semicolon;
    if (last && b == 'x') return Ended::Box;
    return Ended::Abandoned;
  }
}
}  // namespace

bool HostSequences::AnsiPrivateSequences(HostInput& in) {
  in.GetNextHostByte();
  if (in.HostReadTimedOut) return true;
  const int b = in.NextHostByte;
  if (b == '=') {
    in.GetNextHostByte();
    if (in.HostReadTimedOut) return true;
    const int selector = in.NextHostByte;
    in.GetNextHostByte();
    if (in.HostReadTimedOut) return true;
    const int final = in.NextHostByte;
    if (final == 'c') {
      in.answers.Send("\x02\r38\r");
    } else if (final == '0') {
      in.GetNextHostByte();
      if (!in.HostReadTimedOut && in.NextHostByte == 'n') {
        in.answers.Send(HostAnswer("\x02\r0;")
                            .Number(Opt.ColourModeB ? 1 : 0)
                            .Add(";0;")
                            .Number(vt_.ExtendedAnsiActive ? 1 : 0)
                            .Add("\r"));
      }
    } else if (selector == '9' && final == 'n') {
      in.answers.Send("\x02\r1;\r");
    }
    return true;
  }
  if (b != '>') {
    vt_.AnsiPrivateDone = 0;
    in.PushBackHostByte(b);
    return false;
  }
  vt_.AnsiPrivateDone = 1;
  PrivateBox(in);
  return true;
}

void HostSequences::PrivateBox(HostInput& in) {
  Screen& s = screen_;
  const platform::Point pen = s.port.Pen();
  int p[5] = {};
  switch (ReadPrivateParameter(in, p[0], true, false)) {
    case Ended::Page:
      s.PageSaveSlot = static_cast<int16_t>(std::clamp(p[0], 1, StoredPages::kSlots));
      s.SaveScreenPage();
      s.PageSaveSlot = 0;
      return;
    case Ended::Recall:
      s.PageRestoreSlot = static_cast<int16_t>(std::clamp(p[0], 1, StoredPages::kSlots));
      s.RestoreScreenPage();
      s.PageRestoreSlot = 0;
      return;
    case Ended::Semicolon: break;
    default: return;
  }
  for (int i = 1; i < 5; ++i)
    if (ReadPrivateParameter(in, p[i], false, i == 4) == Ended::Abandoned) return;
  // The frame lies one cell outside the region of rows p1..p3, columns p2..p4.
  const int top = p[0] - 1, left = p[1] - 1, bottom = p[2] + 1, right = p[3] + 1, style = p[4];

  int16_t attr = 0;
  if (Opt.ColourModeB)
    attr = static_cast<int16_t>(s.CurrentForeColour + 7);
  else if (s.ReverseOn)
    attr = kAttrReverse;
  else if (s.DimOn)
    attr = kAttrDim;

  // The region is cleared in the planes, then on the window; both are cut at
  // the screen's edges first, so a huge region costs no more than the screen.
  const int lastRow = std::min<int>(s.ScreenRows, kMaxCursorRow);
  const int lastCol = std::min<int>(s.ColumnsSetting, kMaxCursorCol);
  const int r0 = std::max(top + 1, 1), r1 = std::min(bottom - 1, lastRow);
  const int c0 = std::max(left, 1), c1 = std::min(right, lastCol);
  for (int r = r0; r <= r1; ++r)
    for (int c = c0; c <= c1; ++c) {
      s.ScreenChars(r, c) = 0;
      s.ScreenAttrs(r, c) = attr;
      if (s.ColourMode()) {
        s.ScreenForeColours(r, c) = s.CurrentForeColour;
        s.ScreenBackColours(r, c) = s.CurrentBackColour;
      }
    }
  if (r0 <= r1 && c0 <= c1) {
    int back = s.BackgroundColour;
    if (Opt.ColourModeB)
      back = s.CurrentBackColour;
    else if (s.ReverseOn)
      back = s.ReverseColourNow();
    else if (s.DimOn)
      back = Opt.Mode2Colour;
    s.SetPrintBackColor(back);
    s.port.EraseRect({s.CellWidth * (c0 - 1) + 4, (r0 - 1) * s.CellHeight, s.CellWidth * c1 + 4, r1 * s.CellHeight});
    // The frame is drawn in the text's colours again.
    s.SetDrawColoursForAttribute();
  }

  if (style != 0) {
    const bool programFont = Opt.ProgramFontOption == 1;
    const BoxGlyphSet& g = BoxGlyphs(programFont, style == 66 || style == 130 ? BoxLine::Double : BoxLine::Single);
    const bool shadow = style != 66 && style >= 64 && style <= 127 && !s.ReverseOn;
    const ShadowGlyphSet& sh = ShadowGlyphs(programFont);
    const uint8_t topRight = shadow ? sh.topRight : g.topRight;
    const uint8_t rightEdge = shadow ? sh.rightEdge : g.vertical;
    const uint8_t bottomEdge = shadow ? sh.bottomEdge : g.horizontal;
    const uint8_t bottomRight = shadow ? sh.bottomRight : g.bottomRight;
    const int h0 = std::max(left + 1, 1), h1 = std::min(right - 1, lastCol);
    PutCell(top, left, g.topLeft, true, attr);
    for (int c = h0; c <= h1; ++c) PutCell(top, c, g.horizontal, true, attr);
    PutCell(top, right, topRight, true, attr);
    for (int r = r0; r <= r1; ++r) {
      PutCell(r, left, g.vertical, true, attr);
      PutCell(r, right, rightEdge, true, attr);
    }
    PutCell(bottom, left, g.bottomLeft, true, attr);
    for (int c = h0; c <= h1; ++c) PutCell(bottom, c, bottomEdge, true, attr);
    PutCell(bottom, right, bottomRight, true, attr);
  }
  s.port.TextFont(s.ScreenFontId);
  s.port.TextSize(Opt.FontSizeMode == 1 ? int16_t{6} : Opt.TextSizeValue);
  s.SetDrawColoursForAttribute();
  s.port.MoveTo(pen.h, pen.v);
}

}  // namespace korvane
