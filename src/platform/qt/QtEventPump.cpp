#include "platform/qt/QtEventPump.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QSocketNotifier>

#include "platform/posix/PtyChild.h"

namespace korvane::platform {

QtEventPump::QtEventPump() {
  timer_.setSingleShot(true);
  timer_.setTimerType(Qt::PreciseTimer);
  QObject::connect(&timer_, &QTimer::timeout, [this] { Wake(); });
}

QtEventPump::~QtEventPump() = default;

void QtEventPump::Wake() {
  woken_ = true;
  if (loop_) loop_->quit();
}

void QtEventPump::Watch(int fd) {
  if (fd == notifierFd_) return;
  notifier_.reset();
  writeNotifier_.reset();
  notifierFd_ = fd;
  if (fd < 0) return;
  notifier_ = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
  notifier_->setEnabled(false);
  QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { Wake(); });
}

void QtEventPump::WatchWriting(bool on) {
  if (!on || notifierFd_ < 0) {
    if (writeNotifier_) writeNotifier_->setEnabled(false);
    return;
  }
  if (!writeNotifier_) {
    writeNotifier_ = std::make_unique<QSocketNotifier>(notifierFd_, QSocketNotifier::Write);
    QObject::connect(writeNotifier_.get(), &QSocketNotifier::activated, [this] { Wake(); });
  }
  writeNotifier_->setEnabled(true);
}

void QtEventPump::Deliver(int ticks, HostLink* watched) {
  woken_ = false;
  auto* pty = dynamic_cast<posix::PtyChild*>(watched);
  // A serial port offers its descriptor itself (none while a modem is being
  // talked to, whose answers the loop does not read).
  const int fd = pty ? pty->fd() : watched ? watched->WaitDescriptor() : -1;
  // Output already taken in by the stream is waiting: no need to wait. (A
  // pseudo-terminal is not read for this, unless an echo hold may let
  // something go: the wait below sees its input, and a read that finds it
  // empty waits for the kernel's feeder.)
  const bool ready = pty && !pty->HoldingEcho() ? pty->Buffered() > 0 : watched && watched->Waiting() > 0;
  if (ready) ticks = 0;
  if (ticks <= 0) {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    return;
  }
  Watch(fd);
  if (notifier_) notifier_->setEnabled(true);
  WatchWriting(fd >= 0 && !pty && watched->OutputWaiting());
  timer_.start(std::max(1, (ticks * 1000 + 59) / 60));
  QEventLoop loop;
  loop_ = &loop;
  // Events that arrived before the loop starts are taken by it at once.
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  if (!woken_) loop.exec(QEventLoop::AllEvents);
  loop_ = nullptr;
  timer_.stop();
  // Outside the wait the descriptor is not watched: a modal alert's own
  // event loop must not spin on output nobody reads yet.
  if (notifier_) notifier_->setEnabled(false);
  WatchWriting(false);
}

}  // namespace korvane::platform
