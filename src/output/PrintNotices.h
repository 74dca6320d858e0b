#pragma once
// The small windows that say a print job is under way: "Printing PCL
// Document" (window 45) while a raw job is handed to the spooler, and
// "Printing" (window 23) while a long text goes to the print dialog. Each
// closes itself a second after its job was handed on, from the idle pass:
// nothing waits for it, and the program goes on meanwhile.

#include <cstdint>
#include <vector>

#include "platform/Clock.h"
#include "platform/NumberedWindows.h"
#include "platform/Windows.h"

namespace korvane::output {

class PrintNotices {
 public:
  static constexpr int64_t kCloseAfterMs = 1000;

  PrintNotices(platform::NumberedWindows& numbered, platform::Windows& windows, platform::Clock& clock)
      : numbered_(numbered), windows_(windows), clock_(clock) {}

  // Opens numbered window `window` (or brings it to the front); a close it
  // was waiting for is called off, so that a new job keeps it up.
  void Show(int window);
  // Closes it kCloseAfterMs from now.
  void CloseLater(int window);
  // The idle pass: closes the windows whose time has come.
  void IdlePass();
  // A window waits to be closed.
  bool Waiting() const { return !pending_.empty(); }
  // When the first of them is to close (milliseconds of the clock); 0 when
  // none waits.
  int64_t NextCloseMs() const;

 private:
  struct Pending {
    int window = 0;
    int64_t closeMs = 0;
  };
  platform::NumberedWindows& numbered_;
  platform::Windows& windows_;
  platform::Clock& clock_;
  std::vector<Pending> pending_;
};

}  // namespace korvane::output
