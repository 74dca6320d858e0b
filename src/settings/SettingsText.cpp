#include "settings/SettingsText.h"

#include "platform/CharMap.h"

namespace korvane {

namespace {

using platform::AppendUtf8;
using platform::NextUtf8;

constexpr char32_t kCrSymbol = 0x240D;  // SYMBOL FOR CARRIAGE RETURN
constexpr char32_t kLfSymbol = 0x240A;  // SYMBOL FOR LINE FEED

bool IsUtf8(std::string_view s) {
  char32_t u = 0;
  for (std::size_t pos = 0; pos < s.size();)
    if (!NextUtf8(s, pos, u)) return false;
  return true;
}

// The 8-bit text of one line of a UTF-8 file.
std::string DecodeUtf8Line(std::string_view line) {
  std::string out;
  char32_t u = 0;
  for (std::size_t pos = 0; pos < line.size();) {
    NextUtf8(line, pos, u);  // the whole file was checked
    if (u == kCrSymbol) {
      out += '\r';
    } else if (u == kLfSymbol) {
      out += '\n';
    } else {
      const int code = platform::UnicodeToMacRoman(u);
      out += static_cast<char>(code < 0 ? '?' : code);
    }
  }
  return out;
}

}  // namespace

std::string NumberLine(int64_t value) { return value < 0 ? std::to_string(value) : " " + std::to_string(value); }

int64_t ReadNumber(std::string_view text, bool* found) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  // Unsigned arithmetic wraps instead of overflowing on absurdly long digit runs.
  uint64_t value = 0;
  bool digits = false;
  if (i + 1 < text.size() && text[i] == '&' && (text[i + 1] == 'H' || text[i + 1] == 'h')) {
    for (i += 2; i < text.size(); ++i) {
      const char c = text[i];
      int d = -1;
      if (c >= '0' && c <= '9') d = c - '0';
      if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
      if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
      if (d < 0) break;
      value = value * 16 + static_cast<uint64_t>(d);
      digits = true;
    }
  } else {
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
      value = value * 10 + static_cast<uint64_t>(text[i] - '0');
      digits = true;
    }
    if (negative) value = ~value + 1;
  }
  if (found) *found = digits;
  return digits ? static_cast<int64_t>(value) : 0;
}

int32_t TruncateToWidth(int64_t value, int bits) {
  const auto u = static_cast<uint64_t>(value);
  switch (bits) {
    case 8: return static_cast<int8_t>(static_cast<uint8_t>(u));
    case 16: return static_cast<int16_t>(static_cast<uint16_t>(u));
    default: return static_cast<int32_t>(static_cast<uint32_t>(u));
  }
}

std::string KeyStringLine(std::string_view value) {
  std::string out;
  for (char c : value) {
    if (c == '\r') {
      out += "{CR";
    } else if (c == '\n') {
      out += "{LF";
    } else {
      out += c;
    }
  }
  if (out.size() > kMaxSettingsText) return std::string(value);
  return out;
}

std::string EncodeSettingsFile(const std::vector<std::string>& lines) {
  std::string out;
  for (const auto& line : lines) {
    for (char c : line) {
      if (c == '\r') {
        AppendUtf8(out, kCrSymbol);
      } else if (c == '\n') {
        AppendUtf8(out, kLfSymbol);
      } else {
        AppendUtf8(out, platform::MacRomanToUnicode(static_cast<uint8_t>(c)));
      }
    }
    out += '\n';
  }
  return out;
}

SettingsLineReader::SettingsLineReader(std::string_view file) {
  if (file.substr(0, 3) == "\xEF\xBB\xBF") file.remove_prefix(3);
  macRoman_ = !IsUtf8(file);
  std::size_t start = 0;
  while (start < file.size()) {
    std::size_t end = file.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = file.size();
    const std::string_view raw = file.substr(start, end - start);
    // Mac Roman codes are the program's own codes: nothing to convert.
    lines_.push_back(macRoman_ ? std::string(raw) : DecodeUtf8Line(raw));
    start = end + 1;
    if (end + 1 < file.size() && file[end] == '\r' && file[end + 1] == '\n') ++start;
  }
}

std::string SettingsLineReader::ReadLine() {
  if (next_ >= lines_.size()) {
    error_ = true;
    return {};
  }
  std::string line = std::move(lines_[next_++]);
  if (line.size() > kMaxSettingsText) line.resize(kMaxSettingsText);
  return line;
}

}  // namespace korvane
