#pragma once
// Host-command services that record what they were asked to do and do
// nothing else: no printing, no file is opened or written, no window changes.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "emulation/HostActionHooks.h"
#include "emulation/HostInput.h"

namespace korvane::fakes {

class RecordingHostActions final : public HostActionHooks {
 public:
  // Every call, by name ("PrintScreen", "OpenTransferCapture /path", ...).
  std::vector<std::string> calls;
  bool clipboardCapture = false;
  bool transferCaptureOpens = true;
  bool shiftAndKey = false;
  struct KeyDefinition {
    int keyCode, firstByte;
  };
  std::vector<KeyDefinition> keyDefinitions;
  std::array<int16_t, 6> pictureNumbers{};
  bool pictureKeepsProportions = false;

  void OpenPrinterCapture() override {
    calls.push_back("OpenPrinterCapture");
    if (input) input->PrinterOn = 1;
  }
  void PrintScreen() override { calls.push_back("PrintScreen"); }
  bool ClipboardCaptureOn() override { return clipboardCapture; }
  void StopClipboardCapture() override {
    calls.push_back("StopClipboardCapture");
    clipboardCapture = false;
  }
  void ShowCaptureModes() override { calls.push_back("ShowCaptureModes"); }
  void ShowCaptureStatus() override { calls.push_back("ShowCaptureStatus"); }
  void CloseCaptureFile() override { calls.push_back("CloseCaptureFile"); }
  bool OpenTransferCapture(const std::string& path) override {
    calls.push_back("OpenTransferCapture " + path);
    return transferCaptureOpens;
  }
  void HostRequestsUpload(HostInput&) override { calls.push_back("HostRequestsUpload"); }
  void SendFileToHost(const std::string& name) override { calls.push_back("SendFileToHost " + name); }
  void ShowInlinePicture(const std::string& path, const std::array<int16_t, 6>& numbers, bool keep) override {
    calls.push_back("ShowInlinePicture " + path);
    pictureNumbers = numbers;
    pictureKeepsProportions = keep;
  }
  void RemovePicture(const std::string& path) override { calls.push_back("RemovePicture " + path); }
  void RemoveInlinePictures() override { calls.push_back("RemoveInlinePictures"); }
  void StoreHostKeyDefinition(HostInput&, int keyCode, int firstByte) override {
    keyDefinitions.push_back({keyCode, firstByte});
  }
  bool ShiftAndKeyDown() override { return shiftAndKey; }
  void ColumnModeChanged(bool wide) override { calls.push_back(wide ? "ColumnModeChanged wide" : "ColumnModeChanged 80"); }
  void SystemBeep() override { calls.push_back("SystemBeep"); }

  // Where OpenPrinterCapture turns the printer on, as the capture code does.
  HostInput* input = nullptr;
};

}  // namespace korvane::fakes
