// Capture files as the user, the host and scripts make them: the text and
// HTML formats against golden files, appending and replacing, the recorder
// file, deleting, the script actions, and a disk that fills up half-way.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "TempFolder.h"
#include "fakes/FakeAlerts.h"
#include "fakes/FaultyFiles.h"
#include "fakes/RecordingCaptureHost.h"
#include "output/CaptureFiles.h"
#include "platform/Port.h"
#include "platform/posix/PosixFiles.h"

namespace korvane::output {
namespace {

using testing_support::Contents;
using testing_support::Exists;
using testing_support::TempFolder;
using testing_support::WriteFile;

std::string Golden(const std::string& name) { return Contents(std::string(KORVANE_OUTPUT_TEST_DATA) + "/" + name); }

class CaptureFilesTest : public ::testing::Test {
 protected:
  CaptureFilesTest() {
    std::filesystem::create_directories(prefs());
    std::filesystem::create_directories(desktop());
    std::filesystem::create_directories(home());
    opt.CaptureCreator = "ttxt";
  }
  std::string prefs() const { return dir / "config/korvane"; }
  std::string desktop() const { return dir / "Desktop"; }
  std::string home() const { return dir / "home"; }
  CaptureFolders Folders() const { return {prefs() + "/", desktop(), home()}; }

  // What the character writer hands over for the fixture's host output: runs
  // of screen codes and the line ends the host's carriage returns give.
  static void SendFixture(CaptureFiles& capture) {
    capture.WriteCaptureFile("Korvane capture: a<b & \"c\" 'd' > e", platform::kScreenFont);
    capture.WriteCaptureLineEnd();
    capture.WriteCaptureFile("\tTab\tstops", platform::kScreenFont);
    capture.WriteCaptureLineEnd();
    // Mac Roman a-umlaut and bullet, then the screen font's frame codes.
    capture.WriteCaptureFile("\x8A\xA5 \xE2\xE6\xE2", platform::kScreenFont);
    capture.WriteCaptureLineEnd();
    // A line wrapped at the margin arrives as two runs without a line end.
    capture.WriteCaptureFile("wrapped line ", platform::kScreenFont);
    capture.WriteCaptureFile("continues", platform::kScreenFont);
    capture.WriteCaptureLineEnd();
  }

  TempFolder dir;
  SessionOptions opt;
  platform::PosixFiles files;
  fakes::FakeAlerts alerts;
  fakes::RecordingCaptureHost host;
};

struct FormatCase {
  const char* creator;
  int16_t addLf;
  const char* chosenName;
  const char* writtenName;
  const char* golden;
};

class CaptureFormatTest : public CaptureFilesTest, public ::testing::WithParamInterface<FormatCase> {};

TEST_P(CaptureFormatTest, HostTextIsWrittenInTheFormatOfTheCapture) {
  const FormatCase& c = GetParam();
  opt.CaptureCreator = c.creator;
  opt.CollectAddLf = c.addLf;
  CaptureFiles capture(opt, files, alerts, host, Folders());
  ASSERT_TRUE(capture.OpenCaptureFile(desktop() + "/" + c.chosenName));
  EXPECT_EQ(capture.CaptureFilePath(), desktop() + "/" + c.writtenName);
  SendFixture(capture);
  capture.CloseCaptureFile();
  EXPECT_EQ(Contents(desktop() + "/" + c.writtenName), Golden(c.golden));
  EXPECT_EQ(host.captureChanges, (std::vector<bool>{true, false}));
  EXPECT_TRUE(alerts.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(Formats, CaptureFormatTest,
                         ::testing::Values(FormatCase{"ttxt", 0, "log.txt", "log.txt", "text-capture.txt"},
                                           FormatCase{"ttxt", 1, "log.txt", "log.txt", "text-capture-crlf.txt"},
                                           FormatCase{"MOSS", 0, "log <1>", "log <1>.html", "html-capture.html"},
                                           // A name that is already an HTML name gets no second extension.
                                           FormatCase{"sfri", 0, "log <1>.html", "log <1>.html", "html-capture.html"}));

TEST_F(CaptureFilesTest, ANewCaptureReplacesTheFileAndAnAppendKeepsIt) {
  const std::string path = desktop() + "/session.txt";
  WriteFile(path, "earlier\n");
  CaptureFiles capture(opt, files, alerts, host, Folders());

  ASSERT_TRUE(capture.AppendCaptureFile(path));
  capture.WriteCaptureFile("appended", platform::kScreenFont);
  capture.WriteCaptureLineEnd();
  capture.CloseCaptureFile();
  EXPECT_EQ(Contents(path), "earlier\nappended\n");

  ASSERT_TRUE(capture.OpenCaptureFile(path));
  capture.WriteCaptureFile("replaced", platform::kScreenFont);
  capture.CloseCaptureFile();
  EXPECT_EQ(Contents(path), "replaced");
}

TEST_F(CaptureFilesTest, TheRecorderFileCollectsOneCaptureAfterAnother) {
  CaptureFiles capture(opt, files, alerts, host, Folders());
  for (const char* text : {"first", "second"}) {
    ASSERT_TRUE(capture.OpenRecorderFile());
    capture.WriteCaptureFile(text, platform::kScreenFont);
    capture.WriteCaptureLineEnd();
    capture.CloseCaptureFile();
  }
  EXPECT_EQ(capture.CaptureFileName(), "RECORDER");
  EXPECT_EQ(Contents(prefs() + "/RECORDER"), "first\nsecond\n");
}

TEST_F(CaptureFilesTest, OpeningACaptureClosesTheOneBeforeWithItsHtmlEnd) {
  opt.CaptureCreator = "MOSS";
  CaptureFiles capture(opt, files, alerts, host, Folders());
  ASSERT_TRUE(capture.OpenCaptureFile(desktop() + "/one"));
  ASSERT_TRUE(capture.OpenCaptureFile(desktop() + "/two"));
  EXPECT_NE(Contents(desktop() + "/one.html").find("</HTML>"), std::string::npos);
  EXPECT_EQ(Contents(desktop() + "/two.html").find("</HTML>"), std::string::npos);
  EXPECT_EQ(host.captureChanges, (std::vector<bool>{true, false, true}));
}

TEST_F(CaptureFilesTest, TheHostsReopenFindsBareNamesInTheCaptureFolder) {
  CaptureFiles capture(opt, files, alerts, host, Folders());
  ASSERT_TRUE(capture.OpenCaptureFile(desktop() + "/host.log"));
  capture.WriteCaptureFile("one ", platform::kScreenFont);
  ASSERT_TRUE(capture.ReopenCaptureForAppend("host.log"));
  capture.WriteCaptureFile("two", platform::kScreenFont);
  capture.CloseCaptureFile();
  EXPECT_EQ(Contents(desktop() + "/host.log"), "one two");

  capture.UseRecorderFile();
  ASSERT_TRUE(capture.ReopenCaptureForAppend(capture.CaptureFileName()));
  EXPECT_EQ(capture.CaptureFilePath(), prefs() + "/RECORDER");
  capture.CloseCaptureFile();
  // The host cannot capture into the program's own files, and is told so by
  // the answer only (no alert for what a host asks).
  EXPECT_FALSE(capture.ReopenCaptureForAppend(prefs() + "/KorvaneSettings"));
  EXPECT_TRUE(alerts.shown.empty());
}

TEST_F(CaptureFilesTest, AFullDiskStopsTheCaptureOnceAndKeepsWhatWasWritten) {
  fakes::FaultyFiles faulty;
  CaptureFiles capture(opt, faulty, alerts, host, Folders());
  const std::string path = desktop() + "/flood.txt";
  ASSERT_TRUE(capture.OpenCaptureFile(path));
  capture.WriteCaptureFile("kept line", platform::kScreenFont);
  capture.WriteCaptureLineEnd();
  capture.Flush();

  faulty.fault = fakes::FaultyFiles::Fault::FailHalfWay;
  capture.WriteCaptureFile("abcdefgh", platform::kScreenFont);
  capture.Flush();
  // Host text keeps coming: it is dropped without further alerts.
  for (int i = 0; i < 100; ++i) capture.WriteCaptureFile(std::string(300, 'x'), platform::kScreenFont);
  capture.WriteCaptureLineEnd();
  capture.Flush();
  capture.CloseCaptureFile();

  EXPECT_EQ(Contents(path), "kept line\nabcd");
  EXPECT_FALSE(capture.CaptureOn());
  ASSERT_EQ(alerts.shown.size(), 1u);
  EXPECT_EQ(alerts.shown[0].kind, platform::AlertKind::Stop);
  EXPECT_NE(alerts.shown[0].text.find("Unable to write to the capture file"), std::string::npos);
  EXPECT_NE(alerts.shown[0].text.find(path + ": No space left on device"), std::string::npos);
  EXPECT_EQ(host.captureChanges.front(), true);
  EXPECT_EQ(host.captureChanges.back(), false);
}

TEST_F(CaptureFilesTest, ACancelledChoiceEndsTheCaptureAndKeepsTheFileChosenBefore) {
  opt.CaptureCreator = "sfri";
  CaptureFiles capture(opt, files, alerts, host, Folders());
  ASSERT_TRUE(capture.OpenCaptureFile(desktop() + "/before"));
  EXPECT_FALSE(capture.OpenCaptureFile(""));
  EXPECT_FALSE(capture.CaptureOn());
  EXPECT_EQ(capture.CaptureFilePath(), desktop() + "/before.html");
  EXPECT_NE(Contents(desktop() + "/before.html").find("</HTML>"), std::string::npos);
  EXPECT_TRUE(alerts.shown.empty());
  EXPECT_EQ(host.captureChanges.back(), false);
}

TEST_F(CaptureFilesTest, AFileThatCannotBeOpenedLeavesCaptureOffWithTheAlert) {
  CaptureFiles capture(opt, files, alerts, host, Folders());
  EXPECT_FALSE(capture.OpenCaptureFile(dir / "no such folder/log.txt"));
  EXPECT_FALSE(capture.AppendCaptureFile(desktop()));  // a folder
  EXPECT_FALSE(capture.CaptureOn());
  ASSERT_EQ(alerts.shown.size(), 2u);
  EXPECT_NE(alerts.shown[0].text.find("Unable to open!  The file may be open from another application"),
            std::string::npos);
  EXPECT_TRUE(host.captureChanges.empty());
}

TEST_F(CaptureFilesTest, TheProgramsOwnFilesCannotBeCapturedIntoOrDeleted) {
  const std::string settings = prefs() + "/KorvaneSettings";
  WriteFile(settings, "settings");
  CaptureFiles capture(opt, files, alerts, host, Folders());
  EXPECT_FALSE(capture.AppendCaptureFile(settings));
  EXPECT_FALSE(capture.OpenCaptureFile(prefs() + "/../korvane/./KorvaneSettings"));
  EXPECT_FALSE(capture.DeleteCaptureFile(settings));
  EXPECT_EQ(Contents(settings), "settings");
  ASSERT_EQ(alerts.shown.size(), 3u);
  EXPECT_EQ(alerts.shown[0].text, "Append Error! You cannot use this file");
  EXPECT_EQ(alerts.shown[2].text, "Delete Error! You cannot delete this file");
}

TEST_F(CaptureFilesTest, DeletingAsksFirstAndMakesTheRecorderFileAgain) {
  CaptureFiles capture(opt, files, alerts, host, Folders());
  const std::string log = desktop() + "/old.log";
  WriteFile(log, "old");
  alerts.answers = {2};  // Cancel
  EXPECT_FALSE(capture.DeleteCaptureFile(log));
  EXPECT_TRUE(Exists(log));
  EXPECT_NE(alerts.shown.back().text.find("Are you sure you want to permanently delete old.log"), std::string::npos);
  EXPECT_TRUE(capture.DeleteCaptureFile(log));
  EXPECT_FALSE(Exists(log));

  ASSERT_TRUE(capture.OpenRecorderFile());
  capture.WriteCaptureFile("recorded", platform::kScreenFont);
  EXPECT_TRUE(capture.DeleteCaptureFile(prefs() + "/RECORDER"));
  EXPECT_FALSE(capture.CaptureOn());
  EXPECT_TRUE(Exists(prefs() + "/RECORDER"));
  EXPECT_EQ(Contents(prefs() + "/RECORDER"), "");
}

TEST_F(CaptureFilesTest, ATransferFileIsTheHostsTextWithoutHtml) {
  opt.CaptureCreator = "MOSS";
  CaptureFiles capture(opt, files, alerts, host, Folders());
  ASSERT_TRUE(capture.OpenTransferCapture(home() + "/ft.txt"));
  capture.WriteCaptureFile("line <1>", platform::kScreenFont);
  capture.WriteCaptureLineEnd();
  capture.CloseCaptureFile();
  EXPECT_EQ(Contents(home() + "/ft.txt"), "line <1>\n");
}

// ---- The capture-file actions of scripts -------------------------------------------------

TEST_F(CaptureFilesTest, ScriptsSetTheCaptureFileFromAPathOrABareName) {
  CaptureFiles capture(opt, files, alerts, host, Folders());
  EXPECT_EQ(capture.GetCaptureFileName(), prefs() + "/RECORDER");

  // A bare name goes into the capture folder, and the file is made empty.
  EXPECT_EQ(capture.SetCaptureFileFromScript("notes.txt"), "Capture file set to " + desktop() + "/notes.txt");
  EXPECT_TRUE(Exists(desktop() + "/notes.txt"));
  EXPECT_EQ(capture.LastReplyText(), "Capture file set to " + desktop() + "/notes.txt");

  // An existing file is left as it is.
  const std::string kept = home() + "/kept.txt";
  WriteFile(kept, "do not touch");
  EXPECT_EQ(capture.SetCaptureFileFromScript(kept), "Capture file set to " + kept);
  EXPECT_EQ(Contents(kept), "do not touch");
  EXPECT_EQ(capture.GetCaptureFileName(), kept);

  // Its folder is now the capture folder; "capo" captures into the file.
  EXPECT_EQ(capture.SetCaptureFileFromScript("next.txt"), "Capture file set to " + home() + "/next.txt");
  ASSERT_TRUE(capture.OpenRecorderFile());
  capture.WriteCaptureFile("scripted", platform::kScreenFont);
  capture.CloseCaptureFile();
  EXPECT_EQ(Contents(home() + "/next.txt"), "scripted");
}

struct ScriptCase {
  const char* text;  // "@" stands for the test's folder
  const char* reply;
};

class ScriptRefusalTest : public CaptureFilesTest, public ::testing::WithParamInterface<ScriptCase> {};

TEST_P(ScriptRefusalTest, ARefusedPathChangesNothing) {
  CaptureFiles capture(opt, files, alerts, host, Folders());
  ASSERT_EQ(capture.SetCaptureFileFromScript(home() + "/before.txt"), "Capture file set to " + home() + "/before.txt");
  std::string text = GetParam().text;
  if (const auto at = text.find('@'); at != std::string::npos) text.replace(at, 1, dir.path);
  EXPECT_EQ(capture.SetCaptureFileFromScript(text), GetParam().reply);
  EXPECT_EQ(capture.LastReplyText(), GetParam().reply);
  EXPECT_EQ(capture.GetCaptureFileName(), home() + "/before.txt");
  EXPECT_EQ(capture.CaptureFilePath(), home() + "/before.txt");
  EXPECT_TRUE(alerts.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, ScriptRefusalTest,
    ::testing::Values(ScriptCase{"", ""},
                      ScriptCase{"@/home/Fkeydefaults", "Error! Cannot use this file for a capture file."},
                      ScriptCase{"KorvaneLog", "Error! Cannot use this file for a capture file."},
                      ScriptCase{"CTBSettings 2", "Error! Cannot use this file for a capture file."},
                      ScriptCase{"@/home/KorvaneLog", "Error! Cannot use this file for a capture file."},
                      ScriptCase{"@/no such folder/x.txt", "Error! Incorrect path name supplied from AppleScript."},
                      ScriptCase{"@/home/", "Error! Incorrect path name supplied from AppleScript."},
                      ScriptCase{"@/Desktop", "Error! Incorrect path name supplied from AppleScript."},
                      ScriptCase{"relative/x.txt", "Error! Incorrect path name supplied from AppleScript."},
                      ScriptCase{"@/config/korvane/Quickdial",
                                 "Error! Incorrect path name supplied from AppleScript."}));

TEST_F(CaptureFilesTest, NamesEndingInACapitalDefaultsAreAccepted) {
  CaptureFiles capture(opt, files, alerts, host, Folders());
  EXPECT_EQ(capture.SetCaptureFileFromScript(home() + "/Defaults"), "Capture file set to " + home() + "/Defaults");
}

TEST_F(CaptureFilesTest, ScriptsDeleteTheCaptureFileOnlyWhileCaptureIsOff) {
  CaptureFiles capture(opt, files, alerts, host, Folders());
  const std::string path = home() + "/scripted.log";
  capture.SetCaptureFileFromScript(path);
  ASSERT_TRUE(capture.OpenRecorderFile());
  EXPECT_EQ(capture.DeleteCaptureFile(), "Cannot Delete file when capture is on");
  EXPECT_TRUE(Exists(path));
  capture.CloseCaptureFile();
  EXPECT_EQ(capture.DeleteCaptureFile(), path + " Deleted");
  EXPECT_FALSE(Exists(path));
  EXPECT_EQ(capture.LastReplyText(), path + " Deleted");
  // The name stays; the file is gone.
  EXPECT_EQ(capture.GetCaptureFileName(), path);
  EXPECT_EQ(capture.DeleteCaptureFile(), "Error trying to delete file");
}

TEST_F(CaptureFilesTest, ScriptsNeverDeleteAFolder) {
  CaptureFiles capture(opt, files, alerts, host, Folders());
  const std::string folder = home() + "/folder";
  std::filesystem::create_directory(folder);
  ASSERT_EQ(capture.SetCaptureFileFromScript(folder + "/f.txt"), "Capture file set to " + folder + "/f.txt");
  std::filesystem::remove(folder + "/f.txt");
  std::filesystem::create_directory(folder + "/f.txt");
  EXPECT_EQ(capture.DeleteCaptureFile(), "Error trying to delete file");
  EXPECT_TRUE(std::filesystem::is_directory(folder + "/f.txt"));
}

}  // namespace
}  // namespace korvane::output
