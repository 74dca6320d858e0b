#pragma once
// Where received text goes besides the screen: the clipboard copy, the
// printer capture and the capture file, each while it is on. Every echo of
// host input passes through here, so the rules of what reaches which target
// live in one place: the printer takes echoed text only while the clipboard
// option does not claim it, and each target has its own line end (CR for the
// clipboard and the printer; the capture file's own, which an HTML capture
// writes as "<BR>").

#include <cstdint>
#include <string>
#include <string_view>

#include "emulation/SessionServices.h"
#include "settings/SessionOptions.h"

namespace korvane {

enum EchoTarget : unsigned {
  kEchoClipboard = 1,
  kEchoPrinter = 2,
  kEchoCaptureFile = 4,
  kEchoAll = kEchoClipboard | kEchoPrinter | kEchoCaptureFile,
};

// The echo targets' switches, which the host's capture, printer and
// clipboard commands set.
struct EchoTargets {
  int16_t PrinterOn = 0;
  int32_t PrintIdleStamp = 0;
  int16_t CaptureFileOn = 0;
  // The capture file's name or path ("RECORDER" for the recorder file).
  std::string CaptureFileName;
  // Clipboard capture is on (received text is copied to the clipboard).
  int16_t ClipboardCapture = 0;
  int16_t ClipboardLineCopy = 0;
  int16_t CollectHtml = 0;
};

class EchoRouter {
 public:
  // The on-flags belong to host input, which the host's commands switch.
  EchoRouter(const int16_t& clipboardOn, const int16_t& printerOn, const int16_t& captureOn,
             const SessionOptions& options, SessionServices& services)
      : clipboardOn_(clipboardOn), printerOn_(printerOn), captureOn_(captureOn), Opt(options), services_(services) {}

  // True when some target in `targets` is on: callers skip building text
  // that would go nowhere.
  bool AnyOn(unsigned targets = kEchoAll) const { return Targets(targets) != 0; }
  // `text` to each target in `targets` that is on; empty text is not sent.
  void Text(std::string_view text, unsigned targets = kEchoAll) const;
  // `text` and then each such target's line end.
  void LineEnd(std::string_view text, unsigned targets = kEchoAll) const;

 private:
  unsigned Targets(unsigned wanted) const {
    unsigned on = 0;
    if (clipboardOn_) on |= kEchoClipboard;
    if (printerOn_ && !Opt.UseClip) on |= kEchoPrinter;
    if (captureOn_) on |= kEchoCaptureFile;
    return on & wanted;
  }

  const int16_t& clipboardOn_;
  const int16_t& printerOn_;
  const int16_t& captureOn_;
  const SessionOptions& Opt;
  SessionServices& services_;
};

}  // namespace korvane
