#pragma once
// Echo targets that keep what they were given: the text each target received,
// in order, and every single write to the capture file.

#include <string>
#include <vector>

#include "emulation/EchoSinks.h"

namespace korvane::fakes {

class RecordingEchoSinks final : public EchoSinks {
 public:
  std::string clipboard, printer, capture;
  std::vector<std::string> captureWrites;
  // Marks the capture file's line end in `capture`.
  static constexpr const char* kLineEnd = "<EOL>";

  void CopyToClipboard(std::string_view text) override { clipboard += text; }
  void WritePrinterCapture(std::string_view text) override { printer += text; }
  void WriteCaptureFile(std::string_view text) override {
    capture += text;
    captureWrites.emplace_back(text);
  }
  void WriteCaptureLineEnd() override { capture += kLineEnd; }
};

}  // namespace korvane::fakes
