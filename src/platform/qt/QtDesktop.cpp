#include "platform/qt/QtDesktop.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

namespace korvane::platform {

bool QtDesktop::OpenURL(const std::string& url) {
  if (!AllowedUrl(url)) return false;
  const QUrl address(QString::fromStdString(url), QUrl::StrictMode);
  return address.isValid() && QDesktopServices::openUrl(address);
}

bool QtDesktop::OpenFile(const std::string& path) {
  if (path.empty()) return false;
  return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

}  // namespace korvane::platform
