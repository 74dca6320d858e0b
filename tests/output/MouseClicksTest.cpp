// The mouse in the text area: reports to the host, addresses opened through
// the desktop, and drags copied to the clipboard, driven the way the main
// loop drives them (events, then a step on every turn of a fake clock).

#include "output/MouseClicks.h"

#include "OutputFixture.h"
#include "fakes/FakeDesktop.h"
#include "platform/Events.h"

namespace korvane {
namespace {

using output::MouseButton;
using output::MouseCell;
using output::MouseEvent;
using output::MouseEventKind;
using platform::PointerShape;
using platform::Rect;

constexpr char kESC = 27, kENQ = 5;

class MouseTest : public testing_support::OutputTest {
 protected:
  MouseTest() {
    opt.MouseOption = 1;
    opt.SelectionOption = 1;
  }

  MouseEvent Event(MouseEventKind kind, int h, int v, uint16_t mods = 0, MouseButton b = MouseButton::Left) {
    MouseEvent e;
    e.kind = kind;
    e.h = h;
    e.v = v;
    e.modifiers = mods;
    e.button = b;
    return e;
  }
  void Press(int h, int v, uint16_t mods = 0, MouseButton b = MouseButton::Left) {
    mouse.DoMouse(Event(MouseEventKind::Press, h, v, mods, b));
  }
  void Drag(int h, int v, uint16_t mods = 0) { mouse.DoMouse(Event(MouseEventKind::Drag, h, v, mods)); }
  void Release(int h, int v) { mouse.DoMouse(Event(MouseEventKind::Release, h, v)); }
  // Turns of the main loop, one tick each.
  void Ticks(int n) {
    for (int i = 0; i < n; ++i) {
      clock.AdvanceTicks(1);
      mouse.Step();
      copier.Step();
    }
  }
  // A click on a cell (1-based) that is released at once.
  void Click(int row, int col) {
    const int h = 4 + (col - 1) * 7 + 3, v = (row - 1) * 15 + 7;
    Press(h, v);
    Release(h, v);
    Ticks(13);
  }

  std::string sent;
  fakes::FakeDesktop desktop;
  fakes::RecordingSelectionFrame frame;
  output::SessionMouse mouse{s,    opt,  [this](std::string_view b) { sent.append(b); }, desktop, copier, frame,
                             host, clock};
};

// ---- Reports ----------------------------------------------------------------------------

TEST(MouseReportTest, PlainReportHasThreeColumnAndTwoRowDigits) {
  const struct {
    MouseCell cell;
    bool prefix;
    std::string expected;
  } cases[] = {
      {{0, 0}, true, std::string(1, kESC) + "MOUSE 000,00\r"},
      {{12, 4}, true, std::string(1, kESC) + "MOUSE 012,04\r"},
      {{12, 4}, false, "012,04\r"},
      {{123, 45}, false, "123,45\r"},
      {{1000, 7}, false, "1000,07\r"},
  };
  for (const auto& c : cases) EXPECT_EQ(output::PlainMouseReport(c.cell, c.prefix), c.expected);
}

TEST_F(MouseTest, ClickIsReportedAfterItsWait) {
  opt.MouseReports = 1;
  mouse.ApplySettings();
  Press(4 + 12 * 7, 4 * 15);  // column 12, row 4, counted from 0
  Release(4 + 12 * 7, 4 * 15);
  Ticks(11);
  EXPECT_EQ(sent, "");
  Ticks(1);
  EXPECT_EQ(sent, std::string(1, kESC) + "MOUSE 012,04\r");
  EXPECT_EQ(board.sets, 0);  // a click copies nothing
}

TEST_F(MouseTest, WithReportsOffAClickOnTextDoesNothing) {
  Put(1, 1, "plain text");
  Click(1, 3);
  EXPECT_EQ(sent, "");
  EXPECT_TRUE(desktop.urls.empty());
  EXPECT_EQ(host.beeps, 0);
  EXPECT_FALSE(board.text.has_value());
}

TEST_F(MouseTest, LocatorReportsThePressAndTheRelease) {
  mouse.LocatorMode = 1;
  Press(4 + 5 * 7, 2 * 15);
  Ticks(12);
  EXPECT_EQ(sent, std::string(1, kENQ) + "21;2;5\r");
  // The button is held: no selection follows the pointer.
  Drag(300, 200);
  EXPECT_FALSE(frame.shown);
  Release(4 + 9 * 7, 3 * 15);
  EXPECT_EQ(sent, std::string(1, kENQ) + "21;2;5\r" + std::string(1, kENQ) + "20;3;9\r");
  EXPECT_EQ(board.sets, 0);
}

TEST_F(MouseTest, LocatorButtonCodes) {
  mouse.LocatorMode = 1;
  const struct {
    uint16_t mods;
    MouseButton button;
    char code;
  } cases[] = {{0, MouseButton::Left, '1'},
               {platform::kOptionModifier, MouseButton::Left, '2'},
               {0, MouseButton::Middle, '2'},
               {platform::kControlModifier, MouseButton::Left, '3'},
               {0, MouseButton::Right, '3'}};
  for (const auto& c : cases) {
    sent.clear();
    Ticks(40);  // no double click
    Press(4, 0, c.mods, c.button);
    Release(4, 0);  // released during the wait: both reports, in order
    Ticks(12);
    const std::string press = std::string{kENQ, '2', c.code} + ";0;0\r";
    EXPECT_EQ(sent, press + std::string(1, kENQ) + "20;0;0\r");
  }
}

TEST_F(MouseTest, DoubleClickActsAtOnce) {
  mouse.MouseReportOn = 1;
  Press(4, 0);
  Release(4, 0);
  Ticks(12);
  EXPECT_EQ(sent, "000,00\r");
  Ticks(5);
  Press(4 + 7, 0);
  EXPECT_EQ(sent, "000,00\r001,00\r");
  Release(4 + 7, 0);
  // Past the double-click window the next click waits again.
  Ticks(30);
  Press(4, 0);
  EXPECT_EQ(sent, "000,00\r001,00\r");
}

// ---- Addresses -------------------------------------------------------------------------

TEST_F(MouseTest, AddressUnderThePointerIsOpened) {
  const struct {
    const char* row;
    int col;
    const char* delimiter;
    const char* url;  // nullptr: nothing is opened
  } cases[] = {
      {"see http://example.com/x here", 10, ".", "http://example.com/x"},
      {"go to www.example.org.", 10, ".", "http://www.example.org"},
      {"secure https://host.test/a?b=c", 20, ".", "https://host.test/a?b=c"},
      {"SHOUT HTTP://UPPER.CASE/", 10, ".", "HTTP://UPPER.CASE/"},
      {"Mail <ann@mail.test> now", 10, ".", "mailto:ann@mail.test"},
      {"(see:https://x.test/p)", 12, ")", "https://x.test/p"},
      {"caf\x8E"
       "bob@x.test end",
       7, ".", "mailto:bob@x.test"},
      {"javascript:alert(1)", 5, ".", nullptr},
      {"user@localhost only", 3, ".", nullptr},
  };
  for (const auto& c : cases) {
    for (int col = 1; col <= 40; ++col) s.ScreenChars(3, col) = 0;
    Put(3, 1, c.row);
    opt.DialogValue66 = c.delimiter;
    desktop.urls.clear();
    Ticks(40);
    Click(3, c.col);
    if (c.url)
      EXPECT_EQ(desktop.urls, std::vector<std::string>{c.url}) << c.row;
    else
      EXPECT_TRUE(desktop.urls.empty()) << c.row;
  }
}

TEST_F(MouseTest, OpeningAnAddressFlashesItsCellsAndSendsNoReport) {
  mouse.MouseReportOn = 1;
  Put(2, 1, "at www.k.test now");
  port.Clear();
  Press(4 + 5 * 7, 15 + 7);
  Release(4 + 5 * 7, 15 + 7);
  Ticks(12);
  EXPECT_EQ(desktop.urls, std::vector<std::string>{"http://www.k.test"});
  EXPECT_EQ(sent, "");
  // Columns 4..13 of row 2 are inverted, and inverted back 100 ms later.
  ASSERT_EQ(port.Of("InvertRect").size(), 1u);
  const Rect word = port.Of("InvertRect")[0].rect;
  EXPECT_EQ(word.left, 4 + 3 * 7);
  EXPECT_EQ(word.right, 4 + 13 * 7);
  Ticks(6);
  ASSERT_EQ(port.Of("InvertRect").size(), 2u);
  EXPECT_EQ(port.Of("InvertRect")[1].rect, word);
}

TEST_F(MouseTest, ClickBesideAnAddressInItsRowBeepsAndSendsNoReport) {
  mouse.MouseReportOn = 1;
  Put(2, 1, "word http://a.test");
  Click(2, 2);
  EXPECT_TRUE(desktop.urls.empty());
  EXPECT_EQ(sent, "");
  EXPECT_EQ(host.beeps, 1);
  // Another row reports as usual.
  Ticks(40);
  Click(5, 2);
  EXPECT_EQ(sent, "001,04\r");
}

// ---- Drags -----------------------------------------------------------------------------

TEST_F(MouseTest, DragToTheRightBecomesASelectionAndIsCopied) {
  mouse.MouseReportOn = 1;
  Put(1, 1, "hello world");
  Put(2, 1, "second line");
  Press(4, 1);
  Drag(12, 3);  // more than 5 pixels to the right during the wait
  Drag(39, 26);
  EXPECT_TRUE(frame.shown);
  EXPECT_EQ(frame.frame, (Rect{4, 2, 39, 26}));
  Release(39, 26);
  Ticks(20);
  EXPECT_FALSE(frame.shown);
  EXPECT_EQ(board.text, "hello\nsecon");
  EXPECT_EQ(sent, "");  // the click became the drag: no report
}

TEST_F(MouseTest, DragUpAndLeftAfterTheWaitIsCopied) {
  Put(1, 1, "hello world");
  Put(2, 1, "second line");
  Press(39, 26);
  Ticks(12);
  // Until the pointer leaves the press point's row and column, the whole window.
  EXPECT_EQ(frame.frame, (Rect{0, 0, port.Width(), port.Height()}));
  Drag(39, 5);
  EXPECT_EQ(frame.frame, (Rect{0, 0, port.Width(), port.Height()}));
  Drag(4, 1);
  EXPECT_EQ(frame.frame, (Rect{4, 1, 39, 26}));
  Release(4, 1);
  EXPECT_EQ(board.text, "hello\nsecon");
}

TEST_F(MouseTest, PlainClickLeavesTheClipboardAlone) {
  board.text = "kept";
  Put(1, 1, "text");
  Click(1, 2);
  EXPECT_EQ(board.text, "kept");
  EXPECT_EQ(board.sets, 0);
  EXPECT_FALSE(frame.shown);
}

TEST_F(MouseTest, ModifiersChooseTextOrPicture) {
  Put(1, 1, "abc");
  const struct {
    int16_t selectionOption;
    uint16_t mods;
    bool text;
  } cases[] = {{1, 0, true},
               {1, platform::kOptionModifier, false},
               {0, 0, false},
               {0, platform::kCommandModifier, true},
               {1, platform::kCommandModifier | platform::kOptionModifier, true}};
  for (const auto& c : cases) {
    opt.SelectionOption = c.selectionOption;
    board.Clear();
    Ticks(40);
    Press(4, 1, c.mods);
    Drag(20, 3, c.mods);
    Drag(25, 14, c.mods);
    if (c.mods & platform::kCommandModifier) {
      EXPECT_EQ(frame.pointer, PointerShape::IBeam);
    }
    Release(25, 14);
    EXPECT_EQ(board.text.has_value(), c.text) << c.selectionOption << " " << c.mods;
    EXPECT_EQ(!board.pdf.empty(), !c.text);
    EXPECT_EQ(frame.pointer, PointerShape::Arrow);
  }
}

TEST_F(MouseTest, PointerShapeFollowsTheModifiers) {
  mouse.SetMouseCursorShape(platform::kOptionModifier);
  EXPECT_EQ(frame.pointer, PointerShape::Cross);
  mouse.SetMouseCursorShape(platform::kOptionModifier | platform::kCommandModifier);
  EXPECT_EQ(frame.pointer, PointerShape::IBeam);
  mouse.SetMouseCursorShape(platform::kOptionModifier);
  EXPECT_EQ(frame.pointer, PointerShape::Cross);
  mouse.SetMouseCursorShape(0);
  EXPECT_EQ(frame.pointer, PointerShape::Arrow);
}

}  // namespace
}  // namespace korvane
