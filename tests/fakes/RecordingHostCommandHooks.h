#pragma once
// Host-command hooks that record every request, in order, as one line each
// ("PrintScreen", "OpenCaptureFile /tmp/x/notes.txt", ...), answer with
// values the test sets, and use folders the test chooses.

#include <string>
#include <vector>

#include "emulation/HostCommandHooks.h"

namespace korvane::fakes {

class RecordingHostCommandHooks final : public HostCommandHooks {
 public:
  std::vector<std::string> calls;
  std::string captureFolder = "/nonexistent/capture", scriptsFolder = "/nonexistent/scripts",
              transferFolder = "/nonexistent/transfer";
  // Answers of the requests that can fail or be cancelled.
  bool printerOpens = true, captureOpens = true, userSends = true, sendWorks = true, scriptRuns = true;
  bool reservedName = false;

  std::string CaptureFolder() override { return captureFolder; }
  std::string ScriptsFolder() override { return scriptsFolder; }
  std::string TransferFolder() override { return transferFolder; }

  void Beep() override { calls.push_back("Beep"); }
  void RemoveInlinePictures() override { calls.push_back("RemoveInlinePictures"); }
  void RedrawWindow() override { calls.push_back("RedrawWindow"); }
  void SetWindowRect(int top, int left, int bottom, int right) override {
    calls.push_back("SetWindowRect " + std::to_string(top) + " " + std::to_string(left) + " " +
                    std::to_string(bottom) + " " + std::to_string(right));
  }
  void ShowAutoWrapMark(bool on) override { calls.push_back(std::string("ShowAutoWrapMark ") + (on ? "on" : "off")); }
  void ShowWideModeMarks(bool wide) override {
    calls.push_back(std::string("ShowWideModeMarks ") + (wide ? "wide" : "narrow"));
  }
  void ShowCapsModeMark(bool on) override { calls.push_back(std::string("ShowCapsModeMark ") + (on ? "on" : "off")); }
  void SetCloseKeyOff(bool off) override { calls.push_back(std::string("SetCloseKeyOff ") + (off ? "1" : "0")); }
  void ReopenSessionWindow() override { calls.push_back("ReopenSessionWindow"); }
  void PrintScreen() override { calls.push_back("PrintScreen"); }
  bool OpenPrinterCapture() override {
    calls.push_back("OpenPrinterCapture");
    return printerOpens;
  }
  void ShowCaptureModes() override { calls.push_back("ShowCaptureModes"); }
  bool OpenCaptureFile(const std::string& path) override {
    calls.push_back("OpenCaptureFile " + path);
    return captureOpens;
  }
  bool ReopenCaptureForAppend(const std::string& path) override {
    calls.push_back("ReopenCaptureForAppend " + path);
    return captureOpens;
  }
  void CloseCaptureFile() override { calls.push_back("CloseCaptureFile"); }
  void AbortAndCloseCapture() override { calls.push_back("AbortAndCloseCapture"); }
  void NewCaptureFile() override { calls.push_back("NewCaptureFile"); }
  void AppendDeleteCaptureFile() override { calls.push_back("AppendDeleteCaptureFile"); }
  void DoClipboardCapture() override { calls.push_back("DoClipboardCapture"); }
  void ClearStatusLine() override { calls.push_back("ClearStatusLine"); }
  bool CheckReservedFileName(const std::string& path) override {
    calls.push_back("CheckReservedFileName " + path);
    return reservedName;
  }
  void ShowDownloadTarget(const std::string& path) override { calls.push_back("ShowDownloadTarget " + path); }
  bool ChooseAndSendTextFile() override {
    calls.push_back("ChooseAndSendTextFile");
    return userSends;
  }
  bool SendTextFileToHost(const std::string& path) override {
    calls.push_back("SendTextFileToHost " + path);
    return sendWorks;
  }
  void HostRequestedSend(const std::string& path) override { calls.push_back("HostRequestedSend " + path); }
  bool RunScript(const std::string& path) override {
    calls.push_back("RunScript " + path);
    return scriptRuns;
  }
};

}  // namespace korvane::fakes
