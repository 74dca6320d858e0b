#include "output/SelectionCopy.h"

#include <algorithm>

namespace korvane::output {

bool SelectionCopier::SnapshotScreenToPdf(Rect selection, bool copyAsText) {
  const CellRange cells = SelectionCells(screen_, selection);
  if (cells.Empty()) return false;
  if (copyAsText) {
    const std::string text = SelectionText(screen_, cells);
    clipboard_.clipboard().SetText(text);
    // On X11 what the user marked is also the primary selection.
    clipboard_.clipboard().SetSelectionText(text);
  } else {
    const platform::CellPicture picture = SelectionPicture(screen_, cells);
    const std::string pdf = pictures_.Pdf(picture);
    const std::string png = pdf.empty() ? std::string() : pictures_.Png(picture);
    if (pdf.empty() || png.empty()) {
      host_.ShowErrorAlert("CreatePdfOfSelection failed");
      return false;
    }
    clipboard_.clipboard().SetPicture(pdf, png);
  }
  StartFlash(CellFrame(screen_, cells), copyAsText);
  return true;
}

bool SelectionCopier::SnapshotWholeScreen() {
  const Rect area{0, 0, screen_.port.Width(), screen_.port.Height() - 44};
  return SnapshotScreenToPdf(area, screen_.Opt.SelectionOption == 1);
}

void SelectionCopier::StartFlash(Rect frame, bool text) {
  if (flashPending_) EndFlash();
  frame.left = std::max(frame.left, 0);
  frame.top = std::max(frame.top, 0);
  if (frame.Empty()) return;
  flashFrame_ = frame;
  flashText_ = text;
  flashEndMs_ = clock_.Milliseconds() + kFlashMs;
  screen_.port.InvertRect(frame);
  screen_.port.Flush();
  flashPending_ = 1;
}

void SelectionCopier::Step() {
  if (flashPending_ && clock_.Milliseconds() >= flashEndMs_) EndFlash();
}

void SelectionCopier::EndFlash() {
  flashPending_ = 0;
  if (screen_.Opt.UseCameraSound) host_.PlaySoundNamed(flashText_ ? "camera.aiff" : "camera picture.aiff");
  screen_.port.InvertRect(flashFrame_);
  screen_.port.Flush();
  // Host output may have drawn over the inverted cells meanwhile; the
  // repaint from the planes leaves no trace of the flash either way.
  screen_.RepaintPending = 1;
}

}  // namespace korvane::output
