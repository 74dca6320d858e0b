#pragma once
// The brace notation of key strings (function keys, arrow keys, connection
// scripts): "{" and two upper-case characters stand for a control character
// or an action of the session, "{CT" with one more character for a control
// character. A "{" that begins no token is an ordinary byte, as is every
// byte of a token cut short by the end of the string.

#include <cstdint>
#include <string>
#include <string_view>

#include "settings/SessionOptions.h"

namespace korvane {
class Connection;
}

namespace korvane::input {

// The longest key string.
constexpr size_t kFkeyStringMax = 255;

enum class FkeyToken : uint8_t {
  None,    // no token begins here: the byte is sent as it stands
  Byte,    // {CR {LF {ES { \ { ] { ^ {CT and, in arrow-key strings, { [
  Delay,   // {DL (60 ticks) and {DF (300 ticks)
  Cursor,  // {LT {RT {UP {DN
  Redraw,  // {CS
  Break,   // {BK
  Paste,   // {PA
};

// Which sender reads the string: the arrow-key strings know the byte tokens
// (with "{ [") and drop the delays; function-key strings and connection
// scripts know every token but "{ [".
enum class FkeyTokenSet : uint8_t { ArrowKey, FunctionKey };

struct FkeyTokenAt {
  FkeyToken kind = FkeyToken::None;
  int length = 1;      // bytes the token takes (1 for no token)
  int byte = 0;        // Byte: the byte it stands for
  int ticks = 0;       // Delay: the pause
  char direction = 0;  // Cursor: 'L', 'R', 'U', 'D'
};

// The token that begins at `pos` of `text`. Nothing past the end is read: a
// token the string cuts short is no token.
FkeyTokenAt ScanFkeyToken(std::string_view text, size_t pos, FkeyTokenSet set);

// The control byte of "{CT" followed by the character `letter`: small letters
// (and "{" ... DEL) count as their capitals, then 64 is taken off modulo 256.
int ControlLetterByte(int letter);

// The token text of one byte, for the key editors: "{ES", "{CT" with a
// letter for 0..26, "{ \", "{ ]", "{ ^", and every other byte as itself.
std::string FkeyTokenOfChar(int code);

// The bytes of a cursor token for the session's emulation; empty where the
// emulation has none.
std::string CursorKeyBytes(const SessionOptions& Opt, char direction);

// Sends an arrow-key string to the host, one byte to a call: its byte tokens
// decoded, its delays dropped, every other byte as it stands after national
// replacement. The string itself is not changed. Returns 0.
int SendFkeyString(const SessionOptions& Opt, Connection& conn, std::string_view definition);

}  // namespace korvane::input
