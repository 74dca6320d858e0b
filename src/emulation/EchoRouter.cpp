#include "emulation/EchoRouter.h"

namespace korvane {

void EchoRouter::Text(std::string_view text, unsigned targets) const {
  if (text.empty()) return;
  const unsigned on = Targets(targets);
  if (on & kEchoClipboard) services_.clipboard.CopyToClipboard(text);
  if (on & kEchoPrinter) services_.capture.WritePrinterCapture(text);
  if (on & kEchoCaptureFile) services_.capture.WriteCaptureFile(text);
}

void EchoRouter::LineEnd(std::string_view text, unsigned targets) const {
  const unsigned on = Targets(targets);
  if (on & kEchoClipboard) {
    if (!text.empty()) services_.clipboard.CopyToClipboard(text);
    services_.clipboard.CopyToClipboard("\r");
  }
  if (on & kEchoPrinter) {
    if (!text.empty()) services_.capture.WritePrinterCapture(text);
    services_.capture.WritePrinterCapture("\r");
  }
  if (on & kEchoCaptureFile) {
    if (!text.empty()) services_.capture.WriteCaptureFile(text);
    services_.capture.WriteCaptureLineEnd();
  }
}

}  // namespace korvane
