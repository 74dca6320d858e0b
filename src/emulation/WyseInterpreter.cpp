// The Wyse-family interpreter, per character: the adjustments of the received
// code, the printable characters, and the control characters.

#include "emulation/WyseInterpreter.h"

#include <algorithm>

#include "emulation/HostInput.h"

namespace korvane {

namespace {
constexpr int kAck = 6, kBel = 7, kBs = 8, kTab = 9, kLf = 10, kVt = 11, kFf = 12, kCr = 13, kSo = 14, kSi = 15,
              kDle = 16, kNak = 21, kSyn = 22, kSub = 26, kEsc = 27, kRs = 30, kUs = 31, kSoh = 1, kEtx = 3, kEnq = 5,
              kDc2 = 18, kDel = 127;

}  // namespace

WyseInterpreter::WyseInterpreter(HostInput& in, WyseState& state)
    : in_(in), s_(in.screen), o_(in.Opt), st_(state), commands_(in, state) {}

LineGraphicsMode WyseInterpreter::GraphicsMode() const {
  LineGraphicsMode m;
  m.rangeMode = st_.GraphicsRangeMode != 0;
  m.altSet = o_.AltGraphicsSet == 1;
  m.wyseColour = s_.WyseColourAttributes != 0;
  m.programFont = o_.ProgramFontOption;
  m.wyse60Set = st_.Wyse60GraphicsSet != 0;
  return m;
}

void WyseInterpreter::InterpretCharacter(HostInput& in) {
  if (WriteUpdates(in)) return;
  int c = in.CurrentHostChar;
  // The common case first: a plain 7-bit character with no mode that changes
  // it goes straight to the writer.
  if (c >= 32 && c < 127 && !st_.MonitorMode && !st_.EnqSeen && !in_.GraphicsModeOn && !s_.StatusLineWriteOpen &&
      !st_.PaintBackgroundAtCr && !s_.ProtectFieldMode &&
      (o_.ProgramFontOption == 2 || o_.HostCharacterSet == 14 || in_.MapNationalCharacter(c) == c)) {
    // With nothing that treats bytes one by one, the printable bytes that
    // follow are written with this one as a run.
    if (UpdatesCanBeBatched() && in.WritePrintableRun()) return;
    in.WriteCharacter();
    return;
  }
  // An ESC, the start of nearly every screen update, goes straight to the
  // escape dispatch when no mode adjusts or collects the byte first (ESC is
  // no national, multinational or line-graphics position).
  if (c == kEsc && !st_.EnqSeen && !st_.MonitorMode && !s_.StatusLineWriteOpen && !st_.PaintBackgroundAtCr &&
      !s_.ProtectFieldMode) {
    st_.SwallowNextLf = 0;
    Escape();
    return;
  }
  const bool graphics = in_.GraphicsModeOn != 0;
  if (!AdjustCharacter(c)) return;

  // Before the dispatch.
  if (c == 0 || c == kDel) return;
  if (s_.StatusLineWriteOpen == 1 && in_.StatusLinePenActive == 0 && c != kCr &&
      s_.PendingLineText.size() < HostInput::kLineTextMax)
    s_.PendingLineText += static_cast<char>(c);
  if (st_.PaintBackgroundAtCr) {
    if (c == kCr) s_.PaintTextAreaBackground();
    st_.PaintBackgroundAtCr = 0;
  }
  if (s_.ProtectFieldMode) {
    // A run of cursor-right moves along a field keeps its start; anything
    // else ends the run.
    const int keep = o_.EmuWyse50 ? kFf : kAck;
    if (c != keep) st_.ProtectFieldStarted = 0;
  }
  // A line-graphics glyph is drawn on Prism too: it is no attribute byte of
  // the host's.
  const bool printable = o_.EmuPrism ? (c >= 32 && c <= 127) || (c > 31 && (o_.PrismSevenBit || graphics)) : c > 31;
  if (printable) {
    in.CurrentHostChar = static_cast<int16_t>(c);
    in.WriteCharacter();
    return;
  }
  if (st_.SwallowNextLf) {
    st_.SwallowNextLf = 0;
    if (c == kLf) return;
  }
  in.CurrentHostChar = static_cast<int16_t>(c);
  ControlCharacter(c);
}

bool WyseInterpreter::UpdatesCanBeBatched() const {
  // The conditions of the two lanes of InterpretCharacter below (a printable
  // byte and an ESC that nothing adjusts), the printer (its own echo steps)
  // and Prism's attribute bytes.
  return in_.EachByteNeeds() == 0 && !st_.MonitorMode && !st_.EnqSeen && !s_.StatusLineWriteOpen &&
         !st_.PaintBackgroundAtCr && !in_.PrinterOn && !o_.EmuPrism && NationalSetReplacesNothing();
}

bool WyseInterpreter::WriteUpdates(HostInput& in) {
  auto printable = [](int c) { return c >= 32 && c < 127; };
  int c = in.CurrentHostChar;
  if ((c != kEsc && !printable(c)) || !UpdatesCanBeBatched()) return false;
  while (true) {
    if (c == kEsc) {
      // Any other sequence may change what the updates rely on: the reader
      // takes it.
      const std::string_view ahead = in.ChunkAhead();
      if (ahead.empty() || !(ahead[0] == 'G' || (ahead[0] == '=' && o_.EmuViewpoint))) return false;
      st_.SwallowNextLf = 0;
      Escape();
    } else if (!printable(c) || !in.WritePrintableRun()) {
      return false;
    }
    if (!in.TakeNextChunkByte(true)) return true;
    c = in.CurrentHostChar;
  }
}

bool WyseInterpreter::NationalSetReplacesNothing() const {
  if (o_.ProgramFontOption == 2 || o_.HostCharacterSet == 14) return true;
  static constexpr int kPositions[] = {96, 126, 64, 35, 94, 95, 91, 93, 92, 123, 125, 124};
  for (int p : kPositions)
    if (in_.MapNationalCharacter(p) != p) return false;
  return true;
}

bool WyseInterpreter::AdjustCharacter(int& c) {
  if (c > 127 && ((o_.EmuPrism == 0 && o_.NationalCharsOff == 0) || (o_.PrismSevenBit == 1 && o_.EmuPrism == 1)))
    c &= 127;
  if (st_.EnqSeen == kEnq) {
    st_.EnqSeen = 0;
    if (c == kDc2) c = 0;
  }
  if (c == kEnq) st_.EnqSeen = kEnq;
  if (st_.MonitorMode) {
    MonitorModeCharacter(c);
    return false;
  }
  if (o_.ProgramFontOption != 2 && o_.HostCharacterSet != 14 && !in_.GraphicsModeOn) c = in_.MapNationalCharacter(c);
  if (c > 127 && o_.DecMultinational == 1) {
    c = HostInput::MapHighCharacter(c);
    return true;
  }
  if (o_.NationalCharsOff == 1 && o_.HostCharacterSet == 7 && o_.DecMultinational == 0 && o_.AltGraphicsSet == 0) {
    if (c == 148) {
      c = 94;
      if (in_.Services().keyboard.ShiftAndKeyDown()) c = 64;
    } else if (c == 244) {
      c = 157;
    } else if (c == 233) {
      c = 143;
    }
  }
  if (in_.GraphicsModeOn) c = MapLineGraphics(c, GraphicsMode());
  return true;
}

void WyseInterpreter::MonitorModeCharacter(int c) {
  if (c == kEsc) {
    const int b = NextByte();
    if (b == 'X' || b == 'u') {
      st_.MonitorMode = 0;
      in_.CurrentHostChar = 0;
      return;
    }
    c = b == 'Z' ? NextByte() : b;
  }
  // Controls are shown, not carried out: 16..31 as their own glyphs; 0..15
  // reach the writer, which prints nothing for them.
  if (c >= 16 && c <= 31) c += 204;
  in_.CurrentHostChar = static_cast<int16_t>(c);
  in_.WriteCharacter();
}

void WyseInterpreter::ControlCharacter(int c) {
  const bool wyse50 = o_.EmuWyse50 != 0;
  switch (c) {
    case kTab: {
      in_.FlushRun(HostInput::Echo::Character);
      if (o_.ClipboardOption41)
        in_.echo.LineEnd("\t", kEchoCaptureFile);
      else
        in_.echo.Text("\t", kEchoCaptureFile);
      if (s_.DisplayOn) {
        const int col = std::max<int>(s_.CursorCol(), 1);
        const int next = ((col - 1) / 8 + 1) * 8 + 1;
        if (next <= s_.ColumnsSetting && next <= kMaxCursorCol) s_.SetCursorCol(static_cast<int16_t>(next));
        s_.MoveToCell(s_.CursorRow(), s_.CursorCol());
      }
      break;
    }
    case kLf: LineFeed(); break;
    case kCr: CarriageReturn(); break;
    case kFf:
      // Cursor right on every terminal of the Wyse 50 family, the
      // TeleVideo 925 among them; a clear on the others.
      if (wyse50)
        CursorRight();
      else
        FormFeedClear();
      break;
    case kBs:
    case kNak: Backspace(); break;
    case kBel:
      in_.FlushRun(HostInput::Echo::Character);
      in_.Services().sounds.Beep();
      break;
    case kAck: CursorForwardOne(); break;
    case kDle: ColumnAddress(); break;
    case kEsc: Escape(); break;
    default:
      if (c == kSyn && (o_.EmuTvi925 || o_.AltEditKeys == 1)) {
        LineFeed();
      } else if (c == kRs && wyse50) {
        in_.FlushRun(HostInput::Echo::Character);
        if (s_.ProtectFieldMode) in_.CloseProtectedFieldAtPen();
        MoveCursorTo(1, 1);
      } else if (c == kUs && wyse50) {
        in_.FlushRun(HostInput::Echo::Character);
        if (s_.ProtectFieldMode) in_.CloseProtectedFieldAtPen();
        s_.SetCursorCol(1);
        s_.ScrollIfPastBottom();
        s_.FinishCursorMove();
      } else if (c == kSub && wyse50) {
        in_.FlushRun(HostInput::Echo::Character);
        ClearAndHome(false);
      } else if (c == kSoh && !wyse50) {
        in_.FlushRun(HostInput::Echo::LineEnd);
        if (o_.EmuPrism) {
          s_.SetNormalTextStyle();
          MoveCursorTo(1, 1);
        } else {
          // The Viewpoint's home is the start of the last line.
          MoveCursorTo(s_.ScreenRows, 1);
        }
      } else if (o_.EmuPrism && (c == kEtx || c > 127)) {
        PrismAttributeByte(c == kEtx ? NextByte() : c);
      } else if (c == kVt && !wyse50) {
        RowAddress();
      } else if (c == kSub || (c == kVt && wyse50)) {
        CursorUp();
      } else if (c == kSi && o_.EmuViewpoint) {
        in_.FlushRun(HostInput::Echo::LineEnd);
        s_.ReverseOn = s_.UnderlineOn = s_.DimOn = s_.BoldOn = 0;
        s_.SetNormalTextStyle();
        st_.ShiftOutOn = 0;
      } else if (c == kSo && o_.EmuViewpoint && !wyse50) {
        in_.FlushRun(HostInput::Echo::Character);
        st_.ShiftOutOn = 1;
        ApplyShiftOutAttribute();
      } else if (!HostAction(c)) {
        EditingCommand(c);
      }
      break;
  }
}

void WyseInterpreter::LineFeed() {
  if (o_.LineEndLf())
    in_.CaptureLineEnd();
  else
    in_.CaptureCharacter();
  if (in_.WrapLineFeedPending) {
    in_.WrapLineFeedPending = 0;
    s_.PendingRun.clear();
    return;
  }
  if (s_.DisplayOn) in_.DrawRun();
  s_.PendingRun.clear();
  in_.CurrentHostChar = 0;
  if (!s_.DisplayOn) return;
  if (o_.EmuPrism) s_.SetNormalTextStyle();
  if (s_.ProtectFieldMode) in_.CloseProtectedFieldAtPen();
  if (s_.WriteProtectMode && s_.CursorRow() + 1 > 24) {
    // Protect mode keeps a form on its 24 rows: the line feed wraps to the top.
    MoveCursorTo(1, 1);
    return;
  }
  s_.ScrollIfPastBottom();
  s_.FinishCursorMove();
}

void WyseInterpreter::CarriageReturn() {
  if (s_.WriteProtectMode) s_.MoveToCell(s_.CursorRow(), s_.CursorCol());
  in_.FlushRun(o_.LineEndCr() ? HostInput::Echo::LineEnd : HostInput::Echo::Character);
  in_.CurrentHostChar = 0;
  if (s_.DisplayOn && s_.StatusLineWriteOpen) {
    EndStatusLineWrite();
    return;
  }
  // The Wyse 50 and 60 keep the text attributes across cursor moves (curses
  // writes a highlighted area line by line without switching them again).
  const bool keepsAttributes = o_.EmuWyse50 && !o_.EmuTvi925;
  if (s_.CursorRow() <= s_.ScreenRows && !s_.WriteProtectMode && !s_.ProtectFieldMode && !keepsAttributes)
    s_.SetNormalTextStyle();
  if (s_.ProtectFieldMode) in_.CloseProtectedFieldAtPen();
  s_.SetCursorCol(1);
  s_.MoveToCell(s_.CursorRow(), 1);
  s_.LastMoveCol = 1;
  s_.LastMoveRow = s_.CursorRow();
  if (s_.ProtectFieldMode) s_.ProtectFieldStart = 1;
  if (s_.WriteProtectMode) s_.SkipProtectedCells();
}

void WyseInterpreter::EndStatusLineWrite() {
  CloseStatusLineWrite();
  st_.SwallowNextLf = 1;
  s_.SetNormalTextStyle();
  s_.port.TextFace(platform::kFacePlain);
}

void WyseInterpreter::CloseStatusLineWrite() {
  if (!s_.StatusLineWriteOpen) return;
  if (s_.WyseColourAttributes && st_.StatusSavedColours) {
    s_.CurrentAttributeCode = st_.StatusSavedAttribute;
    s_.CurrentForeColour = st_.StatusSavedFore;
    s_.CurrentBackColour = st_.StatusSavedBack;
    s_.SetPrintForeColor(s_.CurrentForeColour);
    s_.SetPrintBackColor(s_.CurrentBackColour);
    s_.RepaintPending = 1;
  }
  st_.StatusSavedColours = 0;
  s_.StatusLineWriteOpen = 0;
  in_.StatusLinePenActive = 0;
  s_.SetCursorRow(in_.StatusSavedRow);
  s_.SetCursorCol(in_.StatusSavedCol);
  s_.MoveToCell(s_.CursorRow(), s_.CursorCol());
}

void WyseInterpreter::FormFeedClear() {
  if (o_.PrinterOption37 == 1) {
    // The form feed is a page break in every echo of the text.
    in_.CaptureLineEnd();
    in_.echo.Text("\f");
  } else {
    in_.CaptureCharacter();
  }
  if (s_.DisplayOn) in_.DrawRun();
  s_.PendingRun.clear();
  in_.CurrentHostChar = 0;
  s_.SetCursor(1, 1);
  s_.MoveToCell(1, 1);
  if (o_.EmuPrism) s_.SetNormalTextStyle();
  s_.WriteProtectMode = 0;
  if (s_.DisplayOn) s_.ClearScreenAndHome();
}

void WyseInterpreter::CursorRight() {
  const std::string run = s_.PendingRun;
  if (s_.DisplayOn) in_.DrawRun();
  if (o_.PrinterOption37 == 1) {
    in_.CaptureLineEnd();
    in_.echo.Text("\f");
  } else {
    in_.echo.Text(run + " ");
  }
  s_.PendingRun.clear();
  in_.CurrentHostChar = 0;
  if (s_.CursorRow() < 1) s_.SetCursorRow(1);
  if (s_.CursorCol() < 1) s_.SetCursorCol(1);
  const int from = s_.CursorCol();
  if (s_.WyseColourAttributes && from <= kMaxCursorCol && s_.CursorRow() <= kMaxCursorRow)
    s_.ScreenAttrs(s_.CursorRow(), from) = s_.CurrentAttributeCode;
  int col = from + 1;
  if (!s_.DisplayOn && col >= s_.ColumnsSetting) col = 1;
  s_.SetCursorCol(static_cast<int16_t>(std::min(col, kMaxCursorCol + 1)));
  s_.MoveToCell(s_.CursorRow(), s_.CursorCol());
  ProtectPassedColumn(from);
}

void WyseInterpreter::CursorForwardOne() {
  if (s_.DisplayOn) in_.DrawRun();
  const std::string& run = s_.PendingRun;
  if (in_.echo.AnyOn()) in_.echo.Text(run + " ", kEchoClipboard | kEchoCaptureFile);
  s_.PendingRun.clear();
  in_.CurrentHostChar = 0;
  if (s_.CursorRow() < 1) s_.SetCursorRow(1);
  if (s_.CursorCol() < 1) s_.SetCursorCol(1);
  const int from = s_.CursorCol();
  // No limit at the right edge but the one that keeps the column a column.
  s_.SetCursorCol(static_cast<int16_t>(std::min(from + 1, kMaxCursorCol + 1)));
  s_.MoveToCell(s_.CursorRow(), s_.CursorCol());
  ProtectPassedColumn(from);
}

void WyseInterpreter::ProtectPassedColumn(int from) {
  if (!s_.ProtectFieldMode || from > kMaxCursorCol) return;
  st_.ProtectFieldStarted = 1;
  const int16_t start = s_.ProtectFieldStart;
  s_.ProtectFieldStart = static_cast<int16_t>(from);
  s_.ProtectEndColumn = static_cast<int16_t>(from);
  const int16_t row = s_.CursorRow();
  s_.ProtectColumnRange();
  s_.SetCursorRow(row);
  s_.ProtectFieldStart = start;
}

void WyseInterpreter::PrismAttributeByte(int b) {
  in_.FlushRun(HostInput::Echo::Character);
  in_.CurrentHostChar = 0;
  const int h = (b >> 4) & 15, l = b & 15;
  auto oneOf = [](int v, std::initializer_list<int> set) { return std::find(set.begin(), set.end(), v) != set.end(); };
  const bool oddHigh = oneOf(h, {1, 3, 5, 7, 9, 11, 13});
  if (oneOf(l, {0, 1, 2, 3, 8, 9, 10, 11}) && !oddHigh) {
    s_.ReverseOn = s_.UnderlineOn = s_.DimOn = s_.BoldOn = 0;
    s_.SetNormalTextStyle();
    return;
  }
  s_.ReverseOn = 1;
  s_.UnderlineOn = s_.DimOn = s_.BoldOn = 0;
  if (oddHigh || h == 15) {
    s_.UnderlineOn = 1;
    s_.ReverseOn = l == 4 ? 1 : 0;
  }
  if (oneOf(l, {1, 3, 5, 7, 9, 11, 13})) s_.DimOn = 1;
  if (oneOf(l, {2, 3, 6, 7, 10, 11, 14, 15})) s_.BoldOn = 1;
  in_.SetTextStyleForFlags();
}

void WyseInterpreter::RowAddress() {
  CloseStatusLineWrite();
  in_.FlushRun(HostInput::Echo::LineEnd);
  in_.CurrentHostChar = 0;
  const int b = NextByte() & 127;
  const int row = b > 63 ? b - 64 : b;
  if (s_.ProtectFieldMode) CloseProtectedField();
  MoveCursorTo(row + 1, s_.CursorCol());
}

void WyseInterpreter::ColumnAddress() {
  CloseStatusLineWrite();
  const std::string run = s_.PendingRun;
  if (s_.DisplayOn) in_.DrawRun();
  if (in_.echo.AnyOn()) in_.echo.Text(run + " ");
  s_.PendingRun.clear();
  in_.CurrentHostChar = 0;
  if (o_.ClearAddressesOption) s_.SetNormalTextStyle();
  const int b = NextByte() & 127;
  // The byte's two hexadecimal digits read as a decimal number.
  const int col = (b >> 4) * 10 + (b & 15);
  if (s_.ProtectFieldMode) CloseProtectedField();
  MoveCursorTo(s_.CursorRow(), col + 1);
}

void WyseInterpreter::Backspace() {
  in_.FlushRun(HostInput::Echo::Character);
  in_.CurrentHostChar = 0;
  if (!o_.EmuPrism && s_.CursorCol() <= 1 && s_.CursorRow() > 1) {
    s_.SetCursorRow(static_cast<int16_t>(std::min<int>(s_.CursorRow() - 1, kMaxCursorRow)));
    s_.SetCursorCol(static_cast<int16_t>(std::min<int>(s_.ColumnsSetting, kMaxCursorCol)));
  } else {
    s_.SetCursorCol(static_cast<int16_t>(std::max(s_.CursorCol() - 1, 1)));
  }
  s_.MoveToCell(s_.CursorRow(), s_.CursorCol());
  if (s_.WriteProtectMode) s_.LastMoveCol = s_.CursorCol();
}

void WyseInterpreter::CursorUp() {
  in_.FlushRun(HostInput::Echo::LineEnd);
  in_.CurrentHostChar = 0;
  // The Wyse 50 and 60 wrap from the top row to the bottom one: "home, up"
  // is how they reach the last line.
  const bool wraps = o_.EmuWyse50 && !o_.EmuTvi925;
  if (wraps && s_.CursorRow() <= 1) s_.SetCursorRow(std::max<int>(s_.ScreenRows, 1) + 1);
  s_.SetCursorRow(static_cast<int16_t>(std::clamp<int>(s_.CursorRow(), 2, kMaxCursorRow + 1)));
  if (s_.CursorCol() < 1) s_.SetCursorCol(1);
  s_.SetCursorRow(s_.CursorRow() - 1);
  s_.MoveToCell(s_.CursorRow(), s_.CursorCol());
  s_.FinishCursorMove();
}

void WyseInterpreter::BackTab() {
  in_.FlushRun(HostInput::Echo::Character);
  in_.CurrentHostChar = 0;
  // To the tab stop before the cursor (columns 1, 9, 17, ...); at the first
  // column the cursor stays.
  const int col = std::clamp<int>(s_.CursorCol(), 1, kMaxCursorCol + 1);
  const int stop = col > 1 ? (col - 2) / 8 * 8 + 1 : 1;
  s_.SetCursorCol(static_cast<int16_t>(stop));
  s_.MoveToCell(s_.CursorRow(), s_.CursorCol());
}

void WyseInterpreter::ApplyShiftOutAttribute() {
  const int a = st_.ShiftOutAttribute;
  s_.DimOn = (a & 0x01) ? 1 : 0;
  // Blinking text is shown bold, as the attribute command shows it.
  s_.BoldOn = (a & 0x02) ? 1 : 0;
  s_.ReverseOn = (a & 0x10) ? 1 : 0;
  s_.UnderlineOn = (a & 0x20) ? 1 : 0;
  if (!s_.DimOn && !s_.BoldOn && !s_.ReverseOn && !s_.UnderlineOn)
    s_.SetNormalTextStyle();
  else
    in_.SetTextStyleForFlags();
  AttributeStep();
}

std::string* WyseInterpreter::HostKeyString(int keyCode) {
  static constexpr char kEditKeys[] = "q5}7p6z8wr*^]";
  switch (keyCode) {
    case '"': return &st_.BackspaceKeyString;
    case '+': return &o_.UpArrowString;
    case ',': return &o_.DownArrowString;
    case '-': return &o_.LeftArrowString;
    case '.': return &o_.RightArrowString;
    case ' ': return &st_.EscapeKeyString;
    default: break;
  }
  for (int i = 0; i < 13; ++i)
    if (kEditKeys[i] == keyCode) return &st_.EditKeyStrings[static_cast<size_t>(i)];
  return nullptr;
}

}  // namespace korvane
