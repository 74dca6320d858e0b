// Settings documents: "Save Settings as", the per-window files, the names the
// program keeps for itself, documents handed to the program, and saves that
// fail or are cut short.

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>

#include "SettingsFixture.h"

namespace korvane::testing_support {
namespace {

std::vector<std::string> FolderEntries(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& e : std::filesystem::directory_iterator(folder, ec)) names.push_back(e.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

class SaveSettingsAs : public SettingsTest {
 protected:
  void SetUp() override {
    settings().ReadStartupSettings();
    host.calls.clear();
  }
};

TEST_F(SaveSettingsAs, TheFirstWindowWritesKorvaneSettingsInTheSettingsFolder) {
  state().SettingsFileName = kDefaultSettingsFileName;
  opt().TelnetHost = "pick.example";
  ASSERT_TRUE(settings().SaveSettingsAs(48));
  const auto lines = Lines(PathOf(kDefaultSettingsFileName));
  ASSERT_EQ(lines.size(), std::size_t(kFkeyLineCount + kSettingsLineCount));
  EXPECT_EQ(SettingsLineOf(lines, 117), "pick.example");
  EXPECT_EQ(host.calls.back(), "ShowSettingsTitle Korvane Using KorvaneSettings");
}

TEST_F(SaveSettingsAs, ANameChosenInTheDialogIsWrittenAndTitlesTheWindow) {
  state().AskForSettingsName = 1;
  host.chosenName = home.root + "/office";
  ASSERT_TRUE(settings().SaveSettingsAs(48));
  EXPECT_TRUE(files.Exists(home.root + "/office"));
  EXPECT_EQ(state().SettingsFileName, home.root + "/office");
  EXPECT_EQ(state().AskForSettingsName, 0);
  EXPECT_EQ(host.calls, (std::vector<std::string>{"AskSettingsFileName ", "ShowSettingsTitle Korvane Using office"}));

  // The next save goes to the same document without asking.
  opt().SshUser = "operator";
  ASSERT_TRUE(settings().SaveSettingsAs(48));
  EXPECT_EQ(SettingsLineOf(Lines(home.root + "/office"), 125), "operator");
  EXPECT_EQ(std::count(host.calls.begin(), host.calls.end(), "AskSettingsFileName "), 1);
}

TEST_F(SaveSettingsAs, TheReservedNameIsRefusedAndNothingIsWritten) {
  state().AlwaysAskSettingsName = 1;
  state().SettingsFileName = home.root + "/office";
  host.chosenName = home.root + "/KorvaneSettings";
  EXPECT_FALSE(settings().SaveSettingsAs(48));
  ASSERT_EQ(alerts.shown.size(), 1u);
  EXPECT_EQ(alerts.shown[0].text, "KorvaneSettings is a Reserved File Name.\rPlease use a different name");
  EXPECT_FALSE(files.Exists(home.root + "/KorvaneSettings"));
  EXPECT_FALSE(files.Exists(home.root + "/office"));
  EXPECT_EQ(state().SettingsFileName, home.root + "/office");
}

TEST_F(SaveSettingsAs, ACancelledDialogWritesNothing) {
  state().AskForSettingsName = 1;
  host.chosenName.reset();
  EXPECT_FALSE(settings().SaveSettingsAs(48));
  EXPECT_TRUE(FolderEntries(prefs.PrefsFolderPath).empty());
  EXPECT_TRUE(alerts.shown.empty());
  EXPECT_EQ(state().AskForSettingsName, 1);
}

TEST_F(SaveSettingsAs, EachWindowKeepsItsOwnTemporaryFile) {
  EXPECT_EQ(TempSettingsName(48), "TempSettingsKV  48");
  state().SettingsFileName = home.root + "/office";
  prefs.RegisterTempSettingsFile(48);
  ASSERT_TRUE(settings().SaveSettingsAs(48));
  EXPECT_TRUE(files.Exists(PathOf("TempSettingsKV  48")));
  EXPECT_FALSE(files.Exists(home.root + "/office"));

  // A name the user chooses now is where the settings go, as the title says.
  state().AlwaysAskSettingsName = 1;
  host.chosenName = home.root + "/chosen";
  ASSERT_TRUE(settings().SaveSettingsAs(48));
  EXPECT_TRUE(files.Exists(home.root + "/chosen"));

  settings().DeleteTempSettingsFile(48);
  EXPECT_FALSE(files.Exists(PathOf("TempSettingsKV  48")));
  EXPECT_TRUE(prefs.TempSettingsNames[48].empty());
}

TEST_F(SaveSettingsAs, WyseSixtyStaysOnAfterASave) {
  state().SettingsFileName = kDefaultSettingsFileName;
  opt().EmuWyse50 = opt().EmuWyse60 = 1;
  ASSERT_TRUE(settings().SaveSettingsAs(48));
  EXPECT_EQ(SettingsLineOf(Lines(PathOf(kDefaultSettingsFileName)), 22), " 2");
  EXPECT_EQ(opt().EmuWyse50, 1);
  EXPECT_EQ(opt().EmuWyse60, 1);
  auto other = NewSession();
  ASSERT_EQ(other->settings.ReadSettingsDocument(PathOf(kDefaultSettingsFileName)), 0);
  EXPECT_EQ(other->Opt.EmuWyse50, 1);
  EXPECT_EQ(other->Opt.EmuWyse60, 1);
}

// ---- Saves that go wrong ----------------------------------------------------------

class InterruptedSave : public SaveSettingsAs {
 protected:
  void SetUp() override {
    SaveSettingsAs::SetUp();
    state().SettingsFileName = kDefaultSettingsFileName;
    opt().TelnetHost = "old.example";
    ASSERT_TRUE(settings().SaveSettingsAs(48));
    oldBytes = ReadFile(PathOf(kDefaultSettingsFileName));
    opt().TelnetHost = "new.example";
    opt().FkeyStrings[1] = std::string(200, 'k');
  }
  std::string TelnetHostInFile() {
    auto other = NewSession();
    EXPECT_EQ(other->settings.ReadSettingsDocument(PathOf(kDefaultSettingsFileName)), 0);
    return other->Opt.TelnetHost;
  }
  std::string oldBytes;
};

TEST_F(InterruptedSave, AFailedWriteIsReportedAndTheOldFileKept) {
  files.fault = fakes::FaultyFiles::Fault::FailHalfWay;
  EXPECT_FALSE(settings().SaveSettingsAs(48));
  ASSERT_EQ(alerts.shown.size(), 1u);
  EXPECT_EQ(alerts.shown[0].kind, platform::AlertKind::Stop);
  EXPECT_EQ(alerts.shown[0].text, "Could not save file. May be a folder permissions problem.\rKorvaneSettings: " +
                                      platform::FileErrorText(ENOSPC));
  files.fault = fakes::FaultyFiles::Fault::None;
  EXPECT_EQ(ReadFile(PathOf(kDefaultSettingsFileName)), oldBytes);
  // No half-written file is left beside it.
  EXPECT_EQ(FolderEntries(prefs.PrefsFolderPath), (std::vector<std::string>{"KorvaneSettings"}));
  EXPECT_EQ(TelnetHostInFile(), "old.example");
  EXPECT_EQ(opt().TelnetHost, "new.example");  // the session keeps what could not be saved
}

TEST_F(InterruptedSave, AProcessKilledInTheMiddleOfASaveLeavesTheOldFile) {
  const std::string fullBytes = EncodeSettingsFile(settings().WriteFkeysAndSettings(true));
  files.fault = fakes::FaultyFiles::Fault::KillHalfWay;
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    settings().SaveSettingsAs(48);
    _exit(0);  // not killed: the test fails below
  }
  files.fault = fakes::FaultyFiles::Fault::None;
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "the save was not interrupted";

  EXPECT_EQ(ReadFile(PathOf(kDefaultSettingsFileName)), oldBytes);
  EXPECT_EQ(TelnetHostInFile(), "old.example");
  // The process died with the new contents half written beside the file.
  std::string partial;
  for (const auto& name : FolderEntries(prefs.PrefsFolderPath))
    if (name.rfind(".KorvaneSettings.tmp-", 0) == 0) partial = ReadFile(PathOf(name));
  EXPECT_FALSE(partial.empty());
  EXPECT_LT(partial.size(), fullBytes.size());
  EXPECT_EQ(fullBytes.compare(0, partial.size(), partial), 0);
}

// ---- Names the program keeps for itself ---------------------------------------------

TEST_F(SettingsTest, NamesOfTheProgramsOwnFilesAreRefused) {
  files.MakeFolders(prefs.PrefsFolderPath);
  const struct {
    std::string path;
    bool refused;
  } cases[] = {
      {home.root + "/capture.txt", false},
      {home.root + "/defaults", true},
      {home.root + "/my old defaults", true},  // any name ending in "defaults"
      {home.root + "/defaults.txt", false},
      {home.root + "/Help Korvane", true},
      {home.root + "/Korvane.app", true},
      {home.root + "/Quickdial", false},  // a name like the program's, elsewhere
      {PathOf("Quickdial"), true},        // anything in the settings folder
      {PathOf("KorvaneSettings"), true},
      {PathOf("notes.txt"), true},
      {prefs.PrefsFolderPath + "../korvane/Fkeydefaults", true},
  };
  for (const auto& c : cases) {
    alerts.shown.clear();
    EXPECT_EQ(settings().CheckReservedFileName(c.path), c.refused) << c.path;
    EXPECT_EQ(alerts.shown.size(), c.refused ? 1u : 0u) << c.path;
  }
  alerts.shown.clear();
  settings().CheckReservedFileName(home.root + "/my old defaults");
  EXPECT_EQ(alerts.shown.at(0).text, "Cannot Overwrite my old defaults ");
}

TEST_F(SettingsTest, ThePreferencesFolderIsUnderXdgConfigHome) {
  EXPECT_EQ(prefs.PrefsFolderPath, home.root + "/config/korvane/");
  EXPECT_EQ(settings().PrefsFilePath("Lock KV Prefs"), home.root + "/config/korvane/Lock KV Prefs");
  ASSERT_EQ(alerts.shown.size(), 1u);
  EXPECT_EQ(alerts.shown[0].text, home.root + "/config/korvane/Lock KV Prefs Path not found!");
}

// ---- Documents handed to the program -------------------------------------------------

TEST_F(SettingsTest, SettingsDocumentsWaitForStartUpThenOpenInWindowsOfTheirOwn) {
  settings().OpenSettingsDocument(DocumentKind::Settings, "/docs/first");
  settings().OpenSettingsDocument(DocumentKind::Settings, "/docs/International");
  settings().OpenSettingsDocument(DocumentKind::Settings, "/docs/second");
  EXPECT_EQ(prefs.PendingDocuments, (std::vector<std::string>{"/docs/first", "/docs/second"}));
  EXPECT_TRUE(host.calls.empty());
  prefs.StartupComplete = 1;
  settings().OpenSettingsDocument(DocumentKind::Settings, "/docs/third");
  settings().OpenSettingsDocument(DocumentKind::Settings, "/docs/International");
  settings().OpenSettingsDocument(DocumentKind::Movie, "/docs/film");
  settings().OpenSettingsDocument(DocumentKind::FunctionKeys, "/docs/keys");
  EXPECT_EQ(host.calls,
            (std::vector<std::string>{"LoadSettingsTempFile /docs/third", "LoadFunctionKeyDocument /docs/keys"}));
}

TEST_F(SettingsTest, AQuickDialDocumentDialsOnlyOverASerialLine) {
  WriteFile(home.root + "/dial", "555-0199\rsecond line\r");
  opt().UsesPty = 1;
  settings().OpenSettingsDocument(DocumentKind::QuickDial, home.root + "/dial");
  ASSERT_EQ(alerts.shown.size(), 1u);
  EXPECT_EQ(alerts.shown[0].text, "Cannot Dial unless Serial / Modem is selected.\r(Look under the Connection Menu)");
  EXPECT_TRUE(host.calls.empty());
  opt().UsesPty = 0;
  settings().OpenSettingsDocument(DocumentKind::QuickDial, home.root + "/dial");
  EXPECT_EQ(host.calls, (std::vector<std::string>{"DialNumber 555-0199"}));
}

}  // namespace
}  // namespace korvane::testing_support
