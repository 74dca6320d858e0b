#pragma once
// Alerts on Qt: a message box with the kind's icon, the four pieces one after
// the other (a piece of a single CR starts a new line) and the buttons of the
// alert's number. Show runs the box modally; Open leaves it up beside the
// windows and answers when the user does.

#include <QPointer>
#include <functional>
#include <map>
#include <string>

#include "platform/Alerts.h"

class QMessageBox;

namespace korvane::platform {

class QtAlerts final : public Alerts {
 public:
  // `localise` gives a button title in the user's language.
  explicit QtAlerts(std::function<std::string(const std::string&)> localise) : localise_(std::move(localise)) {}
  ~QtAlerts() override;
  int Show(AlertKind kind, int alertId, const std::string& a, const std::string& b, const std::string& c,
           const std::string& d) override;
  int Open(AlertKind kind, int alertId, const std::string& a, const std::string& b, const std::string& c,
           const std::string& d, std::function<void(int)> answered) override;
  void Dismiss(int opened) override;

 private:
  // The box with its texts, icon and buttons; `items` receives each button's item.
  QMessageBox* MakeBox(AlertKind kind, int alertId, const std::string& a, const std::string& b, const std::string& c,
                       const std::string& d, std::map<const void*, int>& items);

  std::function<std::string(const std::string&)> localise_;
  std::map<int, QPointer<QMessageBox>> open_;
  int lastOpened_ = 0;
};

}  // namespace korvane::platform
