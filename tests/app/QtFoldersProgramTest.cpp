// The program's start-up on disk, offscreen with every Qt service (alerts
// answered by the test) and a home folder of the test's own: what an empty
// home folder gets, that a second start changes nothing, and a settings
// folder on a read-only or a full file system (a tmpfs of the test's own,
// when this user may mount one).

#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/stat.h>

#include <QAction>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "ProgramOnDisk.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;

std::string Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void Write(const std::string& path, const std::string& bytes) {
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

// Every file and folder under `root`: its kind, permissions, size, contents
// and time of last change, by path relative to the root.
std::map<std::string, std::string> Snapshot(const std::string& root) {
  std::map<std::string, std::string> out;
  for (const auto& e : fs::recursive_directory_iterator(root)) {
    struct stat st {};
    lstat(e.path().c_str(), &st);
    std::ostringstream s;
    // A folder's own time follows what is made or removed in it: its list
    // of names tells that.
    s << (S_ISDIR(st.st_mode) ? "folder " : "file ") << std::oct << (st.st_mode & 07777) << std::dec;
    if (S_ISREG(st.st_mode))
      s << " " << st.st_size << " " << st.st_mtim.tv_sec << "." << st.st_mtim.tv_nsec << " [" << Read(e.path()) << "]";
    out[fs::relative(e.path(), root).string()] = s.str();
  }
  return out;
}

class QtFoldersProgram : public ::testing::Test {
 protected:
  QTemporaryDir folder;
  std::string home = folder.path().toStdString();
  std::vector<std::string> mounted;

  void SetUp() override {
    // The user's own folders only: the defaults under the home folder.
    setenv("HOME", home.c_str(), 1);
    for (const char* v : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_DOCUMENTS_DIR", "XDG_DESKTOP_DIR"}) unsetenv(v);
  }
  void TearDown() override {
    for (auto it = mounted.rbegin(); it != mounted.rend(); ++it) umount2(it->c_str(), MNT_DETACH);
  }
  std::string Settings(const std::string& name) const { return home + "/.config/korvane/" + name; }
  // A tmpfs of `kilobytes` at `path`; false when this user may not mount.
  bool MountSmallFileSystem(const std::string& path, int kilobytes) {
    fs::create_directories(path);
    const std::string options = "size=" + std::to_string(kilobytes) + "k,mode=0700";
    if (mount("tmpfs", path.c_str(), "tmpfs", 0, options.c_str()) != 0) return false;
    mounted.push_back(path);
    return true;
  }
};

TEST_F(QtFoldersProgram, AnEmptyHomeGetsTheProgramsFoldersAndFilesAndASecondStartChangesNothing) {
  {
    Program first;
    EXPECT_TRUE(first.alerts.shown.empty()) << first.AlertTexts();
    ASSERT_NE(first.app->windows.Find(platform::kSessionWindowBase), nullptr);
  }
  std::map<std::string, std::string> after = Snapshot(home);
  std::vector<std::string> names;
  for (const auto& [name, what] : after) names.push_back(name + " " + what.substr(0, what.find(' ', 7)));
  const std::string windowFile = ".config/korvane/TempSettingsKV  48";
  // The settings folder is the user's alone; the Pick transfer file and the
  // QuickDial file exist, empty; "defaults" and "Fkeydefaults" wait for the
  // first save; the window's own settings file lives while the window does
  // (this program was not quit, so it is still there).
  EXPECT_EQ(names, (std::vector<std::string>{
                       ".config folder 700",
                       ".config/korvane folder 700",
                       ".config/korvane/Quickdial file 644",
                       ".config/korvane/TempSettingsKV  48 file 644",
                       ".local folder 700",
                       ".local/share folder 700",
                       ".local/share/korvane folder 700",
                       ".local/share/korvane/kermit folder 700",
                       "Documents folder 700",
                       "Documents/pick folder 700",
                       "Documents/pick/ft.txt file 644",
                   }));
  EXPECT_EQ(Read(Settings("Quickdial")), "");
  EXPECT_EQ(Read(home + "/Documents/pick/ft.txt"), "");

  // What the first start made is not made again, rewritten or moved.
  after.erase(windowFile);
  {
    Program second;
    EXPECT_TRUE(second.alerts.shown.empty()) << second.AlertTexts();
  }
  std::map<std::string, std::string> again = Snapshot(home);
  again.erase(windowFile);
  EXPECT_EQ(again, after);
}

TEST_F(QtFoldersProgram, AnOlderSettingsFolderIsCopiedOnceAndKeptAsItWas) {
  // A settings folder brought from a Mac with its Library folder.
  const std::string older = home + "/Library/Application Support/Korvane/Korvane Prefs/";
  const std::vector<std::string> names = {"defaults", "Fkeydefaults", "KorvaneSettings", "Page Setup", "Quickdial"};
  for (const std::string& n : names) Write(older + n, "the Mac's " + n + "\r");
  Write(older + "TempSettingsKV  49", "a window of the Mac's\r");
  {
    Program program;
    EXPECT_TRUE(program.alerts.shown.empty()) << program.AlertTexts();
  }
  for (const std::string& n : names) {
    SCOPED_TRACE(n);
    EXPECT_EQ(Read(Settings(n)), "the Mac's " + n + "\r");
    EXPECT_EQ(Read(older + n), "the Mac's " + n + "\r");
  }
  // Only the five are the settings of a user; a window's file is not.
  EXPECT_FALSE(fs::exists(Settings("TempSettingsKV  49")));

  // Copied once: what the user changes afterwards stays.
  Write(Settings("Quickdial"), "555 0100\n");
  {
    Program again;
    EXPECT_TRUE(again.alerts.shown.empty()) << again.AlertTexts();
  }
  EXPECT_EQ(Read(Settings("Quickdial")), "555 0100\n");
}

TEST_F(QtFoldersProgram, AReadOnlySettingsFolderIsReportedAndLosesNothing) {
  const std::string settings = home + "/.config/korvane";
  if (!MountSmallFileSystem(settings, 64)) GTEST_SKIP() << "this user may not mount a file system";
  const std::string mine = "the user's own settings\n";
  Write(Settings("KorvaneSettings"), mine);
  ASSERT_EQ(mount("tmpfs", settings.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, "size=64k,mode=0700"), 0)
      << strerror(errno);
  Program program;
  // Told once, with the file that could not be made and why.
  ASSERT_FALSE(program.alerts.shown.empty());
  EXPECT_EQ(program.alerts.shown[0].kind, platform::AlertKind::Stop);
  EXPECT_NE(program.alerts.shown[0].text.find("could not prepare its settings folder"), std::string::npos)
      << program.AlertTexts();
  EXPECT_NE(program.alerts.shown[0].text.find("Quickdial: Read-only file system"), std::string::npos)
      << program.AlertTexts();
  // The session window opens all the same, and the user's file is as it was.
  EXPECT_NE(program.app->windows.Find(platform::kSessionWindowBase), nullptr);
  EXPECT_EQ(Read(Settings("KorvaneSettings")), mine);
}

TEST_F(QtFoldersProgram, AFullSettingsFolderIsReportedAndLosesNothing) {
  const std::string settings = home + "/.config/korvane";
  if (!MountSmallFileSystem(settings, 16)) GTEST_SKIP() << "this user may not mount a file system";
  const std::string keys = std::string(64, '\n');
  Write(Settings("Fkeydefaults"), keys);
  // An older settings folder to copy from, and the rest of the file system
  // taken by a file of the user's.
  const std::string older = home + "/.config/Tessamine Software Prefs/Korvane Prefs/";
  const std::string defaults = std::string(8192, 'd');
  Write(older + "defaults", defaults);
  Write(older + "Quickdial", "555 0100\n");
  {
    std::ofstream filler(Settings("filler"), std::ios::binary);
    const std::string block(1024, 'x');
    while (filler.write(block.data(), block.size()) && filler.flush()) {
    }
  }
  Program program;
  // The copy and the window's own file are reported, each with its reason.
  ASSERT_FALSE(program.alerts.shown.empty());
  EXPECT_EQ(program.alerts.shown[0].kind, platform::AlertKind::Stop);
  const std::string texts = program.AlertTexts();
  EXPECT_NE(texts.find("could not be copied"), std::string::npos) << texts;
  EXPECT_NE(texts.find("No space left on device"), std::string::npos) << texts;
  EXPECT_NE(program.app->windows.Find(platform::kSessionWindowBase), nullptr);
  // Nothing lost, nothing half-written: the user's keys and the older folder
  // as they were, and no "defaults" to mark a copy that did not happen.
  EXPECT_EQ(Read(Settings("Fkeydefaults")), keys);
  EXPECT_EQ(Read(older + "defaults"), defaults);
  EXPECT_FALSE(fs::exists(Settings("defaults")));
  for (const auto& e : fs::directory_iterator(settings)) {
    const std::string name = e.path().filename();
    if (name == "Fkeydefaults" || name == "filler") continue;
    // Whatever fitted is whole: the QuickDial number, copied.
    EXPECT_EQ(name, "Quickdial");
    EXPECT_EQ(Read(e.path()), "555 0100\n");
  }
}

TEST_F(QtFoldersProgram, ALockFileFreezesTheSettingsAndPreferencesShowsItInstead) {
  // An administrator's lock beside the settings folder: the RTF one is
  // refused with a note, the text one locks.
  Write(home + "/.config/Lock KV Prefs.rtf", "{\\rtf1 locked}");
  Write(home + "/.config/Lock KV Prefs.txt", "Settings are managed by the office.\n");
  // The desktop's opener, first on PATH, records what it is given.
  const std::string bin = home + "/bin";
  Write(bin + "/xdg-open", "#!/bin/sh\nprintf '%s\\n' \"$@\" >>\"" + home + "/opened\"\n");
  fs::permissions(bin + "/xdg-open", fs::perms::owner_all);
  const std::string path = getenv("PATH") ? getenv("PATH") : "/usr/bin:/bin";
  setenv("PATH", (bin + ":" + path).c_str(), 1);

  Program program;
  ASSERT_EQ(program.alerts.shown.size(), 1u) << program.AlertTexts();
  EXPECT_EQ(program.alerts.shown[0].kind, platform::AlertKind::Note);
  EXPECT_EQ(program.alerts.shown[0].text, "Lock KV Prefs cannot be an RTF file.\rMust be a text file.");

  // Korvane > Preferences opens the lock file for the user to read, and no
  // settings window.
  program.qt->menus.Action(platform::kAppMenu, 2)->trigger();
  QElapsedTimer t;
  t.start();
  while (!fs::exists(home + "/opened") && t.elapsed() < 10000) program.app->Turn();
  setenv("PATH", path.c_str(), 1);
  EXPECT_EQ(Read(home + "/opened"), home + "/.config/Lock KV Prefs.txt\n");
  EXPECT_EQ(program.qt->windows.TopLevel(18), nullptr);
}

}  // namespace
}  // namespace korvane
