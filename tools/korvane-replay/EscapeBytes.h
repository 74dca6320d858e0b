#pragma once
// Bytes as C-style escaped text: what the replay prints for a host's
// answer, and what the conformance tests compare it with.

#include <cstdio>
#include <string>

namespace korvane::replay {

inline std::string EscapeBytes(const std::string& bytes) {
  std::string out;
  for (unsigned char c : bytes) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '"': out += "\\\""; break;
      case '\a': out += "\\a"; break;
      case '\b': out += "\\b"; break;
      case '\f': out += "\\f"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      case '\v': out += "\\v"; break;
      default:
        if (c >= 32 && c < 127) {
          out += static_cast<char>(c);
        } else {
          char oct[5];
          std::snprintf(oct, sizeof oct, "\\%03o", c);
          out += oct;
        }
    }
  }
  return out;
}

}  // namespace korvane::replay
