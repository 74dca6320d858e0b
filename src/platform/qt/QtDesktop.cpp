#include "platform/qt/QtDesktop.h"

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QUrl>

namespace korvane::platform {

namespace {

// The desktop's own opener, given one argument and no shell; it runs on
// after the program has handed over, and nothing waits for it.
bool XdgOpen(const QString& what) { return QProcess::startDetached(QStringLiteral("xdg-open"), QStringList{what}); }

}  // namespace

bool QtDesktop::OpenURL(const std::string& url) {
  if (!AllowedUrl(url)) return false;
  const QUrl address(QString::fromStdString(url), QUrl::StrictMode);
  return address.isValid() && XdgOpen(address.toString(QUrl::FullyEncoded));
}

bool QtDesktop::OpenFile(const std::string& path) {
  // Only an absolute path: nothing the opener could take for an option.
  if (path.empty() || path.front() != '/') return false;
  return XdgOpen(QString::fromStdString(path));
}

}  // namespace korvane::platform
