#pragma once
// The clipboard and the mouse of one session window, as the program runs
// them: the window's ClipboardService (clipboard capture of host text, paste
// to the host, the snapshot of the screen as a PDF, the host's switch of the
// mouse reports), and what the main loop hands it every turn (the presses,
// drags and releases of the window's text area, the steps of the paste, of
// the wait that tells a click from a drag and of the flashes, the pointer's
// shape).
//
// The whole program shares one clipboard (ProgramClipboard); each window has
// its own capture state, mouse, selection frame and paste. They are made the
// first time the window uses them, when its session exists.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "emulation/SessionServices.h"
#include "output/ClipboardText.h"
#include "output/MouseClicks.h"
#include "output/PasteToHost.h"
#include "output/SelectionCopy.h"
#include "output/SelectionHost.h"
#include "platform/CellPicture.h"
#include "platform/Clipboard.h"
#include "platform/SelectionFrame.h"

namespace korvane {
class SessionWindow;
}

namespace korvane::output {

// The desktop's side of the clipboard and of the selection.
struct ClipboardPlatform {
  platform::Clipboard& clipboard;
  platform::CellPictureWriter& pictures;
  // The frame round a selection in session window n's view (one per window).
  std::function<std::unique_ptr<platform::SelectionFrame>(int window)> makeFrame;
};

// The program's one clipboard, shared by every session window.
class ProgramClipboard {
 public:
  explicit ProgramClipboard(ClipboardPlatform platform) : platform_(std::move(platform)), text_(platform_.clipboard) {}
  ClipboardText& Text() { return text_; }
  platform::CellPictureWriter& Pictures() { return platform_.pictures; }
  std::unique_ptr<platform::SelectionFrame> MakeFrame(int window) { return platform_.makeFrame(window); }

 private:
  ClipboardPlatform platform_;
  ClipboardText text_;
};

class SessionClipboard final : public ClipboardService, private PasteHost, private SelectionHost {
 public:
  SessionClipboard(SessionWindow& window, ProgramClipboard& clipboard);
  ~SessionClipboard() override;
  SessionClipboard(const SessionClipboard&) = delete;
  SessionClipboard& operator=(const SessionClipboard&) = delete;

  // ---- ClipboardService --------------------------------------------------------------
  bool ClipboardCaptureOn() override;
  // Refused, with a stop alert, while the printer capture is on; otherwise
  // received text goes to an emptied clipboard from now on.
  void StartClipboardCapture() override;
  void StopClipboardCapture() override;
  void CopyToClipboard(std::string_view text) override;
  // Starts sending the clipboard's text, back on the live screen first.
  void PasteToHost() override;
  // Copies the whole text area as a picture: a PDF, with a PNG beside it.
  void SnapshotScreenAsPdf() override;
  // What scripts do to the clipboard's text; while the printer capture is
  // on, an appended line goes to it instead.
  void CopyLineToClipboard(std::string_view text, std::string_view endMarker) override;
  void ResetCopyBuffersNow() override { clipboard_.Text().ResetCopyBuffersNow(); }
  void ClearClipboard() override { clipboard_.Text().ClearClipboard(); }
  // The clipboard holds the listing of the screen's hidden attributes alone.
  void CopyHiddenAttributeListing();
  void SetMouseReports(bool on) override;
  void SettingsApplied() override;

  // ---- What the main loop hands the window ------------------------------------------------
  // A press, drag or release in the window's text area.
  void DoMouse(const MouseEvent& e);
  // Runs what is due: the click after its wait, the end of a flash, and as
  // much of a paste as is due now, for at most kPasteSliceMs of the turn.
  void Step();
  // The pointer that announces how a drag will copy (Option, Command held).
  void SetMouseCursorShape(uint16_t modifiers);
  // Ctrl+. while a paste runs: the paste ends at once. False when none ran.
  bool CancelPaste();
  bool Pasting() const { return parts_ && parts_->paste.Active(); }
  // Nothing of the window's mouse, selection flash or paste is under way:
  // Step has nothing to do until the user acts.
  bool Idle() const;

  // The window's mouse, selection copy and paste (made on first use).
  SessionMouse& Mouse() { return Parts().mouse; }
  output::PasteToHost& Paste() { return Parts().paste; }

  // The most of a turn a paste may take: the rest is the window's.
  static constexpr int64_t kPasteSliceMs = 8;

 private:
  struct Owned;
  Owned& Parts();

  // ---- PasteHost ----------------------------------------------------------------------------
  bool EnsureConnectionOpen() override;
  bool ReadyToSend() override;
  void SendToHost(std::string_view bytes) override;
  void SetSendInProgress(bool on) override;
  bool TakeLineEchoSeen() override;
  void DiscardHostInput() override;
  void ShowBusyCursor() override;
  void RestoreArrowCursor() override;
  // ---- SelectionHost (and PasteHost's Beep) --------------------------------------------------
  void PlaySoundNamed(const std::string& name) override;
  void ShowErrorAlert(const std::string& text) override;
  void Beep() override;

  SessionWindow& w_;
  ProgramClipboard& clipboard_;
  struct Owned {
    Owned(SessionClipboard& self, SessionWindow& w, ProgramClipboard& clipboard);
    ClipboardCapture capture;
    std::unique_ptr<platform::SelectionFrame> frame;
    SelectionCopier copier;
    SessionMouse mouse;
    output::PasteToHost paste;
  };
  std::unique_ptr<Owned> parts_;
};

// The session window's clipboard and mouse, when the program gave it one.
SessionClipboard* SessionClipboardOf(SessionWindow& window);

}  // namespace korvane::output
