#pragma once
// Capture and printing for one session window: the window's CaptureService
// (what host input, the menus and scripts ask of capture files and the
// printer), built on the session's CaptureOutput, and the CaptureHost that
// CaptureOutput reports back to. Whenever a capture or the printer capture
// starts or ends, host input's echo flags follow at once, and the Recorder
// and File menus' marks and the status line's indicators follow while the
// window is the active session.
//
// The printing parts, the file dialogs and the clipboard are the program's,
// shared by every window (CaptureShared).

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "emulation/SessionServices.h"
#include "output/CaptureHost.h"
#include "output/CaptureOutput.h"
#include "output/PrintNotices.h"
#include "output/PrintServices.h"
#include "output/StatusLine.h"
#include "platform/Clipboard.h"
#include "platform/FileDialogs.h"

namespace korvane {
class SessionWindow;
}

namespace korvane::output {

// The menu items whose marks show the capture modes.
inline constexpr int kRecorderOnItem = 1;
inline constexpr int kFilePrinterOnItem = 16;

// What the capture code of every session window shares.
struct CaptureShared {
  CaptureShared(PrintServices& printServices, platform::FileDialogs& dialogs, platform::Clipboard& board,
                StatusLine& status, platform::NumberedWindows& numbered, platform::Windows& windows,
                platform::Clock& clock)
      : printing(printServices),
        fileDialogs(dialogs),
        clipboard(board),
        statusLine(status),
        notices(numbered, windows, clock) {}
  PrintServices& printing;
  platform::FileDialogs& fileDialogs;
  platform::Clipboard& clipboard;
  // The status line, which shows the active session's capture modes.
  StatusLine& statusLine;
  // The windows that say a print job is under way; the program's idle pass
  // closes them.
  PrintNotices notices;
  // The marks the menus show now, and the window they were set for (0:
  // none yet), so that they are set only when they change.
  int markedWindow = 0;
  bool captureMarked = false, printerMarked = false;
};

class SessionCapture final : public CaptureService, public CaptureHost {
 public:
  SessionCapture(SessionWindow& window, CaptureShared& shared);
  SessionCapture(const SessionCapture&) = delete;
  SessionCapture& operator=(const SessionCapture&) = delete;
  ~SessionCapture() override;

  // The session's capture file and printer capture (made on first use: the
  // session is made after its services).
  CaptureOutput& Output();

  // ---- CaptureService ------------------------------------------------------------
  bool OpenCaptureFile(const std::string& path) override;
  bool ReopenCaptureForAppend(const std::string& path) override;
  bool OpenTransferCapture(const std::string& path) override;
  void CloseCaptureFile() override;
  void AbortAndCloseCapture() override;
  void NewCaptureFile() override;
  void AppendDeleteCaptureFile() override;
  bool CheckReservedFileName(const std::string& path) override;
  void WriteCaptureFile(std::string_view text) override { Output().WriteCaptureFile(text); }
  void WriteCaptureLineEnd() override { Output().WriteCaptureLineEnd(); }
  bool OpenPrinterCapture() override;
  void WritePrinterCapture(std::string_view text) override { Output().WritePrinterCapture(text); }
  void PrinterCaptureOff() override;
  void PrintScreen() override;
  void ClearStatusLine() override;
  void ShowCaptureModes() override;
  void ShowCaptureStatus() override;
  void RecorderOn() override;
  void RecorderOff() override;
  void AppendToCaptureFile() override;
  void DeleteCaptureFile() override;
  void TurnPrinterOn() override;
  void PrintScrollBack() override;
  void PrintTextFile() override;
  void PageSetup() override;
  void UseRecorderFile() override { Output().Capture().UseRecorderFile(); }
  void Flush() override;
  void ServeIdlePass() override;
  bool DeferredPrintWaiting() const override;
  void PrintBeforeQuit() override;
  std::string SetCaptureFileFromScript(const std::string& path) override;
  std::string GetCaptureFileName() override;
  std::string DeleteCaptureFileForScript() override;
  std::string CaptureFileName() override { return Output().Capture().CaptureFileName(); }

  // ---- CaptureHost ----------------------------------------------------------------
  void CaptureChanged(bool on) override;
  void PrinterChanged(bool on) override;
  PrintWindow FrontWindow() override;
  platform::PixelImage WindowPicture(int left, int top, int right, int bottom) override;
  void ClearClipboardText() override;
  std::string ClipboardText() override;
  void ShowPrintingNotice(int window) override { shared_.notices.Show(window); }
  void ClosePrintingNotice(int window) override { shared_.notices.CloseLater(window); }

  // The print text of the scroll-back store and the screen below it, one
  // line each, trailing blanks dropped; empty when the store holds no line
  // above the screen.
  static std::string ScrollBackPrintText(Screen& screen);

 private:
  bool IsActive() const;
  // The status line's indicators follow the session's modes.
  void ShowStatusLineModes();
  std::string L(const std::string& english) const;

  SessionWindow& w_;
  CaptureShared& shared_;
  std::unique_ptr<CaptureOutput> output_;
};

}  // namespace korvane::output
