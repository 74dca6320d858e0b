// Settings files written and read back: the Mac's own format, files of older
// versions that end early, damaged files, and round trips of whole records.

#include <algorithm>
#include <climits>

#include "SettingsFixture.h"
#include "platform/CharMap.h"

namespace korvane::testing_support {
namespace {

std::string Fixture(const std::string& name) {
  std::ifstream in(std::string(KORVANE_SETTINGS_TEST_DATA) + "/" + name, std::ios::binary);
  EXPECT_TRUE(in.good()) << name;
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The first `fkeyLines` function-key lines and `settingsLines` settings lines
// of a file with CR line ends.
std::string FirstLines(const std::string& bytes, int count) {
  std::size_t end = 0;
  for (int i = 0; i < count; ++i) end = bytes.find('\r', end) + 1;
  return bytes.substr(0, end);
}

// The settings part alone: what a "defaults" file holds.
std::string SettingsPartOf(const std::string& bytes) { return bytes.substr(FirstLines(bytes, kFkeyLineCount).size()); }

// ---- The format of the Mac program ----------------------------------------------

class MacSettingsFile : public SettingsTest {
 protected:
  void SetUp() override {
    // Values that the file must replace or, for the text size, leave alone.
    opt().BlockCursor = 1;
    opt().TextSizeValue = 16;
    opt().UseClip = 1;
    WriteFile(home.root + "/mac-settings", Fixture("mac-settings"));
    ASSERT_EQ(settings().ReadSettingsDocument(home.root + "/mac-settings"), 0);
  }
};

// What the Mac file holds, as the session has it after reading (the reserved
// lines' junk ignored), named member by member.
SessionOptions ExpectedMacRecord() {
  SessionOptions e;
  e.FkeyStrings[1] = "{ES[11~";
  e.FkeyStrings[2] = "ls -l{CR";
  e.FkeyStrings[3] = "caf\x8E{CR";  // Mac Roman kept as the program's codes
  e.FkeyStrings[16] = "{CTC";
  e.FkeyStrings[17] = "logout{CR";
  e.FkeyStrings[32] = "exit{CR";
  e.FkeyTitles[1] = "Help";
  e.FkeyTitles[2] = "\x80pfel";
  e.FkeyTitles[16] = "Quit";
  e.ShiftFkeyTitles[1] = "Shift 1";
  e.ShiftFkeyTitles[16] = "Shift 16";
  e.BaudRate = 19200;
  e.Parity = 2;    // 2: "E"
  e.DataBits = 0;  // 3: "7"
  e.EmuPrism = 0;
  e.XonXoffOn = 1;
  e.EmuVt100 = 0;
  e.EmuViewpoint = 1;
  e.FontSizeName = "large";
  e.CopyBufferMode = 2;
  e.PrismSevenBit = 10;
  e.AutoWrapOn = 0;
  e.FontSizeMode = 13;
  e.EmulationCode = 3;
  e.DialMode = "P";
  e.StatusOption17 = 17;
  e.LineDelay = 18;
  e.ClipboardLineDelay = 19;
  e.ClipboardCharDelay = 20;
  e.CapsMode = 21;
  e.EmuWyse50 = 1;  // 22: 2: Wyse 60
  e.FkeySetType = 23;
  e.NationalCharsOff = 24;
  e.PlainFaceSwitch = 25;
  e.ModemDtrOption = 26;
  e.ColumnOption27 = 0;
  e.ColumnOption28 = 1;
  e.ColumnOption29 = 0;
  e.ColumnOption30 = 0;
  e.ColumnOption31 = 0;
  e.BreakOption32 = 1;
  e.FkeyBarShown = 1;
  e.MouseOption = 0;
  e.HostFeatureOption = 0;
  e.StopBits = "2";
  e.PrinterOption37 = 37;
  e.PrintPageHeader = "";  // 38: "x$%&" stands for an empty page header
  e.EchoPacedSend = 0;     // 39: -3: never negative
  e.FontSize = 12;
  e.ClipboardOption41 = 41;
  e.AltBreak = 1;  // 42: "AltBreak"
  e.BreakString = "{BR250";
  e.HostCharacterSet = 44;
  e.ProtectShownAs = 45;
  e.ModemInitString = "ATZ";
  e.UseCameraSound = 0;  // 47: "NoSound"
  e.CaptureCreator = "R*ch";
  e.LineEnd = SessionOptions::kLineEndCr;  // 49: "CR"
  e.DialerOption50 = 0;                    // 50: never kept
  e.TabAsRecordSeparator = 1;
  e.BlockCursor = 0;  // 52: "Under", although the block cursor was on
  e.EmulateOption53 = 53;
  e.ProgramFontOption = 54;
  e.ConnectionPort = -2;
  e.UseClip = 0;         // 56: "UseClip": never kept
  e.RememberWnd = 1;     // 57: "RememberWnd"
  e.TextSizeValue = 16;  // 58: the text size is not taken from the file
  e.ClearAddressesOption = 59;
  e.ModemString61 = "ATDT";
  e.ModemInitChoice = 62;
  e.Option63 = 63;
  e.PrinterFontSize = 64;
  e.PrinterFontChoice = 65;
  e.DialogValue66 = ";";
  e.HiddenAttributes = 67;
  e.Option68 = 68;
  e.PrinterOption69 = 69;
  e.ScreenRowsSetting = 70;
  e.Option71 = 3;
  e.PrintOption72 = 72;
  e.UsePageUpDown = 0;   // 73: "DontUsePageUpDown"
  e.ScrollBackOn = 0;    // 74: "PreviousPageOff"
  e.WindowOption75 = 1;  // 75: never kept
  e.AutoConnect = 1;     // 76: 7: any non-zero value
  e.IgnoreHostPrint = 77;
  e.ReverseColour = 13;
  e.Mode2Colour = 4;
  e.BoldColour = 6;
  e.UnderlineColour = 9;
  e.CurrentForeColour = 14;
  e.BackgroundColour = 9;
  e.ColourModeA = 84;
  e.AltBreakC = 0;  // 85: empty
  e.ConnectionString86 = "login:";
  e.CloseHold = 87;
  e.ConnectionString88 = "user";
  e.ConnectionString89 = "ready>";
  e.SkipReverseBlankOption = 90;
  e.SelectionOption = 91;
  e.SavedWindowLeft = 100;
  e.SavedWindowTop = 60;
  e.CollectAddLf = 94;
  e.PrinterOption95 = 95;
  e.AltGraphicsSet = 97;
  e.Option99 = 99;
  e.SendAbortOption = 100;
  e.PrinterOption101 = 101;
  e.EmuTvi925 = 0;
  e.EmuWyse370 = 0;
  e.AltEditKeys = 0;
  e.StatusWindowShown = 105;
  e.Option106 = 106;
  e.Option107 = 107;
  e.Option108 = 108;
  e.EditKeysOn = 109;
  e.ConfirmClose = 10;
  e.SerialPortCount = 2;
  e.SerialPortList = "modem,usbserial,";
  e.UsesPty = 0;
  e.LocalShellSession = 0;
  e.TelnetSession = 0;
  e.SshSession = 0;
  e.TelnetHost = "host.example";
  e.TelnetPort = "2323";
  e.TelnetTerminalType = "wy60";
  e.ShellRunsLogin = 0;
  e.ShellRunsTcsh = 0;
  e.ShellRunsProgram = 1;
  e.ShellProgram = "/bin/zsh";
  e.SshHost = "pick.example";
  e.SshUser = "operator";
  e.SshTerminalType = "vt220";
  e.SshPort = "22";  // 127: empty: the standard port
  e.SshExtraOptions = "-C";
  e.EmuVt220 = 129;
  e.DecMultinational = 130;
  e.MouseReports = 31;
  e.Option132 = 32;
  e.DiscardLoginOutput133 = 33;
  e.DiscardLoginOutput134 = 34;
  e.WindowOpacity = 97;  // 135: 0: the standard opacity
  e.ExtendedAnsiMode = 136;
  e.ColourModeB = 137;
  e.FontOption138 = 38;
  e.FontOption139 = 39;
  e.AutoAnsiColours = 0;
  e.Option141 = 41;
  e.TelnetOptions = "-8";
  e.PrinterFontName = "Monaco";
  e.Option144 = 5;
  e.ForceKeypadApplication = 1;
  e.TelnetViaShell = 0;
  e.ScoAnsiMode = 147;
  e.KeepAlive = 148;
  e.ReturnKeyCode = 13;  // 150: 0: Return sends CR
  e.VtOption151 = 0;
  e.SavedWindowWidth = 700;
  e.SavedWindowHeight = 400;
  e.KermitMode = 0;
  e.NoEchoWait = 55;
  e.KeypadOption = 56;
  e.SendLineAddsLf = 157;
  e.DownloadNoPrompt = 158;
  e.PtyOption159 = 1;
  e.PtyOption160 = 1;
  e.PtyOption161 = 1;
  e.UpArrowString = "{CTK";
  e.DownArrowString = "{CTJ";
  e.LeftArrowString = "{CTH";
  e.RightArrowString = "{CTL";
  e.UpArrowString2 = "{ESOA";
  e.DownArrowString2 = "{ESOB";
  e.LeftArrowString2 = "{ESOD";
  e.RightArrowString2 = "{ESOC";
  e.KermitRefuseTelopts = 70;
  e.String171 = "\xA5 bullet";
  e.SerialRequiredOption = 2;
  e.LargeFontChoice = 1;
  e.KermitFlushOutput = 0;
  e.ReverseUnderlineOff = 75;
  e.PclPassThrough = 176;
  e.Option177 = 77;
  e.EmuWyse60 = 1;  // 22: 2
  return e;
}

TEST_F(MacSettingsFile, LoadsToTheExpectedRecord) {
  const SessionOptions expected = ExpectedMacRecord();
  EXPECT_TRUE(opt() == expected) << DifferentLines(opt(), expected);
  EXPECT_EQ(state().DialogValue66Code, ';');
}

TEST_F(MacSettingsFile, ADocumentsFunctionKeysBecomeTheDefaultKeys) {
  const auto lines = Lines(PathOf(kFkeyDefaultsFileName));
  ASSERT_EQ(lines.size(), std::size_t(kFkeyLineCount));
  EXPECT_EQ(lines[0], "{ES[11~");
  EXPECT_EQ(lines[2], "caf\x8E{CR");
  EXPECT_EQ(lines[33], "\x80pfel");
  // Written as UTF-8 with LF line ends.
  EXPECT_NE(ReadFile(PathOf(kFkeyDefaultsFileName)).find("caf\xC3\xA9{CR\n"), std::string::npos);
  EXPECT_EQ(host.calls.back(), "RefreshAfterReading document");
  // The national-character file is loaded at start-up only.
  EXPECT_EQ(std::count(host.calls.begin(), host.calls.end(), "LoadInternationalFile"), 0);
}

TEST_F(SettingsTest, AFileReadsTheSameWhateverItsLineEndsAndEncoding) {
  const std::string mac = Fixture("mac-settings");
  WriteFile(home.root + "/cr", mac);
  ASSERT_EQ(settings().ReadSettingsDocument(home.root + "/cr"), 0);

  std::string utf8;  // the same file as UTF-8
  for (unsigned char c : mac) {
    const char32_t u = platform::MacRomanToUnicode(c);
    if (u < 0x80) {
      utf8 += static_cast<char>(u);
    } else if (u < 0x800) {
      utf8 += static_cast<char>(0xC0 | (u >> 6));
      utf8 += static_cast<char>(0x80 | (u & 0x3F));
    } else {
      utf8 += static_cast<char>(0xE0 | (u >> 12));
      utf8 += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
      utf8 += static_cast<char>(0x80 | (u & 0x3F));
    }
  }
  auto withEnds = [](std::string text, const std::string& end) {
    std::string out;
    for (char c : text) out += c == '\r' ? end : std::string(1, c);
    return out;
  };
  const struct {
    const char* name;
    std::string bytes;
  } variants[] = {{"Mac Roman, LF", withEnds(mac, "\n")},
                  {"Mac Roman, CR LF", withEnds(mac, "\r\n")},
                  {"UTF-8, LF", withEnds(utf8, "\n")},
                  {"UTF-8, CR LF", withEnds(utf8, "\r\n")}};
  for (const auto& v : variants) {
    auto other = NewSession();
    other->Opt.TextSizeValue = opt().TextSizeValue;
    WriteFile(home.root + "/variant", v.bytes);
    ASSERT_EQ(other->settings.ReadSettingsDocument(home.root + "/variant"), 0);
    EXPECT_TRUE(other->Opt == opt()) << v.name << ":" << DifferentLines(other->Opt, opt());
  }
}

// ---- Files of older versions, shorter than 177 lines -------------------------------

class ShortFile : public SettingsTest, public ::testing::WithParamInterface<int> {};

TEST_P(ShortFile, GetsTheValuesOlderVersionsBehavedBy) {
  const int kept = GetParam();
  WriteFile(home.root + "/short", FirstLines(Fixture("mac-settings"), kFkeyLineCount + kept));
  ASSERT_EQ(settings().ReadSettingsDocument(home.root + "/short"), 0);
  const SessionOptions& o = opt();
  auto fileOr = [&](int line, int fromFile, int fallback) { return kept >= line ? fromFile : fallback; };

  EXPECT_EQ(o.BaudRate, 19200);  // the file was read, not replaced by defaults
  EXPECT_EQ(o.AutoAnsiColours, fileOr(140, 0, 1));
  EXPECT_EQ(o.Option144, fileOr(144, 5, 0));
  EXPECT_EQ(o.ForceKeypadApplication, fileOr(145, 1, 0));
  EXPECT_EQ(std::count(host.calls.begin(), host.calls.end(), "SetKeypadNumericMode"), kept >= 145 ? 0 : 1);
  EXPECT_EQ(o.TelnetViaShell, fileOr(146, 0, 1));
  EXPECT_EQ(o.VtOption151, fileOr(151, 0, 1));
  EXPECT_EQ(o.PtyOption159, fileOr(159, 1, 0));
  EXPECT_EQ(o.PtyOption160, fileOr(160, 1, 0));
  EXPECT_EQ(o.PtyOption161, fileOr(161, 1, 0));
  // Kermit output flushing is on for old files only when the alternate editing
  // keys, telnet through the shell and kermit are all off.
  const bool kermitRule = kept >= 146 && kept < 174;
  EXPECT_EQ(o.KermitFlushOutput, kermitRule ? 1 : 0);
  // A file without the left-arrow line takes the old Control-U when line 71
  // says so, and line 71 is then cleared; without the up-arrow line the
  // emulation's arrows come first (here Wyse 50's).
  EXPECT_EQ(o.LeftArrowString, kept >= 164 ? "{CTH" : "{CTU");
  EXPECT_EQ(o.Option71, kept >= 164 ? 3 : 0);
  EXPECT_EQ(o.UpArrowString, "{CTK");
  const bool arrowsFromEmulation = kept < 162;
  EXPECT_EQ(o.DownArrowString, kept >= 163 || arrowsFromEmulation ? "{CTJ" : "");
  EXPECT_EQ(o.RightArrowString, kept >= 165 || arrowsFromEmulation ? "{CTL" : "");
}

// Cut just before and just after each line an old file may lack.
INSTANTIATE_TEST_SUITE_P(SettingsFile, ShortFile,
                         ::testing::Values(139, 140, 143, 144, 145, 146, 150, 151, 158, 159, 160, 161, 162, 163, 164,
                                           173, 174, 176));

// ---- Damaged files ---------------------------------------------------------------------

class DamagedFile : public SettingsTest {
 protected:
  // The record a start-up gives when "defaults" holds these bytes.
  SessionOptions StartUpWith(const std::string& defaultsBytes) {
    auto other = NewSession();
    WriteFile(PathOf(kDefaultsFileName), defaultsBytes);
    other->settings.ReadStartupSettings();
    return other->Opt;
  }
};

TEST_F(DamagedFile, GarbageAsTheDefaultsFileGivesTheBuiltInDefaults) {
  const SessionOptions garbage = StartUpWith(Fixture("garbage.bin"));
  const SessionOptions empty = StartUpWith("");
  EXPECT_TRUE(garbage == empty) << DifferentLines(garbage, empty);
  EXPECT_EQ(garbage.BaudRate, 0);
  EXPECT_EQ(garbage.EmuVt100, 1);
  EXPECT_EQ(garbage.DataBits, 1);
  EXPECT_EQ(garbage.FontSize, 18);
  EXPECT_EQ(garbage.ModemInitString, "AT&F%C1");
  EXPECT_EQ(garbage.ShellProgram, "/bin/tcsh");
  EXPECT_EQ(garbage.TelnetHost, "");
  EXPECT_TRUE(alerts.shown.empty());
}

TEST_F(DamagedFile, TextThatIsNoSettingsFileCountsAsNone) {
  const SessionOptions prose = StartUpWith("#!/bin/sh\necho 12345\n 42\nUnder\n");
  EXPECT_TRUE(prose == StartUpWith("")) << DifferentLines(prose, StartUpWith(""));
}

// A file that is not a settings document is refused with an alert naming
// it; the session, its function keys and the default keys stay as they were.
TEST_F(DamagedFile, AFileThatIsNoSettingsDocumentIsRefusedAndChangesNothing) {
  struct Case {
    const char* name;
    std::string bytes;
    const char* reason;
  };
  const std::string mac = Fixture("mac-settings");
  const Case cases[] = {
      {"empty", "", " cannot be opened: it is empty."},
      {"blank", "\n\n  \r\n", " cannot be opened: it is empty."},
      {"binary", Fixture("garbage.bin"), " cannot be opened: it is not a text file."},
      {"an image", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), " cannot be opened: it is not a text file."},
      {"cut in the function keys", FirstLines(mac, 10), " cannot be opened: it is cut short."},
      {"cut at line 100", FirstLines(mac, 100), " cannot be opened: it is cut short."},
      {"prose", "#!/bin/sh\necho 12345\n 42\nUnder\n", " cannot be opened: it is cut short."},
  };
  for (const Case& c : cases) {
    opt().FkeyStrings[1] = "mine{CR";
    opt().BaudRate = 4800;
    state().FkeysDefined = 1;
    alerts.shown.clear();
    WriteFile(home.root + "/doc", c.bytes);
    EXPECT_EQ(settings().ReadSettingsDocument(home.root + "/doc"), EINVAL) << c.name;
    ASSERT_EQ(alerts.shown.size(), 1u) << c.name;
    EXPECT_EQ(alerts.shown[0].text, std::string("The settings document doc") + c.reason) << c.name;
    EXPECT_EQ(opt().FkeyStrings[1], "mine{CR") << c.name;
    EXPECT_EQ(opt().BaudRate, 4800) << c.name;
    EXPECT_FALSE(files.Exists(PathOf(kFkeyDefaultsFileName))) << c.name;
  }
}

// Lines of text enough for a settings file, but without a number where the
// settings begin.
TEST_F(DamagedFile, LinesWithoutSettingsAreRefused) {
  std::string prose;
  for (int i = 0; i < 300; ++i) prose += "line of prose\n";
  WriteFile(home.root + "/prose", prose);
  EXPECT_EQ(settings().ReadSettingsDocument(home.root + "/prose"), EINVAL);
  ASSERT_EQ(alerts.shown.size(), 1u);
  EXPECT_EQ(alerts.shown[0].text, "The settings document prose cannot be opened: it holds no Korvane settings.");
}

TEST_F(DamagedFile, AFileThatCannotBeReadIsReportedAndTheDefaultsUsed) {
  files.MakeFolders(PathOf(kDefaultsFileName));  // a folder where the file should be
  settings().ReadStartupSettings();
  ASSERT_EQ(alerts.shown.size(), 1u);
  EXPECT_EQ(alerts.shown[0].text, "defaults could not be read.\r" + platform::FileErrorText(EISDIR));
  EXPECT_EQ(opt().EmuVt100, 1);
  EXPECT_EQ(settings().ReadSettingsDocument(home.root + "/missing"), ENOENT);
  EXPECT_EQ(alerts.shown.size(), 1u);  // a missing document is for the caller to judge
}

// ---- Start-up ------------------------------------------------------------------------

TEST_F(SettingsTest, StartUpReadsTheDefaultFunctionKeysThenTheDefaultsFile) {
  WriteFile(PathOf(kFkeyDefaultsFileName), FirstLines(Fixture("mac-settings"), kFkeyLineCount));
  WriteFile(PathOf(kDefaultsFileName), SettingsPartOf(Fixture("mac-settings")));
  settings().ReadStartupSettings();
  EXPECT_EQ(opt().FkeyStrings[2], "ls -l{CR");
  EXPECT_EQ(opt().BaudRate, 19200);
  EXPECT_EQ(opt().TelnetHost, "host.example");
  EXPECT_EQ(host.calls,
            (std::vector<std::string>{"MarkSerialRequiredItems 2", "SetMenuCommandKeys", "ApplyAttributeColours",
                                      "BuildEditKeyStrings", "ShowConnectionKind", "LoadInternationalFile",
                                      "MarkClipboardOption off", "ComputeCellMetrics", "RefreshAfterReading"}));
}

TEST_F(SettingsTest, StartUpWithoutFilesUsesTheProgramsKeysAndTheBuiltInDefaults) {
  host.bundledFunctionKeys["VT100 Fkeys"] = "{ESOP\n{ESOQ\n";
  settings().ReadStartupSettings();
  EXPECT_EQ(host.bundledFilesAsked, std::vector<std::string>{"VT100 Fkeys"});
  EXPECT_EQ(opt().FkeyStrings[1], "{ESOP");
  EXPECT_EQ(opt().FkeyStrings[2], "{ESOQ");
  EXPECT_EQ(state().NoSettingsFile, 0);  // cleared again once applied
  EXPECT_EQ(opt().EmuVt100, 1);
  EXPECT_EQ(opt().UpArrowString, "{ES[A");  // VT100's arrows
  EXPECT_EQ(opt().MouseOption, 1);
  EXPECT_EQ(opt().ColumnOption31, 1);
  EXPECT_EQ(opt().HostFeatureOption, 1);
  EXPECT_FALSE(files.Exists(PathOf(kDefaultsFileName)));  // never written
}

TEST_F(SettingsTest, TheBuiltInDefaultsSetTheLinesThatHaveOneAndLeaveTheOthers) {
  SessionOptions stale;
  for (const auto& d : kSettingsLines) {
    if (d.Width() != 0) d.SetNumber(stale, 77);
    if (d.Width() == 0) d.SetText(stale, "stale");
  }
  SessionOptions e = stale;
  e.DataBits = 1;                            // 3
  e.EmuPrism = 0;                            // 4
  e.XonXoffOn = 0;                           // 5
  e.EmuVt100 = 1;                            // 6
  e.EmuViewpoint = 0;                        // 7
  e.FontSizeName = "standard";               // 8
  e.AutoWrapOn = 1;                          // 12
  e.EmulationCode = 1;                       // 15
  e.DialMode = "T";                          // 16
  e.ClipboardLineDelay = 1;                  // 19
  e.ClipboardCharDelay = 4;                  // 20
  e.EmuWyse50 = 0;                           // 22
  e.FkeySetType = 1;                         // 23
  e.PlainFaceSwitch = 1;                     // 25
  e.ModemDtrOption = 1;                      // 26
  e.ColumnOption27 = 1;                      // 27
  e.MouseOption = 1;                         // 34
  e.HostFeatureOption = 1;                   // 35
  e.StopBits = "1";                          // 36
  e.PrinterOption37 = 1;                     // 37
  e.EchoPacedSend = 1;                       // 39
  e.FontSize = 18;                           // 40
  e.ProtectShownAs = 2;                      // 45
  e.ModemInitString = "AT&F%C1";             // 46
  e.UseCameraSound = 1;                      // 47
  e.TabAsRecordSeparator = 0;                // 51
  e.ProgramFontOption = 1;                   // 54
  e.TextSizeValue = 18;                      // 58
  e.PrinterFontSize = 12;                    // 64
  e.HiddenAttributes = 1;                    // 67
  e.UsePageUpDown = 0;                       // 73
  e.AutoConnect = 0;                         // 76
  e.IgnoreHostPrint = 1;                     // 77
  e.ReverseColour = 12;                      // 78
  e.Mode2Colour = 3;                         // 79
  e.BoldColour = 2;                          // 80
  e.UnderlineColour = 8;                     // 81
  e.CurrentForeColour = 17;                  // 82
  e.BackgroundColour = 18;                   // 83
  e.ColourModeA = 0;                         // 84
  e.SelectionOption = 1;                     // 91
  e.PrinterOption101 = 1;                    // 101
  e.EmuWyse370 = 0;                          // 103
  e.StatusWindowShown = 1;                   // 105
  e.UsesPty = 1;                             // 113
  e.LocalShellSession = 0;                   // 114
  e.TelnetSession = 1;                       // 115
  e.SshSession = 0;                          // 116
  e.TelnetHost = "";                         // 117
  e.TelnetTerminalType = "";                 // 119
  e.ShellProgram = "/bin/tcsh";              // 123
  e.Option132 = 1;                           // 132
  e.WindowOpacity = 90;                      // 135
  e.ColourModeB = 0;                         // 137
  e.FontOption138 = 1;                       // 138
  e.AutoAnsiColours = 1;                     // 140
  e.PrinterFontName = "KorvanePrinterFont";  // 143
  e.TelnetViaShell = 1;                      // 146
  e.ScoAnsiMode = 0;                         // 147
  e.ReturnKeyCode = 13;                      // 150
  e.VtOption151 = 1;                         // 151
  e.DownloadNoPrompt = 0;                    // 158
  e.PtyOption159 = 0;                        // 159
  e.PtyOption160 = 0;                        // 160
  e.PtyOption161 = 0;                        // 161
  e.SerialRequiredOption = 1;                // 172
  e.KermitFlushOutput = 0;                   // 174
  opt() = stale;
  settings().SetDefaultSettings();
  EXPECT_TRUE(opt() == e) << DifferentLines(opt(), e);
}

TEST_F(SettingsTest, TheBuiltInDefaultsResetTheScreenAtTheMainScreensSizeAndThenTheMetrics) {
  opt().ReverseColour = opt().ColourModeA = opt().ColourModeB = 7;
  host.screen = {1280, 400};
  host.calls.clear();
  settings().SetDefaultSettings();
  EXPECT_EQ(opt().ReverseColour, 12);
  EXPECT_EQ(opt().ColourModeA, 0);
  EXPECT_EQ(opt().ColourModeB, 0);
  EXPECT_EQ(opt().FontSize, 18);
  EXPECT_EQ(opt().TextSizeValue, 18);
  // The window is the main screen's size, at most 640 x 480; the metrics are
  // worked out once the text size is final.
  const auto size = std::find(host.calls.begin(), host.calls.end(), "SetWindowSize 640 400");
  const auto reset = std::find(host.calls.begin(), host.calls.end(), "ResetScreenDefaults");
  const auto metrics = std::find(host.calls.begin(), host.calls.end(), "ComputeCellMetrics");
  ASSERT_NE(size, host.calls.end());
  ASSERT_NE(reset, host.calls.end());
  ASSERT_NE(metrics, host.calls.end());
  EXPECT_LT(reset, metrics);
}

TEST_F(SettingsTest, StartingWithoutAnyFunctionKeyDefinesTheBuiltInOnes) {
  settings().ReadStartupSettings();
  EXPECT_EQ(opt().FkeyTitles[4], "   F4   ");
  EXPECT_FALSE(opt().FkeyStrings[1].empty());
}

// ---- Round trips ------------------------------------------------------------------------

TEST_F(SettingsTest, TheDefaultsSurviveAWriteAndARead) {
  settings().ReadStartupSettings();
  const SessionOptions defaults = opt();
  ASSERT_TRUE(settings().WriteSettingsFile(home.root + "/defaults-doc"));

  // Read into a session whose values all differ, so that nothing passes by
  // being left alone.
  auto other = NewSession();
  for (const auto& d : kSettingsLines) {
    if (d.Width() != 0) d.SetNumber(other->Opt, 77);
    if (d.Width() == 0) d.SetText(other->Opt, "stale");
  }
  ASSERT_EQ(other->settings.ReadSettingsDocument(home.root + "/defaults-doc"), 0);
  SessionOptions& read = other->Opt;
  // The text size follows the font size and the copy-buffer mode only takes
  // its two modes: both keep the reading session's values.
  EXPECT_EQ(read.TextSizeValue, 77);
  EXPECT_EQ(read.CopyBufferMode, 77);
  read.TextSizeValue = defaults.TextSizeValue;
  read.CopyBufferMode = defaults.CopyBufferMode;
  EXPECT_TRUE(read == defaults) << DifferentLines(read, defaults);
}

// Every value as far from its default as the value's meaning allows.
SessionOptions NonDefaultRecord() {
  SessionOptions o;
  // A 255-byte text with line ends, braces and Mac Roman characters.
  auto text = [](int seed) {
    std::string t = "AT{CR}\r{LF\n{" + std::to_string(seed) + "}\r\n\x80\x8E\xA5\xD0\xFF\x01\x7F";
    for (int i = 0; t.size() < kMaxSettingsText; ++i) t += static_cast<char>(0x20 + (seed * 7 + i) % 224);
    return t;
  };
  for (int line = 1; line <= kFkeyLineCount; ++line) FkeyLine(o, line) = text(line);
  for (const auto& d : kSettingsLines) {
    const bool low = d.line % 2 == 1;
    switch (d.Width()) {
      case 8: d.SetNumber(o, low ? INT8_MIN : INT8_MAX); break;
      case 16: d.SetNumber(o, low ? INT16_MIN : INT16_MAX); break;
      case 32: d.SetNumber(o, low ? INT32_MIN : INT32_MAX); break;
      default: d.SetText(o, text(100 + d.line)); break;
    }
  }
  // Values whose meaning limits them.
  o.Parity = 2;          // "E"
  o.DataBits = 0;        // "7"
  o.CopyBufferMode = 2;  // one of its two modes
  o.EmuWyse50 = 1;       // Wyse 60: Wyse 50 and 60 both on
  o.EmuWyse60 = 1;
  o.EmuWyse370 = 0;  // Wyse 370 would turn TeleVideo 925 off
  o.EmuTvi925 = 1;
  o.ColumnOption27 = INT16_MIN;  // the screen-width group adds up to 1
  o.ColumnOption28 = INT16_MAX;
  o.ColumnOption29 = 1;
  o.ColumnOption30 = 1;
  o.HostFeatureOption = 0;
  o.EchoPacedSend = INT16_MAX;  // never negative
  o.TabAsRecordSeparator = INT8_MAX;
  o.AltBreak = 1;  // the two break variants exclude each other
  o.AltBreakC = 0;
  o.UseCameraSound = 0;
  o.LineEnd = SessionOptions::kLineEndCr;
  o.BlockCursor = 1;
  o.UseClip = 0;  // never kept
  o.DialerOption50 = 0;
  o.WindowOption75 = 1;
  o.RememberWnd = 1;
  o.UsePageUpDown = 1;
  o.ScrollBackOn = 0;
  o.AutoConnect = 1;
  o.KermitMode = 1;
  o.SerialRequiredOption = 2;
  o.FontSize = INT16_MIN;        // above 15 points would clear the large-font choice
  o.SavedWindowTop = INT16_MAX;  // a remembered window lies on the screen
  o.SavedWindowHeight = INT16_MAX;
  o.TextSizeValue = 18;  // not taken from the file: the reading session's
  return o;
}

TEST_F(SettingsTest, ARecordFarFromItsDefaultsSurvivesAWriteAndARead) {
  host.kermitFound = true;
  host.screen = {40000, 40000};  // room for the remembered window position
  opt() = NonDefaultRecord();
  ASSERT_TRUE(settings().WriteSettingsFile(home.root + "/far"));
  // No CR or LF inside a value may start a line of its own.
  const std::string bytes = ReadFile(home.root + "/far");
  EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), kFkeyLineCount + kSettingsLineCount);
  EXPECT_EQ(bytes.find('\r'), std::string::npos);

  auto other = NewSession();
  other->settings.ReadStartupSettings();
  ASSERT_EQ(other->settings.ReadSettingsDocument(home.root + "/far"), 0);
  EXPECT_TRUE(other->Opt == opt()) << DifferentLines(other->Opt, opt());
}

TEST_F(SettingsTest, ShortKeyStringsKeepTheirLineEndsAsTokens) {
  settings().ReadStartupSettings();
  opt().UpArrowString = "ab\r";
  opt().DownArrowString = "ab\r\n";
  opt().FkeyStrings[5] = "line\rnext\n";
  ASSERT_TRUE(settings().WriteSettingsFile(home.root + "/keys"));
  const auto lines = Lines(home.root + "/keys");
  EXPECT_EQ(SettingsLineOf(lines, 162), "ab{CR");
  EXPECT_EQ(SettingsLineOf(lines, 163), "ab{CR{LF");
  EXPECT_EQ(lines[4], "line{CRnext{LF");
  auto other = NewSession();
  ASSERT_EQ(other->settings.ReadSettingsDocument(home.root + "/keys"), 0);
  EXPECT_EQ(other->Opt.UpArrowString, "ab{CR");
  EXPECT_EQ(other->Opt.FkeyStrings[5], "line{CRnext{LF");
}

// ---- What saving writes, and what it leaves alone -----------------------------------

TEST_F(SettingsTest, SavingWritesTheSavedFormsAndLeavesTheSessionAsItWas) {
  settings().ReadStartupSettings();
  opt().AutoWrapOn = 1;  // forced by plain-text mode ...
  host.plainTextMode = 1;
  host.savedAutoWrap = 0;  // ... over the user's choice
  host.capsModeForced = 1;
  opt().CapsMode = 0;
  opt().EmuWyse50 = 1;
  opt().EmuWyse60 = 1;
  opt().AltBreak = opt().AltBreakC = 0;
  opt().BreakString = "{BR500";
  opt().ScrollBackOn = 0;
  host.scrollBackSeen = 1;
  prefs.TempSettingsMode = 1;
  opt().PrintPageHeader = "";
  opt().EmuWyse370 = 1;
  opt().EmuTvi925 = 1;
  host.outputWindow = WindowFrame{-30, 80, 600, 414};
  host.serialPortNames = std::vector<std::string>();
  for (int i = 1; i <= 15; ++i) host.serialPortNames->push_back("tty" + std::to_string(i));
  const SessionOptions before = opt();

  ASSERT_TRUE(settings().WriteSettingsFile(home.root + "/saved"));
  EXPECT_TRUE(opt() == before) << DifferentLines(opt(), before);

  const auto lines = Lines(home.root + "/saved");
  ASSERT_EQ(lines.size(), std::size_t(kFkeyLineCount + kSettingsLineCount));
  const struct {
    int line;
    std::string text;
  } expected[] = {
      {12, " 0"},  // the user's auto-wrap
      {21, " 1"},
      {22, " 1"},  // Wyse 370 is on: no 2 for Wyse 60
      {43, ""},    // no break variant on
      {42, ""},
      {74, "PreviousPageOff"},  // temporary files keep scroll-back off
      {38, "x$%&"},             // an empty header reads back empty
      {102, " 0"},              // Wyse 370 turns TeleVideo 925 off
      {92, " 30"},              // |left|
      {93, " 43"},              // |top| less the title bar
      {152, " 600"},
      {153, " 400"},  // height less 14
      {111, " 12"},   // as many as the list names
      {112, "tty1,tty2,tty3,tty4,tty5,tty6,tty7,tty8,tty9,tty10,tty11,tty12,"},
      {11, ""},  // reserved lines
      {149, ""},
  };
  for (const auto& e : expected) EXPECT_EQ(SettingsLineOf(lines, e.line), e.text) << SettingsLine(e.line).name;
}

TEST_F(SettingsTest, KeywordLinesAreWrittenAsWords) {
  settings().ReadStartupSettings();
  struct Case {
    int line;
    int16_t SessionOptions::*member;
    int16_t value;
    const char* word;
  };
  const Case cases[] = {
      {2, &SessionOptions::Parity, 0, "N"},
      {2, &SessionOptions::Parity, 1, "O"},
      {2, &SessionOptions::Parity, 2, "E"},
      {2, &SessionOptions::Parity, 9, ""},
      {3, &SessionOptions::DataBits, 0, "7"},
      {3, &SessionOptions::DataBits, 1, "8"},
      {3, &SessionOptions::DataBits, 2, "5"},
      {3, &SessionOptions::DataBits, 3, "6"},
      {47, &SessionOptions::UseCameraSound, 1, "UseCameraSound"},
      {47, &SessionOptions::UseCameraSound, 0, "NoSound"},
      {49, &SessionOptions::LineEnd, SessionOptions::kLineEndLf, "LF"},
      {49, &SessionOptions::LineEnd, SessionOptions::kLineEndCr, "CR"},
      {52, &SessionOptions::BlockCursor, 1, "Block"},
      {52, &SessionOptions::BlockCursor, 0, "Under"},
      {56, &SessionOptions::UseClip, 1, "UseClip"},
      {56, &SessionOptions::UseClip, 0, ""},
      {57, &SessionOptions::RememberWnd, 1, "RememberWnd"},
      {57, &SessionOptions::RememberWnd, 0, "DontRememberWnd"},
      {73, &SessionOptions::UsePageUpDown, 2, "UsePageUpDown"},
      {73, &SessionOptions::UsePageUpDown, 0, "DontUsePageUpDown"},
      {74, &SessionOptions::ScrollBackOn, 1, "PreviousPageOn"},
      {74, &SessionOptions::ScrollBackOn, 0, "PreviousPageOff"},
      {85, &SessionOptions::AltBreakC, 1, "AltBreakC"},
  };
  for (const auto& c : cases) {
    const int16_t kept = opt().*c.member;
    opt().*c.member = c.value;
    EXPECT_EQ(SettingsLineOf(settings().WriteFkeysAndSettings(true), c.line), c.word) << c.line << " = " << c.value;
    opt().*c.member = kept;
  }
  opt().AltBreak = 1;
  opt().AltBreakC = 0;
  EXPECT_EQ(SettingsLineOf(settings().WriteFkeysAndSettings(true), 42), "AltBreak");
  opt().AltBreakC = 1;  // AltBreakC takes precedence
  EXPECT_EQ(SettingsLineOf(settings().WriteFkeysAndSettings(true), 42), "");
}

// ---- Reading keyword lines and applying what was read --------------------------------

class AppliedSettings : public SettingsTest {
 protected:
  // Reads the Mac file with some settings lines replaced.
  void ReadWith(std::initializer_list<std::pair<int, std::string>> changes) {
    SettingsLineReader reader(Fixture("mac-settings"));
    std::vector<std::string> lines;
    for (int i = 0; i < kFkeyLineCount + kSettingsLineCount; ++i) lines.push_back(reader.ReadLine());
    for (const auto& [line, text] : changes) lines[kFkeyLineCount + line - 1] = text;
    WriteFile(home.root + "/changed", EncodeSettingsFile(lines));
    ASSERT_EQ(settings().ReadSettingsDocument(home.root + "/changed"), 0);
  }
};

TEST_F(AppliedSettings, UnknownParityAndDataBitsWordsFallBackUntilAValidOneWasSeen) {
  opt().Parity = 2;
  opt().DataBits = 3;
  ReadWith({{2, "X"}, {3, "9"}});
  EXPECT_EQ(opt().Parity, 0);    // "N"
  EXPECT_EQ(opt().DataBits, 1);  // "8"
  ReadWith({{2, "O"}, {3, "5"}});
  ReadWith({{2, "X"}, {3, "9"}});
  EXPECT_EQ(opt().Parity, 1);  // unchanged once a valid word was read
  EXPECT_EQ(opt().DataBits, 2);
}

TEST_F(AppliedSettings, ARememberedWindowComesBackOnTheScreen) {
  host.screen = {1024, 768};
  ReadWith({{92, " 2000"}, {93, " 0"}, {152, " 19"}, {153, " 5"}});
  EXPECT_EQ(opt().SavedWindowLeft, 20);
  EXPECT_EQ(opt().SavedWindowTop, 20);
  EXPECT_EQ(opt().SavedWindowWidth, 0);
  EXPECT_EQ(opt().SavedWindowHeight, 0);
  ReadWith({{92, "-5"}, {93, " 749"}});
  EXPECT_EQ(opt().SavedWindowLeft, 20);
  EXPECT_EQ(opt().SavedWindowTop, 20);
  ReadWith({{92, " 1004"}, {93, " 748"}, {152, " 20"}});
  EXPECT_EQ(opt().SavedWindowLeft, 1004);
  EXPECT_EQ(opt().SavedWindowTop, 748);
  EXPECT_EQ(opt().SavedWindowWidth, 20);
}

TEST_F(AppliedSettings, EmptyArrowKeysGetTheEmulationsStrings) {
  struct Case {
    const char* name;
    std::vector<std::pair<int, std::string>> lines;  // emulation flags
    int16_t applicationMode;
    std::vector<std::string> arrows;  // up, down, left, right, then the application-mode four
  };
  const std::string none = " 0";
  const Case cases[] = {
      {"VT100",
       {{4, none}, {6, " 1"}, {7, none}, {22, none}, {102, none}},
       0,
       {"{ES[A", "{ES[B", "{ES[D", "{ES[C", "", "", "", ""}},
      {"VT100 in application mode",
       {{4, none}, {6, " 1"}, {7, none}, {22, none}, {102, none}},
       1,
       {"", "", "", "", "{ESOA", "{ESOB", "{ESOD", "{ESOC"}},
      {"Prism",
       {{4, " 1"}, {6, none}, {7, none}, {22, none}, {102, none}},
       0,
       {"{CTZ", "{CTJ", "{CTU", "{CTL", "", "", "", ""}},
      {"Viewpoint",
       {{4, none}, {6, none}, {7, " 1"}, {22, none}, {102, none}},
       0,
       {"{CTZ", "{CTJ", "{CTU", "{CTF", "", "", "", ""}},
      {"Wyse 50 over Viewpoint",
       {{4, none}, {6, none}, {7, " 1"}, {22, " 1"}, {102, none}},
       0,
       {"{CTK", "{CTJ", "{CTH", "{CTL", "", "", "", ""}},
      {"TeleVideo 925 changes Down only",
       {{4, none}, {6, none}, {7, " 1"}, {22, " 1"}, {102, " 1"}},
       0,
       {"{CTK", "{CTV", "{CTH", "{CTL", "", "", "", ""}},
      {"alternate editing keys",
       {{4, none}, {6, " 1"}, {7, none}, {22, none}, {102, none}, {104, " 1"}},
       0,
       {"{CTK", "{CTV", "{CTH", "{CTL", "", "", "", ""}},
  };
  for (const auto& c : cases) {
    host.cursorKeyApplicationMode = c.applicationMode;
    std::vector<std::pair<int, std::string>> lines = c.lines;
    for (int line = 162; line <= 169; ++line) lines.emplace_back(line, "");
    lines.emplace_back(71, " 0");
    auto other = NewSession();
    SettingsLineReader reader(Fixture("mac-settings"));
    std::vector<std::string> all;
    for (int i = 0; i < kFkeyLineCount + kSettingsLineCount; ++i) all.push_back(reader.ReadLine());
    for (const auto& [line, text] : lines) all[kFkeyLineCount + line - 1] = text;
    WriteFile(home.root + "/arrows", EncodeSettingsFile(all));
    ASSERT_EQ(other->settings.ReadSettingsDocument(home.root + "/arrows"), 0);
    const SessionOptions& o = other->Opt;
    EXPECT_EQ((std::vector<std::string>{o.UpArrowString, o.DownArrowString, o.LeftArrowString, o.RightArrowString,
                                        o.UpArrowString2, o.DownArrowString2, o.LeftArrowString2, o.RightArrowString2}),
              c.arrows)
        << c.name;
  }
}

TEST_F(AppliedSettings, WithoutAnEmulationTheSessionIsAViewpoint) {
  ReadWith({{4, " 0"}, {6, " 0"}, {7, " 0"}, {22, " 0"}, {102, " 0"}, {136, " 0"}});
  EXPECT_EQ(opt().EmuViewpoint, 1);
  EXPECT_EQ(opt().ExtendedAnsiMode, 1);
  ReadWith({{22, " 1"}, {103, " 1"}});  // Wyse 370 brings Wyse 50 and 60
  EXPECT_EQ(opt().EmuWyse50, 1);
  EXPECT_EQ(opt().EmuWyse60, 1);
}

TEST_F(AppliedSettings, AScreenWidthGroupThatIsNotExactlyOneGivesTheStandardLayout) {
  ReadWith({{27, " 1"}, {28, " 1"}, {33, " 1"}, {34, " 0"}, {35, " 0"}, {31, " 0"}, {32, " 0"}});
  EXPECT_EQ(opt().ColumnOption27, 0);
  EXPECT_EQ(opt().FkeyBarShown, 0);
  EXPECT_EQ(opt().MouseOption, 1);
  EXPECT_EQ(opt().HostFeatureOption, 1);
  EXPECT_EQ(opt().ColumnOption31, 1);  // 31 and 32 were both 0
}

TEST_F(AppliedSettings, ASmallScreenDropsTheLargeScreenChoices) {
  host.screen = {512, 342};
  ReadWith({});
  EXPECT_EQ(opt().HostFeatureOption, 0);
  EXPECT_EQ(opt().FontSize, 0);
  EXPECT_EQ(opt().TextSizeValue, 9);
}

TEST_F(AppliedSettings, KermitStaysOnOnlyWhereItIsInstalled) {
  ReadWith({{154, " 1"}});
  EXPECT_EQ(opt().KermitMode, 0);
  ASSERT_EQ(alerts.shown.size(), 1u);
  EXPECT_EQ(alerts.shown[0].text,
            "Kermit is not installed properly. Please read the Kermit Installation Instructions.");
  host.kermitFound = true;
  ReadWith({{154, " 1"}});
  EXPECT_EQ(opt().KermitMode, 1);
  EXPECT_EQ(alerts.shown.size(), 1u);
}

TEST_F(AppliedSettings, SmallValuesAndOddTextsTakeTheirStandardForms) {
  ReadWith({{46, "+++ATZ"},
            {66, " "},
            {48, ""},
            {40, " 16"},
            {173, " 1"},
            {47, "garbled"},
            {49, ""},
            {51, "-5"},
            {172, " 7"},
            {123, ""},
            {120, " 0"},
            {121, " 0"},
            {122, " 0"}});
  EXPECT_EQ(opt().ModemInitString, "");  // must begin with "AT"
  EXPECT_EQ(opt().DialogValue66, ".");
  EXPECT_EQ(state().DialogValue66Code, '.');
  EXPECT_EQ(opt().CaptureCreator, "ttxt");
  EXPECT_EQ(opt().LargeFontChoice, 0);  // the font is above 15 points
  EXPECT_EQ(opt().UseCameraSound, 1);
  EXPECT_TRUE(opt().LineEndLf());
  EXPECT_EQ(opt().TabAsRecordSeparator, 0);
  EXPECT_EQ(opt().SerialRequiredOption, 1);
  EXPECT_EQ(opt().ShellProgram, "/bin/tcsh");
  EXPECT_EQ(opt().ShellRunsTcsh, 1);
}

TEST_F(AppliedSettings, AFontThatCannotBeActivatedIsReported) {
  host.fontError = -43;
  ReadWith({});
  ASSERT_EQ(alerts.shown.size(), 1u);
  EXPECT_EQ(alerts.shown[0].text, "ActivateFontFromResourcesFile error -43");
}

}  // namespace
}  // namespace korvane::testing_support
