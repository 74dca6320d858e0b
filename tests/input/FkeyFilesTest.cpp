// The function-key files the program carries, one per emulation: each key
// sends what that terminal's key sends (the codes its terminal description
// names), read and expanded as a session without keys of its own gets them.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "KeyFixture.h"
#include "settings/FunctionKeys.h"
#include "settings/SettingsText.h"

namespace korvane::testing {
namespace {

struct FileCase {
  EmulationKind kind;
  const char* file;
  std::string f1, f10, shiftF1;  // "" for a key the terminal does not have
};

const FileCase kFiles[] = {
    {EmulationKind::Vt100, "VT100 Fkeys", "\x1bOP", "\x1bOx", ""},
    {EmulationKind::Vt220, "VT220 Fkeys", "\x1bOP", "\x1b[21~", ""},
    {EmulationKind::Wyse50, "Wyse 50 Fkeys", "\x01@\r", "\x01I\r", "\x01`\r"},
    {EmulationKind::Wyse60, "Wyse 60 Fkeys", "\x01@\r", "\x01I\r", "\x01`\r"},
    {EmulationKind::Wyse370, "Wyse 370 Fkeys", "\x01@\r", "\x01I\r", "\x01`\r"},
    {EmulationKind::Tvi925, "TeleVideo 925 Fkeys", "\x01@\r", "\x01I\r", "\x01`\r"},
    {EmulationKind::Viewpoint, "Viewpoint Fkeys",
     "\x02"
     "1\r",
     "\x02:\r", "\x02!\r"},
    {EmulationKind::Prism, "Prism Fkeys",
     "\x02"
     "1\r",
     "\x02:\r", "\x02!\r"},
};

std::string ReadResource(const std::string& name) {
  std::ifstream in(std::string(KORVANE_RESOURCES) + "/Fkeys/" + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class FkeyFiles : public KeyFixture {};

TEST_F(FkeyFiles, EachEmulationsFileSendsItsTerminalsCodes) {
  for (const FileCase& c : kFiles) {
    Emulate(c.kind);
    ASSERT_EQ(BundledFunctionKeyFile(s.Opt), c.file);
    const std::string bytes = ReadResource(c.file);
    ASSERT_FALSE(bytes.empty()) << c.file << " is missing";
    SettingsLineReader reader(bytes);
    for (int k = 1; k <= 32; ++k) s.Opt.FkeyStrings[static_cast<size_t>(k)] = reader.ReadLine();
    for (int k = 1; k <= 16; ++k) s.Opt.FkeyTitles[static_cast<size_t>(k)] = reader.ReadLine();
    for (int k = 1; k <= 16; ++k) s.Opt.ShiftFkeyTitles[static_cast<size_t>(k)] = reader.ReadLine();
    EXPECT_FALSE(reader.Error()) << c.file << " has fewer than 64 lines";
    EXPECT_EQ(FunctionKey(1), c.f1) << c.file;
    EXPECT_EQ(FunctionKey(10), c.f10) << c.file;
    EXPECT_EQ(FunctionKey(17), c.shiftF1) << c.file;
    for (int k = 1; k <= 16; ++k) {
      EXPECT_EQ(s.Opt.FkeyTitles[static_cast<size_t>(k)], PadLabel("F" + std::to_string(k))) << c.file;
      EXPECT_EQ(s.Opt.ShiftFkeyTitles[static_cast<size_t>(k)], PadLabel("SF" + std::to_string(k))) << c.file;
    }
  }
}

}  // namespace
}  // namespace korvane::testing
