#pragma once
// A printer that prints nothing: the dialogs answer as the test says, and
// every page format shown and every job printed is recorded.

#include <functional>
#include <string>
#include <vector>

#include "platform/Printing.h"

namespace korvane::fakes {

class FakePrinting : public platform::Printing {
 public:
  platform::PageFormat defaultFormat{"Letter", 612, 792, false, 18, 18, 18, 18};
  std::string defaultPrinter = "office";
  // Formats ValidatePageFormat refuses.
  std::vector<platform::PageFormat> invalid;

  // The page-setup dialog: what it shows, and how it answers.
  std::vector<platform::PageFormat> pageSetupShown;
  bool pageSetupAccepts = true;
  platform::PageFormat pageSetupResult{"A4", 595, 842, true, 10, 10, 10, 10};

  // The print dialog: what it offers, and what the user chooses (pages 0:
  // all that are offered).
  struct DialogShown {
    platform::PageFormat format;
    platform::PrintSettings offered;
  };
  std::vector<DialogShown> printDialogs;
  bool printAccepts = true;
  int chooseFirst = 0, chooseLast = 0;
  std::string chooseOutputFile;
  int dialogStatus = 0;

  // What was printed, and the answer of the printer.
  struct TextJob {
    platform::PrintSettings settings;
    platform::PageFormat format;
    platform::TextPages text;
  };
  std::vector<TextJob> textJobs;
  struct PictureJob {
    platform::PrintSettings settings;
    platform::PageFormat format;
    platform::PixelImage image;
  };
  std::vector<PictureJob> pictureJobs;
  platform::PrintResult printAnswer;

  platform::PageFormat DefaultPageFormat() override { return defaultFormat; }
  int ValidatePageFormat(const platform::PageFormat& format) override {
    for (const auto& bad : invalid)
      if (bad == format) return platform::kInvalidPageFormat;
    return 0;
  }
  platform::PrintResult PageSetupDialog(platform::PageFormat& format) override {
    pageSetupShown.push_back(format);
    platform::PrintResult r;
    if (!pageSetupAccepts) {
      r.cancelled = true;
      return r;
    }
    format = pageSetupResult;
    return r;
  }
  platform::PrintResult PrintDialog(const platform::PageFormat& format, platform::PrintSettings& settings) override {
    printDialogs.push_back({format, settings});
    platform::PrintResult r;
    r.status = dialogStatus;
    if (dialogStatus != 0) return r;
    if (!printAccepts) {
      r.cancelled = true;
      return r;
    }
    if (chooseFirst != 0) settings.firstPage = chooseFirst;
    if (chooseLast != 0) settings.lastPage = chooseLast;
    settings.outputFile = chooseOutputFile;
    if (chooseOutputFile.empty()) settings.printer = defaultPrinter;
    return r;
  }
  platform::PrintResult PrintText(const platform::PrintSettings& settings, const platform::PageFormat& format,
                                  const platform::TextPages& text) override {
    textJobs.push_back({settings, format, text});
    return printAnswer;
  }
  platform::PrintResult PrintPicture(const platform::PrintSettings& settings, const platform::PageFormat& format,
                                     const platform::PixelImage& image) override {
    pictureJobs.push_back({settings, format, image});
    return printAnswer;
  }
  std::string DefaultPrinterName() override { return defaultPrinter; }
};

}  // namespace korvane::fakes
