#include "scripting/ScriptEventQueue.h"

#include <utility>

namespace korvane::scripting {

ScriptEventQueue::ScriptEventQueue(ScriptCommandSet& commands, ScriptTarget& target, platform::Clock& clock)
    : commands_(commands), target_(target), clock_(clock) {}

bool ScriptEventQueue::Submit(ScriptEvent event, Done done) {
  if (waiting_.size() >= kMaxWaiting) return false;
  waiting_.push_back({std::move(event), std::move(done)});
  if (phase_ == Phase::kIdle) BeginNext();
  return true;
}

void ScriptEventQueue::BeginNext() {
  if (waiting_.empty()) {
    phase_ = Phase::kIdle;
    return;
  }
  phase_ = Phase::kPacing;
  due_ = clock_.Milliseconds() + (target_.StartingUp() ? 0 : kPacingMs);
}

int64_t ScriptEventQueue::Service() {
  // The event being carried out stays at the front until it is done: it
  // must not run a second time from inside itself.
  if (inService_) return kHoldPollMs;
  struct InService {
    bool& flag;
    explicit InService(bool& f) : flag(f) { flag = true; }
    ~InService() { flag = false; }
  } scope(inService_);
  while (phase_ != Phase::kIdle) {
    const int64_t now = clock_.Milliseconds();
    if (now < due_) return due_ - now;
    if (phase_ == Phase::kPacing) {
      if (target_.HoldsEvents()) return kHoldPollMs;
      ScriptOutcome outcome = commands_.ScriptCommandHandler(waiting_.front().event);
      if (outcome.waitMs > 0) {
        phase_ = Phase::kHolding;
        due_ = now + outcome.waitMs;
        held_ = std::move(outcome);
        continue;
      }
      Finish(outcome);
    } else {
      Finish(held_);
    }
  }
  return -1;
}

void ScriptEventQueue::Finish(const ScriptOutcome& outcome) {
  // The entry leaves the queue before its caller hears back, so that the
  // caller may queue the next event from there.
  Done done = std::move(waiting_.front().done);
  waiting_.pop_front();
  phase_ = Phase::kIdle;
  if (done) done(outcome);
  if (phase_ == Phase::kIdle) BeginNext();
}

}  // namespace korvane::scripting
