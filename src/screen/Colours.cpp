// Colour selection and text styles: the session's colour and attribute state
// turned into the drawing state of the port.

#include <algorithm>

#include "screen/Screen.h"

namespace korvane {

namespace {
using platform::TextMode;

constexpr int16_t kFacePlain = platform::kFacePlain;
constexpr int16_t kFaceUnderline = platform::kFaceUnderline;
constexpr int16_t kBoldFace = platform::kFaceBold | platform::kFaceCondense;
constexpr int16_t kBoldUnderlineFace = platform::kFaceBold | platform::kFaceUnderline | platform::kFaceCondense;

// The host's colour number, "0".."15", or -1.
int HostColourNumber(const std::string& text) {
  if (text.empty() || text.size() > 2) return -1;
  int n = 0;
  for (char ch : text) {
    if (ch < '0' || ch > '9') return -1;
    n = n * 10 + (ch - '0');
  }
  if (text.size() == 2 && text[0] == '0') return -1;
  return n <= 15 ? n : -1;
}

// Number-to-text form: one leading blank when not negative.
std::string NumberText(int n) { return n < 0 ? std::to_string(n) : " " + std::to_string(n); }
}  // namespace

void Screen::SetPrintForeColor(int i) {
  if (i > kPaletteSize) i = 17;
  if (i <= 0) return;
  port.ForeColour(kScreenPalette[i]);
}

void Screen::SetPrintBackColor(int i) {
  if (i > kPaletteSize) i = 18;
  SetPrintForeColor(i);
  if (i <= 0) return;
  port.BackColour(kScreenPalette[i]);
}

void Screen::SetPaletteForeColor(int i) {
  if (i > kPaletteSize) i = 17;
  if (i <= 0) return;
  port.ForeColour(kDialogPalette[i]);
}

void Screen::SetPaletteBackColor(int i) {
  if (i > kPaletteSize) i = 18;
  SetPaletteForeColor(i);
  if (i <= 0) return;
  port.BackColour(kDialogPalette[i]);
}

void Screen::ForegroundColourChoice(const std::string& number) {
  const int n = HostColourNumber(number);
  if (n >= 0) {
    CurrentForeColour = kHostColourToPalette[n];
    SetPrintForeColor(CurrentForeColour);
  }
  LastForeColourChoice = NumberText(number.empty() ? 0 : static_cast<uint8_t>(number[0]));
}

void Screen::BackgroundColourChoice(const std::string& number) {
  const int n = HostColourNumber(number);
  if (n >= 0) {
    CurrentBackColour = kHostColourToPalette[n];
    SetBackIndex(CurrentBackColour);
  }
  LastBackColourChoice = NumberText(number.empty() ? 0 : static_cast<uint8_t>(number[0]));
}

void Screen::SetColoursForAttribute() {
  const int16_t code = ColourAttributeInput;
  if (code == 0) {
    SetBackIndex(NormalBackColour);
    SetPrintForeColor(NormalForeColour);
    CurrentForeColour = NormalForeColour;
    CurrentBackColour = NormalBackColour;
  } else if (code >= kAttrWyseFirst && code <= kAttrWyseLast) {
    const auto& entry = kWyseAttributeColours[code - kAttrWyseFirst];
    const int16_t back = entry.back == kUseBackground ? BackgroundColour : entry.back;
    SetBackIndex(back);
    SetPrintForeColor(entry.fore);
    CurrentForeColour = entry.fore;
    CurrentBackColour = back;
  }
  StoredAttribute = code;
  StoredForeColour = CurrentForeColour;
  StoredBackColour = CurrentBackColour;
  CurrentAttributeCode = code;
}

void Screen::SetColoursForMode() {
  if (!Opt.ColourModeA) return;
  CurrentForeColour = DimPartner(CurrentForeColour);
  if (CurrentForeColour != 0) {
    SetBackIndex(CurrentBackColour);
    SetPrintForeColor(CurrentForeColour);
    DimForeColour = CurrentForeColour;
  }
}

void Screen::UpdateWindowColumns() {
  if (!host.IsFrontSessionWindow() || CellWidth <= 0) return;
  const int width = Width();
  if (width != columnsWidth_ || CellWidth != columnsCellWidth_) {
    columnsWidth_ = width;
    columnsCellWidth_ = CellWidth;
    columnsFit_ = std::min(width / CellWidth - 1, static_cast<int>(kMaxCursorCol));
  }
  WindowColumns = static_cast<int16_t>(columnsFit_);
}

void Screen::SetDrawColoursForAttribute() {
  UpdateWindowColumns();
  SetPrintForeColor(CurrentForeColour);
  if (Opt.ColourModeA == 1 && DimOn == 1) SetColoursForMode();
  port.SetTextMode(TextMode::Copy);
  if (Opt.ColourModeA == 0 && Opt.ColourModeB == 0) {
    int fore = -1;
    if (DimOn) fore = Opt.Mode2Colour;
    if (UnderlineOn) fore = Opt.UnderlineColour;
    if (BoldOn) fore = Opt.BoldColour;
    if (ReverseOn) fore = ReverseColourNow();
    if (BoldOn && UnderlineOn) fore = Opt.BoldColour;
    if (fore >= 0) SetPrintForeColor(fore);
  }
  if (PicturesShown) host.InvalidatePictureArea();
}

void Screen::RestoreDimmedFont() {
  if (!DimFontChanged) return;
  port.TextFont(ScreenFontId);
  port.TextSize(Opt.TextSizeValue);
  DimFontChanged = 0;
}

bool Screen::SmallPlainFace() const { return Opt.FontSizeMode == 1 && Opt.PlainFaceSwitch == 0; }

void Screen::SetTextStyleForAttribute() {
  const int row = std::clamp<int>(CursorRow(), 1, ScreenPlanes::kRows - 1);
  const int col = std::clamp<int>(CursorCol(), 1, kMaxScreenCols);
  switch (ScreenAttrs(row, col)) {
    case kAttrReverse:
      port.TextFace(kFacePlain);
      port.SetTextMode(TextMode::Inverse);
      SetPrintForeColor(ReverseColourNow());
      RestoreDimmedFont();
      break;
    case kAttrDim:
      port.TextFace(kFacePlain);
      port.SetTextMode(TextMode::Copy);
      SetPrintForeColor(Opt.Mode2Colour);
      if (Opt.StatusOption17 == 1 && (Opt.FontSizeMode != 1 || Opt.PlainFaceSwitch == 1)) {
        if (Opt.FontSizeMode && Opt.PlainFaceSwitch) {
          port.TextSize(10);
          ComputeCellMetrics();
        } else {
          port.TextSize(static_cast<int16_t>(Opt.TextSizeValue + 1));
        }
        DimFontChanged = 1;
      }
      break;
    case kAttrUnderline:
      port.TextFace(kFaceUnderline);
      port.SetTextMode(TextMode::Copy);
      SetPrintForeColor(Opt.UnderlineColour);
      RestoreDimmedFont();
      break;
    case kAttrBold:
      port.TextFace(SmallPlainFace() || DrawRow == ScreenRows + 1 ? kFacePlain : kBoldFace);
      port.SetTextMode(TextMode::Copy);
      if (!Opt.EmuVt100) SetPrintForeColor(Opt.BoldColour);
      RestoreDimmedFont();
      break;
    case kAttrReverseUnderline:
      port.TextFace(kFaceUnderline);
      port.SetTextMode(TextMode::Inverse);
      SetPrintForeColor(ReverseColourNow());
      RestoreDimmedFont();
      break;
    case kAttrBoldUnderline:
      port.TextFace(SmallPlainFace() ? kFacePlain : kBoldUnderlineFace);
      port.SetTextMode(TextMode::Copy);
      SetPrintForeColor(Opt.BoldColour);
      RestoreDimmedFont();
      break;
    case kAttrReverseBold:
      port.TextFace(SmallPlainFace() ? kFacePlain : kBoldFace);
      port.SetTextMode(TextMode::Inverse);
      SetPrintForeColor(Opt.BoldColour);
      RestoreDimmedFont();
      break;
    default: break;
  }
}

void Screen::SetTextRunAttributes() {
  CurrentAttributeCode = TextStyleMode;
  port.SetTextMode(TextMode::Copy);
  ReverseOn = DimOn = UnderlineOn = BoldOn = 0;
  if (!WyseColourAttributes) {
    switch (TextStyleMode) {
      case kAttrDim: DimOn = 1; break;
      case kAttrUnderline: UnderlineOn = 1; break;
      case kAttrBold: BoldOn = 1; break;
      case kAttrReverse: ReverseOn = 1; break;
      default: break;
    }
  }
  const bool bold = BoldOn && StatusLineWriteOpen == 0;
  int16_t face = kFacePlain;
  if (UnderlineOn) face = kFaceUnderline;
  if (bold) face = UnderlineOn ? kBoldUnderlineFace : kBoldFace;
  if (SmallPlainFace()) face = kFacePlain;
  port.TextFace(face);
  if (UnderlineOn) SetPrintForeColor(Opt.UnderlineColour);
  if (BoldOn) SetPrintForeColor(Opt.BoldColour);
  if (DimOn) SetPrintForeColor(Opt.Mode2Colour);
  if (ReverseOn) {
    port.SetTextMode(TextMode::Inverse);
    SetPrintForeColor(ReverseColourNow());
  }
}

void Screen::SetNormalTextStyle() {
  if (Opt.EmuTvi925) DisplayOn = 1;
  HostColourActive = 0;
  if (!Opt.EmuPrism) ReverseOn = DimOn = BoldOn = UnderlineOn = 0;
  if (!WyseColourAttributes) {
    if (Opt.ColourModeA) {
      if (Opt.Option141 == 0) CurrentBackColour = NormalBackColour;
      SetBackIndex(CurrentBackColour);
    }
    if (Opt.ColourModeB) SetBackIndex(CurrentBackColour);
    SetPrintForeColor(CurrentForeColour);
  }
  port.SetTextMode(TextMode::Copy);
  port.TextFace(kFacePlain);
  port.TextFont(ScreenFontId);
  if (Opt.FontSizeMode == 1 && Opt.PlainFaceSwitch) {
    port.TextSize(9);
    ComputeCellMetrics();
  } else {
    port.TextSize(Opt.FontSizeMode == 1 ? int16_t{6} : Opt.TextSizeValue);
  }
  CursorEraseInverse = 0;
  PrismNormal = 1;
}

void Screen::TakeSessionColours() {
  // A setting outside the palette shows as the palette's white on black.
  auto inPalette = [](int16_t i, int16_t otherwise) { return i >= 1 && i <= kPaletteSize ? i : otherwise; };
  NormalForeColour = inPalette(Opt.CurrentForeColour, 17);
  NormalBackColour = inPalette(Opt.BackgroundColour, 18);
  CurrentForeColour = NormalForeColour;
  CurrentBackColour = NormalBackColour;
  BackgroundColour = NormalBackColour;
  HostReverseColour = 0;
}

void Screen::SetPlainTextFace() {
  HostColourActive = 0;
  SetPrintForeColor(CurrentForeColour);
  port.SetTextMode(TextMode::Copy);
  port.TextFace(kFacePlain);
  PrismNormal = 1;
}

}  // namespace korvane
