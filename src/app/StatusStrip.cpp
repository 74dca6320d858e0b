#include "app/StatusStrip.h"

#include <ctime>

#include "emulation/EmulationFlags.h"
#include "output/CaptureIndicators.h"
#include "windows/SessionWindows.h"

namespace korvane::app {

namespace {

output::CaptureModes ModesOf(const SessionWindow& w) {
  const HostInput& in = w.session.input;
  return {in.CaptureFileOn != 0, in.PrinterOn != 0, in.ClipboardCapture != 0};
}

bool WideLayout(const SessionOptions& Opt) { return Opt.TextSizeValue > 9; }

}  // namespace

std::string StatusStrip::DateText() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[64];
  const std::size_t n = std::strftime(text, sizeof text, "%a, %b %e, %Y", &local);
  return std::string(text, n);
}

bool StatusStrip::Stale(const SessionWindow& w) const {
  const SessionOptions& Opt = w.session.Opt;
  return w.Number() != drawnFor_ || DateText() != date_ || Opt.StatusWindowShown != hiddenSetting_ ||
         WideLayout(Opt) != wide_ || EmulationNameFromFlags(Opt) != emulation_;
}

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
  modes_ = ModesOf(w);
  WriteStatusLine(w.session.Opt);
}

void StatusStrip::ShowCaptureModes(int window, const SessionOptions& Opt, output::CaptureModes modes) {
  // Another session's modes wait until its window comes to the front, and a
  // session that hides the status line shows none: the idle pass lays the
  // strip out again for either.
  if (!made_ || window != drawnFor_ || Opt.StatusWindowShown != 0 || Opt.StatusWindowShown != hiddenSetting_) return;
  if (modes == modes_ && WideLayout(Opt) == wide_ && EmulationNameFromFlags(Opt) == emulation_) return;
  modes_ = modes;
  WriteStatusLine(Opt);
}

void StatusStrip::WriteStatusLine(const SessionOptions& Opt) {
  emulation_ = EmulationNameFromFlags(Opt);
  hiddenSetting_ = Opt.StatusWindowShown;
  wide_ = WideLayout(Opt);
  status_.WriteDateLine(Opt, date_, emulation_);
  using output::StatusIndicator;
  const std::pair<StatusIndicator, bool> indicators[] = {
      {StatusIndicator::Capture, modes_.capture},
      {StatusIndicator::Printer, modes_.printer},
      {StatusIndicator::Clipboard, modes_.clipboard},
  };
  for (const auto& [indicator, on] : indicators) {
    if (!on) continue;
    const output::IndicatorPlace place = output::StatusIndicatorPlace(indicator, Opt.TextSizeValue);
    status_.WriteIndicator(Opt, {place.x, place.y}, strings_.Localise(output::CaptureIndicatorText(indicator)));
  }
}

}  // namespace korvane::app
