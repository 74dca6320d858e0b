// The key translation: one key, in the order the steps are taken (the
// preliminaries, national characters, the VT keys, the extended ANSI keys,
// the scroll-back view, the connection, the Wyse-family and other keys, the
// PC code page, function keys, and the plain character); a step that sends
// ends the key.

#include "input/KeyTranslator.h"

#include <algorithm>

#include "input/FkeyTokens.h"
#include "input/NationalChars.h"
#include "input/TypedCharacters.h"
#include "platform/MacKeys.h"

namespace korvane::input {

using namespace platform;

void WaitOneTick(Clock& clock) {
  const int64_t start = clock.Ticks();
  while (clock.Ticks() == start) clock.Delay(1);
}

namespace {

constexpr char kEsc = 27;

// A key that types a character (letters, digits, punctuation, the space
// bar), as opposed to the keys that move, edit or send a control; a key the
// program has no code for counts as one.
bool IsTypingKey(int code) {
  if (code == static_cast<int>(kUnknownKeyCode)) return true;
  return code >= 0 && code <= kKeyGrave && code != kKeyReturn && code != kKeyTab;
}

// With DEC Multinational characters on a host of national set 7 that takes
// all 8 bits, these ASCII characters go as their 8-bit codes.
int DecMultinationalCode(int ch) {
  switch (ch) {
    case '`': return 212;
    case '~': return 219;
    case '@': return 224;
    case '^': return 206;
    case '[': return 194;
    case '{': return 233;
    case '}': return 200;
    case '|': return 217;
    case '\\': return 231;
    case ']': return 234;
    default: return -1;
  }
}

// An auto-key record (a held key repeating) is decoded as the key-down it
// repeats while its key is translated, so that a held editing key keeps
// sending its sequence rather than its bare character; the record is given
// back as it was, so the repeat never counts as a new function-key press.
class RepeatAsKeyDown {
 public:
  explicit RepeatAsKeyDown(EventRecord& r) : r_(r), was_(r.what) {
    if (r_.what == kAutoKeyEvent) r_.what = kKeyDownEvent;
  }
  ~RepeatAsKeyDown() { r_.what = was_; }
  RepeatAsKeyDown(const RepeatAsKeyDown&) = delete;
  RepeatAsKeyDown& operator=(const RepeatAsKeyDown&) = delete;

 private:
  EventRecord& r_;
  uint16_t was_;
};

}  // namespace

KeyTranslator::KeyTranslator(const KeySession& session, KeyState& keys, const RawKeyState& raw, Clock& clock,
                             KeyHooks& hooks)
    : s_(session), keys_(keys), raw_(raw), clock_(clock), hooks_(hooks) {}

void KeyTranslator::TranslateKeyPress(int character, int functionKey) {
  if (functionKey == 0 && character < 0) return;
  {
    RepeatAsKeyDown repeat(keys_.LastEventRecord);
    Translate(character < 0 ? -1 : character & 0xFF, functionKey);
  }
  // Host input runs at once, so the echo shows between two keys.
  if (hostInputAfterKey && s_.conn.ConnectionIsOpen()) s_.input.ProcessHostInput();
}

void KeyTranslator::Translate(int ch, int functionKey) {
  const SessionOptions& o = s_.Opt;
  keypad_ = keys_.IsKeypadKey();
  keys_.DecodeSpecialKeys();
  const int code = keys_.KeyCodeOfEvent();
  const bool control = keys_.ControlKeyDown != 0;

  if (functionKey == 0) {
    // Control with a typing key sends its control character as it is;
    // Control-6 is RS.
    if (control && ch < 32 && IsTypingKey(code)) return SendByte(ch);
    if (control && code == kKey6) return SendByte(30);
    if (ch == kCharEnter) ch = kCharReturn;
    // The caps mode: letters in capitals, Shift for small ones; while Caps
    // Lock is engaged the mode rests and A to Z go small.
    if (o.CapsMode) {
      if (keys_.CapsLockDown) {
        if (ch >= 'A' && ch <= 'Z') ch += 32;
      } else if (!keys_.ShiftKeyDown) {
        if (ch >= 'a' && ch <= 'z') ch -= 32;
      } else if (ch >= 'A' && ch <= 'Z') {
        ch += 32;
      }
    }
    // National characters, while the 8th bit is stripped.
    if (o.NationalCharsOff == 0 && ch > 127) {
      const int r = NationalChar(o, ch);
      if (r != ch) return SendByte(r);
    }
    if (o.EmuVt100 && VtKey(ch, code)) return;
    if (o.DecMultinational && o.NationalCharsOff == 1 && o.HostCharacterSet == 7) {
      if (const int b = DecMultinationalCode(ch); b >= 0) return SendByte(b);
    }
    // Option with the up arrow is Page Up for every step after this one.
    keys_.DecodeSpecialKeys();
    if (keys_.OptionKeyDown && code == kKeyUp) ch = kCharPageUp;
    if (o.ExtendedAnsiMode && ExtendedAnsiKey(ch, code)) return;
  }

  // The scroll-back view: a key other than the page keys brings the live
  // screen back; the page keys move the view when they are kept for it.
  const bool pageKey = functionKey == 0 && (ch == kCharPageUp || ch == kCharPageDown);
  if (s_.screen.ScrollBackViewShown && !pageKey && !(functionKey == 0 && ch == 0)) ReturnViewToLiveScreen();
  if (pageKey && o.UsePageUpDown && o.ScrollBackOn) {
    if (ch == kCharPageUp)
      s_.screen.ScrollBackViewPageUp();
    else
      s_.screen.ScrollBackViewPageDown();
    return;
  }

  // Without a connection there is no host to send to: Return asks for the
  // connection to be opened again.
  if (!s_.conn.ConnectionIsOpen()) {
    if (functionKey == 0 && ch == kCharReturn) hooks_.ConnectOnReturn();
    return;
  }

  if (functionKey == 0 && FamilyKey(ch, code)) return;

  // Function keys: from the keyboard, or Option with the digits (Option and
  // Shift: the shifted keys) and with Q, W, E, R, T, Y.
  const int n = functionKey != 0 ? functionKey : OptionFunctionKey(code);
  if (n != 0) {
    if (control && (o.EmuWyse50 || o.EmuViewpoint) && n <= 15) {
      const char seq[] = {1, static_cast<char>(75 + n), 13};
      return SendText(std::string_view(seq, 3));
    }
    return SendFunctionKey(n);
  }

  SendKeyStringToHost(ch);
}

bool KeyTranslator::VtKey(int ch, int code) {
  const SessionOptions& o = s_.Opt;
  // The keypad in application mode.
  if (keypad_ && (s_.input.KeypadApplicationMode || o.ForceKeypadApplication)) {
    const int k = keys_.LastKeyCode;
    char final = 0;
    switch (k) {
      case kKeypadClear: final = 'P'; break;
      case kKeypadEquals: final = 'Q'; break;
      case kKeypadDivide: final = 'R'; break;
      case kKeypadMultiply: final = 'S'; break;
      case kKeypad8: final = 'x'; break;
      case kKeypad9: final = 'y'; break;
      case kKeypadMinus: final = 'm'; break;
      case kKeypadDecimal: final = 'n'; break;
      case kKeypadEnter:
        if (o.KeypadOption) {
          SendByte(kCharReturn);
          return true;
        }
        final = 'M';
        break;
      default:
        if (k >= kKeypad0 && k <= kKeypad7) final = static_cast<char>('p' + (k - kKeypad0));
        break;
    }
    if (final != 0) {
      const char seq[] = {kEsc, 'O', final};
      SendText(std::string_view(seq, 3));
      return true;
    }
  }
  if (o.ScoAnsiMode) {
    char final = 0;
    if (keys_.PageUpKeyDown) final = 'I';
    if (keys_.PageDownKeyDown) final = 'G';
    if (keys_.HomeKeyDown) final = 'H';
    if (keys_.EndKeyDown) final = 'F';
    if (final != 0) {
      const char seq[] = {kEsc, '[', final};
      SendText(std::string_view(seq, 3));
      return true;
    }
  }
  if (IsArrow(ch)) {
    if (s_.vt.CursorKeyApplicationMode) {
      static constexpr char kFinals[] = {'D', 'C', 'A', 'B'};
      const char seq[] = {kEsc, 'O', kFinals[ch - 28]};
      SendText(std::string_view(seq, 3));
    } else {
      SendArrowString(ch, ArrowString(ch));
    }
    return true;
  }
  if (o.EmuVt220) {
    char digit = 0;
    if (keys_.HomeKeyDown) digit = '1';
    if (InsertKey(code)) digit = '2';
    if (code == kKeyForwardDelete) digit = '3';
    if (keys_.EndKeyDown) digit = '4';
    if (keys_.PageUpKeyDown) digit = '5';
    if (keys_.PageDownKeyDown) digit = '6';
    if (digit != 0) {
      const char seq[] = {kEsc, '[', digit, '~'};
      SendOneTickApart(std::string_view(seq, 4));
      return true;
    }
  }
  return false;
}

bool KeyTranslator::ExtendedAnsiKey(int ch, int code) {
  const bool control = keys_.ControlKeyDown, option = keys_.OptionKeyDown;
  char letter = 0;
  if (control && option && keys_.TabKeyDown)
    letter = 'A';
  else if (control && option && keys_.EndKeyDown)
    letter = 'B';
  else if (control && keys_.ClearKeyDown)
    letter = 'A';
  else if (control && code == kKeyForwardDelete)
    letter = 'B';
  else if (control && code == kKeyEscape && ch == kCharEscape)
    letter = 'C';
  else if (control && keys_.PageUpKeyDown)
    letter = 'D';
  else if (control && keys_.PageDownKeyDown)
    letter = 'E';
  else if (control && keys_.EndKeyDown)
    letter = 'F';
  else if (keys_.ShiftKeyDown && keys_.TabKeyDown)
    letter = 'G';
  else if (!control && code == kKeyForwardDelete)
    letter = 'H';
  if (letter == 0) return false;
  const char seq[] = {2, letter};
  SendText(std::string_view(seq, 2));
  return true;
}

bool KeyTranslator::InsertKey(int code) const {
  if (code == kKeyHelp) return true;
  return raw_.LastRawKeyCode == static_cast<uint32_t>(kKeyI) && (raw_.OptionKeyAlone || raw_.OptionShiftKeys);
}

bool KeyTranslator::WyseSixtyKey(int ch, int code) {
  WyseState& w = s_.wyse;
  const bool shift = keys_.ShiftKeyDown;
  // The host-programmed strings of the editing keys, in the order the host
  // names them: Page Up, Page Down, Shift-End, End, Home, then Insert,
  // forward Delete, keypad Clear and keypad = without Shift and with it.
  int index = -1;
  if (ch == kCharPageUp)
    index = 0;
  else if (ch == kCharPageDown)
    index = 1;
  else if (keys_.EndKeyDown)
    index = shift ? 2 : 3;
  else if (keys_.HomeKeyDown)
    index = 4;
  else if (InsertKey(code))
    index = shift ? 9 : 5;
  else if (code == kKeyForwardDelete)
    index = shift ? 10 : 6;
  else if (code == kKeypadClear)
    index = shift ? 11 : 7;
  else if (code == kKeypadEquals)
    index = shift ? 12 : 8;
  if (index >= 0 && !w.EditKeyStrings[static_cast<size_t>(index)].empty()) {
    SendArrowString(ch, w.EditKeyStrings[static_cast<size_t>(index)]);
    return true;
  }
  if (code == kKeyBackspace && !w.BackspaceKeyString.empty()) {
    SendArrowString(ch, w.BackspaceKeyString);
    return true;
  }
  if (code == kKeyEscape && !w.EscapeKeyString.empty()) {
    SendArrowString(ch, w.EscapeKeyString);
    return true;
  }
  // Option with the down arrow is the Wyse 50's Page Down, below.
  if (IsArrow(ch) && !(keys_.OptionKeyDown && ch == kCharDown)) {
    std::string definition = ArrowString(ch);
    if (definition.empty() && s_.screen.WyseColourAttributes) {
      static constexpr const char* kDefaults[] = {"{CTH", "{CTL", "{CTK", "{CTJ"};
      definition = kDefaults[ch - 28];
    }
    SendArrowString(ch, definition);
    return true;
  }
  return false;
}

bool KeyTranslator::FamilyKey(int ch, int code) {
  const SessionOptions& o = s_.Opt;
  const bool control = keys_.ControlKeyDown, option = keys_.OptionKeyDown, shift = keys_.ShiftKeyDown;
  // TeleVideo 925 and Viewpoint: the End key clears the line, Shift-End the
  // screen.
  if ((o.EmuTvi925 || (o.EmuViewpoint && !o.EmuWyse50)) && keys_.EndKeyDown) {
    SendText(shift ? "\x1bY" : "\x1bT");
    return true;
  }
  if (o.EmuWyse60 && WyseSixtyKey(ch, code)) return true;
  if (o.EmuPrism) {
    if (option && (ch == 178 || ch == 248)) {
      SendByte(25);
      return true;
    }
    if (IsArrow(ch)) {
      SendArrowString(ch, ArrowString(ch));
      return true;
    }
  }
  if (o.EmuWyse50) {
    const char* seq = nullptr;
    const bool pageKeys = !(o.EmuWyse60 && control);
    if (option && (ch == 178 || ch == 248)) seq = "\x1bI";
    if (pageKeys && ch == kCharPageUp) seq = "\x1bJ";
    if (pageKeys && ch == kCharPageDown) seq = "\x1bK";
    if (option && ch == kCharDown) seq = "\x1bK";
    if (ch == kCharHome) seq = "\x1e";
    if (shift && keys_.TabKeyDown) seq = "\x1bI";
    if (seq) {
      SendText(seq);
      return true;
    }
  }
  if (o.AltEditKeys) {
    if (control) {
      SendByte(ch);
      return true;
    }
    int b = -1;
    switch (ch) {
      case kCharHelp: b = 6; break;
      case kCharForwardDelete: b = 4; break;
      case kCharHome: b = 30; break;
      case kCharEnd: b = 5; break;
      case kCharPageUp: b = 18; break;
      case kCharPageDown: b = 20; break;
      default: break;
    }
    if (b >= 0) {
      SendByte(b);
      return true;
    }
    if (IsArrow(ch)) {
      SendArrowString(ch, ArrowString(ch));
      return true;
    }
  }
  if (o.EmuWyse50 || o.EmuViewpoint) {
    if (InsertKey(code)) {
      if (control)
        SendText("\x1bq");
      else
        SendOneTickApart("\x1bq");
      return true;
    }
    if (option && ch == 228) {
      SendText("\x1br");
      return true;
    }
  }
  // Option characters that stand for control codes.
  if ((o.EmuViewpoint || o.EmuVt100 || o.EmuPrism) && option) {
    int b = -1;
    switch (ch) {
      case 245:
      case 186:
      case 217: b = 27; break;
      case 234:
      case 167: b = 28; break;
      case 215:
      case 195: b = 29; break;
      case 129:
      case 140: b = 30; break;
      case 237:
      case 169: b = 31; break;
      default: break;
    }
    if (b >= 0) {
      SendByte(b);
      return true;
    }
  }
  // In every family the arrow keys send their strings.
  if (IsArrow(ch)) {
    SendArrowString(ch, ArrowString(ch));
    return true;
  }
  return false;
}

int KeyTranslator::OptionFunctionKey(int code) {
  if (!keys_.OptionKeyDown) return 0;
  const int shift = keys_.ShiftKeyDown ? 16 : 0;
  static constexpr int kDigits[] = {kKey1, kKey2, kKey3, kKey4, kKey5, kKey6, kKey7, kKey8, kKey9, kKey0};
  for (int i = 0; i < 10; ++i)
    if (code == kDigits[i]) return i + 1 + shift;
  keys_.DecodeOptionFunctionKeys();
  for (int n = 11; n <= 16; ++n)
    if (keys_.OptionFunctionKeys[static_cast<size_t>(n)]) return n + (keys_.ShiftKeyDown ? 16 : 0);
  return 0;
}

const std::string& KeyTranslator::ArrowString(int ch) const {
  const SessionOptions& o = s_.Opt;
  switch (ch) {
    case kCharLeft: return o.LeftArrowString;
    case kCharRight: return o.RightArrowString;
    case kCharUp: return o.UpArrowString;
    default: return o.DownArrowString;
  }
}

void KeyTranslator::SendArrowString(int /*ch*/, const std::string& definition) {
  SendFkeyString(s_.Opt, s_.conn, definition);
}

void KeyTranslator::SendByte(int b) {
  const char c = static_cast<char>(b);
  s_.conn.SendToHost(std::string_view(&c, 1));
}

void KeyTranslator::SendText(std::string_view text) { s_.conn.SendToHost(text); }

void KeyTranslator::SendOneTickApart(std::string_view text) {
  for (size_t i = 0; i < text.size(); ++i) {
    if (i > 0) WaitOneTick(clock_);
    SendByte(static_cast<unsigned char>(text[i]));
  }
}

void KeyTranslator::ReturnViewToLiveScreen() {
  Screen& sc = s_.screen;
  sc.ScrollBackViewLine = sc.ScrollBackViewDrawnLine = sc.ScrollBackLinePos;
  sc.ScrollBackViewShown = 0;
  sc.ScrollBarUpdateNeeded = 1;
  sc.RepaintPending = 1;
}

// ---- Ordinary keys -----------------------------------------------------------------

void KeyTranslator::SendKeyStringToHost(int c) {
  if (c < 0) return;
  c &= 0xFF;
  if (s_.Opt.EmulationCode == 1 && c == kCharBackspace) c = kCharForwardDelete;
  // A character above 127 goes in the session's character set (the PC code
  // page, DEC Multinational, or the Mac characters the session shows). A
  // set without a code for it, a 7-bit host's included, gets the bell:
  // nothing is sent rather than some other character, and not in silence.
  if (c > 127) {
    c = HostByteOfTypedCharacter(s_.Opt, c);
    if (c < 0) {
      s_.input.Services().sounds.Beep();
      return;
    }
  }
  SendByte(c);
  if (s_.keys.LocalEchoMode == 2) LocalEcho(c);
}

void KeyTranslator::LocalEcho(int c) {
  Screen& sc = s_.screen;
  HostInput& in = s_.input;
  const char byte = static_cast<char>(c);
  const std::string_view one(&byte, 1);
  // The echoed key goes where received text goes; the capture file keeps
  // only line feeds and backspaces of it.
  if (c != kCharBackspace) in.echo.Text(one, kEchoClipboard | kEchoPrinter);
  if (c == 10 || c == kCharBackspace) in.echo.Text(one, kEchoCaptureFile);

  if (sc.CursorDrawn) sc.EraseTextCursor();
  sc.ClampCursor();
  if (c == kCharBackspace || c == kCharForwardDelete) {
    if (sc.CursorCol() > 1) {
      sc.SetCursorCol(sc.CursorCol() - 1);
    } else if (s_.Opt.AutoWrapOn && sc.CursorRow() > 1) {
      // Back onto the last character of the row above.
      sc.SetCursorRow(sc.CursorRow() - 1);
      int last = 1;
      for (int col = std::min<int>(sc.ScreenCols, kMaxCursorCol); col >= 1; --col) {
        const int16_t v = sc.ScreenChars(sc.CursorRow(), col);
        if (v != 0 && v != ' ') {
          last = col;
          break;
        }
      }
      sc.SetCursorCol(static_cast<int16_t>(last));
    } else {
      return;
    }
    const int row = sc.CursorRow(), col = sc.CursorCol();
    sc.ScreenChars(row, col) = 0;
    sc.ScreenAttrs(row, col) = 0;
    sc.ScreenForeColours(row, col) = 0;
    sc.ScreenBackColours(row, col) = 0;
    sc.MoveToCell(row, col);
    const Point pen = sc.port.Pen();
    sc.port.EraseRect({pen.h, sc.BandTop(pen.v), pen.h + sc.CellWidth, sc.BandBottom(pen.v)});
    sc.MoveToCell(row, col);
    sc.port.Flush();
    clock_.Delay(50);
    return;
  }
  if (c == kCharReturn) {
    sc.SetCursorCol(1);
    sc.ScrollIfPastBottom();
    sc.port.Flush();
    return;
  }
  if (c < 32) return;
  const int row = sc.CursorRow(), col = sc.CursorCol();
  sc.ScreenChars(row, col) = static_cast<int16_t>(c);
  sc.ScreenAttrs(row, col) = sc.CurrentAttributeCode;
  sc.MoveToCell(row, col);
  const uint8_t glyph = static_cast<uint8_t>(c);
  sc.port.DrawText(&glyph, 1);
  sc.SetCursorCol(sc.CursorCol() + 1);
  if (s_.Opt.AutoWrapOn && sc.CursorCol() > sc.ColumnsSetting) {
    sc.SetCursorCol(1);
    sc.ScrollIfPastBottom();
  }
  sc.ClampCursor();
  sc.MoveToCell(sc.CursorRow(), sc.CursorCol());
  sc.port.Flush();
}

// ---- Function keys and key strings --------------------------------------------------------

void KeyTranslator::SendFunctionKey(int n) {
  if (n < 1 || n > 32) return;
  SendKeyString(s_.Opt.FkeyStrings[static_cast<size_t>(n)], false);
}

void KeyTranslator::SendKeyString(std::string_view text, bool closeWhenDone) {
  KeyStringJob job;
  job.text.assign(text.substr(0, std::min(text.size(), kFkeyStringMax)));
  job.closeWhenDone = closeWhenDone;
  s_.keys.PendingKeyStrings.push_back(std::move(job));
  // A string asked for while an earlier one waits goes after it.
  if (s_.keys.PendingKeyStrings.size() == 1) ContinueKeyStrings();
}

bool KeyTranslator::ContinueKeyStrings() {
  auto& pending = s_.keys.PendingKeyStrings;
  while (!pending.empty()) {
    if (!StepKeyString(pending.front())) return true;
    pending.pop_front();
  }
  return false;
}

bool KeyTranslator::StepKeyString(KeyStringJob& job) {
  if (job.waiting) {
    if (clock_.Ticks() < job.resumeTick) return false;
    job.waiting = false;
  }
  const SessionOptions& o = s_.Opt;
  while (job.pos < job.text.size()) {
    const FkeyTokenAt t = ScanFkeyToken(job.text, job.pos, FkeyTokenSet::FunctionKey);
    switch (t.kind) {
      case FkeyToken::None: {
        int b = static_cast<unsigned char>(job.text[job.pos]);
        // The replacement goes into the working copy only.
        if (b > 127) {
          b = NationalChar(o, b);
          job.text[job.pos] = static_cast<char>(b);
        }
        SendByte(b);
        break;
      }
      case FkeyToken::Byte:
        // Control-K and Control-L page the scroll-back view while it is in
        // use; the rest of the string is not sent.
        if (o.ScrollBackOn && t.length == 4 && (t.byte == 11 || t.byte == 12)) {
          if (t.byte == 11)
            s_.screen.ScrollBackViewPageUp();
          else
            s_.screen.ScrollBackViewPageDown();
          return true;
        }
        SendByte(t.byte);
        break;
      case FkeyToken::Delay:
        job.pos += static_cast<size_t>(t.length);
        job.waiting = true;
        job.resumeTick = clock_.Ticks() + t.ticks;
        return false;
      case FkeyToken::Cursor: SendText(CursorKeyBytes(o, t.direction)); break;
      case FkeyToken::Redraw: s_.screen.RedrawCounter = 1; break;
      case FkeyToken::Break: s_.conn.SendBreakToHost(s_.Opt); break;
      case FkeyToken::Paste: hooks_.PasteToHost(); break;
    }
    job.pos += static_cast<size_t>(t.length);
  }
  if (job.closeWhenDone) {
    if (!job.closing) {
      job.closing = true;
      job.waiting = true;
      job.resumeTick = clock_.Ticks() + 30;
      return false;
    }
    hooks_.CloseConnectionAfterKeyString();
  }
  return true;
}

}  // namespace korvane::input
