#include "connection/QuickDial.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>

#include "platform/CharMap.h"

namespace fs = std::filesystem;

namespace korvane {
namespace {

// A dial string file is one short line; anything far longer is not one.
constexpr std::size_t kMaxQuickDialFileBytes = 64 * 1024;

bool IsUtf8(std::string_view bytes) {
  std::size_t pos = 0;
  char32_t u = 0;
  while (pos < bytes.size())
    if (!platform::NextUtf8(bytes, pos, u)) return false;
  return true;
}

bool EndsWith(const std::string& s, std::string_view tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

std::string QuickDialFilePath(const std::string& settingsFolder) { return settingsFolder + kQuickDialFileName; }

std::string QuickDialServicesFolder(const std::string& settingsFolder) {
  return settingsFolder + kQuickDialServicesFolderName + "/";
}

QuickDialNumber ReadQuickDialFile(platform::Files& files, const std::string& path) {
  QuickDialNumber read;
  std::string bytes;
  read.error = files.ReadFile(path, bytes, kMaxQuickDialFileBytes);
  if (read.error) return read;
  const std::size_t end = bytes.find_first_of("\r\n");
  std::string line = bytes.substr(0, end);
  // The Mac program wrote Mac Roman; this one writes UTF-8.
  if (IsUtf8(bytes)) line = platform::MacRomanFromUtf8(line);
  if (line.size() > kMaxDialString) line.resize(kMaxDialString);
  read.number = line;
  return read;
}

int WriteQuickDialFile(platform::Files& files, const std::string& path, std::string_view number) {
  const std::string_view line = number.substr(0, number.find_first_of("\r\n"));
  return files.ReplaceFile(path, platform::Utf8FromMacRoman(line) + "\n");
}

std::vector<QuickDialService> ListQuickDialServices(const std::string& folder) {
  std::vector<QuickDialService> services;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string file = it->path().filename().string();
    std::error_code fec;
    if (!EndsWith(file, kQuickDialServiceExtension) || !it->is_regular_file(fec)) continue;
    const std::string name = file.substr(0, file.size() - std::string_view(kQuickDialServiceExtension).size());
    if (name.empty()) continue;
    services.push_back({platform::MacRomanFromUtf8(name), it->path().string()});
  }
  std::sort(services.begin(), services.end(),
            [](const QuickDialService& a, const QuickDialService& b) { return a.name < b.name; });
  return services;
}

std::string QuickDialServicePath(const std::string& folder, const std::string& name) {
  if (name.empty() || name == "." || name == ".." || name.size() > 200) return {};
  for (const char c : name) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '/' || u < 0x20 || u == 0x7F) return {};
  }
  return folder + platform::Utf8FromMacRoman(name) + kQuickDialServiceExtension;
}

int DeleteQuickDialService(platform::Files& files, const std::string& path) {
  if (!EndsWith(path, kQuickDialServiceExtension)) return EPERM;
  return files.RemoveFile(path);
}

}  // namespace korvane
