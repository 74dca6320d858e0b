// The Wyse family's text appearance: the attribute command ESC G in its plain
// and colour forms, write-protected fields and protect mode, the colour
// command of the ANSI-based mode and the attribute parameters of the CSI
// sequences the Wyse interpreter takes.

#include <algorithm>
#include <array>
#include <iterator>

#include "emulation/AnsiColours.h"
#include "emulation/HostInput.h"

namespace korvane {

namespace {

struct PlainAttribute {
  const char* bytes;
  int16_t dim, underline, bold, reverse;
};
// Tested in this order; every matching row sets all four flags.
constexpr PlainAttribute kPlainAttributes[] = {
    {"0", 0, 0, 0, 0},       {"p", 1, 0, 0, 0},    {"4?tuvw", 0, 0, 0, 1}, {"23:;r~", 0, 0, 1, 0},
    {"6v>", 0, 0, 1, 1},     {"8xz", 0, 1, 0, 0},  {"|<", 0, 1, 0, 1},
};
constexpr int kPlainAttributeRows = static_cast<int>(std::size(kPlainAttributes));

// The row that decides each byte (the last row that matches it), -1 for none:
// the command comes with every screen update, so its byte is looked up, not
// searched for in each row.
constexpr std::array<int8_t, 256> MakePlainAttributeIndex() {
  std::array<int8_t, 256> index{};
  index.fill(-1);
  for (int r = 0; r < kPlainAttributeRows; ++r)
    for (const char* b = kPlainAttributes[r].bytes; *b; ++b) index[static_cast<uint8_t>(*b)] = static_cast<int8_t>(r);
  return index;
}
constexpr std::array<int8_t, 256> kPlainAttributeIndex = MakePlainAttributeIndex();

constexpr int16_t B = -1;  // the session's background colour
struct ColourAttribute {
  int16_t fore, back;
};
// ESC G '0' .. '?' in the colour form.
constexpr ColourAttribute kColourAttributes[16] = {
    {4, B},   {12, B}, {6, B},  {17, B}, {18, 4},  {18, 12}, {18, 6},  {18, 17},
    {18, B},  {8, B},  {2, B},  {16, B}, {17, 18}, {18, 9},  {18, 2},  {18, 16},
};

// ESC * b foregrounds for ')' .. '@'; 0 keeps the current one.
constexpr int16_t kStarFore[] = {17, 6, 19, 1, 12, 3, 8, 15, 0, 0, 0, 0, 0, 0, 0, 0, 14, 7, 16, 2, 13, 4, 9, 18};
// ESC * b backgrounds for '!' .. '('.
constexpr int16_t kStarBack[] = {14, 7, 16, 2, 13, 4, 9, 18};

constexpr int kEsc = 27;

}  // namespace

void HostInput::WyseAttributeCommand(int c) {
  if (screen.WyseColourAttributes) {
    WyseColourAttributeCommand(c);
    return;
  }
  Screen& s = screen;
  const int index = c >= 0 && c < 256 ? kPlainAttributeIndex[static_cast<size_t>(c)] : -1;
  if (index >= 0) {
    const PlainAttribute& row = kPlainAttributes[index];
    s.DimOn = row.dim;
    s.UnderlineOn = row.underline;
    s.BoldOn = row.bold;
    s.ReverseOn = row.reverse;
  }
  if ((c == '|' || c == '<') && Opt.ReverseUnderlineOff) s.UnderlineOn = 0;
  if (index >= 0) {
    if (index == 0) {
      s.SetNormalTextStyle();
    } else {
      SetTextStyleForFlags();
    }
  }
  ComputeAttributeCode();
  if (Opt.HiddenAttributes == 0) {
    screen.LimitCursorToPlanes();
    s.ScreenChars(s.CursorRow(), s.CursorCol()) = ' ';
    s.ScreenAttrs(s.CursorRow(), s.CursorCol()) = s.CurrentAttributeCode;
    if (Opt.ColourModeA == 1) {
      s.ScreenForeColours(s.CursorRow(), s.CursorCol()) = CellForeColour;
      s.ScreenBackColours(s.CursorRow(), s.CursorCol()) = CellBackColour;
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

void HostInput::WyseColourAttributeCommand(int c) {
  Screen& s = screen;
  if (c < '0' || c > '?') return;
  const int16_t code = static_cast<int16_t>(kAttrWyseFirst + (c - '0'));
  const ColourAttribute& pair = kColourAttributes[c - '0'];
  const int16_t fore = pair.fore;
  const int16_t back = pair.back == B ? Opt.BackgroundColour : pair.back;
  Opt.CurrentForeColour = fore;
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
  } else if (col == last && Opt.AutoWrapOn) {
    embed(row, col);
    compared = s.ScreenAttrs(row + 1, 1);
    s.SetCursorCol(0);
    s.SetCursorRow(s.CursorRow() + 1);
  } else if (col == last + 1 && Opt.AutoWrapOn) {
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
  if (Opt.HiddenAttributes == 0) {
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

void HostInput::ProtectFieldBegin() {
  Screen& s = screen;
  s.ProtectFieldStart = s.CursorCol();
  s.ProtectFieldMode = 1;
  s.ProtectFieldsSeen = 1;
  if (s.WyseColourAttributes) return;
  s.SetNormalTextStyle();
  if (Opt.ProtectShownAs == 2) {
    s.DimOn = 1;
    s.ReverseOn = 0;
  } else if (Opt.ProtectShownAs == 1) {
    s.ReverseOn = 1;
  }
  SetTextStyleForFlags();
}

void HostInput::ProtectFieldEnd() {
  Screen& s = screen;
  if (Opt.EmuTvi925) s.DisplayOn = 1;
  s.DimOn = s.UnderlineOn = s.ReverseOn = 0;
  if (!s.WyseColourAttributes) {
    const int16_t bold = s.BoldOn;
    s.SetNormalTextStyle();
    s.BoldOn = bold;
    SetTextStyleForFlags();
  }
  s.ProtectEndColumn = s.CursorCol();
  s.MoveToCell(s.CursorRow(), s.CursorCol());
  s.ProtectColumnRange();
  s.ProtectFieldMode = 0;
}

void HostInput::ProtectModeOn() {
  Screen& s = screen;
  if (Opt.EmuTvi925) s.DisplayOn = 1;
  if (s.ProtectFieldMode) {
    s.ProtectEndColumn = s.CursorCol();
    s.MoveToCell(s.CursorRow(), s.CursorCol());
    s.ProtectColumnRange();
  }
  if (!s.WyseColourAttributes) s.SetNormalTextStyle();
  s.WriteProtectMode = 1;
}

void HostInput::ProtectModeOff() {
  Screen& s = screen;
  if (Opt.EmuTvi925) s.DisplayOn = 1;
  s.WriteProtectMode = 0;
  if (!s.ProtectFieldMode) return;
  s.ProtectFieldStart = s.CursorCol();
  if (s.WyseColourAttributes) return;
  s.SetNormalTextStyle();
  if (Opt.ProtectShownAs == 2) {
    s.DimOn = 1;
    s.ReverseOn = 0;
  } else if (Opt.ProtectShownAs == 1) {
    s.ReverseOn = 1;
  }
  SetTextStyleForFlags();
}

HostInput::AnsiColourEnd HostInput::ExtendedAnsiColour(int b) {
  Screen& s = screen;
  if (b == kEsc) {
    s.WriteProtectMode = 0;
    s.ClearScreenAndHome();
    return AnsiColourEnd::RestartEscape;
  }
  if (b >= ')' && b <= '@') {
    Opt.ColourModeB = 1;
    Opt.ColourModeA = 0;
    if (const int16_t fore = kStarFore[b - ')']; fore != 0) Opt.CurrentForeColour = fore;
  } else if (b >= '!' && b <= '(') {
    Opt.ColourModeB = 1;
    Opt.ColourModeA = 0;
    s.CurrentBackColour = kStarBack[b - '!'];
  } else {
    return AnsiColourEnd::AttributeStep;
  }
  s.SetPrintBackColor(s.CurrentBackColour);
  s.SetPrintForeColor(Opt.CurrentForeColour);
  return AnsiColourEnd::AttributeStep;
}

bool HostInput::ScoLineGraphicsAttributes(std::string_view params) {
  if (!(params.starts_with("12") || params.starts_with("10"))) return false;
  Screen& s = screen;
  if (const size_t semi = params.find(';'); semi != std::string_view::npos && semi + 1 < params.size()) {
    switch (params[semi + 1]) {
      case '0': s.SetNormalTextStyle(); break;
      case '7':
        s.port.SetTextMode(platform::TextMode::Inverse);
        s.ReverseOn = 1;
        break;
      case '5':
      case '1':
        s.SetNormalTextStyle();
        s.port.TextFace(Opt.FontSizeMode == 1 && Opt.PlainFaceSwitch == 0
                            ? static_cast<int16_t>(platform::kFacePlain)
                            : static_cast<int16_t>(platform::kFaceBold | platform::kFaceCondense));
        s.BoldOn = 1;
        break;
      default: break;
    }
  }
  s.LineGraphicsOn = params[1] == '2' ? 1 : 0;
  return true;
}

bool HostInput::ScoColourCommand(int final, const std::string& params) {
  Screen& s = screen;
  auto clearFlags = [&] { s.DimOn = s.UnderlineOn = s.BoldOn = s.ReverseOn = 0; };
  switch (final) {
    case 'F':
      clearFlags();
      s.ForegroundColourChoice(params);
      s.SetPrintBackColor(s.CurrentBackColour != 0 ? s.CurrentBackColour : Opt.BackgroundColour);
      s.SetPrintForeColor(Opt.CurrentForeColour);
      return true;
    case 'G':
      clearFlags();
      s.BackgroundColourChoice(params);
      return true;
    case 'H': {
      clearFlags();
      // The colour chosen is that of reverse cells; the text colour stays.
      const int16_t fore = Opt.CurrentForeColour;
      s.ForegroundColourChoice(params);
      Opt.ReverseColour = Opt.CurrentForeColour;
      Opt.CurrentForeColour = fore;
      s.SetPrintForeColor(fore);
      s.RepaintPending = 1;
      return true;
    }
    case 'I':
      clearFlags();
      s.BackgroundColourChoice(params);
      s.RepaintPending = 1;
      return true;
    default: return false;
  }
}

bool HostInput::WyseCsiColourPair(int b1, int b2) {
  Screen& s = screen;
  if (b1 == '0') {
    GetNextHostByte();
    b1 = NextHostByte;
    GetNextHostByte();
    b2 = NextHostByte;
    if (b1 != '3' && b1 != '4') return true;
  }
  if (b1 == '3') {
    GetNextHostByte();
    const int f = NextHostByte;
    if (Opt.AutoAnsiColours) Opt.ColourModeA = 1;
    if (Opt.ColourModeA == 1) {
      if (s.CurrentBackColour != 0 && Opt.Option141 == 0) s.CurrentBackColour = s.NormalBackColour;
      s.SetPrintBackColor(s.CurrentBackColour == 0 ? Opt.BackgroundColour : s.CurrentBackColour);
      if (const int16_t fore = AnsiColourIndex(false, b2 - '0', s.DimOn != 0); fore != 0) Opt.CurrentForeColour = fore;
      s.SetPrintForeColor(Opt.CurrentForeColour);
    }
    if (f != ';') return true;
    GetNextHostByte();
    b1 = NextHostByte;
    GetNextHostByte();
    b2 = NextHostByte;
    if (b1 != '4') return true;
  }
  if (b1 == '4') {
    if (Opt.AutoAnsiColours) Opt.ColourModeA = 1;
    if (Opt.ColourModeA == 1) {
      if (const int16_t back = AnsiColourIndex(true, b2 - '0', s.DimOn != 0); back != 0) s.CurrentBackColour = back;
      s.SetPrintBackColor(s.CurrentBackColour);
      s.SetPrintForeColor(Opt.CurrentForeColour);
      Opt.BackgroundColour = s.CurrentBackColour;
    }
    GetNextHostByte();
    return true;
  }
  return false;
}

}  // namespace korvane
