#include "platform/qt/QtAlerts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <memory>

#include "platform/AlertButtons.h"
#include "platform/CharMap.h"

namespace korvane::platform {

namespace {

QString FromMacRoman(const std::string& text) { return QString::fromStdString(Utf8FromMacRoman(text)); }

}  // namespace

QtAlerts::~QtAlerts() {
  for (auto& [number, box] : open_)
    if (box) {
      box->disconnect();
      delete box.data();
    }
}

QMessageBox* QtAlerts::MakeBox(AlertKind kind, int alertId, const std::string& a, const std::string& b,
                               const std::string& c, const std::string& d, std::map<const void*, int>& items) {
  QString text;
  for (const std::string* piece : {&a, &b, &c, &d}) text += *piece == "\r" ? QString("\n") : FromMacRoman(*piece);
  auto* box = new QMessageBox(QApplication::activeWindow());
  box->setWindowTitle(QStringLiteral("Korvane"));
  box->setText(text);
  switch (kind) {
    case AlertKind::Stop: box->setIcon(QMessageBox::Critical); break;
    case AlertKind::Caution: box->setIcon(QMessageBox::Warning); break;
    case AlertKind::Note: box->setIcon(QMessageBox::Information); break;
    case AlertKind::Plain: box->setIcon(QMessageBox::NoIcon); break;
  }
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
        box->addButton(FromMacRoman(title), accepts ? QMessageBox::AcceptRole : QMessageBox::RejectRole);
    items[button] = buttons[i].item;
    if (i == 0) box->setDefaultButton(button);
    if (cancels) box->setEscapeButton(button);
  }
  return box;
}

int QtAlerts::Show(AlertKind kind, int alertId, const std::string& a, const std::string& b, const std::string& c,
                   const std::string& d) {
  std::map<const void*, int> items;
  std::unique_ptr<QMessageBox> box(MakeBox(kind, alertId, a, b, c, d, items));
  box->exec();
  const auto it = items.find(box->clickedButton());
  // Closing the box without a button counts as its cancelling button.
  return it != items.end() ? it->second : AlertCancelItem(alertId);
}

int QtAlerts::Open(AlertKind kind, int alertId, const std::string& a, const std::string& b, const std::string& c,
                   const std::string& d, std::function<void(int)> answered) {
  std::map<const void*, int> items;
  QMessageBox* box = MakeBox(kind, alertId, a, b, c, d, items);
  const int number = ++lastOpened_;
  open_[number] = box;
  box->setWindowModality(Qt::NonModal);
  box->setAttribute(Qt::WA_DeleteOnClose);
  const int cancelItem = AlertCancelItem(alertId);
  QObject::connect(box, &QMessageBox::finished, box, [this, box, number, items, cancelItem, answered] {
    const auto it = items.find(box->clickedButton());
    open_.erase(number);
    // Closing the box without a button counts as its cancelling button.
    if (answered) answered(it != items.end() ? it->second : cancelItem);
  });
  box->show();
  box->raise();
  return number;
}

void QtAlerts::Dismiss(int opened) {
  const auto it = open_.find(opened);
  if (it == open_.end()) return;
  QPointer<QMessageBox> box = it->second;
  open_.erase(it);
  if (box) {
    box->disconnect();
    box->deleteLater();
    box->hide();
  }
}

}  // namespace korvane::platform
