#pragma once
// Capture and printing of one session: its capture file and its printer
// capture, the two echo targets the character writer feeds (the clipboard is
// the third, and not here), and the operations the Recorder and File menus,
// the host's commands and scripts start. The session window makes one for
// its session and forwards the echo calls of host input to it.

#include <cstdint>
#include <string>
#include <string_view>

#include "output/CaptureFiles.h"
#include "output/CaptureHost.h"
#include "output/PrintServices.h"
#include "output/PrinterCapture.h"
#include "platform/Alerts.h"
#include "platform/Files.h"
#include "screen/Screen.h"
#include "settings/RequiredFile.h"
#include "settings/SessionOptions.h"

namespace korvane::output {

class CaptureOutput {
 public:
  CaptureOutput(SessionOptions& options, Screen& screen, platform::Files& files, platform::Alerts& alerts,
                CaptureHost& host, PrintServices& printing, const CaptureFolders& folders);
  CaptureOutput(const CaptureOutput&) = delete;
  CaptureOutput& operator=(const CaptureOutput&) = delete;

  // The capture file (opening, closing, deleting, the script actions).
  CaptureFiles& Capture() { return capture_; }
  // The printer capture.
  PrinterCapture& Printer() { return printer_; }

  // ---- Echo targets: host text as screen codes ----------------------------------------
  // Bytes for the printer, exactly as they are to reach it.
  void WritePrinterCapture(std::string_view text) { printer_.WritePrinterCapture(text); }
  // Text for the capture file as it stands, and its line end.
  void WriteCaptureFile(std::string_view text) { capture_.WriteCaptureFile(text, screen_.ScreenFontId); }
  void WriteCaptureLineEnd() { capture_.WriteCaptureLineEnd(); }
  // The end of an input pass: what is gathered goes to the files.
  void Flush();

  // ---- Printing ------------------------------------------------------------------------
  // Prints the screen: as text (PrinterOption101 set), else as a picture of
  // the window.
  void PrintScreen();
  // File menu "Printer On"; `clipboardCaptureOn`: clipboard capture is on.
  void TurnPrinterOn(bool clipboardCaptureOn) { printer_.TurnPrinterOn(clipboardCaptureOn, screen_.ScreenFontId); }
  bool OpenPrinterCapture() { return printer_.OpenPrinterCapture(); }
  void PrinterCaptureOff(bool fromHost) { printer_.PrinterCaptureOff(fromHost, screen_.ScreenFontId); }
  void PrintCapturedText() { printer_.PrintCapturedText(screen_.ScreenFontId); }
  // A text file of more lines than this shows the "Printing" window while
  // it goes to the print dialog.
  static constexpr int kTextFileProgressLines = 3000;
  // File menu "Print Text File...", with the file the user chose: UTF-8 (or
  // Mac Roman, for files brought from a Mac) printed with the page marks of
  // captured text. With `required`, a file that cannot be read goes through
  // the required-file check (a missing one may be looked for); without it a
  // stop alert says why.
  void PrintTextFile(const std::string& path, RequiredFileHost* required = nullptr);
  // File menu "Page Setup..." for the front window.
  int DoPageSetupDialog() { return printing_.pageSetup.DoPageSetupDialog(host_.FrontWindow().number); }
  // The idle pass, with the time since the host last sent text.
  void IdlePass(int64_t ticksSinceHostText) { printer_.ServeDeferredPrint(ticksSinceHostText, screen_.ScreenFontId); }
  bool DeferredPrintWaiting() const { return printer_.PrintPending(); }

 private:
  SessionOptions& Opt;
  Screen& screen_;
  platform::Files& files_;
  platform::Alerts& alerts_;
  CaptureHost& host_;
  PrintServices& printing_;
  CaptureFiles capture_;
  PrinterCapture printer_;
};

}  // namespace korvane::output
