#pragma once
// Host commands that reach beyond the screen, shared by both interpreter
// families: the ESC STX family (identification answers, file checks,
// pictures, column modes, host transfers, open-location), printer routing,
// the host's message and file-send requests, and the alerts they show.
//
// Nothing here runs a shell or a script. Addresses go to the desktop only
// when they are http, https or mailto; host-named files stay inside the
// folder of their feature, and opening one asks the user first.

#include <array>
#include <cstdint>
#include <string>

#include "emulation/HostAnswers.h"
#include "emulation/SessionServices.h"
#include "emulation/WyseState.h"
#include "platform/Alerts.h"

namespace korvane {

class HostInput;

class HostCommands {
 public:
  // Longest texts a host command collects: a line of a request, and the text
  // of an open-location command.
  static constexpr size_t kRequestMax = 250;
  static constexpr size_t kPathMax = 256;
  static constexpr size_t kLocationMax = 2048;
  static constexpr size_t kMessageMax = 254;
  // The rest of a text too long to take is read up to its CR, at most this.
  static constexpr size_t kSkipMax = 65536;

  HostCommands(HostInput& in, WyseState& state);

  // ESC STX and its command byte (read here).
  void EscStxCommand();
  // ESC STX '<' or '>': the text up to CR names an address or a file to open.
  void OpenLocation();
  // ESC '~' 'M' '~' text CR: the host's message. False when the command
  // failed (no tilde, or the text too long); the bytes after it are read as
  // usual either way.
  bool HostMessage();
  // ESC '~' 'G' name CR: the host asks for a text file to be sent.
  void HostSendRequest();

  // Printer routing. On: refused while clipboard capture is on (the alert
  // names it; `viewpointAlert` chooses the Viewpoint family's wording);
  // `display` 0 prints transparently (nothing is drawn). False when refused.
  bool PrinterOnWithDisplay(int display, bool viewpointAlert);
  void PrinterOff();

  // Shows an alert; returns the button (1 OK).
  int Alert(platform::AlertKind kind, int id, const std::string& a, const std::string& b = {},
            const std::string& c = {}, const std::string& d = {});

  // Folders of the host transfers.
  std::string TransferFolder() const;  // Documents/pick
  std::string KermitFolder() const;    // Documents/kermit_transfers

 private:
  void PictureCommand();
  // The name a picture the host names is shown under: its web address, or
  // its local path with every link resolved; "" for no name or a path
  // outside the home folder (no picture is shown from there).
  std::string PictureName(const std::string& hostPath) const;
  void WideMode();
  void NarrowMode();
  void FileExistsRequest();
  void TransferStart();
  void TransferStatus();
  void TransferEnd();
  void SendAnswer(FixedText text) { SendAnswer(HostAnswer(text)); }
  void SendAnswer(const HostAnswer& answer);
  // Reads bytes up to CR (not kept), at most `cap`.
  void SkipToCr(size_t cap);
  std::string KermitScreenCells(int row, int firstCol, int lastCol) const;
  void OpenHostFile(const std::string& path);

  HostInput& in_;
  WyseState& st_;
  SessionServices& services_;
};

}  // namespace korvane
