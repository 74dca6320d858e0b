#pragma once
// A session's printer capture: while the printer is on, the text the host
// sends to the printer is collected, byte for byte, in a printer file of the
// preferences folder (or, with the clipboard option, on the clipboard). When
// the printer is turned off, what was collected is printed: as pages of text
// through the print dialog, or, in PCL pass-through mode, handed unchanged to
// the spooler as a raw job. With deferred printing the idle pass prints once
// the host has been quiet for four seconds. A raw job, and a long text, are
// shown as under way in a small window for a second after they go.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "output/CaptureHost.h"
#include "output/PrintSpooler.h"
#include "output/PrintText.h"
#include "platform/Alerts.h"
#include "platform/Files.h"
#include "platform/Printing.h"
#include "settings/SessionOptions.h"

namespace korvane::output {

// Runs `print` (the print dialog for `printText`); a text of more than
// `progressLines` lines shows the "Printing" window meanwhile, closed a
// second after the dialog.
void PrintWithProgress(CaptureHost& host, int progressLines, std::string_view printText,
                       const std::function<void()>& print);

class PrinterCapture {
 public:
  static constexpr const char* kPrinterFileName = "PrinterTemp";
  // Deferred printing waits until the host has sent nothing for this long.
  static constexpr int64_t kQuietTicks = 240;
  // Captured text longer than this is not printed as text (it stays in its file).
  static constexpr std::size_t kTextPrintMax = 64u << 20;
  // A print text of more lines than this shows the "Printing" window while
  // it goes to the print dialog.
  static constexpr int kProgressLines = 5000;

  PrinterCapture(SessionOptions& options, platform::Files& files, platform::Alerts& alerts,
                 platform::Printing& printing, CaptureHost& host, TextPrinting& textPrinting, PrintSpooler& spooler,
                 std::string preferencesFolder);
  PrinterCapture(const PrinterCapture&) = delete;
  PrinterCapture& operator=(const PrinterCapture&) = delete;
  ~PrinterCapture();

  bool PrinterOn() const { return printerOn_; }
  // Captured text waits to be printed (deferred printing).
  bool PrintPending() const { return printPending_; }
  bool HostPrintOffPending() const { return hostPrintOffPending_; }
  // The printer file of the capture under way or waiting to be printed.
  const std::string& PrinterFilePath() const { return path_; }

  // File menu "Printer On": turns the printer off (and prints) when it is on
  // or a host's printer-off waits; refuses while clipboard capture is on;
  // otherwise starts the capture.
  void TurnPrinterOn(bool clipboardCaptureOn, int16_t fontId);
  // Starts the printer capture (the menu, the host's printer-on). False,
  // after an alert, when the printer file cannot be made.
  bool OpenPrinterCapture();
  // Bytes for the printer, exactly as they are to reach it.
  void WritePrinterCapture(std::string_view bytes);
  void Flush();
  // Printer off (the host, the menu): prints what was collected now, or,
  // with deferred printing, leaves it to the idle pass.
  void PrinterCaptureOff(bool fromHost, int16_t fontId);
  // The idle pass, with the time since the host last sent text.
  void ServeDeferredPrint(int64_t ticksSinceHostText, int16_t fontId);
  // Prints what was collected and ends the capture. `fontId`: the session's
  // screen font, whose table turns the captured codes into characters.
  void PrintCapturedText(int16_t fontId);

  // The printer raw jobs go to; empty: the default printer.
  void SetRawPrinter(std::string printer) { rawPrinter_ = std::move(printer); }

 private:
  bool OpenPrinterFile(platform::OutputMode mode);
  void ClosePrinterFile();
  std::string NewPrinterFilePath() const;
  SessionOptions& Opt;
  platform::Files& files_;
  platform::Alerts& alerts_;
  platform::Printing& printing_;
  CaptureHost& host_;
  TextPrinting& textPrinting_;
  PrintSpooler& spooler_;
  std::string folder_;
  std::string rawPrinter_;

  std::unique_ptr<platform::OutputFile> file_;
  std::string path_;
  std::string pending_;
  bool writeFailed_ = false;
  bool printerOn_ = false;
  bool printPending_ = false;
  bool hostPrintOffPending_ = false;
};

}  // namespace korvane::output
