#include "connection/FieldChecks.h"

#include <cctype>

namespace korvane {
namespace {

bool Alnum(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); }

bool AllOf(std::string_view s, std::string_view extra) {
  for (char c : s)
    if (!Alnum(c) && extra.find(c) == std::string_view::npos) return false;
  return true;
}

}  // namespace

bool IsValidHostName(std::string_view host) {
  if (!host.empty() && host.front() == '[') {
    // An IPv6 address: hex digits and colons (and an IPv4 tail) in brackets.
    if (host.size() < 3 || host.back() != ']') return false;
    const std::string_view inside = host.substr(1, host.size() - 2);
    for (char c : inside)
      if (!std::isxdigit(static_cast<unsigned char>(c)) && c != ':' && c != '.') return false;
    return inside.find(':') != std::string_view::npos;
  }
  return (host.empty() || host.front() != '-') && AllOf(host, ".-:");
}

bool IsValidPort(std::string_view port) {
  if (port.size() > 5) return false;
  for (char c : port)
    if (c < '0' || c > '9') return false;
  return true;
}

bool IsValidUserName(std::string_view user) { return !user.empty() && user.front() != '-' && AllOf(user, "._-"); }

bool IsValidTerminalName(std::string_view name) { return AllOf(name, "-+."); }

bool IsValidOptionText(std::string_view options) {
  for (size_t i = 0; i < options.size(); ++i) {
    const char c = options[i];
    if (c == '~') {
      if (i > 0 && options[i - 1] != ' ') return false;
      continue;
    }
    if (!Alnum(c) && std::string_view(" -=.,_/:@+%^").find(c) == std::string_view::npos) return false;
  }
  return true;
}

bool NamesLocalCommand(std::string_view sshOptions) {
  constexpr std::string_view kWord = "command";
  if (sshOptions.size() < kWord.size()) return false;
  for (size_t i = 0; i + kWord.size() <= sshOptions.size(); ++i) {
    size_t k = 0;
    while (k < kWord.size() && std::tolower(static_cast<unsigned char>(sshOptions[i + k])) == kWord[k]) ++k;
    if (k == kWord.size()) return true;
  }
  return false;
}

bool IsTypeablePath(std::string_view path) { return !path.empty() && path.front() == '/' && AllOf(path, "/._-+"); }

}  // namespace korvane
