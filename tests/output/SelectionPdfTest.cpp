// A selection copied as a picture on Qt: the clipboard holds a PDF whose
// text, read back by poppler's pdftotext, is the selection's text, and a PNG
// of the same size.

#include <QBuffer>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "OutputFixture.h"
#include "platform/qt/QtCellPictureWriter.h"
#include "platform/qt/QtClipboard.h"

namespace korvane {
namespace {

class SelectionPdfTest : public testing_support::OutputTest {
 protected:
  platform::QtClipboard qtBoard;
  platform::QtCellPictureWriter writer;
  output::ClipboardText qtText{qtBoard};
  output::SelectionCopier qtCopier{s, qtText, writer, host, clock};
};

TEST_F(SelectionPdfTest, PdfOnTheClipboardReadsBackAsTheSelectionsText) {
  opt.BoldColour = 6;
  Put(1, 1, "Login: operator");
  Put(2, 1, "\xDE\xE6\xE6\xDF Menu", kAttrBold);
  Put(3, 1, "\xE2  \xE2 caf\x8E", kAttrReverse);
  Put(4, 1, "\xDD\xE6\xE6\xE1");
  const output::CellRange cells{1, 4, 1, 15};
  const std::string expected = output::SelectionText(s, cells);
  ASSERT_EQ(expected, "Login: operator\n┌──┐ Menu\n│  │ café\n└──┘");

  ASSERT_TRUE(qtCopier.SnapshotScreenToPdf(CellsRect(1, 1, 4, 15), false));
  const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
  ASSERT_NE(mime, nullptr);
  EXPECT_FALSE(mime->hasText());
  const QByteArray pdf = mime->data(QStringLiteral("application/pdf"));
  ASSERT_TRUE(pdf.startsWith("%PDF-"));
  QImage image;
  ASSERT_TRUE(image.loadFromData(mime->data(QStringLiteral("image/png")), "PNG"));
  EXPECT_EQ(image.size(), QSize(15 * 7, 4 * 15));

  if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
    GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString file = dir.filePath(QStringLiteral("selection.pdf"));
  {
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(pdf);
  }
  QProcess pdftotext;
  // One character to a cell of 7 points: the columns come back as they are.
  pdftotext.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-fixed"), QStringLiteral("7"), file, QStringLiteral("-")});
  ASSERT_TRUE(pdftotext.waitForFinished(30000));
  ASSERT_EQ(pdftotext.exitCode(), 0);
  QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
  text.remove(QLatin1Char('\f'));
  while (text.endsWith(QLatin1Char('\n'))) text.chop(1);
  EXPECT_EQ(text.toStdString(), expected);
}

}  // namespace
}  // namespace korvane
