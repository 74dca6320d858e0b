// National replacement of characters bound for a host that strips the 8th
// bit.

#include <gtest/gtest.h>

#include <map>

#include "input/NationalChars.h"

namespace korvane::testing {
namespace {

int Replace(int set, int code, int16_t off = 0) {
  SessionOptions o;
  o.HostCharacterSet = static_cast<int16_t>(set);
  o.NationalCharsOff = off;
  return input::NationalChar(o, code);
}

TEST(NationalChar, OneMacCharacterBecomesTheCodeItsSetShowsItAt) {
  struct Case {
    int set, code, result;
  };
  const Case
      cases[] =
          {
              {5, 142, 96},   {18, 142, 96}, {6, 142, 123},  {7, 142, 92},   {12, 142, 91},
              {4, 142, 142},  {8, 142, 142}, {10, 142, 142}, {11, 142, 142}, {13, 142, 142},
              {17, 142, 142}, {4, 172, 123}, {6, 172, 126},                  // one character, two sets, two codes
              {13, 163, 35},  {4, 216, 91},  {17, 205, 93},  {5, 200, 200},  // not in the set: unchanged
              {9, 143, 93},  // set 9 shows è at "]" (its first position), never at "}"
          };
  for (const auto& c : cases) EXPECT_EQ(Replace(c.set, c.code), c.result) << c.set << " " << c.code;
}

TEST(NationalChar, NothingChangesWithAllEightBitsOrOutsideTheNationalSets) {
  for (int set : {4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 17, 18}) {
    for (int code = 0; code <= 255; ++code) EXPECT_EQ(Replace(set, code, 1), code);
    for (int code = 0; code <= 127; ++code) EXPECT_EQ(Replace(set, code), code);
  }
  for (int set : {0, 1, 3, 14, 15, 16, 19, -1})
    for (int code = 128; code <= 255; ++code) EXPECT_EQ(Replace(set, code), code) << set;
}

TEST(NationalChar, EachSetReplacesItsOwnCharactersOnceEach) {
  // How many Mac characters each set replaces (set 9's è included), and
  // that none becomes a code the set does not use (the twelve national
  // positions only).
  const std::map<int, int> replaced = {{4, 8},  {5, 9},  {6, 9},   {7, 10}, {8, 8},  {9, 9},
                                       {10, 5}, {11, 8}, {12, 12}, {13, 1}, {17, 6}, {18, 10}};
  const std::string positions = "`~@#^_[]\\{}|";
  for (const auto& [set, count] : replaced) {
    int n = 0;
    std::map<int, int> byCode;
    for (int code = 128; code <= 255; ++code) {
      const int r = Replace(set, code);
      if (r == code) continue;
      ++n;
      EXPECT_NE(positions.find(static_cast<char>(r)), std::string::npos) << set << " " << code;
      ++byCode[r];
    }
    EXPECT_EQ(n, count) << "set " << set;
    for (const auto& [code, times] : byCode) EXPECT_EQ(times, 1) << "set " << set << " code " << code;
  }
  // The cells no Mac character fills give nothing those codes.
  for (int code = 128; code <= 255; ++code) {
    EXPECT_NE(Replace(4, code), ']');
    EXPECT_NE(Replace(9, code), '}');
    EXPECT_NE(Replace(10, code), '\\');
  }
}

}  // namespace
}  // namespace korvane::testing
