#include "output/OutputStop.h"

#include "windows/SessionWindows.h"

namespace korvane::output {

void StopOutputAndFlush(SessionWindow& w) {
  Session& s = w.session;
  HostInput& in = s.input;
  w.RestoreArrowCursor();
  in.SkipRestOfChunk = 1;
  s.conn.FlushHostInput();
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

}  // namespace korvane::output
