#pragma once
// A session's two interpreter families, wired together: the Wyse family and
// the VT family share the host sequences both carry out (fills, boxes, the
// private sequences, the host-programming commands), and the VT family hands
// its ESC STX to the Wyse family's handler so that both answer a host alike.
// Constructing one installs the interpreters on the session's host input;
// destroying it takes them out again.

#include "emulation/HostSequences.h"
#include "emulation/StxCommands.h"
#include "emulation/VtInterpreter.h"
#include "emulation/WyseInterpreter.h"
#include "windows/Session.h"

namespace korvane {

class SessionInterpreters final : private StxCommands {
 public:
  explicit SessionInterpreters(Session& s, HostCommandHooks* hooks = nullptr, platform::Alerts* alerts = nullptr)
      : session_(s), shared(s, hooks, alerts), wyse(s.input, s.wyse), vt(s, shared) {
    s.input.SetSharedSequences(&shared);
    s.input.SetInterpreters(&wyse, &vt);
    vt.SetStxCommands(this);
  }
  ~SessionInterpreters() override {
    session_.input.SetInterpreters(nullptr, nullptr);
    session_.input.SetSharedSequences(nullptr);
  }
  SessionInterpreters(const SessionInterpreters&) = delete;
  SessionInterpreters& operator=(const SessionInterpreters&) = delete;

 private:
  Session& session_;

 public:
  HostSequences shared;
  WyseInterpreter wyse;
  VtInterpreter vt;

 private:
  void StxCommand(HostInput&) override { wyse.Commands().EscStxCommand(); }
};

}  // namespace korvane
