// The option windows (capture application, delays, break signal,
// scroll-back, printer, arrow keys), the QuickDial windows, the host's
// transfer and capture-file requests, the About box, the emulation notice
// and the session window's own controls, on the fake platform.

#include <unistd.h>

#include <filesystem>

#include "DialogFixture.h"

namespace korvane::ui {
namespace {

class OptionDialogsTest : public DialogTest {};

// ---- Capture application (32) ---------------------------------------------------------------

TEST_F(OptionDialogsTest, CaptureApplicationShowsTheLastMatchingApplicationAndMakesBrowsersHtml) {
  Opt.CaptureCreator = "ttxt";
  dialogs.OpenCaptureApplication(Opt);
  EXPECT_EQ(Value(32, 14), 1);
  EXPECT_EQ(Value(32, 11), 0);
  EXPECT_EQ(Field(32, 23), "ttxt");
  Click(32, 12);
  EXPECT_EQ(Value(32, 14), 0);
  EXPECT_EQ(Field(32, 23), "sfri");
  EXPECT_EQ(Opt.CaptureCreator, "ttxt");  // not before confirmation
  Click(32, 1);
  EXPECT_EQ(Opt.CaptureCreator, "sfri");
  EXPECT_TRUE(host.Called("SetHtmlCapture on"));

  dialogs.OpenCaptureApplication(Opt);
  Click(32, 24);
  EXPECT_EQ(LastAlert().rfind("NOTE: Double-Clicking on a Pagemaker", 0), 0u);
  Click(32, 2);
  EXPECT_EQ(Opt.CaptureCreator, "sfri");
}

TEST_F(OptionDialogsTest, ACodeTypedForTheCaptureApplicationIsCutToFourCharacters) {
  Opt.CaptureCreator = "Kvne";
  dialogs.OpenCaptureApplication(Opt);
  EXPECT_EQ(Field(32, 23), "ttxt");  // the program's own code stands for plain text
  Type(32, 17, "MSWDX");
  EXPECT_EQ(Field(32, 23), "MSWD");
  EXPECT_EQ(Value(32, 9), 1);
  Click(32, 25);  // no creator codes on Linux: the field is the way
  EXPECT_EQ(C(32)->FocusedControlNumber(), 17);
  Click(32, 1);
  EXPECT_EQ(Opt.CaptureCreator, "MSWD");
  EXPECT_TRUE(host.Called("SetHtmlCapture off"));
}

// ---- Send delays (34) and paste delay (35) ------------------------------------------------

TEST_F(OptionDialogsTest, SendDelaysEnableTheLineByLineGroupWithTheEchoPacedSend) {
  Opt.LineDelay = 6;
  Opt.ReturnKeyCode = 0;
  Opt.SendLineAddsLf = 1;
  dialogs.SettingsDialogB(Opt);
  EXPECT_EQ(Field(34, 4), "6");
  EXPECT_EQ(Field(34, 10), "{CR");
  EXPECT_EQ(Value(34, 21), 1);
  EXPECT_FALSE(C(34)->ControlActive(20));
  Click(34, 7);
  for (int id : {20, 21, 13, 11, 22}) EXPECT_TRUE(C(34)->ControlActive(id)) << id;
  Click(34, 20);
  Click(34, 8);
  Type(34, 10, "{LF");
  Click(34, 1);
  EXPECT_EQ(Opt.EchoPacedSend, 1);
  EXPECT_EQ(Opt.SendLineAddsLf, 0);
  EXPECT_EQ(Opt.TabAsRecordSeparator, 1);
  EXPECT_EQ(Opt.ReturnKeyCode, 10);
  EXPECT_TRUE(host.Called("RequestRepaint"));
}

TEST_F(OptionDialogsTest, SendDelayDefaultsAndLineEndCharacters) {
  struct Case {
    const char* typed;
    int16_t code;
  };
  const Case cases[] = {{"", 13}, {"{CR", 13}, {"{CTD", 4}, {";", ';'}, {"{ES", 27}};
  for (const Case& c : cases) {
    dialogs.SettingsDialogB(Opt);
    Click(34, 12);
    EXPECT_EQ(Field(34, 4), "0");
    EXPECT_EQ(Value(34, 20), 1);
    Type(34, 10, c.typed);
    Click(34, 1);
    EXPECT_EQ(Opt.ReturnKeyCode, c.code) << c.typed;
    EXPECT_EQ(Opt.EchoPacedSend, 1);
  }
  dialogs.SettingsDialogB(Opt);
  Type(34, 4, "ten");
  Click(34, 1);
  EXPECT_TRUE(IsOpen(34));
  EXPECT_EQ(Opt.LineDelay, 0);
}

TEST_F(OptionDialogsTest, PasteDelayDefaultsFillTheFieldsAndOnlyConfirmationStoresThem) {
  Opt.ClipboardLineDelay = 30;
  Opt.ClipboardCharDelay = 50;
  dialogs.SettingsDialogA(Opt);
  Click(35, 9);
  EXPECT_EQ(Field(35, 4), "1");
  EXPECT_EQ(Field(35, 7), "4");
  Click(35, 2);
  EXPECT_EQ(Opt.ClipboardLineDelay, 30);
  dialogs.SettingsDialogA(Opt);
  Click(35, 9);
  Click(35, 1);
  EXPECT_EQ(Opt.ClipboardLineDelay, 1);
  EXPECT_EQ(Opt.ClipboardCharDelay, 4);
  struct Case {
    const char* line;
    const char* character;
    bool accepted;
  };
  const Case cases[] = {{" 12 ", "0", true}, {"-1", "4", false}, {"2", "99999", false}, {"1.5", "4", false}};
  for (const Case& c : cases) {
    Opt.ClipboardLineDelay = 7;
    dialogs.SettingsDialogA(Opt);
    Type(35, 4, c.line);
    Type(35, 7, c.character);
    Click(35, 1);
    EXPECT_EQ(IsOpen(35), !c.accepted) << c.line << " " << c.character;
    EXPECT_EQ(Opt.ClipboardLineDelay, c.accepted ? 12 : 7);
    if (IsOpen(35)) windows.Close(35);
  }
}

// ---- Break signal (36) -----------------------------------------------------------------------

TEST_F(OptionDialogsTest, BreakSignalShowsItsKindFromTheSettings) {
  struct Case {
    const char* text;
    int16_t alt, altC, abort;
    int radio;  // 0: none, the text is in the field
  };
  const Case cases[] = {{"", 0, 0, 0, 4}, {"", 1, 0, 0, 9}, {"", 0, 1, 0, 11}, {"", 0, 0, 1, 12}, {"+++", 0, 0, 0, 0}};
  for (const Case& c : cases) {
    Opt.BreakString = c.text;
    Opt.AltBreak = c.alt;
    Opt.AltBreakC = c.altC;
    Opt.SendAbortOption = c.abort;
    dialogs.SettingsDialogC(Opt);
    for (int id : {4, 9, 11, 12}) EXPECT_EQ(Value(36, id), id == c.radio) << "radio " << id << " for " << c.radio;
    EXPECT_EQ(Field(36, 6), c.text);
    windows.Close(36);
  }
}

TEST_F(OptionDialogsTest, BreakSignalStoresOneKindOrItsOwnText) {
  dialogs.SettingsDialogC(Opt);
  Click(36, 11);
  Click(36, 1);
  EXPECT_EQ(Opt.AltBreakC, 1);
  EXPECT_EQ(Opt.AltBreak, 0);
  dialogs.SettingsDialogC(Opt);
  Type(36, 6, "{ES{CTC");
  EXPECT_EQ(Value(36, 11), 0);  // a text of its own replaces the kinds
  Click(36, 1);
  EXPECT_EQ(Opt.BreakString, "{ES{CTC");
  EXPECT_EQ(Opt.AltBreakC, 0);
  dialogs.SettingsDialogC(Opt);
  Click(36, 12);
  EXPECT_EQ(Field(36, 6), "");
  Click(36, 1);
  EXPECT_EQ(Opt.SendAbortOption, 1);
  EXPECT_EQ(Opt.BreakString, "");
  host.prefsLocked = true;
  dialogs.SettingsDialogC(Opt);
  EXPECT_FALSE(IsOpen(36));
}

// ---- Scroll-back options (37) ---------------------------------------------------------------

TEST_F(OptionDialogsTest, TurningTheScrollBackOffOrOnClearsItOnlyWhenTheChoiceChanged) {
  struct Case {
    int16_t before;
    int radio;
    std::vector<std::string> calls;
  };
  const Case cases[] = {
      {1, 4, {"ResetScrollbackView", "ClearScrollback"}},
      {0, 3, {"ClearScrollback"}},
      {1, 3, {}},
  };
  for (const Case& c : cases) {
    host.calls.clear();
    Opt.ScrollBackOn = c.before;
    dialogs.SettingsDialogD(Opt);
    Click(37, c.radio);
    Click(37, 5);
    Click(37, 1);
    std::vector<std::string> effects;
    for (const auto& call : host.calls)
      if (call == "ResetScrollbackView" || call == "ClearScrollback") effects.push_back(call);
    EXPECT_EQ(effects, c.calls);
    EXPECT_EQ(Opt.ScrollBackOn, c.radio == 3 ? 1 : 0);
    EXPECT_EQ(Opt.UsePageUpDown, 1);
    Opt.UsePageUpDown = 0;
  }
}

// ---- Printer options (38) --------------------------------------------------------------------

TEST_F(OptionDialogsTest, PrinterOptionsShowAndStoreTheSettings) {
  Opt.PrintPageHeader = "PAGE";
  Opt.PrinterFontSize = 10;
  Opt.PrinterFontName = "Courier";
  Opt.PrinterOption101 = 0;
  dialogs.PrinterFontDialog(Opt);
  EXPECT_EQ(Value(38, 12), 1);
  EXPECT_EQ(Value(38, 17), 1);
  EXPECT_EQ(Value(38, 23), 1);
  Click(38, 27);
  Click(38, 24);
  Click(38, 21);
  Click(38, 20);
  Type(38, 6, "Report");
  Click(38, 1);
  EXPECT_EQ(Opt.PrinterFontSize, 14);
  EXPECT_EQ(Opt.PrinterFontName, "KorvanePrinterFont");
  EXPECT_EQ(Opt.PrinterOption101, 1);
  EXPECT_EQ(Opt.PclPassThrough, 1);
  EXPECT_EQ(Opt.PrintPageHeader, "Report");
  Opt.ProgramFontOption = 2;
  dialogs.PrinterFontDialog(Opt);
  Click(38, 16);
  Click(38, 8);  // defaults
  EXPECT_EQ(Field(38, 6), "PAGE");
  EXPECT_EQ(Value(38, 13), 1);
  Click(38, 1);
  EXPECT_EQ(Opt.PrinterFontSize, 12);
  EXPECT_EQ(Opt.PrinterFontName, "KorvaneIBMPrinterFont");
}

// ---- Arrow keys (44) ----------------------------------------------------------------------

TEST_F(OptionDialogsTest, ArrowKeyDefaultsComeFromTheEmulationTheLastThatHoldsWinning) {
  struct Case {
    int16_t prism, vt100, viewpoint, wyse50, tvi, alt;
    bool app;
    const char* left;
    const char* up;
    const char* right;
    const char* down;
  };
  const Case cases[] = {
      {1, 0, 0, 0, 0, 0, false, "{CTU", "{CTZ", "{CTL", "{CTJ"},
      {0, 1, 0, 0, 0, 0, false, "{ES[D", "{ES[A", "{ES[C", "{ES[B"},
      {0, 1, 0, 0, 0, 0, true, "{ESOD", "{ESOA", "{ESOC", "{ESOB"},
      {0, 0, 1, 0, 0, 0, false, "{CTU", "{CTZ", "{CTF", "{CTJ"},
      {0, 0, 1, 1, 0, 0, false, "{CTH", "{CTK", "{CTL", "{CTJ"},
      {0, 0, 1, 1, 1, 0, false, "{CTH", "{CTK", "{CTL", "{CTV"},
      {0, 1, 0, 0, 0, 1, false, "{CTH", "{CTK", "{CTL", "{CTV"},
  };
  for (const Case& c : cases) {
    Opt = {};
    Opt.EmuPrism = c.prism;
    Opt.EmuVt100 = c.vt100;
    Opt.EmuViewpoint = c.viewpoint;
    Opt.EmuWyse50 = c.wyse50;
    Opt.EmuTvi925 = c.tvi;
    Opt.AltEditKeys = c.alt;
    host.cursorKeyApplication = c.app;
    dialogs.OpenArrowKeys(Opt);
    Click(44, 3);
    Click(44, 1);
    EXPECT_EQ(Opt.LeftArrowString, c.left);
    EXPECT_EQ(Opt.UpArrowString, c.up);
    EXPECT_EQ(Opt.RightArrowString, c.right);
    EXPECT_EQ(Opt.DownArrowString, c.down);
  }
}

TEST_F(OptionDialogsTest, ArrowKeyTokensGoIntoTheFocusedFieldAtItsSelection) {
  Opt.EmuWyse50 = 1;
  Opt.UpArrowString = "up\r";
  dialogs.OpenArrowKeys(Opt);
  EXPECT_EQ(Field(44, 5), "up{CR");
  EXPECT_EQ(Field(44, 7), "{CTJ");  // an empty Wyse string is shown as the Wyse key
  EXPECT_EQ(Opt.DownArrowString, "");
  C(44)->SetKeyboardFocus(6);
  Type(44, 6, "abc");
  C(44)->SetTextSelection(6, {1, 2});
  Click(44, 8);
  EXPECT_EQ(Field(44, 6), "a{ESc");
  Click(44, 10);
  EXPECT_EQ(Field(44, 6), "a{ES{CRc");
  C(44)->SetKeyboardFocus(0);
  Click(44, 9);  // no field has the focus
  EXPECT_TRUE(host.Called("Beep"));
  Click(44, 1);
  EXPECT_EQ(Opt.RightArrowString, "a{ES{CRc");
  EXPECT_EQ(Opt.DownArrowString, "{CTJ");
}

TEST_F(OptionDialogsTest, AnArrowKeyStringLongerThanAKeyStringIsRefused) {
  dialogs.OpenArrowKeys(Opt);
  Type(44, 4, std::string(256, 'x'));
  Click(44, 1);
  EXPECT_TRUE(IsOpen(44));
  EXPECT_EQ(Opt.LeftArrowString, "");
}

// ---- QuickDial (26, 33) ---------------------------------------------------------------------

TEST_F(OptionDialogsTest, TheQuickDialNumberIsWrittenAsOneLineOfTheQuickdialFile) {
  files.files["/prefs/Quickdial"] = "555-0000\n";
  dialogs.OpenQuickDial();
  EXPECT_EQ(Field(26, 3), "555-0000");
  Type(26, 3, "1-800-555-0199");
  Click(26, 1);
  EXPECT_EQ(files.files["/prefs/Quickdial"], "1-800-555-0199\n");
  EXPECT_TRUE(host.Called("ClearDialNumber"));
  EXPECT_FALSE(IsOpen(26));
}

TEST_F(OptionDialogsTest, AQuickdialFileThatCannotBeWrittenIsReportedAndTheWindowStays) {
  files.failWrites.insert("/prefs/Quickdial");
  dialogs.OpenQuickDial();
  Type(26, 3, "555");
  Click(26, 1);
  EXPECT_EQ(LastAlert().rfind("QuickDial file not found in Korvane Prefs folder", 0), 0u);
  EXPECT_TRUE(IsOpen(26));
  EXPECT_FALSE(host.Called("ClearDialNumber"));
}

TEST_F(OptionDialogsTest, AServicesNumberIsWrittenToItsFile) {
  dialogs.OpenPhoneNumber("/data/Office.qdial", "");
  Type(33, 3, "555 1234");
  Click(33, 1);
  EXPECT_EQ(files.files["/data/Office.qdial"], "555 1234\n");
  files.failWrites.insert("/data/Home.qdial");
  dialogs.OpenPhoneNumber("/data/Home.qdial", "1");
  Click(33, 1);
  EXPECT_TRUE(IsOpen(33));
}

// ---- The host's transfer request (41) ----------------------------------------------------

TEST_F(OptionDialogsTest, HostTransferNeedsTheFieldCountWhenConversionIsOn) {
  HostTransferChoice choice;
  choice.fileName = "report";
  dialogs.OpenHostTransfer(choice);
  Click(41, 12);
  Click(41, 1);
  EXPECT_EQ(LastAlert(), "Specify fields!   Must specify number of fields per record when conversion is ON");
  EXPECT_TRUE(IsOpen(41));
  EXPECT_FALSE(host.Called("RequestHostTransfer"));
  Type(41, 3, "report.7");  // the digits after the dot give the fields
  EXPECT_EQ(Field(41, 20), "7");
  Click(41, 10);
  Click(41, 17);
  Click(41, 1);
  ASSERT_TRUE(host.Called("RequestHostTransfer"));
  EXPECT_EQ(host.transfer.fieldsPerRecord, 7);
  EXPECT_EQ(host.transfer.recordValue, 5);
  EXPECT_TRUE(host.transfer.conversionOn);
  EXPECT_TRUE(host.transfer.noPrompt);
  EXPECT_EQ(host.transfer.fileName, "report.7");
  EXPECT_EQ(Opt.DownloadNoPrompt, 1);
}

TEST_F(OptionDialogsTest, ARecordValueTypedInReplacesTheFixedOnesAndRefusingClearsTheNoPromptOption) {
  dialogs.OpenHostTransfer({});
  Click(41, 11);
  Type(41, 9, "12");
  EXPECT_EQ(Value(41, 11), 0);
  Click(41, 1);
  EXPECT_EQ(host.transfer.recordValue, 12);
  Opt.DownloadNoPrompt = 1;
  dialogs.OpenHostTransfer({});
  Click(41, 22);
  EXPECT_EQ(Opt.DownloadNoPrompt, 0);
  EXPECT_TRUE(host.Called("CancelHostTransfer refused"));
  dialogs.OpenHostTransfer({});
  Click(41, 2);
  EXPECT_TRUE(host.Called("CancelHostTransfer"));
}

// ---- A capture file the host named (42) --------------------------------------------------

class HostNamedFileTest : public OptionDialogsTest {
 protected:
  HostNamedFileTest() {
    folder = std::filesystem::temp_directory_path() / ("korvane-captures-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    host.captureFolder = folder.string();
  }
  ~HostNamedFileTest() override { std::filesystem::remove_all(folder); }
  std::filesystem::path folder;
};

TEST_F(HostNamedFileTest, TheHostsNameIsCheckedBeforeAnythingIsOpenedAndKeptInTheCaptureFolder) {
  struct Case {
    const char* hostPath;
    bool started;
  };
  const Case cases[] = {
      {"notes.txt", true},
      {"UserDesktop\\notes.txt", true},
      {"../../.bashrc", false},
      {"BootVolume/etc/passwd", false},
  };
  for (const Case& c : cases) {
    host.calls.clear();
    dialogs.OpenHostNamedFile(c.hostPath);
    EXPECT_EQ(Field(42, 2), c.hostPath);
    Click(42, 1);
    EXPECT_FALSE(IsOpen(42));
    bool started = false;
    for (const auto& call : host.calls)
      started = started || call.rfind("StartHostNamedCapture " + folder.string(), 0) == 0;
    EXPECT_EQ(started, c.started) << c.hostPath;
    EXPECT_EQ(host.Called("AbortCapture"), !c.started) << c.hostPath;
  }
}

TEST_F(HostNamedFileTest, AnExistingFileIsReplacedOnlyWhenTheUserSaysSo) {
  std::filesystem::path existing = folder / "log.txt";
  std::FILE* f = std::fopen(existing.c_str(), "w");
  std::fputs("keep", f);
  std::fclose(f);
  files.files[existing.string()] = "keep";  // as the program's files see it
  alerts.answers.push_back(2);
  dialogs.OpenHostNamedFile("log.txt");
  Click(42, 1);
  EXPECT_FALSE(host.Called("StartHostNamedCapture " + existing.string()));
  EXPECT_NE(LastAlert().find(" already exists"), std::string::npos);
  dialogs.OpenHostNamedFile("log.txt");
  Click(42, 1);
  EXPECT_TRUE(host.Called("StartHostNamedCapture " + existing.string()));
  host.reservedPaths.insert(existing.string());
  host.calls.clear();
  dialogs.OpenHostNamedFile("log.txt");
  Click(42, 1);
  EXPECT_FALSE(host.Called("StartHostNamedCapture " + existing.string()));
}

TEST_F(HostNamedFileTest, CancelAnswersTheHostAndAbortStopsTheCapture) {
  dialogs.OpenHostNamedFile("x.txt");
  Click(42, 4);
  EXPECT_TRUE(host.Called("AnswerHost Canceled"));
  dialogs.OpenHostNamedFile("x.txt");
  Click(42, 5);
  EXPECT_TRUE(host.Called("AbortCapture"));
  host.captureOpens = false;
  dialogs.OpenHostNamedFile("x.txt");
  alerts.shown.clear();
  Click(42, 1);
  EXPECT_EQ(LastAlert(), "Incorrect path name supplied from Host");
}

// ---- About box (5), the emulation notice (43) and the session window ------------------

TEST_F(OptionDialogsTest, TheAboutBoxBeepsAtEveryControlAndClosesAtItsFirst) {
  dialogs.OpenAboutBox();
  EXPECT_EQ(Field(5, 3), "Version 1.0");
  dialogs.DoDialog(5, 2, Opt);
  EXPECT_TRUE(IsOpen(5));
  Click(5, 1);
  EXPECT_FALSE(IsOpen(5));
  EXPECT_EQ(host.Count("Beep"), 2);
  EXPECT_EQ(windows.FrontWindow(), 48);
}

TEST_F(OptionDialogsTest, TheEmulationNoticeShowsTheChoiceAndClosesAfterASecondAndAHalf) {
  Opt.HiddenAttributes = 0;
  dialogs.TellEmulation(Opt, "Wyse 60");
  EXPECT_EQ(Field(43, 10), "Wyse 60  selected\n(with Non-Hidden Attributes)");
  clock.AdvanceTicks(80);
  dialogs.IdlePass();
  EXPECT_TRUE(IsOpen(43));
  clock.AdvanceTicks(10);
  dialogs.IdlePass();
  EXPECT_FALSE(IsOpen(43));
  EXPECT_EQ(windows.FrontWindow(), 48);
}

TEST_F(OptionDialogsTest, TheEmulationNoticeSpeaksTheUsersLanguage) {
  strings.Add("  selected", "  choisie");
  strings.Add("(with ", "(avec ");
  strings.Add("Hidden", "attributs");
  strings.Add(" Attributes)", " cach\x8Es)");
  Opt.HiddenAttributes = 1;
  dialogs.TellEmulation(Opt, "VT220");
  EXPECT_EQ(Field(43, 10), "VT220  choisie\n(avec attributs cach\x8Es)");
}

TEST_F(OptionDialogsTest, TheSessionWindowsOwnControlsGoToTheFunctionKeyBar) {
  EXPECT_FALSE(dialogs.DoDialog(48, 1001, Opt));
  EXPECT_FALSE(dialogs.DoDialog(48, 8001, Opt));
  EXPECT_TRUE(dialogs.DoDialog(48, 7003, Opt));
  EXPECT_TRUE(host.Called("FunctionKeyBarClick 7003"));
  host.calls.clear();
  host.scrollbackShown = true;
  dialogs.DoDialog(49, 7004, Opt);
  EXPECT_EQ(host.calls, (std::vector<std::string>{"Beep", "ResetScrollbackView"}));
  host.calls.clear();
  host.clicksBlocked = true;
  EXPECT_TRUE(dialogs.DoDialog(48, 7005, Opt));
  EXPECT_TRUE(host.calls.empty());
}

}  // namespace
}  // namespace korvane::ui

namespace korvane::ui {
namespace {

class CloseBoxTest : public DialogTest {};

TEST_F(CloseBoxTest, TheCloseBoxIsTheWindowsCancel) {
  // What the window changed at once is put back.
  Opt.WindowOpacity = 90;
  dialogs.OpenTransparency(Opt);
  C(20)->SetControlValue(500, -50);
  dialogs.DoDialog(20, 500, Opt);
  EXPECT_TRUE(dialogs.CloseBox(20, Opt));
  EXPECT_FALSE(IsOpen(20));
  EXPECT_EQ(Opt.WindowOpacity, 90);
  // A host waiting for an answer gets one.
  dialogs.OpenHostNamedFile("x.txt");
  dialogs.CloseBox(42, Opt);
  EXPECT_TRUE(host.Called("AnswerHost Canceled"));
  dialogs.OpenHostTransfer({});
  dialogs.CloseBox(41, Opt);
  EXPECT_TRUE(host.Called("CancelHostTransfer"));
  // Nothing is stored.
  dialogs.OpenTelnetOptions(Opt);
  Type(15, 3, "elsewhere");
  dialogs.CloseBox(15, Opt);
  EXPECT_EQ(Opt.TelnetHost, "");
  EXPECT_FALSE(dialogs.CloseBox(43, Opt));
}

}  // namespace
}  // namespace korvane::ui
