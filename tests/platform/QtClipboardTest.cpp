// The clipboard and the cell pictures on Qt, on the offscreen platform: text
// set and read back, appends, pictures as PDF and PNG mime data, and the PDF
// read back by poppler's pdftotext.

#include "platform/qt/QtClipboard.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QStandardPaths>

#include "platform/CellPicture.h"
#include "platform/qt/QtCellPictureWriter.h"

namespace korvane::platform {
namespace {

QClipboard* Board() { return QGuiApplication::clipboard(); }

TEST(QtClipboardTest, TextIsSetAndReadBack) {
  QtClipboard clip;
  clip.SetText("héllo\nwörld ┌─┐");
  EXPECT_EQ(Board()->text(), QStringLiteral("héllo\nwörld ┌─┐"));
  EXPECT_EQ(clip.Text(), "héllo\nwörld ┌─┐");
  clip.SetText("");
  ASSERT_TRUE(clip.Text().has_value());
  EXPECT_EQ(*clip.Text(), "");
  clip.Clear();
  EXPECT_FALSE(clip.Text().has_value());
}

TEST(QtClipboardTest, AppendsGrowTheTextAndStartFromAnotherOwnersText) {
  QtClipboard clip;
  clip.Clear();
  clip.AppendText("one ");
  clip.AppendText("two");
  EXPECT_EQ(Board()->text(), QStringLiteral("one two"));
  // Another program (here: Qt directly) takes the clipboard.
  Board()->setText(QStringLiteral("theirs "));
  EXPECT_EQ(clip.Text(), "theirs ");
  clip.AppendText("mine");
  EXPECT_EQ(Board()->text(), QStringLiteral("theirs mine"));
  for (int i = 0; i < 10000; ++i) clip.AppendText("0123456789");
  EXPECT_EQ(Board()->text().size(), 11 + 100000);
}

TEST(QtClipboardTest, PictureReplacesTheTextWithPdfAndImage) {
  QtClipboard clip;
  clip.SetText("text");
  QImage image(4, 3, QImage::Format_RGB32);
  image.fill(Qt::red);
  QByteArray png;
  {
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
  }
  clip.SetPicture("%PDF-1.4 fake", png.toStdString());
  const QMimeData* mime = Board()->mimeData();
  ASSERT_NE(mime, nullptr);
  EXPECT_EQ(mime->data(QStringLiteral("application/pdf")), QByteArray("%PDF-1.4 fake"));
  EXPECT_EQ(mime->data(QStringLiteral("image/png")), png);
  ASSERT_TRUE(mime->hasImage());
  EXPECT_EQ(qvariant_cast<QImage>(mime->imageData()).size(), QSize(4, 3));
  EXPECT_FALSE(clip.Text().has_value());
  // Text appended afterwards replaces the picture.
  clip.AppendText("after");
  EXPECT_EQ(clip.Text(), "after");
  EXPECT_FALSE(Board()->mimeData()->hasFormat(QStringLiteral("application/pdf")));
}

TEST(QtClipboardTest, SelectionTextGoesWhereTheDesktopKeepsOne) {
  QtClipboard clip;
  clip.SetText("clipboard");
  clip.SetSelectionText("marked");
  EXPECT_EQ(Board()->text(), QStringLiteral("clipboard"));
  if (Board()->supportsSelection()) {
    EXPECT_EQ(Board()->text(QClipboard::Selection), QStringLiteral("marked"));
  }
}

// ---- Cell pictures ------------------------------------------------------------

CellPicture Picture(const std::vector<std::u32string>& rows, int width = 7, int height = 15) {
  CellPicture p;
  p.rows = static_cast<int>(rows.size());
  p.cols = 0;
  for (const auto& r : rows) p.cols = std::max(p.cols, static_cast<int>(r.size()));
  p.cellWidth = width;
  p.cellHeight = height;
  p.cellAbove = height - 3;
  p.cells.resize(static_cast<size_t>(p.rows * p.cols));
  for (int r = 0; r < p.rows; ++r)
    for (int c = 0; c < static_cast<int>(rows[static_cast<size_t>(r)].size()); ++c)
      p.At(r, c).glyph = rows[static_cast<size_t>(r)][static_cast<size_t>(c)];
  return p;
}

// Runs a poppler tool on a file; its output, or nothing when it is missing.
std::optional<QString> RunPoppler(const QString& tool, const QStringList& args) {
  if (QStandardPaths::findExecutable(tool).isEmpty()) return std::nullopt;
  QProcess process;
  process.start(tool, args);
  if (!process.waitForFinished(30000) || process.exitCode() != 0) return QString();
  return QString::fromUtf8(process.readAllStandardOutput());
}

TEST(QtCellPictureWriterTest, PdfHoldsTheCellsAsTextOnAPageOfTheirSize) {
  CellPicture p = Picture({U"Hello, world", U"second  row", U"┌──┐ café", U""});
  p.At(1, 0).bold = true;
  p.At(1, 1).fore = {65535, 0, 0};
  p.At(2, 6).back = {0, 0, 65535};
  const std::string pdf = QtCellPictureWriter().Pdf(p);
  ASSERT_EQ(pdf.rfind("%PDF-", 0), 0u);

  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString file = dir.filePath(QStringLiteral("cells.pdf"));
  {
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(pdf.data(), static_cast<qint64>(pdf.size()));
  }
  const std::optional<QString> text = RunPoppler(QStringLiteral("pdftotext"), {"-fixed", "7", file, "-"});
  if (!text) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
  QStringList lines = text->split(QLatin1Char('\n'));
  for (QString& l : lines) {
    while (l.endsWith(QLatin1Char(' ')) || l.endsWith(QLatin1Char('\f'))) l.chop(1);
  }
  while (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
  EXPECT_EQ(lines, (QStringList{"Hello, world", "second  row", "┌──┐ café"}));

  const std::optional<QString> info = RunPoppler(QStringLiteral("pdfinfo"), {file});
  ASSERT_TRUE(info.has_value());
  // One point for each pixel of the 12 x 4 cells of 7 x 15 pixels.
  EXPECT_TRUE(info->contains(QRegularExpression(QStringLiteral("Page size: +84 x 60 pts")))) << info->toStdString();
  EXPECT_TRUE(info->contains(QRegularExpression(QStringLiteral("Pages: +1\n"))));
}

TEST(QtCellPictureWriterTest, PngIsThePictureInItsColours) {
  CellPicture p = Picture({U"ab", U"cd"});
  p.At(1, 1).back = {0, 0, 65535};
  const std::string png = QtCellPictureWriter().Png(p);
  QImage image;
  ASSERT_TRUE(image.loadFromData(QByteArray(png.data(), static_cast<qsizetype>(png.size())), "PNG"));
  EXPECT_EQ(image.size(), QSize(14, 30));
  EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::white));    // the default background
  EXPECT_EQ(image.pixelColor(13, 29), QColor(0, 0, 255));  // the blue cell's corner
}

TEST(QtCellPictureWriterTest, EmptyPictureMakesNothing) {
  CellPicture p;
  EXPECT_TRUE(QtCellPictureWriter().Pdf(p).empty());
  EXPECT_TRUE(QtCellPictureWriter().Png(p).empty());
}

}  // namespace
}  // namespace korvane::platform
