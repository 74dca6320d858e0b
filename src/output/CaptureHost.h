#pragma once
// What the capture and printing code needs from the session window it works
// for. The session window implements it; tests record.
//
// When a capture starts or ends, host input's echo flags (CaptureFileOn,
// PrinterOn), the check marks of the Recorder and File menus and the status
// line's "Capture On" and "Printer On" indicators all follow the calls below.
// While a print job is handed on, a small window says so.

#include <string>

#include "platform/Printing.h"

namespace korvane::output {

// The window a print job is made for: its page format is used, its title
// names the job. Number 0: no window.
struct PrintWindow {
  int number = 0;
  std::string title;
};

class CaptureHost {
 public:
  virtual ~CaptureHost() = default;
  // Capture to a file has started (true) or ended (false).
  virtual void CaptureChanged(bool on) = 0;
  // Printer capture has started (true) or ended (false).
  virtual void PrinterChanged(bool on) = 0;
  // The front window (not a floating one).
  virtual PrintWindow FrontWindow() = 0;
  // The pixels of the session window's content inside the rectangle, drawn
  // in the print colours (palette entries 17 and 18).
  virtual platform::PixelImage WindowPicture(int left, int top, int right, int bottom) = 0;
  // The clipboard, while printer output goes to it (UseClip): emptied when
  // the printer capture starts, read (UTF-8, lines ended by CR) when it is
  // printed.
  virtual void ClearClipboardText() = 0;
  virtual std::string ClipboardText() = 0;
  // A print job is under way: numbered window `window` says so (the raw
  // job's window, or the long text's) until a second after
  // ClosePrintingNotice; nothing waits for it.
  virtual void ShowPrintingNotice(int window) = 0;
  virtual void ClosePrintingNotice(int window) = 0;
};

}  // namespace korvane::output
