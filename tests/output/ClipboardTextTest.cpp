// The clipboard's text as the program uses it: appends, line reads, the
// conversions between program text and UTF-8, and the capture of host text.

#include "output/ClipboardText.h"

#include <gtest/gtest.h>

#include "fakes/RecordingClipboard.h"
#include "platform/Port.h"

namespace korvane {
namespace {

using output::ClipboardCapture;
using output::ClipboardText;
using output::ClipboardUtf8;
using output::HostTextFromClipboard;

struct Conversion {
  const char* name;
  std::string program;  // program text
  int font;
  std::string utf8;
};

TEST(ClipboardConversionTest, ProgramTextBecomesUtf8WithLfLineEnds) {
  const Conversion cases[] = {
      {"plain", "abc", -1, "abc"},
      {"crLineEnds", "one\rtwo\r", -1, "one\ntwo\n"},
      {"crLfIsOneLineEnd", "one\r\ntwo\n", -1, "one\ntwo\n"},
      {"tabKept", "a\tb", -1, "a\tb"},
      {"macRoman", "\x8E\xA5\xD0", -1, "é•–"},
      {"lineGraphicsInScreenFont", "\xDE\xE6\xDF", platform::kScreenFont, "┌─┐"},
      {"sameCodesInMacRoman", "\xDE\xE6", -1, "ﬁÊ"},
      {"pcFont", "\xC4\xB3", platform::kPcScreenFont, "─│"},
  };
  for (const Conversion& c : cases) EXPECT_EQ(ClipboardUtf8(c.program, c.font), c.utf8) << c.name;
}

TEST(ClipboardConversionTest, ClipboardTextBecomesHostLinesEndingInCr) {
  EXPECT_EQ(HostTextFromClipboard("a\nb\r\nc\rd"), "a\rb\rc\rd");
  EXPECT_EQ(HostTextFromClipboard("\n\n"), "\r\r");
  EXPECT_EQ(HostTextFromClipboard("café €"), "caf\x8E \xDB");
  // What Mac Roman cannot hold is sent as "?".
  EXPECT_EQ(HostTextFromClipboard("日本"), "??");
}

class ClipboardTextTest : public ::testing::Test {
 protected:
  fakes::RecordingClipboard board;
  ClipboardText clip{board};
};

TEST_F(ClipboardTextTest, AppendsGrowTheClipboardsText) {
  clip.AppendToClipboard("x");
  EXPECT_EQ(board.text, "x");  // an empty clipboard gets the text alone
  clip.AppendToClipboard("y\r");
  EXPECT_EQ(board.text, "xy\n");
  // A picture on the clipboard gives way to the text.
  board.SetPicture("pdf", "png");
  clip.AppendToClipboard("t");
  EXPECT_EQ(board.text, "t");
  EXPECT_TRUE(board.pdf.empty());
  // What another program put there is seen by the next append.
  board.OtherProgramSets("other ");
  clip.AppendToClipboard("mine");
  EXPECT_EQ(board.text, "other mine");
}

TEST_F(ClipboardTextTest, EmptyTextIsStillText) {
  clip.AppendToClipboard("");
  EXPECT_EQ(board.text, "");
  board.text = "something";
  clip.ResetCopyBuffersNow();
  EXPECT_EQ(board.text, "");
}

TEST_F(ClipboardTextTest, CopyLineAddsALineEndOnlyForTheMarkerCR) {
  clip.CopyLineToClipboard("abc", "CR");
  EXPECT_EQ(board.text, "abc\n");
  board.text.reset();
  clip.CopyLineToClipboard("abc", "");
  clip.CopyLineToClipboard("def", "cr");
  EXPECT_EQ(board.text, "abcdef");
  // A long line keeps its line end, so it never runs into the next one.
  board.text.reset();
  clip.CopyLineToClipboard(std::string(255, 'x'), "CR");
  clip.CopyLineToClipboard("next", "");
  EXPECT_EQ(board.text, std::string(255, 'x') + "\nnext");
}

TEST_F(ClipboardTextTest, ResetCopyBuffersReplacesOrAppends) {
  board.text = "old";
  clip.ResetCopyBuffers("x", 1);
  EXPECT_EQ(board.text, "x");
  clip.ResetCopyBuffers("y", 0);
  EXPECT_EQ(board.text, "xy");
}

TEST_F(ClipboardTextTest, ClipboardLinesAreReadOneByOne) {
  std::string line;
  board.text = "first\nsecond";
  EXPECT_TRUE(clip.ClipboardLine(1, line));
  EXPECT_EQ(line, "first");
  EXPECT_TRUE(clip.ClipboardLine(2, line));
  EXPECT_EQ(line, "second");
  EXPECT_FALSE(clip.ClipboardLine(3, line));
  EXPECT_EQ(line, "");

  // CR LF is one line end; the text after the last line end is a line, so a
  // one-line capture still has a second line to print.
  board.text = "one\r\ntwo\n";
  EXPECT_TRUE(clip.ClipboardLine(2, line));
  EXPECT_EQ(line, "two");
  EXPECT_TRUE(clip.ClipboardLine(3, line));
  EXPECT_EQ(line, "");
  EXPECT_FALSE(clip.ClipboardLine(4, line));

  // A line of 300 bytes comes as 250 bytes and then the rest.
  board.text = std::string(300, 'a') + "\nb";
  EXPECT_TRUE(clip.ClipboardLine(1, line));
  EXPECT_EQ(line, std::string(250, 'a'));
  EXPECT_TRUE(clip.ClipboardLine(2, line));
  EXPECT_EQ(line, std::string(50, 'a'));
  EXPECT_TRUE(clip.ClipboardLine(3, line));
  EXPECT_EQ(line, "b");

  // No text, or an empty one: no lines. Lines come back as program text.
  board.text.reset();
  EXPECT_FALSE(clip.ClipboardLine(1, line));
  board.text = "";
  EXPECT_FALSE(clip.ClipboardLine(1, line));
  board.text = "café";
  EXPECT_TRUE(clip.ClipboardLine(1, line));
  EXPECT_EQ(line, "caf\x8E");
}

TEST_F(ClipboardTextTest, CaptureAppendsReceivedTextAsItArrives) {
  board.text = "before";
  ClipboardCapture capture(clip);
  capture.Start();
  EXPECT_EQ(board.text, "");
  // Runs of received text and the CR of each line end, as host input echoes them.
  for (const char* piece : {"$ ls", "\r", "\n", "a.txt  b.txt", "\r", "\xDE\xE6\xDF"})
    capture.CopyToClipboard(piece, platform::kScreenFont);
  EXPECT_EQ(board.text, "$ ls\na.txt  b.txt\n┌─┐");
  // Another program's text in between: the capture goes on after it.
  board.OtherProgramSets("x");
  capture.CopyToClipboard("y", platform::kScreenFont);
  EXPECT_EQ(board.text, "xy");
}

}  // namespace
}  // namespace korvane
