// Cell codes to the characters they show and the text they stand for.

#include <gtest/gtest.h>

#include "platform/CharMap.h"

namespace korvane::platform {
namespace {

struct GlyphCase {
  int16_t font;
  uint8_t code;
  char32_t glyph;
};

class Glyphs : public ::testing::TestWithParam<GlyphCase> {};

TEST_P(Glyphs, ShowTheCharacterOfTheirFont) {
  const auto& c = GetParam();
  EXPECT_EQ(GlyphOf(c.font, c.code), c.glyph) << int(c.code);
}

const GlyphCase kGlyphCases[] = {
    {kScreenFont, 'A', U'A'},   {kScreenFont, 0x80, U'Ä'},  // Mac Roman text
    {kScreenFont, 0xA5, U'•'},                              // the VT bullet
    {kScreenFont, 215, U'◊'},                               // the VT diamond
    {kScreenFont, 222, U'┌'},                               // single top-left
    {kScreenFont, 230, U'─'},                               // single horizontal
    {kScreenFont, 226, U'│'},   {kScreenFont, 243, U'╔'},   // double top-left
    {kScreenFont, 246, U'╝'},   {kScreenFont, 218, U'▐'},   // shadow right edge
    {kScreenFont, 219, U'▀'},                               // shadow bottom edge
    {kScreenFont, 239, U'▄'},                               // shadow bottom-right
    {kScreenFont, 202, U'■'},                               // shadow top-right
    {kScreenFont, 236, U'Ï'},                               // kept for high-character text
    {kScreenFont, 0, U' '},     {kScreenFont, 27, U' '},     {kPcScreenFont, 218, U'┌'},
    {kPcScreenFont, 196, U'─'}, {kPcScreenFont, 0x80, U'Ç'},
};
INSTANTIATE_TEST_SUITE_P(CharMap, Glyphs, ::testing::ValuesIn(kGlyphCases));

TEST(CharMap, MacRomanRoundTrip) {
  for (int code = 0; code < 256; ++code)
    EXPECT_EQ(UnicodeToMacRoman(MacRomanToUnicode(static_cast<uint8_t>(code))), code);
  EXPECT_EQ(UnicodeToMacRoman(U'€'), 0xDB);
  EXPECT_EQ(UnicodeToMacRoman(U'日'), -1);
}

TEST(CharMap, EveryLineDrawingCodeOfTheScreenFontIsDrawnAsStrokes) {
  for (int code : {202, 218, 219, 220, 221, 222, 223, 224, 225, 226, 227, 228, 229, 230, 231, 232, 233,
                   234, 239, 241, 242, 243, 244, 245, 246, 247, 248, 249, 250, 251, 252, 253, 254, 255})
    EXPECT_TRUE(IsBlockOrLineGlyph(GlyphOf(kScreenFont, static_cast<uint8_t>(code)))) << code;
  EXPECT_FALSE(IsBlockOrLineGlyph(GlyphOf(kScreenFont, 'x')));
}

}  // namespace
}  // namespace korvane::platform
