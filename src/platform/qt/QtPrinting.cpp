#include "platform/qt/QtPrinting.h"

#include <QApplication>
#include <QFileInfo>
#include <QImage>
#include <QLocale>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <QWidget>
#include <cmath>

namespace korvane::platform {

namespace {

// Margins of a page format made where no printer says otherwise: a quarter
// of an inch, what most printers can reach.
constexpr double kDefaultMargin = 18.0;

QString Text(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
std::string Text(const QString& s) { return s.toUtf8().toStdString(); }

// Sets up a printer for a job: a PDF file, a named printer or the default
// one. False with the result's status when there is nowhere to print.
bool SetUpPrinter(QPrinter& printer, const PrintSettings& settings, const PageFormat& format, PrintResult& result) {
  if (!settings.outputFile.empty()) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(Text(settings.outputFile));
  } else {
    QString name = Text(settings.printer);
    if (name.isEmpty()) name = QPrinterInfo::defaultPrinterName();
    if (name.isEmpty() || QPrinterInfo::printerInfo(name).isNull()) {
      result.status = settings.printer.empty() ? kNoDefaultPrinter : kPrintFailed;
      if (!settings.printer.empty()) result.reason = "the printer " + settings.printer + " is not set up";
      return false;
    }
    printer.setOutputFormat(QPrinter::NativeFormat);
    printer.setPrinterName(name);
  }
  printer.setDocName(Text(settings.jobName));
  printer.setCopyCount(std::max(1, settings.copies));
  printer.setCollateCopies(settings.collate);
  printer.setDuplex(settings.duplex == 1   ? QPrinter::DuplexLongSide
                    : settings.duplex == 2 ? QPrinter::DuplexShortSide
                                           : QPrinter::DuplexNone);
  printer.setColorMode(settings.colour ? QPrinter::Color : QPrinter::GrayScale);
  printer.setFullPage(false);
  printer.setPageLayout(QtPrinting::LayoutOf(format));
  return true;
}

// Where a job goes by default when there is no printer: a PDF file named for
// the job in the user's documents folder.
QString DefaultPdfFile(const std::string& jobName) {
  QString name = Text(jobName);
  for (QChar& ch : name)
    if (ch == u'/' || ch.category() == QChar::Other_Control) ch = u'_';
  name = name.trimmed();
  if (name.isEmpty() || name.startsWith(u'.')) name = QStringLiteral("Korvane");
  QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (folder.isEmpty()) folder = QStandardPaths::writableLocation(QStandardPaths::HomeLocation);
  return folder + u'/' + name + QStringLiteral(".pdf");
}

// Why the painter could not start on the printer.
std::string StartFailure(const PrintSettings& settings) {
  if (!settings.outputFile.empty()) {
    const QFileInfo info(Text(settings.outputFile));
    if (!QFileInfo(info.absolutePath()).isWritable())
      return "the folder of " + settings.outputFile + " cannot be written";
    return settings.outputFile + " cannot be written";
  }
  return "the printer could not be started";
}

bool Finished(QPrinter& printer, QPainter& painter, bool pagesOk, PrintResult& result) {
  const bool ended = painter.end();
  if (!pagesOk || !ended || printer.printerState() == QPrinter::Error) {
    result.status = kPrintFailed;
    if (result.reason.empty()) result.reason = "the job could not be completed";
    return false;
  }
  if (printer.printerState() == QPrinter::Aborted) result.cancelled = true;
  return true;
}

}  // namespace

QPageLayout QtPrinting::LayoutOf(const PageFormat& f) {
  QPageSize size;
  if (!f.paperName.empty()) {
    for (int id = 0; id <= QPageSize::LastPageSize; ++id) {
      const auto candidate = static_cast<QPageSize::PageSizeId>(id);
      if (Text(QPageSize::key(candidate)) == f.paperName) {
        size = QPageSize(candidate);
        break;
      }
    }
  }
  if (!size.isValid() && f.paperWidth > 0 && f.paperHeight > 0)
    size = QPageSize(QSizeF(f.paperWidth, f.paperHeight), QPageSize::Point, QString(), QPageSize::ExactMatch);
  if (!size.isValid()) size = QPageSize(QPageSize::A4);
  return QPageLayout(size, f.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                     QMarginsF(f.marginLeft, f.marginTop, f.marginRight, f.marginBottom), QPageLayout::Point);
}

PageFormat QtPrinting::FormatOf(const QPageLayout& layout) {
  PageFormat f;
  const QPageSize size = layout.pageSize();
  if (size.id() != QPageSize::Custom) f.paperName = Text(QPageSize::key(size.id()));
  const QSizeF points = size.size(QPageSize::Point);
  f.paperWidth = points.width();
  f.paperHeight = points.height();
  f.landscape = layout.orientation() == QPageLayout::Landscape;
  const QMarginsF m = layout.margins(QPageLayout::Point);
  f.marginLeft = m.left();
  f.marginTop = m.top();
  f.marginRight = m.right();
  f.marginBottom = m.bottom();
  return f;
}

PageFormat QtPrinting::DefaultPageFormat() {
  const QPrinterInfo info = QPrinterInfo::defaultPrinter();
  if (!info.isNull()) {
    QPrinter printer(info, QPrinter::HighResolution);
    return FormatOf(printer.pageLayout());
  }
  const bool letter = QLocale::system().measurementSystem() == QLocale::ImperialUSSystem;
  const QPageSize size(letter ? QPageSize::Letter : QPageSize::A4);
  return FormatOf(QPageLayout(size, QPageLayout::Portrait,
                              QMarginsF(kDefaultMargin, kDefaultMargin, kDefaultMargin, kDefaultMargin),
                              QPageLayout::Point));
}

int QtPrinting::ValidatePageFormat(const PageFormat& f) {
  const bool sane = std::isfinite(f.paperWidth) && std::isfinite(f.paperHeight) && f.paperWidth > 0 &&
                    f.paperHeight > 0 && f.marginLeft >= 0 && f.marginTop >= 0 && f.marginRight >= 0 &&
                    f.marginBottom >= 0;
  if (!sane) return kInvalidPageFormat;
  const QPageLayout layout = LayoutOf(f);
  if (!layout.isValid()) return kInvalidPageFormat;
  const QRectF paint = layout.paintRect(QPageLayout::Point);
  return paint.width() > 0 && paint.height() > 0 ? 0 : kInvalidPageFormat;
}

PrintResult QtPrinting::PageSetupDialog(PageFormat& format) {
  PrintResult result;
  QPrinter printer(QPrinter::HighResolution);
  if (QPrinterInfo::defaultPrinter().isNull()) printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setPageLayout(LayoutOf(format));
  QPageSetupDialog dialog(&printer, QApplication::activeWindow());
  dialog.setWindowModality(Qt::ApplicationModal);
  if (dialog.exec() != QDialog::Accepted) {
    result.cancelled = true;
    return result;
  }
  format = FormatOf(printer.pageLayout());
  return result;
}

PrintResult QtPrinting::PrintDialog(const PageFormat& format, PrintSettings& settings) {
  PrintResult result;
  QPrinter printer(QPrinter::HighResolution);
  // Without a printer the dialog offers printing into a PDF file.
  if (QPrinterInfo::defaultPrinter().isNull() && QPrinterInfo::availablePrinters().isEmpty()) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(DefaultPdfFile(settings.jobName));
  }
  printer.setPageLayout(LayoutOf(format));
  printer.setDocName(Text(settings.jobName));
  const int first = std::max(1, settings.firstPage), last = std::max(first, settings.lastPage);
  QPrintDialog dialog(&printer, QApplication::activeWindow());
  dialog.setWindowModality(Qt::ApplicationModal);
  dialog.setMinMax(first, last);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
  dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
  if (dialog.exec() != QDialog::Accepted) {
    result.cancelled = true;
    return result;
  }
  settings.outputFile = printer.outputFormat() == QPrinter::PdfFormat ? Text(printer.outputFileName()) : "";
  settings.printer = settings.outputFile.empty() ? Text(printer.printerName()) : "";
  if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
    settings.firstPage = printer.fromPage();
    settings.lastPage = printer.toPage();
  } else {
    settings.firstPage = first;
    settings.lastPage = last;
  }
  settings.copies = printer.copyCount();
  settings.collate = printer.collateCopies();
  settings.duplex = printer.duplex() == QPrinter::DuplexLongSide    ? 1
                    : printer.duplex() == QPrinter::DuplexShortSide ? 2
                                                                    : 0;
  settings.colour = printer.colorMode() == QPrinter::Color;
  if (settings.outputFile.empty() && settings.printer.empty()) {
    result.status = kNoDefaultPrinter;
  }
  return result;
}

PrintResult QtPrinting::PrintText(const PrintSettings& settings, const PageFormat& format, const TextPages& text) {
  PrintResult result;
  QPrinter printer(QPrinter::HighResolution);
  if (!SetUpPrinter(printer, settings, format, result)) return result;
  QPainter painter;
  if (!painter.begin(&printer)) {
    result.status = kPrintFailed;
    result.reason = StartFailure(settings);
    return result;
  }
  // One unit a point, from the top left of the printable area.
  const double scale = printer.resolution() / 72.0;
  painter.scale(scale, scale);
  QFont font(Text(text.fontFamily));
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  font.setKerning(false);
  font.setPixelSize(std::max(1, text.fontSize));
  painter.setFont(font);
  painter.setPen(Qt::black);
  bool ok = true;
  for (std::size_t p = 0; p < text.pages.size() && ok; ++p) {
    if (p > 0 && !printer.newPage()) {
      ok = false;
      break;
    }
    double y = text.top;
    for (const auto& line : text.pages[p]) {
      painter.drawText(QPointF(text.left, y), Text(line));
      y += text.lineHeight;
    }
    if (printer.printerState() == QPrinter::Aborted || printer.printerState() == QPrinter::Error) ok = false;
  }
  Finished(printer, painter, ok || printer.printerState() == QPrinter::Aborted, result);
  return result;
}

PrintResult QtPrinting::PrintPicture(const PrintSettings& settings, const PageFormat& format, const PixelImage& image) {
  PrintResult result;
  if (image.width <= 0 || image.height <= 0 ||
      image.pixels.size() < static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height))
    return result;
  QPrinter printer(QPrinter::HighResolution);
  if (!SetUpPrinter(printer, settings, format, result)) return result;
  QPainter painter;
  if (!painter.begin(&printer)) {
    result.status = kPrintFailed;
    result.reason = StartFailure(settings);
    return result;
  }
  const double scale = printer.resolution() / 72.0;
  painter.scale(scale, scale);
  const QRectF area = printer.pageLayout().paintRect(QPageLayout::Point);
  painter.setClipRect(QRectF(0, 0, area.width(), area.height()));
  const QImage picture(reinterpret_cast<const uchar*>(image.pixels.data()), image.width, image.height, image.width * 4,
                       QImage::Format_ARGB32);
  painter.drawImage(QPointF(0, 0), picture);
  Finished(printer, painter, true, result);
  return result;
}

std::string QtPrinting::DefaultPrinterName() { return Text(QPrinterInfo::defaultPrinterName()); }

}  // namespace korvane::platform
