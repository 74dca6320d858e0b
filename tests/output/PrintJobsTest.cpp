// Print jobs with a printer that records: the pages chosen in the print
// dialog, the window's page format and its Page Setup file, picture printing
// and the printing-error alert.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/FakeAlerts.h"
#include "fakes/FakePrinting.h"
#include "fakes/MemoryFiles.h"
#include "output/PageSetup.h"
#include "output/PrintPicture.h"
#include "output/PrintText.h"

namespace korvane::output {
namespace {

using Lines = std::vector<std::string>;

class PrintJobsTest : public ::testing::Test {
 protected:
  // Five pages of 61 lines (12-point text on Letter): "p1 l1" ... "p5 l61".
  static std::string FivePages() {
    std::string text;
    for (int p = 1; p <= 5; ++p)
      for (int l = 1; l <= 61; ++l) text += "p" + std::to_string(p) + " l" + std::to_string(l) + "\r";
    return text;
  }
  int Print(const std::string& text, platform::PrintResult* result = nullptr) {
    return textPrinting.DoPrintDialog(48, "Session 1", text, {"KorvanePrinterFont", 12}, result);
  }

  fakes::FakePrinting printing;
  fakes::FakeAlerts alerts;
  fakes::MemoryFiles files;
  PageSetup pageSetup{printing, files, alerts, "/prefs/"};
  TextPrinting textPrinting{printing, alerts, pageSetup};
};

TEST_F(PrintJobsTest, TheDialogOffersThePagesAndTheChosenOnesArePrinted) {
  printing.chooseFirst = 2;
  printing.chooseLast = 3;
  EXPECT_EQ(Print(FivePages()), 0);
  ASSERT_EQ(printing.printDialogs.size(), 1u);
  EXPECT_EQ(printing.printDialogs[0].offered.firstPage, 1);
  EXPECT_EQ(printing.printDialogs[0].offered.lastPage, 5);
  EXPECT_EQ(printing.printDialogs[0].offered.jobName, "Session 1");
  EXPECT_EQ(printing.printDialogs[0].format, printing.defaultFormat);
  ASSERT_EQ(printing.textJobs.size(), 1u);
  const auto& job = printing.textJobs[0];
  EXPECT_EQ(job.settings.printer, "office");
  ASSERT_EQ(job.text.pages.size(), 2u);
  EXPECT_EQ(job.text.pages[0].front(), "p2 l1");
  EXPECT_EQ(job.text.pages[1].back(), "p3 l61");
  EXPECT_EQ(job.text.lineHeight, 12);
  EXPECT_EQ(job.text.fontSize, 12);
  EXPECT_EQ(job.text.fontFamily, "DejaVu Sans Mono");
  EXPECT_TRUE(alerts.shown.empty());
}

TEST_F(PrintJobsTest, ALastPageBeyondTheJobIsCutAndAnEmptyRangePrintsNothing) {
  printing.chooseFirst = 4;
  printing.chooseLast = 40;
  Print(FivePages());
  ASSERT_EQ(printing.textJobs.size(), 1u);
  EXPECT_EQ(printing.textJobs[0].settings.lastPage, 5);
  EXPECT_EQ(printing.textJobs[0].text.pages.size(), 2u);

  printing.chooseFirst = 7;
  printing.chooseLast = 9;
  EXPECT_EQ(Print(FivePages()), 0);
  EXPECT_EQ(printing.textJobs.size(), 1u);
}

TEST_F(PrintJobsTest, CancellingPrintsNothingAndSaysNothing) {
  printing.printAccepts = false;
  platform::PrintResult result;
  EXPECT_EQ(Print(FivePages(), &result), 0);
  EXPECT_TRUE(result.cancelled);
  EXPECT_TRUE(printing.textJobs.empty());
  EXPECT_TRUE(alerts.shown.empty());
}

struct ErrorCase {
  int dialogStatus, printStatus;
  const char* alert;
};

class PrintErrorTest : public PrintJobsTest, public ::testing::WithParamInterface<ErrorCase> {};

TEST_P(PrintErrorTest, AFailedJobIsReportedOnce) {
  printing.dialogStatus = GetParam().dialogStatus;
  printing.printAnswer.status = GetParam().printStatus;
  printing.printAnswer.reason = GetParam().printStatus ? "out of paper" : "";
  platform::PrintResult result;
  Print(FivePages(), &result);
  EXPECT_NE(result.status, 0);
  ASSERT_EQ(alerts.shown.size(), 1u);
  EXPECT_EQ(alerts.shown[0].kind, platform::AlertKind::Note);
  EXPECT_EQ(alerts.shown[0].text, GetParam().alert);
}

INSTANTIATE_TEST_SUITE_P(
    Errors, PrintErrorTest,
    ::testing::Values(ErrorCase{platform::kNoDefaultPrinter, 0, "Error code -30872\rNo default printer specified"},
                      ErrorCase{0, platform::kPrintFailed, "Error code -30870\rPrinting error: out of paper"}));

TEST_F(PrintJobsTest, NoWindowNoJob) {
  EXPECT_EQ(textPrinting.DoPrintDialog(0, "", FivePages(), {"Courier", 10}), 0);
  EXPECT_EQ(pageSetup.DoPageSetupDialog(0), 0);
  EXPECT_TRUE(printing.printDialogs.empty());
  EXPECT_TRUE(printing.pageSetupShown.empty());
}

// ---- Page formats -------------------------------------------------------------------

TEST_F(PrintJobsTest, PageSetupEditsTheWindowsOwnPageFormat) {
  EXPECT_EQ(pageSetup.DoPageSetupDialog(48), 0);
  ASSERT_EQ(printing.pageSetupShown.size(), 1u);
  EXPECT_EQ(printing.pageSetupShown[0], printing.defaultFormat);
  EXPECT_EQ(pageSetup.DoPageSetupDialog(48), 0);
  EXPECT_EQ(printing.pageSetupShown[1], printing.pageSetupResult);

  // The next print uses it: A4 landscape runs 12-point lines along 595 points.
  Print(FivePages());
  EXPECT_EQ(printing.printDialogs[0].format, printing.pageSetupResult);
  EXPECT_EQ(printing.printDialogs[0].offered.lastPage, 7);  // 45 lines a page
  // Another window keeps the printer's default.
  textPrinting.DoPrintDialog(49, "Session 2", FivePages(), {"", 12});
  EXPECT_EQ(printing.printDialogs[1].format, printing.defaultFormat);
}

TEST_F(PrintJobsTest, ACancelledPageSetupChangesNothing) {
  printing.pageSetupAccepts = false;
  EXPECT_EQ(pageSetup.DoPageSetupDialog(48), 0);
  EXPECT_EQ(pageSetup.DoPageSetupDialog(48), 0);
  EXPECT_EQ(printing.pageSetupShown[1], printing.defaultFormat);
  EXPECT_TRUE(alerts.shown.empty());
}

TEST_F(PrintJobsTest, APageFormatThePrintersRefuseIsDroppedWithAnAlert) {
  pageSetup.DoPageSetupDialog(48);  // the window now has A4 landscape
  printing.invalid = {printing.pageSetupResult};
  EXPECT_EQ(pageSetup.DoPageSetupDialog(48), platform::kInvalidPageFormat);
  ASSERT_EQ(alerts.shown.size(), 1u);
  EXPECT_EQ(alerts.shown[0].text, "Error code -30871\rPrinting error");
  EXPECT_EQ(printing.pageSetupShown.size(), 1u);  // no dialog
  pageSetup.DoPageSetupDialog(48);
  EXPECT_EQ(printing.pageSetupShown.back(), printing.defaultFormat);
}

TEST_F(PrintJobsTest, ThePageSetupFileCarriesOnePageFormatToTheNextRun) {
  pageSetup.SavePageSetupFile(48);  // no page format yet: nothing written
  EXPECT_TRUE(files.writes.empty());

  pageSetup.DoPageSetupDialog(48);
  pageSetup.SavePageSetupFile(48);
  pageSetup.SavePageSetupFile(48);
  ASSERT_EQ(files.writes, (std::vector<std::string>{"/prefs/Page Setup", "/prefs/Page Setup"}));
  EXPECT_EQ(files.files["/prefs/Page Setup"],
            "Korvane page setup 1\npaper=A4\nwidth=595\nheight=842\norientation=landscape\nmargins=10 10 10 10\n");

  PageSetup nextRun(printing, files, alerts, "/prefs");
  nextRun.LoadPageSetupFile(50);
  platform::PageFormat format;
  ASSERT_EQ(nextRun.GetWindowPageFormat(50, format), 0);
  EXPECT_EQ(format, printing.pageSetupResult);
  ASSERT_EQ(nextRun.GetWindowPageFormat(51, format), 0);
  EXPECT_EQ(format, printing.defaultFormat);
  EXPECT_TRUE(alerts.shown.empty());
}

TEST_F(PrintJobsTest, AnUnreadablePageSetupFileLoadsNothingAndIsReplacedAtTheNextSave) {
  for (const char* bytes :
       {"", "Korvane page setup 1\nwidth=x\n", "\x00\x01garbage",
        "Korvane page setup 1\npaper=A4\nwidth=595\nheight=-1\norientation=portrait\nmargins=0 0 0 0\n"}) {
    files.files["/prefs/Page Setup"] = bytes;
    PageSetup run(printing, files, alerts, "/prefs/");
    run.LoadPageSetupFile(48);
    EXPECT_FALSE(run.HasPageFormat(48)) << bytes;
  }
  pageSetup.DoPageSetupDialog(48);
  pageSetup.SavePageSetupFile(48);
  platform::PageFormat back;
  ASSERT_TRUE(PageSetup::ParsePageFormat(files.files["/prefs/Page Setup"], back));
  EXPECT_EQ(back, printing.pageSetupResult);
}

TEST_F(PrintJobsTest, AFailedSaveIsReported) {
  files.failWrites.insert("/prefs/Page Setup");
  pageSetup.DoPageSetupDialog(48);
  pageSetup.SavePageSetupFile(48);
  ASSERT_EQ(alerts.shown.size(), 1u);
  EXPECT_NE(alerts.shown[0].text.find("The page setup could not be saved."), std::string::npos);
}

// ---- Pictures ------------------------------------------------------------------------

TEST_F(PrintJobsTest, APictureIsOnePageWithThePrintersOwnPageFormat) {
  pageSetup.DoPageSetupDialog(48);  // a window's page setup does not apply
  PicturePrinting pictures(printing, alerts);
  platform::PixelImage image{2, 1, {0xFF000000u, 0xFFFFFFFFu}};
  printing.chooseFirst = 1;
  printing.chooseLast = 3;
  EXPECT_EQ(pictures.PrintRectAsPicture(image, "Session 1"), 0);
  ASSERT_EQ(printing.pictureJobs.size(), 1u);
  EXPECT_EQ(printing.pictureJobs[0].format, printing.defaultFormat);
  EXPECT_EQ(printing.pictureJobs[0].settings.lastPage, 1);
  EXPECT_EQ(printing.pictureJobs[0].settings.copies, 1);
  EXPECT_EQ(printing.pictureJobs[0].image.pixels, image.pixels);

  printing.printAccepts = false;
  pictures.PrintRectAsPicture(image, "Session 1");
  EXPECT_EQ(printing.pictureJobs.size(), 1u);
  // No picture: no dialog either.
  pictures.PrintRectAsPicture({}, "Session 1");
  EXPECT_EQ(printing.printDialogs.size(), 2u);
}

}  // namespace
}  // namespace korvane::output
