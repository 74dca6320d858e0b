#include "platform/qt/QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QStringList>

namespace korvane::platform {

namespace {

// Text whose bytes are read when someone asks for them, not when it is set.
class SharedTextMime final : public QMimeData {
 public:
  explicit SharedTextMime(std::shared_ptr<std::string> text) : text_(std::move(text)) {}
  QStringList formats() const override { return {QStringLiteral("text/plain")}; }
  bool hasFormat(const QString& format) const override { return format == QLatin1String("text/plain"); }

 protected:
  QVariant retrieveData(const QString& format, QMetaType type) const override {
    if (format != QLatin1String("text/plain")) return {};
    const QString text = QString::fromUtf8(text_->data(), static_cast<qsizetype>(text_->size()));
    if (type.id() == QMetaType::QByteArray) return text.toUtf8();
    return text;
  }

 private:
  std::shared_ptr<std::string> text_;
};

QClipboard* Board() { return QGuiApplication::clipboard(); }

}  // namespace

std::optional<std::string> QtClipboard::Text() {
  const QMimeData* mime = Board()->mimeData(QClipboard::Clipboard);
  if (owned_ && mime == owned_.data()) return *text_;
  if (!mime || !mime->hasFormat(QStringLiteral("text/plain"))) return std::nullopt;
  return mime->text().toStdString();
}

void QtClipboard::SetText(std::string_view utf8) {
  text_ = std::make_shared<std::string>(utf8);
  auto* mime = new SharedTextMime(text_);
  owned_ = mime;
  Board()->setMimeData(mime, QClipboard::Clipboard);
}

void QtClipboard::AppendText(std::string_view utf8) {
  // Still the program's own text: it grows where it is.
  if (owned_ && Board()->mimeData(QClipboard::Clipboard) == owned_.data()) {
    text_->append(utf8);
    return;
  }
  std::string text = Text().value_or(std::string());
  text.append(utf8);
  SetText(text);
}

void QtClipboard::SetSelectionText(std::string_view utf8) {
  QClipboard* board = Board();
  if (!board->supportsSelection()) return;  // the desktop keeps no selection of its own
  board->setText(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())), QClipboard::Selection);
}

void QtClipboard::SetPicture(std::string_view pdf, std::string_view png) {
  auto* mime = new QMimeData;
  mime->setData(QStringLiteral("application/pdf"), QByteArray(pdf.data(), static_cast<qsizetype>(pdf.size())));
  const QByteArray pngBytes(png.data(), static_cast<qsizetype>(png.size()));
  mime->setData(QStringLiteral("image/png"), pngBytes);
  // As an image too, so that programs that ask for another image format get
  // one converted from it.
  QImage image;
  if (image.loadFromData(pngBytes, "PNG")) mime->setImageData(image);
  owned_ = nullptr;
  text_.reset();
  Board()->setMimeData(mime, QClipboard::Clipboard);
}

void QtClipboard::Clear() {
  owned_ = nullptr;
  text_.reset();
  Board()->clear(QClipboard::Clipboard);
}

}  // namespace korvane::platform
