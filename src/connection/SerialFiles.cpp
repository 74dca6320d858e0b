#include "connection/SerialFiles.h"

#include <algorithm>

#include "connection/SerialLineCodes.h"
#include "platform/CharMap.h"

namespace korvane {

SerialFiles::~SerialFiles() {
  // Files that outlive the table no longer report back to it.
  for (SerialFile* f : open_) f->table_ = nullptr;
}

int SerialFiles::ScanSerialPorts() {
  if (SerialPortsScanned && SerialPortCount > 0) return 0;
  SerialPortsScanned = true;
  found_ = ports_.ListPorts();
  // The list holds 12 ports; later ones are not listed.
  if (found_.size() > kMaxPorts) found_.resize(kMaxPorts);
  for (platform::SerialPortEntry& p : found_) {
    // Names are shown in menus and kept in the settings as Mac Roman text.
    p.name = platform::MacRomanFromUtf8(p.name);
    p.stableName = platform::MacRomanFromUtf8(p.stableName);
  }
  SerialPortCount = static_cast<uint16_t>(found_.size());
  return 0;
}

std::string SerialFiles::SerialPortName(int n) const {
  return n >= 1 && n <= SerialPortCount && n <= static_cast<int>(found_.size()) ? found_[n - 1].name : std::string();
}

std::string SerialFiles::SerialCalloutPath(int n) const {
  return n >= 1 && n <= SerialPortCount && n <= static_cast<int>(found_.size()) ? found_[n - 1].path : std::string();
}

std::string SerialFiles::SerialPortStableName(int n) const {
  return n >= 1 && n <= SerialPortCount && n <= static_cast<int>(found_.size()) ? found_[n - 1].stableName
                                                                                : std::string();
}

std::vector<std::string> SerialFiles::SerialPortNames() const {
  std::vector<std::string> names;
  for (int n = 1; n <= SerialPortCount; ++n) names.push_back(SerialPortName(n));
  return names;
}

bool SerialFiles::IsOpen(int n) const {
  const std::string path = SerialCalloutPath(n);
  if (path.empty()) return false;
  return std::any_of(open_.begin(), open_.end(), [&path](const SerialFile* f) { return f->Path() == path; });
}

SerialFiles::Opened SerialFiles::OpenSerialPort(int fileNumber, int32_t speed, int32_t parity, int32_t stopBits,
                                                int32_t dataBits, int32_t bufferSize) {
  Opened result;
  const int n = -fileNumber;
  if (n < 1 || n > SerialPortCount) {
    result.code = kBadName;
    return result;
  }
  if (IsOpen(n)) {
    result.code = kFileBusy;
    return result;
  }
  ScanSerialPorts();
  platform::SerialOpenRequest request;
  request.path = SerialCalloutPath(n);
  request.settings = SerialLineFromCodes(speed, parity, stopBits, dataBits);
  request.inputBufferSize = static_cast<std::size_t>(std::clamp(bufferSize, 4096, 32768));
  platform::SerialOpenResult opened = ports_.Open(request);
  if (!opened.port) {
    result.code = kIoError;
    result.systemError = opened.error;
    return result;
  }
  result.file = std::make_unique<SerialFile>(*this, n, std::move(opened.port));
  return result;
}

void SerialFiles::Release(SerialFile* file) { open_.erase(std::remove(open_.begin(), open_.end(), file), open_.end()); }

SerialFile::SerialFile(SerialFiles& table, int index, std::unique_ptr<platform::SerialPort> port)
    : table_(&table), index_(index), path_(port->Path()), port_(std::move(port)) {
  table_->open_.push_back(this);
}

SerialFile::~SerialFile() { Close(); }

void SerialFile::Close() {
  port_->Close();
  if (table_) table_->Release(this);
  table_ = nullptr;
}

int SerialFile::SerialHandshake(int mode) {
  switch (mode) {
    case kHandshakeNone: return port_->SetFlowControl(platform::SerialFlowControl::None);
    case kHandshakeRtsCts: return port_->SetFlowControl(platform::SerialFlowControl::RtsCts);
    case kHandshakeXonXoff: return port_->SetFlowControl(platform::SerialFlowControl::XonXoff);
    case kHandshakeDtrOn: return port_->SetDtr(true);
    case kHandshakeDtrOff: return port_->SetDtr(false);
    default: return 0;
  }
}

int SerialFile::Reconfigure(int32_t speed, int32_t parity, int32_t stopBits, int32_t dataBits) {
  return port_->Configure(SerialLineFromCodes(speed, parity, stopBits, dataBits));
}

}  // namespace korvane
