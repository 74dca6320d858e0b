#include "emulation/HostAlerts.h"

#include <utility>

#include "platform/AlertButtons.h"

namespace korvane {

namespace {
constexpr int kNoticeAlert = 300;

bool IsQuestion(int alertId) { return platform::AlertButtonsFor(alertId).size() > 1; }
}  // namespace

HostAlerts::HostAlerts(platform::Alerts& shown) : shown_(shown) {}

HostAlerts::~HostAlerts() {
  *alive_ = false;
  DismissAll();
}

void HostAlerts::DismissAll() {
  Dismiss(questionBox_);
  Dismiss(noticeBox_);
}

bool HostAlerts::Ask(const std::string& question, const std::string& detail, std::function<void(bool)> answered) {
  return AskWith(platform::kAskBeforeOpeningAlert, question, detail,
                 [answered = std::move(answered)](int button) { answered(button == 1); });
}

bool HostAlerts::AskForPage(const std::string& question, const std::string& detail,
                            std::function<void(bool)> answered) {
  if (pagesAllowed_) {
    answered(true);
    return true;
  }
  return AskWith(platform::kAskBeforeOpeningPageAlert, question, detail,
                 [this, answered = std::move(answered)](int button) {
                   if (button == platform::kOkDontAskAgainItem) pagesAllowed_ = true;
                   answered(button == 1 || button == platform::kOkDontAskAgainItem);
                 });
}

bool HostAlerts::AskWith(int alertId, const std::string& question, const std::string& detail,
                         std::function<void(int)> answered) {
  if (questionUp_) {
    ++droppedQuestions_;
    ++questionsDroppedWhileUp_;
    return false;
  }
  questionUp_ = true;
  std::weak_ptr<bool> alive = alive_;
  const int box = shown_.Open(platform::AlertKind::Caution, alertId, question, detail.empty() ? "" : "\r", detail, {},
                              [this, alive, answered = std::move(answered)](int button) {
                                if (alive.expired() || !*alive.lock()) return;
                                questionUp_ = false;
                                questionBox_ = 0;
                                const int dropped = std::exchange(questionsDroppedWhileUp_, 0);
                                answered(button);
                                if (dropped > 0)
                                  TellDropped(dropped, " more requests while its question was up; they were dropped.");
                              });
  // An alert answered before Open returned has left nothing up.
  if (questionUp_) questionBox_ = box;
  return true;
}

int HostAlerts::Show(platform::AlertKind kind, int alertId, const std::string& a, const std::string& b,
                     const std::string& c, const std::string& d) {
  if (IsQuestion(alertId)) return platform::AlertCancelItem(alertId);
  OpenNotice(kind, alertId, a, b, c, d, nullptr);
  return 1;
}

int HostAlerts::Open(platform::AlertKind kind, int alertId, const std::string& a, const std::string& b,
                     const std::string& c, const std::string& d, std::function<void(int)> answered) {
  if (IsQuestion(alertId)) {
    // The four pieces as one question: what is asked, and its detail.
    if (!AskWith(alertId, a + b, c + d, std::move(answered))) return 0;
    return questionBox_;
  }
  OpenNotice(kind, alertId, a, b, c, d, std::move(answered));
  return noticeBox_;
}

void HostAlerts::Dismiss(int opened) {
  if (opened == 0) return;
  if (opened == questionBox_) {
    questionBox_ = 0;
    questionUp_ = false;
  } else if (opened == noticeBox_) {
    noticeBox_ = 0;
    noticeUp_ = false;
  } else {
    return;
  }
  shown_.Dismiss(opened);
}

void HostAlerts::OpenNotice(platform::AlertKind kind, int alertId, const std::string& a, const std::string& b,
                            const std::string& c, const std::string& d, std::function<void(int)> answered) {
  if (noticeUp_) {
    ++droppedNotices_;
    ++noticesDroppedWhileUp_;
    return;
  }
  noticeUp_ = true;
  std::weak_ptr<bool> alive = alive_;
  const int box = shown_.Open(kind, alertId, a, b, c, d, [this, alive, answered = std::move(answered)](int button) {
    if (alive.expired() || !*alive.lock()) return;
    noticeUp_ = false;
    noticeBox_ = 0;
    const int dropped = std::exchange(noticesDroppedWhileUp_, 0);
    if (answered) answered(button);
    if (dropped > 0) TellDropped(dropped, " more messages while one was shown; they were not shown.");
  });
  if (noticeUp_) noticeBox_ = box;
}

void HostAlerts::TellDropped(int count, const char* what) {
  // The count itself is one more notice, shown when none is up.
  OpenNotice(platform::AlertKind::Note, kNoticeAlert, "The host sent ", std::to_string(count), what, {}, nullptr);
}

}  // namespace korvane
