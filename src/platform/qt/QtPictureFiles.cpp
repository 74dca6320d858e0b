#include "platform/qt/QtPictureFiles.h"

#include <QImageReader>
#include <QString>

namespace korvane::platform {

std::optional<Size> QtPictureFiles::PictureSize(const std::string& path) {
  QImageReader reader(QString::fromStdString(path));
  if (!reader.canRead()) return std::nullopt;
  const QSize size = reader.size();
  if (size.isValid() && size.width() > 0 && size.height() > 0) return Size{size.width(), size.height()};
  // A format that tells its size only once it is read.
  const QImage image = reader.read();
  if (image.isNull() || image.width() <= 0 || image.height() <= 0) return std::nullopt;
  return Size{image.width(), image.height()};
}

}  // namespace korvane::platform
