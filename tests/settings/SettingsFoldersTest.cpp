// Start-up's folders on a temporary HOME: what is made, the copy of an older
// settings folder, the lock file, and folders that cannot be written.

#include "settings/SettingsFolders.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <set>
#include <string>
#include <vector>

#include "TemporaryFolders.h"
#include "fakes/FakeAlerts.h"
#include "fakes/FaultyFiles.h"
#include "platform/posix/PosixFiles.h"

namespace korvane {
namespace {

using testing_support::TemporaryFolders;

class SettingsFoldersTest : public ::testing::Test {
 protected:
  SettingsFolders Start(platform::Files& with) { return PrepareSettingsFolders(Paths(), with, alerts); }
  SettingsFolders Start() { return Start(files); }
  SettingsFolderPaths Paths() const { return SettingsFolderPaths::From(FolderMap::ForThisUser()); }
  std::string Settings(const std::string& name) const { return t.home + "/.config/korvane/" + name; }
  std::string OldFolder() const { return t.home + "/.config/Tessamine Software Prefs/Korvane Prefs/"; }
  // The older folder with these files, each holding its own name.
  void MakeOldFolder(const std::vector<std::string>& names) const {
    for (const std::string& n : names) TemporaryFolders::Write(OldFolder() + n, "old " + n + "\r");
  }
  std::string AlertTexts() const {
    std::string all;
    for (const auto& a : alerts.shown) all += a.text + "|";
    return all;
  }

  TemporaryFolders t;
  platform::PosixFiles files;
  fakes::FakeAlerts alerts;
};

const std::vector<std::string> kAllFive = {"defaults", "Fkeydefaults", "KorvaneSettings", "Page Setup", "Quickdial"};

TEST_F(SettingsFoldersTest, AnEmptyHomeGetsExactlyTheProgramsFoldersAndFiles) {
  const SettingsFolders found = Start();
  EXPECT_TRUE(alerts.shown.empty()) << AlertTexts();
  std::set<std::string> items;
  for (const auto& [path, what] : t.Snapshot()) items.insert(path);
  const std::set<std::string> expected = {
      "/home",           "/home/.config",        "/home/.config/korvane",       "/home/.config/korvane/Quickdial",
      "/home/.local",    "/home/.local/share",   "/home/.local/share/korvane",  "/home/.local/share/korvane/kermit",
      "/home/Documents", "/home/Documents/pick", "/home/Documents/pick/ft.txt",
  };
  EXPECT_EQ(items, expected);
  struct stat st {};
  ASSERT_EQ(stat(Settings("").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  EXPECT_EQ(TemporaryFolders::Read(Settings("Quickdial")), "");
  EXPECT_EQ(TemporaryFolders::Read(t.home + "/Documents/pick/ft.txt"), "");
  EXPECT_EQ(found.PrefsPath, Settings(""));
  EXPECT_EQ(found.PrefsLocked, 0);
  EXPECT_TRUE(found.Migrated.empty());

  // A second start changes nothing.
  const auto before = t.Snapshot();
  Start();
  EXPECT_EQ(t.Snapshot(), before);
  EXPECT_TRUE(alerts.shown.empty());
}

TEST_F(SettingsFoldersTest, TheXdgFoldersAreUsedWhereTheyAreSet) {
  setenv("XDG_CONFIG_HOME", (t.root + "/cfg").c_str(), 1);
  setenv("XDG_DATA_HOME", (t.root + "/data").c_str(), 1);
  TemporaryFolders::Write(t.root + "/cfg/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n");
  Start();
  EXPECT_TRUE(std::filesystem::is_regular_file(t.root + "/cfg/korvane/Quickdial"));
  EXPECT_TRUE(std::filesystem::is_directory(t.root + "/data/korvane/kermit"));
  EXPECT_TRUE(std::filesystem::is_regular_file(t.home + "/Dokumente/pick/ft.txt"));
  EXPECT_FALSE(std::filesystem::exists(t.home + "/.config"));
  EXPECT_FALSE(std::filesystem::exists(t.home + "/Documents"));
}

TEST_F(SettingsFoldersTest, TheProgramsStartingFoldersGiveTheSamePaths) {
  const FolderMap map = FolderMap::ForThisUser();
  const SettingsFolderPaths a = SettingsFolderPaths::From(map);
  const SettingsFolderPaths b =
      SettingsFolderPaths::FromProgramFolders(map.SettingsFolder() + "/", map.KermitFolder(), map.home, map.documents);
  EXPECT_EQ(a.settingsFolder, b.settingsFolder);
  EXPECT_EQ(a.preferencesFolder, b.preferencesFolder);
  EXPECT_EQ(a.programFolder, b.programFolder);
  EXPECT_EQ(a.kermitFolder, b.kermitFolder);
  EXPECT_EQ(a.documentsFolder, b.documentsFolder);
  EXPECT_EQ(a.homeFolder, b.homeFolder);
}

TEST_F(SettingsFoldersTest, ExistingFilesAreNeverTouched) {
  TemporaryFolders::Write(Settings("Quickdial"), "555-1234\r");
  TemporaryFolders::Write(t.home + "/Documents/pick/ft.txt", "transfer");
  Start();
  EXPECT_EQ(TemporaryFolders::Read(Settings("Quickdial")), "555-1234\r");
  EXPECT_EQ(TemporaryFolders::Read(t.home + "/Documents/pick/ft.txt"), "transfer");
}

// ---- The older settings folder --------------------------------------------------------------

struct MigrationCase {
  const char* name;
  std::vector<std::string> old;       // files of the older folder
  std::vector<std::string> current;   // files already in the settings folder
  std::vector<std::string> migrated;  // copied, in order
};

class Migration : public SettingsFoldersTest, public ::testing::WithParamInterface<MigrationCase> {};

TEST_P(Migration, CopiesOnlyIntoAFolderWithoutDefaultsAndOverwritesNothing) {
  const MigrationCase& c = GetParam();
  MakeOldFolder(c.old);
  for (const std::string& n : c.current) TemporaryFolders::Write(Settings(n), "new " + n);
  const SettingsFolders found = Start();
  EXPECT_EQ(found.Migrated, c.migrated);
  EXPECT_TRUE(found.NotMigrated.empty());
  EXPECT_TRUE(alerts.shown.empty()) << AlertTexts();
  for (const std::string& n : c.migrated) EXPECT_EQ(TemporaryFolders::Read(Settings(n)), "old " + n + "\r") << n;
  for (const std::string& n : c.current) EXPECT_EQ(TemporaryFolders::Read(Settings(n)), "new " + n) << n;
  // The older folder stays as it was.
  for (const std::string& n : c.old) EXPECT_EQ(TemporaryFolders::Read(OldFolder() + n), "old " + n + "\r") << n;
  // Once "defaults" is there, a later start copies nothing more.
  const auto before = t.Snapshot();
  EXPECT_TRUE(Start().Migrated.empty());
  EXPECT_EQ(t.Snapshot(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, Migration,
    ::testing::Values(MigrationCase{"AllFiveIntoAnEmptyFolder",
                                    kAllFive,
                                    {},
                                    {"Fkeydefaults", "KorvaneSettings", "Page Setup", "Quickdial", "defaults"}},
                      MigrationCase{"DefaultsAndQuickdial", {"defaults", "Quickdial"}, {}, {"Quickdial", "defaults"}},
                      MigrationCase{"FolderAlreadyInUse", kAllFive, {"defaults"}, {}},
                      MigrationCase{"NoDefaultsNoCopy", {"Fkeydefaults", "Quickdial"}, {}, {}},
                      MigrationCase{"ANewerQuickdialStays",
                                    kAllFive,
                                    {"Quickdial", "KorvaneSettings"},
                                    {"Fkeydefaults", "Page Setup", "defaults"}}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(SettingsFoldersTest, AMacsLibraryCopiedIntoTheHomeFolderIsFound) {
  const std::string mac = t.home + "/Library/Application Support/Korvane/Korvane Prefs/";
  TemporaryFolders::Write(mac + "defaults", "mac defaults");
  TemporaryFolders::Write(mac + "Fkeydefaults", "mac keys");
  const SettingsFolders found = Start();
  EXPECT_EQ(found.MigratedFrom, t.home + "/Library/Application Support/Korvane/Korvane Prefs");
  EXPECT_EQ(TemporaryFolders::Read(Settings("defaults")), "mac defaults");
  EXPECT_EQ(TemporaryFolders::Read(Settings("Fkeydefaults")), "mac keys");
}

TEST_F(SettingsFoldersTest, AFullDiskLosesNothingAndTheCopyIsTakenUpAgain) {
  MakeOldFolder(kAllFive);
  fakes::FaultyFiles full;
  full.fault = fakes::FaultyFiles::Fault::FailHalfWay;
  full.error = ENOSPC;
  const SettingsFolders found = Start(full);
  EXPECT_TRUE(found.Migrated.empty());
  ASSERT_EQ(alerts.shown.size(), 1u);
  EXPECT_EQ(alerts.shown[0].kind, platform::AlertKind::Stop);
  EXPECT_NE(alerts.shown[0].text.find("could not be copied"), std::string::npos);
  EXPECT_NE(alerts.shown[0].text.find("Quickdial: No space left on device"), std::string::npos);
  // Nothing half-written, no "defaults" to mark the copy done, and no empty
  // QuickDial file in place of the user's number.
  std::set<std::string> left;
  for (const auto& e : std::filesystem::directory_iterator(Settings(""))) left.insert(e.path().filename());
  EXPECT_TRUE(left.empty());
  for (const std::string& n : kAllFive) EXPECT_EQ(TemporaryFolders::Read(OldFolder() + n), "old " + n + "\r");

  alerts.shown.clear();
  const SettingsFolders again = Start();
  EXPECT_EQ(again.Migrated.size(), 5u);
  EXPECT_TRUE(alerts.shown.empty()) << AlertTexts();
  EXPECT_EQ(TemporaryFolders::Read(Settings("Quickdial")), "old Quickdial\r");
}

// Real files, except that nothing can be made or written below one folder,
// as on a file system mounted read-only.
class ReadOnlyBelow final : public platform::PosixFiles {
 public:
  explicit ReadOnlyBelow(std::string folder) : folder_(std::move(folder)) {}
  int MakeFolders(const std::string& path) override {
    if (Below(path) && !Exists(path)) return EROFS;
    return PosixFiles::MakeFolders(path);
  }
  int ReplaceFile(const std::string& path, std::string_view bytes) override {
    return Below(path) ? EROFS : PosixFiles::ReplaceFile(path, bytes);
  }

 private:
  bool Below(const std::string& path) const { return path.rfind(folder_, 0) == 0; }
  std::string folder_;
};

TEST_F(SettingsFoldersTest, AReadOnlySettingsFolderIsReportedAndLosesNothing) {
  TemporaryFolders::Write(Settings("KorvaneSettings"), "mine");
  ReadOnlyBelow readOnly(Settings(""));
  Start(readOnly);
  ASSERT_EQ(alerts.shown.size(), 1u);
  EXPECT_NE(alerts.shown[0].text.find("could not prepare its settings folder"), std::string::npos);
  EXPECT_NE(alerts.shown[0].text.find("Quickdial: Read-only file system"), std::string::npos) << AlertTexts();
  EXPECT_EQ(TemporaryFolders::Read(Settings("KorvaneSettings")), "mine");
  EXPECT_FALSE(std::filesystem::exists(Settings("Quickdial")));

  // An older folder to copy from: the copy is reported, and nothing is made
  // in place of what could not be copied.
  MakeOldFolder(kAllFive);
  alerts.shown.clear();
  Start(readOnly);
  ASSERT_EQ(alerts.shown.size(), 1u);
  EXPECT_NE(alerts.shown[0].text.find("could not be copied"), std::string::npos);
  EXPECT_NE(alerts.shown[0].text.find("Read-only file system"), std::string::npos) << AlertTexts();
  EXPECT_EQ(TemporaryFolders::Read(Settings("KorvaneSettings")), "mine");
  EXPECT_FALSE(std::filesystem::exists(Settings("Quickdial")));
  EXPECT_FALSE(std::filesystem::exists(Settings("defaults")));

  // A settings folder that cannot be made at all.
  std::filesystem::remove_all(t.home + "/.config/korvane");
  alerts.shown.clear();
  ReadOnlyBelow readOnlyConfig(t.home + "/.config");
  Start(readOnlyConfig);
  ASSERT_EQ(alerts.shown.size(), 1u);
  EXPECT_NE(alerts.shown[0].text.find("could not prepare its settings folder"), std::string::npos);
  EXPECT_NE(alerts.shown[0].text.find("Read-only file system"), std::string::npos);
}

// ---- The lock file ------------------------------------------------------------------------------

struct LockCase {
  const char* name;
  std::vector<std::string> files;
  const char* lockFile;  // "" for none
  bool rtfAlert;
};

class LockFile : public SettingsFoldersTest, public ::testing::WithParamInterface<LockCase> {};

TEST_P(LockFile, APlainTextLockFreezesTheSettingsAndAnRtfOneIsRefused) {
  const LockCase& c = GetParam();
  for (const std::string& n : c.files) TemporaryFolders::Write(t.home + "/.config/" + n, "ask the administrator");
  const SettingsFolders found = Start();
  EXPECT_EQ(found.LockFileName, c.lockFile);
  EXPECT_EQ(found.PrefsLocked, c.lockFile[0] ? 1 : 0);
  EXPECT_EQ(found.LockFilePath, c.lockFile[0] ? t.home + "/.config/" + c.lockFile : "");
  if (c.rtfAlert) {
    ASSERT_EQ(alerts.shown.size(), 1u);
    EXPECT_EQ(alerts.shown[0].kind, platform::AlertKind::Note);
    EXPECT_EQ(alerts.shown[0].id, 320);
    EXPECT_EQ(alerts.shown[0].text, "Lock KV Prefs cannot be an RTF file.\rMust be a text file.");
  } else {
    EXPECT_TRUE(alerts.shown.empty()) << AlertTexts();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Settings, LockFile,
    ::testing::Values(LockCase{"None", {}, "", false}, LockCase{"Plain", {"Lock KV Prefs"}, "Lock KV Prefs", false},
                      LockCase{"PlainWinsOverRtf", {"Lock KV Prefs", "Lock KV Prefs.rtf"}, "Lock KV Prefs", false},
                      LockCase{"Text", {"Lock KV Prefs.txt"}, "Lock KV Prefs.txt", false},
                      LockCase{
                          "RtfRefusedThenText", {"Lock KV Prefs.rtf", "Lock KV Prefs.txt"}, "Lock KV Prefs.txt", true},
                      LockCase{"RtfAlone", {"Lock KV Prefs.rtf"}, "", true},
                      // Inside the settings folder it is no lock.
                      LockCase{"InTheSettingsFolder", {"korvane/Lock KV Prefs"}, "", false}),
    [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace korvane
