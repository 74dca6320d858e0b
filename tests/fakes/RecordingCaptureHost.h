#pragma once
// The session window as capture and printing see it: every change of the
// capture and printer state is recorded; the front window, the window's
// picture and the clipboard text are what the test sets; the printing
// notices shown and closed are recorded in order ("show 45", "close 45").

#include <functional>
#include <string>
#include <vector>

#include "output/CaptureHost.h"

namespace korvane::fakes {

class RecordingCaptureHost final : public output::CaptureHost {
 public:
  std::vector<bool> captureChanges;
  std::vector<bool> printerChanges;
  output::PrintWindow front{48, "Session 1"};
  platform::PixelImage picture;
  struct PictureRequest {
    int left, top, right, bottom;
  };
  std::vector<PictureRequest> pictureRequests;
  std::string clipboard;
  int clipboardClears = 0;
  std::vector<std::string> notices;
  // Called when a notice is shown (to look at what happens meanwhile).
  std::function<void(int window)> onShowNotice;

  void CaptureChanged(bool on) override { captureChanges.push_back(on); }
  void PrinterChanged(bool on) override { printerChanges.push_back(on); }
  output::PrintWindow FrontWindow() override { return front; }
  platform::PixelImage WindowPicture(int left, int top, int right, int bottom) override {
    pictureRequests.push_back({left, top, right, bottom});
    return picture;
  }
  void ClearClipboardText() override {
    ++clipboardClears;
    clipboard.clear();
  }
  std::string ClipboardText() override { return clipboard; }
  void ShowPrintingNotice(int window) override {
    notices.push_back("show " + std::to_string(window));
    if (onShowNotice) onShowNotice(window);
  }
  void ClosePrintingNotice(int window) override { notices.push_back("close " + std::to_string(window)); }
};

}  // namespace korvane::fakes
