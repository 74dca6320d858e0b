// The Wyse family's cursor addressing, character and line editing, screen
// features, the control sequences it takes after ESC [, and the status line,
// label line and function-key labels.

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>

#include "emulation/HostInput.h"
#include "emulation/SharedSequences.h"
#include "emulation/WyseInterpreter.h"
#include "settings/FunctionKeys.h"

namespace korvane {

namespace {
constexpr int kStx = 2, kEtx = 3, kCr = 13, kDel = 127;
constexpr int kPageSlots = 13;

// The number a parameter text starts with; empty text (or none) counts as 1.
// Large values are held to what any screen can use.
int ParamCount(const std::string& params) {
  int n = 0;
  bool any = false;
  for (char ch : params) {
    if (ch < '0' || ch > '9') break;
    any = true;
    n = std::min(n * 10 + (ch - '0'), 9999);
  }
  return any ? n : 1;
}

bool AllDigits(const std::string& s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char ch) { return ch >= '0' && ch <= '9'; });
}
}  // namespace

void WyseInterpreter::MoveCursorTo(int row, int col) {
  // Host addresses are held to the planes: the writer would bring the cursor
  // there before the next character anyway.
  s_.SetCursorRow(static_cast<int16_t>(std::clamp(row, 1, static_cast<int>(kMaxCursorRow))));
  s_.SetCursorCol(static_cast<int16_t>(std::clamp(col, 1, static_cast<int>(kMaxCursorCol))));
  s_.MoveToCell(s_.CursorRow(), s_.CursorCol());
  s_.FinishCursorMove();
}

void WyseInterpreter::CloseProtectedField() {
  s_.ProtectEndColumn = s_.CursorCol();
  s_.MoveToCell(std::clamp<int>(s_.CursorRow(), 1, kMaxCursorRow), s_.CursorCol());
  s_.ProtectColumnRange();
}

void WyseInterpreter::AddressRowColumn(bool pageByte) {
  if (pageByte) NextByte();
  s_.PendingRun.clear();
  auto field = [&] {
    int b = NextByte();
    if (b == 0) b = NextByte();
    return std::max(b - 32, 0);
  };
  const int row = field();
  const int col = field();
  if (o_.ClearAddressesOption) s_.SetNormalTextStyle();
  st_.SavedAddressRow = static_cast<int16_t>(row);
  if (s_.ProtectFieldMode) CloseProtectedField();
  if (s_.WyseColourAttributes && row > 30) {
    // Beyond the colour-attribute rows the cursor parks at the start of row 24.
    s_.SetCursorRow(24);
    s_.SetCursorCol(0);
    s_.MoveToCell(24, 0);
    return;
  }
  MoveCursorTo(row + 1, col + 1);
  if (s_.WyseColourAttributes) {
    // The colours of the attribute in effect at the new cell.
    s_.ColourAttributeInput = s_.ScreenAttrs(s_.CursorRow(), s_.CursorCol());
    if (s_.ColourAttributeInput >= kAttrWyseFirst && s_.ColourAttributeInput <= kAttrWyseLast) {
      s_.SetColoursForAttribute();
      s_.CurrentAttributeCode = s_.ColourAttributeInput;
    }
  }
}

int WyseInterpreter::ReadDecimalField(int terminator) {
  auto digit = [](int b) { return b >= '0' && b <= '9' ? b - '0' : 0; };
  const int b1 = NextByte() & 127;
  const int b2 = NextByte() & 127;
  if (b2 == terminator) return digit(b1);
  const int b3 = NextByte() & 127;
  if (b3 == terminator) return digit(b1) * 10 + digit(b2);
  NextByte();
  return digit(b1) * 100 + digit(b2) * 10 + digit(b3);
}

void WyseInterpreter::AddressDecimal() {
  const int row = ReadDecimalField('R');
  if (o_.ClearAddressesOption) s_.SetNormalTextStyle();
  const int col = ReadDecimalField('C');
  st_.SavedAddressRow = static_cast<int16_t>(row);
  if (s_.ProtectFieldMode) CloseProtectedField();
  MoveCursorTo(std::max(row, 1), std::max(col, 1));
}

void WyseInterpreter::InsertCharacter() {
  s_.PendingRun.clear();
  in_.screen.LimitCursorToPlanes();
  const int row = s_.CursorRow(), col = s_.CursorCol();
  const int last = std::min<int>(s_.ColumnsSetting, kMaxCursorCol);
  for (int c = last; c > col; --c) {
    s_.ScreenChars(row, c) = s_.ScreenChars(row, c - 1);
    s_.ScreenAttrs(row, c) = s_.ScreenAttrs(row, c - 1);
  }
  s_.ScreenChars(row, col) = ' ';
  s_.ScreenAttrs(row, col) = kAttrNormal;
  // The row is drawn again from the planes by the next idle pass.
  if (s_.DisplayOn) s_.RedrawCounter = 1;
  s_.MoveToCell(row, col);
}

void WyseInterpreter::DeleteCharacter() {
  s_.MoveToCell(s_.CursorRow(), s_.CursorCol());
  s_.ShiftLineLeftAtCursor();
  s_.MoveToCell(s_.CursorRow(), s_.CursorCol());
}

void WyseInterpreter::ReverseLineFeed() {
  if (s_.CursorRow() > 1) {
    MoveCursorTo(s_.CursorRow() - 1, s_.CursorCol());
    return;
  }
  const int16_t top = s_.ScrollTop, bottom = s_.ScrollBottom;
  s_.ScrollTop = s_.ScrollBottom = 0;
  s_.ScrollRegionDown();
  s_.ScrollTop = top;
  s_.ScrollBottom = bottom;
  s_.port.ScrollRect({0, 0, s_.port.Width(), s_.ScreenRows * s_.CellHeight - s_.CellBaselineAdjust}, 0, s_.CellHeight);
  s_.SetCursorRow(1);
  s_.MoveToCell(1, s_.CursorCol());
  const int16_t col = s_.CursorCol();
  s_.EraseCursorLine();
  s_.SetCursorCol(col);
  s_.MoveToCell(1, col);
}

void WyseInterpreter::ClearAndHome(bool pictures) {
  s_.ClearScreenAndHome();
  if (pictures) in_.Services().pictures.RemoveInlinePictures();
}

void WyseInterpreter::ScreenFeatures(int b, bool teleVideo) {
  // The Wyse's protect display and screen video; the TeleVideo's ESC . takes
  // only the cursor forms and the display switch.
  if (!teleVideo) {
    switch (b) {
      case '6': o_.ProtectShownAs = 1; return;
      case '7': o_.ProtectShownAs = 2; return;
      case '8': s_.SetScreenReversed(true); return;
      case '9': s_.SetScreenReversed(false); break;
      default: break;
    }
  }
  switch (b) {
    case '0': s_.CursorHidden = 1; break;
    case '1': s_.CursorHidden = 0; break;
    case '2':
    case '5':
      o_.BlockCursor = 1;
      s_.CursorHidden = 0;
      break;
    case '3':
    case '4':
      o_.BlockCursor = 0;
      s_.CursorHidden = 0;
      break;
    case '9': s_.DisplayOn = 1; break;
    case ';':
    case ':': {
      const bool wide = b == ';';
      s_.WriteProtectMode = 0;
      s_.ProtectFieldMode = 0;
      const bool changes = wide ? o_.FontSizeMode == 0 : o_.FontSizeMode == 1;
      if (changes) {
        MoveCursorTo(1, 1);
        s_.ResetAttributesAndClearScreen();
        if (o_.HostFeatureOption == 0) s_.RemoveFunctionKeyBar();
      }
      if (wide) {
        int size = 6;
        if (o_.PlainFaceSwitch) size = 9;
        if (o_.FontOption139) size = 12;
        s_.port.TextSize(static_cast<int16_t>(size));
        o_.FontSizeMode = 1;
        s_.ColumnsSetting = 156;
        s_.ComputeCellMetrics();
        if (o_.PlainFaceSwitch) s_.ColumnsSetting = 132;
        if (s_.WindowWidth < 640 && !s_.SmallScreen) s_.ColumnsSetting = 128;
      } else {
        s_.port.TextSize(o_.TextSizeValue);
        o_.FontSizeMode = 0;
        s_.ColumnsSetting = 80;
        s_.ComputeCellMetrics();
      }
      s_.ScreenCols =
          static_cast<int16_t>(std::min<int>(o_.AutoWrapOn ? s_.ColumnsSetting : s_.WindowColumns, kMaxScreenCols));
      if (wide) s_.RepaintPending = 1;
      in_.Services().window.ColumnModeChanged(wide);
      break;
    }
    default: break;
  }
}

void WyseInterpreter::StatusLineCommand(bool bold) {
  st_.PaintBackgroundAtCr = 0;
  in_.StatusSavedRow = s_.CursorRow();
  in_.StatusSavedCol = s_.CursorCol();
  s_.StatusLineWriteOpen = 1;
  in_.StatusLinePenActive = 0;
  s_.PendingLineText.clear();
  s_.SetCursorRow(static_cast<int16_t>(s_.ScreenRows + 1));
  s_.SetCursorCol(1);
  s_.MoveToCell(s_.CursorRow(), 1);
  s_.EraseCursorLine();
  s_.SetCursorRow(static_cast<int16_t>(s_.ScreenRows + 1));
  s_.SetCursorCol(1);
  if (o_.TextSizeValue <= 9)
    s_.MoveToCellUnder(s_.CursorRow(), 1);
  else
    s_.MoveToCell(s_.CursorRow(), 1);
  if (bold && !s_.WyseColourAttributes)
    s_.port.TextFace(static_cast<int16_t>(platform::kFaceBold | platform::kFaceCondense));
}

void WyseInterpreter::StatusLineOff() {
  CloseStatusLineWrite();
  const int16_t row = s_.CursorRow(), col = s_.CursorCol();
  for (int line : {s_.ScreenRows + 1, static_cast<int>(s_.StatusLine2Row)}) {
    s_.SetCursor(line, 1);
    if (line == s_.StatusLine2Row)
      s_.MoveToStatusLine(line, 1);
    else if (o_.TextSizeValue <= 9)
      s_.MoveToCellUnder(line, 1);
    else
      s_.MoveToCell(line, 1);
    s_.EraseCursorLine();
  }
  s_.SetCursor(row, col);
  s_.MoveToCell(row, col);
}

void WyseInterpreter::StatusLineWithColours() {
  st_.StatusSavedAttribute = s_.CurrentAttributeCode;
  st_.StatusSavedFore = s_.CurrentForeColour;
  st_.StatusSavedBack = s_.CurrentBackColour;
  st_.StatusSavedColours = 1;
  in_.StatusSavedRow = s_.CursorRow();
  in_.StatusSavedCol = s_.CursorCol();
  s_.StatusLineWriteOpen = 1;
  in_.StatusLinePenActive = 1;
  s_.PendingLineText.clear();
  if (!st_.StatusLabelsMade) {
    for (int k = 1; k <= 16; ++k) o_.FkeyTitles[static_cast<size_t>(k)] = PadLabel("F" + std::to_string(k));
    st_.StatusLabelsMade = 1;
    s_.DrawFunctionKeyBar();
  }
  s_.SetCursorRow(s_.StatusLine2Row);
  s_.SetCursorCol(1);
  s_.EraseCursorLine();
  s_.SetCursorRow(s_.StatusLine2Row);
  s_.SetCursorCol(1);
  s_.MoveToStatusLine(s_.CursorRow(), 1);
  if (s_.WyseColourAttributes) {
    s_.CurrentAttributeCode = kAttrWyseFirst + 4;
    s_.CurrentForeColour = 18;
    s_.CurrentBackColour = 4;
    s_.SetPrintForeColor(18);
    s_.SetPrintBackColor(4);
  }
}

void WyseInterpreter::LabelLine() {
  st_.PaintBackgroundAtCr = 1;
  s_.PendingLineText.clear();
  s_.StatusLineWriteOpen = 1;
  in_.StatusLinePenActive = 1;
  in_.StatusSavedRow = s_.CursorRow();
  in_.StatusSavedCol = s_.CursorCol();
  for (int k = 1; k <= 16; ++k) o_.FkeyTitles[static_cast<size_t>(k)] = PadLabel("F" + std::to_string(k));
  s_.MarginRedrawRequest = 1;
  s_.SetCursorRow(s_.StatusLine2Row);
  s_.SetCursorCol(1);
  s_.EraseCursorLine();
  s_.SetCursorRow(s_.StatusLine2Row);
  s_.SetCursorCol(1);
  s_.MoveToStatusLine(s_.CursorRow(), 1);
}

void WyseInterpreter::KeyLabelCommand() {
  int b1 = NextByte();
  if (b1 > 127) b1 &= 127;
  if (b1 == kDel) return;
  if (b1 == '(') {
    LabelLine();
    return;
  }
  if (b1 == ')') {
    StatusLineCommand(false);
    return;
  }
  const int b2 = NextByte();
  if (b2 == kDel && o_.EmuWyse50) {
    if (b1 != '"')
      if (std::string* key = HostKeyString(b1)) key->clear();
    return;
  }
  std::string* title = nullptr;
  if (b1 >= '0' && b1 <= '?') title = &o_.FkeyTitles[static_cast<size_t>(b1 - 47)];
  if (b1 >= 'P' && b1 <= '_') title = &o_.ShiftFkeyTitles[static_cast<size_t>(b1 - 79)];
  if (!title) {
    StoreHostKeyDefinition(b1, b2);
    return;
  }
  std::string label;
  int ch = b2;
  while (!in_.HostReadTimedOut) {
    o_.FkeyBarShown = 0;
    ch &= 127;
    if (ch == kCr) break;
    label += static_cast<char>(ch);
    if (label.size() == 8) {
      // The byte after the eighth character is taken and dropped.
      NextByte();
      break;
    }
    ch = NextByte();
  }
  *title = PadLabel(label);
  s_.MarginRedrawRequest = 1;
}

void WyseInterpreter::GraphicsCharacter(int b) {
  if (b == kStx) {
    in_.GraphicsModeOn = 1;
    st_.Wyse60GraphicsSet = 0;
    return;
  }
  if (b == kEtx) {
    in_.GraphicsModeOn = 0;
    return;
  }
  int c = b;
  if (b >= 16 && b <= 31) {
    c = b + 204;
  } else {
    LineGraphicsMode mode = GraphicsMode();
    if (!in_.GraphicsModeOn) {
      // One character of the Wyse 50's set.
      in_.GraphicsModeOn = 1;
      in_.OneShotGraphics = 1;
      mode.wyse60Set = false;
    }
    c = MapLineGraphics(b, mode);
  }
  in_.CurrentHostChar = static_cast<int16_t>(c);
  in_.WriteCharacter();
}

void WyseInterpreter::StorePage(int slot) {
  if (slot == 0) {
    st_.PageStackDepth = static_cast<int16_t>(std::min(st_.PageStackDepth + 1, kPageSlots));
    slot = st_.PageStackDepth;
  }
  s_.PageSaveSlot = static_cast<int16_t>(std::clamp(slot, 1, kPageSlots));
  s_.SaveScreenPage();
  s_.PageSaveSlot = 0;
}

void WyseInterpreter::RecallPage(int slot) {
  if (slot == 0) {
    if (st_.PageStackDepth < 1) return;
    slot = st_.PageStackDepth;
    --st_.PageStackDepth;
  }
  s_.PageRestoreSlot = static_cast<int16_t>(std::clamp(slot, 1, kPageSlots));
  s_.RestoreScreenPage();
  s_.PageRestoreSlot = 0;
}

void WyseInterpreter::EraseCommand(int which, int final) {
  s_.MoveToCell(s_.CursorRow(), s_.CursorCol());
  if (final == 'J') {
    if (which == '2') ClearAndHome(true);
    if (which == '0') s_.EraseCursorToEndOfScreen();
    if (which == '1') s_.EraseScreenStartToCursor();
  } else {
    if (which == '2') s_.EraseCursorLine();
    if (which == '0') s_.EraseToEndOfLineWithFlags();
    if (which == '1') s_.EraseLineStartToCursor();
  }
  s_.MoveToCell(s_.CursorRow(), s_.CursorCol());
}

void WyseInterpreter::TwoByteControlSequence(int b1, int b2) {
  if (b1 == '=') {
    if (b2 == 'p') StorePage(0);
    if (b2 == 'q') RecallPage(0);
    if (b2 >= '0' && b2 <= '9') {
      int n = b2 - '0';
      int f = NextByte();
      if (f >= '0' && f <= '9') {
        n = n * 10 + (f - '0');
        f = NextByte();
      }
      if (f == 'p') StorePage(n);
      if (f == 'q') RecallPage(n);
    }
    return;
  }
  if ((b1 == '0' || b1 == '1' || b1 == '2') && (b2 == 'J' || b2 == 'K')) {
    EraseCommand(b1, b2);
    return;
  }
  // The colour pairs; any other pair is dropped and what follows is text.
  CsiColourPair(b1, b2);
}

void WyseInterpreter::ScoControlSequence(int lead) {
  std::string params;
  int final = 0;
  if (lead > '@') {
    final = lead;
  } else {
    if (lead != '=') params += static_cast<char>(lead);
    for (int taken = 1; taken < HostInput::kReplayMax; ++taken) {
      const int b = NextByte();
      if (in_.HostReadTimedOut) break;
      if (b > '@') {
        final = b;
        break;
      }
      params += static_cast<char>(b);
    }
  }
  if (final == 0) return;
  const bool eq = lead == '=';
  const int n = ParamCount(params);
  const int rows = std::max<int>(s_.ScreenRows, 1);
  auto moveTo = [&](int row, int col) {
    s_.SetCursorRow(static_cast<int16_t>(std::clamp(row, 1, static_cast<int>(kMaxCursorRow))));
    s_.SetCursorCol(static_cast<int16_t>(std::clamp(col, 1, static_cast<int>(kMaxCursorCol))));
    s_.MoveToCell(s_.CursorRow(), s_.CursorCol());
    s_.FinishCursorMove();
  };
  switch (final) {
    case 'm':
      if (eq) return;
      if (in_.Shared() && in_.Shared()->ScoLineGraphicsAttributes(params)) return;
      if (params.size() >= 2) {
        // The colour forms: the first two characters as the pair, the rest
        // read again after them.
        // NULs after the final keep the pair from reading past the sequence.
        in_.StartReplay(params.substr(2) + "m" + std::string(4, '\0'));
        CsiColourPair(params[0], params[1]);
        in_.ReplayActive = 0;
        in_.ReplayPos = 0;
      }
      return;
    case 'M':
      if (eq) {
        if (params == "0" || params == "1") {
          HostAnswer answer("");
          if (!s_.LastForeColourChoice.empty()) answer.NumberText(static_cast<uint8_t>(s_.LastForeColourChoice[0]));
          if (!s_.LastBackColourChoice.empty()) answer.NumberText(static_cast<uint8_t>(s_.LastBackColourChoice[0]));
          in_.answers.Send(answer, 10);
        }
        return;
      }
      for (int i = 0; i < std::min(n, rows); ++i) s_.DeleteLineAtCursor();
      return;
    case 'Z': moveTo(s_.CursorRow(), s_.CursorCol() - 5 * std::min(n, 99)); return;
    case 'E': moveTo(std::min(s_.CursorRow() + n, rows), 1); return;
    case 'F':
    case 'G':
    case 'H':
    case 'I':
      if (eq) {
        if (in_.Shared()) in_.Shared()->ScoColourCommand(final, params);
        return;
      }
      if (final == 'F') moveTo(s_.CursorRow() - n, 1);
      if (final == 'G') moveTo(s_.CursorRow(), n);
      return;
    case '\'':
    case '`': moveTo(s_.CursorRow(), n); return;
    case 'a': moveTo(s_.CursorRow(), s_.CursorCol() + n); return;
    case 'd': moveTo(std::min(n, rows), s_.CursorCol()); return;
    case 'e': moveTo(std::min(s_.CursorRow() + n, rows), s_.CursorCol()); return;
    case 'S':
    case 'T': {
      s_.ScrollTop = s_.ScrollBottom = 0;
      for (int i = 0; i < std::min(n, rows); ++i) {
        if (final == 'S')
          s_.ScrollRegionUp();
        else
          s_.ScrollRegionDown();
      }
      s_.RepaintPending = 1;
      return;
    }
    case 'D': return;
    case 'L':
      for (int i = 0; i < std::min(n, rows); ++i) s_.InsertLineAtCursor();
      return;
    case 'g': {
      const int b = AllDigits(params) ? ParamCount(params) & 255 : (params.empty() ? 0 : params[0] & 255);
      if (b > 32) GraphicsCharacter(b);
      return;
    }
    case 'p':
    case 'q': {
      int slot = 0;
      if (AllDigits(params))
        slot = std::clamp(ParamCount(params), 1, kPageSlots);
      else if (!eq)
        return;
      if (final == 'p')
        StorePage(slot);
      else
        RecallPage(slot);
      return;
    }
    case 'J':
    case 'K':
      if (eq) return;
      if (params.empty()) params = "0";
      if (params.size() == 1 && params[0] >= '0' && params[0] <= '2') EraseCommand(params[0], final);
      return;
    default: return;
  }
}

void WyseInterpreter::StoreHostKeyDefinition(int keyCode, int firstByte) {
  korvane::StoreHostKeyDefinition(o_, keyCode, firstByte, [this]() -> std::optional<int> {
    const int b = NextByte();
    if (in_.HostReadTimedOut) return std::nullopt;
    return b;
  });
}

}  // namespace korvane
