#pragma once
// Serial ports in memory. The test lists the ports the machine "has", makes
// opens fail, feeds what a port's far end sends and reads back what the
// program wrote; every line-control call is recorded with the clock's time.
// The record of a port outlives the port object, so a test can look at a
// port the program has closed.

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Clock.h"
#include "platform/SerialPorts.h"

namespace korvane::fakes {

struct SerialPortRecord {
  platform::SerialOpenRequest request;
  platform::SerialLineSettings settings;  // as configured last
  platform::SerialFlowControl flow = platform::SerialFlowControl::None;
  bool dtr = true;  // DTR rises when a port opens
  bool breakOn = false;
  bool closed = false;
  bool ended = false;  // the device went away
  // "configure 9600 8N1", "flow xonxoff", "dtr off", "break on", "send xoff", "close"
  std::vector<std::string> calls;
  std::vector<int64_t> callAtMs;
  std::string written;  // every byte the program wrote
  std::vector<int64_t> writtenAtMs;
  std::deque<char> incoming;  // what the far end sent, not yet read
  std::size_t refused = 0;    // output the line "did not take"; TakeRefusedOutput answers it
  // Errors the line-control calls answer with (0: they work).
  int configureError = 0, flowError = 0, dtrError = 0, breakError = 0;
  // The far end: called for each byte the program writes (a modem that answers).
  std::function<void(SerialPortRecord&, char)> farEnd;

  void Feed(std::string_view bytes) { incoming.insert(incoming.end(), bytes.begin(), bytes.end()); }
  std::string TakeWritten() { return std::exchange(written, {}); }
};

class RecordingSerialPort final : public platform::SerialPort {
 public:
  RecordingSerialPort(std::shared_ptr<SerialPortRecord> record, const platform::Clock* clock)
      : r_(std::move(record)), clock_(clock) {}
  ~RecordingSerialPort() override { Close(); }

  void Write(const uint8_t* data, int n) override {
    if (r_->closed || r_->ended) return;
    for (int i = 0; i < n; ++i) {
      r_->written += static_cast<char>(data[i]);
      r_->writtenAtMs.push_back(Now());
      if (r_->farEnd) r_->farEnd(*r_, static_cast<char>(data[i]));
    }
  }
  int Read(uint8_t* buf, int max) override {
    if (r_->incoming.empty()) return r_->ended || r_->closed ? -1 : 0;
    const int n = std::min<int>(max, static_cast<int>(r_->incoming.size()));
    std::copy_n(r_->incoming.begin(), n, buf);
    r_->incoming.erase(r_->incoming.begin(), r_->incoming.begin() + n);
    return n;
  }
  int Waiting() override { return static_cast<int>(r_->incoming.size()); }
  bool Ended() override { return (r_->ended || r_->closed) && r_->incoming.empty(); }
  void Close() override {
    if (r_->closed) return;
    r_->closed = true;
    Note("close");
  }

  int SetFlowControl(platform::SerialFlowControl flow) override {
    if (r_->flowError) return r_->flowError;
    r_->flow = flow;
    Note(flow == platform::SerialFlowControl::None     ? "flow none"
         : flow == platform::SerialFlowControl::RtsCts ? "flow rtscts"
                                                       : "flow xonxoff");
    return 0;
  }
  int SetDtr(bool raised) override {
    if (r_->dtrError) return r_->dtrError;
    r_->dtr = raised;
    Note(raised ? "dtr on" : "dtr off");
    return 0;
  }
  int SetBreak(bool on) override {
    if (r_->breakError) return r_->breakError;
    r_->breakOn = on;
    Note(on ? "break on" : "break off");
    return 0;
  }
  int SendXonXoff(bool xoff) override {
    if (r_->closed || r_->ended) return EBADF;
    Note(xoff ? "send xoff" : "send xon");
    return 0;
  }
  int Configure(const platform::SerialLineSettings& s) override {
    if (r_->configureError) return r_->configureError;
    r_->settings = s;
    r_->flow = platform::SerialFlowControl::None;
    Note("configure " + Describe(s));
    return 0;
  }
  void PumpOutput() override {}
  std::size_t PendingOutput() const override { return 0; }
  std::size_t TakeRefusedOutput() override { return std::exchange(r_->refused, 0); }
  int Descriptor() const override { return r_->closed ? -1 : 99; }
  const std::string& Path() const override { return r_->request.path; }

  // "9600 8N1"
  static std::string Describe(const platform::SerialLineSettings& s) {
    const char parity = s.parity == platform::SerialParity::Odd    ? 'O'
                        : s.parity == platform::SerialParity::Even ? 'E'
                                                                   : 'N';
    return std::to_string(s.speed) + " " + std::to_string(s.dataBits) + parity + std::to_string(s.stopBits);
  }

 private:
  int64_t Now() const { return clock_ ? clock_->Milliseconds() : 0; }
  void Note(std::string what) {
    r_->calls.push_back(std::move(what));
    r_->callAtMs.push_back(Now());
  }
  std::shared_ptr<SerialPortRecord> r_;
  const platform::Clock* clock_;
};

class RecordingSerialPorts final : public platform::SerialPorts {
 public:
  explicit RecordingSerialPorts(const platform::Clock* clock = nullptr) : clock_(clock) {}

  std::vector<platform::SerialPortEntry> ports;     // what ListPorts answers
  std::map<std::string, int> openErrors;            // path -> errno of its opens
  std::map<std::string, std::string> pendingInput;  // path -> bytes waiting when it opens
  int listCalls = 0;
  std::vector<std::shared_ptr<SerialPortRecord>> opened;  // every port opened, in order

  // Adds "name" at "/dev/name".
  void AddPort(const std::string& name, const std::string& stableName = {}) {
    ports.push_back({name, "/dev/" + name, stableName});
  }
  // The last port opened at the path, or null.
  std::shared_ptr<SerialPortRecord> Last(const std::string& path) const {
    for (auto it = opened.rbegin(); it != opened.rend(); ++it)
      if ((*it)->request.path == path) return *it;
    return nullptr;
  }

  std::vector<platform::SerialPortEntry> ListPorts() override {
    ++listCalls;
    return ports;
  }
  platform::SerialOpenResult Open(const platform::SerialOpenRequest& request) override {
    platform::SerialOpenResult result;
    if (const auto e = openErrors.find(request.path); e != openErrors.end() && e->second) {
      result.error = e->second;
      return result;
    }
    auto record = std::make_shared<SerialPortRecord>();
    record->request = request;
    record->settings = request.settings;
    record->calls.push_back("open " + RecordingSerialPort::Describe(request.settings));
    record->callAtMs.push_back(clock_ ? clock_->Milliseconds() : 0);
    if (const auto in = pendingInput.find(request.path); in != pendingInput.end()) record->Feed(in->second);
    opened.push_back(record);
    result.port = std::make_unique<RecordingSerialPort>(record, clock_);
    return result;
  }

 private:
  const platform::Clock* clock_;
};

}  // namespace korvane::fakes
