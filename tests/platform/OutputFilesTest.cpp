// Files that grow as the program runs: replacing, appending and creating
// only new files; what is not a regular file is refused without waiting.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "fakes/FaultyFiles.h"
#include "platform/posix/PosixFiles.h"

namespace korvane::platform {
namespace {

class OutputFilesTest : public ::testing::Test {
 protected:
  OutputFilesTest() {
    std::string pattern = "/tmp/korvane-output-files-XXXXXX";
    if (mkdtemp(pattern.data())) dir = pattern;
  }
  ~OutputFilesTest() override {
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
  }
  static std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  static int Write(Files& to, const std::string& path, OutputMode mode, std::string_view bytes) {
    std::unique_ptr<OutputFile> file;
    if (const int error = to.OpenOutputFile(path, mode, file); error != 0) return error;
    const int error = file->Write(bytes);
    const int closing = file->Close();
    return error != 0 ? error : closing;
  }
  std::string dir;
  PosixFiles files;
};

TEST_F(OutputFilesTest, EachModeTreatsAnExistingFileItsOwnWay) {
  const std::string path = dir + "/capture";
  ASSERT_EQ(Write(files, path, OutputMode::Append, "one "), 0);
  ASSERT_EQ(Write(files, path, OutputMode::Append, std::string("two\0", 4)), 0);
  EXPECT_EQ(Contents(path), std::string("one two\0", 8));
  EXPECT_EQ(Write(files, path, OutputMode::CreateNew, "x"), EEXIST);
  EXPECT_EQ(Contents(path), std::string("one two\0", 8));
  ASSERT_EQ(Write(files, path, OutputMode::Replace, "new"), 0);
  EXPECT_EQ(Contents(path), "new");
  ASSERT_EQ(Write(files, dir + "/fresh", OutputMode::CreateNew, "made"), 0);
  EXPECT_EQ(Contents(dir + "/fresh"), "made");
}

TEST_F(OutputFilesTest, FoldersAndPipesAreRefusedAtOnce) {
  std::unique_ptr<OutputFile> file;
  EXPECT_EQ(files.OpenOutputFile(dir, OutputMode::Append, file), EISDIR);
  const std::string fifo = dir + "/pipe";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  // No reader: a blocking open would wait for ever.
  EXPECT_NE(files.OpenOutputFile(fifo, OutputMode::Replace, file), 0);
  EXPECT_EQ(file, nullptr);
  EXPECT_EQ(files.OpenOutputFile(dir + "/no/such/folder", OutputMode::Append, file), ENOENT);
}

TEST_F(OutputFilesTest, AWriteThatFailsHalfWayLeavesWhatReachedTheFile) {
  fakes::FaultyFiles faulty;
  faulty.fault = fakes::FaultyFiles::Fault::FailHalfWay;
  const std::string path = dir + "/half";
  EXPECT_EQ(Write(faulty, path, OutputMode::Replace, "12345678"), ENOSPC);
  EXPECT_EQ(Contents(path), "1234");
}

}  // namespace
}  // namespace korvane::platform
