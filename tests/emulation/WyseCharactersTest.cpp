// The Wyse family's characters and limits: the cumulative emulation flags, the
// line-graphics glyphs, the 8-bit and national adjustments, Prism attribute
// bytes, protected fields, host values beyond the screen, and a stream that
// arrives one byte at a time.

#include <gtest/gtest.h>

#include <string>

#include "WyseFixture.h"
#include "emulation/WyseCharacters.h"

namespace korvane {
namespace {

using testing_support::TimedLink;
using testing_support::WyseTest;
using K = EmulationKind;

// ---- Emulation flags ----------------------------------------------------------------------

TEST(EmulationFlags, AreCumulativeForTheWyseFamily) {
  struct Row {
    K kind;
    int prism, vt100, vt220, vp, w50, w60, w370, tvi;
    const char* name;
  };
  const Row rows[] = {
      {K::Prism, 1, 0, 0, 0, 0, 0, 0, 0, "Prism"},         {K::Tvi925, 0, 0, 0, 1, 1, 1, 0, 1, "TV 925"},
      {K::Vt100, 0, 1, 0, 0, 0, 0, 0, 0, "VT100"},         {K::Vt220, 0, 1, 1, 0, 0, 0, 0, 0, "VT220"},
      {K::Viewpoint, 0, 0, 0, 1, 0, 0, 0, 0, "Viewpoint"}, {K::Wyse50, 0, 0, 0, 1, 1, 0, 0, 0, "Wyse 50"},
      {K::Wyse60, 0, 0, 0, 1, 1, 1, 0, 0, "Wyse 60"},      {K::Wyse370, 0, 0, 0, 1, 1, 1, 1, 0, "Wyse 370"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    SessionOptions o;
    // Flags of an earlier choice never survive the next one.
    o.EmuPrism = o.EmuVt100 = o.EmuVt220 = o.EmuViewpoint = o.EmuWyse50 = o.EmuWyse60 = o.EmuWyse370 = o.EmuTvi925 = 1;
    SetEmulationFlags(r.kind, o);
    EXPECT_EQ(o.EmuPrism, r.prism);
    EXPECT_EQ(o.EmuVt100, r.vt100);
    EXPECT_EQ(o.EmuVt220, r.vt220);
    EXPECT_EQ(o.EmuViewpoint, r.vp);
    EXPECT_EQ(o.EmuWyse50, r.w50);
    EXPECT_EQ(o.EmuWyse60, r.w60);
    EXPECT_EQ(o.EmuWyse370, r.w370);
    EXPECT_EQ(o.EmuTvi925, r.tvi);
    EXPECT_STREQ(EmulationNameFromFlags(o), r.name);
    K back = K::Prism;
    ASSERT_TRUE(EmulationFromTermName(TermName(r.kind), back));
    EXPECT_EQ(back, r.kind);
  }
  K unused;
  EXPECT_FALSE(EmulationFromTermName("vt52", unused));
}

TEST(EmulationFlags, PrismStripsTheEighthBitUnlessTheHostSetIsFourteen) {
  SessionOptions o;
  o.HostCharacterSet = 4;
  SetEmulationFlags(K::Prism, o);
  EXPECT_EQ(o.PrismSevenBit, 1);
  o.HostCharacterSet = 14;
  SetEmulationFlags(K::Prism, o);
  EXPECT_EQ(o.PrismSevenBit, 0);
  SetEmulationFlags(K::Prism, o, true);
  o.PrismSevenBit = 1;
  SetEmulationFlags(K::Prism, o, true);
  EXPECT_EQ(o.PrismSevenBit, 1);
}

// ---- Line graphics ----------------------------------------------------------------------------

TEST(LineGraphics, MapsCodesToTheDrawingGlyphs) {
  struct Case {
    int code;
    LineGraphicsMode mode;
    int glyph;
  };
  LineGraphicsMode plain, range, alt, altOwnFont, wyseColour, pc;
  range.rangeMode = true;
  alt.altSet = true;
  altOwnFont.altSet = true;
  altOwnFont.programFont = 1;
  wyseColour.wyseColour = true;
  pc.programFont = 2;
  const Case cases[] = {
      {'q', plain, 221}, {'0', plain, 220},     {'!', plain, 241},      {'a', plain, 241},      {'E', plain, 245},
      {' ', plain, ' '}, {10, plain, 10},       {64, range, 222},       {107, range, 228},      {108, range, 252},
      {51, alt, 226},    {94, altOwnFont, 218}, {'E', wyseColour, 221}, {'I', wyseColour, 'I'}, {'q', pc, 192},
  };
  for (const Case& c : cases) EXPECT_EQ(MapLineGraphics(c.code, c.mode), c.glyph) << c.code;
  EXPECT_EQ(PcLineDrawingCode(230), 196);
  EXPECT_EQ(PcLineDrawingCode(65), 65);
}

// ---- Characters through the interpreter ---------------------------------------------------------

class WyseCharacters : public WyseTest {};

TEST_F(WyseCharacters, TheEighthBitIsStrippedUnlessNationalCharactersAreOn) {
  Feed("\xc1");
  EXPECT_EQ(screen().ScreenChars(1, 1), 'A');
  opt().NationalCharsOff = 1;
  opt().DecMultinational = 1;
  Feed("\xc4");
  EXPECT_EQ(screen().ScreenChars(1, 2), 128);
}

TEST_F(WyseCharacters, NationalSetsReplaceTheTwelvePositions) {
  opt().HostCharacterSet = 4;
  in().NationalReplacement[3] = 167;  // '@'
  Feed("a@b");
  EXPECT_EQ(screen().ScreenChars(1, 2), 167);
  opt().HostCharacterSet = 7;
  opt().NationalCharsOff = 1;
  in().NationalReplacement[3] = '@';
  Feed("\x94\xf4");
  EXPECT_EQ(screen().ScreenChars(1, 4), '^');
  EXPECT_EQ(screen().ScreenChars(1, 5), 157);
  actions.shiftAndKey = true;
  Feed("\x94");
  EXPECT_EQ(screen().ScreenChars(1, 6), '@');
}

TEST_F(WyseCharacters, PrismAttributeBytesSelectTheAppearance) {
  Use(K::Prism);
  struct {
    const char* bytes;
    int16_t code;
  } cases[] = {
      {"\x84", kAttrReverse},
      {"\x14"
       "\x03\x14",
       kAttrReverseUnderline},
      {"\x03\x10", kAttrUnderline},
      {"\x86", kAttrReverseBold},
      {"\x03\x00", kAttrNormal},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::string(c.bytes)));
    screen().ClearScreenAndHome();
    Feed(std::string(c.bytes, c.bytes[0] == 3 ? 2 : std::char_traits<char>::length(c.bytes)) + "x");
    EXPECT_EQ(Row(1), "x");
    EXPECT_EQ(screen().ScreenAttrs(1, 1), c.code);
  }
}

TEST_F(WyseCharacters, ProtectedFieldsAreSkippedInProtectMode) {
  Use(K::Wyse60);
  Feed("ab\x1b)XY\x1b(cd\r\x1b&123");
  EXPECT_EQ(screen().ScreenProtect(1, 3), 1);
  EXPECT_EQ(screen().ScreenProtect(1, 4), 1);
  EXPECT_EQ(screen().ScreenProtect(1, 5), 0);
  // Protect mode writes around the field.
  EXPECT_EQ(Row(1), "12XY3d");
  Feed("\x1b'");
  EXPECT_EQ(screen().WriteProtectMode, 0);
  Feed("\x1bM");
  EXPECT_EQ(Row(1), "");
}

TEST_F(WyseCharacters, ProtectModeBlocksLineInsertAndDelete) {
  Use(K::Viewpoint);
  Feed("a\r\nb\x1b=  \x1b&\x1bM\x1bl");
  EXPECT_EQ(Row(1), "a");
  EXPECT_EQ(Row(2), "b");
}

TEST_F(WyseCharacters, TheColourAttributeAddressParksTheCursorBelowRowThirty) {
  Use(K::Wyse370);
  screen().WyseColourAttributes = 1;
  Feed(std::string("\x1b=") + static_cast<char>(32 + 40) + "!X");
  EXPECT_EQ(screen().ScreenChars(24, 1), 'X');
  EXPECT_EQ(screen().ScreenChars(41, 2), 0);
}

TEST_F(WyseCharacters, StatusLineWithColoursCollectsItsTextAndRestores) {
  Use(K::Wyse60);
  Feed(
      "ab\x1b"
      "fSTATUS\r\ncd");
  EXPECT_EQ(screen().PendingLineText, "STATUS");
  EXPECT_EQ(screen().StatusLineWriteOpen, 0);
  EXPECT_EQ(Row(1), "abcd");
  EXPECT_EQ(opt().FkeyTitles[1], "   F1   ");
}

// ---- Host values beyond the screen ------------------------------------------------------------------

TEST_F(WyseCharacters, AddressesBeyondThePlanesAreHeldToThem) {
  opt().NationalCharsOff = 1;
  struct {
    std::string bytes;
    int row, col;
  } cases[] = {
      {"\x1b"
       "a999R999CX",
       71, 206},
      {"\x1b=\xff\xffX", 71, 206},
      {"\x1b[999d\x1b[999`X", 24, 206},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.bytes));
    opt().AutoWrapOn = 0;
    opt().ScoAnsiMode = c.bytes[1] == '[';
    screen().ClearScreenAndHome();
    Feed(c.bytes);
    EXPECT_EQ(screen().ScreenChars(c.row, c.col), 'X');
    EXPECT_LE(screen().CursorRow(), kMaxCursorRow);
    EXPECT_LE(screen().CursorCol(), kMaxCursorCol + 1);
  }
}

TEST_F(WyseCharacters, HugeCountsAndEndlessTextsStayBounded) {
  opt().ScoAnsiMode = 1;
  Feed("a\x1b[99999L\x1b[99999M\x1b[99999S\x1b[99999Z\x1b[99999a");
  EXPECT_LE(screen().CursorCol(), kMaxCursorCol);
  opt().ScoAnsiMode = 0;
  // A label of endless letters takes eight; a CSI parameter text at most 80.
  screen().ClearScreenAndHome();
  Feed("\x1bz0" + std::string(20, 'L'));
  EXPECT_EQ(opt().FkeyTitles[1], "LLLLLLLL");
  EXPECT_EQ(Row(1), std::string(11, 'L'));
  // Texts that never end give up when the host stops sending.
  for (const char* cut : {"\x1b\x02PFileExists(x", "\x1b\x01 no end", "\x1b~M~no end",
                          "\x1b\x02"
                          "DA",
                          "\x1b"
                          "a12"}) {
    SCOPED_TRACE(testing::PrintToString(std::string(cut)));
    pty->written.clear();
    Feed(cut);
    EXPECT_EQ(Answer(), "");
  }
}

// ---- A stream that arrives one byte at a time --------------------------------------------------------

TEST_F(WyseCharacters, AStreamSplitAtEveryByteGivesTheSameScreen) {
  const std::string stream =
      "\x1b"
      "a1R1CInvoice\x1bG4 No.\x1bG0\x1b=\x22\x20Name:\x1b)______\x1b(\r\n"
      "\x1bH\x02"
      "fqqqqg\x1bH\x03\x1b"
      "Fstatus\r\x1b[0K\x1b?\x1b"
      "b\x10\x30"
      "end\x1bz3HELP\r";
  Feed(stream);
  const std::string whole = Row(1) + "|" + Row(3) + "|" + Row(4) + "|" + Row(25) + "|" + Attrs(1, 12);
  const std::string answer = Answer();
  const int row = screen().CursorRow(), col = screen().CursorCol();

  // The same stream again, each byte in a chunk of its own; a sequence cut
  // between chunks waits for the rest.
  screen().ClearScreenAndHome();
  screen().ClearStatusRows();
  TimedLink* timed = OpenTimedPty();
  for (size_t i = 0; i < stream.size(); ++i)
    timed->FeedAt(clock.Milliseconds() + 2 * static_cast<int64_t>(i + 1), stream.substr(i, 1));
  for (size_t i = 0; i <= stream.size() + 1; ++i) {
    clock.AdvanceMs(2);
    in().ProcessHostInput();
  }
  EXPECT_EQ(Row(1) + "|" + Row(3) + "|" + Row(4) + "|" + Row(25) + "|" + Attrs(1, 12), whole);
  EXPECT_EQ(timed->written, answer);
  EXPECT_EQ(screen().CursorRow(), row);
  EXPECT_EQ(screen().CursorCol(), col);
  EXPECT_NE(whole.find("Invoice No."), std::string::npos);
}

}  // namespace
}  // namespace korvane
