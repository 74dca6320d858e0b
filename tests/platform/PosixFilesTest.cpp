// Files and folders on the local file system: atomic replacement, careful
// reading, folder creation and where the settings folder is.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/posix/PosixFiles.h"

namespace korvane::platform {
namespace {

class PosixFilesTest : public ::testing::Test {
 protected:
  PosixFilesTest() {
    std::string pattern = "/tmp/korvane-files-XXXXXX";
    if (mkdtemp(pattern.data())) dir = pattern;
  }
  ~PosixFilesTest() override {
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
  }
  static std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  std::string dir;
  PosixFiles files;
};

TEST_F(PosixFilesTest, ReplacingAFileKeepsItsPermissionsAndLeavesNothingBeside) {
  const std::string path = dir + "/KorvaneSettings";
  std::ofstream(path) << "old";
  chmod(path.c_str(), 0640);
  ASSERT_EQ(files.ReplaceFile(path, "new contents"), 0);
  EXPECT_EQ(Contents(path), "new contents");
  struct stat st {};
  ASSERT_EQ(stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), std::filesystem::directory_iterator()), 1);
}

TEST_F(PosixFilesTest, ALinkedFileStaysLinked) {
  std::filesystem::create_directory(dir + "/dotfiles");
  const std::string real = dir + "/dotfiles/KorvaneSettings", link = dir + "/KorvaneSettings";
  std::ofstream(real) << "old";
  std::filesystem::create_symlink(real, link);
  ASSERT_EQ(files.ReplaceFile(link, "new"), 0);
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(Contents(real), "new");
}

TEST_F(PosixFilesTest, AFolderIsNeverReplaced) {
  std::filesystem::create_directory(dir + "/folder");
  EXPECT_EQ(files.ReplaceFile(dir + "/folder", "x"), EISDIR);
  EXPECT_TRUE(std::filesystem::is_directory(dir + "/folder"));
}

TEST_F(PosixFilesTest, ReadingRefusesWhatIsNoPlainFileOfAReasonableSize) {
  std::ofstream(dir + "/big") << std::string(100, 'x');
  std::filesystem::create_directory(dir + "/folder");
  ASSERT_EQ(mkfifo((dir + "/pipe").c_str(), 0600), 0);  // would block a plain open for reading
  const struct {
    std::string name;
    std::size_t max;
    int error;
  } cases[] = {
      {"big", 100, 0}, {"big", 99, EFBIG}, {"missing", 100, ENOENT}, {"folder", 100, EISDIR}, {"pipe", 100, EINVAL}};
  for (const auto& c : cases) {
    std::string bytes = "stale";
    EXPECT_EQ(files.ReadFile(dir + "/" + c.name, bytes, c.max), c.error) << c.name;
    EXPECT_EQ(bytes.size(), c.error == 0 ? 100u : 0u) << c.name;
  }
}

TEST_F(PosixFilesTest, FoldersAreMadeWithTheirParents) {
  EXPECT_EQ(files.MakeFolders(dir + "/a/b/c"), 0);
  EXPECT_TRUE(std::filesystem::is_directory(dir + "/a/b/c"));
  EXPECT_EQ(files.MakeFolders(dir + "/a/b/c/"), 0);  // existing
  std::ofstream(dir + "/file") << "x";
  EXPECT_EQ(files.MakeFolders(dir + "/file/sub"), ENOTDIR);
  EXPECT_EQ(files.RemoveFile(dir + "/missing"), 0);
}

TEST_F(PosixFilesTest, TheSettingsFolderFollowsXdgConfigHome) {
  setenv("HOME", (dir + "/home/").c_str(), 1);
  setenv("XDG_CONFIG_HOME", (dir + "/cfg").c_str(), 1);
  EXPECT_EQ(files.PreferencesFolderPath(), dir + "/cfg/korvane/");
  setenv("XDG_CONFIG_HOME", "relative/cfg", 1);  // ignored: XDG folders are absolute
  EXPECT_EQ(files.PreferencesFolderPath(), dir + "/home/.config/korvane/");
  unsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(files.PreferencesFolderPath(), dir + "/home/.config/korvane/");
}

}  // namespace
}  // namespace korvane::platform
