#include "platform/qt/QtCellPictureWriter.h"

#include <QBuffer>
#include <QByteArray>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>

namespace korvane::platform {

namespace {

QColor ColourOf(RGB c) { return QColor::fromRgb(c.red >> 8, c.green >> 8, c.blue >> 8); }

// The screen font at the size whose advance is one cell: the text of a row
// is drawn in runs, and each character must land on its own cell.
QFont CellFont(const CellPicture& p, bool bold, QPaintDevice* device) {
  QFont font(QStringLiteral("DejaVu Sans Mono"));
  font.setStyleHint(QFont::Monospace);
  font.setBold(bold);
  font.setKerning(false);
  // DejaVu Sans Mono advances 0.602 em; the glyph must also fit the cell's height.
  font.setPixelSize(std::max(4, std::min(static_cast<int>(p.cellWidth / 0.602), p.cellHeight)));
  const qreal advance = QFontMetricsF(font, device).horizontalAdvance(QLatin1Char('M'));
  if (advance > 0) font.setLetterSpacing(QFont::AbsoluteSpacing, p.cellWidth - advance);
  return font;
}

void PaintPicture(QPainter& painter, const CellPicture& p) {
  const QFont plain = CellFont(p, false, painter.device());
  const QFont bold = CellFont(p, true, painter.device());
  for (int row = 0; row < p.rows; ++row) {
    const int top = row * p.cellHeight;
    // The backgrounds first, then the text in runs of one style.
    for (int col = 0; col < p.cols;) {
      int end = col + 1;
      while (end < p.cols && p.At(row, end).back == p.At(row, col).back) ++end;
      painter.fillRect(QRect(col * p.cellWidth, top, (end - col) * p.cellWidth, p.cellHeight),
                       ColourOf(p.At(row, col).back));
      col = end;
    }
    for (int col = 0; col < p.cols;) {
      const PictureCell& first = p.At(row, col);
      int end = col + 1;
      while (end < p.cols && p.At(row, end).fore == first.fore && p.At(row, end).bold == first.bold &&
             p.At(row, end).underline == first.underline)
        ++end;
      std::u32string run;
      for (int c = col; c < end; ++c) run += p.At(row, c).glyph;
      // Trailing blanks draw nothing.
      while (!run.empty() && run.back() == U' ') run.pop_back();
      if (!run.empty()) {
        QFont font = first.bold ? bold : plain;
        font.setUnderline(first.underline);
        painter.setFont(font);
        painter.setPen(ColourOf(first.fore));
        painter.drawText(QPointF(col * p.cellWidth, top + p.cellAbove),
                         QString::fromUcs4(run.data(), static_cast<qsizetype>(run.size())));
      }
      col = end;
    }
  }
}

}  // namespace

std::string QtCellPictureWriter::Pdf(const CellPicture& p) {
  if (p.rows <= 0 || p.cols <= 0) return {};
  QByteArray bytes;
  {
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly)) return {};
    QPdfWriter writer(&buffer);
    writer.setCreator(QStringLiteral("Korvane"));
    writer.setResolution(72);
    writer.setPageSize(QPageSize(QSizeF(p.Width(), p.Height()), QPageSize::Point, QString(), QPageSize::ExactMatch));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Point);
    QPainter painter;
    if (!painter.begin(&writer)) return {};
    PaintPicture(painter, p);
    if (!painter.end()) return {};
  }
  return bytes.toStdString();
}

std::string QtCellPictureWriter::Png(const CellPicture& p) {
  if (p.rows <= 0 || p.cols <= 0) return {};
  QImage image(p.Width(), p.Height(), QImage::Format_RGB32);
  if (image.isNull()) return {};
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    PaintPicture(painter, p);
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) return {};
  return bytes.toStdString();
}

}  // namespace korvane::platform
