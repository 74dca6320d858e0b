#pragma once
// A session's connection as host input sees it, over links a test fills: a
// pty child's stream or a serial port's, chosen as the connection chooses.

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>

#include "emulation/HostChannel.h"

namespace korvane::fakes {

class FakeHostChannel final : public HostChannel {
 public:
  explicit FakeHostChannel(platform::Clock& clock) : clock_(clock) {}

  int8_t UsesPty = 1;
  std::unique_ptr<HostLink> PtyStream;
  std::unique_ptr<HostLink> SerialChannel;
  int16_t ConnectionPort = 0;
  int16_t ConnectionOpen = 0;
  int flushes = 0;  // FlushHostInput calls

  HostLink* Link() const override {
    if (UsesPty) return PtyStream.get();
    return ConnectionPort != 0 ? SerialChannel.get() : nullptr;
  }
  bool IsPtyConnection() const override { return UsesPty != 0; }
  bool HasPtyChild() const override { return PtyStream != nullptr; }
  int ConnectionOpenFlag() const override { return ConnectionOpen; }
  int ConnectionIsOpen() override {
    return UsesPty ? (PtyStream != nullptr && !PtyStream->Ended()) : (ConnectionOpen != 0);
  }
  int SendToHost(std::string_view text, int extra = 0) override {
    std::string bytes(text);
    if (extra != 0) bytes += static_cast<char>(extra & 0xFF);
    if (HostLink* link = Link(); link && !bytes.empty())
      link->Write(reinterpret_cast<const uint8_t*>(bytes.data()), static_cast<int>(bytes.size()));
    return 0;
  }
  int SendXoff() override { return SendToHost("\x13"); }
  int SendXoffXon() override { return SendToHost("\x13\x11"); }
  bool SetHostWindowSize(int rows, int columns) override {
    return UsesPty && PtyStream && PtyStream->SetWindowSize(rows, columns);
  }
  int SerialBytesWaiting() override {
    if (ConnectionPort == 0 || !SerialChannel) return 0;
    return std::max(0, SerialChannel->Waiting());
  }
  int HostDataWaiting() override {
    if (UsesPty) return PtyStream && PtyStream->Waiting() > 0 ? -1 : 0;
    return SerialBytesWaiting() > 0 ? 1 : 0;
  }
  int FlushHostInput() override {
    ++flushes;
    uint8_t buf[1024];
    if (HostLink* link = Link())
      while (link->Waiting() > 0 && link->Read(buf, sizeof buf) > 0) {
      }
    return 0;
  }
  platform::Clock& clock() override { return clock_; }

 private:
  platform::Clock& clock_;
};

}  // namespace korvane::fakes
