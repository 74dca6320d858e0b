#pragma once
// A folder of its own for each test, removed afterwards, with the small file
// helpers the output tests share.

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace korvane::testing_support {

class TempFolder {
 public:
  TempFolder() {
    std::string pattern = "/tmp/korvane-output-XXXXXX";
    if (mkdtemp(pattern.data())) path = pattern;
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  std::string operator/(const std::string& name) const { return path + "/" + name; }
  std::string path;
};

inline std::string Contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

inline bool Exists(const std::string& path) { return std::filesystem::exists(path); }

}  // namespace korvane::testing_support
