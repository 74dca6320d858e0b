// The Wyse-family interpreter, one byte stream per case: the cells, the cursor
// and the bytes sent back, for each emulation the case applies to. Cases that
// test a single emulation flag run for every emulation that carries it (a
// Wyse 60 is also a Wyse 50, a TeleVideo 925 also a Viewpoint).

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "WyseFixture.h"

namespace korvane {
namespace {

using namespace std::string_literals;
using testing_support::WyseTest;
using K = EmulationKind;

struct RowText {
  int row;
  std::string text;  // columns from 1, trailing blanks trimmed
};

struct SequenceCase {
  const char* name;
  std::vector<K> kinds;
  std::string bytes;
  std::vector<RowText> rows;
  int cursorRow, cursorCol;
  std::string answer;
  int sco = 0;  // SCO ANSI mode on
};

const std::vector<K> kWyse50Family = {K::Wyse50, K::Wyse60, K::Wyse370, K::Tvi925};
const std::vector<K> kViewpointFamily = {K::Viewpoint, K::Wyse50, K::Wyse60, K::Wyse370, K::Tvi925};
const std::vector<K> kAllWyse = {K::Viewpoint, K::Wyse50, K::Wyse60, K::Wyse370, K::Tvi925, K::Prism};

std::string Spaces(int n) { return std::string(static_cast<size_t>(n), ' '); }

const SequenceCase kCases[] = {
    // ---- Control characters ---------------------------------------------------------
    {"TabStopsEveryEight", kAllWyse, "a\tb\tc", {{1, "a       b       c"}}, 1, 18, ""},
    {"TabBeyondTheLastStopStays", kAllWyse, "\x10\x74\t", {}, 1, 75, ""},
    {"DleAddressesTheColumnByItsDigits", kAllWyse, "\x10\x25X", {{1, Spaces(25) + "X"}}, 1, 27, ""},
    {"VtAddressesTheRowOutsideTheWyse50Family", {K::Viewpoint, K::Prism}, "\x0b\x45X", {{6, "X"}}, 6, 2, ""},
    {"VtIsCursorUpInTheWyse50Family", kWyse50Family, "\x1b=\x25\x20\x0bX", {{5, "X"}}, 5, 2, ""},
    {"BackspaceAtColumnOneGoesToTheEndOfTheRowAbove",
     kViewpointFamily,
     "\x1b=\x24\x20\x08X",
     {{4, Spaces(79) + "X"}},
     5,
     1,
     ""},
    {"BackspaceAtHomeStays", kAllWyse, "\x08X", {{1, "X"}}, 1, 2, ""},
    {"FormFeedIsCursorRightInTheWyse50FamilyAndOnTheTeleVideo",
     kWyse50Family,
     "a\x0c"
     "b",
     {{1, "a b"}},
     1,
     4,
     ""},
    {"FormFeedClearsOnViewpointAndPrism", {K::Viewpoint, K::Prism}, "abc\x0cX", {{1, "X"}}, 1, 2, ""},
    {"RecordSeparatorHomes", kWyse50Family, "abc\x1eX", {{1, "Xbc"}}, 1, 2, ""},
    {"UnitSeparatorStartsTheNextRow", kWyse50Family, "abc\x1fX", {{1, "abc"}, {2, "X"}}, 2, 2, ""},
    {"SubstituteClearsInTheWyse50Family", kWyse50Family, "abc\x1aX", {{1, "X"}}, 1, 2, ""},
    {"SubstituteIsCursorUpOnViewpoint", {K::Viewpoint}, "\n\nab\x1aX", {{2, "  X"}, {3, "ab"}}, 2, 4, ""},
    {"StartOfHeadingHomesOnPrism", {K::Prism}, "ab\x01X", {{1, "Xb"}}, 1, 2, ""},
    {"StartOfHeadingIsTheLastLineOnViewpoint", {K::Viewpoint}, "ab\x01X", {{1, "ab"}, {24, "X"}}, 24, 2, ""},
    {"CursorUpFromTheTopRowWrapsToTheBottomOnTheWyse",
     {K::Wyse50, K::Wyse60, K::Wyse370},
     "ab\x1e\x0bX\x1b{\x0bY",
     {{1, "ab"}, {24, "Y"}},
     24,
     2,
     ""},
    {"CursorUpStaysOnTheTopRowOnTheTeleVideo", {K::Tvi925}, "ab\x1e\x0bX", {{1, "Xb"}}, 1, 2, ""},
    {"SubstituteStaysOnTheTopRowOnViewpoint", {K::Viewpoint}, "ab\x1b{\x1aX", {{1, "Xb"}}, 1, 2, ""},
    {"EscIIsABackTab", kWyse50Family, "\x10\x20\x1bIX\x10\x08\x1bIY\x1bIZ", {{1, "Z" + Spaces(15) + "X"}}, 1, 2, ""},
    {"AcknowledgeMovesRight",
     kAllWyse,
     "a\x06"
     "b",
     {{1, "a b"}},
     1,
     4,
     ""},
    {"MonitorModeShowsControlsUntilEscU",
     kAllWyse,
     "\x1bUa\x11\x1b"
     "a\x1buX",
     {{1,
       "a\xdd"
       "aX"}},
     1,
     5,
     ""},
    {"SynchronousIdleIsALineFeedOnTheTeleVideo",
     {K::Tvi925},
     "a\x16"
     "b",
     {{1, "a"}, {2, " b"}},
     2,
     3,
     ""},

    // ---- Line graphics ------------------------------------------------------------------
    {"GraphicsModeMapsLetters", kAllWyse, "\x1bH\x02q\x1bH\x03q", {{1, "\xddq"}}, 1, 3, ""},
    {"EscHDrawsOneGraphicsCharacter", kAllWyse, "\x1bHqq", {{1, "\xddq"}}, 1, 3, ""},
    {"EscHShowsAControlAsItsGlyph", kAllWyse, "\x1bH\x11", {{1, "\xdd"}}, 1, 2, ""},
    // ESC c E is the Wyse 60's own set: "q" is the plus-minus sign.
    {"WyseExtendedGraphicsOnAndOff",
     kAllWyse,
     "\x1b"
     "cEq\x1b"
     "cDq",
     {{1, "\xb1q"}},
     1,
     3,
     ""},
    {"TheWyse60SetDrawsEveryCharacterOfItsDescription",
     kAllWyse,
     "\x1b"
     "cB0\x1b"
     "cC1\x1b"
     "cE/.[2xq1hY?Z@EDC4AB3src~\x1b"
     "cDa",
     {{1,
       "><\xe3\xff\xa1\xb1\xe7#\xe1\xdf\xde\xdd\xe4\xe6\xe0\xe5\xe9\xdc\xe2\xb2\xb3\xb9\xa5"
       "a"}},
     1,
     25,
     ""},
    // ESC H keeps the Wyse 50's set, in a Wyse 60 session too, and after ESC c.
    {"TheWyse50SetAfterTheWyse60s",
     kAllWyse,
     "\x1b"
     "cE3\x1b"
     "cD\x1bH\x02"
     "3:6\x1bH\x03\x1bH5",
     {{1, "\xe2\xdf\xe6\xe2\xe1"}},
     1,
     6,
     ""},

    // ---- Cursor addressing --------------------------------------------------------------------
    {"EscEqualsAddressesFromBlank", kViewpointFamily, "\x1b=\x20\x20X", {{1, "X"}}, 1, 2, ""},
    {"EscEqualsSkipsANul", kViewpointFamily, "\x1b=\0!\"X"s, {{2, "  X"}}, 2, 4, ""},
    {"EscEqualsBelowBlankIsRowOne", kViewpointFamily, "\x1b=\x05\x05X", {{1, "X"}}, 1, 2, ""},
    {"EscMinusSkipsItsPageByte", kViewpointFamily, "\x1b-1\"#X", {{3, "   X"}}, 3, 5, ""},
    {"EscYAddressesOnViewpoint", {K::Viewpoint}, "\x1bY\"#X", {{3, "   X"}}, 3, 5, ""},
    {"EscYErasesToTheEndOfTheScreenInTheWyse50Family",
     kWyse50Family,
     "abc\r\ndef\x1b=  \x1bY",
     {{1, ""}, {2, ""}},
     1,
     1,
     ""},
    {"EscADecimalAddress",
     {K::Viewpoint, K::Wyse60, K::Prism},
     "\x1b"
     "a12R40CX",
     {{12, Spaces(39) + "X"}},
     12,
     41,
     ""},
    {"EscAZeroIsRowOneColumnOne",
     {K::Wyse60},
     "\x1b"
     "a0R0CX",
     {{1, "X"}},
     1,
     2,
     ""},
    // The TeleVideo's flash: reverse screen, normal screen. Nothing is sent
    // and nothing after it is taken.
    {"TheTeleVideoFlashSendsNothingAndTakesNothing",
     {K::Tvi925},
     "a\x1b"
     "b\0\0\x1b"
     "d12R3C"s,
     {{1, "a12R3C"}},
     1,
     7,
     ""},
    {"TheWyseFlashTakesNothing", {K::Wyse50, K::Wyse60, K::Wyse370}, "a\x1b`8\0\0\x1b`9bc"s, {{1, "abc"}}, 1, 4, ""},

    // ---- Editing ----------------------------------------------------------------------------------
    {"EscTErasesToTheEndOfTheLine", kViewpointFamily, "abcdef\x1b= \"\x1bT", {{1, "ab"}}, 1, 3, ""},
    {"EscKErasesToTheEndOfTheLineOnPrism", {K::Prism}, "abcdef\x10\x02\x1bK", {{1, "ab"}}, 1, 3, ""},
    {"EscEInsertsALine",
     kWyse50Family,
     "a\r\nb\x1b=  \x1b"
     "E",
     {{1, ""}, {2, "a"}, {3, "b"}},
     1,
     1,
     ""},
    {"EscRDeletesALine", kViewpointFamily, "a\r\nb\x1b=  \x1bR", {{1, "b"}, {2, ""}}, 1, 1, ""},
    {"EscQInsertsACharacter", kAllWyse, "abc\x10\x01\x1bQ", {{1, "a bc"}}, 1, 2, ""},
    {"EscWDeletesACharacter", kAllWyse, "abc\x10\x01\x1bW", {{1, "ac"}}, 1, 2, ""},
    {"InsertModeShiftsTheLine", kAllWyse, "abc\x10\x01\x1bqX\x1brY", {{1, "aXYc"}}, 1, 4, ""},
    {"EscJScrollsDownAtTheTop", kViewpointFamily, "a\x1bj", {{1, ""}, {2, "a"}}, 1, 2, ""},
    {"EscStarClears", kViewpointFamily, "abc\x1b*X", {{1, "X"}}, 1, 2, ""},
    {"EscBangClearsAndTakesOneByte", kAllWyse, "abc\x1b!1X", {{1, "X"}}, 1, 2, ""},
    {"AnUnknownSequenceIsDropped",
     kAllWyse,
     "a\x1b\x7f"
     "b",
     {{1, "ab"}},
     1,
     3,
     ""},

    // ---- Parameter counts -----------------------------------------------------------------------------
    {"EscZeroTakesNoByteInTheWyse50Family",
     kWyse50Family,
     "\x1b"
     "0ab",
     {{1, "ab"}},
     1,
     3,
     ""},
    {"EscZeroTakesOneByteOnViewpointAndPrism",
     {K::Viewpoint, K::Prism},
     "\x1b"
     "0`ab",
     {{1, "ab"}},
     1,
     3,
     ""},
    {"EscCTwoTakesOneByte",
     kAllWyse,
     "\x1b"
     "c20a\x1b"
     "c21b",
     {{1, "ab"}},
     1,
     3,
     ""},
    {"EscATakesTwoBytesOnTheWyse",
     {K::Wyse50, K::Wyse60, K::Wyse370},
     "\x1b"
     "A11a\x1b"
     "A10b",
     {{1, "ab"}},
     1,
     3,
     ""},

    // ---- Init strings -----------------------------------------------------------------------------
    {"TheWyse50InitLeavesTheScreen",
     {K::Wyse50, K::Wyse60, K::Wyse370},
     "abc\r\ndef\x1b=!!\x1b`:\x1b`9\x0e\x14\x1b'\x1b(X",
     {{1, "abc"}, {2, "dXf"}},
     2,
     3,
     ""},
    {"TheWyse60InitLeavesTheCursorLine",
     {K::Wyse60, K::Wyse370},
     "abc\r\ndef\x1b=!!\x1b"
     "cB0\x1b"
     "cC1\x1b"
     "d$\x1b"
     "cD\x1b'\x1br\x1bH\x03\x1b"
     "d/\x1bO\x1b"
     "e1\x1b"
     "d*"
     "\x1b`@\x1b`9\x1b`1\x0e\x14\x1bl\x1bwJ\x1bw1X",
     {{1, "abc"}, {2, "dXf"}},
     2,
     3,
     ""},
    {"TheTeleVideoInitLeavesTheDisplayOn", {K::Tvi925}, "abc\x1bl\x1b\"def", {{1, "abcdef"}}, 1, 7, ""},
    {"TheViewpointInitLeavesTheScreen",
     {K::Viewpoint},
     "abc\x0f\x1b"
     "0`def",
     {{1, "abcdef"}},
     1,
     7,
     ""},

    // ---- Reports and identification ---------------------------------------------------------------------
    {"EscQuestionReportsTheCursor", kViewpointFamily, "\x1b=\"$\x1b?", {}, 3, 5, "\x22\x24\r"},
    {"EscBReportsTheCursorInDigits",
     {K::Viewpoint, K::Wyse50, K::Wyse60, K::Wyse370},
     "\x1b=+&\x1b"
     "b",
     {},
     12,
     7,
     "12R7C\r"},
    {"ModelAnswerWyse50", {K::Wyse50}, "\x1b ", {}, 1, 1, "50\r"},
    {"ModelAnswerWyse60", {K::Wyse60, K::Tvi925}, "\x1b ", {}, 1, 1, "60\r"},
    {"ModelAnswerWyse370", {K::Wyse370}, "\x1b ", {}, 1, 1, "370\r"},
    {"NoModelAnswerOutsideTheWyse50Family", {K::Viewpoint, K::Prism}, "\x1b ", {}, 1, 1, ""},
    {"IdentificationAnswers",
     kAllWyse,
     "\x1b\x02I\x1b\x02?",
     {},
     1,
     1,
     "ACCUTERM/WIN 2000 9999 SITE CLIENT\r3*4*2*CDUAIX*b\r"},

    // ---- Status line ---------------------------------------------------------------------------------
    {"StatusLineIsWrittenBelowTheScreenAndTheCursorReturns",
     kAllWyse,
     "ab\x1b"
     "Fhello\r\nX",
     {{1, "abX"}, {25, "hello"}},
     1,
     4,
     ""},

    // ---- Control sequences -----------------------------------------------------------------------------
    {"CsiZeroKErasesToTheEndOfTheLine", kAllWyse, "abc\x10\x01\x1b[0K", {{1, "a"}}, 1, 2, ""},
    {"CsiTwoJClears", kAllWyse, "abc\r\ndef\x1b[2JX", {{1, "X"}, {2, ""}}, 1, 2, ""},
    {"CsiOneKErasesToTheCursor", kAllWyse, "abcdef\x10\x02\x1b[1K", {{1, "   def"}}, 1, 3, ""},
    {"CsiOtherPairsAreDroppedAndTheRestIsText", kAllWyse, "\x1b[9zab", {{1, "ab"}}, 1, 3, ""},
    {"ScoColumnRowAndRight", kAllWyse, "\x1b[3d\x1b[10`X\x1b[2aY", {{3, Spaces(9) + "X  Y"}}, 3, 14, "", 1},
    {"ScoDownToColumnOne", kAllWyse, "ab\x1b[2EX", {{1, "ab"}, {3, "X"}}, 3, 2, "", 1},
    {"ScoLeftByFive", kAllWyse, "\x1b[20`\x1b[2ZX", {{1, Spaces(9) + "X"}}, 1, 11, "", 1},
    {"ScoRowIsHeldToTheScreen", kAllWyse, "\x1b[999dX", {{24, "X"}}, 24, 2, "", 1},
    {"ScoInsertAndDeleteLines", kAllWyse, "a\r\nb\r\nc\x1b[1d\x1b[2L", {{1, ""}, {2, ""}, {3, "a"}}, 1, 2, "", 1},
};

class WyseSequence : public WyseTest, public ::testing::WithParamInterface<SequenceCase> {};

TEST_P(WyseSequence, GivesTheCellsCursorAndAnswer) {
  const SequenceCase& c = GetParam();
  for (K kind : c.kinds) {
    SCOPED_TRACE(TermName(kind));
    // A fresh screen and link for each emulation.
    screen().ClearScreenAndHome();
    pty->written.clear();
    Use(kind);
    opt().ScoAnsiMode = static_cast<int16_t>(c.sco);
    Feed(c.bytes);
    for (const RowText& r : c.rows) EXPECT_EQ(Row(r.row), r.text) << "row " << r.row;
    EXPECT_EQ(screen().CursorRow(), c.cursorRow);
    EXPECT_EQ(screen().CursorCol(), c.cursorCol);
    EXPECT_EQ(Answer(), c.answer);
  }
}

INSTANTIATE_TEST_SUITE_P(Wyse, WyseSequence, ::testing::ValuesIn(kCases),
                         [](const auto& c) { return std::string(c.param.name); });

}  // namespace
}  // namespace korvane
