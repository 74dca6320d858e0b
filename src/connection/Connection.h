#pragma once
// A session's connection state and the host byte stream: the one send
// operation every part of the program writes to the host with, the flow
// control bytes, and the tests for waiting input.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "connection/ConnectionHost.h"
#include "emulation/HostChannel.h"
#include "platform/Clock.h"
#include "platform/HostLink.h"
#include "settings/SessionOptions.h"

namespace korvane {

class Connection final : public HostChannel {
 public:
  Connection(platform::Clock& clock, ConnectionHost& host) : clock_(clock), host_(host) {}

  // 1 for a pseudo-terminal child, 0 for a serial port.
  int8_t UsesPty = 1;
  // The pseudo-terminal child's stream; null when no child is open.
  std::unique_ptr<HostLink> PtyStream;
  // The open serial port's channel; null when none.
  std::unique_ptr<HostLink> SerialChannel;
  // The serial file number -n of port n, 0 when none.
  int16_t ConnectionPort = 0;
  int16_t ConnectionOpen = 0;
  int16_t ConnectedFlag = 0, ConnectedFlag2 = 0;
  // A close that came while the close-hold setting is on, kept for later.
  int8_t CloseRequested = 0;
  // One-shot pause in milliseconds after each byte of the next text of two
  // or more bytes sent to a pseudo-terminal.
  int16_t PerByteDelay = 0;

  // ---- Values of the session launcher (kept between starts) -----------------
  // The command line of the last child started.
  std::string ChildPath;
  // The terminal name of the telnet and local-shell set-ups.
  std::string TermTypeString;
  // A secure-shell user name typed into "Enter SSH User Name", for one start.
  std::string PromptedSshUser;
  // Columns the session announces to the host; callers of StartSessionChild
  // set it just before the call.
  int16_t SessionColumns = 80;
  // Rows the session announces; set with SessionColumns.
  int16_t SessionRows = 24;
  // The letter of a scripted request to send a control character.
  std::string ScriptKeyText;

  // The channel in use by this session's kind of connection, or null.
  HostLink* Link() const override {
    if (UsesPty) return PtyStream.get();
    return ConnectionPort != 0 ? SerialChannel.get() : nullptr;
  }
  bool IsPtyConnection() const override { return UsesPty != 0; }
  bool HasPtyChild() const override { return PtyStream != nullptr; }
  int ConnectionOpenFlag() const override { return ConnectionOpen; }
  bool SetHostWindowSize(int rows, int columns) override;

  // Open: a pseudo-terminal child whose stream has not ended, or an open
  // serial port. Writes the answer to ConnectedFlag and ConnectedFlag2.
  int ConnectionIsOpen() override;
  // Sends the text and then, when `extra` is not 0, its low 8 bits as one byte.
  int SendToHost(std::string_view text, int extra = 0) override;
  int SendXoff() override;
  int SendXoffXon() override;
  int SerialBytesWaiting() override;
  // Non-zero when host input waits: -1 on a pseudo-terminal, 1 on a serial port.
  int HostDataWaiting() override;
  // Waits until host input waits or 300 ticks have passed.
  int WaitHostData5s();
  // Throws away the host input that waits now.
  int FlushHostInput() override;
  // A break as the session's settings ask for it: the alternative break
  // characters or break string, a serial line's break, or the telnet
  // client's "send brk" ("send abort").
  int SendBreakToHost(const SessionOptions& options);

  platform::Clock& clock() override { return clock_; }
  // The rest of the program, as the connection code sees it.
  ConnectionHost& host() { return host_; }

 private:
  platform::Clock& clock_;
  // XOFF or XON to the serial host, ahead of held output where the port can.
  void SendSerialFlowControl(bool xoff);

  ConnectionHost& host_;
};

}  // namespace korvane
