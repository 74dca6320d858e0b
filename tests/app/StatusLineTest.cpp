// The status line's indicators in the program on the fake platform:
// "Capture On", "Printer On" and "Clipboard On" follow the active session's
// real modes as the host, the menus and scripts change them, each at its
// place in the system font, inverse, in the indicators' colour; they go when
// the mode goes off, follow the window in front, and are never drawn while
// the session hides the status line.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "app/AppFixture.h"
#include "app/AppScripting.h"
#include "emulation/EmulationFlags.h"
#include "fakes/RecordingSelection.h"
#include "output/CaptureIndicators.h"
#include "platform/MenuNumbers.h"
#include "ui/dialogs/StatusWindow.h"

namespace korvane::testing {
namespace {

using Call = fakes::RecordingPort::Call;
using output::StatusIndicator;

std::string ReadResource(const std::string& name) {
  std::ifstream in(std::string(KORVANE_RESOURCES) + "/" + name, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class StatusLine : public AppFixture {
 protected:
  // The program's clipboard service, as the Qt platform gives it.
  StatusLine() {
    platform.cellPictures = &pictures;
    platform.selectionFrame = [](int) -> std::unique_ptr<platform::SelectionFrame> {
      return std::make_unique<fakes::RecordingSelectionFrame>();
    };
  }
  // A VT220 session on a memory child, showing the status line unless
  // `hidden`.
  void StartVt(const std::string& path = "/docs/vt", bool hidden = false) {
    WriteDocument(files, path, [hidden](SessionOptions& o) {
      LocalProgram("/usr/local/bin/host")(o);
      SetEmulationFlags(EmulationKind::Vt220, o);
      o.StatusWindowShown = hidden ? 1 : 0;
    });
    Start({path});
  }
  fakes::RecordingPort& Strip() { return *windows.windows.at(platform::kStatusWindow).port; }
  // The texts the status line shows now: those drawn since it was last
  // cleared.
  std::vector<Call> Line() {
    const std::vector<Call>& calls = Strip().calls;
    size_t from = calls.size();
    for (size_t i = 0; i < calls.size(); ++i)
      if (calls[i].op == "EraseRect" && calls[i].rect.left == 0 && calls[i].rect.right == Strip().Width()) from = i;
    std::vector<Call> out;
    for (size_t i = from; i < calls.size(); ++i)
      if (calls[i].op == "DrawText") out.push_back(calls[i]);
    return out;
  }
  std::string LineText() {
    std::string out;
    for (const Call& c : Line()) out += "[" + c.text + "]";
    return out;
  }
  // The indicator drawn as `text` on the line now, or null.
  const Call* Shown(const std::string& text) {
    line_ = Line();
    for (const Call& c : line_)
      if (c.text == text) return &c;
    return nullptr;
  }
  // The indicator `text` stands at `indicator`'s place, as the indicators
  // are drawn.
  void ExpectIndicator(const std::string& text, StatusIndicator indicator) {
    const Call* c = Shown(text);
    ASSERT_NE(c, nullptr) << text << " is not on the line: " << LineText();
    const output::IndicatorPlace place =
        output::StatusIndicatorPlace(indicator, Window(active()).session.Opt.TextSizeValue);
    EXPECT_EQ(c->pen, (platform::Point{place.x, place.y})) << text;
    EXPECT_EQ(c->fore, ui::StatusWindow::kIndicatorColour) << text;
    EXPECT_EQ(c->back, (platform::RGB{65535, 65535, 65535})) << text;
    EXPECT_EQ(c->mode, platform::TextMode::Inverse) << text;
    EXPECT_EQ(c->font, platform::kScreenFont) << text;  // monospaced: no letter is cut off
    EXPECT_EQ(c->size, 12) << text;
  }
  int active() const { return app->flags.ActiveWindowNumber; }
  void Host(int window, const std::string& bytes) {
    LinkOf(window).Feed(bytes);
    Turns(4);
  }
  std::string ScriptEvent(const char* cls, const char* id, const std::string& text = {}) {
    scripting::ScriptEvent e{cls, id, text, {}};
    const scripting::ScriptOutcome o = app->scripting->Commands().ScriptCommandHandler(e);
    return o.replyPut ? o.replyText : std::string();
  }

  fakes::TextPictureWriter pictures;
  std::vector<Call> line_;
};

TEST_F(StatusLine, CaptureOnFollowsTheCaptureFileTheHostTheMenuAndScriptsOpenAndClose) {
  StartVt();
  EXPECT_EQ(Shown("Capture On"), nullptr) << LineText();
  EXPECT_NE(LineText().find("VT220"), std::string::npos) << LineText();

  // The host opens the recorder file and closes it again.
  Host(48, "\x1b~H\x1b~3");
  ASSERT_EQ(Window(48).session.input.CaptureFileOn, 1);
  ExpectIndicator("Capture On", StatusIndicator::Capture);
  Host(48, "captured\r\n\x1b~4");
  ASSERT_EQ(Window(48).session.input.CaptureFileOn, 0);
  EXPECT_EQ(Shown("Capture On"), nullptr) << LineText();
  // The line was drawn again without it: the date and the emulation stay.
  EXPECT_NE(LineText().find(app::StatusStrip::DateText()), std::string::npos) << LineText();
  EXPECT_NE(LineText().find("VT220"), std::string::npos) << LineText();

  // The Recorder menu's first item, on and off.
  Menu(platform::kRecorderMenu, 1);
  Turns(2);
  ASSERT_EQ(Window(48).session.input.CaptureFileOn, 1);
  ExpectIndicator("Capture On", StatusIndicator::Capture);
  Menu(platform::kRecorderMenu, 1);
  Turns(2);
  ASSERT_EQ(Window(48).session.input.CaptureFileOn, 0);
  EXPECT_EQ(Shown("Capture On"), nullptr) << LineText();

  // A script's capture on and off.
  ScriptEvent("xfer", "setf", "/docs/script.txt");
  app->RunPendingCommand();
  ScriptEvent("xfer", "capo");
  Turns(3);
  ASSERT_EQ(Window(48).session.input.CaptureFileOn, 1);
  ExpectIndicator("Capture On", StatusIndicator::Capture);
  ScriptEvent("xfer", "capx");
  Turns(3);
  ASSERT_EQ(Window(48).session.input.CaptureFileOn, 0);
  EXPECT_EQ(Shown("Capture On"), nullptr) << LineText();
}

TEST_F(StatusLine, PrinterAndClipboardFollowTheHostsPrinterCommandsAndTheRecorderMenu) {
  StartVt();
  // Clipboard capture from the Recorder menu.
  Menu(platform::kRecorderMenu, 7);
  Turns(2);
  ASSERT_EQ(Window(48).session.input.ClipboardCapture, 1);
  ExpectIndicator("Clipboard On", StatusIndicator::Clipboard);
  EXPECT_EQ(Shown("Printer On"), nullptr);

  // The host's printer controller turns clipboard capture off (with a
  // caution) and the printer on.
  Host(48, "\x1b[5ifor the printer\r\n");
  ASSERT_EQ(Window(48).session.input.PrinterOn, 1);
  EXPECT_EQ(Window(48).session.input.ClipboardCapture, 0);
  ExpectIndicator("Printer On", StatusIndicator::Printer);
  EXPECT_EQ(Shown("Clipboard On"), nullptr) << LineText();

  // Both a capture and the printer: each at its own place.
  Menu(platform::kRecorderMenu, 1);
  Turns(2);
  ExpectIndicator("Capture On", StatusIndicator::Capture);
  ExpectIndicator("Printer On", StatusIndicator::Printer);

  // The host's printer off prints and takes the indicator away; the capture
  // stays shown.
  Host(48, "\x1b[4i");
  ASSERT_EQ(Window(48).session.input.PrinterOn, 0);
  EXPECT_EQ(printing.textJobs.size(), 1u);
  EXPECT_EQ(Shown("Printer On"), nullptr) << LineText();
  ExpectIndicator("Capture On", StatusIndicator::Capture);

  // The File menu's Printer On item.
  Menu(platform::kFileMenu, 16);
  Turns(2);
  ASSERT_EQ(Window(48).session.input.PrinterOn, 1);
  ExpectIndicator("Printer On", StatusIndicator::Printer);
}

TEST_F(StatusLine, TheLineShowsTheModesOfTheWindowInFront) {
  StartVt();
  Host(48, "\x1b~H\x1b~3");
  ExpectIndicator("Capture On", StatusIndicator::Capture);
  WriteDocument(files, "/docs/two", [](SessionOptions& o) {
    LocalProgram("/usr/local/bin/host")(o);
    SetEmulationFlags(EmulationKind::Wyse60, o);
    o.StatusWindowShown = 0;
  });
  app->OpenDocuments({"/docs/two"});
  Turns(6);
  ASSERT_EQ(active(), 49);
  EXPECT_EQ(Shown("Capture On"), nullptr) << "window 49 has no capture: " << LineText();
  EXPECT_NE(LineText().find("Wyse 60"), std::string::npos) << LineText();

  // Clipboard capture in window 49, while window 48 still captures.
  Menu(platform::kRecorderMenu, 7);
  Turns(2);
  ExpectIndicator("Clipboard On", StatusIndicator::Clipboard);

  // Window 48 in front again: its capture, not 49's clipboard.
  windows.UserActivates(48);
  Turns(4);
  ASSERT_EQ(active(), 48);
  ExpectIndicator("Capture On", StatusIndicator::Capture);
  EXPECT_EQ(Shown("Clipboard On"), nullptr) << LineText();
  Host(48, "\x1b~4");
  EXPECT_EQ(Shown("Capture On"), nullptr) << LineText();
  windows.UserActivates(49);
  Turns(4);
  ASSERT_EQ(active(), 49);
  ExpectIndicator("Clipboard On", StatusIndicator::Clipboard);
  EXPECT_EQ(Shown("Capture On"), nullptr) << LineText();
  windows.UserActivates(48);
  Turns(4);
  EXPECT_EQ(Shown("Capture On"), nullptr) << "48's capture was closed: " << LineText();
}

TEST_F(StatusLine, ASessionThatHidesTheStatusLineGetsNoIndicators) {
  StartVt("/docs/hidden", true);
  ASSERT_TRUE(windows.Exists(platform::kStatusWindow));
  EXPECT_FALSE(windows.windows.at(platform::kStatusWindow).shown);
  Host(48, "\x1b~H\x1b~3\x1b[5iprinted\r\n");
  Menu(platform::kRecorderMenu, 1);
  Turns(2);
  ASSERT_EQ(Window(48).session.input.PrinterOn, 1);
  EXPECT_TRUE(Strip().Texts().empty()) << "drawn while hidden";

  // Shown again from the Screen menu: the line comes with the modes as they
  // stand.
  Menu(platform::kScreenMenu, 19);
  Turns(3);
  ASSERT_EQ(Window(48).session.Opt.StatusWindowShown, 0);
  EXPECT_TRUE(windows.windows.at(platform::kStatusWindow).shown);
  ExpectIndicator("Printer On", StatusIndicator::Printer);
}

TEST_F(StatusLine, TheNarrowLayoutPutsTheIndicatorsAtItsOwnColumns) {
  StartVt();
  Window(48).session.Opt.TextSizeValue = 9;
  Host(48, "\x1b~H\x1b~3\x1b[5i");
  ExpectIndicator("Capture On", StatusIndicator::Capture);
  ExpectIndicator("Printer On", StatusIndicator::Printer);
  EXPECT_EQ(Shown("Printer On")->pen.h, 7 * 55 - 3);
}

TEST_F(StatusLine, TheIndicatorsSpeakTheUsersLanguage) {
  stringTable = ReadResource("strings/fr.txt");
  StartVt();
  Host(48, "\x1b~H\x1b~3\x1b[5i");
  ExpectIndicator("Capt. active", StatusIndicator::Capture);
  ExpectIndicator("Imprimante active", StatusIndicator::Printer);
  // Each fits before the next one's place on the 7-pixel cells.
  const auto capture = output::StatusIndicatorPlace(StatusIndicator::Capture, 12);
  const auto printer = output::StatusIndicatorPlace(StatusIndicator::Printer, 12);
  EXPECT_LE(capture.x + 7 * static_cast<int>(std::string("Capt. active").size()), printer.x);
}

TEST(StatusIndicatorPlaces, TheWideLayoutAboveNinePointsAndTheNarrowOneAtNine) {
  struct Case {
    StatusIndicator indicator;
    int wide, narrow;
  };
  for (const Case& c : {Case{StatusIndicator::Date, 1, 1}, Case{StatusIndicator::EmulationName, 41, 30},
                        Case{StatusIndicator::Capture, 58, 42}, Case{StatusIndicator::Printer, 70, 55},
                        Case{StatusIndicator::Clipboard, 21, 17}}) {
    for (const int16_t size : {12, 16, 18, 24}) {
      const output::IndicatorPlace p = output::StatusIndicatorPlace(c.indicator, size);
      EXPECT_EQ(p.column, c.wide) << size;
      EXPECT_EQ(p.x, 7 * c.wide - 3) << size;
      EXPECT_EQ(p.y, 10) << size;
    }
    EXPECT_EQ(output::StatusIndicatorPlace(c.indicator, 9).x, 7 * c.narrow - 3);
  }
}

}  // namespace
}  // namespace korvane::testing
