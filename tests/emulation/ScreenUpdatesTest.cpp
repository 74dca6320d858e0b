// Screen updates (cursor addresses, renditions and attributes, runs of text,
// CR and LF) are handled one after the other, and control sequences of digits
// are read straight from the chunk, without the reader's per-byte steps. The
// result must be exactly that of the byte-by-byte path: the same planes,
// cursor, answers and echoes, the same drawing, and the same result however
// the connection splits the stream.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "HostInputFixture.h"
#include "emulation/EmulationFlags.h"
#include "emulation/SessionInterpreters.h"
#include "fakes/FakeClock.h"
#include "fakes/RecordingPort.h"
#include "fakes/EmulationSession.h"

namespace korvane {
namespace {

struct Terminal {
  const char* name;
  void (*apply)(SessionOptions&);
  int width;  // the window's width in pixels
};

struct Result {
  std::string cells, cursor, answer, capture, clipboard, drawing;
};

std::string Cells(fakes::EmulationSession& s) {
  std::string out;
  for (int r = 1; r <= 26; ++r) {
    for (int c = 1; c <= 100; ++c) {
      out += std::to_string(s.screen.ScreenChars(r, c)) + "/" + std::to_string(s.screen.ScreenAttrs(r, c)) + "/" +
             std::to_string(s.screen.ScreenForeColours(r, c)) + "/" + std::to_string(s.screen.ScreenBackColours(r, c)) +
             "/" + std::to_string(s.screen.ScreenProtect(r, c)) + " ";
    }
    out += "\n";
  }
  for (int line = 1; line <= 30; ++line)
    for (int c = 1; c <= 80; ++c) out += static_cast<char>(s.screen.ScrollBack.Cell(ScrollBackPlanes::kChars, line, c));
  return out;
}

// Every drawing call with the drawing state in force.
std::string Drawing(const fakes::RecordingPort& port) {
  std::string out;
  for (const auto& c : port.calls) {
    out += c.op + " " + std::to_string(c.pen.h) + "," + std::to_string(c.pen.v) + " [" + c.text + "] " +
           std::to_string(c.rect.left) + "," + std::to_string(c.rect.top) + "," + std::to_string(c.rect.right) + "," +
           std::to_string(c.rect.bottom) + " " + std::to_string(c.dv) + " " + std::to_string(c.fore.red) + "." +
           std::to_string(c.fore.green) + "." + std::to_string(c.fore.blue) + " " + std::to_string(c.back.red) + "." +
           std::to_string(c.back.green) + "." + std::to_string(c.back.blue) + " " + std::to_string(c.face) + " " +
           std::to_string(static_cast<int>(c.mode)) + "\n";
  }
  return out;
}

// Feeds the stream to a session of the terminal: the bytes up to `split` first,
// the rest 100 ms later. `byteByByte` switches every fast path off.
Result Replay(const Terminal& terminal, const std::string& stream, size_t split, bool byteByByte) {
  fakes::FakeClock clock;
  fakes::RecordingPort port(terminal.width, 414);
  fakes::EmulationSession s(port, clock);
  s.Opt.TextSizeValue = 12;
  s.Opt.AutoWrapOn = 1;
  s.Opt.CurrentForeColour = 17;
  s.Opt.BackgroundColour = 18;
  s.Opt.ScrollBackOn = 1;
  terminal.apply(s.Opt);
  s.input.SetFastPaths(!byteByByte);
  s.screen.ComputeCellMetrics();
  s.screen.MoveToCell(1, 1);
  SessionInterpreters interpreters(s.input, s.wyse, s.vt);
  fakes::RecordingServices& echo = s.around.record;
  s.input.CaptureFileOn = 1;
  s.input.ClipboardLineCopy = 1;
  auto link = std::make_unique<testing_support::TimedLink>(clock);
  auto* raw = link.get();
  link->FeedAt(clock.Milliseconds(), stream.substr(0, split));
  link->FeedAt(clock.Milliseconds() + 40, stream.substr(split));
  s.conn.PtyStream = std::move(link);
  s.input.ProcessHostInput();
  clock.AdvanceMs(200);
  s.input.ProcessHostInput();
  return {Cells(s),       std::to_string(s.screen.CursorRow()) + " " + std::to_string(s.screen.CursorCol()),
          raw->written,   echo.capture,
          echo.clipboard, Drawing(port)};
}

void ExpectSameAsByteByByte(const Terminal& terminal, const std::string& stream) {
  const Result fast = Replay(terminal, stream, stream.size(), false);
  const Result slow = Replay(terminal, stream, stream.size(), true);
  EXPECT_EQ(fast.cells, slow.cells);
  EXPECT_EQ(fast.cursor, slow.cursor);
  EXPECT_EQ(fast.answer, slow.answer);
  EXPECT_EQ(fast.capture, slow.capture);
  EXPECT_EQ(fast.clipboard, slow.clipboard);
  EXPECT_EQ(fast.drawing, slow.drawing);
  EXPECT_FALSE(fast.answer.empty()) << "the stream asks for answers";
  for (size_t split = 1; split < stream.size(); ++split) {
    const Result cut = Replay(terminal, stream, split, false);
    // Where the chunk ends the pending run is drawn and echoed, so only the
    // text of the echoes, not its pieces, is compared.
    ASSERT_EQ(cut.cells, fast.cells) << "split at " << split;
    ASSERT_EQ(cut.cursor, fast.cursor) << "split at " << split;
    ASSERT_EQ(cut.answer, fast.answer) << "split at " << split;
    ASSERT_EQ(cut.clipboard, fast.clipboard) << "split at " << split;
  }
}

// ---- The Wyse family ----------------------------------------------------------

void Wyse60(SessionOptions& o) {
  SetEmulationFlags(EmulationKind::Wyse60, o);
  o.HiddenAttributes = 1;
  o.HostCharacterSet = 14;
}
void Wyse60AttributeCells(SessionOptions& o) {
  Wyse60(o);
  o.HiddenAttributes = 0;
  o.ColourModeA = 1;
}
void Wyse50ClearingAddresses(SessionOptions& o) {
  SetEmulationFlags(EmulationKind::Wyse50, o);
  o.HiddenAttributes = 1;
  o.HostCharacterSet = 14;
  o.ClearAddressesOption = 1;
  o.ReverseUnderlineOff = 1;
}
void Viewpoint(SessionOptions& o) {
  SetEmulationFlags(EmulationKind::Viewpoint, o);
  o.HiddenAttributes = 1;
  o.HostCharacterSet = 14;
}

class WyseUpdates : public ::testing::TestWithParam<Terminal> {};

TEST_P(WyseUpdates, MatchTheByteByBytePathAndAnySplit) {
  std::string stream = "\x1b=  \x1bG4reverse\x1bG0 normal\x1b=\"(\x1bGpdim text\x1bG|rev-under";
  // The right margin: an address beyond it, text that wraps, and wrapping
  // on the last row, which scrolls.
  stream += "\x1b=#n\x1bG8beyond\x1b=$K\x1bG2" + std::string(30, 'w') + "\x1b=7F" + std::string(40, 'x');
  // Rows and columns past the screen, an unknown attribute byte, and
  // sequences the updates leave to the reader in between.
  stream += "\x1b=\x7f\x7f\x1bG?\x1bGQ\x1bG<tail\x1b?\x1b=%%\x1bT\x1b=& \rCR\nLF\x08\x1bG6\x1b=' done";
  // A status line ends with CR, which makes the next LF go unseen unless an
  // escape comes first.
  stream +=
      "\x1b"
      "Fstatus text\r\x1b=)!\x1bG4after status\nnext line";
  // A field closed that was never opened protects the row up to the cursor;
  // text written over it afterwards clears the flags under it.
  stream += "\x1b=+ unopened field\x1b(\x1b=+%over the field";
  ExpectSameAsByteByByte(GetParam(), stream);
}

INSTANTIATE_TEST_SUITE_P(Wyse, WyseUpdates,
                         ::testing::Values(Terminal{"Wyse60", Wyse60, 570},
                                           Terminal{"Wyse60AttributeCellsInColour", Wyse60AttributeCells, 570},
                                           Terminal{"Wyse50ClearingAddresses", Wyse50ClearingAddresses, 570},
                                           Terminal{"ViewpointNarrowWindow", Viewpoint, 300}),
                         [](const auto& c) { return std::string(c.param.name); });

// ---- The VT family --------------------------------------------------------------

void Vt220Colour(SessionOptions& o) {
  SetEmulationFlags(EmulationKind::Vt220, o);
  o.AutoAnsiColours = 1;
  o.ProgramFontOption = 1;
}
void Vt100(SessionOptions& o) { SetEmulationFlags(EmulationKind::Vt100, o); }
void Vt220Extended(SessionOptions& o) {
  Vt220Colour(o);
  o.ExtendedAnsiMode = 1;
}
void Vt220Sco(SessionOptions& o) {
  Vt220Colour(o);
  o.ScoAnsiMode = 1;
}

class VtUpdates : public ::testing::TestWithParam<Terminal> {};

TEST_P(VtUpdates, MatchTheByteByBytePathAndAnySplit) {
  std::string stream = "\x1b[H\x1b[2J\x1b[1;31;42mred on green\x1b[m\r\nplain\x1b[5;10Hthere\x1b[7m inverse\x1b[0m";
  // Parameters: none, leading zeros, three-digit rows, empty ones, more than
  // sixteen, and one longer than the sequence record keeps.
  stream += "\x1b[;5H\x1b[007;0012fzeros\x1b[123;4Hfar\x1b[1;2;3;4;5;6;7;8;9;10;11;12;13;14;15;16;17;33mmany";
  stream += "\x1b[" + std::string(85, '1') + ";1mlong\x1b[38;5;200mext\x1b[4;1mlist\x1b[10;1mround";
  // The right margin and the bottom: wrapping, the line feed the wrap
  // swallows, and scrolling into the scroll-back.
  stream += "\x1b[3;75H" + std::string(12, 'm') + "\r\nafter wrap\x1b[24;1Hbottom line\r\nscrolled\r\n\n";
  // Sequences and controls the updates leave to the reader, and answers.
  stream += "\x1b[?7l\x1b[20;78Hnowrap\x1b[?7h\x1b[1\x7f;2Hdel\x1b[2;20r\x1b[20;1H\nregion\x1b[r\t|tab\x1b[6n";
  stream +=
      "\x1b"
      "7\x1b[12;40Hsaved\x1b"
      "8restored\x1b(0lqk\x1b(Bback\x1b[1\x1b[2Jcut\x1b[12\n;5Hend";
  // The wrap that waits: the bottom-right cell written, then a rendition and
  // more text; a full line then CR LF; a full line then an erase, a
  // backspace, a line feed; auto-wrap off with a long line.
  stream += "\x1b[24;70H" + std::string(11, 'z') + "\x1b[1mZ\x1b[m" + "\x1b[10;1H" + std::string(80, 'f') + "\r\nnext";
  stream +=
      "\x1b[11;79Hab\x1b[Kc\x1b[12;79Hab\bc\x1b[13;79Hab\nd\x1b[?7l\x1b[14;70H" + std::string(30, 'o') + "\x1b[?7h";
  // Insert and delete with counts, tab stops set and cleared.
  stream += "\x1b[15;5H\x1b[3@\x1b[2P\x1b[4X\x1b[2L\x1b[3M\x1b[5;20r\x1b[18;1H\x1b[9L\x1b[r";
  stream += "\x1b[3g\x1b[1;7H\x1bH\r\ttabbed\x1b[g\x1b[1;1H\ttab";
  // An address in a batch that shows line graphics again: the form feed's
  // clear turned them off with G1 still shifted in, ESC [ f shows G1 again.
  stream += "\x1b)0\x0e\x0c\x1b[3;1fqqq\x1b[4;1Hx\x0f\x1b)B";
  ExpectSameAsByteByByte(GetParam(), stream);
}

// A run of text ends at the first byte that is not printable ASCII, found
// eight bytes at a time and stored sixteen cells at a time: every length of
// run, with each kind of byte that ends one, in the middle of the chunk and
// at every distance from its end.
TEST(TextRuns, EndWhereTheByteByBytePathEndsThem) {
  const Terminal terminal{"Vt220Colour", Vt220Colour, 570};
  for (const char stop : {'\x00', '\x1f', '\x7f', '\x80', '\x9b', '\xff', '\r'}) {
    std::string stream = "\x1b[31m";
    for (int length = 0; length <= 40; ++length)
      stream += std::string(static_cast<size_t>(length), static_cast<char>('a' + length % 26)) + stop + "~ +";
    std::vector<std::string> streams = {stream};
    for (int length = 0; length <= 20; ++length)
      for (int after = 0; after <= 9; ++after)
        streams.push_back("\x1b[32m" + std::string(static_cast<size_t>(length), 'r') + stop +
                          std::string(static_cast<size_t>(after), 's'));
    for (const std::string& s : streams) {
      const Result fast = Replay(terminal, s, s.size(), false);
      const Result slow = Replay(terminal, s, s.size(), true);
      ASSERT_EQ(fast.cells, slow.cells) << "ended by " << int(static_cast<uint8_t>(stop)) << " in " << s;
      ASSERT_EQ(fast.cursor, slow.cursor) << "ended by " << int(static_cast<uint8_t>(stop)) << " in " << s;
      ASSERT_EQ(fast.drawing, slow.drawing) << "ended by " << int(static_cast<uint8_t>(stop)) << " in " << s;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Vt, VtUpdates,
                         ::testing::Values(Terminal{"Vt220Colour", Vt220Colour, 570}, Terminal{"Vt100", Vt100, 570},
                                           Terminal{"Vt220Extended", Vt220Extended, 570},
                                           Terminal{"Vt220Sco", Vt220Sco, 570},
                                           Terminal{"Vt220NarrowWindow", Vt220Colour, 300}),
                         [](const auto& c) { return std::string(c.param.name); });

}  // namespace
}  // namespace korvane
