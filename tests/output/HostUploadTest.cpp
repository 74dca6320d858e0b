// The files a host may ask to be sent: names that stay in the Documents
// folder and end in ".txt", and every other name refused before anything is
// read.

#include "output/HostUpload.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "TempFolder.h"

namespace korvane::output {
namespace {

using testing_support::TempFolder;
using testing_support::WriteFile;
using Result = UploadFile::Result;

class HostUploadTest : public ::testing::Test {
 protected:
  TempFolder home;
  std::string documents = home / "Documents";
  HostUploadTest() {
    namespace fs = std::filesystem;
    fs::create_directories(documents + "/pick");
    fs::create_directories(documents + "/data");
    fs::create_directories(home / ".ssh");
    WriteFile(documents + "/pick/a.txt", "a\n");
    WriteFile(documents + "/data/x.txt", "x\n");
    WriteFile(home / ".ssh/id.txt", "secret\n");
    WriteFile(home / "outside.txt", "outside\n");
    fs::create_symlink(home / "outside.txt", documents + "/pick/link.txt");
    fs::create_symlink(documents + "/data/x.txt", documents + "/pick/inner.txt");
    fs::create_directories(documents + "/pick/folder.txt");
  }
};

TEST_F(HostUploadTest, NamesAreTurnedAsTheHostWritesThem) {
  EXPECT_EQ(NormaliseUploadName("C:\\data\\x.txt"), "data:x.txt");
  EXPECT_EQ(NormaliseUploadName("data/x.txt"), "data:x.txt");
  EXPECT_EQ(NormaliseUploadName("a.txt"), "a.txt");
}

TEST_F(HostUploadTest, OnlyPlainTextFilesOfTheDocumentsFolderAreFound) {
  struct Case {
    const char* name;
    std::string hostName;
    Result result;
    std::string path;  // expected when Found or NotFound
  };
  const Case cases[] = {
      {"bare name in pick", "a.txt", Result::Found, documents + "/pick/a.txt"},
      {"drive letter path", "C:\\data\\x.txt", Result::Found, documents + "/data/x.txt"},
      {"slashes", "data/x.txt", Result::Found, documents + "/data/x.txt"},
      {"a link that stays inside", "inner.txt", Result::Found, documents + "/data/x.txt"},
      {"missing file", "b.txt", Result::NotFound, documents + "/pick/b.txt"},
      {"no .txt", "report.doc", Result::NoTxt, ""},
      {".txt not at the end", "a.txt.key", Result::NoTxt, ""},
      {"parent step", "../.ssh/id.txt", Result::Refused, ""},
      {"parent step in the middle", "data/../../.ssh/id.txt", Result::Refused, ""},
      {"colon parent step", "data::.ssh:id.txt", Result::Refused, ""},
      {"leading colon", ":outside.txt", Result::Refused, ""},
      {"absolute path", "/etc/passwd.txt", Result::Refused, ""},
      {"dot folder", "./a.txt", Result::Refused, ""},
      {"control byte",
       "a\x1c"
       "c.txt",
       Result::Refused, ""},
      {"escape byte", "\x1b[2Ja.txt", Result::Refused, ""},
      {"link leading out", "link.txt", Result::Refused, ""},
      {"a folder", "folder.txt", Result::Refused, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const UploadFile f = ResolveUploadName(c.hostName, documents);
    EXPECT_EQ(f.result, c.result);
    if (c.result == Result::Found || c.result == Result::NotFound) {
      EXPECT_EQ(f.path, c.path);
    }
    if (c.result == Result::Refused) {
      EXPECT_TRUE(f.path.empty());
    }
  }
}

TEST_F(HostUploadTest, WithoutADocumentsFolderNothingIsFound) {
  EXPECT_EQ(ResolveUploadName("a.txt", "").result, Result::Refused);
}

}  // namespace
}  // namespace korvane::output
