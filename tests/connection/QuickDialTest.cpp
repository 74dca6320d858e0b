// The QuickDial file and the service files.

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

#include "connection/QuickDial.h"
#include "fakes/MemoryFiles.h"

namespace korvane {
namespace {

TEST(QuickDialFile, ReadsTheFirstLineOfEitherForm) {
  const struct {
    const char* bytes;
    const char* number;
  } cases[] = {
      {"555-1234\n", "555-1234"},
      {"555-1234\r", "555-1234"},  // written by the Mac program
      {"555-1234\r\nsecond line\r\n", "555-1234"},
      {"555-1234", "555-1234"},            // no line end at all
      {"9,555 \xC3\xA9\n", "9,555 \x8E"},  // UTF-8, kept as Mac Roman
      {"9,555 \x8E\r", "9,555 \x8E"},      // Mac Roman as it was
      {"\n555", ""},
  };
  for (const auto& c : cases) {
    fakes::MemoryFiles files;
    files.files["/prefs/Quickdial"] = c.bytes;
    const QuickDialNumber read = ReadQuickDialFile(files, QuickDialFilePath("/prefs/"));
    EXPECT_EQ(read.error, 0);
    EXPECT_EQ(read.number, c.number) << c.bytes;
  }
}

TEST(QuickDialFile, ALongLineIsCutTo255AndAMissingFileSaysSo) {
  fakes::MemoryFiles files;
  files.files["/prefs/Quickdial"] = std::string(300, '5') + "\n";
  EXPECT_EQ(ReadQuickDialFile(files, "/prefs/Quickdial").number, std::string(255, '5'));
  files.files.clear();
  const QuickDialNumber missing = ReadQuickDialFile(files, "/prefs/Quickdial");
  EXPECT_EQ(missing.error, ENOENT);
  EXPECT_EQ(missing.number, "");
}

TEST(QuickDialFile, WritesOneUtf8LineAndKeepsTheOldFileWhenTheWriteFails) {
  fakes::MemoryFiles files;
  EXPECT_EQ(WriteQuickDialFile(files, "/prefs/Quickdial", "9,555 \x8E\rtyped on"), 0);
  EXPECT_EQ(files.files["/prefs/Quickdial"], "9,555 \xC3\xA9\n");
  EXPECT_EQ(ReadQuickDialFile(files, "/prefs/Quickdial").number, "9,555 \x8E");

  files.failWrites.insert("/prefs/Quickdial");
  EXPECT_EQ(WriteQuickDialFile(files, "/prefs/Quickdial", "555-0000"), EACCES);
  EXPECT_EQ(files.files["/prefs/Quickdial"], "9,555 \xC3\xA9\n");
}

TEST(QuickDialServices, ListsTheServiceFilesOfTheFolderByName) {
  char tmpl[] = "/tmp/korvane-quickdial-XXXXXX";
  const std::string dir = std::string(mkdtemp(tmpl)) + "/";
  for (const char* name : {"Office.kvdial", "Bank.kvdial", "caf\xC3\xA9.kvdial", "notes.txt", ".kvdial"})
    std::ofstream(dir + name) << "555\n";
  std::filesystem::create_directory(dir + "Folder.kvdial");

  const std::vector<QuickDialService> services = ListQuickDialServices(dir);
  std::vector<std::string> names;
  for (const auto& s : services) names.push_back(s.name);
  EXPECT_EQ(names, (std::vector<std::string>{"Bank", "Office", "caf\x8E"}));
  EXPECT_EQ(services[0].path, dir + "Bank.kvdial");
  EXPECT_TRUE(ListQuickDialServices(dir + "absent/").empty());
  std::filesystem::remove_all(dir);
}

TEST(QuickDialServices, NamesMustMakeFileNamesAndOnlyServicesAreDeleted) {
  EXPECT_EQ(QuickDialServicePath("/prefs/QuickDial/", "Office"), "/prefs/QuickDial/Office.kvdial");
  EXPECT_EQ(QuickDialServicePath("/prefs/QuickDial/", "caf\x8E"), "/prefs/QuickDial/caf\xC3\xA9.kvdial");
  for (const std::string& bad :
       std::vector<std::string>{"", ".", "..", "a/b", "../x", "line\nend", std::string(201, 'x')})
    EXPECT_EQ(QuickDialServicePath("/prefs/QuickDial/", bad), "") << bad;

  fakes::MemoryFiles files;
  files.files["/prefs/Quickdial"] = "555\n";
  files.files["/prefs/QuickDial/Office.kvdial"] = "555\n";
  EXPECT_EQ(DeleteQuickDialService(files, "/prefs/Quickdial"), EPERM);
  EXPECT_EQ(DeleteQuickDialService(files, "/prefs/QuickDial/Office.kvdial"), 0);
  EXPECT_EQ(files.files.count("/prefs/Quickdial"), 1u);
  EXPECT_EQ(files.files.count("/prefs/QuickDial/Office.kvdial"), 0u);
}

}  // namespace
}  // namespace korvane
