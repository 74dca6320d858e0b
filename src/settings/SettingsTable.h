#pragma once
// The settings lines: which value each line of a settings file holds, of what
// kind, and its built-in default. The format has no keys: a line's meaning is
// its position. This one table drives the writer, the reader and the defaults,
// so they cannot disagree about the order.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "settings/SessionOptions.h"

namespace korvane {

enum class LineKind : uint8_t {
  Number,     // a number in the program's number form
  Text,       // a text as it is
  KeyString,  // a text in function-key notation; CR and LF become "{CR" / "{LF"
  Keyword,    // one word of a fixed set standing for a flag or a code
  Reserved,   // written empty, ignored when read
};

// The record member a line holds; its type is the width of a number line
// (8, 16 or 32 bits).
using SettingsMember = std::variant<std::monostate, int8_t SessionOptions::*, int16_t SessionOptions::*,
                                    int32_t SessionOptions::*, std::string SessionOptions::*>;

struct SettingsLineDef {
  int16_t line;
  std::string_view name;
  LineKind kind;
  SettingsMember member;
  bool hasDefault;  // false: the built-in defaults leave the value as it is
  int32_t defaultNumber;
  std::string_view defaultText;

  // 8, 16 or 32 for a number or keyword line, 0 for a text or a reserved line.
  int Width() const;
  int32_t Number(const SessionOptions& o) const;
  void SetNumber(SessionOptions& o, int64_t value) const;  // truncated to the width
  const std::string& Text(const SessionOptions& o) const;
  void SetText(SessionOptions& o, std::string value) const;
};

constexpr int kSettingsLineCount = 177;
constexpr int kFkeyLineCount = 64;
constexpr int kFkeyStringCount = 32;
constexpr int kFkeyTitleCount = 16;

// Lines 1..177 in file order; entry i is line i + 1.
extern const std::array<SettingsLineDef, kSettingsLineCount> kSettingsLines;

inline const SettingsLineDef& SettingsLine(int line) { return kSettingsLines[line - 1]; }

// Lines 1..64 of the function-key part: the 32 definitions, then the 16
// labels of the bar's first row and the 16 of its shifted row.
std::string& FkeyLine(SessionOptions& o, int line);
const std::string& FkeyLine(const SessionOptions& o, int line);

}  // namespace korvane
