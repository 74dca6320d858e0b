// Colour setters, host colour numbers, Wyse attribute colours and text styles.

#include "ScreenFixture.h"

namespace korvane {
namespace {

using testing_support::ScreenTest;

TEST_F(ScreenTest, PaletteIndexesBeyondTheTableAreWhiteOrBlack) {
  s.SetPrintForeColor(25);
  EXPECT_EQ(port.fore(), kScreenPalette[17]);
  s.SetPrintBackColor(25);
  EXPECT_EQ(port.back(), kScreenPalette[18]);
  EXPECT_EQ(port.fore(), kScreenPalette[18]) << "black on black";
  s.SetPrintBackColor(4);
  EXPECT_EQ(port.fore(), kScreenPalette[4]) << "the foreground is left at the same entry";
  s.SetPrintForeColor(0);
  s.SetPrintBackColor(-3);
  EXPECT_EQ(port.fore(), kScreenPalette[4]) << "0 and below change nothing";
  EXPECT_EQ(port.back(), kScreenPalette[4]);
}

TEST_F(ScreenTest, SettingsWindowsDrawEntryNineInFullBlue) {
  s.SetPaletteBackColor(9);
  EXPECT_EQ(port.back(), (RGB{0, 0, 65535}));
  s.SetPrintBackColor(9);
  EXPECT_EQ(port.back(), (RGB{0, 0, 40000}));
}

struct HostColourCase {
  const char* text;
  int16_t palette;  // expected CurrentForeColour, or the previous one
  const char* lastChoice;
};

class HostColours : public ScreenTest, public ::testing::WithParamInterface<HostColourCase> {};

TEST_P(HostColours, MapToThePalette) {
  const auto& c = GetParam();
  s.CurrentForeColour = 17;
  s.CurrentBackColour = 18;
  s.ForegroundColourChoice(c.text);
  s.BackgroundColourChoice(c.text);
  EXPECT_EQ(s.CurrentForeColour, c.palette == 0 ? 17 : c.palette);
  EXPECT_EQ(s.CurrentBackColour, c.palette == 0 ? 18 : c.palette);
  EXPECT_EQ(s.LastForeColourChoice, c.lastChoice);
  EXPECT_EQ(s.LastBackColourChoice, c.lastChoice);
}

const HostColourCase kHostColourCases[] = {
    {"0", 18, " 48"}, {"5", 16, " 53"}, {"13", 19, " 49"}, {"15", 14, " 49"},
    {"16", 0, " 49"}, {"x", 0, " 120"}, {"05", 0, " 48"},  {"", 0, " 0"},
};
INSTANTIATE_TEST_SUITE_P(Colours, HostColours, ::testing::ValuesIn(kHostColourCases));

struct WyseColourCase {
  int16_t code;
  int16_t fore, back;  // back -1: the session background
};

class WyseAttributeColours : public ScreenTest, public ::testing::WithParamInterface<WyseColourCase> {};

TEST_P(WyseAttributeColours, SetCurrentAndStoredColours) {
  const auto& c = GetParam();
  s.BackgroundColour = 5;
  s.NormalForeColour = 17;
  s.NormalBackColour = 18;
  s.ColourAttributeInput = c.code;
  s.SetColoursForAttribute();
  const int16_t back = c.back < 0 ? 5 : c.back;
  EXPECT_EQ(s.CurrentForeColour, c.fore);
  EXPECT_EQ(s.CurrentBackColour, back);
  EXPECT_EQ(s.StoredForeColour, c.fore);
  EXPECT_EQ(s.StoredBackColour, back);
  EXPECT_EQ(s.StoredAttribute, c.code);
  EXPECT_EQ(s.CurrentAttributeCode, c.code);
  EXPECT_EQ(port.fore(), kScreenPalette[c.fore]);
  EXPECT_EQ(port.back(), kScreenPalette[back]);
}

const WyseColourCase kWyseColourCases[] = {
    {0, 17, 18}, {10, 4, -1}, {13, 17, -1}, {14, 18, 4}, {18, 18, -1}, {22, 17, 18}, {23, 18, 9}, {25, 18, 16},
};
INSTANTIATE_TEST_SUITE_P(Colours, WyseAttributeColours, ::testing::ValuesIn(kWyseColourCases));

TEST_F(ScreenTest, PlainAttributeCodesChangeNoColour) {
  s.CurrentForeColour = 3;
  s.CurrentBackColour = 7;
  s.ColourAttributeInput = 4;
  s.SetColoursForAttribute();
  EXPECT_EQ(s.CurrentForeColour, 3);
  EXPECT_EQ(s.CurrentBackColour, 7);
  EXPECT_EQ(s.CurrentAttributeCode, 4);
}

TEST_F(ScreenTest, DimmingUsesThePartnerColourInColourModeA) {
  opt.ColourModeA = 1;
  s.CurrentForeColour = 17;
  s.SetColoursForMode();
  EXPECT_EQ(s.CurrentForeColour, 14);
  EXPECT_EQ(s.DimForeColour, 14);
  s.SetColoursForMode();
  EXPECT_EQ(s.CurrentForeColour, 14) << "14 has no dim partner";
  opt.ColourModeA = 0;
  s.CurrentForeColour = 17;
  s.SetColoursForMode();
  EXPECT_EQ(s.CurrentForeColour, 17) << "nothing dims without colour mode A";
}

struct FlagColourCase {
  const char* name;
  int16_t reverse, dim, underline, bold;
  int16_t palette;
};

class DrawColours : public ScreenTest, public ::testing::WithParamInterface<FlagColourCase> {};

TEST_P(DrawColours, AttributeFlagsPickTheForegroundWithoutColourMode) {
  const auto& c = GetParam();
  s.CurrentForeColour = 17;
  opt.ReverseColour = 12;
  opt.Mode2Colour = 3;
  opt.UnderlineColour = 8;
  opt.BoldColour = 2;
  s.ReverseOn = c.reverse;
  s.DimOn = c.dim;
  s.UnderlineOn = c.underline;
  s.BoldOn = c.bold;
  s.SetDrawColoursForAttribute();
  EXPECT_EQ(port.fore(), kScreenPalette[c.palette]);
  EXPECT_EQ(port.textMode(), platform::TextMode::Copy);
}

const FlagColourCase kFlagColourCases[] = {
    {"Normal", 0, 0, 0, 0, 17},
    {"Dim", 0, 1, 0, 0, 3},
    {"Underline", 0, 0, 1, 0, 8},
    {"Bold", 0, 0, 0, 1, 2},
    {"Reverse", 1, 0, 0, 0, 12},
    {"ReverseWinsOverDim", 1, 1, 0, 0, 12},
    {"BoldUnderlineIsBold", 1, 0, 1, 1, 2},
};
INSTANTIATE_TEST_SUITE_P(Colours, DrawColours, ::testing::ValuesIn(kFlagColourCases),
                         [](const auto& c) { return std::string(c.param.name); });

struct StyleCase {
  int16_t code;
  int16_t face;
  platform::TextMode mode;
  int16_t palette;
};

class TextStyles : public ScreenTest, public ::testing::WithParamInterface<StyleCase> {};

TEST_P(TextStyles, FollowTheAttributeAtTheCursor) {
  const auto& c = GetParam();
  opt.ReverseColour = 12;
  opt.Mode2Colour = 3;
  opt.UnderlineColour = 8;
  opt.BoldColour = 2;
  s.ScreenAttrs(2, 3) = c.code;
  Cursor(2, 3);
  s.SetTextStyleForAttribute();
  EXPECT_EQ(port.textFace(), c.face);
  EXPECT_EQ(port.textMode(), c.mode);
  EXPECT_EQ(port.fore(), kScreenPalette[c.palette]);
}

using platform::TextMode;
const StyleCase kStyleCases[] = {
    {1, 0, TextMode::Inverse, 12},   {2, 0, TextMode::Copy, 3},     {3, 4, TextMode::Copy, 8},
    {4, 0x21, TextMode::Copy, 2},    {5, 4, TextMode::Inverse, 12}, {6, 0x25, TextMode::Copy, 2},
    {7, 0x21, TextMode::Inverse, 2},
};
INSTANTIATE_TEST_SUITE_P(Colours, TextStyles, ::testing::ValuesIn(kStyleCases));

TEST_F(ScreenTest, DimStyleEnlargesTheTextAndTheNextStyleRestoresIt) {
  opt.StatusOption17 = 1;
  s.ScreenAttrs(1, 1) = kAttrDim;
  Cursor(1, 1);
  s.SetTextStyleForAttribute();
  EXPECT_EQ(port.textSize(), 13);
  EXPECT_EQ(s.DimFontChanged, 1);
  s.ScreenAttrs(1, 1) = kAttrUnderline;
  s.SetTextStyleForAttribute();
  EXPECT_EQ(port.textSize(), 12);
  EXPECT_EQ(s.DimFontChanged, 0);
}

TEST_F(ScreenTest, TextRunAttributesSetFlagsOutsideWyseColourMode) {
  opt.BoldColour = 2;
  s.TextStyleMode = kAttrBold;
  s.SetTextRunAttributes();
  EXPECT_EQ(s.BoldOn, 1);
  EXPECT_EQ(s.CurrentAttributeCode, kAttrBold);
  EXPECT_EQ(port.textFace(), 0x21);
  s.StatusLineWriteOpen = 1;
  s.SetTextRunAttributes();
  EXPECT_EQ(port.textFace(), 0) << "bold is not used on the status line";
  s.WyseColourAttributes = 1;
  s.SetTextRunAttributes();
  EXPECT_EQ(s.BoldOn, 0);
}

TEST_F(ScreenTest, NormalStyleClearsFlagsExceptInPrism) {
  s.ReverseOn = s.BoldOn = 1;
  opt.EmuPrism = 1;
  s.SetNormalTextStyle();
  EXPECT_EQ(s.ReverseOn, 1);
  opt.EmuPrism = 0;
  opt.EmuTvi925 = 1;
  s.DisplayOn = 0;
  s.SetNormalTextStyle();
  EXPECT_EQ(s.ReverseOn + s.BoldOn, 0);
  EXPECT_EQ(s.DisplayOn, 1);
  EXPECT_EQ(s.PrismNormal, 1);
  EXPECT_EQ(port.textFace(), 0);
  EXPECT_EQ(port.textSize(), 12);
}

}  // namespace
}  // namespace korvane
