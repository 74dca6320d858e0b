#pragma once
// The status window (window 4) as the program keeps it: a strip along the
// bottom of the screen showing the date, the active session's emulation and
// the indicators of its capture modes ("Capture On", "Printer On",
// "Clipboard On"), or a window out of sight when the session's settings hide
// it. It is laid out again when the active session's settings could have
// moved it (at start, when another session comes to the front, on request),
// and only made again when its place, title or visibility changed. It is the
// program's StatusLine: the capture and printing code tells it each change
// of the active session's modes, and the line is drawn again with them.
//
// The session windows keep the size their own code gives them (room for 80
// columns and 24 rows at the session's text size): the layout's pixel
// rectangles for the session window are not applied.

#include <string>

#include "output/StatusLine.h"
#include "platform/StringTable.h"
#include "platform/Windows.h"
#include "ui/dialogs/StatusWindow.h"

namespace korvane {
class SessionWindow;
}

namespace korvane::app {

class StatusStrip final : public output::StatusLine {
 public:
  StatusStrip(platform::Windows& windows, const platform::StringTable& strings)
      : windows_(windows), strings_(strings), status_(windows) {}
  // Lays out window 4 for session window `w` and writes its status line.
  void Draw(SessionWindow& w);
  // The strip shows another session, yesterday's date, or what the session's
  // settings no longer say (its emulation, the status line shown or hidden,
  // the wide or narrow layout).
  bool Stale(const SessionWindow& w) const;
  // The date as the status line shows it ("Thu, Dec 10, 2026").
  static std::string DateText();

  // ---- StatusLine ---------------------------------------------------------------
  void ShowCaptureModes(int window, const SessionOptions& Opt, output::CaptureModes modes) override;

 private:
  // The date line, then the indicators of the modes that are on. An
  // indicator that goes off is taken away by drawing the line again without
  // it, so that nothing next to it is wiped with it.
  void WriteStatusLine(const SessionOptions& Opt);

  platform::Windows& windows_;
  const platform::StringTable& strings_;
  ui::StatusWindow status_;
  bool made_ = false;
  std::string title_;
  platform::Rect rect_{};
  bool shown_ = false;
  int drawnFor_ = 0;
  std::string date_;
  // What the line was written for.
  std::string emulation_;
  int16_t hiddenSetting_ = 0;
  bool wide_ = true;
  output::CaptureModes modes_;
};

}  // namespace korvane::app
