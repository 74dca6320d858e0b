// Repaint of the text area from the planes (or from the scroll-back while the
// view is shown): every visible cell drawn again, in runs of like-styled cells
// with one text call per run. This is the path of every full redraw (expose,
// resize, page recall, the idle pass catching up after a flood), so it keeps to
// row pointers and one fixed run buffer: no allocation, no per-cell lookups.

#include <algorithm>

#include "screen/Screen.h"

namespace korvane {

namespace {

using platform::TextMode;

constexpr int16_t kFacePlain = platform::kFacePlain;
constexpr int16_t kFaceUnderline = platform::kFaceUnderline;
constexpr int16_t kBoldFace = platform::kFaceBold | platform::kFaceCondense;
constexpr int16_t kBoldUnderlineFace = platform::kFaceBold | platform::kFaceUnderline | platform::kFaceCondense;

// Codes 8, 9, codes above 25 and, without Wyse colour attributes, the Wyse
// codes carry no style: such a cell joins the run it meets.
bool HasRepaintStyle(int16_t code, bool wyseColours) {
  if (code >= kAttrNormal && code <= kAttrReverseBold) return true;
  return wyseColours && code >= kAttrWyseFirst && code <= kAttrWyseLast;
}

// The session's attribute state belongs to the host's output. The repaint
// borrows the drawing state to paint other cells, and puts the attribute
// state back when it is done, so that what the host writes next looks as it
// would have without the repaint.
struct AttributeStateKept {
  int16_t reverse, dim, underline, bold, hostColour, prismNormal, displayOn, eraseInverse, currentBack, dimFont;
};

}  // namespace

void Screen::ApplyRunColours(int16_t back, int16_t fore) {
  SetBackIndex(back);
  SetPrintForeColor(fore);
}

void Screen::ApplyRepaintStyle(int16_t code, int row, int rows, bool& fontAltered) {
  if (fontAltered) {
    port.TextFont(ScreenFontId);
    port.TextSize(Opt.TextSizeValue);
    fontAltered = false;
  }
  // The attribute colours stand in for colour only when the planes carry none.
  auto fore = [this](int i) {
    if (!Opt.ColourModeA) SetPrintForeColor(i);
  };
  const bool plainFace = SmallPlainFace();
  switch (code) {
    case kAttrNormal:
      if (WyseColourAttributes) ApplyRunColours(NormalBackColour, NormalForeColour);
      SetNormalTextStyle();
      break;
    case kAttrReverse:
      fore(ReverseColourNow());
      port.SetTextMode(TextMode::Inverse);
      port.TextFace(kFacePlain);
      break;
    case kAttrDim:
      port.SetTextMode(TextMode::Copy);
      port.TextFace(kFacePlain);
      if (Opt.StatusOption17 == 1 && (Opt.FontSizeMode != 1 || Opt.PlainFaceSwitch == 1)) {
        port.TextSize(static_cast<int16_t>(Opt.TextSizeValue + 1));
        if (Opt.PlainFaceSwitch && Opt.FontSizeMode) {
          port.TextSize(10);
          const int16_t keptRows = ScreenRows;
          ComputeCellMetrics();
          ScreenRows = keptRows;
        }
        fontAltered = true;
      }
      fore(Opt.Mode2Colour);
      break;
    case kAttrUnderline:
      fore(Opt.UnderlineColour);
      port.TextFace(kFaceUnderline);
      port.SetTextMode(TextMode::Copy);
      break;
    case kAttrBold:
      fore(Opt.BoldColour);
      port.TextFace(plainFace || row == rows + 1 ? kFacePlain : kBoldFace);
      port.SetTextMode(TextMode::Copy);
      break;
    case kAttrReverseUnderline:
      port.TextFace(kFaceUnderline);
      fore(ReverseColourNow());
      port.SetTextMode(TextMode::Inverse);
      break;
    case kAttrBoldUnderline:
      port.TextFace(plainFace ? kFacePlain : kBoldUnderlineFace);
      port.SetTextMode(TextMode::Copy);
      fore(Opt.BoldColour);
      break;
    case kAttrReverseBold:
      port.TextFace(plainFace ? kFacePlain : kBoldFace);
      port.SetTextMode(TextMode::Inverse);
      fore(Opt.BoldColour);
      break;
    default: {
      // A Wyse attribute code: its fixed colours (the same pairs the host's
      // attribute command gives, so a repaint shows what was drawn), face and
      // mode unchanged.
      const auto& pair = kWyseAttributeColours[code - kAttrWyseFirst];
      ApplyRunColours(pair.back == kUseBackground ? BackgroundColour : pair.back, pair.fore);
      break;
    }
  }
}

void Screen::ApplyAttributeDrawingState() {
  // The drawing state the host's current attribute gives its text.
  SetBackIndex(WyseColourAttributes || ColourMode() ? CurrentBackColour : BackgroundColour);
  SetDrawColoursForAttribute();
  if (WyseColourAttributes) return;
  int16_t face = kFacePlain;
  if (UnderlineOn) face = kFaceUnderline;
  if (BoldOn && StatusLineWriteOpen == 0) face = UnderlineOn ? kBoldUnderlineFace : kBoldFace;
  if (SmallPlainFace()) face = kFacePlain;
  port.TextFace(face);
  if (ReverseOn) port.SetTextMode(TextMode::Inverse);
}

void Screen::RedrawScreenFromBuffers() {
  if (host.IsWindowCollapsed()) return;
  if (!Opt.ScrollBackOn) ScrollBackViewShown = 0;
  // The host's output is read first; the repaint comes on a later pass.
  if (!(RepaintWithoutErase == 1 && KeystrokeRepaint == 1) && host.SerialBytesWaiting() > 0) {
    RepaintPending = 1;
    return;
  }
  const AttributeStateKept kept{ReverseOn,         DimOn,         UnderlineOn, BoldOn,
                                HostColourActive,  PrismNormal,   DisplayOn,   CursorEraseInverse,
                                CurrentBackColour, DimFontChanged};

  KeystrokeRepaint = 0;
  SetBackIndex(BackgroundColour);
  port.SetPenMode(platform::PenMode::Copy);
  const int16_t savedRow = CursorRow(), savedCol = CursorCol();
  const int rows = ScreenRows = ScreenRowsForHeight();
  MoveToCell(1, 1);

  int16_t wyseFore = 0, wyseBack = 0;
  if (WyseColourAttributes) {
    wyseFore = CurrentForeColour;
    wyseBack = CurrentBackColour;
    SetBackIndex(NormalBackColour);
    SetDrawColoursForAttribute();
  }
  bool fontAltered = false;
  // A reversed screen is drawn afresh and inverted whole.
  const bool full = RepaintWithoutErase == 0 || screenReversed_;
  if (full) {
    port.EraseRect({0, 0, Width(), Height() - 14});
    port.EraseRect({0, Height() - 14, Width(), Height()});
    SetDrawColoursForAttribute();
    SetNormalTextStyle();
  } else {
    // Drawing over the cells starts from the normal style, whatever the host
    // last drew with.
    ApplyRepaintStyle(kAttrNormal, 0, rows, fontAltered);
  }

  if ((host.IsFrontSessionWindow() || RepaintColumns <= 0) && CellWidth > 0)
    RepaintColumns = static_cast<int16_t>(std::clamp(Width() / CellWidth - 1, 0, static_cast<int>(kMaxCursorCol)));
  const int cols = RepaintColumns;

  const bool view = ScrollBackViewShown != 0;
  // The view shows text rows only; the status rows are left out in small
  // type, where they are not drawn from the planes.
  int lastRow = view ? rows : rows + 5;
  if (Opt.FontSizeMode != 0 && !view) lastRow -= 5;

  int16_t runCode = kAttrNormal;
  int16_t lastBack = BackgroundColour, lastFore = CurrentForeColour;
  bool styleChanged = true;  // colours are applied at the first cell in any case
  uint8_t run[256];
  int runLength = 0;
  auto drawRun = [&] {
    if (runLength == 0) return;
    port.DrawText(run, runLength);
    runLength = 0;
  };
  auto restoreFont = [&] {
    if (!fontAltered) return;
    port.TextFont(ScreenFontId);
    port.TextSize(Opt.TextSizeValue);
    fontAltered = false;
  };

  for (int row = 1; row <= lastRow; ++row) {
    if (row >= rows + 2 && row <= rows + 4) continue;
    if (row == rows + 5) {
      MoveToStatusLine(row, 1);
      if (Opt.TextSizeValue > 17) port.TextSize(12);
      ComputeCellMetrics();
      ScreenRows = static_cast<int16_t>(rows);
    }
    int16_t* chars;
    const int16_t *attrs, *fores, *backs;
    bool colourStep = ColourMode();
    if (view) {
      const int line = std::clamp(ScrollBackViewLine - rows + row, 0, ScrollBackPlanes::kLines - 1);
      chars = ScrollBack.Line(ScrollBackPlanes::kChars, line);
      attrs = ScrollBack.Line(ScrollBackPlanes::kAttrs, line);
      fores = ScrollBack.Line(ScrollBackPlanes::kFore, line);
      backs = ScrollBack.Line(ScrollBackPlanes::kBack, line);
      if (!ScrollBackColourA) colourStep = false;
    } else {
      chars = Grid.Row(ScreenPlanes::kChars, row);
      attrs = Grid.Row(ScreenPlanes::kAttrs, row);
      fores = Grid.Row(ScreenPlanes::kFore, row);
      backs = Grid.Row(ScreenPlanes::kBack, row);
    }
    for (int col = 1; col <= cols; ++col) {
      // An erased cell is drawn, and from now on held, as a space.
      if (chars[col] == 0) chars[col] = 0x20;
      const int16_t code = attrs[col];
      if (code != runCode && HasRepaintStyle(code, WyseColourAttributes != 0)) {
        drawRun();
        ApplyRepaintStyle(code, row, rows, fontAltered);
        runCode = code;
        styleChanged = true;
      }
      if (colourStep) {
        // 0 in a colour plane means no colour was recorded: the session's
        // normal foreground and its background.
        int16_t fore = fores[col];
        if (fore <= 0) fore = NormalForeColour;
        if (fore != lastFore) {
          drawRun();
          restoreFont();
          ApplyRunColours(lastBack, fore);
          lastFore = fore;
          styleChanged = false;
        }
        int16_t back = backs[col];
        if (back == 0) back = BackgroundColour;
        if (back != lastBack) {
          drawRun();
          restoreFont();
          lastBack = back;
          ApplyRunColours(lastBack, lastFore);
          styleChanged = false;
        } else if (styleChanged) {
          // The style may have set its own colours; the cell's win.
          ApplyRunColours(lastBack, lastFore);
          styleChanged = false;
        }
      }
      run[runLength++] = static_cast<uint8_t>(chars[col] & 0xFF);
    }
    drawRun();
    MoveToCell(row + 1, 1);
  }

  // The cells under a drawn cursor were painted afresh: its inverted image is
  // gone, and erasing it now would invert them again.
  if (CursorDrawn) {
    const bool repainted = full || (drawnCursor_.row >= 1 && drawnCursor_.row <= std::min(lastRow, rows + 1) &&
                                    drawnCursor_.col >= 1 && drawnCursor_.col <= cols);
    if (repainted) CursorDrawn = 0;
  }

  if (full) {
    SetNormalTextStyle();
    if (ScrollBarFollowsLater)
      ScrollBarValuePending = 1;
    else
      controls.SetControlValue(kScrollBarControl, ScrollBackViewLine);
    if (LinesTransmittedShown) host.ShowLinesTransmitted();
  } else {
    SetNormalTextStyle();
  }
  RepaintPending = 0;
  RepaintWithoutErase = 0;
  ReverseOn = kept.reverse;
  DimOn = kept.dim;
  UnderlineOn = kept.underline;
  BoldOn = kept.bold;
  HostColourActive = kept.hostColour;
  PrismNormal = kept.prismNormal;
  DisplayOn = kept.displayOn;
  CursorEraseInverse = kept.eraseInverse;
  CurrentBackColour = kept.currentBack;
  DimFontChanged = kept.dimFont;
  SetCursorRow(savedRow);
  SetCursorCol(savedCol);
  MoveToCell(CursorRow(), CursorCol());

  if (WyseColourAttributes) {
    CurrentForeColour = wyseFore;
    CurrentBackColour = wyseBack;
    BackgroundColour = NormalBackColour;
  }
  ScreenRows = ScreenRowsForWindow();
  ApplyAttributeDrawingState();
  // A reversed screen stays reversed over the fresh cells.
  if (screenReversed_ && full) InvertTextArea();
  if (Opt.FontSize != 0) host.EnableFontSizeMenuItem();
}

void Screen::SpreadAttributeForward() {
  port.SetPenMode(platform::PenMode::Copy);
  const int endCol = std::min<int>(ColumnsSetting, kMaxCursorCol);
  const int lastRow =
      std::min<int>(CursorRow() < ScreenRows + 1 ? ScreenRows : ScreenRows + 5, ScreenPlanes::kRows - 1);
  const int startRow = std::max<int>(CursorRow(), 1);
  const int startCol = std::clamp<int>(CursorCol(), 1, kMaxCursorCol);
  bool stopped = false;
  for (int r = startRow; r <= lastRow && !stopped; ++r) {
    if (r >= ScreenRows + 2 && r <= ScreenRows + 4) continue;
    int16_t* chars = Grid.Row(ScreenPlanes::kChars, r);
    int16_t* attrs = Grid.Row(ScreenPlanes::kAttrs, r);
    for (int c = r == startRow ? startCol : 1; c <= endCol; ++c) {
      const bool protectedCell = WriteProtectMode == 1 && ScreenProtect(r, c) == 1;
      // The mark just stored at the cursor starts the spread; the next mark
      // of another code (or a hidden or protected one) ends it.
      const bool start = r == startRow && c == startCol;
      if (!start && attrs[c] > 9) {
        const bool hidden = r <= kMaxCursorRow && HiddenAttrMark(r, c) == 1;
        if (attrs[c] != ReplacedAttributeCode || hidden || protectedCell) {
          stopped = true;
          break;
        }
      }
      if (protectedCell) continue;
      if (chars[c] == 0) chars[c] = 0x20;
      attrs[c] = CurrentAttributeCode;
    }
  }
  RepaintPending = 1;
  RepaintWithoutErase = 1;
}

}  // namespace korvane
