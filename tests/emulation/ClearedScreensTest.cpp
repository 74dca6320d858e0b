// Every screen the host clears is kept in the scroll-back, the second and
// later ones too: printing a character makes the screen one to keep again,
// whichever writer printed it (the run of plain text, the one-byte path, the
// plain-text route).

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "VtFixture.h"
#include "WyseFixture.h"

namespace korvane::testing_support {
namespace {

// The texts of the scroll-back's lines 1..last, up to the first blank, with
// the separator lines the saves put under each kept screen as "-".
std::vector<std::string> StoreTexts(const Screen& s) {
  std::vector<std::string> out;
  for (int line = 1; line < s.ScrollBackLinePos; ++line) {
    std::string text;
    for (int c = 1; c <= 20; ++c) {
      const int16_t ch = s.ScrollBack.Cell(ScrollBackPlanes::kChars, line, c);
      if (ch == 0 || ch == ' ') break;
      text += static_cast<char>(ch);
    }
    if (text.size() > 1 && text.find_first_not_of('-') == std::string::npos) text = "-";
    if (!text.empty()) out.push_back(text);
  }
  return out;
}

struct ClearCase {
  const char* name;
  std::string before;  // puts the writer in the state the case is about
  std::string clear;   // the host's clear-screen
};

void PrintTo(const ClearCase& c, std::ostream* os) { *os << c.name; }

class VtClears : public VtTest, public ::testing::WithParamInterface<ClearCase> {};

TEST_P(VtClears, EachClearedScreenReachesTheScrollBack) {
  const ClearCase& c = GetParam();
  opt().ScrollBackOn = 1;
  screen().ClearScrollback();
  Feed(c.before);
  for (const char* text : {"first", "second", "third"}) Feed(std::string(text) + c.clear);
  EXPECT_EQ(StoreTexts(screen()), (std::vector<std::string>{"first", "-", "second", "-", "third", "-"}));
}

INSTANTIATE_TEST_SUITE_P(
    ClearedScreens, VtClears,
    ::testing::Values(ClearCase{"RunsOfText", "", "\x1b[H\x1b[2J"},
                      // Insert mode keeps bytes off the run path: each goes through the byte writer.
                      ClearCase{"OneByteAtATime", "\x1b[4h", "\x1b[H\x1b[2J"}),
    [](const auto& p) { return std::string(p.param.name); });

class WyseClears : public WyseTest, public ::testing::WithParamInterface<ClearCase> {};

TEST_P(WyseClears, EachClearedScreenReachesTheScrollBack) {
  const ClearCase& c = GetParam();
  opt().ScrollBackOn = 1;
  screen().ClearScrollback();
  Feed(c.before);
  for (const char* text : {"first", "second", "third"}) Feed(std::string(text) + c.clear);
  EXPECT_EQ(StoreTexts(screen()), (std::vector<std::string>{"first", "-", "second", "-", "third", "-"}));
}

INSTANTIATE_TEST_SUITE_P(ClearedScreens, WyseClears,
                         ::testing::Values(ClearCase{"RunsOfText", "", "\x1b*"},
                                           // Insert mode: the byte writer.
                                           ClearCase{"OneByteAtATime", "\x1bq", "\x1b*"}),
                         [](const auto& p) { return std::string(p.param.name); });

// Without an interpreter the plain-text route prints.
TEST_F(HostInputTest, ThePlainTextRoutesClearedScreensReachTheScrollBackToo) {
  opt().ScrollBackOn = 1;
  screen().ClearScrollback();
  auto* link = OpenPty();
  for (const char* text : {"first", "second"}) {
    link->Feed(text);
    in().ProcessHostInput();
    screen().ClearScreenAndHome();
  }
  EXPECT_EQ(StoreTexts(screen()), (std::vector<std::string>{"first", "-", "second", "-"}));
}

}  // namespace
}  // namespace korvane::testing_support
