#pragma once
// What a host's commands put before the user: the questions asked before
// anything is done for a host beyond its screen (opening a page or a file,
// running a script, sending a file), and the notices its commands cause
// (its messages, refusals of its requests).
//
// None of them holds the program: the box stays up beside the windows while
// the main loop, the other windows and this session go on. A host that
// repeats itself gets one question and one notice at a time per session;
// what it asks for while one is up is dropped and counted, and the user is
// told how much was dropped when the box goes.
//
//   services.alerts.Ask("The host asks to run the script", path,
//                       [&](bool yes) { if (yes) Run(path); else Answer("Canceled"); });
//   services.alerts.Show(platform::AlertKind::Stop, 300, "Host programming error!");

#include <functional>
#include <memory>
#include <string>

#include "platform/Alerts.h"

namespace korvane {

class HostAlerts final : public platform::Alerts {
 public:
  // `shown` shows the boxes (the program's alerts, in the user's language).
  explicit HostAlerts(platform::Alerts& shown);
  ~HostAlerts() override;
  HostAlerts(const HostAlerts&) = delete;
  HostAlerts& operator=(const HostAlerts&) = delete;

  // ---- Questions ----------------------------------------------------------------
  // Asks before acting for the host: Cancel, the default, and OK; Escape and
  // closing the box are Cancel. `answered` runs later, once, with true only
  // when the user chose OK. While another question of this session is up the
  // request is dropped and counted: false, and `answered` never runs.
  bool Ask(const std::string& question, const std::string& detail, std::function<void(bool yes)> answered);
  // The same before a web page is opened, with a third choice: OK, and don't
  // ask again for this session. After that choice every later page of the
  // session is answered yes at once, without a box.
  bool AskForPage(const std::string& question, const std::string& detail, std::function<void(bool yes)> answered);
  bool QuestionUp() const { return questionUp_; }
  bool PagesAllowed() const { return pagesAllowed_; }

  // ---- Notices ------------------------------------------------------------------
  // Shows a notice (a one-button alert) without waiting and returns 1 at
  // once. While a notice of this session is up, further ones are dropped and
  // counted. An alert with a Cancel button is a question, which goes through
  // Ask: here it is not shown, and its Cancel item is returned.
  int Show(platform::AlertKind kind, int alertId, const std::string& a, const std::string& b = {},
           const std::string& c = {}, const std::string& d = {}) override;
  // Shows and counts like Show; the answer comes through `answered`.
  int Open(platform::AlertKind kind, int alertId, const std::string& a, const std::string& b, const std::string& c,
           const std::string& d, std::function<void(int)> answered) override;
  void Dismiss(int opened) override;
  bool NoticeUp() const { return noticeUp_; }
  // Takes every box of this session away unanswered (its window closes).
  void DismissAll();

  // What was dropped, since the session began.
  int DroppedQuestions() const { return droppedQuestions_; }
  int DroppedNotices() const { return droppedNotices_; }

 private:
  bool AskWith(int alertId, const std::string& question, const std::string& detail,
               std::function<void(int button)> answered);
  void OpenNotice(platform::AlertKind kind, int alertId, const std::string& a, const std::string& b,
                  const std::string& c, const std::string& d, std::function<void(int)> answered);
  // The notice that tells how many requests were dropped while a box was up.
  void TellDropped(int count, const char* what);

  platform::Alerts& shown_;
  // Callbacks that come after this object has gone do nothing.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
  bool questionUp_ = false, noticeUp_ = false;
  int questionBox_ = 0, noticeBox_ = 0;
  bool pagesAllowed_ = false;
  int droppedQuestions_ = 0, droppedNotices_ = 0;
  int questionsDroppedWhileUp_ = 0, noticesDroppedWhileUp_ = 0;
};

}  // namespace korvane
