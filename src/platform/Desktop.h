#pragma once
// The user's desktop: opening web and mail addresses and local files with the
// programs the user has chosen for them. Nothing here goes through a shell.

#include <cctype>
#include <string>

namespace korvane::platform {

class Desktop {
 public:
  virtual ~Desktop() = default;
  // Opens an address; only http:, https: and mailto: addresses are opened
  // (see AllowedUrl), anything else is refused with false.
  virtual bool OpenURL(const std::string& url) = 0;
  // Opens a local file with its default program. Callers ask the user first
  // when a host asked for it.
  virtual bool OpenFile(const std::string& path) = 0;
};

// An address the program may hand to the desktop: http://, https:// or
// mailto:, with no control characters or blanks.
inline bool AllowedUrl(const std::string& url) {
  auto startsWith = [&](const char* p) {
    std::string prefix(p);
    if (url.size() <= prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i)
      if (std::tolower(static_cast<unsigned char>(url[i])) != prefix[i]) return false;
    return true;
  };
  if (!startsWith("http://") && !startsWith("https://") && !startsWith("mailto:")) return false;
  for (unsigned char c : url)
    if (c <= 0x20 || c == 0x7F) return false;
  return true;
}

}  // namespace korvane::platform
