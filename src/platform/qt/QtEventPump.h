#pragma once
// The wait of one main-loop turn, in Qt's dispatcher: a nested event loop
// that ends when the time slice is up (a timer), when an event has been
// posted (Wake), or when the watched connection has output (a socket
// notifier on its descriptor). Idle, the program sleeps in the dispatcher.

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <memory>

#include "platform/Events.h"

class QEventLoop;
class QSocketNotifier;

namespace korvane::platform {

class QtEventPump final : public EventPump {
 public:
  QtEventPump();
  ~QtEventPump() override;
  void Deliver(int ticks, HostLink* watched) override;
  // An event was posted: the wait ends.
  void Wake();

 private:
  void Watch(int fd);
  // Also waits for room to write on the watched descriptor (output the
  // connection holds for a line that was full).
  void WatchWriting(bool on);

  QTimer timer_;
  QEventLoop* loop_ = nullptr;
  bool woken_ = false;
  std::unique_ptr<QSocketNotifier> notifier_;
  std::unique_ptr<QSocketNotifier> writeNotifier_;
  int notifierFd_ = -1;
};

}  // namespace korvane::platform
