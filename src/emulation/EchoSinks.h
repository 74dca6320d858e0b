#pragma once
// Where received text is echoed besides the screen: the clipboard copy, the
// printer capture and the capture file. The host-input code decides what goes
// where (the echo flags live in HostInput); an implementation only stores the
// text. The capture, printing and clipboard code implements this; tests record.

#include <string_view>

namespace korvane {

class EchoSinks {
 public:
  virtual ~EchoSinks() = default;
  // Appends text to the text being copied to the clipboard.
  virtual void CopyToClipboard(std::string_view text) = 0;
  // Writes text to the printer capture file.
  virtual void WritePrinterCapture(std::string_view text) = 0;
  // Writes text to the capture file as it stands.
  virtual void WriteCaptureFile(std::string_view text) = 0;
  // Writes the capture file's line end (CR, CR LF, or "<BR>" and CR for an
  // HTML capture: the file's format decides).
  virtual void WriteCaptureLineEnd() = 0;
};

// Echoes nothing: a session without capture, printer or clipboard output.
class NoEchoSinks final : public EchoSinks {
 public:
  void CopyToClipboard(std::string_view) override {}
  void WritePrinterCapture(std::string_view) override {}
  void WriteCaptureFile(std::string_view) override {}
  void WriteCaptureLineEnd() override {}
};

}  // namespace korvane
