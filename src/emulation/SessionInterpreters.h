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
#include "emulation/HostInput.h"
#include "emulation/VtState.h"
#include "emulation/WyseState.h"

namespace korvane {

class SessionInterpreters final : private StxCommands {
 public:
  SessionInterpreters(HostInput& in, WyseState& wyseState, VtState& vtState)
      : input_(in),
        shared(in.screen, in.Opt, vtState, in.Services()),
        wyse(in, wyseState),
        vt(in.screen, in.Opt, vtState, shared) {
    in.SetSharedSequences(&shared);
    in.SetInterpreters(&wyse, &vt);
    vt.SetStxCommands(this);
  }
  ~SessionInterpreters() override {
    input_.SetInterpreters(nullptr, nullptr);
    input_.SetSharedSequences(nullptr);
  }
  SessionInterpreters(const SessionInterpreters&) = delete;
  SessionInterpreters& operator=(const SessionInterpreters&) = delete;

 private:
  HostInput& input_;

 public:
  HostSequences shared;
  WyseInterpreter wyse;
  VtInterpreter vt;

 private:
  void StxCommand(HostInput&) override { wyse.Commands().EscStxCommand(); }
};

}  // namespace korvane
