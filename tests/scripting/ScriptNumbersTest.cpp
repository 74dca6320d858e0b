// The numeric text rule of script parameters and the way replies write numbers.

#include <gtest/gtest.h>

#include "scripting/ScriptNumbers.h"

namespace korvane::scripting {
namespace {

struct NumberCase {
  const char* text;
  int16_t value;
};

TEST(ScriptNumber, ReadsTheForms) {
  const NumberCase cases[] = {
      {"", 0},           {"abc", 0},
      {"12", 12},        {" 7", 7},
      {"2.9", 2},        {"-2.9", -2},
      {".5", 0},         {"12abc", 12},
      {"1e2", 100},      {"1e", 1},
      {"&H1F", 31},      {"&h1f", 31},
      {"0x1F", 31},      {"0X1f", 31},
      {"&O17", 15},      {"&X101", 5},
      {"-&H10", -16},    {"&Hzz", 0},
      {"40000", 32767},  {"-40000", -32768},
      {"&HFFFF", 32767}, {"99999999999999999999", 32767},
      {"+3", 3},         {"\t42", 42},
  };
  for (const NumberCase& c : cases) EXPECT_EQ(ScriptNumber(c.text), c.value) << '"' << c.text << '"';
}

TEST(NumberText, BlankBeforeANumberThatIsNotNegative) {
  EXPECT_EQ(NumberText(0), " 0");
  EXPECT_EQ(NumberText(79), " 79");
  EXPECT_EQ(NumberText(-1), "-1");
}

}  // namespace
}  // namespace korvane::scripting
