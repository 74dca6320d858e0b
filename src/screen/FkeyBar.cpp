// The area below the text rows: the status area, and the function-key bar of
// two rows of numbered buttons titled with the function-key labels.

#include "screen/Screen.h"

namespace korvane {

namespace {

// One layout of the bar. Positions are in tenths of a pixel, so that pitches
// like 80.9 place every button exactly.
struct BarLayout {
  bool applies;
  int buttonsPerRow;
  int secondRowBase;  // control number of the second row's first button
  int pitch10;        // distance between left edges
  int leftOffset10;   // added to a button's left edge
  int16_t labelSize;
  bool lastOverhangs;  // the last button reaches 2 pixels past the window
};

}  // namespace

void Screen::PaintTextAreaBackground() {
  StatusLineText.clear();
  PendingLineText.clear();
  LinesTransmittedShown = 0;
  DrawingBusy = 1;
  SetBackIndex(Opt.ExtendedAnsiMode == 0 ? BackgroundColour : CurrentBackColour);
  port.SetPenMode(platform::PenMode::Copy);
  ScreenRows = ScreenRowsForWindow();
  const int16_t savedRow = PenRow(), savedCol = PenColumn();
  const int w = Width(), h = Height();

  port.EraseRect({0, h - 14, w, h + CellDescent + 1});
  // Below the rows of the window, not below a scroll region.
  SetCursorRow(static_cast<int16_t>(WindowRows + 1));
  if (Opt.TextSizeValue <= 9)
    MoveToCellUnder(CursorRow(), 1);
  else
    MoveToCell(CursorRow(), 1);
  const int v = port.Pen().v;
  if (Opt.FkeyBarShown) {
    port.EraseRect({0, v - CellAscent, w, h});
  } else if (Opt.HostFeatureOption == 0) {
    port.EraseRect({0, v - CellAscent, w, h});
    DrawFunctionKeyBar();
  } else {
    port.EraseRect({0, v - CellAscent - (Opt.TextSizeValue == 24 ? 2 : 0), w, BarTop});
  }
  ClearStatusRows();

  SetCursorRow(savedRow);
  SetCursorCol(savedCol);
  ClampCursor();
  MoveToCell(CursorRow(), CursorCol());
  MarginsPending = 0;
  SetFrameFlags();
  SetDrawColoursForAttribute();
}

void Screen::DrawFunctionKeyBar() {
  if (SkipPortCheck || !host.IsFrontSessionWindow()) return;
  LabelTextSize = Opt.TextSizeValue;
  if (Opt.FontSizeMode) {
    if (CellWidth == 4) LabelTextSize = 6;
    if (CellWidth == 6) LabelTextSize = 9;
    if (CellWidth == 7) LabelTextSize = 12;
  }
  // Rebuilding the buttons is slow on every platform; a request within half a
  // second of the last build is left to the idle pass.
  const int64_t now = host.TickCount();
  if (now < FkeyBarNextTick) {
    if (Opt.HostFeatureOption)
      BarRedrawRequest = 1;
    else
      MarginRedrawRequest = 1;
    return;
  }
  FkeyBarNextTick = now + 30;

  port.TextFont(ScreenFontId);
  port.TextSize(Opt.TextSizeValue);
  const int w = Width(), h = Height(), t = h - 14;
  const int16_t penRow = PenRow(), penCol = PenColumn();
  BarRedrawRequest = MarginRedrawRequest = 0;
  ScreenRows = ScreenRowsForWindow();

  if (Opt.HostFeatureOption == 0) {
    controls.SetControlValue(kScrollBarControl, ScrollBackViewLine);
    if (FkeyBarMade) {
      ComputeCellMetrics();
      port.TextFont(ScreenFontId);
      port.TextSize(Opt.FontSizeMode ? (Opt.PlainFaceSwitch ? int16_t{9} : int16_t{6}) : Opt.TextSizeValue);
      MoveToCell(penRow, penCol);
      port.ValidRect({0, 0, w, h - 14});
    }
    return;
  }
  if (Opt.FkeyBarShown) {
    EraseBelowScreenLines();
    if (PicturesShown) host.InvalidatePictureArea();
    return;
  }

  RemoveFunctionKeyBar();
  FkeyBarMade = 1;
  BarTop = static_cast<int16_t>(t - 30);
  const int display = host.DisplayWidth();
  const BarLayout layouts[] = {
      {w < 640 || SmallScreen != 0, SmallScreen ? 10 : 9, kFirstFkeyButton + 10, 535, 10, 10, true},
      {w > 639 && (Opt.FontSize == 0 || display < 823), 10, kFirstFkeyButton + 10, 625, 0, 10, true},
      {display > 822 && Opt.FontSize == 16, 10, kFirstFkeyButton + 10, 809, 0, 12, true},
      {display > 822 && Opt.TextSizeValue == 18, 16, kFirstFkeyButton + 16, 790, 0, 12, false},
      {display > 822 && Opt.TextSizeValue == 24, 16, kFirstFkeyButton + 16, 790, 0, 12, false},
  };
  // Of the layouts whose condition holds, the last one is built: building
  // each in turn would leave buttons of an earlier one that the later one
  // does not make (stray buttons where the second row of another layout
  // was). The buttons stop at the scroll bar.
  const BarLayout* chosen = nullptr;
  for (const BarLayout& layout : layouts)
    if (layout.applies) chosen = &layout;
  const int barWidth = w - ScrollBarWidth;
  if (chosen) {
    const BarLayout& layout = *chosen;
    const bool overhang = layout.lastOverhangs && ScrollBarWidth == 0;
    FkeyButtonsPerRow = static_cast<int16_t>(layout.buttonsPerRow);
    FkeySecondRowBase = static_cast<int16_t>(layout.secondRowBase);
    for (int i = 0; i < layout.buttonsPerRow; ++i) {
      const int start10 = i * layout.pitch10;
      int width10 = layout.pitch10;
      if (start10 + layout.pitch10 > barWidth * 10) width10 = barWidth * 10 - start10 + (overhang ? 20 : 0);
      if (width10 <= 0) continue;
      const int left = (start10 + layout.leftOffset10) / 10;
      const int right = (start10 + width10) / 10;
      const int first = kFirstFkeyButton + i, second = layout.secondRowBase + i;
      controls.MakeBevelButton(first, {left, t - 30, right, t - 15}, Opt.FkeyTitles[i + 1]);
      controls.SetControlTitleFont(first, platform::kLabelFont, layout.labelSize);
      controls.MakeBevelButton(second, {left, t - 15, right, t}, Opt.ShiftFkeyTitles[i + 1]);
      controls.SetControlTitleFont(second, platform::kLabelFont, layout.labelSize);
    }
  }

  controls.SetControlValue(kScrollBarControl, ScrollBackViewLine);
  ScreenRows = ScreenRowsForWindow();
  MoveToCell(penRow, penCol);
  port.InvalRect({0, 0, w, h - 14});
  port.TextFont(ScreenFontId);
  port.TextSize(LabelTextSize);
  BarClipCountdown = 1;
}

void Screen::RemoveFunctionKeyBar() {
  FkeyBarMade = 0;
  FkeyButtonsPerRow = FkeySecondRowBase = 0;
  for (int id = kFirstFkeyButton; id < kFirstFkeyButton + kFkeyButtonCount; ++id) controls.CloseControl(id);
}

int Screen::FunctionKeyOfButton(int control) const {
  if (FkeyButtonsPerRow <= 0) return 0;
  if (control >= kFirstFkeyButton && control < kFirstFkeyButton + FkeyButtonsPerRow)
    return control - kFirstFkeyButton + 1;
  if (control >= FkeySecondRowBase && control < FkeySecondRowBase + FkeyButtonsPerRow)
    return 16 + control - FkeySecondRowBase + 1;
  return 0;
}

void Screen::EraseBelowScreenLines() {
  RemoveFunctionKeyBar();
  ScreenRows = ScreenRowsForWindow();
  const int16_t row = CursorRow(), col = CursorCol();
  const auto pen = port.Pen();
  const int rows = WindowRows;
  SetCursorRow(static_cast<int16_t>(rows + 3));
  MoveToCellClamped(CursorRow(), 1, Opt.TextSizeValue);
  EraseCursorLine();
  SetCursorRow(static_cast<int16_t>(rows + 4));
  MoveToCellOffset(CursorRow(), 1);
  EraseCursorLine();
  SetCursorRow(row);
  SetCursorCol(col);
  port.MoveTo(pen.h, pen.v);
}

}  // namespace korvane
