#pragma once
// Printing a text: the print dialog for the window's page format with the
// pages the text needs, then the chosen pages in the print font. The print
// commands (print screen, the printer capture, a text file) build the text
// (PrintPages.h) and call DoPrintDialog.

#include <string>
#include <string_view>

#include "output/PageSetup.h"
#include "output/PrintPages.h"
#include "platform/Alerts.h"
#include "platform/Printing.h"
#include "settings/SessionOptions.h"

namespace korvane::output {

struct PrintFont {
  std::string name;  // the settings' printer font name
  int size = 12;     // points
};

// The print font of the settings (printer font name and size); a size the
// settings do not give prints at 11 points.
PrintFont PrintFontOf(const SessionOptions& options);

// The installed family that prints for a printer font name of the settings.
std::string PrinterFontFamily(const std::string& name);

// The printing-error alert: "Error code " and the status, "No default printer
// specified" or "Printing error", and what the system said.
void ShowPrintError(platform::Alerts& alerts, const platform::PrintResult& result);

class TextPrinting {
 public:
  TextPrinting(platform::Printing& printing, platform::Alerts& alerts, PageSetup& pageSetup)
      : printing_(printing), alerts_(alerts), pageSetup_(pageSetup) {}

  // Prints `text` for `window` (its page format; its title names the job).
  // 0 when the dialog ran, whatever the user chose; otherwise the status of
  // the step that failed, already shown to the user. `result`, when given,
  // receives how the job ended.
  int DoPrintDialog(int window, const std::string& title, std::string_view text, const PrintFont& font,
                    platform::PrintResult* result = nullptr);

 private:
  platform::Printing& printing_;
  platform::Alerts& alerts_;
  PageSetup& pageSetup_;
};

}  // namespace korvane::output
