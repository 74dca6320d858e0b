#include "emulation/HostAddresses.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

namespace korvane {

namespace {
std::string Lower(std::string_view s) {
  std::string out(s);
  std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return std::tolower(c); });
  return out;
}

bool PlainMessageField(std::string_view field) {
  const size_t eq = field.find('=');
  const std::string name = Lower(field.substr(0, eq));
  static constexpr std::array<std::string_view, 6> kKept{"to", "cc", "bcc", "subject", "body", "in-reply-to"};
  return std::find(kKept.begin(), kKept.end(), name) != kKept.end();
}
}  // namespace

std::string WithoutFileParameters(const std::string& address) {
  if (Lower(std::string_view(address).substr(0, 7)) != "mailto:") return address;
  const size_t query = address.find('?');
  if (query == std::string::npos) return address;
  std::string out = address.substr(0, query);
  char separator = '?';
  size_t start = query + 1;
  while (start <= address.size()) {
    size_t end = address.find('&', start);
    if (end == std::string::npos) end = address.size();
    const std::string_view field = std::string_view(address).substr(start, end - start);
    if (!field.empty() && PlainMessageField(field)) {
      out += separator;
      out += field;
      separator = '&';
    }
    start = end + 1;
  }
  return out;
}

}  // namespace korvane
