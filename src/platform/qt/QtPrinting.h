#pragma once
// Printing on Qt: QPageSetupDialog and QPrintDialog (CUPS printers, or a PDF
// file where there is no printer or the user chooses one), and QPainter on a
// QPrinter for the pages, in points (1/72 inch) from the top left of the
// printable area.

#include <QPageLayout>

#include "platform/Printing.h"

namespace korvane::platform {

class QtPrinting final : public Printing {
 public:
  PageFormat DefaultPageFormat() override;
  int ValidatePageFormat(const PageFormat& format) override;
  PrintResult PageSetupDialog(PageFormat& format) override;
  PrintResult PrintDialog(const PageFormat& format, PrintSettings& settings) override;
  PrintResult PrintText(const PrintSettings& settings, const PageFormat& format, const TextPages& text) override;
  PrintResult PrintPicture(const PrintSettings& settings, const PageFormat& format, const PixelImage& image) override;
  std::string DefaultPrinterName() override;

  // Between page formats and Qt's page layouts.
  static QPageLayout LayoutOf(const PageFormat& format);
  static PageFormat FormatOf(const QPageLayout& layout);
};

}  // namespace korvane::platform
