// File kinds by name and by contents.

#include "settings/FileKinds.h"

#include <vector>

namespace korvane {

namespace {

// A full settings file is well under 200 KB.
constexpr std::size_t kMaxDocumentBytes = 1 << 20;
constexpr std::size_t kFunctionKeyLines = 64;

bool EndsWithNoCase(std::string_view s, std::string_view suffix) {
  if (s.size() < suffix.size()) return false;
  for (std::size_t i = 0; i < suffix.size(); ++i) {
    char c = s[s.size() - suffix.size() + i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    if (c != suffix[i]) return false;
  }
  return true;
}

std::vector<std::string_view> Lines(std::string_view bytes) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] != '\r' && bytes[i] != '\n') continue;
    lines.push_back(bytes.substr(start, i - start));
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < bytes.size()) lines.push_back(bytes.substr(start));
  return lines;
}

// A number as the settings reader reads one: blanks, a sign, a digit.
bool StartsWithNumber(std::string_view line) {
  std::size_t i = 0;
  while (i < line.size() && line[i] == ' ') ++i;
  if (i < line.size() && (line[i] == '-' || line[i] == '+')) ++i;
  return i < line.size() && line[i] >= '0' && line[i] <= '9';
}

// Digits and the characters a modem's dial string may hold.
bool IsDialString(std::string_view line) {
  if (line.empty() || line.size() > 255) return false;
  bool digit = false;
  for (char c : line) {
    if (c >= '0' && c <= '9') {
      digit = true;
      continue;
    }
    if (std::string_view("*#,;!@WwPpTt-() ").find(c) == std::string_view::npos) return false;
  }
  return digit;
}

}  // namespace

DocumentKind DocumentKindByName(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
  if (EndsWithNoCase(name, std::string(".") + platform::kSettingsExtension)) return DocumentKind::Settings;
  if (EndsWithNoCase(name, std::string(".") + platform::kQuickDialExtension)) return DocumentKind::QuickDial;
  if (EndsWithNoCase(name, std::string(".") + platform::kFunctionKeysExtension)) return DocumentKind::FunctionKeys;
  if (name == "defaults" || name == "KorvaneSettings" || name.rfind("TempSettingsKV ", 0) == 0)
    return DocumentKind::Settings;
  if (name == "Quickdial") return DocumentKind::QuickDial;
  if (name == "Fkeydefaults") return DocumentKind::FunctionKeys;
  return DocumentKind::Other;
}

DocumentKind DocumentKindByContent(std::string_view bytes) {
  const std::vector<std::string_view> lines = Lines(bytes);
  if (lines.size() > kFunctionKeyLines && StartsWithNumber(lines[kFunctionKeyLines])) return DocumentKind::Settings;
  if (lines.size() == kFunctionKeyLines) return DocumentKind::FunctionKeys;
  if (lines.size() == 1 && IsDialString(lines[0])) return DocumentKind::QuickDial;
  return DocumentKind::Other;
}

DocumentKind DocumentKindOf(const std::string& path, platform::Files& files) {
  if (path.empty()) return DocumentKind::Other;
  const DocumentKind byName = DocumentKindByName(path);
  if (byName != DocumentKind::Other) return byName;
  const std::size_t slash = path.rfind('/');
  if (path.substr(slash == std::string::npos ? 0 : slash + 1) == "International") return DocumentKind::Other;
  std::string bytes;
  if (files.ReadFile(path, bytes, kMaxDocumentBytes) != 0) return DocumentKind::Other;
  return DocumentKindByContent(bytes);
}

}  // namespace korvane
