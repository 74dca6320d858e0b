#include "input/FkeyTokens.h"

#include "connection/Connection.h"
#include "input/NationalChars.h"

namespace korvane::input {

namespace {

struct NamedToken {
  char a, b;
  FkeyToken kind;
  int value;  // the byte, the ticks, or the direction
  bool arrowKeys, functionKeys;
};

constexpr NamedToken kTokens[] = {
    {'C', 'R', FkeyToken::Byte, 13, true, true},     {'L', 'F', FkeyToken::Byte, 10, true, true},
    {'E', 'S', FkeyToken::Byte, 27, true, true},     {' ', '[', FkeyToken::Byte, 27, true, false},
    {' ', '\\', FkeyToken::Byte, 28, true, true},    {' ', ']', FkeyToken::Byte, 29, true, true},
    {' ', '^', FkeyToken::Byte, 30, true, true},     {'D', 'L', FkeyToken::Delay, 60, true, true},
    {'D', 'F', FkeyToken::Delay, 300, true, true},   {'L', 'T', FkeyToken::Cursor, 'L', false, true},
    {'R', 'T', FkeyToken::Cursor, 'R', false, true}, {'U', 'P', FkeyToken::Cursor, 'U', false, true},
    {'D', 'N', FkeyToken::Cursor, 'D', false, true}, {'C', 'S', FkeyToken::Redraw, 0, false, true},
    {'B', 'K', FkeyToken::Break, 0, false, true},    {'P', 'A', FkeyToken::Paste, 0, false, true},
};

}  // namespace

int ControlLetterByte(int letter) {
  int x = letter & 0xFF;
  if (x >= 97 && x <= 127) x -= 32;
  return (x - 64) & 0xFF;
}

FkeyTokenAt ScanFkeyToken(std::string_view text, size_t pos, FkeyTokenSet set) {
  FkeyTokenAt t;
  if (pos >= text.size() || text[pos] != '{' || text.size() - pos < 3) return t;
  const char a = text[pos + 1], b = text[pos + 2];
  if (a == 'C' && b == 'T') {
    // The control letter must be there: "{CT" at the very end is three
    // ordinary bytes.
    if (text.size() - pos < 4) return t;
    t.kind = FkeyToken::Byte;
    t.length = 4;
    t.byte = ControlLetterByte(static_cast<unsigned char>(text[pos + 3]));
    return t;
  }
  for (const auto& n : kTokens) {
    if (n.a != a || n.b != b) continue;
    if (!(set == FkeyTokenSet::ArrowKey ? n.arrowKeys : n.functionKeys)) return t;
    t.kind = n.kind;
    t.length = 3;
    if (n.kind == FkeyToken::Byte) t.byte = n.value;
    if (n.kind == FkeyToken::Delay) t.ticks = n.value;
    if (n.kind == FkeyToken::Cursor) t.direction = static_cast<char>(n.value);
    return t;
  }
  return t;
}

std::string FkeyTokenOfChar(int code) {
  code &= 0xFF;
  if (code >= 31) return std::string(1, static_cast<char>(code));
  if (code == 27) return "{ES";
  if (code <= 26) return std::string("{CT") + static_cast<char>(code + 64);
  if (code == 28) return "{ \\";
  if (code == 29) return "{ ]";
  return "{ ^";
}

std::string CursorKeyBytes(const SessionOptions& Opt, char direction) {
  const int index = direction == 'L' ? 0 : direction == 'R' ? 1 : direction == 'U' ? 2 : 3;
  std::string out;
  if (Opt.EmuWyse50) {
    static constexpr char kWyse[] = {8, 12, 11, 10};
    out += kWyse[index];
  } else if (Opt.EmuViewpoint) {
    static constexpr char kViewpoint[] = {21, 6, 26, 10};
    out += kViewpoint[index];
  }
  if (Opt.EmuPrism) {
    static constexpr char kPrism[] = {21, 6, 26, 10};
    out += kPrism[index];
  }
  if (Opt.EmuVt100) {
    static constexpr char kVt[] = {'D', 'C', 'A', 'B'};
    out += "\x1b[";
    out += kVt[index];
  }
  return out;
}

int SendFkeyString(const SessionOptions& Opt, Connection& conn, std::string_view definition) {
  // National replacement works on a copy; the stored string stays as it is.
  std::string work(definition);
  size_t p = 0;
  while (p < work.size()) {
    const FkeyTokenAt t = ScanFkeyToken(work, p, FkeyTokenSet::ArrowKey);
    if (t.kind == FkeyToken::Byte) {
      const char b = static_cast<char>(t.byte);
      conn.SendToHost(std::string_view(&b, 1));
    } else if (t.kind == FkeyToken::None) {
      unsigned char b = static_cast<unsigned char>(work[p]);
      if (b > 127) {
        b = static_cast<unsigned char>(NationalChar(Opt, b));
        work[p] = static_cast<char>(b);
      }
      conn.SendToHost(std::string_view(&work[p], 1));
    }
    // Delays are dropped here.
    p += static_cast<size_t>(t.length);
  }
  return 0;
}

}  // namespace korvane::input
