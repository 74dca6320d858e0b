#pragma once
// A VT220 session for the interpreter's tests: 24 rows of 80 columns, the
// settings a new session has (auto-wrap, ANSI colours on demand, the
// program's own font), the shared host sequences with recording hooks and
// alerts, and a pseudo-terminal link the test feeds.

#include <gtest/gtest.h>

#include <string>

#include "HostInputFixture.h"
#include "emulation/HostSequences.h"
#include "emulation/VtInterpreter.h"
#include "fakes/FakeAlerts.h"

namespace korvane::testing_support {

class VtTest : public HostInputTest {
 protected:
  VtTest()
      : shared(session.screen, session.Opt, session.vt, session.around.services),
        vt(session.screen, session.Opt, session.vt, shared) {
    opt().EmuVt100 = 1;
    opt().EmuVt220 = 1;
    opt().AutoWrapOn = 1;
    opt().AutoAnsiColours = 1;
    opt().ProgramFontOption = 1;
    opt().CurrentForeColour = 17;
    opt().BackgroundColour = 18;
    opt().ReverseColour = 17;
    opt().BoldColour = 17;
    opt().UnderlineColour = 17;
    opt().Mode2Colour = 15;
    screen().SetNormalTextStyle();
    in().SetInterpreters(nullptr, &vt);
    in().SetSharedSequences(&shared);
    pty = OpenPty();
  }

  // The host sends `bytes`; the session reads until nothing is left.
  void Feed(const std::string& bytes) {
    pty->Feed(bytes);
    for (int pass = 0; pass < 100 && pty->Waiting() > 0; ++pass) in().ProcessHostInput();
  }
  // What the session sent to the host.
  const std::string& Answer() const { return pty->written; }
  std::pair<int, int> CursorAt() { return {screen().CursorRow(), screen().CursorCol()}; }

  fakes::RecordingServices& commands = session.around.record;
  HostSequences shared;
  VtInterpreter vt;
  fakes::MemoryLink* pty = nullptr;
};

}  // namespace korvane::testing_support
