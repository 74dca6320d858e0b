// Sessions whose settings define no function key take the keys the program
// carries for their emulation: a start-up without "Fkeydefaults", and a
// settings document without keys.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SettingsFixture.h"
#include "settings/FunctionKeys.h"

namespace korvane::testing_support {
namespace {

struct EmulationCase {
  const char* name;
  int16_t vt100, vt220, viewpoint, wyse50, wyse370, tvi925, prism;
  const char* file;
};

// The emulation flags as a settings file holds them (Wyse 60 is Wyse 50
// line 2; the Wyse models keep the Viewpoint flag).
const EmulationCase kEmulations[] = {
    {"VT100", 1, 0, 0, 0, 0, 0, 0, "VT100 Fkeys"},
    {"VT220", 1, 1, 0, 0, 0, 0, 0, "VT220 Fkeys"},
    {"Viewpoint", 0, 0, 1, 0, 0, 0, 0, "Viewpoint Fkeys"},
    {"Wyse50", 0, 0, 1, 1, 0, 0, 0, "Wyse 50 Fkeys"},
    {"Wyse60", 0, 0, 1, 2, 0, 0, 0, "Wyse 60 Fkeys"},
    {"Wyse370", 0, 0, 1, 2, 1, 0, 0, "Wyse 370 Fkeys"},
    {"TeleVideo925", 0, 0, 1, 0, 0, 1, 0, "TeleVideo 925 Fkeys"},
    {"Prism", 0, 0, 0, 0, 0, 0, 1, "Prism Fkeys"},
};

void SetEmulation(SessionOptions& o, const EmulationCase& c) {
  o.EmuVt100 = c.vt100;
  o.EmuVt220 = c.vt220;
  o.EmuViewpoint = c.viewpoint;
  o.EmuWyse50 = c.wyse50;
  o.EmuWyse60 = 0;
  o.EmuWyse370 = c.wyse370;
  o.EmuTvi925 = c.tvi925;
  o.EmuPrism = c.prism;
}

// The settings lines of a file the program wrote (LF line ends) without its
// function-key part: what a "defaults" file holds.
std::string SettingsPartOf(const std::string& bytes) {
  std::size_t at = 0;
  for (int i = 0; i < kFkeyLineCount; ++i) at = bytes.find('\n', at) + 1;
  return bytes.substr(at);
}

// A function-key file whose every key and label names the file.
std::string KeysNamed(const std::string& file) {
  std::string bytes;
  for (int line = 1; line <= kFkeyLineCount; ++line) bytes += file + " " + std::to_string(line) + "\n";
  return bytes;
}

class BundledKeys : public SettingsTest, public ::testing::WithParamInterface<EmulationCase> {
 protected:
  BundledKeys() {
    for (const EmulationCase& c : kEmulations) host.bundledFunctionKeys[c.file] = KeysNamed(c.file);
  }
  // Settings of the case's emulation, without function keys, written to `path`.
  void WriteSettingsOf(const EmulationCase& c, const std::string& path) {
    auto writer = NewSession();
    writer->settings.SetDefaultSettings();
    SetEmulation(writer->Opt, c);
    for (auto& k : writer->Opt.FkeyStrings) k.clear();
    for (auto& k : writer->Opt.FkeyTitles) k.clear();
    for (auto& k : writer->Opt.ShiftFkeyTitles) k.clear();
    ASSERT_TRUE(writer->settings.WriteSettingsFile(path));
    // "defaults" holds the settings lines only.
    if (path == PathOf(kDefaultsFileName)) WriteFile(path, SettingsPartOf(ReadFile(path)));
    host.bundledFilesAsked.clear();
  }
};

TEST_P(BundledKeys, AStartUpWithoutDefaultKeysTakesTheEmulationsFile) {
  const EmulationCase& c = GetParam();
  WriteSettingsOf(c, PathOf(kDefaultsFileName));
  ASSERT_FALSE(files.Exists(PathOf(kFkeyDefaultsFileName)));
  settings().ReadStartupSettings();
  EXPECT_EQ(host.bundledFilesAsked, std::vector<std::string>{c.file});
  EXPECT_EQ(opt().FkeyStrings[1], std::string(c.file) + " 1");
  EXPECT_EQ(opt().FkeyStrings[10], std::string(c.file) + " 10");
  EXPECT_EQ(opt().FkeyStrings[32], std::string(c.file) + " 32");
  EXPECT_EQ(opt().FkeyTitles[1], std::string(c.file) + " 33");
  EXPECT_EQ(opt().ShiftFkeyTitles[16], std::string(c.file) + " 64");
  EXPECT_EQ(state().FkeysDefined, 1);
}

TEST_P(BundledKeys, ADocumentWithoutKeysTakesItsEmulationsFile) {
  const EmulationCase& c = GetParam();
  WriteSettingsOf(c, home.root + "/document");
  ASSERT_EQ(settings().ReadSettingsDocument(home.root + "/document"), 0);
  EXPECT_EQ(host.bundledFilesAsked, std::vector<std::string>{c.file});
  EXPECT_EQ(opt().FkeyStrings[1], std::string(c.file) + " 1");
}

INSTANTIATE_TEST_SUITE_P(EveryEmulation, BundledKeys, ::testing::ValuesIn(kEmulations),
                         [](const auto& p) { return std::string(p.param.name); });

TEST_F(SettingsTest, TheUsersDefaultKeysAreKeptWhateverTheEmulation) {
  WriteFile(PathOf(kFkeyDefaultsFileName), "mine{CR\n");
  auto writer = NewSession();
  writer->settings.SetDefaultSettings();
  writer->Opt.EmuVt100 = 0;
  writer->Opt.EmuWyse50 = 1;
  writer->Opt.EmuViewpoint = 1;
  ASSERT_TRUE(writer->settings.WriteSettingsFile(PathOf(kDefaultsFileName)));
  WriteFile(PathOf(kDefaultsFileName), SettingsPartOf(ReadFile(PathOf(kDefaultsFileName))));
  host.bundledFilesAsked.clear();
  settings().ReadStartupSettings();
  EXPECT_TRUE(host.bundledFilesAsked.empty());
  EXPECT_EQ(opt().FkeyStrings[1], "mine{CR");
}

TEST_F(SettingsTest, WithoutItsFileASessionGetsTheBuiltInKeys) {
  settings().ReadStartupSettings();
  EXPECT_EQ(host.bundledFilesAsked, std::vector<std::string>{"VT100 Fkeys"});
  SessionOptions builtIn = opt();
  LoadBuiltInKeyLabels(builtIn);
  EXPECT_EQ(opt().FkeyTitles[1], "   F1   ");
  EXPECT_FALSE(opt().FkeyStrings[1].empty());
  EXPECT_EQ(opt().FkeyStrings, builtIn.FkeyStrings);
}

}  // namespace
}  // namespace korvane::testing_support
