#pragma once
// The services of one session window that the parts of the program above the
// session windows provide: capture and printing, the clipboard, transfers,
// pictures, scripts, the keyboard, menus, sounds, the serial line and dialogs.
// The program gives the session windows one provider; each window asks it for
// its own set when it is made, before its session, and keeps the set as long
// as it lives. The window itself is the session's WindowService.

#include <memory>

#include "emulation/SessionServices.h"

namespace korvane {

class SessionWindow;

class SessionServiceSet {
 public:
  virtual ~SessionServiceSet() = default;
  virtual CaptureService& Capture() = 0;
  virtual ClipboardService& Clipboard() = 0;
  virtual TransferService& Transfers() = 0;
  virtual PictureService& Pictures() = 0;
  virtual ScriptService& Scripts() = 0;
  virtual KeyboardService& Keyboard() = 0;
  virtual MenuService& Menus() = 0;
  virtual SoundService& Sounds() = 0;
  virtual SerialLine& Serial() = 0;
  virtual DialogService& Dialogs() = 0;
};

class SessionServiceProvider {
 public:
  virtual ~SessionServiceProvider() = default;
  // The set for `window`, which is still being made: keep the reference,
  // reach its session only when a service is used.
  virtual std::unique_ptr<SessionServiceSet> MakeServices(SessionWindow& window) = 0;
};

}  // namespace korvane
