#pragma once
// A session's capture service over a real CaptureOutput, without a window:
// the echo targets and the end-of-pass flush reach real files, host input's
// capture and printer flags follow them, and every other request is only
// recorded by name. For the capture benchmark and tests of the byte path.

#include <memory>
#include <string>
#include <vector>

#include "emulation/HostInput.h"
#include "emulation/SessionServices.h"
#include "output/CaptureOutput.h"

namespace korvane::fakes {

class CaptureOutputService final : public CaptureService, public output::CaptureHost {
 public:
  std::vector<std::string> calls;

  // Made before the session it serves; attached once the session exists.
  void Attach(SessionOptions& options, Screen& screen, HostInput& in, platform::Files& files, platform::Alerts& alerts,
              output::PrintServices& printing, output::CaptureFolders folders) {
    in_ = &in;
    output_ =
        std::make_unique<output::CaptureOutput>(options, screen, files, alerts, *this, printing, std::move(folders));
  }
  output::CaptureOutput& Output() { return *output_; }

  // ---- The byte path ---------------------------------------------------------------
  bool OpenCaptureFile(const std::string& path) override { return output_->Capture().OpenCaptureFile(path); }
  void CloseCaptureFile() override { output_->Capture().CloseCaptureFile(); }
  void WriteCaptureFile(std::string_view text) override { output_->WriteCaptureFile(text); }
  void WriteCaptureLineEnd() override { output_->WriteCaptureLineEnd(); }
  bool OpenPrinterCapture() override { return output_->OpenPrinterCapture(); }
  void WritePrinterCapture(std::string_view text) override { output_->WritePrinterCapture(text); }
  void PrinterCaptureOff() override { output_->PrinterCaptureOff(true); }
  void Flush() override { output_->Flush(); }

  // ---- Everything else, recorded ------------------------------------------------------
  bool ReopenCaptureForAppend(const std::string& path) override { return Note("ReopenCaptureForAppend " + path); }
  bool OpenTransferCapture(const std::string& path) override { return Note("OpenTransferCapture " + path); }
  void AbortAndCloseCapture() override { Note("AbortAndCloseCapture"); }
  void NewCaptureFile() override { Note("NewCaptureFile"); }
  void AppendDeleteCaptureFile() override { Note("AppendDeleteCaptureFile"); }
  bool CheckReservedFileName(const std::string& path) override { return !Note("CheckReservedFileName " + path); }
  void PrintScreen() override { Note("PrintScreen"); }
  void ClearStatusLine() override { Note("ClearStatusLine"); }
  void ShowCaptureModes() override { Note("ShowCaptureModes"); }
  void ShowCaptureStatus() override { Note("ShowCaptureStatus"); }
  void RecorderOn() override { Note("RecorderOn"); }
  void RecorderOff() override { Note("RecorderOff"); }
  void AppendToCaptureFile() override { Note("AppendToCaptureFile"); }
  void DeleteCaptureFile() override { Note("DeleteCaptureFile"); }
  void TurnPrinterOn() override { Note("TurnPrinterOn"); }
  void PrintScrollBack() override { Note("PrintScrollBack"); }
  void PrintTextFile() override { Note("PrintTextFile"); }
  void PageSetup() override { Note("PageSetup"); }
  void UseRecorderFile() override { Note("UseRecorderFile"); }
  void ServeIdlePass() override { Note("ServeIdlePass"); }
  void PrintBeforeQuit() override { Note("PrintBeforeQuit"); }
  std::string SetCaptureFileFromScript(const std::string& path) override {
    Note("SetCaptureFileFromScript " + path);
    return {};
  }
  std::string GetCaptureFileName() override {
    Note("GetCaptureFileName");
    return {};
  }
  std::string DeleteCaptureFileForScript() override {
    Note("DeleteCaptureFileForScript");
    return {};
  }
  std::string CaptureFileName() override { return "RECORDER"; }

  // ---- CaptureHost ------------------------------------------------------------------------
  void CaptureChanged(bool on) override { in_->CaptureFileOn = on ? 1 : 0; }
  void PrinterChanged(bool on) override { in_->PrinterOn = on ? 1 : 0; }
  output::PrintWindow FrontWindow() override { return {48, "Session 1"}; }
  platform::PixelImage WindowPicture(int, int, int, int) override { return {}; }
  void ClearClipboardText() override { Note("ClearClipboardText"); }
  std::string ClipboardText() override { return {}; }
  void ShowPrintingNotice(int window) override { Note("ShowPrintingNotice " + std::to_string(window)); }
  void ClosePrintingNotice(int window) override { Note("ClosePrintingNotice " + std::to_string(window)); }

 private:
  bool Note(std::string call) {
    calls.push_back(std::move(call));
    return true;
  }
  HostInput* in_ = nullptr;
  std::unique_ptr<output::CaptureOutput> output_;
};

}  // namespace korvane::fakes
