// Host-programming commands (ESC ~ and a letter) through the VT interpreter:
// what each asks of the rest of the program, what it answers the host, and
// that files a host names never leave their folder and are never read or run
// without the user's consent.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "VtFixture.h"
#include "platform/AlertButtons.h"
#include "emulation/HostPaths.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;
using testing_support::VtTest;
using Calls = std::vector<std::string>;

// Folders of one test: capture, scripts and transfers, and one outside them
// that a host must never reach.
class Folders {
 public:
  Folders() {
    char pattern[] = "/tmp/korvane-host-XXXXXX";
    root_ = fs::path(mkdtemp(pattern));
    for (const char* f : {"capture", "scripts", "transfer", "outside"}) fs::create_directory(root_ / f);
  }
  ~Folders() {
    std::error_code ec;
    fs::remove_all(root_, ec);
  }
  std::string operator()(const std::string& sub) const { return (root_ / sub).string(); }
  void Write(const std::string& sub, const std::string& text) const { std::ofstream(root_ / sub) << text; }

 private:
  fs::path root_;
};

class HostProgramming : public VtTest {
 protected:
  HostProgramming() {
    session.around.services.folders.desktop = dirs("capture");
    session.around.services.folders.scripts = dirs("scripts");
    session.around.services.folders.transfers = dirs("transfer");
  }
  std::vector<std::string> AlertTexts() const {
    std::vector<std::string> out;
    for (const auto& a : alerts.shown) out.push_back(a.text);
    return out;
  }
  Folders dirs;
};

struct SimpleCase {
  const char* name;
  std::string bytes;  // after ESC ~
  Calls calls;
  std::string answer;
};

class SimpleCommand : public HostProgramming, public ::testing::WithParamInterface<SimpleCase> {};

TEST_P(SimpleCommand, AsksTheRestOfTheProgramAndAnswers) {
  Feed("\x1b~" + GetParam().bytes + "z");
  EXPECT_EQ(commands.calls, GetParam().calls);
  EXPECT_EQ(Answer(), GetParam().answer);
  // The command's bytes are used up; what follows is shown.
  EXPECT_EQ(Row(1), "z");
}

INSTANTIATE_TEST_SUITE_P(Vt, SimpleCommand,
                         ::testing::Values(SimpleCase{"PrintScreen", "p", {"PrintScreen"}, ""},
                                           SimpleCase{"PrinterOffWhenOff", "q", {}, ""},
                                           SimpleCase{"CloseKeyOff", "c0", {"SetCloseKeyOff 1"}, ""},
                                           SimpleCase{"CloseKeyOn", "c1", {"SetCloseKeyOff 0"}, ""},
                                           SimpleCase{"CloseKeyOtherByte", "c7", {}, ""},
                                           SimpleCase{"ChooseAFileToSend", "S", {"ChooseAndSendTextFile"}, ""},
                                           SimpleCase{"AppendOrDelete", "7", {"AppendDeleteCaptureFile"}, ""},
                                           SimpleCase{"ClipboardCapture", "8", {"StartClipboardCapture"}, ""},
                                           SimpleCase{"MouseReportsOn", "1", {"SetMouseReports on"}, ""},
                                           SimpleCase{"MouseReportsOff", "2", {"SetMouseReports off"}, ""},
                                           SimpleCase{"ClearStatusLine", "9", {"ClearStatusLine"}, ""},
                                           SimpleCase{"Identity", "A", {}, "Korvane\r"},
                                           SimpleCase{"CapsOn", "B", {"ShowCapsModeMark on"}, ""},
                                           SimpleCase{"CapsOff", "C", {"ShowCapsModeMark off"}, ""},
                                           SimpleCase{"Redraw", "D", {"RedrawWindow"}, ""},
                                           SimpleCase{"UnknownLetter", "Y", {}, ""},
                                           SimpleCase{"CaptureChooserWithoutTilde", "5x", {"NewCaptureFile"}, "\r"}),
                         [](const auto& c) { return std::string(c.param.name); });

TEST_F(HostProgramming, OptionsTheHostSets) {
  opt().MouseReports = 1;
  Feed("\x1b~1\x1b~B");
  EXPECT_EQ(opt().CapsMode, 1);
  Feed("\x1b~2\x1b~C\x1b~c0\x1b~F");
  // Switching the reports off leaves the user's setting (their prefix) alone.
  EXPECT_EQ(opt().MouseReports, 1);
  EXPECT_EQ(opt().CapsMode, 0);
  EXPECT_EQ(session.vt.CloseKeyOff, 1);
  EXPECT_EQ(opt().FkeyBarShown, 1);
}

TEST_F(HostProgramming, TheIdentityIsNotSentWithTheAlternateEditKeys) {
  opt().AltEditKeys = 1;
  Feed("\x1b~A");
  EXPECT_EQ(Answer(), "");
}

TEST_F(HostProgramming, TheChooserOpensOnlyWhenTheUserAgreesAndACancelIsAnswered) {
  struct {
    int button;          // the user's answer to the question
    bool chooserResult;  // what the file chooser gives
    Calls calls;
    const char* answer;
  } cases[] = {
      {2, true, {}, "Canceled\r"},
      {1, false, {"ChooseAndSendTextFile"}, "Canceled\r"},
      {1, true, {"ChooseAndSendTextFile"}, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.button);
    commands.calls.clear();
    alerts.shown.clear();
    pty->written.clear();
    commands.chooseAndSendResult = c.chooserResult;
    alerts.answers = {c.button};
    Feed("\x1b~S");
    EXPECT_EQ(AlertTexts(), std::vector<std::string>{"Please select a file to transfer to the host"});
    EXPECT_EQ(alerts.shown[0].id, platform::kAskBeforeOpeningAlert);
    EXPECT_EQ(commands.calls, c.calls);
    EXPECT_EQ(Answer(), c.answer);
  }
}

TEST_F(HostProgramming, APrinterOffPrintsWhatWasCaptured) {
  in().PrinterOn = 1;
  Feed("\x1b~q");
  EXPECT_EQ(record.Count("PrinterCaptureOff"), 1);
}

// ---- Capture files --------------------------------------------------------------

TEST_F(HostProgramming, ACaptureOnTheDesktopAnswersCaptureOffWhenClosed) {
  Feed("\x1b~5~F~UserDesktop/notes.txt\r\nshown");
  const std::string file = dirs("capture") + "/notes.txt";
  EXPECT_EQ(commands.calls, (Calls{"CheckReservedFileName " + file, "OpenCaptureFile " + file}));
  EXPECT_EQ(in().CaptureFileOn, 1);
  EXPECT_EQ(in().CaptureFileName, file);
  EXPECT_EQ(Row(1), "shown");
  Feed("\x1b~4");
  EXPECT_EQ(in().CaptureFileOn, 0);
  EXPECT_EQ(commands.calls.back(), "CloseCaptureFile");
  EXPECT_EQ(Answer(), "Capture Off\r");
}

TEST_F(HostProgramming, ABareNameIsCapturedOnTheDesktop) {
  Feed("\x1b~5~F~report.txt\r\n");
  EXPECT_EQ(in().CaptureFileName, dirs("capture") + "/report.txt");
}

TEST_F(HostProgramming, ATransparentCaptureHidesTheTextAndEndsWithoutAnswer) {
  Feed("\x1b~5~FT~hidden.txt\r\nsecret");
  EXPECT_EQ(screen().DisplayOn, 0);
  EXPECT_EQ(Row(1), "");
  EXPECT_EQ(echo.capture, "secret");
  Feed("\x1b~4shown");
  EXPECT_EQ(screen().DisplayOn, 1);
  EXPECT_EQ(Answer(), "");
  EXPECT_EQ(Row(1), "shown");
}

TEST_F(HostProgramming, ACaptureThatCannotBeOpenedHidesNothing) {
  commands.openCaptureResult = false;
  Feed("\x1b~5~FT~hidden.txt\r\nvisible");
  EXPECT_EQ(screen().DisplayOn, 1);
  EXPECT_EQ(Row(1), "visible");
}

struct RefusedCapture {
  const char* name;
  std::string path;
};

class CapturePathRefused : public HostProgramming, public ::testing::WithParamInterface<RefusedCapture> {};

TEST_P(CapturePathRefused, IsReportedAndNothingIsOpened) {
  fs::create_directory_symlink(dirs("outside"), dirs("capture") + "/out");
  fs::create_symlink(dirs("outside") + "/x.txt", dirs("capture") + "/link.txt");
  Feed("\x1b~5~FT~" + GetParam().path + "\r\nvisible");
  EXPECT_EQ(commands.calls, Calls{"AbortAndCloseCapture"});
  EXPECT_EQ(AlertTexts(), std::vector<std::string>{"Incorrect path name supplied from Host. " + GetParam().path});
  EXPECT_EQ(in().CaptureFileOn, 0);
  EXPECT_EQ(Row(1), "visible");
}

INSTANTIATE_TEST_SUITE_P(Vt, CapturePathRefused,
                         ::testing::Values(RefusedCapture{"ParentFolder", "UserDesktop/../outside/x.txt"},
                                           RefusedCapture{"ParentFolderWithBackslashes", "UserDesktop\\..\\..\\x.txt"},
                                           RefusedCapture{"AbsoluteElsewhere", "BootVolume/etc/profile.d/x.sh"},
                                           RefusedCapture{"LinkedFolderLeadingOut", "UserDesktop/out/x.txt"},
                                           RefusedCapture{"LinkLeadingOut", "UserDesktop/link.txt"},
                                           RefusedCapture{"AFolder", "UserDesktop/"},
                                           RefusedCapture{"AnotherVolume", "Macintosh HD:Users:me:x.txt"},
                                           RefusedCapture{"MissingFolder", "UserDesktop/none/x.txt"}),
                         [](const auto& c) { return std::string(c.param.name); });

TEST_F(HostProgramming, AnAbsolutePathInsideTheCaptureFolderIsAccepted) {
  Feed("\x1b~5~F~BootVolume" + dirs("capture") + "/abs.txt\r\n");
  EXPECT_EQ(in().CaptureFileName, dirs("capture") + "/abs.txt");
}

TEST_F(HostProgramming, AReservedNameOpensNothing) {
  commands.reservedName = true;
  Feed("\x1b~5~F~defaults\r\n");
  EXPECT_EQ(commands.calls, Calls{"CheckReservedFileName " + dirs("capture") + "/defaults"});
  EXPECT_EQ(in().CaptureFileOn, 0);
}

TEST_F(HostProgramming, AWrongByteAfterTheKindIsAnError) {
  Feed("\x1b~5~Fx~name\r");
  EXPECT_EQ(AlertTexts(),
            std::vector<std::string>{"Host programming error. Tilde ~ OR T expected after F or I character"});
  EXPECT_EQ(commands.calls, Calls{});
}

TEST_F(HostProgramming, ADownloadTargetIsShownOnACleanScreen) {
  Feed("old\x1b~5~I~UserDesktop/file.dat\r");
  EXPECT_EQ(Row(1), "");
  EXPECT_EQ(commands.calls, (Calls{"ReopenSessionWindow", "ShowDownloadTarget " + dirs("capture") + "/file.dat"}));
}

TEST_F(HostProgramming, TheCaptureNameAnswerComesASecondLaterAndNeverCarriesTheHostsText) {
  // The host names its capture "touch pwned", asks for the name back: a
  // shell that shows the file must not get a command typed at it.
  struct {
    const char* stream;
    const char* answer;
  } cases[] = {
      {"\x1b~5~F~touch pwned\r\n\x1b~6", "\r"},
      {"\x1b~H\x1b~6", "RECORDER\r"},
      {"\x1b~6", "\r"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stream);
    pty->written.clear();
    in().CaptureFileName.clear();
    const int64_t start = clock.Milliseconds();
    Feed(c.stream);
    // The pass returns without waiting the second ...
    EXPECT_LT(clock.Milliseconds() - start, 100);
    EXPECT_EQ(Answer(), "");
    clock.AdvanceMs(999);
    in().ProcessHostInput();
    EXPECT_EQ(Answer(), "");
    // ... and the answer goes with the first pass after it.
    clock.AdvanceMs(1);
    in().ProcessHostInput();
    EXPECT_EQ(Answer(), c.answer);
  }
}

TEST_F(HostProgramming, AnOpenCaptureIsClosedFirst) {
  in().CaptureFileOn = 1;
  Feed("\x1b~5~F~first.txt\r\n");
  EXPECT_EQ(commands.calls.front(), "CloseCaptureFile");
}

TEST_F(HostProgramming, TheRecorderIsReopenedForAppending) {
  Feed("\x1b~H\x1b~3");
  EXPECT_EQ(commands.calls, (Calls{"UseRecorderFile", "ReopenCaptureForAppend RECORDER"}));
  EXPECT_EQ(in().CaptureFileOn, 1);
}

TEST_F(HostProgramming, ANameTooLongIsCancelled) {
  Feed("\x1b~5~F~" + std::string(300, 'n') + "\r");
  EXPECT_EQ(Answer(), "Canceled\r");
  EXPECT_EQ(in().CaptureFileOn, 0);
}

// ---- Files sent to the host ---------------------------------------------------------

TEST_F(HostProgramming, ANamedFileIsSentOnlyWhenTheUserAgrees) {
  dirs.Write("transfer/orders.txt", "1\n2\n");
  Feed("\x1b~s~orders.txt\r");
  EXPECT_EQ(alerts.shown.size(), 1u);
  EXPECT_EQ(alerts.shown[0].kind, platform::AlertKind::Caution);
  EXPECT_EQ(commands.calls, Calls{"SendTextFileToHost " + dirs("transfer") + "/orders.txt"});
  EXPECT_EQ(Answer(), "");
  alerts.answers.push_back(2);
  Feed("\x1b~s~orders.txt\r");
  EXPECT_EQ(commands.calls.size(), 1u);
  EXPECT_EQ(Answer(), "Canceled\r");
}

TEST_F(HostProgramming, FilesOutsideTheTransferFolderAreNotRead) {
  dirs.Write("outside/secret.txt", "x");
  fs::create_symlink(dirs("outside") + "/secret.txt", dirs("transfer") + "/link.txt");
  for (const std::string& name :
       std::vector<std::string>{"../outside/secret.txt", dirs("outside") + "/secret.txt", "link.txt", "none.txt"}) {
    pty->written.clear();
    alerts.shown.clear();
    Feed("\x1b~s~" + name + "\r");
    EXPECT_EQ(commands.calls, Calls{}) << name;
    EXPECT_EQ(Answer(), "Canceled\r") << name;
    ASSERT_EQ(alerts.shown.size(), 1u) << name;
    EXPECT_EQ(alerts.shown[0].text, "Error opening file.\r" + name);
  }
}

TEST_F(HostProgramming, AHostSendRequestNamesAFileOfTheTransferFolder) {
  dirs.Write("transfer/batch.txt", "x");
  Feed("\x1b~Gbatch.txt\r\x1b~G../outside/x\r");
  EXPECT_EQ(commands.calls, Calls{"HostRequestedSend " + dirs("transfer") + "/batch.txt"});
  EXPECT_EQ(AlertTexts(), std::vector<std::string>{"Error opening file.\r../outside/x"});
}

// ---- Scripts --------------------------------------------------------------------------

TEST_F(HostProgramming, AScriptOfTheScriptsFolderRunsWhenTheUserAgrees) {
  dirs.Write("scripts/backup", "#!/bin/sh\n");
  Feed("\x1b~a~backup\r");
  EXPECT_EQ(commands.calls, Calls{"RunScript " + dirs("scripts") + "/backup"});
  EXPECT_EQ(Answer(), "");
  alerts.answers.push_back(2);
  Feed("\x1b~a~backup\r");
  EXPECT_EQ(commands.calls.size(), 1u);
  EXPECT_EQ(Answer(), "Canceled\r");
}

TEST_F(HostProgramming, OnlyPlainNamesOfTheScriptsFolderAreRun) {
  dirs.Write("outside/evil", "#!/bin/sh\n");
  fs::create_symlink(dirs("outside") + "/evil", dirs("scripts") + "/link");
  for (const std::string& name :
       std::vector<std::string>{"../outside/evil", dirs("outside") + "/evil", "link", "missing", "."}) {
    pty->written.clear();
    alerts.shown.clear();
    Feed("\x1b~a~" + name + "\r");
    EXPECT_EQ(commands.calls, Calls{}) << name;
    EXPECT_EQ(Answer(), "Canceled\r") << name;
    EXPECT_EQ(AlertTexts(), (std::vector<std::string>{dirs("scripts") + "/" + name + " Path not found!",
                                                      "Could not find the script. It must be in your scripts folder"}))
        << name;
  }
}

TEST_F(HostProgramming, ScriptAndSendCommandsNeedTheirTilde) {
  Feed("\x1b~abackup\r\x1b~sfile\r");
  EXPECT_EQ(AlertTexts(), (std::vector<std::string>{"Host programming error. Tilde ~ expected after 'a' character",
                                                    "Host programming error. Tilde ~ expected after 's' character"}));
  EXPECT_EQ(commands.calls, Calls{});
}

// ---- The host's message --------------------------------------------------------------

TEST_F(HostProgramming, TheHostsMessageIsShownAndTheOutputAfterItToo) {
  Feed("\x1b~M~Backup done\rnext\x1b~Mxafter");
  EXPECT_EQ(AlertTexts(),
            (std::vector<std::string>{"Backup done", "Host programming error! Tilde ~ expected after 'M' character"}));
  EXPECT_EQ(alerts.shown[0].kind, platform::AlertKind::Note);
  EXPECT_EQ(Row(1), "nextafter");
}

// ---- Paths -----------------------------------------------------------------------------

// The environment variables a test changes, put back when it ends.
class EnvironmentKept {
 public:
  explicit EnvironmentKept(std::vector<std::string> names) : names_(std::move(names)) {
    for (const auto& n : names_) {
      const char* v = getenv(n.c_str());
      values_.push_back(v ? std::optional<std::string>(v) : std::nullopt);
    }
  }
  ~EnvironmentKept() {
    for (size_t i = 0; i < names_.size(); ++i) {
      if (values_[i])
        setenv(names_[i].c_str(), values_[i]->c_str(), 1);
      else
        unsetenv(names_[i].c_str());
    }
  }

 private:
  std::vector<std::string> names_;
  std::vector<std::optional<std::string>> values_;
};

TEST(HostCommandFolders, FollowTheUsersFolders) {
  Folders dirs;
  EnvironmentKept kept({"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME"});
  setenv("HOME", dirs("outside").c_str(), 1);
  setenv("XDG_CONFIG_HOME", dirs("scripts").c_str(), 1);
  setenv("XDG_DATA_HOME", dirs("transfer").c_str(), 1);
  const HostFolders folders = HostFoldersForThisUser("/resources");
  EXPECT_EQ(folders.home, dirs("outside"));
  EXPECT_EQ(folders.desktop, dirs("outside") + "/Desktop");
  EXPECT_EQ(folders.scripts, dirs("scripts") + "/korvane/scripts");
  EXPECT_EQ(folders.transfers, dirs("transfer") + "/korvane");
  EXPECT_EQ(folders.resources, "/resources");
  dirs.Write("scripts/user-dirs.dirs", "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n");
  EXPECT_EQ(HostFoldersForThisUser("/resources").desktop, dirs("outside") + "/Schreibtisch");
}

TEST(HostPaths, PlainFileNames) {
  EXPECT_TRUE(IsPlainFileName("report.txt"));
  EXPECT_TRUE(IsPlainFileName("-x"));
  for (const char* bad : {"", ".", "..", "a/b", "/abs", "tab\there"}) EXPECT_FALSE(IsPlainFileName(bad)) << bad;
}

TEST(HostPaths, AMissingFolderHoldsNothing) {
  EXPECT_EQ(ResolveInsideFolder("/nonexistent/korvane", "x.txt", false).check, FileCheck::Refused);
  EXPECT_EQ(CapturePathFromHost("x.txt", "/nonexistent/korvane").check, FileCheck::Refused);
}

}  // namespace
}  // namespace korvane
