// Telling the program's documents apart without type codes: by name, by
// extension, and by what the lines hold.

#include "settings/FileKinds.h"

#include <gtest/gtest.h>

#include <string>

#include "TemporaryFolders.h"
#include "platform/posix/PosixFiles.h"

namespace korvane {
namespace {

using testing_support::TemporaryFolders;

std::string Lines(int count, const char* end, const std::string& line65 = "") {
  std::string bytes;
  for (int i = 1; i <= count; ++i) bytes += (i == 65 ? line65 : "line " + std::to_string(i)) + end;
  return bytes;
}

TEST(FileKindByName, ExtensionsAndTheProgramsOwnNames) {
  const std::pair<const char*, FileKind> cases[] = {
      {"/docs/Host A.kvst", FileKind::Settings},
      {"/docs/HOST A.KVST", FileKind::Settings},
      {"/docs/Office.kvdial", FileKind::QuickDial},
      {"/docs/Wyse keys.kvfkey", FileKind::FunctionKeys},
      {"/prefs/defaults", FileKind::Settings},
      {"/prefs/KorvaneSettings", FileKind::Settings},
      {"/prefs/TempSettingsKV  48", FileKind::Settings},
      {"/prefs/Quickdial", FileKind::QuickDial},
      {"/prefs/Fkeydefaults", FileKind::FunctionKeys},
      {"/res/International", FileKind::Other},
      {"/docs/notes.txt", FileKind::Other},
      {"/docs/x.kvst/inner", FileKind::Other},
      {"Local Shell", FileKind::Other},
  };
  for (const auto& [path, kind] : cases) EXPECT_EQ(FileKindByName(path), kind) << path;
}

TEST(FileKindByContent, TheLinesTellTheKind) {
  const std::pair<std::string, FileKind> cases[] = {
      {Lines(241, "\n", " 9600"), FileKind::Settings},
      {Lines(241, "\r", "-1"), FileKind::Settings},
      {Lines(241, "\r\n", "   0"), FileKind::Settings},
      {Lines(100, "\n", "9600"), FileKind::Settings},  // an older, shorter file
      {Lines(241, "\n", "Wyse 60"), FileKind::Other},  // no number where the settings start
      {Lines(64, "\n"), FileKind::FunctionKeys},
      {Lines(64, "\r"), FileKind::FunctionKeys},
      {Lines(63, "\n") + "last line without its end", FileKind::FunctionKeys},
      {Lines(63, "\n"), FileKind::Other},
      {"555-1234\r", FileKind::QuickDial},
      {"9,1 (800) 555-0100#\n", FileKind::QuickDial},
      {"T555 1234", FileKind::QuickDial},
      {"ATDT5551234\r", FileKind::Other},
      {"hello\n", FileKind::Other},
      {"555-1234\r555-9999\r", FileKind::Other},
      {"", FileKind::Other},
  };
  for (const auto& [bytes, kind] : cases) EXPECT_EQ(FileKindByContent(bytes), kind) << bytes.substr(0, 40);
}

TEST(FileKindOf, FilesWithoutAnExtensionAreReadAndOthersAreNot) {
  TemporaryFolders t;
  platform::PosixFiles files;
  // The program's own settings document and one brought from a Mac.
  EXPECT_EQ(FileKindOf(std::string(KORVANE_RESOURCES_DIR) + "/Local Shell", files), FileKind::Settings);
  EXPECT_EQ(FileKindOf(std::string(KORVANE_SETTINGS_TEST_DATA) + "/mac-settings", files), FileKind::Settings);
  EXPECT_EQ(FileKindOf(std::string(KORVANE_SETTINGS_TEST_DATA) + "/garbage.bin", files), FileKind::Other);

  TemporaryFolders::Write(t.home + "/Office", "555-1234\r");
  EXPECT_EQ(FileKindOf(t.home + "/Office", files), FileKind::QuickDial);
  // The extension decides without a look inside.
  TemporaryFolders::Write(t.home + "/Office.kvfkey", "555-1234\r");
  EXPECT_EQ(FileKindOf(t.home + "/Office.kvfkey", files), FileKind::FunctionKeys);
  TemporaryFolders::Write(t.home + "/International", Lines(241, "\n", "1"));
  EXPECT_EQ(FileKindOf(t.home + "/International", files), FileKind::Other);
  EXPECT_EQ(FileKindOf(t.home + "/missing", files), FileKind::Other);
  EXPECT_EQ(FileKindOf(t.home, files), FileKind::Other);
  EXPECT_EQ(FileKindOf("", files), FileKind::Other);
}

}  // namespace
}  // namespace korvane
