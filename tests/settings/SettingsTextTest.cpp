// The text form of settings files: numbers, key strings, encodings and line
// ends.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/SettingsText.h"

namespace korvane {
namespace {

TEST(NumberLine, PutsABlankBeforeANumberThatIsNotNegative) {
  EXPECT_EQ(NumberLine(7), " 7");
  EXPECT_EQ(NumberLine(0), " 0");
  EXPECT_EQ(NumberLine(-1), "-1");
  EXPECT_EQ(NumberLine(230400), " 230400");
  EXPECT_EQ(NumberLine(-2147483648LL), "-2147483648");
}

struct NumberCase {
  const char* text;
  int bits;
  int32_t value;
  bool found;
};

class ReadsNumbers : public ::testing::TestWithParam<NumberCase> {};

TEST_P(ReadsNumbers, AsTheProgramAlwaysHas) {
  const auto& c = GetParam();
  bool found = !c.found;
  EXPECT_EQ(TruncateToWidth(ReadNumber(c.text, &found), c.bits), c.value) << '"' << c.text << '"';
  EXPECT_EQ(found, c.found) << '"' << c.text << '"';
}

const NumberCase kNumberCases[] = {
    {" 7", 16, 7, true},
    {"-1", 16, -1, true},
    {"7", 16, 7, true},
    {"   \t42", 16, 42, true},  // leading blanks
    {"+5", 16, 5, true},
    {" 12abc", 16, 12, true},  // stops at the first character that cannot continue
    {" 12.7", 16, 12, true},
    {"abc", 16, 0, false},  // no number reads as 0
    {"", 16, 0, false},
    {"-", 16, 0, false},
    {" &H1F", 16, 31, true},
    {"&hff", 16, 255, true},
    {"&HFFFF", 16, -1, true},  // hexadecimal fills the variable's bits
    {"&H", 16, 0, false},
    {"- 5", 16, 0, false},      // no blank between sign and digits
    {"70000", 16, 4464, true},  // the low 16 bits: 70000 - 65536
    {"-32769", 16, 32767, true},
    {"200", 8, -56, true},  // 8-bit lines keep 8 bits
    {"-128", 8, -128, true},
    {"2147483647", 32, 2147483647, true},
    {"-2147483648", 32, -2147483647 - 1, true},
    {"4294967296", 32, 0, true},
    // Far beyond any width: read without overflow (the sanitizer run checks),
    // and its low bits kept.
    {"18446744073709551617", 16, 1, true},
};
INSTANTIATE_TEST_SUITE_P(SettingsText, ReadsNumbers, ::testing::ValuesIn(kNumberCases));

struct KeyStringCase {
  std::string value, line;
};

class KeyStrings : public ::testing::TestWithParam<KeyStringCase> {};

TEST_P(KeyStrings, KeepTheirLineEndsAsTokens) { EXPECT_EQ(KeyStringLine(GetParam().value), GetParam().line); }

const KeyStringCase kKeyStringCases[] = {
    {"ab", "ab"},
    {"ab\r", "ab{CR"},
    {"ab\r\n", "ab{CR{LF"},  // both ends, so the CR cannot break the line
    {"ab\n\r", "ab{LF{CR"},
    {"a\rb\nc", "a{CRb{LFc"},
    {"{ES[A", "{ES[A"},
    {std::string(252, 'x') + "\r", std::string(252, 'x') + "{CR"},  // 255 bytes: fits
    // Tokens that would not fit keep the string as it is; the file
    // encoding keeps its CR.
    {std::string(253, 'x') + "\r", std::string(253, 'x') + "\r"},
};
INSTANTIATE_TEST_SUITE_P(SettingsText, KeyStrings, ::testing::ValuesIn(kKeyStringCases));

std::vector<std::string> AllLines(SettingsLineReader r) {
  std::vector<std::string> out;
  for (;;) {
    std::string line = r.ReadLine();
    if (r.Error()) return out;
    out.push_back(line);
  }
}

TEST(SettingsFileText, IsUtf8WithLfAndKeepsCrAndLfInsideValues) {
  const std::vector<std::string> lines = {" 1", "caf\x8E", "two\rlines\nhere", "", "{CR and \xA5"};
  const std::string bytes = EncodeSettingsFile(lines);
  EXPECT_EQ(bytes, " 1\ncaf\xC3\xA9\ntwo\xE2\x90\x8Dlines\xE2\x90\x8Ahere\n\n{CR and \xE2\x80\xA2\n");
  EXPECT_EQ(AllLines(SettingsLineReader(bytes)), lines);
}

TEST(SettingsFileText, ReadsEveryLineEndAndBothEncodings) {
  const std::vector<std::string> expected = {" 9600", "caf\x8E", "", "last"};
  const struct {
    const char* name;
    std::string bytes;
    bool macRoman;
  } files[] = {
      {"Mac: CR and Mac Roman", " 9600\rcaf\x8E\r\rlast\r", true},
      {"LF and UTF-8", " 9600\ncaf\xC3\xA9\n\nlast\n", false},
      {"CR LF and UTF-8", " 9600\r\ncaf\xC3\xA9\r\n\r\nlast\r\n", false},
      {"no end on the last line", " 9600\ncaf\xC3\xA9\n\nlast", false},
      {"UTF-8 with a byte-order mark", "\xEF\xBB\xBF 9600\ncaf\xC3\xA9\n\nlast\n", false},
  };
  for (const auto& f : files) {
    SettingsLineReader reader(f.bytes);
    EXPECT_EQ(reader.MacRoman(), f.macRoman) << f.name;
    EXPECT_EQ(AllLines(reader), expected) << f.name;
  }
}

TEST(SettingsFileText, ACharacterMacRomanLacksReadsAsAQuestionMark) {
  SettingsLineReader reader("\xE6\x97\xA5 x\n");
  EXPECT_EQ(reader.ReadLine(), "? x");
}

TEST(SettingsFileText, ALongLineGivesItsFirst255BytesAndTheNextLineStaysInPlace) {
  SettingsLineReader reader(std::string(300, 'a') + "\r next\r");
  EXPECT_EQ(reader.ReadLine(), std::string(255, 'a'));
  EXPECT_EQ(reader.ReadLine(), " next");
}

TEST(SettingsFileText, ReadingPastTheEndGivesEmptyLinesAndAnErrorUntilCleared) {
  SettingsLineReader reader("only\n");
  EXPECT_EQ(reader.ReadLine(), "only");
  EXPECT_FALSE(reader.Error());
  EXPECT_EQ(reader.ReadLine(), "");
  EXPECT_TRUE(reader.Error());
  EXPECT_EQ(reader.ReadLine(), "");
  EXPECT_TRUE(reader.Error());
  reader.ClearError();
  EXPECT_FALSE(reader.Error());
}

}  // namespace
}  // namespace korvane
