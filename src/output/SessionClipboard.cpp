#include "output/SessionClipboard.h"

#include <utility>

#include "output/SessionLine.h"
#include "platform/MenuNumbers.h"
#include "windows/SessionWindows.h"

namespace korvane::output {

namespace {

constexpr int kClipboardOnItem = 7;  // Recorder menu: "Clipboard On"

// The text area of the window: everything above the function-key bar.
Rect WholeTextArea(const Screen& s) { return {0, 0, s.port.Width(), s.port.Height() - 44}; }

}  // namespace

SessionClipboard::Owned::Owned(SessionClipboard& self, SessionWindow& w, ProgramClipboard& clipboard)
    : capture(clipboard.Text()),
      frame(clipboard.MakeFrame(w.Number())),
      copier(w.session.screen, clipboard.Text(), clipboard.Pictures(), self, w.Owner().services.clock),
      mouse(
          w.session.screen, w.session.Opt, [&w](std::string_view bytes) { w.session.conn.SendToHost(bytes); },
          w.services.desktop, copier, *frame, self, w.Owner().services.clock),
      paste(clipboard.Text(), w.session.Opt, self, w.Owner().services.clock) {}

SessionClipboard::SessionClipboard(SessionWindow& window, ProgramClipboard& clipboard)
    : w_(window), clipboard_(clipboard) {}

// The parts reach the session, which is gone by now: nothing of them runs.
SessionClipboard::~SessionClipboard() = default;

SessionClipboard::Owned& SessionClipboard::Parts() {
  if (!parts_) parts_ = std::make_unique<Owned>(*this, w_, clipboard_);
  return *parts_;
}

SessionClipboard* SessionClipboardOf(SessionWindow& window) {
  return dynamic_cast<SessionClipboard*>(&window.services.clipboard);
}

// ---- Clipboard capture --------------------------------------------------------------------

bool SessionClipboard::ClipboardCaptureOn() { return w_.session.input.ClipboardCapture != 0; }

void SessionClipboard::StartClipboardCapture() {
  HostInput& in = w_.session.input;
  if (in.PrinterOn) {
    w_.Owner().services.alerts.StopAlertText(platform::kPlainAlert,
                                             "PRINTER ON! Must turn printer off before turning Clipboard on "
                                             "(under File menu)");
    return;
  }
  // Capture starts on an empty clipboard.
  Parts().capture.Start();
  in.ClipboardCapture = 1;
  in.ClipboardLineCopy = 1;
  w_.Owner().services.menus.MarkItem(platform::kRecorderMenu, kClipboardOnItem, true);
  w_.services.capture.ShowCaptureModes();
}

void SessionClipboard::StopClipboardCapture() {
  HostInput& in = w_.session.input;
  const bool wasOn = in.ClipboardCapture != 0 || in.ClipboardLineCopy != 0;
  // The text of the line received so far ends the capture, as its line.
  if (in.ClipboardLineCopy && !w_.session.screen.PendingRun.empty()) {
    CopyToClipboard(w_.session.screen.PendingRun);
    CopyToClipboard("\r");
  }
  in.ClipboardCapture = 0;
  in.ClipboardLineCopy = 0;
  if (!wasOn) return;
  w_.Owner().services.menus.MarkItem(platform::kRecorderMenu, kClipboardOnItem, false);
  w_.services.capture.ShowCaptureModes();
}

void SessionClipboard::CopyToClipboard(std::string_view text) {
  Parts().capture.CopyToClipboard(text, w_.session.screen.ScreenFontId);
}

void SessionClipboard::CopyLineToClipboard(std::string_view text, std::string_view endMarker) {
  if (w_.session.input.PrinterOn) {
    // The printer capture takes the line, with a line end of its own.
    std::string line(text);
    if (endMarker == "CR") line += '\r';
    line += '\r';
    w_.services.capture.WritePrinterCapture(line);
    return;
  }
  clipboard_.Text().CopyLineToClipboard(text, endMarker);
}

void SessionClipboard::CopyHiddenAttributeListing() {
  clipboard_.Text().PutClipboardText(HiddenAttributeListing(w_.session.screen));
}

// ---- Paste and snapshot ------------------------------------------------------------------

void SessionClipboard::PasteToHost() {
  // What is pasted is answered on the live screen.
  if (w_.session.screen.ScrollBackViewShown) w_.Owner().ResetScrollbackView(w_);
  Parts().paste.StartTextUpload();
}

void SessionClipboard::SnapshotScreenAsPdf() {
  // The item promises a PDF: the picture whatever the selection option says.
  Owned& p = Parts();
  p.copier.SnapshotScreenToPdf(WholeTextArea(w_.session.screen), false);
}

bool SessionClipboard::CancelPaste() {
  if (!Pasting()) return false;
  parts_->paste.Cancel();
  return true;
}

// ---- The mouse ----------------------------------------------------------------------------

void SessionClipboard::SetMouseReports(bool on) { Parts().mouse.MouseReportOn = on ? 1 : 0; }

void SessionClipboard::SettingsApplied() {
  // A mouse not made yet reads the settings when it is.
  if (parts_) parts_->mouse.ApplySettings();
}

void SessionClipboard::DoMouse(const MouseEvent& e) { Parts().mouse.DoMouse(e); }

void SessionClipboard::SetMouseCursorShape(uint16_t modifiers) {
  // Nothing to announce before the window's mouse has been used or a
  // modifier is held.
  if (!parts_ && modifiers == 0) return;
  Parts().mouse.SetMouseCursorShape(modifiers);
}

bool SessionClipboard::Idle() const {
  return !parts_ || (!parts_->paste.Active() && !parts_->copier.SelectionFlashPending() && parts_->mouse.Idle());
}

void SessionClipboard::Step() {
  if (!parts_) return;
  parts_->mouse.Step();
  parts_->copier.Step();
  output::PasteToHost& paste = parts_->paste;
  if (!paste.Active()) return;
  // The host has gone: what is left of the text has nowhere to go.
  if (!w_.Connected()) {
    paste.Cancel();
    Beep();
    return;
  }
  platform::Clock& clock = w_.Owner().services.clock;
  const int64_t end = clock.Milliseconds() + kPasteSliceMs;
  // Line after line while each is due at once; a line that waits for its
  // pace, the host's echo or room on the line ends the turn's share.
  while (paste.Active()) {
    const size_t before = paste.BytesLeft();
    if (!paste.Step() || paste.BytesLeft() == before) break;
    if (clock.Milliseconds() >= end) break;
  }
}

// ---- PasteHost ---------------------------------------------------------------------------------

bool SessionClipboard::EnsureConnectionOpen() { return EnsureSessionConnected(w_); }

bool SessionClipboard::ReadyToSend() { return SessionLineHasRoom(w_); }

void SessionClipboard::SendToHost(std::string_view bytes) { SendOnSessionLine(w_, bytes); }

void SessionClipboard::SetSendInProgress(bool on) { w_.session.input.SendInProgress = on ? 1 : 0; }

bool SessionClipboard::TakeLineEchoSeen() { return std::exchange(w_.session.input.LineEchoSeen, int8_t{0}) != 0; }

void SessionClipboard::DiscardHostInput() { w_.session.conn.FlushHostInput(); }

void SessionClipboard::ShowBusyCursor() { w_.ShowBusyCursor(); }

void SessionClipboard::RestoreArrowCursor() { w_.RestoreArrowCursor(); }

// ---- SelectionHost -----------------------------------------------------------------------------

void SessionClipboard::PlaySoundNamed(const std::string& name) {
  // The program's sounds go by their names, without the file's extension.
  std::string sound = name;
  if (sound.ends_with(".aiff")) sound.resize(sound.size() - 5);
  w_.services.sounds.PlaySound(sound);
}

void SessionClipboard::ShowErrorAlert(const std::string& text) {
  w_.Owner().services.alerts.StopAlertText(platform::kPlainAlert, text);
}

void SessionClipboard::Beep() { w_.services.sounds.Beep(); }

}  // namespace korvane::output
