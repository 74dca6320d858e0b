#include "platform/InterfaceLanguage.h"

#include <algorithm>
#include <cctype>

namespace korvane::platform {

namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// The first word of the file's first line.
std::string FirstWord(const std::string& text) {
  const std::size_t start = text.find_first_not_of(" \t\r\n");
  if (start == std::string::npos) return {};
  const std::size_t end = text.find_first_of(" \t\r\n", start);
  return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

}  // namespace

std::string InterfaceLanguageName(const std::function<const char*(const char*)>& environment,
                                  const std::string& languageFile) {
  const std::string chosen = Lower(FirstWord(languageFile));
  if (chosen == "french" || chosen == "fr" || chosen == "français" || chosen == "francais") return "fr";
  if (chosen == "english" || chosen == "en") return "en";
  // The locale the user's programs show their messages in.
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = environment ? environment(name) : nullptr;
    if (!value || !*value) continue;
    return Lower(value).rfind("fr", 0) == 0 ? "fr" : "en";
  }
  return "en";
}

}  // namespace korvane::platform
