// Printing on Qt into PDF files, read back with poppler's tools: a text job
// through the text-printing code lands on its pages in the print font, a
// picture prints on one page, and a file that cannot be written is reported.

#include <gtest/gtest.h>
#include <time.h>
#include <unistd.h>

#include <QApplication>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QTimer>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "fakes/FakeAlerts.h"
#include "fakes/MemoryFiles.h"
#include "output/PageSetup.h"
#include "output/PrintPages.h"
#include "output/PrintText.h"
#include "platform/posix/PosixPrograms.h"
#include "platform/qt/QtPrinting.h"

namespace korvane::platform {
namespace {

// Qt's printing with the print dialog answered by the test: print into a
// PDF file, pages as offered unless the test chooses.
class PdfPrinting final : public Printing {
 public:
  explicit PdfPrinting(std::string file) : file_(std::move(file)) {}
  int chooseFirst = 0, chooseLast = 0;

  PageFormat DefaultPageFormat() override { return {"Letter", 612, 792, false, 18, 18, 18, 18}; }
  int ValidatePageFormat(const PageFormat& f) override { return qt_.ValidatePageFormat(f); }
  PrintResult PageSetupDialog(PageFormat&) override { return {0, true, {}}; }
  PrintResult PrintDialog(const PageFormat&, PrintSettings& settings) override {
    settings.outputFile = file_;
    if (chooseFirst) settings.firstPage = chooseFirst;
    if (chooseLast) settings.lastPage = chooseLast;
    return {};
  }
  PrintResult PrintText(const PrintSettings& s, const PageFormat& f, const TextPages& t) override {
    return qt_.PrintText(s, f, t);
  }
  PrintResult PrintPicture(const PrintSettings& s, const PageFormat& f, const PixelImage& i) override {
    return qt_.PrintPicture(s, f, i);
  }
  std::string DefaultPrinterName() override { return {}; }

 private:
  std::string file_;
  QtPrinting qt_;
};

class QtPrintingTest : public ::testing::Test {
 protected:
  QtPrintingTest() {
    std::string pattern = "/tmp/korvane-print-XXXXXX";
    if (mkdtemp(pattern.data())) dir = pattern;
    pdf = dir + "/job.pdf";
  }
  ~QtPrintingTest() override {
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
  }
  void SetUp() override {
    if (Run({"pdftotext", "-v"}).empty()) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
  }
  // What a poppler tool prints for the arguments; empty when it cannot run.
  static std::string Run(const std::vector<std::string>& argv) {
    posix::PosixPrograms programs;
    int id = 0;
    if (programs.StartProgram(argv, id) != 0) return {};
    ProgramExit exit;
    for (int i = 0; i < 1000; ++i) {
      if (programs.ProgramEnded(id, exit)) return exit.output;
      timespec ts{0, 10 * 1000 * 1000};
      nanosleep(&ts, nullptr);
    }
    return {};
  }
  std::string PageText(int page) {
    return Run({"pdftotext", "-layout", "-f", std::to_string(page), "-l", std::to_string(page), pdf, "-"});
  }

  std::string dir, pdf;
  fakes::FakeAlerts alerts;
  fakes::MemoryFiles files;
};

TEST_F(QtPrintingTest, AKnownTextPrintsOnItsPages) {
  PdfPrinting printing(pdf);
  output::PageSetup pageSetup(printing, files, alerts, "/prefs/");
  output::TextPrinting textPrinting(printing, alerts, pageSetup);
  // Captured host text: a header line starts the second page; the
  // Mac Roman a-umlaut and the screen font's vertical line come as codes.
  std::string captured = "Korvane print test\r\tindented\r";
  for (int i = 3; i <= 70; ++i) captured += "line " + std::to_string(i) + "\r";
  captured += "PAGE 2\r\xC3\xA4 \xE2\x94\x82 end\r";
  const std::string text = output::BuildPrintText(captured, "PAGE", output::PrintSource::CapturedText);
  ASSERT_EQ(textPrinting.DoPrintDialog(48, "Session 1", text, {"KorvanePrinterFont", 12}), 0);
  EXPECT_TRUE(alerts.shown.empty());

  const std::string info = Run({"pdfinfo", pdf});
  EXPECT_NE(info.find("Pages:           3"), std::string::npos) << info;
  EXPECT_NE(info.find("612 x 792 pts"), std::string::npos) << info;
  const std::string page1 = PageText(1), page2 = PageText(2), page3 = PageText(3);
  // 61 lines of 12 points fill a Letter page.
  EXPECT_NE(page1.find("Korvane print test"), std::string::npos) << page1;
  EXPECT_NE(page1.find("        indented"), std::string::npos) << page1;
  EXPECT_NE(page1.find("line 61"), std::string::npos);
  EXPECT_EQ(page1.find("line 62"), std::string::npos);
  EXPECT_NE(page2.find("line 62"), std::string::npos) << page2;
  EXPECT_NE(page2.find("line 70"), std::string::npos);
  EXPECT_EQ(page2.find("PAGE 2"), std::string::npos);
  EXPECT_NE(page3.find("PAGE 2"), std::string::npos) << page3;
  EXPECT_NE(page3.find("\xC3\xA4 \xE2\x94\x82 end"), std::string::npos) << page3;
}

TEST_F(QtPrintingTest, AChosenRangePrintsOnlyItsPages) {
  PdfPrinting printing(pdf);
  printing.chooseFirst = printing.chooseLast = 2;
  output::PageSetup pageSetup(printing, files, alerts, "/prefs/");
  output::TextPrinting textPrinting(printing, alerts, pageSetup);
  ASSERT_EQ(textPrinting.DoPrintDialog(48, "Session 1", "one\r\ftwo\r\fthree\r", {"Courier", 10}), 0);
  EXPECT_NE(Run({"pdfinfo", pdf}).find("Pages:           1"), std::string::npos);
  const std::string page = PageText(1);
  EXPECT_NE(page.find("two"), std::string::npos) << page;
  EXPECT_EQ(page.find("one"), std::string::npos);
}

TEST_F(QtPrintingTest, APicturePrintsOnOnePage) {
  QtPrinting printing;
  PixelImage image{200, 100, std::vector<uint32_t>(200 * 100, 0xFF336699u)};
  PrintSettings settings;
  settings.outputFile = pdf;
  const PrintResult result = printing.PrintPicture(settings, printing.DefaultPageFormat(), image);
  EXPECT_EQ(result.status, 0) << result.reason;
  EXPECT_NE(Run({"pdfinfo", pdf}).find("Pages:           1"), std::string::npos);
  EXPECT_NE(Run({"pdfimages", "-list", pdf}).find("200   100"), std::string::npos);
}

TEST_F(QtPrintingTest, AFileThatCannotBeWrittenIsReported) {
  QtPrinting printing;
  PrintSettings settings;
  settings.outputFile = dir + "/no such folder/job.pdf";
  TextPages text;
  text.fontFamily = "DejaVu Sans Mono";
  text.pages = {{"x"}};
  const PrintResult result = printing.PrintText(settings, printing.DefaultPageFormat(), text);
  EXPECT_EQ(result.status, kPrintFailed);
  EXPECT_NE(result.reason.find("cannot be written"), std::string::npos) << result.reason;
}

TEST_F(QtPrintingTest, WithoutAPrinterTheDialogPrintsIntoAPdfFileInTheDocumentsFolder) {
  if (!QPrinterInfo::availablePrinters().isEmpty()) GTEST_SKIP() << "a printer is set up here";
  const QByteArray home = qgetenv("HOME");
  qputenv("HOME", QByteArray::fromStdString(dir));
  std::filesystem::create_directories(dir + "/Documents");
  // The user presses Print as soon as the dialog is up.
  bool shown = false;
  QTimer::singleShot(0, [&shown] {
    if (auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget())) {
      shown = true;
      dialog->accept();
    }
  });
  QtPrinting printing;
  PrintSettings settings;
  settings.jobName = "Session 1/a";
  settings.lastPage = 3;
  const PrintResult result = printing.PrintDialog(printing.DefaultPageFormat(), settings);
  qputenv("HOME", home);
  ASSERT_TRUE(shown);
  EXPECT_EQ(result.status, 0);
  EXPECT_FALSE(result.cancelled);
  EXPECT_EQ(settings.outputFile, dir + "/Documents/Session 1_a.pdf");
  EXPECT_EQ(settings.firstPage, 1);
  EXPECT_EQ(settings.lastPage, 3);
}

// Answers the next modal dialog of type D: accept (true) or reject. The flag
// turns true once the dialog has been seen.
template <typename D>
std::shared_ptr<bool> AnswerNextDialog(bool accept) {
  auto shown = std::make_shared<bool>(false);
  QTimer::singleShot(0, [accept, shown] {
    if (auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget())) {
      *shown = true;
      accept ? dialog->accept() : dialog->reject();
    }
  });
  return shown;
}

TEST(QtPrintDialogs, CancellingADialogChangesNothing) {
  QtPrinting printing;
  PrintSettings settings;
  settings.lastPage = 2;
  auto shown = AnswerNextDialog<QPrintDialog>(false);
  const PrintResult printed = printing.PrintDialog(printing.DefaultPageFormat(), settings);
  EXPECT_TRUE(*shown);
  EXPECT_TRUE(printed.cancelled);
  EXPECT_EQ(printed.status, 0);
  EXPECT_TRUE(settings.outputFile.empty());

  PageFormat format{"A5", 420, 595, true, 20, 20, 20, 20};
  const PageFormat before = format;
  shown = AnswerNextDialog<QPageSetupDialog>(false);
  EXPECT_TRUE(printing.PageSetupDialog(format).cancelled);
  EXPECT_TRUE(*shown);
  EXPECT_EQ(format, before);
  shown = AnswerNextDialog<QPageSetupDialog>(true);
  const PrintResult accepted = printing.PageSetupDialog(format);
  EXPECT_TRUE(*shown);
  EXPECT_FALSE(accepted.cancelled);
  EXPECT_EQ(format.paperName, "A5");
  EXPECT_TRUE(format.landscape);
}

TEST(QtPageFormats, PageFormatsSurviveTheWayThroughQt) {
  for (const PageFormat& f :
       {PageFormat{"A4", 595, 842, false, 18, 18, 18, 18}, PageFormat{"Letter", 612, 792, true, 36, 18, 36, 18},
        PageFormat{"", 300, 500, false, 0, 0, 0, 0}}) {
    const PageFormat back = QtPrinting::FormatOf(QtPrinting::LayoutOf(f));
    EXPECT_EQ(back.paperName, f.paperName);
    EXPECT_EQ(back.landscape, f.landscape);
    EXPECT_NEAR(back.paperWidth, f.paperWidth, 1.0);
    EXPECT_NEAR(back.paperHeight, f.paperHeight, 1.0);
    EXPECT_NEAR(back.marginLeft, f.marginLeft, 0.01);
    EXPECT_NEAR(back.marginBottom, f.marginBottom, 0.01);
    EXPECT_EQ(QtPrinting().ValidatePageFormat(f), 0);
  }
  EXPECT_EQ(QtPrinting().ValidatePageFormat({"", 0, 0, false, 0, 0, 0, 0}), kInvalidPageFormat);
  EXPECT_EQ(QtPrinting().ValidatePageFormat({"", 100, 100, false, 60, 0, 60, 0}), kInvalidPageFormat);
}

}  // namespace
}  // namespace korvane::platform
