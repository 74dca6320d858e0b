// A session window's capture service in the program, with the window system,
// files, dialogs and printing faked: what the Recorder and File menus'
// handlers and scripts ask of it, and the idle pass's deferred print.

#include <gtest/gtest.h>

#include "AppFixture.h"
#include "platform/MenuNumbers.h"

namespace korvane::testing {
namespace {

class CaptureService : public AppFixture {
 protected:
  CaptureService() { StartLocal(); }
  SessionWindow& w() { return Window(48); }
  korvane::CaptureService& capture() { return w().services.capture; }
  // The host sends `bytes`; the program reads them on its next turns.
  void Host(const std::string& bytes) {
    LinkOf(48).Feed(bytes);
    Turns(3);
  }
  bool RecorderMarked() { return menus.ItemMarked(platform::kRecorderMenu, 1); }
};

TEST_F(CaptureService, TheRecorderFileKeepsEveryCaptureAndTheMenuMarkFollowsIt) {
  capture().RecorderOn();
  EXPECT_EQ(w().session.input.CaptureFileOn, 1);
  EXPECT_TRUE(RecorderMarked());
  Host("one\r\n");
  capture().RecorderOff();
  EXPECT_EQ(w().session.input.CaptureFileOn, 0);
  EXPECT_FALSE(RecorderMarked());
  Host("not captured\r\n");
  capture().RecorderOn();
  Host("two\r\n");
  capture().RecorderOff();
  EXPECT_EQ(files.files["/prefs/RECORDER"], "one\ntwo\n");
  EXPECT_TRUE(alerts.shown.empty());
}

TEST_F(CaptureService, TheHostsRecorderCommandNamesTheFileTheMenuThenOpens) {
  capture().SetCaptureFileFromScript("/docs/chosen.txt");
  Host("\x1b~H");
  capture().RecorderOn();
  Host("x\r\n");
  capture().RecorderOff();
  EXPECT_EQ(files.files["/prefs/RECORDER"], "x\n");
  EXPECT_EQ(files.files["/docs/chosen.txt"], "");
}

TEST_F(CaptureService, MenuRequestsAskForTheirFilesAndACancelChangesNothing) {
  files.files["/docs/log.txt"] = "kept\n";
  fileDialogs.answers = {std::string("/docs/log.txt")};
  capture().AppendToCaptureFile();
  ASSERT_EQ(fileDialogs.asked.size(), 1u);
  EXPECT_FALSE(fileDialogs.asked[0].save);
  Host("more\r\n");
  capture().RecorderOff();
  EXPECT_EQ(files.files["/docs/log.txt"], "kept\nmore\n");

  // A new capture file: the save dialog proposes the name of the capture
  // application's kind (in the capture folder: here there is no desktop).
  w().session.Opt.CaptureCreator = "MOSS";
  fileDialogs.answers = {std::string("/docs/page")};
  capture().NewCaptureFile();
  ASSERT_EQ(fileDialogs.asked.size(), 2u);
  EXPECT_TRUE(fileDialogs.asked[1].save);
  EXPECT_EQ(fileDialogs.asked[1].prompt, "Enter name of capture file");
  EXPECT_EQ(fileDialogs.asked[1].proposedName, "untitled.htm");
  Host("a<b\r\n");
  capture().RecorderOff();
  const std::string& html = files.files["/docs/page.html"];
  EXPECT_NE(html.find("<TITLE> page.html</TITLE>"), std::string::npos) << html;
  EXPECT_NE(html.find("a&lt;b<BR>\n"), std::string::npos) << html;

  // Deleting asks first; a cancelled choice deletes nothing.
  fileDialogs.answers = {std::nullopt};
  capture().DeleteCaptureFile();
  EXPECT_TRUE(files.files.count("/docs/log.txt"));
  fileDialogs.answers = {std::string("/docs/log.txt")};
  alerts.answers = {1};
  capture().DeleteCaptureFile();
  EXPECT_FALSE(files.files.count("/docs/log.txt"));
  EXPECT_EQ(AlertsWith("Are you sure you want to permanently delete log.txt"), 1);
}

TEST_F(CaptureService, ScriptsSetReportAndDeleteTheCaptureFile) {
  EXPECT_EQ(capture().SetCaptureFileFromScript("/docs/script.txt"), "Capture file set to /docs/script.txt");
  EXPECT_EQ(capture().GetCaptureFileName(), "/docs/script.txt");
  capture().RecorderOn();
  EXPECT_EQ(capture().DeleteCaptureFileForScript(), "Cannot Delete file when capture is on");
  capture().RecorderOff();
  EXPECT_EQ(capture().DeleteCaptureFileForScript(), "/docs/script.txt Deleted");
  EXPECT_FALSE(files.files.count("/docs/script.txt"));
  EXPECT_EQ(capture().SetCaptureFileFromScript("Korvane defaults"), "Error! Cannot use this file for a capture file.");
}

TEST_F(CaptureService, DeferredPrintingWaitsUntilTheHostHasBeenQuiet) {
  w().session.Opt.PrinterOption95 = 1;
  capture().TurnPrinterOn();
  EXPECT_EQ(w().session.input.PrinterOn, 1);
  EXPECT_TRUE(menus.ItemMarked(platform::kFileMenu, 16));
  Host("abc\r\ndef\r\n");
  capture().TurnPrinterOn();  // the item again: the printer goes off
  EXPECT_EQ(w().session.input.PrinterOn, 0);
  EXPECT_FALSE(menus.ItemMarked(platform::kFileMenu, 16));
  Turns(3);
  EXPECT_TRUE(printing.textJobs.empty());
  clock.AdvanceMs(6000);
  Turns(3);
  ASSERT_EQ(printing.textJobs.size(), 1u);
  const auto& page = printing.textJobs[0].text.pages.at(0);
  ASSERT_GE(page.size(), 2u);
  EXPECT_EQ(page[0], "abc");
  EXPECT_EQ(page[1], "def");
  EXPECT_FALSE(files.Exists("/prefs/PrinterTemp"));
}

TEST_F(CaptureService, PrintScrollBackSaysSoWhenThereIsNothingToPrint) {
  w().session.screen.ClearScrollback();
  capture().PrintScrollBack();
  EXPECT_EQ(AlertsWith("The scroll back buffer is empty"), 1);
  EXPECT_TRUE(printing.textJobs.empty());
}

}  // namespace
}  // namespace korvane::testing
