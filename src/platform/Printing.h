#pragma once
// Printing: the page-setup and print dialogs, and the drawing of prepared
// pages on the printer the user chose (or into a PDF file). What is printed
// (the text of each page, the picture) is worked out by the output code; this
// side only puts it on paper. The Qt implementation is platform/qt/QtPrinting;
// tests use a recording fake.
//
// Lengths are in points (1/72 inch). Statuses are 0 for success, or one of
// the negative numbers below; a cancelled dialog is no error.

#include <cstdint>
#include <string>
#include <vector>

namespace korvane::platform {

// No printer is set up and no file was chosen to print into.
constexpr int kNoDefaultPrinter = -30872;
// The printer or the file refused the job (the reason is in PrintResult).
constexpr int kPrintFailed = -30870;
// The page format cannot be used with the printer.
constexpr int kInvalidPageFormat = -30871;

// Paper, orientation and margins of a window's pages, as the page-setup
// dialog leaves them.
struct PageFormat {
  std::string paperName;  // the paper's standard name ("A4", "Letter"); empty for a custom size
  double paperWidth = 0;  // of the sheet held upright
  double paperHeight = 0;
  bool landscape = false;
  double marginLeft = 0, marginTop = 0, marginRight = 0, marginBottom = 0;
  bool operator==(const PageFormat&) const = default;
};

// Where a job goes and which of its pages, as the print dialog leaves it.
struct PrintSettings {
  std::string jobName;
  std::string printer;     // the printer's name; empty with outputFile empty: the default printer
  std::string outputFile;  // a PDF file to print into instead of a printer
  int firstPage = 1, lastPage = 1;
  int copies = 1;
  bool collate = true;
  int duplex = 0;  // 0 one-sided, 1 long edge, 2 short edge
  bool colour = true;
};

// Lines of text, one page each, in one fixed-pitch font.
struct TextPages {
  std::string fontFamily;
  int fontSize = 12;    // points
  int lineHeight = 12;  // from one baseline to the next
  // The first baseline, from the top left of the printable area.
  int left = 10, top = 25;
  std::vector<std::vector<std::string>> pages;  // UTF-8 lines
};

// A picture in 32-bit pixels (0xAARRGGBB, rows top to bottom), drawn one
// pixel to one point from the top left of the printable area.
struct PixelImage {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;
};

struct PrintResult {
  int status = 0;          // 0 printed (or, for a dialog, it ran), else an error
  bool cancelled = false;  // the user cancelled the dialog or the job
  std::string reason;      // for an error: what the system said, for the alert
};

class Printing {
 public:
  virtual ~Printing() = default;

  // The default printer's default page format (the paper of the user's
  // locale when there is no printer).
  virtual PageFormat DefaultPageFormat() = 0;
  // 0 when the format can be used with the printers there are now, else
  // kInvalidPageFormat.
  virtual int ValidatePageFormat(const PageFormat& format) = 0;
  // The page-setup dialog, application-modal, on `format`; an accepted
  // dialog changes it, a cancelled one leaves it as it was.
  virtual PrintResult PageSetupDialog(PageFormat& format) = 0;
  // The print dialog, application-modal, offering pages
  // settings.firstPage .. settings.lastPage; an accepted dialog leaves the
  // user's choices in `settings`.
  virtual PrintResult PrintDialog(const PageFormat& format, PrintSettings& settings) = 0;
  // Prints every page of `text` (the pages the user chose), each copy as
  // the settings ask.
  virtual PrintResult PrintText(const PrintSettings& settings, const PageFormat& format, const TextPages& text) = 0;
  // Prints the picture on one page, clipped to the printable area.
  virtual PrintResult PrintPicture(const PrintSettings& settings, const PageFormat& format,
                                   const PixelImage& image) = 0;
  // The printer print jobs go to when nothing else is chosen; empty when
  // there is none.
  virtual std::string DefaultPrinterName() = 0;
};

}  // namespace korvane::platform
