#pragma once
// The system's TCP keep-alive, set from the Keep-Alive window: `sudo` runs
// `sysctl` on a pseudo-terminal of its own, with an argument vector (no
// shell ever sees the user's numbers or password), and the administrator
// password is typed only when sudo's own prompt appears.
//
// The set-up is a state machine the idle pass steps: it never waits. It
// ends in one of three ways: the time was set (sudo and sysctl ended with
// status 0), the password was refused (sudo asked again; the child is ended
// at once), or it failed (sudo missing, not started, not allowed, sysctl
// refused, no end within the deadline), with the last line the child
// printed. The password is never shown or kept: its copy is wiped once it
// has been typed, or when the set-up ends without typing it.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/HostLink.h"
#include "platform/Processes.h"

namespace korvane::app {

class KeepAliveSetup {
 public:
  enum class Outcome {
    Set,            // the keep-alive time was set
    WrongPassword,  // sudo asked for the password again
    Failed,         // anything else: `reason` and `lastLine` tell what
  };
  struct Result {
    Outcome outcome = Outcome::Failed;
    // What went wrong, in the program's words (English; the alert looks it
    // up in the user's language). Empty for Set and WrongPassword.
    std::string reason;
    // The exit status or signal number that goes with the reason, as " 1.".
    std::string code;
    // The last line sudo or sysctl printed (never the password), or empty.
    std::string lastLine;
  };

  // The prompt sudo is given: only this text makes the set-up type the
  // password.
  static constexpr const char* kPrompt = "[korvane] administrator password for keep-alive: ";
  // The set-up that has not ended by then is ended and reported.
  static constexpr int64_t kDeadlineMs = 20000;

  KeepAliveSetup(platform::Processes& processes, const platform::Clock& clock);
  // Ends a child still running (the program quits during a set-up).
  ~KeepAliveSetup();
  KeepAliveSetup(const KeepAliveSetup&) = delete;
  KeepAliveSetup& operator=(const KeepAliveSetup&) = delete;

  // The argument vector of sudo for `minutes` (0 is taken as 1): the idle
  // time in seconds and the interval between probes, half of it.
  static std::vector<std::string> Arguments(int minutes);

  // Starts a set-up. The result at once when it cannot start (sudo is not
  // there, or no child could be made); nothing while it runs. A set-up must
  // not be running already (see Running).
  std::optional<Result> Start(int minutes, std::string password);
  bool Running() const { return link_ != nullptr; }
  // One step: reads what the child printed, types the password at the prompt,
  // and returns the result once the set-up has ended.
  std::optional<Result> Step();
  // Ends a running set-up without a result (the program quits).
  void End();

 private:
  enum class Stage { WaitingForPrompt, PasswordTyped };
  void WipePassword();
  Result Finish(Outcome outcome, std::string reason, std::string code = {});
  // The last line of what the child printed, without the prompt.
  std::string LastLine() const;

  platform::Processes& processes_;
  const platform::Clock& clock_;
  std::unique_ptr<HostLink> link_;
  Stage stage_ = Stage::WaitingForPrompt;
  int64_t startedMs_ = 0;
  std::string password_;
  // What the child printed since the password was typed (or since the
  // start): the part looked at for the prompt and sudo's "try again".
  std::string unseen_;
  // The echo of the typed line is dropped up to its line end, so that a
  // child that echoes it cannot show the password.
  bool skippingTypedLine_ = false;
  // The tail of everything shown to the user as the last line.
  std::string transcript_;
};

}  // namespace korvane::app
