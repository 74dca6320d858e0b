#include "platform/qt/QtAlerts.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <map>

#include "platform/AlertButtons.h"
#include "platform/CharMap.h"

namespace korvane::platform {

namespace {

QString FromMacRoman(const std::string& text) { return QString::fromStdString(Utf8FromMacRoman(text)); }

}  // namespace

int QtAlerts::Show(AlertKind kind, int alertId, const std::string& a, const std::string& b, const std::string& c,
                   const std::string& d) {
  QString text;
  for (const std::string* piece : {&a, &b, &c, &d}) text += *piece == "\r" ? QString("\n") : FromMacRoman(*piece);
  QMessageBox box(QApplication::activeWindow());
  box.setWindowTitle(QStringLiteral("Korvane"));
  box.setText(text);
  switch (kind) {
    case AlertKind::Stop: box.setIcon(QMessageBox::Critical); break;
    case AlertKind::Caution: box.setIcon(QMessageBox::Warning); break;
    case AlertKind::Note: box.setIcon(QMessageBox::Information); break;
    case AlertKind::Plain: box.setIcon(QMessageBox::NoIcon); break;
  }
  std::map<QAbstractButton*, int> items;
  const auto buttons = AlertButtonsFor(alertId);
  const int cancelItem = AlertCancelItem(alertId);
  bool accepting = false;
  for (size_t i = 0; i < buttons.size(); ++i) {
    const std::string title = localise_ ? localise_(buttons[i].title) : std::string(buttons[i].title);
    const bool cancels = buttons.size() > 1 && buttons[i].item == cancelItem;
    // The first button that does not cancel accepts; the default is the first
    // button, which may be Cancel.
    const bool accepts = !cancels && !accepting;
    accepting = accepting || accepts;
    QPushButton* button =
        box.addButton(FromMacRoman(title), accepts ? QMessageBox::AcceptRole : QMessageBox::RejectRole);
    items[button] = buttons[i].item;
    if (i == 0) box.setDefaultButton(button);
    if (cancels) box.setEscapeButton(button);
  }
  box.exec();
  const auto it = items.find(box.clickedButton());
  // Closing the box without a button counts as its cancelling button.
  return it != items.end() ? it->second : cancelItem;
}

}  // namespace korvane::platform
