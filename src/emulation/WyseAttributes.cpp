// The Wyse family's text appearance: the attribute command ESC G in its plain
// and colour forms, write-protected fields and protect mode, the colour
// command of the ANSI-based mode and the attribute parameters of the CSI
// sequences the Wyse interpreter takes.

#include <algorithm>
#include <array>
#include <cstdint>

#include "emulation/AnsiColours.h"
#include "emulation/HostInput.h"
#include "emulation/WyseInterpreter.h"

namespace korvane {

namespace {

// The attribute byte of ESC G, plain form: '0' .. '?' and 'p' .. DEL, read
// bit by bit as the terminals do (0x02 blink, 0x04 reverse, 0x08 underline,
// 0x40 dim; 0x01 blank has no attribute code and is left out). Blinking
// text is shown bold. Other bytes select nothing. The command comes with
// nearly every screen update, so each byte's flags are looked up.
enum : uint8_t { kPlainByte = 0x80, kDim = 0x01, kUnderline = 0x02, kBold = 0x04, kReverse = 0x08 };
constexpr std::array<uint8_t, 256> MakePlainAttributeFlags() {
  std::array<uint8_t, 256> flags{};
  for (int c = 0; c < 256; ++c) {
    if (!((c >= '0' && c <= '?') || (c >= 'p' && c <= 127))) continue;
    flags[static_cast<size_t>(c)] =
        static_cast<uint8_t>(kPlainByte | ((c & 0x40) ? kDim : 0) | ((c & 0x08) ? kUnderline : 0) |
                             ((c & 0x02) ? kBold : 0) | ((c & 0x04) ? kReverse : 0));
  }
  return flags;
}
constexpr std::array<uint8_t, 256> kPlainAttributeFlags = MakePlainAttributeFlags();

constexpr int16_t B = -1;  // the session's background colour
struct ColourAttribute {
  int16_t fore, back;
};
// ESC G '0' .. '?' in the colour form.
constexpr ColourAttribute kColourAttributes[16] = {
    {4, B},  {12, B}, {6, B}, {17, B}, {18, 4},  {18, 12}, {18, 6}, {18, 17},
    {18, B}, {8, B},  {2, B}, {16, B}, {17, 18}, {18, 9},  {18, 2}, {18, 16},
};

}  // namespace

void WyseInterpreter::AttributeCommand(int c) {
  if (s_.WyseColourAttributes) {
    ColourAttributeCommand(c);
    return;
  }
  Screen& s = s_;
  const int16_t before = s.CurrentAttributeCode;
  uint8_t flags = c >= 0 && c < 256 ? kPlainAttributeFlags[static_cast<size_t>(c)] : 0;
  if (flags != 0) {
    if ((c == '|' || c == '<') && o_.ReverseUnderlineOff) flags &= static_cast<uint8_t>(~kUnderline);
    // Text in an open protected field keeps the field's look.
    if (s.ProtectFieldMode) {
      if (o_.ProtectShownAs == 2) flags |= kDim;
      if (o_.ProtectShownAs == 1) flags |= kReverse;
    }
    s.DimOn = flags & kDim;
    s.UnderlineOn = (flags & kUnderline) >> 1;
    s.BoldOn = (flags & kBold) >> 2;
    s.ReverseOn = (flags & kReverse) >> 3;
    if ((flags & ~kPlainByte) == 0)
      s.SetNormalTextStyle();
    else
      in_.SetTextStyleForFlags();
  }
  in_.ComputeAttributeCode();
  // An attribute that takes a cell takes it where the attribute changes:
  // curses counts the cells so, and sends the command again (to end an
  // attribute the terminal cannot show) without counting one.
  if (o_.HiddenAttributes == 0 && s.CurrentAttributeCode != before) {
    s_.LimitCursorToPlanes();
    s.ScreenChars(s.CursorRow(), s.CursorCol()) = ' ';
    s.ScreenAttrs(s.CursorRow(), s.CursorCol()) = s.CurrentAttributeCode;
    if (o_.ColourModeA == 1) {
      s.ScreenForeColours(s.CursorRow(), s.CursorCol()) = in_.CellForeColour;
      s.ScreenBackColours(s.CursorRow(), s.CursorCol()) = in_.CellBackColour;
    }
    // The attribute's cell is shown as a blank, and the pen moves past it
    // with the cursor so that the text after it is drawn where it is stored.
    if (s.DisplayOn) {
      s.MoveToCell(s.CursorRow(), s.CursorCol());
      const uint8_t blank = ' ';
      s.port.DrawText(&blank, 1);
    }
    s.SetCursorCol(s.CursorCol() + 1);
  }
}
void WyseInterpreter::ColourAttributeCommand(int c) {
  Screen& s = s_;
  if (c < '0' || c > '?') return;
  const int16_t code = static_cast<int16_t>(kAttrWyseFirst + (c - '0'));
  const ColourAttribute& pair = kColourAttributes[c - '0'];
  const int16_t fore = pair.fore;
  const int16_t back = pair.back == B ? s_.BackgroundColour : pair.back;
  s_.CurrentForeColour = fore;
  s.CurrentBackColour = back;
  s.SetPrintBackColor(back);
  s.SetPrintForeColor(fore);

  // The attribute row stays on the screen: row 30 at most on a screen of up to
  // 30 rows, the last screen row on a taller one (one row is kept below it for
  // the wrap cases).
  const int rowLimit = std::min<int>(std::max<int>(30, s.ScreenRows), kMaxCursorRow - 1);
  s.SetCursorCol(std::clamp<int16_t>(s.CursorCol(), 1, kMaxCursorCol));
  s.SetCursorRow(static_cast<int16_t>(std::clamp<int>(s.CursorRow(), 1, rowLimit)));
  const int col = s.CursorCol(), row = s.CursorRow(), last = s.ColumnsSetting;
  int compared = -1;
  auto embed = [&](int r, int cc) {
    s.ScreenAttrs(r, cc) = code;
    s.HiddenAttrMark(r, cc) = 1;
  };
  if (col < last) {
    embed(row, col);
    compared = s.ScreenAttrs(row, col + 1);
  } else if (col == last && o_.AutoWrapOn) {
    embed(row, col);
    compared = s.ScreenAttrs(row + 1, 1);
    s.SetCursorCol(0);
    s.SetCursorRow(s.CursorRow() + 1);
  } else if (col == last + 1 && o_.AutoWrapOn) {
    embed(row + 1, 1);
    compared = s.ScreenAttrs(row + 1, 2);
    s.SetCursorCol(0);
    s.SetCursorRow(s.CursorRow() + 1);
  }
  if (compared >= 0 && compared != code) {
    s.ReplacedAttributeCode = static_cast<int16_t>(compared);
    s.CurrentAttributeCode = code;
    s.SpreadAttributeForward();
  }
  s.CurrentAttributeCode = code;
  if (o_.HiddenAttributes == 0) {
    if (s.CursorRow() == s.StatusLine2Row) {
      const uint8_t blank = ' ';
      s.port.DrawText(&blank, 1);
    } else {
      s.MoveToCell(s.CursorRow(), s.CursorCol() + 1);
    }
    s.ScreenChars(s.CursorRow(), s.CursorCol()) = ' ';
    s.SetCursorCol(s.CursorCol() + 1);
  }
}
void WyseInterpreter::ProtectFieldBegin() {
  Screen& s = s_;
  s.ProtectFieldStart = s.CursorCol();
  s.ProtectFieldMode = 1;
  s.ProtectFieldsSeen = 1;
  if (s.WyseColourAttributes) return;
  s.SetNormalTextStyle();
  if (o_.ProtectShownAs == 2) {
    s.DimOn = 1;
    s.ReverseOn = 0;
  } else if (o_.ProtectShownAs == 1) {
    s.ReverseOn = 1;
  }
  in_.SetTextStyleForFlags();
}
void WyseInterpreter::ProtectFieldEnd() {
  Screen& s = s_;
  if (o_.EmuTvi925) s.DisplayOn = 1;
  s.DimOn = s.UnderlineOn = s.ReverseOn = 0;
  if (!s.WyseColourAttributes) {
    const int16_t bold = s.BoldOn;
    s.SetNormalTextStyle();
    s.BoldOn = bold;
    in_.SetTextStyleForFlags();
  }
  s.ProtectEndColumn = s.CursorCol();
  s.MoveToCell(s.CursorRow(), s.CursorCol());
  s.ProtectColumnRange();
  s.ProtectFieldMode = 0;
}
void WyseInterpreter::ProtectModeOn() {
  Screen& s = s_;
  if (o_.EmuTvi925) s.DisplayOn = 1;
  if (s.ProtectFieldMode) {
    s.ProtectEndColumn = s.CursorCol();
    s.MoveToCell(s.CursorRow(), s.CursorCol());
    s.ProtectColumnRange();
  }
  if (!s.WyseColourAttributes) s.SetNormalTextStyle();
  s.WriteProtectMode = 1;
}
void WyseInterpreter::ProtectModeOff() {
  Screen& s = s_;
  if (o_.EmuTvi925) s.DisplayOn = 1;
  s.WriteProtectMode = 0;
  if (!s.ProtectFieldMode) return;
  s.ProtectFieldStart = s.CursorCol();
  if (s.WyseColourAttributes) return;
  s.SetNormalTextStyle();
  if (o_.ProtectShownAs == 2) {
    s.DimOn = 1;
    s.ReverseOn = 0;
  } else if (o_.ProtectShownAs == 1) {
    s.ReverseOn = 1;
  }
  in_.SetTextStyleForFlags();
}
bool WyseInterpreter::CsiColourPair(int b1, int b2) {
  Screen& s = s_;
  if (b1 == '0') {
    in_.GetNextHostByte();
    b1 = in_.NextHostByte;
    in_.GetNextHostByte();
    b2 = in_.NextHostByte;
    if (b1 != '3' && b1 != '4') return true;
  }
  if (b1 == '3') {
    in_.GetNextHostByte();
    const int f = in_.NextHostByte;
    if (o_.AutoAnsiColours) o_.ColourModeA = 1;
    if (o_.ColourModeA == 1) {
      if (s.CurrentBackColour != 0 && o_.Option141 == 0) s.CurrentBackColour = s.NormalBackColour;
      s.SetPrintBackColor(s.CurrentBackColour == 0 ? s_.BackgroundColour : s.CurrentBackColour);
      if (const int16_t fore = AnsiColourIndex(false, b2 - '0', s.DimOn != 0); fore != 0) s_.CurrentForeColour = fore;
      s.SetPrintForeColor(s_.CurrentForeColour);
    }
    if (f != ';') return true;
    in_.GetNextHostByte();
    b1 = in_.NextHostByte;
    in_.GetNextHostByte();
    b2 = in_.NextHostByte;
    if (b1 != '4') return true;
  }
  if (b1 == '4') {
    if (o_.AutoAnsiColours) o_.ColourModeA = 1;
    if (o_.ColourModeA == 1) {
      if (const int16_t back = AnsiColourIndex(true, b2 - '0', s.DimOn != 0); back != 0) s.CurrentBackColour = back;
      s.SetPrintBackColor(s.CurrentBackColour);
      s.SetPrintForeColor(s_.CurrentForeColour);
    }
    in_.GetNextHostByte();
    return true;
  }
  return false;
}

}  // namespace korvane
