// Colors (13), Transparency (20), Video Attributes (39), Preferences (18),
// the mouse-click delimiter (29) and International (30) on the fake
// platform.

#include "DialogFixture.h"

namespace korvane::ui {
namespace {

class AppearanceDialogsTest : public DialogTest {
 protected:
  AppearanceDialogsTest() {
    Opt.ReverseColour = 12;
    Opt.Mode2Colour = 3;
    Opt.BoldColour = 2;
    Opt.UnderlineColour = 8;
    Opt.CurrentForeColour = 17;
    Opt.BackgroundColour = 18;
    Opt.WindowOpacity = 97;
  }
};

// ---- Colors -------------------------------------------------------------------------------

TEST_F(AppearanceDialogsTest, ColorsWindowShowsTheSixRolesAndHidesTheAttributeColoursUnderAnsiColours) {
  dialogs.OpenColours(Opt);
  EXPECT_EQ(Value(13, 100), 12);
  EXPECT_EQ(Value(13, 104), 17);
  EXPECT_EQ(Value(13, 105), 18);
  EXPECT_EQ(Value(13, 7), 0);
  Click(13, 7);  // ANSI colours on
  for (int id = 100; id <= 103; ++id) {
    EXPECT_EQ(Value(13, id), 0) << id;
    EXPECT_FALSE(C(13)->ControlActive(id)) << id;
  }
  Click(13, 7);  // and off again: the choices come back
  EXPECT_EQ(Value(13, 101), 3);
  EXPECT_TRUE(C(13)->ControlActive(101));
  windows.Close(13);
  Opt.ColourModeA = 1;
  dialogs.OpenColours(Opt);
  EXPECT_EQ(Value(13, 7), 1);
  EXPECT_EQ(Value(13, 102), 0);
}

TEST_F(AppearanceDialogsTest, ColourCombinationsAreCheckedAgainstTheBackgroundBeforeAnythingIsStored) {
  struct Case {
    bool ansi, sco;
    int popup, colour;
    const char* alert;  // null: accepted
  };
  const Case cases[] = {
      {false, false, 102, 18, "Wrong Color Combination! The background color cannot be the same as any other color."},
      {false, false, 104, 18, "Wrong Color Combination! The background color cannot be the same as any other color."},
      {true, false, 102, 18, nullptr},
      {true, false, 104, 18, "Wrong Color Combination! The background color cannot be the same as the text color."},
      {false, true, 104, 9,
       "SCO ANSI is enabled (under the Emulate Menu). You cannot disable Ansi Colors when SCO ANSI is enabled."},
      {false, false, 104, 9, nullptr},
  };
  for (const Case& c : cases) {
    alerts.shown.clear();
    host.calls.clear();
    Opt.ColourModeA = 0;
    Opt.ScoAnsiMode = c.sco;
    Opt.CurrentForeColour = 17;
    Opt.BoldColour = 2;
    const SessionOptions before = Opt;
    dialogs.OpenColours(Opt);
    if (c.ansi) Click(13, 7);
    Choose(13, c.popup, c.colour);
    Click(13, 8);
    if (c.alert) {
      EXPECT_EQ(LastAlert(), c.alert);
      EXPECT_EQ(Opt, before);
      EXPECT_TRUE(IsOpen(13));
      EXPECT_FALSE(host.Called("ClearColourPlanes"));
      windows.Close(13);
    } else {
      EXPECT_TRUE(alerts.shown.empty()) << LastAlert();
      EXPECT_FALSE(IsOpen(13));
      EXPECT_EQ(c.popup == 102 ? Opt.BoldColour : Opt.CurrentForeColour, c.colour);
      EXPECT_EQ(Opt.ColourModeA, c.ansi ? 1 : 0);
      EXPECT_EQ(host.Called("ClearColourPlanes"), c.ansi);
      EXPECT_TRUE(host.Called("ApplyColoursAndRepaint"));
    }
  }
}

TEST_F(AppearanceDialogsTest, AColourPresetFillsEveryRoleAndTheOpacityStoredOnConfirmation) {
  dialogs.OpenColours(Opt);
  Click(13, 13);  // white on blue
  EXPECT_EQ(Value(13, 104), 17);
  EXPECT_EQ(Value(13, 105), 9);
  EXPECT_EQ(Opt.CurrentForeColour, 17);
  EXPECT_EQ(Opt.BackgroundColour, 18);  // nothing stored yet
  Click(13, 8);
  EXPECT_EQ(Opt.ReverseColour, 10);
  EXPECT_EQ(Opt.Mode2Colour, 12);
  EXPECT_EQ(Opt.BoldColour, 2);
  EXPECT_EQ(Opt.UnderlineColour, 12);
  EXPECT_EQ(Opt.CurrentForeColour, 17);
  EXPECT_EQ(Opt.BackgroundColour, 9);
  EXPECT_EQ(Opt.WindowOpacity, 89);
  EXPECT_TRUE(host.Called("SetWindowOpacity 89"));
}

TEST_F(AppearanceDialogsTest, WyseHostColoursExcludeAnsiColours) {
  Opt.ColourModeA = 1;
  dialogs.OpenColours(Opt);
  Click(13, 16);
  EXPECT_EQ(Value(13, 7), 0);
  Click(13, 8);
  EXPECT_EQ(Opt.ColourModeA, 0);
  EXPECT_EQ(Opt.ColourModeB, 1);
}

// ---- Transparency --------------------------------------------------------------------------

TEST_F(AppearanceDialogsTest, TransparencySliderActsAtOnceAndCancelPutsTheOpacityBack) {
  dialogs.OpenTransparency(Opt);
  EXPECT_EQ(Value(20, 500), -97);
  EXPECT_EQ(Field(20, 3), "3");
  C(20)->SetControlValue(500, -60);
  dialogs.DoDialog(20, 500, Opt);
  EXPECT_EQ(Opt.WindowOpacity, 60);
  EXPECT_EQ(Field(20, 3), "40");
  EXPECT_TRUE(host.Called("SetWindowOpacity 60"));
  Click(20, 2);
  EXPECT_EQ(Opt.WindowOpacity, 97);
  EXPECT_EQ(host.calls.back(), "SetWindowOpacity 97");
  dialogs.OpenTransparency(Opt);
  C(20)->SetControlValue(500, -10);  // the slider stops at 20 per cent
  dialogs.DoDialog(20, 500, Opt);
  Click(20, 1);
  EXPECT_EQ(Opt.WindowOpacity, 20);
}

// ---- Video Attributes ----------------------------------------------------------------------

TEST_F(AppearanceDialogsTest, VideoAttributesConfirmedUntouchedLeaveEveryOptionAsItWas) {
  Opt.ProtectShownAs = 1;
  Opt.StatusOption17 = 1;
  Opt.BlockCursor = 1;
  Opt.ClearAddressesOption = 2;
  Opt.HiddenAttributes = 1;
  Opt.ReverseUnderlineOff = 1;
  const SessionOptions before = Opt;
  dialogs.DialogE(Opt);
  EXPECT_TRUE(host.Called("EraseTextCursor"));
  EXPECT_EQ(Value(39, 6), 1);
  EXPECT_EQ(Value(39, 11), 1);
  EXPECT_EQ(Value(39, 12), 0);  // only exactly 1 shows
  Click(39, 1);
  EXPECT_EQ(Opt, before);
}

TEST_F(AppearanceDialogsTest, VideoAttributesCancelAfterDefaultsRestoresTheImmediateValuesOnly) {
  Opt.ProtectShownAs = 1;
  Opt.StatusOption17 = 1;
  Opt.BlockCursor = 1;
  Opt.EmuWyse50 = Opt.EmuViewpoint = 1;
  const SessionOptions before = Opt;
  dialogs.DialogE(Opt);
  Click(39, 13);
  EXPECT_EQ(Opt.ProtectShownAs, 2);  // at once
  EXPECT_EQ(Opt.StatusOption17, 0);
  EXPECT_EQ(Opt.BlockCursor, 0);
  EXPECT_EQ(Value(39, 14), 1);  // hidden attributes proposed for a Wyse session
  EXPECT_EQ(Value(39, 17), 1);
  EXPECT_EQ(Opt.HiddenAttributes, 0);  // not yet
  Click(39, 2);
  EXPECT_EQ(Opt, before);
}

TEST_F(AppearanceDialogsTest, VideoAttributeTogglesFollowTheirRules) {
  struct Case {
    int control;
    int16_t SessionOptions::*member;
    int16_t start, after;
  };
  const Case cases[] = {
      {12, &SessionOptions::ClearAddressesOption, 2, 0},   {12, &SessionOptions::ClearAddressesOption, 0, 1},
      {14, &SessionOptions::HiddenAttributes, 1, 0},       {14, &SessionOptions::HiddenAttributes, 3, 1},
      {15, &SessionOptions::SkipReverseBlankOption, 0, 1}, {16, &SessionOptions::Option106, 1, 0},
  };
  for (const Case& c : cases) {
    Opt.*c.member = c.start;
    dialogs.DialogE(Opt);
    Click(39, c.control);
    EXPECT_EQ(Value(39, c.control), c.after != 0) << c.control;
    Click(39, 1);
    EXPECT_EQ(Opt.*c.member, c.after) << c.control << " from " << c.start;
  }
  // The radio groups take effect at once and keep one button on.
  dialogs.DialogE(Opt);
  Click(39, 7);
  EXPECT_EQ(Opt.ProtectShownAs, 0);
  Click(39, 7);  // a second click leaves it chosen
  EXPECT_EQ(Value(39, 7), 1);
  EXPECT_EQ(Value(39, 5) + Value(39, 6), 0);
  Click(39, 4);
  EXPECT_EQ(Opt.StatusOption17, 1);
}

// ---- Preferences and the mouse-click delimiter ------------------------------------------

TEST_F(AppearanceDialogsTest, PreferencesShowTheSettingsAndStoreTheBoxesOnConfirmation) {
  Opt.RememberWnd = 1;
  Opt.Option144 = 1;
  Opt.ConfirmClose = 1;
  Opt.KermitRefuseTelopts = 1;
  dialogs.OpenPreferences(Opt);
  EXPECT_EQ(Value(18, 1), 1);
  EXPECT_EQ(Value(18, 2), 1);  // shown by either setting
  EXPECT_EQ(Value(18, 7), 1);
  EXPECT_EQ(Value(18, 18), 1);
  Click(18, 1);
  Click(18, 9);
  Click(18, 16);
  Click(18, 10);
  EXPECT_FALSE(IsOpen(18));
  EXPECT_EQ(Opt.RememberWnd, 0);
  EXPECT_EQ(Opt.PrintOption72, 1);
  EXPECT_EQ(Opt.EditKeysOn, 1);
  EXPECT_EQ(Opt.ForceKeypadApplication, 1);
  EXPECT_TRUE(host.Called("BuildControlStrings"));
  EXPECT_TRUE(host.Called("SetMenuCommandKeys"));
  dialogs.OpenPreferences(Opt);
  Click(18, 9);
  Click(18, 10);
  EXPECT_EQ(Opt.EditKeysOn, 0);
  EXPECT_TRUE(host.Called("ClearHostStrings"));
}

TEST_F(AppearanceDialogsTest, TheThreeKindsOfMouseReportExcludeOneAnother) {
  dialogs.OpenPreferences(Opt);
  Click(18, 4);
  Click(18, 14);
  EXPECT_EQ(Value(18, 4), 0);
  EXPECT_EQ(Value(18, 14), 1);
  Click(18, 13);
  EXPECT_EQ(Value(18, 14), 0);
  Opt.ProtectShownAs = 0;
  Click(18, 10);
  EXPECT_EQ(Opt.Option63, 1);
  EXPECT_EQ(Opt.Option68, 0);
  EXPECT_EQ(Opt.MouseReports, 0);
  EXPECT_EQ(Opt.ProtectShownAs, 2);
  dialogs.OpenPreferences(Opt);
  Click(18, 14);
  Click(18, 10);
  EXPECT_EQ(Opt.MouseReports, 1);
  EXPECT_EQ(Opt.Option63, 0);
}

TEST_F(AppearanceDialogsTest, TheTwentyFourLineLimitIsRefusedUnderScoAnsi) {
  Opt.ScoAnsiMode = 1;
  Opt.ScreenRowsSetting = 1;
  dialogs.OpenPreferences(Opt);
  Click(18, 6);  // off
  Click(18, 6);  // on again
  EXPECT_EQ(LastAlert(),
            "SCO ANSI is enabled (under the Emulate Menu). You cannot limit the screen page depth to 24 lines.");
  EXPECT_EQ(Value(18, 6), 0);
  EXPECT_EQ(Opt.ScreenRowsSetting, 0);
}

TEST_F(AppearanceDialogsTest, TurningTheWyse370SetUpOnMakesAGreenOnBlackWyse370Session) {
  Opt.EmuVt100 = Opt.EmuVt220 = 1;
  Opt.HiddenAttributes = 1;
  menus.MarkItem(platform::kEmulateMenu, 12, true);
  dialogs.OpenPreferences(Opt);
  Click(18, 8);
  Click(18, 10);
  EXPECT_EQ(Opt.AltEditKeys, 1);
  EXPECT_EQ(Opt.CurrentForeColour, 3);
  EXPECT_EQ(Opt.BackgroundColour, 18);
  EXPECT_EQ(Opt.EmuWyse370 + Opt.EmuWyse60 + Opt.EmuWyse50 + Opt.EmuViewpoint, 4);
  EXPECT_EQ(Opt.EmuVt100, 0);
  EXPECT_EQ(Opt.HiddenAttributes, 0);
  EXPECT_FALSE(menus.ItemMarked(platform::kEmulateMenu, 12));
  EXPECT_TRUE(host.Called("ApplyEmulationChoice 8"));
  EXPECT_TRUE(host.Called("RequestRepaint"));
  // Confirmed again with the box still on, the session keeps its colours.
  Opt.CurrentForeColour = 5;
  dialogs.OpenPreferences(Opt);
  Click(18, 10);
  EXPECT_EQ(Opt.CurrentForeColour, 5);
  dialogs.OpenPreferences(Opt);
  Click(18, 8);
  Click(18, 10);
  EXPECT_EQ(Opt.AltEditKeys, 0);
}

TEST_F(AppearanceDialogsTest, TheMouseClickDelimiterKeepsItsFirstCharacterAndReturnsToPreferences) {
  Opt.DialogValue66 = ".";
  dialogs.OpenPreferences(Opt);
  Click(18, 3);
  ASSERT_TRUE(IsOpen(29));
  EXPECT_EQ(Field(29, 4), ".");
  Type(29, 4, ";:-");
  Click(29, 1);
  EXPECT_EQ(Opt.DialogValue66, ";");
  EXPECT_FALSE(IsOpen(29));
  EXPECT_EQ(windows.FrontWindow(), 18);
  Click(18, 3);
  Click(29, 3);
  EXPECT_EQ(Field(29, 4), ".");
  Click(29, 2);
  EXPECT_EQ(Opt.DialogValue66, ";");
  Click(18, 3);
  Type(29, 4, "");
  Click(29, 1);
  EXPECT_EQ(Opt.DialogValue66, ".");
}

// ---- International ---------------------------------------------------------------------------

TEST_F(AppearanceDialogsTest, InternationalKeepsOneCharacterSetAndShowsNoSetAsSet14) {
  dialogs.OpenInternational(Opt);
  EXPECT_EQ(Value(30, 14), 1);
  Click(30, 8);
  EXPECT_EQ(Value(30, 14), 0);
  Click(30, 18);
  EXPECT_EQ(Value(30, 8), 0);
  Click(30, 1);
  EXPECT_EQ(Opt.HostCharacterSet, 18);
  EXPECT_TRUE(host.Called("PrinterFontFollows"));
}

TEST_F(AppearanceDialogsTest, DecMultinationalTurnsTheEighthBitStrippingOffWithANote) {
  Opt.NationalCharsOff = 0;
  Opt.AltGraphicsSet = 1;
  Opt.ProgramFontOption = 1;
  menus.MarkItem(platform::kPortSettingsMenu, 14, true);
  dialogs.OpenInternational(Opt);
  EXPECT_EQ(Value(30, 21), 1);
  Click(30, 23);
  EXPECT_EQ(Value(30, 22), 0);  // the two exclude each other
  Click(30, 1);
  EXPECT_EQ(alerts.shown.at(0).text,
            "NOTE:  DEC Multinational requires 8-bit mode.\r  'Strip 8th bit' is now un-checked.");
  EXPECT_EQ(Opt.NationalCharsOff, 1);
  EXPECT_FALSE(menus.ItemMarked(platform::kPortSettingsMenu, 14));
  EXPECT_EQ(Opt.DecMultinational, 1);
  EXPECT_EQ(Opt.AltGraphicsSet, 0);
  // The PC line-drawing set clears DEC Multinational.
  dialogs.OpenInternational(Opt);
  Click(30, 20);
  Click(30, 1);
  EXPECT_EQ(Opt.DecMultinational, 0);
  EXPECT_EQ(Opt.ProgramFontOption, 2);
}

}  // namespace
}  // namespace korvane::ui
