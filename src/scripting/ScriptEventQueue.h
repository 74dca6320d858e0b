#pragma once
// The pace of script events. Events are carried out one at a time, in the
// order they arrive. Each waits 200 ms before it runs (not while the program
// is starting up), which paces scripts that send commands in a loop; a "wait"
// command holds its own answer, and every event after it, for its seconds;
// and no event starts while the target holds events (a message to the host
// waiting for the host's answer).
//
// Nothing here sleeps: the queue is a state machine on the program's clock.
// Whoever drives it calls Service() when the time it last returned has passed
// (the bus service arms a timer), and the rest of the program runs meanwhile.

#include <cstdint>
#include <deque>
#include <functional>

#include "platform/Clock.h"
#include "scripting/ScriptCommandSet.h"

namespace korvane::scripting {

class ScriptEventQueue {
 public:
  using Done = std::function<void(const ScriptOutcome&)>;
  static constexpr int64_t kPacingMs = 200;
  // Events that may wait at once; a script that sends more is told so.
  static constexpr size_t kMaxWaiting = 256;
  // While the target holds events, the next one looks again this often.
  static constexpr int64_t kHoldPollMs = 10;

  ScriptEventQueue(ScriptCommandSet& commands, ScriptTarget& target, platform::Clock& clock);

  // Queues an event; done is called with its outcome when it has been carried
  // out. False (and done is not called) when kMaxWaiting events already wait.
  bool Submit(ScriptEvent event, Done done);
  // Carries out what is due. Returns the milliseconds until the next step is
  // due, or -1 when no event waits. A command that asks the user something
  // runs the event loop meanwhile; a call from there finds the queue busy
  // and says to look again later.
  int64_t Service();

  size_t Waiting() const { return waiting_.size(); }

 private:
  enum class Phase { kIdle, kPacing, kHolding };
  struct Entry {
    ScriptEvent event;
    Done done;
  };
  void BeginNext();
  void Finish(const ScriptOutcome& outcome);

  ScriptCommandSet& commands_;
  ScriptTarget& target_;
  platform::Clock& clock_;
  std::deque<Entry> waiting_;
  Phase phase_ = Phase::kIdle;
  bool inService_ = false;
  int64_t due_ = 0;
  ScriptOutcome held_;
};

}  // namespace korvane::scripting
