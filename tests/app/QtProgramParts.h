#pragma once
// What the tests of the real program (offscreen Qt) share: the program's own
// interface description and whole-file reads and writes.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/InterfaceDescription.h"
#include "platform/qt/InterfaceFile.h"

namespace korvane::testing_support {

// The menus and windows of resources/interface.json, as the program loads them.
inline platform::InterfaceDescription ProgramInterface() {
  platform::InterfaceDescription d;
  std::string error;
  EXPECT_TRUE(platform::LoadInterfaceDescription(KORVANE_RESOURCES "/interface.json", d, error)) << error;
  return d;
}

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// Writes `bytes` as the whole file, making its folders first.
inline void WriteFile(const std::string& path, const std::string& bytes) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace korvane::testing_support
