#include "app/StatusStrip.h"

#include <ctime>

#include "emulation/EmulationFlags.h"
#include "windows/SessionWindows.h"

namespace korvane::app {

std::string StatusStrip::DateText() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[64];
  const std::size_t n = std::strftime(text, sizeof text, "%a, %b %e, %Y", &local);
  return std::string(text, n);
}

bool StatusStrip::Stale(const SessionWindow& w) const { return w.Number() != drawnFor_ || DateText() != date_; }

void StatusStrip::Draw(SessionWindow& w) {
  Screen& s = w.session.screen;
  // The layout changes what it reads (the remembered place, the font-size
  // name) as it lays the session window out; only the strip is taken from
  // it here, so it works on copies.
  SessionOptions opt = w.session.Opt;
  ui::SessionLayoutState st;
  st.WindowWidth = s.WindowWidth > 0 ? s.WindowWidth : static_cast<int16_t>(s.port.Width());
  st.WindowHeight = s.WindowHeight > 0 ? s.WindowHeight : static_cast<int16_t>(s.port.Height());
  st.SmallScreen = s.SmallScreen;
  const platform::Rect frame = windows_.ContentFrame(w.Number());
  st.RememberedLeft = static_cast<int16_t>(frame.left);
  st.RememberedTop = static_cast<int16_t>(frame.top);
  const ui::CellSize cell{s.CellHeight, s.CellDescent};
  const ui::StatusLayout layout =
      ui::LayOutStatusWindow(opt, st, windows_.MainScreenSize(), [cell](int) { return cell; });
  if (!made_ || layout.statusTitle != title_ || !(layout.statusRect == rect_) || layout.statusShown != shown_) {
    status_.MakeWindow(layout);
    made_ = true;
    title_ = layout.statusTitle;
    rect_ = layout.statusRect;
    shown_ = layout.statusShown;
  }
  drawnFor_ = w.Number();
  date_ = DateText();
  status_.WriteDateLine(w.session.Opt, date_, EmulationNameFromFlags(w.session.Opt));
}

}  // namespace korvane::app
