#include "scripting/ScriptNumbers.h"

#include <cctype>
#include <cmath>

namespace korvane::scripting {

namespace {

int16_t Saturate(double v) {
  if (std::isnan(v)) return 0;
  v = std::trunc(v);
  if (v > INT16_MAX) return INT16_MAX;
  if (v < INT16_MIN) return INT16_MIN;
  return static_cast<int16_t>(v);
}

int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 99;
}

// Digits of a base from pos on; stops at the first that does not belong and
// saturates long before a double would lose count.
double ReadDigits(std::string_view s, size_t pos, int base) {
  double v = 0;
  for (; pos < s.size() && DigitValue(s[pos]) < base; ++pos) {
    v = v * base + DigitValue(s[pos]);
    if (v > 1e9) return v;
  }
  return v;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

int16_t ScriptNumber(std::string_view s) {
  size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
  double sign = 1;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
    if (s[i] == '-') sign = -1;
    ++i;
  }
  auto prefix = [&](char a, char b) {
    return i + 1 < s.size() && s[i] == a && std::toupper(static_cast<unsigned char>(s[i + 1])) == b;
  };
  if (prefix('&', 'H') || prefix('0', 'X')) return Saturate(sign * ReadDigits(s, i + 2, 16));
  if (prefix('&', 'O')) return Saturate(sign * ReadDigits(s, i + 2, 8));
  if (prefix('&', 'X')) return Saturate(sign * ReadDigits(s, i + 2, 2));

  // Decimal: digits, a fraction, an exponent that has digits.
  double v = 0;
  bool any = false;
  for (; i < s.size() && IsDigit(s[i]); ++i) {
    any = true;
    if (v < 1e9) v = v * 10 + (s[i] - '0');
  }
  if (i < s.size() && s[i] == '.') {
    double scale = 0.1;
    for (++i; i < s.size() && IsDigit(s[i]); ++i, scale /= 10) {
      any = true;
      v += (s[i] - '0') * scale;
    }
  }
  if (!any) return 0;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    size_t j = i + 1;
    int expSign = 1;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) {
      if (s[j] == '-') expSign = -1;
      ++j;
    }
    if (j < s.size() && IsDigit(s[j])) {
      int e = 0;
      for (; j < s.size() && IsDigit(s[j]); ++j)
        if (e < 100) e = e * 10 + (s[j] - '0');
      v *= std::pow(10.0, expSign * e);
    }
  }
  return Saturate(sign * v);
}

std::string NumberText(int value) {
  if (value < 0) return std::to_string(value);
  return " " + std::to_string(value);
}

}  // namespace korvane::scripting
