#pragma once
// Numbers in script texts: the numeric text rule by which a command reads its
// parameter, and the way numbers are written into replies.

#include <cstdint>
#include <string>
#include <string_view>

namespace korvane::scripting {

// The number a text stands for: "&H" or "0x" hexadecimal, "&O" octal, "&X"
// binary, otherwise decimal with an optional fraction and exponent; leading
// blanks are skipped and reading stops at the first character that does not
// belong. A text that is no number reads as 0. The value is truncated toward
// zero and kept as a signed 16-bit number (beyond that range, the nearest end).
int16_t ScriptNumber(std::string_view text);

// A number as the system writes numbers as text: a blank before a number that
// is not negative, a minus sign before one that is.
std::string NumberText(int value);

}  // namespace korvane::scripting
