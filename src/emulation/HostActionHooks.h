#pragma once
// What the Wyse-family host commands need from parts of the program that come
// later: printing, capture files, transfers, pictures, function keys and the
// window. The defaults do nothing (a session with none of those parts), which
// is what a test of the interpreter alone wants; the program overrides them.
// Host commands reach the desktop, the alerts and the user's folders through
// HostServices, never through a shell.

#include <array>
#include <cstdint>
#include <string>

namespace korvane {

class HostInput;

namespace platform {
class Alerts;
class Desktop;
}  // namespace platform

class HostActionHooks {
 public:
  virtual ~HostActionHooks() = default;

  // ---- Printing and capture ------------------------------------------------------
  // Starts printer capture of host output (PrinterOn is then 1).
  virtual void OpenPrinterCapture() {}
  // Prints the screen.
  virtual void PrintScreen() {}
  // Clipboard capture: whether it is on, and turning it off.
  virtual bool ClipboardCaptureOn() { return false; }
  virtual void StopClipboardCapture() {}
  // The status-line indicators of the capture modes.
  virtual void ShowCaptureModes() {}
  virtual void ShowCaptureStatus() {}
  // Closes the capture file if one is open (with its footer).
  virtual void CloseCaptureFile() {}
  // Opens `path` for output as the capture file of a host text transfer and
  // writes its header; false when it cannot be opened.
  virtual bool OpenTransferCapture(const std::string& /*path*/) { return false; }

  // ---- Transfers ---------------------------------------------------------------------
  // The host asks for a file (ESC STX U): reads the rest of the request with
  // in.GetNextHostByte().
  virtual void HostRequestsUpload(HostInput& /*in*/) {}
  // The host asks for a text file to be sent (ESC ~ G): the send window opens
  // with the name; the user starts the send.
  virtual void SendFileToHost(const std::string& /*name*/) {}

  // ---- Pictures ------------------------------------------------------------------------
  // Shows the picture at `path` with the host's six numbers (left column, top
  // row, width and height in cells, the proportions flag, unused).
  virtual void ShowInlinePicture(const std::string& /*path*/, const std::array<int16_t, 6>& /*numbers*/,
                                 bool /*keepProportions*/) {}
  // Removes the pictures shown from `path`, and every picture.
  virtual void RemovePicture(const std::string& /*path*/) {}
  virtual void RemoveInlinePictures() {}

  // ---- Keys ------------------------------------------------------------------------------
  // Stores a function-key definition the host sends: `keyCode` names the key,
  // `firstByte` is the first byte of the definition; the rest is read with
  // in.GetNextHostByte().
  virtual void StoreHostKeyDefinition(HostInput& /*in*/, int /*keyCode*/, int /*firstByte*/) {}
  // True while Shift and the second key of national set 7 are both down.
  virtual bool ShiftAndKeyDown() { return false; }

  // ---- Window ------------------------------------------------------------------------------
  // The host switched between 80 columns and the wide mode: the window's width
  // and its column menu marks follow (the screen state is already changed).
  virtual void ColumnModeChanged(bool /*wide*/) {}
  virtual void SystemBeep() {}
};

// The user's folders that host commands may name files in. Empty: none.
struct HostFolders {
  std::string home;       // the home folder (the "BootVolume" paths of a host stay inside it)
  std::string desktop;    // the Desktop folder ("UserDesktop" paths)
  std::string documents;  // the Documents folder (transfers: "pick", "kermit_transfers")
  std::string resources;  // the program's own documents, opened by name
};

// The services a host command uses. Null members do nothing: an alert is not
// shown, an address is not opened.
struct HostServices {
  HostActionHooks* actions = nullptr;
  platform::Alerts* alerts = nullptr;
  platform::Desktop* desktop = nullptr;
  HostFolders folders;
};

}  // namespace korvane
