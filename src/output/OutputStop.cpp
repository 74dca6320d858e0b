#include "output/OutputStop.h"

#include "windows/SessionWindows.h"

namespace korvane::output {

namespace {

void Stop(SessionWindow& w, bool flush) {
  Session& s = w.session;
  HostInput& in = s.input;
  w.RestoreArrowCursor();
  in.SkipRestOfChunk = 1;
  if (flush) s.conn.FlushHostInput();
  in.HostChunkPos = in.HostChunkLast;
  if (s.Opt.XonXoffOn == 1) {
    s.conn.SendXoffXon();
    in.XoffSent = 0;
  }
  s.screen.DisplayOn = 1;
  w.RestoreArrowCursor();
  s.screen.port.TextFont(s.screen.ScreenFontId);
  s.screen.SetNormalTextStyle();
}

}  // namespace

void StopOutputAndFlush(SessionWindow& w) { Stop(w, true); }

void StopOutput(SessionWindow& w) { Stop(w, false); }

void BreakAndStopOutput(SessionWindow& w) {
  w.RestoreArrowCursor();
  w.session.conn.SendBreakToHost(w.session.Opt);
  Stop(w, true);
}

}  // namespace korvane::output
