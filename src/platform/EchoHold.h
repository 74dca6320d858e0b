#pragma once
// The echo of lines typed into a child, held back from what the child prints.
//
// A set-up types a few lines into a shell or a client (the terminal name, the
// command that connects); the terminal echoes each one, usually after the
// shell's or the client's prompt. Only those echoed lines are left out of the
// output: everything else the child or the host says passes, in order,
// unchanged. A line that has not ended yet is held while it could still turn
// out to be an echo, and never longer than the hold's patience; once every
// typed line has been seen, nothing more is held.

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace korvane::platform {

class EchoHold {
 public:
  // How long after the hold begins a line still waits for an echo.
  static constexpr int64_t kPatienceMs = 3000;

  // `lines`: the lines typed, in order, without their end; empty ones cannot
  // be told apart from other output and are not looked for.
  EchoHold(const std::vector<std::string>& lines, int64_t nowMs);

  // Takes what the child printed; appends to `out` what may be shown now.
  void Take(std::string_view bytes, std::string& out);
  // True once the hold is over: every echo was seen or the patience is spent
  // (what was held then goes to `out`).
  bool Finish(int64_t nowMs, std::string& out);
  // Ends the hold at once (the child's output has ended): what was held goes
  // to `out`.
  void Release(std::string& out);

 private:
  // An output line that shows one of the typed lines still expected; the
  // lines up to it count as seen.
  bool IsEcho(std::string_view line);

  std::deque<std::string> expected_;
  std::string partial_;
  int64_t deadlineMs_;
};

}  // namespace korvane::platform
