// The printer capture: host text collected while the printer is on, printed
// as text when it goes off (at once or once the host is quiet), or handed to
// lp unchanged in pass-through mode; and the screen printed as text or as a
// picture.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TempFolder.h"
#include "fakes/FakeScreenHost.h"
#include "fakes/FakeAlerts.h"
#include "fakes/FakeClock.h"
#include "fakes/FakePrinting.h"
#include "fakes/FakePrograms.h"
#include "fakes/FaultyFiles.h"
#include "fakes/RecordingCaptureHost.h"
#include "output/CaptureOutput.h"
#include "output/PrintScreen.h"
#include "platform/NullPort.h"
#include "platform/posix/PosixFiles.h"

namespace korvane::output {
namespace {

using testing_support::Contents;
using testing_support::Exists;
using testing_support::TempFolder;
using Lines = std::vector<std::string>;

class PrinterCaptureTest : public ::testing::Test {
 protected:
  PrinterCaptureTest() {
    std::filesystem::create_directories(prefs());
    opt.PrinterFontSize = 12;
    opt.PrinterFontName = "KorvanePrinterFont";
    opt.PrintPageHeader = "PAGE";
    opt.PrinterOption101 = 1;
    s.ComputeCellMetrics();
  }
  std::string prefs() const { return dir / "korvane"; }
  std::string PrinterFile() const { return prefs() + "/PrinterTemp"; }
  PrinterCapture& printer() { return output.Printer(); }
  // The lines printed on each page of the last text job.
  std::vector<Lines> PrintedPages() const {
    return printing.textJobs.empty() ? std::vector<Lines>{} : printing.textJobs.back().text.pages;
  }

  TempFolder dir;
  SessionOptions opt;
  platform::NullPort port{600, 400};
  fakes::FakeScreenHost screenHost;
  Screen s{opt, port, screenHost};
  fakes::FaultyFiles files;
  fakes::FakeAlerts alerts;
  fakes::FakePrinting printing;
  fakes::FakePrograms programs;
  fakes::FakeClock clock;
  fakes::RecordingCaptureHost host;
  PrintServices services{printing, files, alerts, programs, clock, prefs() + "/"};
  CaptureOutput output{opt, s, files, alerts, host, services, {prefs(), dir / "Desktop", dir.path}};
};

TEST_F(PrinterCaptureTest, HostTextIsPrintedWhenThePrinterGoesOffAndItsFileRemoved) {
  ASSERT_TRUE(output.OpenPrinterCapture());
  EXPECT_TRUE(printer().PrinterOn());
  output.WritePrinterCapture("abc");
  output.WritePrinterCapture("\r");
  output.WritePrinterCapture("def");
  output.Flush();
  EXPECT_EQ(Contents(PrinterFile()), "abc\rdef");

  output.PrinterCaptureOff(true);
  EXPECT_FALSE(printer().PrinterOn());
  EXPECT_EQ(PrintedPages(), (std::vector<Lines>{{"abc", "def"}}));
  EXPECT_EQ(printing.printDialogs.at(0).offered.jobName, "Session 1");
  EXPECT_FALSE(Exists(PrinterFile()));
  EXPECT_EQ(host.printerChanges, (std::vector<bool>{true, false}));
}

TEST_F(PrinterCaptureTest, CapturedCodesPrintAsTheScreenShowsThemAndHeadersStartPages) {
  output.OpenPrinterCapture();
  output.WritePrinterCapture("PAGE 1\r\x8A\xE2\rx\r");
  output.WritePrinterCapture("PAGE 2\rlast\r");
  output.PrinterCaptureOff(false);
  EXPECT_EQ(PrintedPages(), (std::vector<Lines>{{"PAGE 1", "\xC3\xA4\xE2\x94\x82", "x"}, {"PAGE 2", "last"}}));
}

TEST_F(PrinterCaptureTest, ACancelledPrintDropsTheTextAndAFailedOneKeepsIt) {
  output.OpenPrinterCapture();
  output.WritePrinterCapture("cancelled\r");
  printing.printAccepts = false;
  output.PrinterCaptureOff(false);
  EXPECT_FALSE(Exists(PrinterFile()));
  EXPECT_TRUE(alerts.shown.empty());

  printing.printAccepts = true;
  printing.printAnswer.status = platform::kPrintFailed;
  output.OpenPrinterCapture();
  const std::string file = printer().PrinterFilePath();
  output.WritePrinterCapture("failed\r");
  output.PrinterCaptureOff(false);
  EXPECT_EQ(Contents(file), "failed\r");
  ASSERT_EQ(alerts.shown.size(), 2u);
  EXPECT_EQ(alerts.shown[1].text, "The printer text is kept in " + file);
}

TEST_F(PrinterCaptureTest, DeferredPrintingWaitsUntilTheHostIsQuiet) {
  opt.PrinterOption95 = 1;
  output.OpenPrinterCapture();
  output.WritePrinterCapture("report\r");
  output.PrinterCaptureOff(true);
  EXPECT_TRUE(printer().PrintPending());
  EXPECT_TRUE(printer().HostPrintOffPending());
  output.IdlePass(240);
  EXPECT_TRUE(printing.printDialogs.empty());

  // The host turns the printer on again before the pause: its text joins
  // the job waiting.
  output.OpenPrinterCapture();
  EXPECT_FALSE(printer().PrintPending());
  output.WritePrinterCapture("more\r");
  output.PrinterCaptureOff(true);
  output.IdlePass(241);
  EXPECT_FALSE(printer().PrintPending());
  EXPECT_FALSE(printer().HostPrintOffPending());
  EXPECT_EQ(PrintedPages(), (std::vector<Lines>{{"report", "more"}}));
  output.IdlePass(1000);
  EXPECT_EQ(printing.textJobs.size(), 1u);
}

TEST_F(PrinterCaptureTest, TheMenuItemTogglesAndRefusesWhileClipboardCaptureIsOn) {
  output.TurnPrinterOn(true);
  EXPECT_FALSE(printer().PrinterOn());
  ASSERT_EQ(alerts.shown.size(), 1u);
  EXPECT_EQ(alerts.shown[0].text,
            "CLIPBOARD ON! Must turn Clipboard off before turning Printer on (under Capture menu)");
  EXPECT_TRUE(host.printerChanges.empty());

  output.TurnPrinterOn(false);
  EXPECT_TRUE(printer().PrinterOn());
  output.WritePrinterCapture("menu\r");
  output.TurnPrinterOn(false);
  EXPECT_FALSE(printer().PrinterOn());
  EXPECT_EQ(PrintedPages(), (std::vector<Lines>{{"menu"}}));
}

TEST_F(PrinterCaptureTest, WithTheClipboardOptionTheClipboardTextIsPrinted) {
  opt.UseClip = 1;
  host.clipboard = "left over";
  ASSERT_TRUE(output.OpenPrinterCapture());
  EXPECT_EQ(host.clipboardClears, 1);
  EXPECT_FALSE(Exists(PrinterFile()));
  host.clipboard = "one\rtwo\r";  // what the clipboard capture collected
  output.PrinterCaptureOff(false);
  EXPECT_EQ(PrintedPages(), (std::vector<Lines>{{"one", "two"}}));
}

TEST_F(PrinterCaptureTest, NothingCapturedNothingPrinted) {
  output.OpenPrinterCapture();
  output.PrinterCaptureOff(false);
  EXPECT_TRUE(printing.printDialogs.empty());
  EXPECT_FALSE(Exists(PrinterFile()));
}

TEST_F(PrinterCaptureTest, TwoSessionsCaptureIntoFilesOfTheirOwn) {
  CaptureOutput other{opt, s, files, alerts, host, services, {prefs(), dir / "Desktop", dir.path}};
  output.OpenPrinterCapture();
  other.OpenPrinterCapture();
  EXPECT_NE(output.Printer().PrinterFilePath(), other.Printer().PrinterFilePath());
  output.WritePrinterCapture("first\r");
  other.WritePrinterCapture("second\r");
  other.PrinterCaptureOff(false);
  output.PrinterCaptureOff(false);
  ASSERT_EQ(printing.textJobs.size(), 2u);
  EXPECT_EQ(printing.textJobs[0].text.pages, (std::vector<Lines>{{"second"}}));
  EXPECT_EQ(printing.textJobs[1].text.pages, (std::vector<Lines>{{"first"}}));
}

TEST_F(PrinterCaptureTest, AFullDiskKeepsWhatWasCapturedAndPrintsIt) {
  output.OpenPrinterCapture();
  output.WritePrinterCapture("kept\r");
  output.Flush();
  files.fault = fakes::FaultyFiles::Fault::FailHalfWay;
  output.WritePrinterCapture("half\r");
  output.Flush();
  output.WritePrinterCapture("dropped\r");
  output.Flush();
  files.fault = fakes::FaultyFiles::Fault::None;
  output.PrinterCaptureOff(false);
  ASSERT_EQ(alerts.shown.size(), 1u);
  EXPECT_NE(alerts.shown[0].text.find("Unable to write the printer file."), std::string::npos);
  EXPECT_EQ(PrintedPages(), (std::vector<Lines>{{"kept", "ha"}}));
}

// ---- Pass-through to lp ---------------------------------------------------------------

TEST_F(PrinterCaptureTest, PassThroughHandsTheBytesToLpAndRemovesThemOnceTaken) {
  opt.PclPassThrough = 1;
  printer().SetRawPrinter("laser");
  output.OpenPrinterCapture();
  const std::string file = printer().PrinterFilePath();
  const std::string pcl(
      "\x1B"
      "E\x1B&l0O\0\r\n\xFF",
      11);
  output.WritePrinterCapture(pcl);
  output.PrinterCaptureOff(false);
  EXPECT_TRUE(printing.printDialogs.empty());
  ASSERT_EQ(programs.starts.size(), 1u);
  EXPECT_EQ(programs.starts[0], (std::vector<std::string>{"lp", "-d", "laser", "-o", "raw", file}));
  EXPECT_EQ(Contents(file), pcl);
  EXPECT_TRUE(services.spooler.Busy());

  services.spooler.Poll();
  EXPECT_TRUE(Exists(file));
  programs.ended[1] = {true, 0, "request id is laser-7 (1 file(s))\n"};
  services.spooler.Poll();
  EXPECT_FALSE(Exists(file));
  EXPECT_FALSE(services.spooler.Busy());
  EXPECT_TRUE(alerts.shown.empty());
}

TEST_F(PrinterCaptureTest, PassThroughWithoutAChosenPrinterTakesTheDefaultOne) {
  opt.PclPassThrough = 1;
  output.OpenPrinterCapture();
  output.WritePrinterCapture("x");
  output.PrinterCaptureOff(false);
  ASSERT_EQ(programs.starts.size(), 1u);
  EXPECT_EQ(programs.starts[0][2], "office");
}

struct SpoolFailure {
  int startError;
  platform::ProgramExit exit;
  int64_t waitMs;
  const char* said;
};

class SpoolFailureTest : public PrinterCaptureTest, public ::testing::WithParamInterface<SpoolFailure> {};

TEST_P(SpoolFailureTest, AJobLpDoesNotTakeIsKeptAndReported) {
  opt.PclPassThrough = 1;
  programs.failStartWith = GetParam().startError;
  output.OpenPrinterCapture();
  const std::string file = printer().PrinterFilePath();
  output.WritePrinterCapture(
      "\x1B"
      "E");
  output.PrinterCaptureOff(false);
  if (GetParam().startError == 0) {
    clock.AdvanceMs(GetParam().waitMs);
    if (GetParam().waitMs == 0) programs.ended[1] = GetParam().exit;
    services.spooler.Poll();
  }
  EXPECT_FALSE(services.spooler.Busy());
  EXPECT_EQ(Contents(file),
            "\x1B"
            "E");
  ASSERT_EQ(alerts.shown.size(), 1u);
  EXPECT_NE(alerts.shown[0].text.find("The printer did not take the job."), std::string::npos);
  EXPECT_NE(alerts.shown[0].text.find(GetParam().said), std::string::npos) << alerts.shown[0].text;
  EXPECT_NE(alerts.shown[0].text.find("The printer data is kept in " + file), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Failures, SpoolFailureTest,
                         ::testing::Values(SpoolFailure{ENOENT, {}, 0, "lp was not found"},
                                           SpoolFailure{0,
                                                        {true, 1, "lp: The printer or class does not exist.\n"},
                                                        0,
                                                        "lp: The printer or class does not exist."},
                                           SpoolFailure{0, {false, 9, ""}, 0, "lp was stopped by signal 9"},
                                           SpoolFailure{
                                               0, {}, PrintSpooler::kTimeoutMs + 1, "did not finish within a minute"}));

TEST_F(PrinterCaptureTest, APrinterNameThatCouldBeAnOptionIsRefused) {
  EXPECT_TRUE(PrintSpooler::IsPrinterName("HP_LaserJet-4"));
  for (const char* bad : {"", "-o", "two words", "a/b", "q#1", "x\ny"}) EXPECT_FALSE(PrintSpooler::IsPrinterName(bad));
  opt.PclPassThrough = 1;
  printer().SetRawPrinter("-dother");
  output.OpenPrinterCapture();
  output.WritePrinterCapture("x");
  output.PrinterCaptureOff(false);
  EXPECT_TRUE(programs.starts.empty());
  ASSERT_EQ(alerts.shown.size(), 1u);
}

// ---- The windows that say a job is under way ------------------------------------------

std::string NumberedLines(int n) {
  std::string text;
  for (int i = 1; i <= n; ++i) text += "line " + std::to_string(i) + "\r";
  return text;
}

TEST_F(PrinterCaptureTest, ARawJobShowsItsWindowOnceLpHasItAndClosesItLater) {
  opt.PclPassThrough = 1;
  size_t startedWhenShown = 0;
  host.onShowNotice = [&](int) { startedWhenShown = programs.starts.size(); };
  output.OpenPrinterCapture();
  output.WritePrinterCapture(
      "\x1B"
      "E");
  output.PrinterCaptureOff(false);
  EXPECT_EQ(host.notices, (Lines{"show 45", "close 45"}));
  EXPECT_EQ(startedWhenShown, 1u) << "the window says the job is being sent once lp runs";

  // A job lp cannot take shows no such window: the alert says what happened.
  host.notices.clear();
  programs.failStartWith = ENOENT;
  output.OpenPrinterCapture();
  output.WritePrinterCapture(
      "\x1B"
      "E");
  output.PrinterCaptureOff(false);
  EXPECT_TRUE(host.notices.empty());
  EXPECT_EQ(alerts.shown.size(), 1u);
}

struct LongText {
  const char* name;
  int lines;
  bool clipboard;  // the clipboard option: the clipboard's text is printed
  bool textFile;   // File menu "Print Text File..."
  bool shown;      // the "Printing" window is shown
};

class LongTextTest : public PrinterCaptureTest, public ::testing::WithParamInterface<LongText> {};

TEST_P(LongTextTest, TheProgressWindowShowsAroundThePrintDialogOfALongText) {
  const LongText& c = GetParam();
  size_t dialogsWhenShown = 99;
  host.onShowNotice = [&](int) { dialogsWhenShown = printing.printDialogs.size(); };
  if (c.textFile) {
    const std::string file = dir / "long.txt";
    testing_support::WriteFile(file, NumberedLines(c.lines));
    output.PrintTextFile(file);
  } else if (c.clipboard) {
    opt.UseClip = 1;
    output.OpenPrinterCapture();
    host.clipboard = NumberedLines(c.lines);
    output.PrinterCaptureOff(false);
  } else {
    output.OpenPrinterCapture();
    output.WritePrinterCapture(NumberedLines(c.lines));
    output.PrinterCaptureOff(false);
  }
  ASSERT_EQ(printing.printDialogs.size(), 1u);
  ASSERT_EQ(printing.textJobs.size(), 1u);
  size_t printed = 0;
  for (const auto& page : printing.textJobs[0].text.pages) printed += page.size();
  EXPECT_EQ(printed, static_cast<size_t>(c.lines));
  if (c.shown) {
    EXPECT_EQ(host.notices, (Lines{"show 23", "close 23"}));
    EXPECT_EQ(dialogsWhenShown, 0u) << "the window is up before the print dialog";
  } else {
    EXPECT_TRUE(host.notices.empty());
  }
}

INSTANTIATE_TEST_SUITE_P(Lengths, LongTextTest,
                         ::testing::Values(LongText{"Captured5000", 5000, false, false, false},
                                           LongText{"Captured5001", 5001, false, false, true},
                                           LongText{"Clipboard5000", 5000, true, false, false},
                                           LongText{"Clipboard5001", 5001, true, false, true},
                                           LongText{"TextFile3000", 3000, false, true, false},
                                           LongText{"TextFile3001", 3001, false, true, true}),
                         [](const auto& c) { return std::string(c.param.name); });

// ---- Text files -----------------------------------------------------------------------

TEST_F(PrinterCaptureTest, TextFilesPrintFromUtf8OrMacRomanWithTheirPageMarks) {
  const std::string utf8 = dir / "notes.txt", mac = dir / "mac.txt";
  testing_support::WriteFile(utf8, "caf\xC3\xA9\nPAGE 2\r\nend\n");
  testing_support::WriteFile(mac, "caf\x8E\rsecond\r");
  output.PrintTextFile(utf8);
  EXPECT_EQ(PrintedPages(), (std::vector<Lines>{{"caf\xC3\xA9"}, {"PAGE 2", "end"}}));
  output.PrintTextFile(mac);
  EXPECT_EQ(PrintedPages(), (std::vector<Lines>{{"caf\xC3\xA9", "second"}}));
  output.PrintTextFile(dir / "missing.txt");
  ASSERT_EQ(alerts.shown.size(), 1u);
  EXPECT_NE(alerts.shown[0].text.find("The text file could not be read."), std::string::npos);
  EXPECT_EQ(printing.textJobs.size(), 2u);
}

// ---- Print screen ----------------------------------------------------------------------

TEST_F(PrinterCaptureTest, TheScreenPrintsAsTextRowByRow) {
  s.ScreenRows = 3;
  s.ScreenCols = 6;
  const std::string rows[] = {"ab", "", "\x8A  x"};
  for (int r = 1; r <= 3; ++r)
    for (std::size_t c = 0; c < rows[r - 1].size(); ++c)
      s.ScreenChars(r, static_cast<int>(c) + 1) = static_cast<uint8_t>(rows[r - 1][c]);
  output.PrintScreen();
  // Empty cells print as blanks and trailing blanks stay; rows below the
  // screen are not printed.
  EXPECT_EQ(PrintedPages(), (std::vector<Lines>{{"ab    ", "      ", "\xC3\xA4  x  "}}));
}

TEST_F(PrinterCaptureTest, TheScreenPrintsAsAPictureWithoutTheFunctionKeyBar) {
  opt.PrinterOption101 = 0;
  host.picture = {1, 1, {0xFF000000u}};
  s.ScreenRows = 24;
  output.PrintScreen();
  ASSERT_EQ(host.pictureRequests.size(), 1u);
  EXPECT_EQ(host.pictureRequests[0].right, 599);
  EXPECT_EQ(host.pictureRequests[0].bottom, 24 * s.CellHeight + 1);
  ASSERT_EQ(printing.pictureJobs.size(), 1u);

  opt.FkeyBarShown = 1;  // the bar is hidden: the whole content
  output.PrintScreen();
  EXPECT_EQ(host.pictureRequests[1].bottom, 399);
}

TEST(PrintScreenCells, TheWindowsContentGivesTheCells) {
  // 12-point cells, 7 x 15 pixels: a 570 x 375 window shows 80 columns, 25 rows.
  const ScreenCellRange all = PrintScreenCells(570, 375, 7, 15, 2, 24, 80, false);
  EXPECT_EQ(all.firstRow, 1);
  EXPECT_EQ(all.firstColumn, 1);
  EXPECT_EQ(all.lastColumn, 80);
  EXPECT_EQ(all.lastRow, 24);
  EXPECT_EQ(PrintScreenCells(570, 375, 7, 15, 2, 30, 80, true).lastRow, 22);
  EXPECT_EQ(PrintScreenCells(5000, 5000, 7, 15, 2, 71, 207, false).lastColumn, 206);
}

}  // namespace
}  // namespace korvane::output
