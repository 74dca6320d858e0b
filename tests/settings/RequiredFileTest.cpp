// The required-file check: which alert each failure gets, and the search for a
// missing file with the open-file dialog.

#include "settings/RequiredFile.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <deque>
#include <string>
#include <vector>

#include "TemporaryFolders.h"
#include "fakes/FakeAlerts.h"
#include "platform/posix/PosixFiles.h"

namespace korvane {
namespace {

class RecordingRequiredFileHost final : public RequiredFileHost {
 public:
  std::vector<int> errorMessages;
  std::deque<std::string> chosen;  // the dialog's answers, "" cancels
  int dialogs = 0;
  void ErrorNumberAlert(int16_t message) override { errorMessages.push_back(message); }
  std::string AskForFile(const std::string&) override {
    ++dialogs;
    if (chosen.empty()) return {};
    std::string path = chosen.front();
    chosen.pop_front();
    return path;
  }
};

class RequiredFileTest : public ::testing::Test {
 protected:
  RequiredFileCheck Check(int32_t code, const std::string& name = "Mac unix fkeys") {
    lastError = code;
    chosenName = name;
    const RequiredFileCheck result = CheckRequiredFile(lastError, chosenName, alerts, host);
    EXPECT_EQ(lastError, 0) << "the error is cleared on every path";
    return result;
  }
  fakes::FakeAlerts alerts;
  RecordingRequiredFileHost host;
  int32_t lastError = 0;
  std::string chosenName;
};

TEST_F(RequiredFileTest, EachFailureGetsItsMessage) {
  struct Case {
    int32_t code;
    std::vector<int> messages;
    int16_t result;
  };
  const Case cases[] = {
      {1, {}, 1},
      {257, {}, 1},  // only the low byte counts
      {2, {14}, 2},
      {10, {15}, 10},
      {4, {18}, 4},
      {11, {20}, 11},
      {16, {16}, 16},
      {-43, {16}, 213},
      // A failure whose low byte is 0 is still a failure, never "the file
      // was chosen".
      {256, {16}, 16},
      {-256, {16}, 16},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    host.errorMessages.clear();
    const RequiredFileCheck r = Check(c.code);
    EXPECT_EQ(host.errorMessages, c.messages);
    EXPECT_EQ(r.RequiredFileResult, c.result);
    EXPECT_TRUE(alerts.shown.empty());
    EXPECT_EQ(host.dialogs, 0);
    EXPECT_EQ(chosenName, "Mac unix fkeys");
  }
}

TEST_F(RequiredFileTest, AMissingFileIsLookedForUntilTheRightNameIsChosen) {
  for (int32_t code : {3, 259, -253}) {
    SCOPED_TRACE(code);
    alerts.shown.clear();
    host.dialogs = 0;
    alerts.answers = {1, 1};  // look for it; after the wrong file, look again
    host.chosen = {"/somewhere/other file", "/elsewhere/Mac unix fkeys"};
    const RequiredFileCheck r = Check(code);
    EXPECT_EQ(r.RequiredFileResult, 0);
    EXPECT_EQ(r.ChosenFilePath, "/elsewhere/Mac unix fkeys");
    EXPECT_EQ(chosenName, "Mac unix fkeys");
    EXPECT_EQ(host.dialogs, 2);
    ASSERT_EQ(alerts.shown.size(), 2u);
    EXPECT_EQ(alerts.shown[0].kind, platform::AlertKind::Note);
    EXPECT_EQ(alerts.shown[0].id, 314);
    EXPECT_EQ(alerts.shown[0].text, "Mac unix fkeys was not found.  Do you want to look for it?");
    EXPECT_EQ(alerts.shown[1].kind, platform::AlertKind::Stop);
    EXPECT_EQ(alerts.shown[1].text, "Wrong File! Please select the file, Mac unix fkeys");
  }
}

TEST_F(RequiredFileTest, GivingUpLeavesTheFileMissingAndItsNameEmpty) {
  struct Case {
    const char* name;
    std::deque<int> answers;
    std::deque<std::string> chosen;
    int dialogs;
  };
  const Case cases[] = {
      {"declines to look", {2}, {}, 0},
      {"cancels the dialog", {1}, {""}, 1},
      {"declines after a wrong file", {1, 2}, {"/x/wrong"}, 1},
      // The name must match exactly, case included.
      {"declines after the name in other case", {1, 2}, {"/x/mac unix fkeys"}, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    alerts.answers = c.answers;
    host.chosen = c.chosen;
    host.dialogs = 0;
    const RequiredFileCheck r = Check(3);
    EXPECT_EQ(r.RequiredFileResult, 3);
    EXPECT_TRUE(r.ChosenFilePath.empty());
    EXPECT_EQ(chosenName, "");
    EXPECT_EQ(host.dialogs, c.dialogs);
  }
}

TEST_F(RequiredFileTest, TheInternationalFileGetsTheLongerQuestion) {
  alerts.answers = {2};
  Check(3, "International");
  ASSERT_EQ(alerts.shown.size(), 1u);
  EXPECT_EQ(alerts.shown[0].text,
            "International was not found.  (To avoid seeing this message again, install International into the "
            "Korvane\xAA folder.)  Do you want to look for it?");
  alerts.shown.clear();
  alerts.answers = {2};
  Check(3, "international");
  EXPECT_EQ(alerts.shown[0].text, "international was not found.  Do you want to look for it?");
}

TEST(FileErrorCodeOf, SystemErrorsBecomeTheProgramsCodes) {
  testing_support::TemporaryFolders t;
  struct Case {
    int error;
    bool writing;
    std::string path;
    int32_t code;
  };
  const Case cases[] = {
      {0, false, "", kFileErrorNone},
      {ENOENT, false, t.home + "/missing", kFileErrorMissing},
      {ENOENT, false, t.home + "/no folder/missing", kFileErrorNoFolder},
      {ENOENT, false, "", kFileErrorMissing},
      {ENOTDIR, false, "", kFileErrorNoFolder},
      {EACCES, false, "", kFileErrorNotOpened},
      {EACCES, true, "", kFileErrorNotWritten},
      {EROFS, true, "", kFileErrorNotWritten},
      {ENOSPC, true, "", kFileErrorNotWritten},
      {EISDIR, false, "", kFileErrorNotOpened},
      {EIO, false, "", kFileErrorNotRead},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.error);
    EXPECT_EQ(FileErrorCodeOf(c.error, c.writing, c.path), c.code);
  }
}

// The program reading a file it needs: a missing one is looked for and the
// file the user finds is read in its place; one that is there but cannot be
// read is reported and nothing is asked.
TEST_F(RequiredFileTest, AFileTheProgramNeedsIsReadFromWhereTheUserFindsIt) {
  testing_support::TemporaryFolders t;
  platform::PosixFiles files;
  const std::string installed = t.home + "/share/Fkeys/VT220 Fkeys";
  const std::string found = t.home + "/found/VT220 Fkeys";
  testing_support::TemporaryFolders::Write(t.home + "/share/Fkeys/other", "");
  testing_support::TemporaryFolders::Write(found, "the keys\n");

  std::string path = installed, bytes;
  alerts.answers = {1, 1};  // look for it; after the wrong file, look again
  host.chosen = {t.home + "/share/Fkeys/other", found};
  EXPECT_EQ(ReadRequiredFile(path, 1024, bytes, files, alerts, host), 0);
  EXPECT_EQ(path, found);
  EXPECT_EQ(bytes, "the keys\n");
  EXPECT_EQ(host.dialogs, 2);

  // The user gives up: the error stands and nothing is read.
  path = installed;
  bytes.clear();
  alerts.answers = {2};
  host.dialogs = 0;
  EXPECT_EQ(ReadRequiredFile(path, 1024, bytes, files, alerts, host), ENOENT);
  EXPECT_EQ(path, installed);
  EXPECT_TRUE(bytes.empty());
  EXPECT_EQ(host.dialogs, 0);

  // Too large to be the file: reported with its message, no search.
  alerts.shown.clear();
  path = found;
  EXPECT_EQ(ReadRequiredFile(path, 4, bytes, files, alerts, host), EFBIG);
  EXPECT_EQ(host.errorMessages, std::vector<int>{16});
  EXPECT_TRUE(alerts.shown.empty());
  EXPECT_EQ(host.dialogs, 0);
}

}  // namespace
}  // namespace korvane
