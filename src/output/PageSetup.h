#pragma once
// Page formats: each window keeps its own, made from the printer's defaults
// the first time the window needs one, changed by the Page Setup dialog, and
// checked against the printers every time it is used. One page format
// outlives the program in the "Page Setup" file of the preferences folder:
// the active session window's is saved at quit, and the front window is
// given it at start-up. The file is plain text, replaced whole; loading and
// saving are silent, but for a save that fails.

#include <map>
#include <string>

#include "platform/Alerts.h"
#include "platform/Files.h"
#include "platform/Printing.h"

namespace korvane::output {

class PageSetup {
 public:
  static constexpr const char* kFileName = "Page Setup";

  // `preferencesFolder`: where the "Page Setup" file lives.
  PageSetup(platform::Printing& printing, platform::Files& files, platform::Alerts& alerts,
            std::string preferencesFolder);

  // The window's page format: made from the printer's defaults when it has
  // none; a stored one that no longer suits the printers is dropped (and the
  // next call starts from the defaults). 0, or the status that stopped it.
  int GetWindowPageFormat(int window, platform::PageFormat& format);
  // The Page Setup dialog on the window's page format (window 0: nothing).
  // Errors are shown; the status is returned.
  int DoPageSetupDialog(int window);
  bool HasPageFormat(int window) const { return formats_.count(window) != 0; }
  // A closed window's page format is forgotten.
  void ForgetWindow(int window) { formats_.erase(window); }

  // Start-up: gives the window the stored page format, if the file holds a
  // readable one.
  void LoadPageSetupFile(int window);
  // Quit: stores the window's page format; a window without one leaves the
  // file as it was.
  void SavePageSetupFile(int window);

  // The file's text for a page format, and back (false: not a page format).
  static std::string PageFormatText(const platform::PageFormat& format);
  static bool ParsePageFormat(const std::string& text, platform::PageFormat& format);

 private:
  std::string FilePath() const;

  platform::Printing& printing_;
  platform::Files& files_;
  platform::Alerts& alerts_;
  std::string folder_;
  std::map<int, platform::PageFormat> formats_;
};

}  // namespace korvane::output
