#pragma once
// The status line (window 4) as a session's capture and printing reach it.
// It shows the capture modes of one session, the active one, and only while
// that session's settings show the status line; the program's status window
// implements it.

#include <cstdint>

#include "settings/SessionOptions.h"

namespace korvane::output {

// What the status line's indicators show of a session.
struct CaptureModes {
  bool capture = false;    // a capture file is open
  bool printer = false;    // the printer capture is on
  bool clipboard = false;  // clipboard capture is on
  friend bool operator==(const CaptureModes&, const CaptureModes&) = default;
};

class StatusLine {
 public:
  virtual ~StatusLine() = default;
  // Session window `window`, with the settings `Opt`, now has `modes`. The
  // status line shows them when it shows that window; another window's
  // modes are shown when that window comes to the front.
  virtual void ShowCaptureModes(int window, const SessionOptions& Opt, CaptureModes modes) = 0;
};

}  // namespace korvane::output
