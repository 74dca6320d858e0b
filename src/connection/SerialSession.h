#pragma once
// The serial side of one session's connection: the port chosen, whether it
// is open, the open port itself, and a break in progress.
//
// Nothing here waits: a break is started and ended later by Step, which the
// program calls from its main loop (at the latest at the time Step returned).

#include <cstdint>
#include <memory>
#include <string>

#include "connection/SerialFiles.h"
#include "platform/HostLink.h"

namespace korvane {

class SerialSession {
 public:
  explicit SerialSession(SerialFiles& files) : files_(files) {}
  SerialSession(const SerialSession&) = delete;
  SerialSession& operator=(const SerialSession&) = delete;

  // The session's port as serial file number -n; 0 when none is chosen.
  int16_t ConnectionPort = 0;
  // The port is open (or being opened).
  int16_t ConnectionOpen = 0;
  // The connection counts as open for the rest of the program.
  int16_t Connected = 0;
  // The ports differ from the list the settings remember, or there are none:
  // no port is opened until the user chooses one.
  int16_t PortListChanged = 0;
  // The port last opened successfully.
  int16_t LastOpenedPort = 0;
  // The port state text: "available" while the port may be opened.
  std::string SerialPortName;

  // The open port, or null.
  SerialFile* File() const { return file_.get(); }
  HostLink* Link() const { return file_.get(); }
  SerialFiles& Files() const { return files_; }
  // The session's port's name in the port list (empty when none).
  std::string PortName() const;

  // Takes a freshly opened port.
  void Adopt(std::unique_ptr<SerialFile> file);
  // Closes the open port: a break in progress ends first. The flags stay as
  // they are; the callers set them.
  void CloseSerialFile();

  // ---- Break -------------------------------------------------------------------
  // Puts the line into the break state now and ends it `milliseconds` later
  // (by Step). 0, or the system's error number when the line takes no break;
  // -1 when no port is open. A break asked for during a break is not
  // repeated.
  int SendSerialBreak(int milliseconds, int64_t nowMs);
  bool BreakActive() const { return breakEndsAtMs_ >= 0; }

  // Ends a break that is due. The time of the next thing to do, or -1.
  int64_t Step(int64_t nowMs);

 private:
  SerialFiles& files_;
  std::unique_ptr<SerialFile> file_;
  int64_t breakEndsAtMs_ = -1;
};

}  // namespace korvane
