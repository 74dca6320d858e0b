// The clipboard and the mouse through the main loop on the fake platform:
// presses, drags and releases of the session window reach its mouse, a drag
// copies, a click opens an address the host wrote or reports to the host as
// the host asked, the paste of "{PA" goes out line by line between turns and
// ends on Ctrl+., clipboard capture follows the host, and the screen's
// snapshot is a picture.

#include <map>

#include "app/AppFixture.h"
#include "emulation/EmulationFlags.h"
#include "fakes/RecordingClipboard.h"
#include "fakes/RecordingSelection.h"
#include "platform/MacKeys.h"
#include "platform/MenuNumbers.h"

namespace korvane::testing {
namespace {

using namespace platform;

// The host clears a VT100 screen and homes the cursor.
constexpr const char* kClear = "\x1b[H\x1b[2J";

UiEvent Mouse(UiEventKind kind, int h, int v, uint16_t modifiers = 0) {
  UiEvent e;
  e.kind = kind;
  e.window = 48;
  e.h = h;
  e.v = v;
  e.clicks = kind == UiEventKind::Click ? 1 : 0;
  e.modifiers = modifiers;
  return e;
}

UiEvent KeyEvent(int code, uint16_t modifiers = 0, int ch = -1) {
  UiEvent e;
  e.kind = UiEventKind::Dialog;
  e.type = kKeyTyped;
  e.window = 48;
  e.key.keyCode = code;
  e.key.modifiers = modifiers;
  if (ch < 0) ch = FixedKeyCharacter(code);
  if (ch >= 0) e.key.text = std::string(1, static_cast<char>(ch));
  e.number = static_cast<int16_t>(ch < 0 ? 0 : ch);
  return e;
}

class ClipboardLoop : public AppFixture {
 protected:
  // The fixture's clipboard.
  fakes::RecordingClipboard& board = clipboard;
  fakes::TextPictureWriter pictures;
  std::map<int, fakes::RecordingSelectionFrame*> frames;

  ClipboardLoop() {
    platform.cellPictures = &pictures;
    platform.selectionFrame = [this](int window) -> std::unique_ptr<SelectionFrame> {
      auto frame = std::make_unique<fakes::RecordingSelectionFrame>();
      frames[window] = frame.get();
      return frame;
    };
  }
  // A local session whose host has written `text`.
  void StartShowing(const std::string& text, const std::function<void(SessionOptions&)>& edit = {}) {
    WriteDocument(files, "/docs/local", [&](SessionOptions& o) {
      LocalProgram("/usr/local/bin/host")(o);
      if (edit) edit(o);
    });
    Start({"/docs/local"});
    LinkOf(48).Feed(text);
    Turns(3);
    LinkOf(48).written.clear();
  }
  // A cell's size; the first column starts 4 pixels in.
  int W() { return Window(48).session.screen.CellWidth; }
  int H() { return Window(48).session.screen.CellHeight; }
  // The middle of a cell, and the lower right corner.
  int X(int col) { return 4 + W() * (col - 1) + W() / 2; }
  int Y(int row) { return H() * (row - 1) + H() / 2; }
  int Right(int col) { return 4 + W() * col - 1; }
  int Bottom(int row) { return H() * row - 2; }
  void Events(const std::vector<UiEvent>& events, int turns = 1) {
    pump.script.push_back(events);
    Turns(turns);
  }
  // Presses at one cell, drags to another and lets go there.
  void Drag(int fromCol, int fromRow, int toCol, int toRow, uint16_t modifiers = 0) {
    Events({Mouse(UiEventKind::Click, X(fromCol) - W() / 2, Y(fromRow) - H() / 2 + 1, modifiers)});
    Events({Mouse(UiEventKind::Drag, X(fromCol) + 20, Y(fromRow), modifiers)});
    Events({Mouse(UiEventKind::Drag, X(toCol), Y(toRow), modifiers)});
    Events({Mouse(UiEventKind::Release, Right(toCol), Bottom(toRow), modifiers)}, 3);
  }
  // A click at a cell, and time for the wait that tells it from a drag.
  void Click(int col, int row) {
    Events({Mouse(UiEventKind::Click, X(col), Y(row)), Mouse(UiEventKind::Release, X(col), Y(row))}, 40);
  }
};

TEST_F(ClipboardLoop, ADragCopiesTheCellsUnderItAsTextToTheClipboardAndThePrimarySelection) {
  StartShowing(kClear + std::string("alpha beta   \r\ngamma\r\ndelta"));
  Drag(1, 1, 12, 2);
  ASSERT_TRUE(board.text.has_value());
  EXPECT_EQ(*board.text, "alpha beta\ngamma");
  EXPECT_EQ(board.selection, board.text);
  // The frame followed the drag and is gone.
  ASSERT_TRUE(frames.count(48));
  EXPECT_GE(frames[48]->frames.size(), 2u);
  EXPECT_FALSE(frames[48]->shown);
  EXPECT_EQ(LinkOf(48).written, "");
}

TEST_F(ClipboardLoop, WithOptionHeldTheDragCopiesAPictureAndAPlainClickCopiesNothing) {
  StartShowing(kClear + std::string("alpha beta\r\ngamma"));
  Click(3, 1);
  EXPECT_EQ(board.sets, 0);
  EXPECT_FALSE(board.text.has_value());
  Drag(1, 1, 10, 2, kOptionModifier);
  EXPECT_FALSE(board.text.has_value());
  // Columns 1 to 10 of rows 1 and 2.
  const std::string size = std::to_string(10 * W()) + "x" + std::to_string(2 * H());
  EXPECT_EQ(board.pdf, "PDF " + size);
  EXPECT_EQ(board.png, "PNG " + size);
}

TEST_F(ClipboardLoop, AClickOnAnAddressTheHostWroteOpensItAndNothingElseIsOpened) {
  StartShowing(kClear + std::string("see http://example.com/page now\r\njavascript:alert(1)\r\n"
                                    "file:///etc/passwd\r\nmail <me@example.org>"));
  struct Case {
    int col, row;
    std::vector<std::string> opened;
  };
  const Case cases[] = {
      {10, 1, {"http://example.com/page"}},
      {2, 1, {}},  // beside the address
      {5, 2, {}},
      {5, 3, {}},
      {10, 4, {"mailto:me@example.org"}},
  };
  for (const Case& c : cases) {
    desktop.urls.clear();
    Click(c.col, c.row);
    EXPECT_EQ(desktop.urls, c.opened) << c.col << "," << c.row;
  }
  EXPECT_EQ(LinkOf(48).written, "");
}

TEST_F(ClipboardLoop, ClicksAreReportedWhileTheHostHasTurnedReportsOn) {
  StartShowing(kClear + std::string("text"));
  Click(13, 5);
  EXPECT_EQ(LinkOf(48).written, "");
  LinkOf(48).Feed("\x1b~1");
  Turns(2);
  Click(13, 5);
  // Column and row from 0; the setting gives no prefix.
  EXPECT_EQ(LinkOf(48).written, "012,04\r");
  EXPECT_EQ(Window(48).session.Opt.MouseReports, 0);
  LinkOf(48).Feed("\x1b~2");
  Turns(2);
  LinkOf(48).written.clear();
  Click(13, 5);
  EXPECT_EQ(LinkOf(48).written, "");
}

TEST_F(ClipboardLoop, ASettingsDocumentWithReportsOnReportsWithThePrefix) {
  StartShowing(kClear + std::string("text"), [](SessionOptions& o) { o.MouseReports = 1; });
  Click(1, 1);
  EXPECT_EQ(LinkOf(48).written, "\x1bMOUSE 000,00\r");
}

TEST_F(ClipboardLoop, ThePasteKeyStringSendsTheClipboardLineByLineBetweenTurns) {
  StartShowing("", [](SessionOptions& o) { o.FkeyStrings[1] = "{PA"; });
  board.OtherProgramSets("one\ntwo\r\nthree");
  LinkOf(48).echo = true;
  Events({KeyEvent(kKeyF1)}, 2);
  // The first line went at once; the rest follows over the next turns, each
  // line after the host's echo of the one before.
  EXPECT_EQ(LinkOf(48).written.substr(0, 4), "one\r");
  EXPECT_LT(LinkOf(48).written.size(), 14u);
  Turns(20);
  EXPECT_EQ(LinkOf(48).written, "one\rtwo\rthree");
  EXPECT_EQ(Window(48).session.input.SendInProgress, 0);
}

TEST_F(ClipboardLoop, CtrlPeriodEndsThePasteAndIsNotSent) {
  StartShowing("", [](SessionOptions& o) {
    o.FkeyStrings[1] = "{PA";
    o.ClipboardLineDelay = 30;  // half a second after each line
  });
  board.OtherProgramSets("one\ntwo\nthree\n");
  Events({KeyEvent(kKeyF1)}, 2);
  EXPECT_EQ(LinkOf(48).written, "one\r");
  Events({KeyEvent(kKeyPeriod, kControlModifier, '.')}, 60);
  EXPECT_EQ(LinkOf(48).written, "one\r");
  EXPECT_EQ(Window(48).session.input.SendInProgress, 0);
  // With no paste under way the key is a key again.
  Events({KeyEvent(kKeyPeriod, 0, '.')}, 2);
  EXPECT_EQ(LinkOf(48).written, "one\r.");
}

TEST_F(ClipboardLoop, APasteEndsWhenTheHostGoesAndTheWindowClosedWhilePastingLeavesNoWatch) {
  StartShowing("", [](SessionOptions& o) {
    o.FkeyStrings[1] = "{PA";
    o.ClipboardLineDelay = 30;
  });
  board.OtherProgramSets("one\ntwo\nthree\n");
  Events({KeyEvent(kKeyF1)}, 2);
  EXPECT_TRUE(cursors.watch);
  // The link outlives the stream, which goes once the ended child is reaped.
  fakes::MemoryLink& link = LinkOf(48);
  link.End();
  Turns(5);
  EXPECT_EQ(link.written, "one\r");
  EXPECT_EQ(Window(48).session.conn.PtyStream, nullptr);
  EXPECT_EQ(Window(48).session.input.SendInProgress, 0);
  EXPECT_FALSE(cursors.watch);
  EXPECT_GE(sounds.beeps, 1);

  // Another window pastes and is closed meanwhile.
  Menu(kFileMenu, kFileNewSessionWindowItem);
  Turns(3);
  ASSERT_EQ(app->windows.Count(), 2);
  Window(49).session.Opt.FkeyStrings[1] = "{PA";
  board.OtherProgramSets("one\ntwo\nthree\n");
  pump.script.push_back({KeyEvent(kKeyF1)});
  pump.script.back()[0].window = 49;
  Turns(2);
  ASSERT_TRUE(cursors.watch);
  app->windows.DoWindowEvent(1, 49);
  Turns(2);
  EXPECT_EQ(app->windows.Count(), 1);
  EXPECT_FALSE(cursors.watch);
}

TEST_F(ClipboardLoop, ClipboardCaptureTakesTheHostsTextUntilThePrinterTakesIt) {
  // A Wyse 60 whose captured lines end in CR.
  StartShowing("", [](SessionOptions& o) {
    SetEmulationFlags(EmulationKind::Wyse60, o);
    o.LineEnd = SessionOptions::kLineEndCr;
  });
  board.OtherProgramSets("old");
  LinkOf(48).Feed("\x1b~8abc\r\ndef\r\n");
  Turns(3);
  EXPECT_TRUE(Window(48).services.clipboard.ClipboardCaptureOn());
  ASSERT_TRUE(board.text.has_value());
  EXPECT_EQ(*board.text, "abc\ndef\n");
  Window(48).services.clipboard.StopClipboardCapture();
  LinkOf(48).Feed("ghi\r\n");
  Turns(3);
  EXPECT_EQ(*board.text, "abc\ndef\n");
  // Not while the printer capture is on.
  Window(48).session.input.PrinterOn = 1;
  Window(48).services.clipboard.StartClipboardCapture();
  EXPECT_FALSE(Window(48).services.clipboard.ClipboardCaptureOn());
  EXPECT_EQ(AlertsWith("PRINTER ON! Must turn printer off before turning Clipboard on"), 1);
  EXPECT_EQ(*board.text, "abc\ndef\n");
}

TEST_F(ClipboardLoop, TheScreensSnapshotIsAPictureOfTheTextAreaWhateverTheSelectionOption) {
  StartShowing(kClear + std::string("first\r\nsecond"));
  ASSERT_EQ(Window(48).session.Opt.SelectionOption, 1);
  board.OtherProgramSets("text before");
  Window(48).services.clipboard.SnapshotScreenAsPdf();
  EXPECT_FALSE(board.text.has_value());
  ASSERT_EQ(board.pdf.substr(0, 4), "PDF ");
  ASSERT_FALSE(pictures.pictures.empty());
  const CellPicture& p = pictures.pictures.back();
  EXPECT_EQ(p.At(0, 0).glyph, U'f');
  EXPECT_EQ(p.At(1, 0).glyph, U's');
  EXPECT_GE(p.rows, Window(48).session.screen.ScreenRows);
}

}  // namespace
}  // namespace korvane::testing
