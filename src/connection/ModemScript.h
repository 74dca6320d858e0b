#pragma once
// A modem sequence as a coroutine that the program's clock steps: the
// sequence reads as the list of sends and pauses it is, and every pause
// returns to the main loop instead of waiting in place.
//
//   ModemScript Sequence() {
//     Send('A');
//     co_await Pause(100);   // Step(now) resumes here 100 ms later
//   }

#include <coroutine>
#include <cstdint>
#include <exception>
#include <utility>

namespace korvane {

class ModemScript {
 public:
  struct promise_type {
    // When the sequence wants to go on; 0 at the start, so that the first
    // step runs at once.
    int64_t resumeAtMs = 0;
    ModemScript get_return_object() { return ModemScript(std::coroutine_handle<promise_type>::from_promise(*this)); }
    std::suspend_always initial_suspend() noexcept { return {}; }
    std::suspend_always final_suspend() noexcept { return {}; }
    void return_void() {}
    void unhandled_exception() { std::terminate(); }
  };
  using Handle = std::coroutine_handle<promise_type>;

  ModemScript() = default;
  explicit ModemScript(Handle h) : handle_(h) {}
  ModemScript(ModemScript&& other) noexcept : handle_(std::exchange(other.handle_, {})) {}
  ModemScript& operator=(ModemScript&& other) noexcept {
    if (this != &other) {
      Reset();
      handle_ = std::exchange(other.handle_, {});
    }
    return *this;
  }
  ModemScript(const ModemScript&) = delete;
  ModemScript& operator=(const ModemScript&) = delete;
  ~ModemScript() { Reset(); }

  bool Running() const { return handle_ && !handle_.done(); }
  // A sequence, running or ended, that has not been reset.
  bool Holds() const { return static_cast<bool>(handle_); }
  int64_t ResumeAtMs() const { return handle_ ? handle_.promise().resumeAtMs : -1; }
  // The pause under way ends at the next step, whatever its time.
  void EndPause() {
    if (Running()) handle_.promise().resumeAtMs = 0;
  }
  void Resume() {
    if (Running()) handle_.resume();
  }
  // Abandons the sequence where it stands.
  void Reset() {
    if (handle_) handle_.destroy();
    handle_ = {};
  }

 private:
  Handle handle_;
};

// Suspends the sequence until `atMs`.
struct ResumeAt {
  int64_t atMs;
  bool await_ready() const noexcept { return false; }
  void await_suspend(ModemScript::Handle h) const noexcept { h.promise().resumeAtMs = atMs; }
  void await_resume() const noexcept {}
};

}  // namespace korvane
