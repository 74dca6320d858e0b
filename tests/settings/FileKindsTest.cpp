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
  const std::pair<const char*, DocumentKind> cases[] = {
      {"/docs/Host A.kvst", DocumentKind::Settings},
      {"/docs/HOST A.KVST", DocumentKind::Settings},
      {"/docs/Office.kvdial", DocumentKind::QuickDial},
      {"/docs/Wyse keys.kvfkey", DocumentKind::FunctionKeys},
      {"/prefs/defaults", DocumentKind::Settings},
      {"/prefs/KorvaneSettings", DocumentKind::Settings},
      {"/prefs/TempSettingsKV  48", DocumentKind::Settings},
      {"/prefs/Quickdial", DocumentKind::QuickDial},
      {"/prefs/Fkeydefaults", DocumentKind::FunctionKeys},
      {"/res/International", DocumentKind::Other},
      {"/docs/notes.txt", DocumentKind::Other},
      {"/docs/x.kvst/inner", DocumentKind::Other},
      {"Local Shell", DocumentKind::Other},
  };
  for (const auto& [path, kind] : cases) EXPECT_EQ(DocumentKindByName(path), kind) << path;
}

TEST(FileKindByContent, TheLinesTellTheKind) {
  const std::pair<std::string, DocumentKind> cases[] = {
      {Lines(241, "\n", " 9600"), DocumentKind::Settings},
      {Lines(241, "\r", "-1"), DocumentKind::Settings},
      {Lines(241, "\r\n", "   0"), DocumentKind::Settings},
      {Lines(100, "\n", "9600"), DocumentKind::Settings},  // an older, shorter file
      {Lines(241, "\n", "Wyse 60"), DocumentKind::Other},  // no number where the settings start
      {Lines(64, "\n"), DocumentKind::FunctionKeys},
      {Lines(64, "\r"), DocumentKind::FunctionKeys},
      {Lines(63, "\n") + "last line without its end", DocumentKind::FunctionKeys},
      {Lines(63, "\n"), DocumentKind::Other},
      {"555-1234\r", DocumentKind::QuickDial},
      {"9,1 (800) 555-0100#\n", DocumentKind::QuickDial},
      {"T555 1234", DocumentKind::QuickDial},
      {"ATDT5551234\r", DocumentKind::Other},
      {"hello\n", DocumentKind::Other},
      {"555-1234\r555-9999\r", DocumentKind::Other},
      {"", DocumentKind::Other},
  };
  for (const auto& [bytes, kind] : cases) EXPECT_EQ(DocumentKindByContent(bytes), kind) << bytes.substr(0, 40);
}

TEST(FileKindOf, FilesWithoutAnExtensionAreReadAndOthersAreNot) {
  TemporaryFolders t;
  platform::PosixFiles files;
  // The program's own settings document and one brought from a Mac.
  EXPECT_EQ(DocumentKindOf(std::string(KORVANE_RESOURCES_DIR) + "/Local Shell", files), DocumentKind::Settings);
  EXPECT_EQ(DocumentKindOf(std::string(KORVANE_SETTINGS_TEST_DATA) + "/mac-settings", files), DocumentKind::Settings);
  EXPECT_EQ(DocumentKindOf(std::string(KORVANE_SETTINGS_TEST_DATA) + "/garbage.bin", files), DocumentKind::Other);

  TemporaryFolders::Write(t.home + "/Office", "555-1234\r");
  EXPECT_EQ(DocumentKindOf(t.home + "/Office", files), DocumentKind::QuickDial);
  // The extension decides without a look inside.
  TemporaryFolders::Write(t.home + "/Office.kvfkey", "555-1234\r");
  EXPECT_EQ(DocumentKindOf(t.home + "/Office.kvfkey", files), DocumentKind::FunctionKeys);
  TemporaryFolders::Write(t.home + "/International", Lines(241, "\n", "1"));
  EXPECT_EQ(DocumentKindOf(t.home + "/International", files), DocumentKind::Other);
  EXPECT_EQ(DocumentKindOf(t.home + "/missing", files), DocumentKind::Other);
  EXPECT_EQ(DocumentKindOf(t.home, files), DocumentKind::Other);
  EXPECT_EQ(DocumentKindOf("", files), DocumentKind::Other);
}

}  // namespace
}  // namespace korvane
