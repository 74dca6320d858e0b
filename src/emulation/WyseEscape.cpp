// The Wyse family's escape dispatch: the reports and display switches, the
// ESC STX family (HostCommands), the host-requested actions with printer
// routing, then the attribute, addressing and editing commands. An escape
// sequence that none of them takes is dropped, both bytes.

#include <string>

#include "emulation/HostInput.h"
#include "emulation/SharedSequences.h"
#include "emulation/WyseInterpreter.h"

namespace korvane {

namespace {
constexpr int kSoh = 1, kStx = 2, kCr = 13, kDc2 = 18, kDc4 = 20, kCan = 24, kEm = 25, kEsc = 27, kDel = 127;
}  // namespace

void WyseInterpreter::AttributeStep() {
  in_.CurrentHostChar = 0;
  in_.WriteCharacter();
}

void WyseInterpreter::Escape() {
  // A sequence may start a new one (ESC * ESC, ESC [ ESC): each turn of the
  // loop reads at least one more byte, so it ends with the host's output.
  while (true) {
    in_.WrapLineFeedPending = 0;
    if (s_.DisplayOn) in_.DrawRun();
    in_.CaptureCharacter();
    s_.LastMoveCol = s_.CursorCol();
    s_.LastMoveRow = s_.CursorRow();
    s_.PendingRun.clear();
    in_.CurrentHostChar = 0;
    const int c = NextByte();
    in_.CurrentHostChar = static_cast<int16_t>(c);
    // The two commands of nearly every screen update, the attribute and the
    // cursor address, go straight to their handlers: none of the checks
    // below takes their bytes.
    if (c == 'G') {
      AttributeCommand(NextByte());
      in_.CurrentHostChar = 0;
      return;
    }
    if (c == '=' && o_.EmuViewpoint) {
      AddressRowColumn(false);
      in_.CurrentHostChar = 0;
      return;
    }

    if (c == 'b' && o_.EmuTvi925) {
      // The TeleVideo's reverse screen, the first half of its flash.
      s_.SetScreenReversed(true);
      in_.CurrentHostChar = 0;
      return;
    }
    if (c == '?' || c == 'b') {
      const int row = std::min<int>(s_.CursorRow(), s_.ScreenRows);
      const int col = std::min<int>(s_.CursorCol(), s_.ColumnsSetting);
      if (c == '?')
        in_.answers.Send(HostAnswer("").PositionByte(row + 31).PositionByte(col + 31), kCr);
      else
        in_.answers.Send(HostAnswer("").Number(row).Add("R").Number(col).Add("C"), kCr);
      in_.CurrentHostChar = 0;
      return;
    }
    if ((c == 'D' || c == 'd') && st_.ViewpointDisplaySwitch && o_.EmuViewpoint && !o_.EmuWyse50 && !o_.EmuTvi925)
      s_.DisplayOn = c == 'D' ? 0 : 1;
    if (c == 'D') {
      const int b = NextByte();
      if (b == 'F' || b == 'H') s_.DisplayOn = 1;
      in_.CurrentHostChar = 0;
      return;
    }
    if (c == kSoh) {
      std::string ignored;
      in_.CollectHostString(ignored, HostCommands::kPathMax, kCr);
      in_.CurrentHostChar = 0;
      return;
    }
    if (c == kStx) {
      commands_.EscStxCommand();
      in_.CurrentHostChar = 0;
      return;
    }
    if (c == '*' && o_.ExtendedAnsiMode) {
      const int b = NextByte();
      SharedSequences* shared = in_.Shared();
      if (shared && shared->ExtendedAnsiColour(b) == SharedSequences::AnsiColourEnd::RestartEscape) continue;
      AttributeStep();
      return;
    }
    if (c == '[') {
      // A private sequence of the extended ANSI mode is carried out whole;
      // an ordinary one gives its first byte back and is read below.
      if (o_.ExtendedAnsiMode && in_.Shared() && in_.Shared()->AnsiPrivateSequences(in_)) {
        in_.CurrentHostChar = 0;
        return;
      }
      int b = NextByte();
      if (b == 0) b = NextByte();
      if (b == kEsc) continue;
      if (o_.ScoAnsiMode) {
        ScoControlSequence(b);
      } else {
        const int b2 = NextByte();
        TwoByteControlSequence(b, b2);
      }
      in_.CurrentHostChar = 0;
      return;
    }
    if (!HostAction(c)) EditingCommand(c);
    in_.CurrentHostChar = 0;
    return;
  }
}

bool WyseInterpreter::HostAction(int c) {
  if (c == ' ' && o_.EmuWyse50) {
    ModelAnswer();
    return true;
  }
  if (c == 'w' && o_.EmuWyse60) {
    NextByte();
    return true;
  }
  if (c == '~') {
    TildeCommand();
    return true;
  }
  if (c == 'U') {
    st_.MonitorMode = 1;
    return true;
  }
  if (c == 'P') {
    in_.Services().capture.PrintScreen();
    return true;
  }
  if ((c == '$' || c == '%') && (s_.WyseColourAttributes || o_.EmuTvi925)) {
    in_.GraphicsModeOn = c == '$' ? 1 : 0;
    st_.Wyse60GraphicsSet = 0;
    return true;
  }
  if (c == 'e') {
    NextByte();
    return true;
  }
  if (c == 'c') {
    WyseExtendedCommand();
    return true;
  }
  if (c == 'Z' && o_.EmuWyse60) {
    KeyProgramming();
    return true;
  }

  // Printer routing.
  if (o_.EmuTvi925) {
    if (c == 'a' || c == 'A') {
      commands_.PrinterOff();
      AttributeStep();
      return true;
    }
    if (c == '@') {
      if (o_.IgnoreHostPrint == 0 && in_.PrinterOn == 0 && commands_.PrinterOnWithDisplay(1, false)) AttributeStep();
      return true;
    }
    if (c == '`') {
      if (o_.IgnoreHostPrint != 0)
        NextByte();
      else if (in_.PrinterOn == 0 && commands_.PrinterOnWithDisplay(0, false))
        AttributeStep();
      return true;
    }
    if (c >= '0' && c <= '9') return true;
    if (c == 'd') {
      // The normal screen after ESC b.
      s_.SetScreenReversed(false);
      return true;
    }
    if (c == 'h') {
      StatusLineOff();
      return true;
    }
  }
  if (o_.EmuPrism) {
    if (c == 'R') {
      if (in_.PrinterOn == 0 && commands_.PrinterOnWithDisplay(0, false)) AttributeStep();
      return true;
    }
    if (c == 'T') {
      commands_.PrinterOff();
      AttributeStep();
      return true;
    }
  }
  if (o_.EmuViewpoint) {
    // On the TeleVideo 925, ESC d starts its cursor address instead.
    if (c == 'd' && !o_.EmuTvi925) {
      const int b = NextByte();
      if (b == '#' || b == '%') {
        if (in_.PrinterOn == 0 && commands_.PrinterOnWithDisplay(0, true)) AttributeStep();
      } else if (b == '$') {
        commands_.PrinterOff();
        AttributeStep();
      }
      return true;
    }
    if (c == '3' && !o_.EmuWyse50) {
      if (in_.PrinterOn == 0 && commands_.PrinterOnWithDisplay(0, true)) AttributeStep();
      return true;
    }
    if (c == '4' && !o_.EmuWyse50) {
      commands_.PrinterOff();
      AttributeStep();
      return true;
    }
    if (c == kDc2 || (c == kCan && o_.EmuWyse50)) {
      if (o_.IgnoreHostPrint == 0 && in_.PrinterOn == 0 && commands_.PrinterOnWithDisplay(c == kDc2 ? 1 : 0, true))
        AttributeStep();
      return true;
    }
    if (c == kDc4) {
      commands_.PrinterOff();
      AttributeStep();
      return true;
    }
  }
  return false;
}

void WyseInterpreter::ModelAnswer() {
  if (o_.EmuWyse370)
    in_.answers.Send("370", kCr);
  else if (o_.EmuWyse60)
    in_.answers.Send("60", kCr);
  else
    in_.answers.Send("50", kCr);
}

void WyseInterpreter::TildeCommand() {
  const int b = NextByte();
  if (b == 'M') {
    commands_.HostMessage();
    return;
  }
  // A Wyse 370's mode letters are whole commands: "A" (colour attributes)
  // is not also the host-programming command that answers with the
  // program's name.
  if (o_.EmuWyse370 && (b == '@' || b == 'A' || b == '$' || b == '(')) {
    switch (b) {
      case '@':
        s_.WyseColourAttributes = 0;
        o_.EmuTvi925 = 0;
        break;
      case 'A': s_.WyseColourAttributes = 1; break;
      case '$':
        // The Viewpoint personality.
        s_.WyseColourAttributes = 0;
        o_.EmuTvi925 = o_.EmuWyse50 = o_.EmuWyse60 = 0;
        o_.EmuViewpoint = 1;
        break;
      case '(':
        s_.WyseColourAttributes = 0;
        o_.EmuTvi925 = 1;
        break;
      default: break;
    }
    in_.CurrentHostChar = 0;
    return;
  }
  if (b == 'q' && in_.PrinterOn == 1) {
    in_.Services().capture.PrinterCaptureOff();
    return;
  }
  if (b == 'G') {
    commands_.HostSendRequest();
    return;
  }
  in_.CurrentHostChar = 0;
  if (SharedSequences* shared = in_.Shared()) {
    in_.NextHostByte = static_cast<int16_t>(b);
    shared->HostProgrammingCommand(in_);
  }
}

void WyseInterpreter::WyseExtendedCommand() {
  const int b = NextByte();
  SharedSequences* shared = in_.Shared();
  switch (b) {
    case '0':
    case '1':
      NextByte();
      NextByte();
      break;
    case '2':
      // Flow control on or off: one byte.
      NextByte();
      break;
    case 'N':
    case 'H':
    case 'G':
    case 'F':
      if (shared) {
        if (b == 'N') shared->DrawBoxFromHost(in_);
        if (b == 'H') shared->PutCharAtAddress(in_);
        if (b == 'G') shared->DrawBoxFromHost2(in_);
        if (b == 'F') shared->PutCharAtAddress2(in_);
      }
      AttributeStep();
      return;
    case 'U':
      // Every key string the host may program, but the backspace key's.
      for (int code : {'+', ',', '-', '.', ' ', 'q', '5', '}', '7', 'p', '6', 'z', '8', 'w', 'r', '*', '^', ']'})
        if (std::string* k = HostKeyString(code)) k->clear();
      break;
    case 'E':
      in_.GraphicsModeOn = st_.GraphicsSelectC == 0 ? 1 : 0;
      st_.Wyse60GraphicsSet = 1;
      break;
    case 'D':
      in_.GraphicsModeOn = st_.GraphicsSelectB == 0 ? 0 : 1;
      st_.Wyse60GraphicsSet = 1;
      break;
    case 'A':
      for (int i = 0; i < 3; ++i) NextByte();
      for (int i = 0; i < 32; ++i) {
        if (NextByte() == kEm || in_.HostReadTimedOut) break;
      }
      break;
    case '@': {
      const int m = NextByte();
      if (m == '0' || m == '2' || m == '@') in_.GraphicsModeOn = 0;
      if (m == '1' || m == '3' || m == 'A') in_.GraphicsModeOn = 1;
      st_.Wyse60GraphicsSet = 1;
      NextByte();
      break;
    }
    case '?': NextByte(); break;
    case 'B': {
      const int m = NextByte();
      if (m == '1' || m == '3' || m == 'A') st_.GraphicsSelectB = 1;
      if (m == '0' || m == '2' || m == '@') st_.GraphicsSelectB = 0;
      break;
    }
    case 'C': {
      const int m = NextByte();
      if (m == '1' || m == '3' || m == 'A') st_.GraphicsSelectC = 0;
      if (m == '0' || m == '2' || m == '@') st_.GraphicsSelectC = 1;
      break;
    }
    default: break;
  }
  in_.CurrentHostChar = 0;
}

void WyseInterpreter::KeyProgramming() {
  NextByte();
  const int k = NextByte();
  if ((k >= '@' && k <= 'O') || (k >= 'a' && k <= 'o')) {
    const int first = NextByte();
    if (o_.AltEditKeys == 0) StoreHostKeyDefinition(k, first);
    return;
  }
  std::string* key = HostKeyString(k);
  if (!key) return;
  in_.HostString.clear();
  in_.ReadHostStringUntilDel();
  std::string value = in_.HostString;
  static constexpr struct {
    int code;
    const char* text;
  } kDefaults[] = {{'"', "{CTH"}, {'+', "{CTK"}, {',', "{CTJ"}, {'-', "{CTH"}, {'.', "{CTL"}, {' ', "{CT["}};
  for (const auto& d : kDefaults)
    if (d.code == k && (value.empty() || value[0] == kCr)) value = d.text;
  *key = value;
}

bool WyseInterpreter::EditingCommand(int c) {
  const bool vp = o_.EmuViewpoint != 0, w50 = o_.EmuWyse50 != 0, tvi = o_.EmuTvi925 != 0, prism = o_.EmuPrism != 0;
  const bool wca = s_.WyseColourAttributes != 0;
  if (c == '1' && vp && o_.EmulateOption53) {
    in_.GraphicsModeOn = 1;
    st_.Wyse60GraphicsSet = 0;
    o_.AltGraphicsSet = 1;
  } else if (c == '2' && vp) {
    in_.GraphicsModeOn = 0;
    o_.AltGraphicsSet = 0;
  } else if (c == '{' && vp) {
    if (s_.ProtectFieldMode) CloseProtectedField();
    s_.ScreenRows = s_.ScreenRowsForWindow();
    MoveCursorTo(1, 1);
  } else if (c == '*' && vp) {
    s_.WriteProtectMode = 0;
    ClearAndHome(true);
  } else if (c == 'l' && vp && !w50) {
    if (!s_.WriteProtectMode) s_.DeleteLineAtCursor();
  } else if (c == 'l' && w50) {
    // The Wyse and TeleVideo keyboard's echo and edit modes: the screen
    // does not change.
  } else if (c == 'M' && vp) {
    if (!s_.WriteProtectMode) s_.InsertLineAtCursor();
  } else if (c == 14 && vp) {
    s_.SetNormalTextStyle();
    AttributeStep();
  } else if (c == 'j' && vp) {
    ReverseLineFeed();
  } else if ((c == '+' || c == ':' || c == ';') && vp) {
    s_.WriteProtectMode = 0;
    s_.ProtectFieldMode = 0;
    ClearAndHome(true);
  } else if ((c == 't' || c == 'T') && vp) {
    s_.MoveToCell(s_.CursorRow(), s_.CursorCol());
    s_.EraseToEndOfLineWithFlags();
  } else if (c == '.' && (w50 || vp) && !tvi) {
    NextByte();
  } else if (c == 'y' && (w50 || vp)) {
    s_.MoveToCell(s_.CursorRow(), s_.CursorCol());
    s_.EraseCursorToEndOfScreen();
  } else if (c == ')' && (w50 || vp)) {
    ProtectFieldBegin();
  } else if (c == '(' && (w50 || vp)) {
    ProtectFieldEnd();
  } else if (c == '&' && (w50 || vp)) {
    ProtectModeOn();
  } else if (c == '\'' && (w50 || vp)) {
    ProtectModeOff();
  } else if (c == 'R') {
    s_.DeleteLineAtCursor();
  } else if (c == 'E' && w50) {
    s_.InsertLineAtCursor();
  } else if ((c == 'Y' || c == 'y') && w50) {
    s_.MoveToCell(s_.CursorRow(), s_.CursorCol());
    s_.EraseCursorToEndOfScreen();
  } else if (c == 'T' && w50) {
    s_.MoveToCell(s_.CursorRow(), s_.CursorCol());
    s_.EraseToEndOfLineWithFlags();
  } else if (c == 'Q') {
    InsertCharacter();
  } else if (c == 'W') {
    DeleteCharacter();
  } else if (c == 'q') {
    in_.InsertMode = 1;
  } else if (c == 'r') {
    in_.InsertMode = 0;
  } else if (c == '!') {
    NextByte();
    if (!wca) ClearAndHome(false);
  } else if (c == 'N') {
    if (!wca && !tvi) s_.NoScrollMode = 1;
  } else if (c == 'O') {
    s_.NoScrollMode = 0;
  } else if (c == 'z') {
    KeyLabelCommand();
  } else if ((c == '`' && !tvi) || (c == '.' && tvi)) {
    ScreenFeatures(NextByte(), tvi);
  } else if (c == 'G') {
    AttributeCommand(NextByte());
  } else if (c == 'a' && !tvi) {
    AddressDecimal();
  } else if (c == 'F') {
    StatusLineCommand(true);
  } else if (c == 'f') {
    StatusLineWithColours();
  } else if (c == 'H') {
    GraphicsCharacter(NextByte());
  } else if (c == '0' && w50) {
    // Clear all tab stops: the stops stay every eight columns.
  } else if (c == '0' && vp) {
    // The attribute SO turns on.
    st_.ShiftOutAttribute = static_cast<int16_t>(NextByte() & 127);
    if (st_.ShiftOutOn) ApplyShiftOutAttribute();
  } else if (c == '0') {
    // An attribute selection Prism has no use for: its byte is taken so that
    // it is not shown.
    NextByte();
  } else if (c == 'A' && w50) {
    // The attributes of a screen area: two bytes.
    NextByte();
    NextByte();
  } else if (c == 'I' && w50) {
    BackTab();
  } else if ((c == 'J' || c == 'K') && prism) {
    s_.MoveToCell(s_.CursorRow(), s_.CursorCol());
    if (c == 'J')
      s_.EraseCursorToEndOfScreen();
    else
      s_.EraseToEndOfLineWithFlags();
  } else if (c == 'Y' && tvi) {
    s_.MoveToCell(s_.CursorRow(), s_.CursorCol());
    s_.EraseCursorToEndOfScreen();
  } else if ((c == '=' || c == 'Y' || c == '-') && vp) {
    AddressRowColumn(c == '-');
  } else if ((c == 'k' || c == 'J') && vp) {
    s_.MoveToCell(s_.CursorRow(), s_.CursorCol());
    s_.EraseCursorToEndOfScreen();
  } else if (c == 'K' && vp) {
    s_.MoveToCell(s_.CursorRow(), s_.CursorCol());
    s_.EraseToEndOfLineWithFlags();
  } else {
    (void)kDel;
    return false;
  }
  return true;
}

}  // namespace korvane
