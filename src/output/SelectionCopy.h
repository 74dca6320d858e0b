#pragma once
// Copying a rectangle of the session window to the clipboard, as text or as
// a picture (a vector PDF with a PNG beside it), with the flash that shows
// what was copied. A drag ends here, and so does the Screen menu's snapshot
// of the whole text area.
//
// Nothing waits: the flash is inverted at once and inverted back by Step,
// which the main loop calls on every turn.

#include <cstdint>
#include <string>

#include "output/ClipboardText.h"
#include "output/Selection.h"
#include "output/SelectionHost.h"
#include "platform/CellPicture.h"
#include "platform/Clock.h"
#include "screen/Screen.h"

namespace korvane::output {

class SelectionCopier {
 public:
  SelectionCopier(Screen& screen, ClipboardText& clipboard, platform::CellPictureWriter& pictures, SelectionHost& host,
                  platform::Clock& clock)
      : screen_(screen), clipboard_(clipboard), pictures_(pictures), host_(host), clock_(clock) {}

  // Copies the cells under the rectangle (window pixels): as text when
  // `copyAsText`, else as a picture. False when no cell was under it (the
  // clipboard is then left as it was) or the picture could not be made.
  bool SnapshotScreenToPdf(Rect selection, bool copyAsText);
  // The Screen menu's snapshot and the scripts' request: the whole text
  // area, copied as text when the session copies selections as text
  // (`SelectionOption` 1), else as a picture.
  bool SnapshotWholeScreen();

  // Ends a flash that is due (the idle pass's part of the copy).
  void Step();
  bool SelectionFlashPending() const { return flashPending_ != 0; }

  // How long the copied cells stay inverted.
  static constexpr int64_t kFlashMs = 200;

 private:
  void StartFlash(Rect frame, bool text);
  void EndFlash();

  Screen& screen_;
  ClipboardText& clipboard_;
  platform::CellPictureWriter& pictures_;
  SelectionHost& host_;
  platform::Clock& clock_;
  int16_t flashPending_ = 0;
  Rect flashFrame_{};
  bool flashText_ = true;
  int64_t flashEndMs_ = 0;
};

// The listing of the screen's hidden attributes, for looking into how a
// Wyse-family host's attributes spread: a line for each marked cell, with the
// attribute codes of the cell before it, its own and the cell after it. A
// row's first cell follows the last column of the row above, its last cell
// comes before the first of the row below. Each line ends with CR.
std::string HiddenAttributeListing(Screen& screen);

}  // namespace korvane::output
