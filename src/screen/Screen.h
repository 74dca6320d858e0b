#pragma once
// The screen of one session: its cell planes, cursor, scroll region, attribute
// and colour state, cell geometry and scroll-back, and the primitives every
// emulation writes through.
//
// The primitives take no arguments. Like the terminal firmware they imitate,
// they work on named state that the caller sets just before the call
// (`EraseEndColumn`, `EraseRow` ...), change the planes, and erase or move the
// matching pixels of the window so that the drawing and the planes stay in
// step. Values that are also settings (colours, fonts, modes) live in the
// session's settings record `Opt`.
//
// Loops over a range of rows or columns test their bound after the body, as
// the terminal's own code did: a range whose end lies below its start still
// handles its first element once, where that cannot touch data it should not
// (see ForEachOnce).

#include <cstdint>
#include <memory>
#include <string>

#include "platform/Controls.h"
#include "platform/Port.h"
#include "screen/HostByteSource.h"
#include "screen/Palette.h"
#include "screen/Planes.h"
#include "screen/ScreenHost.h"
#include "screen/StoredPages.h"
#include "settings/SessionOptions.h"

namespace korvane {

using platform::Port;
using platform::Rect;

// Limits of the cursor and extent that every primitive applies.
constexpr int16_t kMaxCursorRow = 71;
constexpr int16_t kMaxCursorCol = 206;
constexpr int16_t kMaxScreenCols = 207;
constexpr int16_t kMaxScreenRows = 71;
// The status lines lie below the last screen row: the cursor can reach them.
constexpr int16_t kMaxStatusRow = kMaxScreenRows + 5;

// Numbered controls of a session window: the function-key buttons (two rows
// of up to 16) and the scroll bar of the scroll-back view.
constexpr int kFirstFkeyButton = 7001;  // 7001..7032
constexpr int kFkeyButtonCount = 32;
constexpr int kScrollBarControl = 8001;

// Attribute codes stored in ScreenAttrs (an enumeration, not bit flags).
enum AttributeCode : int16_t {
  kAttrNormal = 0,
  kAttrReverse = 1,
  kAttrDim = 2,
  kAttrUnderline = 3,
  kAttrBold = 4,
  kAttrReverseUnderline = 5,
  kAttrBoldUnderline = 6,
  kAttrReverseBold = 7,
  kAttrWyseFirst = 10,  // the Wyse attribute characters "0".."?" are 10..25
  kAttrWyseLast = 25,
};

class Screen {
  // The controls of a screen that was given no window's controls.
  std::unique_ptr<platform::Controls> ownControls_;

 public:
  Screen(SessionOptions& options, Port& port, ScreenHost& host, platform::Controls* controls = nullptr);
  Screen(const Screen&) = delete;
  Screen& operator=(const Screen&) = delete;

  SessionOptions& Opt;
  Port& port;
  ScreenHost& host;
  // The numbered controls of the session window (function-key buttons, the
  // scroll bar of the scroll-back view).
  platform::Controls& controls;

  // ---- Cells -------------------------------------------------------------
  ScreenPlanes Grid;
  FixedPlane<ScreenPlanes::kRows, ScreenPlanes::kCols> Protect{"ScreenProtect"};
  // Hidden-attribute markers of rows 1..71 (Wyse colour-attribute mode):
  // 1 at (r, c) means a hidden attribute begins there.
  FixedPlane<kMaxCursorRow + 1, ScreenPlanes::kCols> HiddenMarks{"HiddenAttributeMarks"};

  int16_t& ScreenChars(int r, int c) { return Grid.Cell(ScreenPlanes::kChars, r, c); }
  int16_t& ScreenAttrs(int r, int c) { return Grid.Cell(ScreenPlanes::kAttrs, r, c); }
  int16_t& ScreenForeColours(int r, int c) { return Grid.Cell(ScreenPlanes::kFore, r, c); }
  int16_t& ScreenBackColours(int r, int c) { return Grid.Cell(ScreenPlanes::kBack, r, c); }
  int16_t& ScreenProtect(int r, int c) { return Protect.At(r, c); }
  int16_t& HiddenAttrMark(int r, int c) { return HiddenMarks.At(r, c); }

  bool ColourMode() const { return Opt.ColourModeA != 0 || Opt.ColourModeB != 0; }

  // ---- Cursor, extent and primitive inputs ------------------------------
  // The cursor is the screen's own: every move goes through one setter and
  // its one clamp, which keeps it on the rows and columns the planes have
  // (row 0 and column 0 are states the primitives and the writer bring back
  // onto the screen before they write; rows below the screen are the status
  // lines).
  int16_t CursorRow() const { return cursorRow_; }
  int16_t CursorCol() const { return cursorCol_; }
  void SetCursorRow(int row) {
    cursorRow_ = static_cast<int16_t>(row < 0 ? 0 : row > kMaxStatusRow ? kMaxStatusRow : row);
  }
  void SetCursorCol(int col) {
    cursorCol_ = static_cast<int16_t>(col < 0 ? 0 : col > kMaxScreenCols ? kMaxScreenCols : col);
  }
  void SetCursor(int row, int col) {
    SetCursorRow(row);
    SetCursorCol(col);
  }
  int16_t ScreenRows = 24, ScreenCols = 80;
  // The text rows of the window as ScreenRowsForWindow last laid them out,
  // whatever the scroll region: the status area lies below them. Until the
  // next layout it keeps the old count, so a status row of the old layout is
  // never taken for one of a new, smaller window.
  int16_t WindowRows = 24;
  int16_t ColumnsSetting = 80;
  int16_t ScrollTop = 0, ScrollBottom = 0;  // 0 = the screen's edge
  int16_t NoScrollMode = 0;
  int16_t WindowWidth = 0, WindowHeight = 0;
  int16_t LastMoveRow = 1, LastMoveCol = 1;
  int16_t EraseEndColumn = 0;
  int16_t ProtectFieldStart = 0, ProtectEndColumn = 0;
  int16_t EraseRow = 0, EraseFromColumn = 0, EraseAcrossProtected = 0;

  // ---- Attributes and protection ------------------------------------------
  int16_t CurrentAttributeCode = 0;
  int16_t ReverseOn = 0, DimOn = 0, UnderlineOn = 0, BoldOn = 0;
  int16_t WyseColourAttributes = 0;
  int16_t StoredAttribute = 0, StoredForeColour = 0, StoredBackColour = 0;
  int16_t ReplacedAttributeCode = 0;
  int16_t TextStyleMode = 0;
  int16_t ColourAttributeInput = 0;
  int16_t WriteProtectMode = 0, ProtectFieldsSeen = 0, ProtectFieldMode = 0;

  // ---- Modes the primitives read -------------------------------------------
  int16_t LineGraphicsOn = 0;
  int16_t DisplayOn = 1;
  int16_t PicturesShown = 0, PicturesRedrawPending = 0;

  // ---- Colours (palette indexes) -------------------------------------------
  // The session's own colours are settings (Opt.CurrentForeColour,
  // Opt.BackgroundColour): NormalForeColour and NormalBackColour take them
  // whenever the settings are applied (TakeSessionColours). The host's
  // colour commands change only the colours below, which belong to the cells
  // written after them; a save never sees them.
  int16_t CurrentForeColour = 17, CurrentBackColour = 18;
  // The background behind the text area and the Wyse attribute colours.
  int16_t BackgroundColour = 18;
  int16_t NormalForeColour = 17, NormalBackColour = 18;
  // The colour of reverse cells the host's SCO command chose, 0 for none:
  // until the settings are applied again it stands for the session's.
  int16_t HostReverseColour = 0;
  int16_t ReverseColourNow() const { return HostReverseColour > 0 ? HostReverseColour : Opt.ReverseColour; }
  int16_t DimForeColour = 0;
  std::string LastForeColourChoice, LastBackColourChoice;
  int16_t HostColourActive = 0;
  int16_t PrismNormal = 0;

  // ---- Text and cell geometry -------------------------------------------
  int16_t ScreenFontId = platform::kScreenFont;
  int16_t DimFontChanged = 0;
  int16_t StatusLineWriteOpen = 0;
  int16_t DrawRow = 0;
  int16_t CellWidth = 7, CellHeight = 15, CellAscent = 12, CellDescent = 2, CellBaselineAdjust = 0;
  int16_t StatusLineOffset = 0, StatusMargin = 0;
  int16_t WindowColumns = 80;
  int16_t StatusLine2Row = 29;

  // ---- Redraw requests ------------------------------------------------------
  int16_t FrameRedrawPending = 0, GrowBoxRedrawPending = 0;
  int8_t RepaintPending = 0;
  int16_t RepaintWithoutErase = 0;
  int16_t KeystrokeRepaint = 0;
  int16_t DrawingBusy = 0;
  // The next idle pass redraws the screen from the planes when set.
  int16_t RedrawCounter = 0;

  // ---- Text cursor and status area -------------------------------------------
  int16_t CursorHidden = 0, CursorDrawn = 0, CursorDrawnRow = 1, CursorDrawnCol = 1;
  int16_t CursorEraseInverse = 0;
  std::string StatusLineText;
  std::string PendingLineText;
  int16_t LinesTransmittedShown = 0;

  // ---- Function-key bar and repaint ---------------------------------------------
  int16_t SkipPortCheck = 0;  // while set, the bar is not rebuilt
  int16_t SmallScreen = 0;    // the small fixed window layout is in use
  int16_t FkeyBarMade = 0;    // the last DrawFunctionKeyBar made buttons
  // The bar's buttons per row and the number of its second row's first
  // button, as the last layout made them (0 while there is no bar).
  int16_t FkeyButtonsPerRow = 0, FkeySecondRowBase = 0;
  int64_t FkeyBarNextTick = 0;  // before this tick a rebuild is only requested
  int16_t BarRedrawRequest = 0, MarginRedrawRequest = 0;
  int16_t BarTop = 0;  // top of the button area
  // The width of the scroll bar along the window's right edge: the buttons
  // stop short of it.
  int16_t ScrollBarWidth = 0;
  int16_t LabelTextSize = 12;
  int16_t MarginsPending = 0;
  int16_t BarClipCountdown = 0;
  int16_t EffectiveTextSize = 12;
  // Columns the repaint draws; kept from the last repaint in front.
  int16_t RepaintColumns = 0;

  // ---- Stored pages --------------------------------------------------------------
  StoredPages Pages;
  int16_t PageSaveSlot = 0, PageRestoreSlot = 0;  // 1..13, 0 = none
  int16_t PageRecallCol = 0, PageRecallRow = 0;
  // Where the page command reads its bytes; null reads as a time-out.
  HostByteSource* HostBytes = nullptr;

  // ---- Pending run of printed characters -----------------------------------
  // Characters stored in the planes but not yet drawn; drawn in one call.
  std::string PendingRun;

  // ---- Scroll-back store -----------------------------------------------------
  ScrollBackPlanes ScrollBack;
  int16_t ScrollBackCount = 960;
  int16_t ScrollBackLinePos = 24;
  int16_t ScrollBackViewLine = 24, ScrollBackViewDrawnLine = 24;
  int16_t ScrollBackViewShown = 0;
  int16_t ScrollBackMirrorPending = 0;
  int16_t ScrollBarUpdateNeeded = 0;
  // Set around the repaint that catches a flood up: the scroll bar's value
  // is then left to the idle pass, which sets it at most ten times a second
  // (ScrollBarValuePending), instead of with every frame.
  bool ScrollBarFollowsLater = false;
  int16_t ScrollBarValuePending = 0;
  int16_t ScrollBackColourA = 1, ScrollBackColourB = 0;
  int16_t ScreenSavedToScrollBack = 0;
  int8_t ScriptCommandBusy = 0;
  bool ScrollBackColours() const { return ScrollBackColourA != 0 || ScrollBackColourB != 0; }

  // ---- Erase primitives --------------------------------------------------------
  void EraseCharAtCursor();
  void EraseLineStartToCursor();
  void EraseScreenStartToCursor();
  void ProtectColumnRange();
  void EraseCursorLine();
  void EraseCharsFromCursor();
  void EraseToEndOfLineWithFlags();
  void EraseUnprotectedInRow();
  void ResetAttributesAndClearScreen();
  void ClearScreenBuffers();
  void ClearScreenArrays();
  void SkipProtectedCells();
  void EraseCursorToEndOfScreen();
  void ClearScreenAndHome();

  // ---- Line insert and delete, scrolling ------------------------------------
  void ScrollIfPastBottom();
  void ScrollUpIntoScrollback();
  void ScrollRegionDown();
  void ScrollRegionUp();
  void DeleteLineAtCursor();
  void InsertLineAtCursor();

  // ---- Character shifts within the cursor row ---------------------------------
  void ShiftLineLeftAtCursor();
  void ShiftLineRightAtCursor();
  void DrawPendingRun();

  // ---- Scroll-back --------------------------------------------------------------
  void AddLineToScrollback();
  void SaveScreenToScrollback();
  void ClearScrollback();
  // A window made shorter: the screen's rows move up by `shift`, the rows
  // that leave the top kept in the scroll-back.
  void ShiftRowsIntoScrollback(int rowsBefore, int shift);
  // The last of rows 1..rows that holds a character other than a blank, 0
  // when none does.
  int16_t LastRowWithText(int rows) const;
  void ScrollBackViewLineDown();
  void ScrollBackViewLineUp();
  void ScrollBackViewPageUp();
  void ScrollBackViewPageDown();
  void DrawScrollbackView();

  // ---- Repaint from the planes ----------------------------------------------------
  void RedrawScreenFromBuffers();
  void SpreadAttributeForward();

  // ---- The whole text area in reverse video (the host's visible bell) --------------
  // The pixels of the text area are inverted; the repaint keeps them so, and
  // the host input requests a repaint after text drawn meanwhile. The planes
  // do not change. A host asks for the normal screen again a moment later,
  // often within the same read: the reversed screen stays up at least
  // kReverseShownTicks, and the idle pass (ContinueScreenReverse) ends it.
  static constexpr int64_t kReverseShownTicks = 6;
  void SetScreenReversed(bool on);
  bool ScreenReversed() const { return screenReversed_; }
  void ContinueScreenReverse();
  // The tick at which a reversed screen turns back; 0 when none is reversed.
  int64_t ReverseEndTick() const { return normalDueTick_; }
  void InvertTextArea();

  // ---- Stored pages ----------------------------------------------------------------
  void PageCommand();
  void SaveScreenPage();
  void RestoreScreenPage();
  void RecallPageRegion();
  void ClearPages();

  // ---- Function-key bar and text cursor ----------------------------------------------
  void DrawFunctionKeyBar();
  void RemoveFunctionKeyBar();
  // The function key (1..32; 17..32 the shifted keys) whose label button
  // `control` of the bar is; 0 for a control that is none.
  int FunctionKeyOfButton(int control) const;
  void EraseBelowScreenLines();
  void DrawTextCursor();
  void EraseTextCursor();
  void PickEffectiveTextSize();

  // ---- Status area ---------------------------------------------------------------
  void PaintTextAreaBackground();
  void PaintTextAreaBackgroundB();
  // Empties the status line rows (ScreenRows + 1 and + 5) of the planes.
  void ClearStatusRows();

  // ---- Colours and text styles --------------------------------------------------
  void SetPrintForeColor(int i);
  void SetPrintBackColor(int i);
  void SetPaletteForeColor(int i);
  void SetPaletteBackColor(int i);
  void ForegroundColourChoice(const std::string& number);
  void BackgroundColourChoice(const std::string& number);
  void SetColoursForAttribute();
  void SetColoursForMode();
  void SetDrawColoursForAttribute();
  void SetTextStyleForAttribute();
  void SetTextRunAttributes();
  void SetNormalTextStyle();
  void SetPlainTextFace();
  // The session's own colours from its settings: the normal colours, and
  // the current ones and the background back to them (a new session, a
  // settings change, a reset).
  void TakeSessionColours();
  // The colours the host's SGR 39 / 49 / 0 bring back.
  void RestoreSessionForeColour() { CurrentForeColour = NormalForeColour; }
  void RestoreSessionBackColour() { CurrentBackColour = NormalBackColour; }
  // The background an erase paints: the current background while the host
  // sets colours of its own (ANSI colours, the extended ANSI mode), else the
  // window's background.
  int16_t EraseBackColour() const;
  // What an erased cell keeps in the background plane: 0 (the window's
  // background) unless the erase paints another colour.
  int16_t ErasedCellBack() const {
    const int16_t back = EraseBackColour();
    return back == BackgroundColour ? int16_t{0} : back;
  }

  // ---- Cell geometry and the pen ----------------------------------------------------
  void ComputeCellMetrics();
  // The rows of the screen: those that fit the window, or the scroll
  // region's bottom while there is one; stored in ScreenRows.
  int16_t ScreenRowsForWindow();
  // The rows that fit the window, by the same rule, whatever the scroll
  // region; stores nothing but StatusLine2Row.
  int16_t ScreenRowsForHeight();
  void MoveToCell(int row, int col);
  void MoveToCellFixed(int row, int col);
  void MoveToCellUnder(int row, int col);
  void MoveToCellClamped(int row, int col, int size);
  void MoveToCellOffset(int row, int col);
  void MoveToStatusLine(int row, int col);
  int16_t PenRow() const;
  int16_t PenColumn() const;
  void FinishCursorMove();

  // Pixel bounds of the text band of the line whose baseline is at v.
  int BandTop(int v) const;
  int BandBottom(int v) const { return v + CellDescent + 1; }
  bool LargeType() const { return Opt.TextSizeValue == 24 && Opt.FontSizeMode == 0; }

  // Limits the cursor to the area the primitives work on: rows 1 to the last
  // status line, columns 1..206.
  void ClampCursor();
  // Brings the cursor onto the screen area a character is written to (rows
  // 1..71, columns 1..206). Row and column are tested one by one: a load of
  // both at once right after they were stored one by one cannot be served
  // from the store buffer and stalls the per-character path.
  void LimitCursorToPlanes() {
    if (cursorCol_ < 1) cursorCol_ = 1;
    if (cursorCol_ > kMaxCursorCol) cursorCol_ = kMaxCursorCol;
    if (cursorRow_ < 1) cursorRow_ = 1;
    if (cursorRow_ > kMaxCursorRow) cursorRow_ = kMaxCursorRow;
  }
  // In checking builds, stops the program with a report when the cursor,
  // the extent or the scroll region has left its bounds (after every host
  // sequence); `after` names what ran last.
  void CheckBounds(const char* after) const;

 private:
  static std::unique_ptr<platform::Controls> MakeOwnControls(platform::Controls* given);

  int16_t cursorRow_ = 1, cursorCol_ = 1;
  bool screenReversed_ = false;
  int64_t reversedAtTick_ = 0, normalDueTick_ = 0;
  void EndScreenReverse();

  // The cursor figure last drawn, so that the erase inverts exactly its pixels.
  struct CursorFigure {
    int h = 0, v = 0, width = 0, lines = 0;
    bool block = false;
    int row = 0, col = 0;  // the cell of the pen it was drawn at
  };
  CursorFigure drawnCursor_;
  void InvertCursorFigure(const CursorFigure& f, bool paintBackground);

  // Repaint: the style of an attribute code for a run, a run's colours, and
  // the drawing state of the host's current attribute.
  void ApplyRepaintStyle(int16_t code, int row, int rows, bool& fontAltered);
  void ApplyRunColours(int16_t back, int16_t fore);
  void ApplyAttributeDrawingState();
  // Scroll-back view: the scroll bar's range and value, and one store line
  // drawn as plain characters on a text row.
  void SetScrollBarForView(int value);
  void DrawScrollbackLinePlain(int line, int row);
  // Stored pages: the recall's destination and source lie on the planes; one
  // field of the page command read up to its end byte.
  bool PageRecallFitsScreen(int slot) const;
  int ReadPageField(std::string& field, char end, size_t limit);
  void EraseCell(int row, int col);
  void ClearHiddenMark(int row, int col);
  void ClearRow(int row);
  // Copies columns 1..ScreenCols of a screen row into a scroll-back line.
  void CopyRowToScrollback(int row, int line);
  // The scroll region's rows with 0 standing for the screen's edges, cut to
  // the screen; false when the region is empty.
  bool RegionRows(int& top, int& bottom) const;
  class RightAttributesKept;
  // Palette index as the background colour (above 19 is black, 0 or below
  // keeps the current one).
  void SetBackIndex(int i);
  // The background colour an erase paints in. With a trigger of 0 or 1, the
  // session background first takes the current background in colour mode A
  // when Option141 equals the trigger, and the pen mode becomes copy.
  static constexpr int kEraseColourOnly = -1;
  void SelectEraseColour(int option141Trigger);
  void SetFrameFlags() {
    FrameRedrawPending = 1;
    GrowBoxRedrawPending = 1;
  }
  void ApplyCellMetricsToPort();
  // The row and column of a pen position (PenRow, PenColumn).
  int16_t RowOfPen(int v) const;
  int16_t ColumnOfPen(int h) const;
  // Columns that fit the window, when it is the front session window.
  void UpdateWindowColumns();
  // The width and cell width the columns were last worked out from: every
  // text style of the host's attributes asks again, and the division is
  // done only when one of them has changed.
  int columnsWidth_ = -1, columnsCellWidth_ = -1, columnsFit_ = 0;
  // Takes back the larger text size the dim style may have set.
  void RestoreDimmedFont();
  // Small type without the plain-face switch draws bold as plain.
  bool SmallPlainFace() const;
  int16_t LimitScreenCols() {
    if (ScreenCols > kMaxScreenCols) ScreenCols = kMaxScreenCols;
    return ScreenCols;
  }
  int16_t ColumnsLimit() const { return ColumnsSetting > kMaxCursorCol ? kMaxCursorCol : ColumnsSetting; }
  int Width() const { return port.Width(); }
  int Height() const { return port.Height(); }
  // The one rule for the rows that fit the window (the scroll region left
  // aside): ScreenRowsForWindow and ScreenRowsForHeight both use it, so the
  // repaint, the scroll-back and the status area agree on the last row.
  int RowsThatFit(int& fit) const;
  // The text rows that fit the window now, whatever the scroll region.
  int WindowTextRows() const;
};

}  // namespace korvane
