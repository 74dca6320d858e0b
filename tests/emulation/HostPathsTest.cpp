// Paths a host or a script names, in every form, on a temporary HOME: each
// becomes a local path through the one translation, and the confinement
// refuses whatever would reach outside the feature's folder.

#include "emulation/HostPaths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "settings/ColonPaths.h"
#include "settings/TemporaryFolders.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;
using testing_support::TemporaryFolders;

class HostPathsTest : public ::testing::Test {
 protected:
  HostPathsTest() {
    setenv("XDG_CONFIG_HOME", (t.root + "/config").c_str(), 1);
    for (const char* d : {"/home/Desktop/sub", "/home/Documents/pick", "/config/korvane", "/outside"})
      fs::create_directories(t.root + d);
    TemporaryFolders::Write(t.root + "/outside/secret", "secret");
    TemporaryFolders::Write(t.home + "/Desktop/note.txt", "note");
    fs::create_directory_symlink(t.root + "/outside", t.home + "/Desktop/out");
    fs::create_symlink(t.root + "/outside/secret", t.home + "/Desktop/secret-link");
    folders.home = t.home;
    folders.desktop = t.home + "/Desktop";
    folders.documents = t.home + "/Documents";
    folders.resources = t.root + "/resources";
    user = FolderMap::ForThisUser().user;
  }
  TemporaryFolders t;
  HostFolders folders;
  std::string user;
};

TEST_F(HostPathsTest, EveryFormLandsInTheUsersFoldersOrIsRefused) {
  struct Case {
    std::string hostPath;
    PathCheck check;
    std::string inside;  // the resolved path, relative to the root, when Inside
  };
  const std::string mine = "Disk:Users:" + user;
  const Case cases[] = {
      {"UserDesktop\\note.txt", PathCheck::Inside, "/home/Desktop/note.txt"},
      {mine + ":Desktop:note.txt", PathCheck::Inside, "/home/Desktop/note.txt"},
      {"Macintosh HD:Users:" + user + ":desktop:sub:", PathCheck::Inside, "/home/Desktop/sub"},
      // Separators of either kind once the path is a Mac one.
      {"Macintosh HD:Users\\" + user + "/Documents\\pick\\ft.txt", PathCheck::Inside, "/home/Documents/pick/ft.txt"},
      // Without a colon it is a relative path of the host's own.
      {"Macintosh HD\\Users\\x", PathCheck::Inside, "/home/Macintosh HD/Users/x"},
      {"notes.txt", PathCheck::Inside, "/home/notes.txt"},
      // Steps up, in both notations.
      {"../../outside/secret", PathCheck::ParentStep, ""},
      {"UserDesktop/../../outside/secret", PathCheck::ParentStep, ""},
      {mine + ":..:..:outside:secret", PathCheck::BadName, ""},
      {mine + "::outside:secret", PathCheck::BadName, ""},
      {"Disk::", PathCheck::BadName, ""},
      // Absolute paths elsewhere.
      {"/etc/passwd", PathCheck::Outside, ""},
      {"BootVolume/etc/passwd", PathCheck::Outside, ""},
      {"C:\\Windows\\system.ini", PathCheck::Outside, ""},
      {"Disk:etc:passwd", PathCheck::Outside, ""},
      {"Disk:Users:someone-else:Desktop:x", PathCheck::Outside, ""},
      {"BootVolume" + t.root + "/outside/secret", PathCheck::Outside, ""},
      // The Preferences folder is not in the home folder here.
      {mine + ":Library:Preferences:korvane:x", PathCheck::Outside, ""},
      // Links that lead out.
      {"UserDesktop/out/secret", PathCheck::Outside, ""},
      {"UserDesktop/secret-link", PathCheck::Outside, ""},
      {mine + ":Desktop:out:secret", PathCheck::Outside, ""},
      // NUL and control characters.
      {std::string("UserDesktop/note.txt\0/../../outside/secret", 42), PathCheck::BadName, ""},
      {"UserDesktop/note\t.txt", PathCheck::BadName, ""},
      {mine + ":Desktop:note\x1b.txt", PathCheck::BadName, ""},
      {"note\r.txt", PathCheck::BadName, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.hostPath);
    const std::string local = ConvertHostPath(c.hostPath, folders, folders.home);
    std::string resolved;
    EXPECT_EQ(ConfineToFolder(local, folders.home, resolved), c.check) << local;
    if (c.check == PathCheck::Inside)
      EXPECT_EQ(resolved, fs::weakly_canonical(t.root + c.inside).string());
    else
      EXPECT_TRUE(resolved.empty());
  }
  EXPECT_EQ(TemporaryFolders::Read(t.root + "/outside/secret"), "secret");
}

TEST_F(HostPathsTest, AScriptsColonPathIsConfinedTheSameWay) {
  const FolderMap map = FolderMap::ForThisUser();
  const std::string documents = map.documents;
  struct Case {
    std::string colon;
    bool inside;
  };
  const Case cases[] = {
      {"Disk:Users:" + user + ":Documents:pick:ft.txt", true},
      {"Disk:Users:" + user + ":Documents:..:..:x", false},
      {"Disk:Users:" + user + ":Desktop:note.txt", false},  // not the transfer folder
      {"Disk:tmp:x", false},
      {"Disk:Users:" + user + ":Documents:x" + std::string(1, '\0') + "y", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.colon);
    const PathResult posix = ColonToPosix(c.colon, map);
    std::string resolved;
    const bool inside = posix.ok() && ConfineToFolder(posix.path, documents, resolved) == PathCheck::Inside;
    EXPECT_EQ(inside, c.inside);
  }
}

}  // namespace
}  // namespace korvane
