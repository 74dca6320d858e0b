#include "output/SelectionCopy.h"

#include <algorithm>

#include "settings/SettingsText.h"

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

std::string HiddenAttributeListing(Screen& screen) {
  const int rows = std::clamp<int>(screen.ScreenRows, 1, kMaxScreenRows);
  const int cols = std::clamp<int>(screen.ColumnsSetting, 1, kMaxCursorCol);
  std::string listing;
  for (int r = 1; r <= rows; ++r) {
    for (int c = 1; c <= cols; ++c) {
      if (screen.HiddenAttrMark(r, c) != 1) continue;
      const int before = c > 1 ? screen.ScreenAttrs(r, c - 1) : screen.ScreenAttrs(r - 1, cols);
      const int after = c < cols ? screen.ScreenAttrs(r, c + 1) : screen.ScreenAttrs(r + 1, 1);
      listing += "Hidden Attribute at Row " + NumberLine(r) + ", Column " + NumberLine(c) + "\t HiddenColor is " +
                 NumberLine(before) + "\t ScreenColor is " + NumberLine(screen.ScreenAttrs(r, c)) +
                 "\t NextScreenColor is " + NumberLine(after) + "\r";
    }
  }
  return listing;
}

}  // namespace korvane::output
