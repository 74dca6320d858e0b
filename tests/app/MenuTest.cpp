// The menu bar on the fake platform: each menu's items and what they do to
// the settings, the session, the marks and the services the session reaches.

#include <algorithm>
#include <array>

#include "app/MenuFixture.h"
#include "emulation/EmulationFlags.h"
#include "platform/MacKeys.h"
#include "ui/menus/MenuDispatcher.h"
#include "ui/menus/MenuItems.h"

namespace korvane::testing {
namespace {

using namespace platform;
using ui::kFlowControlMenu;
using Items = std::vector<int>;

UiEvent KeyEvent(int window, int code) {
  UiEvent e;
  e.kind = UiEventKind::Dialog;
  e.type = kKeyTyped;
  e.window = static_cast<int16_t>(window);
  e.key.keyCode = code;
  const int ch = FixedKeyCharacter(code);
  if (ch >= 0) e.key.text = std::string(1, static_cast<char>(ch));
  e.number = static_cast<int16_t>(ch < 0 ? 0 : ch);
  return e;
}

// A VT100 local session with the VT100's arrow keys.
void Vt100(SessionOptions& o) {
  SetEmulationFlags(EmulationKind::Vt100, o);
  o.LeftArrowString = "{ES[D";
  o.UpArrowString = "{ES[A";
  o.RightArrowString = "{ES[C";
  o.DownArrowString = "{ES[B";
  o.ExtendedAnsiMode = 0;
  o.HiddenAttributes = 0;
  o.AltEditKeys = 0;
}

std::array<int16_t, 8> Flags(const SessionOptions& o) {
  return {o.EmuPrism, o.EmuVt100, o.EmuVt220, o.EmuViewpoint, o.EmuWyse50, o.EmuWyse60, o.EmuWyse370, o.EmuTvi925};
}

// ---- Emulate menu: the emulation choices --------------------------------------------

struct EmulationCase {
  int item;
  std::array<int16_t, 8> flags;  // Prism, VT100, VT220, Viewpoint, Wyse 50, Wyse 60, Wyse 370, TV 925
  const char* name;
  std::array<const char*, 4> arrows;  // left, up, right, down
  int hidden;                         // HiddenAttributes after the choice
  bool notice;                        // the Wyse family tells the user the choice
};

const EmulationCase kEmulations[] = {
    {1, {1, 0, 0, 0, 0, 0, 0, 0}, "Prism", {"{CTU", "{CTZ", "{CTL", "{CTJ"}, 0, false},
    // TV 925 only sets the down arrow.
    {2, {0, 0, 0, 1, 1, 1, 0, 1}, "TV 925", {"{ES[D", "{ES[A", "{ES[C", "{CTV"}, 0, true},
    {3, {0, 1, 0, 0, 0, 0, 0, 0}, "VT100", {"{ES[D", "{ES[A", "{ES[C", "{ES[B"}, 0, false},
    {4, {0, 1, 1, 0, 0, 0, 0, 0}, "VT220", {"{ES[D", "{ES[A", "{ES[C", "{ES[B"}, 0, false},
    {5, {0, 0, 0, 1, 0, 0, 0, 0}, "Viewpoint", {"{CTU", "{CTZ", "{CTF", "{CTJ"}, 1, true},
    {6, {0, 0, 0, 1, 1, 0, 0, 0}, "Wyse 50", {"{CTH", "{CTK", "{CTL", "{CTJ"}, 1, true},
    {7, {0, 0, 0, 1, 1, 1, 0, 0}, "Wyse 60", {"{CTH", "{CTK", "{CTL", "{CTJ"}, 1, true},
    {8, {0, 0, 0, 1, 1, 1, 1, 0}, "Wyse 370", {"{CTH", "{CTK", "{CTL", "{CTJ"}, 1, true},
};

class EmulationChoice : public MenuFixture, public ::testing::WithParamInterface<EmulationCase> {};

TEST_P(EmulationChoice, SetsTheFlagsArrowsNameAndMarksAndTellsTheWyseFamily) {
  const EmulationCase& c = GetParam();
  StartLocalWith(Vt100);
  Choose(kEmulateMenu, c.item);
  const SessionOptions& o = Opt();
  EXPECT_EQ(Flags(o), c.flags);
  EXPECT_EQ(EmulationNameFromFlags(o), std::string(c.name));
  EXPECT_EQ((std::array<std::string, 4>{o.LeftArrowString, o.UpArrowString, o.RightArrowString, o.DownArrowString}),
            (std::array<std::string, 4>{c.arrows[0], c.arrows[1], c.arrows[2], c.arrows[3]}));
  EXPECT_EQ(o.HiddenAttributes, c.hidden);
  EXPECT_EQ(o.EmulationCode, c.item == 3 || c.item == 4 ? 1 : 0);
  EXPECT_EQ(Active().session.window.SettingsChanged, 1);
  // Exactly the chosen emulation is checked; VT emulations check item 15.
  Items marked;
  for (int item : Marked(kEmulateMenu))
    if (item <= 8 || item == 15) marked.push_back(item);
  Items expected{c.item};
  if (c.item == 3 || c.item == 4) expected.push_back(15);
  EXPECT_EQ(marked, expected);

  ASSERT_EQ(windows.Exists(43), c.notice);
  if (!c.notice) return;
  EXPECT_EQ(windows.FrontWindow(), 43);
  const std::string text = windows.WindowControls(43)->ControlText(10);
  EXPECT_EQ(text, std::string(c.name) + "  selected\n(with " + (c.hidden ? "Hidden" : "Non-Hidden") + " Attributes)");
  // Still open before its time is up; closed after, and the session window
  // is in front again.
  clock.AdvanceMs(1400);
  Turns(2);
  EXPECT_TRUE(windows.Exists(43));
  clock.AdvanceMs(200);
  Turns(2);
  EXPECT_FALSE(windows.Exists(43));
  EXPECT_EQ(windows.FrontWindow(), 48);
}

INSTANTIATE_TEST_SUITE_P(EveryEmulation, EmulationChoice, ::testing::ValuesIn(kEmulations), [](const auto& p) {
  std::string name = p.param.name;
  name.erase(std::remove(name.begin(), name.end(), ' '), name.end());
  return name;
});

class MenuBar : public MenuFixture {};

TEST_F(MenuBar, ChoosingWyse60ChangesWhatTheArrowKeysSendToTheHost) {
  StartLocalWith(Vt100);
  fakes::MemoryLink& link = LinkOf(48);
  auto sent = [&](int code) {
    const size_t before = link.written.size();
    pump.script.push_back({KeyEvent(48, code)});
    Turns(2);
    return link.written.substr(before);
  };
  EXPECT_EQ(sent(kKeyUp), "\x1b[A");
  Choose(kEmulateMenu, ui::emulate_item::kWyse60);
  clock.AdvanceMs(1600);
  Turns(2);
  EXPECT_EQ(sent(kKeyUp), "\x0b");
  EXPECT_EQ(sent(kKeyDown), "\x0a");
  EXPECT_EQ(sent(kKeyLeft), "\x08");
}

TEST_F(MenuBar, VtChoicesFollowTheHostsCursorKeyModeAndAltEditKeysWinEveryChoice) {
  StartLocalWith(Vt100);
  Active().session.vt.CursorKeyApplicationMode = 1;
  Choose(kEmulateMenu, ui::emulate_item::kVt220);
  EXPECT_EQ(Opt().UpArrowString, "{ESOA");
  EXPECT_EQ(Opt().LeftArrowString, "{ESOD");

  Opt().AltEditKeys = 1;
  for (int item = 1; item <= 8; ++item) {
    Choose(kEmulateMenu, item);
    EXPECT_EQ((std::array<std::string, 4>{Opt().LeftArrowString, Opt().UpArrowString, Opt().RightArrowString,
                                          Opt().DownArrowString}),
              (std::array<std::string, 4>{"{CTH", "{CTK", "{CTL", "{CTV"}))
        << "item " << item;
  }
  // Wyse 370 with the alternative editing keys shows the attributes.
  EXPECT_EQ(Opt().HiddenAttributes, 0);
}

TEST_F(MenuBar, InternationalCharactersMakeThePrismEmulationAloneAndAreRefusedOnceSetWithAHostSet) {
  StartLocalWith([](SessionOptions& o) {
    Vt100(o);
    SetEmulationFlags(EmulationKind::Wyse60, o);
    o.HostCharacterSet = 14;
  });
  Choose(kEmulateMenu, ui::emulate_item::kInternationalPrism);
  EXPECT_EQ(Flags(Opt()), (std::array<int16_t, 8>{1, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(Opt().PrismSevenBit, 1);
  EXPECT_EQ(MarkedUpTo(kEmulateMenu, 12), (Items{1, 12}));
  // Chosen again: off.
  Choose(kEmulateMenu, ui::emulate_item::kInternationalPrism);
  EXPECT_EQ(Opt().PrismSevenBit, 0);
  EXPECT_EQ(MarkedUpTo(kEmulateMenu, 12), (Items{1}));

  // With a national set of the host, Prism keeps them: the item is refused.
  Choose(kEmulateMenu, ui::emulate_item::kInternationalPrism);
  Opt().HostCharacterSet = 5;
  alerts.shown.clear();
  Choose(kEmulateMenu, ui::emulate_item::kInternationalPrism);
  EXPECT_EQ(Opt().PrismSevenBit, 1);
  EXPECT_EQ(AlertsWith("Cannot change this option when using Prism emulation and International characters"), 1);
}

TEST_F(MenuBar, TheFunctionKeyTypeAsksFirstAndACancelChangesNothing) {
  StartLocalWith([](SessionOptions& o) {
    Vt100(o);
    o.FkeySetType = 0;
    o.FkeyStrings[1] = "mine";
  });
  alerts.answers = {2};
  Choose(kEmulateMenu, ui::emulate_item::kFkeyType2);
  EXPECT_EQ(AlertsWith("Changing the Fkey type will reset the commands and Titles back to default"), 1);
  EXPECT_EQ(Opt().FkeySetType, 0);
  EXPECT_EQ(Opt().FkeyStrings[1], "mine");
  Choose(kEmulateMenu, ui::emulate_item::kFkeyType2);
  EXPECT_EQ(Opt().FkeySetType, 1);
  EXPECT_NE(Opt().FkeyStrings[1], "mine");
  EXPECT_EQ(Marked(kEmulateMenu).back(), 23);
}

// ---- Port Settings and its submenus ----------------------------------------------------

TEST_F(MenuBar, RatesAreHandedToTheSerialLineAndDimmedForAPseudoTerminal) {
  StartLocalWith(Vt100);
  EXPECT_FALSE(menus.ItemEnabled(kPortSettingsMenu, 11));
  Choose(kConnectionMenu, ui::connection_item::kSerial);
  EXPECT_TRUE(menus.ItemEnabled(kPortSettingsMenu, 11));
  Recorded().calls.clear();
  Choose(kPortSettingsMenu, 11);
  EXPECT_EQ(Recorded().calls, std::vector<std::string>{"ChooseBaudRate 11"});
  EXPECT_EQ(Active().session.window.SettingsChanged, 1);
}

TEST_F(MenuBar, StrippingTheEighthBitIsRefusedWithDecMultinationalAndTurningItOffIsAlwaysAllowed) {
  StartLocalWith([](SessionOptions& o) {
    Vt100(o);
    o.NationalCharsOff = 1;
    o.DecMultinational = 1;
  });
  alerts.shown.clear();
  Choose(kPortSettingsMenu, ui::port_item::kStripEighthBit);
  EXPECT_EQ(Opt().NationalCharsOff, 1);
  EXPECT_EQ(AlertsWith("The 8th bit cannot be stripped when DEC Multinational characters are enabled"), 1);
  EXPECT_FALSE(menus.ItemMarked(kPortSettingsMenu, 14));
  Opt().DecMultinational = 0;
  Choose(kPortSettingsMenu, ui::port_item::kStripEighthBit);
  EXPECT_EQ(Opt().NationalCharsOff, 0);
  EXPECT_TRUE(menus.ItemMarked(kPortSettingsMenu, 14));
  Opt().DecMultinational = 1;
  Choose(kPortSettingsMenu, ui::port_item::kStripEighthBit);
  EXPECT_EQ(Opt().NationalCharsOff, 1);
}

TEST_F(MenuBar, PlainTextKeepsTheAutoWrapItFoundTheFirstTimeAndGivesItBack) {
  StartLocalWith([](SessionOptions& o) {
    Vt100(o);
    o.AutoWrapOn = 0;
  });
  Choose(ui::kPlainTextMenu, ui::plain_item::kPlainText);
  EXPECT_EQ(Opt().AutoWrapOn, 1);
  Choose(ui::kPlainTextMenu, ui::plain_item::kPlainText);
  EXPECT_EQ(Marked(ui::kPlainTextMenu).front(), 2);
  Choose(ui::kPlainTextMenu, ui::plain_item::kEmulation);
  EXPECT_EQ(Opt().AutoWrapOn, 0);
  EXPECT_EQ(Active().session.input.PlainTextMode, 0);
  EXPECT_EQ(Marked(ui::kPlainTextMenu).front(), 1);
}

TEST_F(MenuBar, ResetAllSettingsCancelledAtTheLastWarningDeletesNothingAndOkDeletesEverySettingsFile) {
  StartLocalWith(Vt100);
  for (const char* name : {"defaults", "KorvaneSettings", "Fkeydefaults"})
    files.files[std::string("/prefs/") + name] = "x";
  alerts.answers = {1, 2};
  Choose(kPortSettingsMenu, ui::port_item::kResetAllSettings);
  EXPECT_EQ(sounds.beeps, 2);
  EXPECT_TRUE(files.files.count("/prefs/defaults"));
  EXPECT_TRUE(files.files.count("/prefs/KorvaneSettings"));
  EXPECT_FALSE(app->Finished());

  alerts.answers = {1, 1, 1};
  Choose(kPortSettingsMenu, ui::port_item::kResetAllSettings);
  for (const char* name : {"defaults", "KorvaneSettings", "Fkeydefaults", "TempSettingsKV  48"})
    EXPECT_FALSE(files.files.count(std::string("/prefs/") + name)) << name;
  EXPECT_EQ(AlertsWith("Korvane will now Quit."), 1);
  EXPECT_TRUE(app->Finished());
  EXPECT_TRUE(processes.links[0]->closed);
}

// ---- Connection menu ------------------------------------------------------------------

TEST_F(MenuBar, TelnetWhileALocalShellRunsEndsTheShellAndStartsNothingUntilOpenConnection) {
  StartLocalWith([](SessionOptions& o) {
    Vt100(o);
    o.XonXoffOn = 1;
    o.TelnetHost.clear();
  });
  ASSERT_EQ(processes.starts.size(), 1u);
  EXPECT_EQ(Marked(kConnectionMenu), (Items{6, 15}));
  Choose(kConnectionMenu, ui::connection_item::kTelnet);
  EXPECT_TRUE(processes.links[0]->closed);
  EXPECT_EQ(Opt().XonXoffOn, 0);
  EXPECT_EQ(Marked(kFlowControlMenu), (Items{3}));
  EXPECT_EQ(Marked(kConnectionMenu), (Items{7, 15}));
  EXPECT_EQ(WindowItems(), std::vector<std::string>{"Korvane Using Telnet"});
  EXPECT_EQ(Active().session.window.SettingsChanged, 1);
  EXPECT_EQ(processes.starts.size(), 1u);

  // Open Connection without a host: the alert, and nothing starts.
  alerts.shown.clear();
  Choose(kConnectionMenu, ui::connection_item::kOpen, 3);
  EXPECT_EQ(AlertsWith("You must enter a Host IP address."), 1);
  EXPECT_EQ(processes.starts.size(), 1u);

  // Back to the local shell: it starts at once.
  Choose(kConnectionMenu, ui::connection_item::kLocalShell);
  EXPECT_EQ(processes.starts.size(), 2u);
  EXPECT_EQ(Marked(kConnectionMenu), (Items{6, 15}));
  EXPECT_EQ(WindowItems(), std::vector<std::string>{"Korvane Using Local Shell"});
}

TEST_F(MenuBar, ASerialPortNamedModemTitlesTheWindowWithTheNameAlone) {
  StartLocalWith([](SessionOptions& o) {
    Vt100(o);
    o.ConnectionPort = -2;
  });
  services.recorded.at(48)->portNames = {"ttyS0", "usb-modem0"};
  // The machine has the same ports (the window's own serial line titles it too).
  serialPorts.ports.clear();
  serialPorts.AddPort("ttyS0");
  serialPorts.AddPort("usb-modem0");
  Choose(kConnectionMenu, ui::connection_item::kSerial);
  EXPECT_EQ(Opt().UsesPty, 0);
  EXPECT_EQ(WindowItems(), std::vector<std::string>{"Korvane Using usb-modem0"});
  EXPECT_EQ(Marked(kConnectionMenu), (Items{5, 15}));
}

TEST_F(MenuBar, KermitNeedsTheProgramAndAPseudoTerminal) {
  StartLocalWith(Vt100);
  alerts.shown.clear();
  Choose(kConnectionMenu, ui::connection_item::kKermit);
  EXPECT_EQ(Opt().KermitMode, 0);
  EXPECT_EQ(AlertsWith("Kermit is not installed properly."), 1);
  ASSERT_EQ(desktop.files.size(), 1u);
  EXPECT_NE(desktop.files[0].find("Kermit Installation Instructions.html"), std::string::npos);

  processes.executables.insert(app->data.programs.KermitAppFolder + "/kermit");
  Choose(kConnectionMenu, ui::connection_item::kKermit);
  EXPECT_EQ(Opt().KermitMode, 1);
  EXPECT_TRUE(menus.ItemMarked(kConnectionMenu, 9));
  Choose(kConnectionMenu, ui::connection_item::kKermit);
  EXPECT_EQ(Opt().KermitMode, 0);
  EXPECT_FALSE(menus.ItemMarked(kConnectionMenu, 9));
}

// ---- Host Control -----------------------------------------------------------------------

TEST_F(MenuBar, HoldingTheHostSendsXoffOnlyWithXonXoffAndAControlCharacterEndsASendFirst) {
  StartLocalWith([](SessionOptions& o) {
    Vt100(o);
    o.XonXoffOn = 0;
  });
  fakes::MemoryLink& link = LinkOf(48);
  link.written.clear();
  Choose(kHostControlMenu, ui::host_item::kHold);
  EXPECT_EQ(link.written, "");
  EXPECT_EQ(Active().session.input.HoldOutput, 1);
  EXPECT_TRUE(menus.ItemMarked(kHostControlMenu, 2));
  Choose(kHostControlMenu, ui::host_item::kRelease);
  EXPECT_EQ(Active().session.input.HoldOutput, 0);

  Opt().XonXoffOn = 1;
  Choose(kHostControlMenu, ui::host_item::kHold);
  EXPECT_EQ(link.written, "\x13\x13");
  Choose(kHostControlMenu, ui::host_item::kRelease);
  EXPECT_EQ(link.written, "\x13\x13\x13\x11");

  const std::pair<int, char> sends[] = {{4, '\x03'}, {5, '\x15'}, {6, '\x18'}, {7, '\x1a'}};
  for (const auto& [item, byte] : sends) {
    link.written.clear();
    Recorded().calls.clear();
    Choose(kHostControlMenu, item);
    EXPECT_EQ(link.written, std::string(1, byte)) << item;
    EXPECT_EQ(Recorded().calls, std::vector<std::string>{"CloseTransferFile"}) << item;
  }
}

TEST_F(MenuBar, TheYesNoSettingTogglesWithItsMark) {
  StartLocalWith(Vt100);
  const bool before = menus.ItemMarked(kHostControlMenu, 9);
  Choose(kHostControlMenu, ui::host_item::kYesNo);
  EXPECT_NE(menus.ItemMarked(kHostControlMenu, 9), before);
  EXPECT_EQ(Opt().String171, before ? "No" : "Yes");
}

// ---- The windows each item opens, and the services the items reach ---------------------------

struct ServiceCase {
  int menu, item;
  const char* call;  // what the session's services were asked
};

const ServiceCase kServiceCases[] = {
    {kAppMenu, 1, "OpenDialog 5"},
    {kAppMenu, 2, "OpenDialog 18"},
    {kFileMenu, 16, "TurnPrinterOn"},
    {kFileMenu, 18, "PrintTextFile"},
    {kFileMenu, 20, "OpenDialog 38"},
    {kFileMenu, 21, "PageSetup"},
    {kScreenMenu, 4, "SnapshotScreenAsPdf"},
    {kScreenMenu, 5, "PasteToHost"},
    {kScreenMenu, 9, "OpenDialog 37"},
    {kScreenMenu, 16, "OpenDialog 35"},
    {kScreenMenu, 17, "OpenDialog 34"},
    {kScreenMenu, 18, "OpenDialog 36"},
    {kDialerMenu, 2, "OpenDialog 26"},
    {kDialerMenu, 5, "AddQuickDialService"},
    {kDialerMenu, 6, "DeleteQuickDialFile"},
    {kDialerMenu, 7, "LoadQuickDialList"},
    {kDialerMenu, 9, "HangUpModem"},
    {kDialerMenu, 12, "ToggleModemDtr"},
    {kDialerMenu, 13, "OpenDialog 25"},
    {kConnectionMenu, 3, "OpenDialog 40"},
    {kConnectionMenu, 11, "OpenDialog 16"},
    {kConnectionMenu, 12, "OpenDialog 15"},
    {kConnectionMenu, 13, "OpenDialog 17"},
    {kEmulateMenu, 16, "OpenDialog 44"},
    {kEmulateMenu, 19, "OpenDialog 30"},
    {kEmulateMenu, 24, "OpenDialog 31"},
    {kEmulateMenu, 25, "OpenDialog 9"},
    {kRecorderMenu, 1, "RecorderOn"},
    {kRecorderMenu, 2, "NewCaptureFile"},
    {kRecorderMenu, 3, "AppendToCaptureFile"},
    {kRecorderMenu, 4, "DeleteCaptureFile"},
    {kRecorderMenu, 5, "OpenDialog 32"},
    {kRecorderMenu, 7, "StartClipboardCapture"},
    {kWindowMenu, 6, "OpenDialog 13"},
    {kWindowMenu, 7, "OpenDialog 20"},
    {kHostControlMenu, 10, "OpenDialog 24"},
    {ui::kColoursSubmenu, 1, "OpenDialog 13"},
    {ui::kColoursSubmenu, 2, "OpenDialog 39"},
    {ui::kFlowControlMenu, 2, "ChooseFlowControl 2"},
    {ui::kSerialFormatMenu, 4, "ChooseSerialFormat 4"},
    {kSerialPortMenu, 2, "ChooseSerialPort 2"},
};

TEST_F(MenuBar, EachItemAsksTheServiceOrOpensTheWindowItNames) {
  StartLocalWith(Vt100);
  for (const ServiceCase& c : kServiceCases) {
    Recorded().calls.clear();
    Choose(c.menu, c.item);
    EXPECT_NE(std::find(Recorded().calls.begin(), Recorded().calls.end(), c.call), Recorded().calls.end())
        << "menu " << c.menu << " item " << c.item << " asked: " << ::testing::PrintToString(Recorded().calls);
  }
}

TEST_F(MenuBar, TheRecorderAndClipboardItemsTurnOffWhatIsOn) {
  StartLocalWith(Vt100);
  Active().session.input.CaptureFileOn = 1;
  Recorded().clipboardCaptureOn = true;
  Recorded().calls.clear();
  Choose(kRecorderMenu, ui::recorder_item::kRecorder);
  Choose(kRecorderMenu, ui::recorder_item::kClipboardOn);
  EXPECT_EQ(Recorded().calls, (std::vector<std::string>{"RecorderOff", "StopClipboardCapture"}));
}

TEST_F(MenuBar, DiallingAndSendingAFileNeedTheirConnection) {
  StartLocalWith(Vt100);
  alerts.shown.clear();
  Recorded().calls.clear();
  Choose(kDialerMenu, ui::dialer_item::kDial);
  EXPECT_EQ(AlertsWith("Cannot Dial unless Serial / Modem is selected."), 1);
  LinkOf(48).End();
  Turns(3);
  Choose(kFileMenu, ui::file_item::kSendTextFile);
  EXPECT_EQ(AlertsWith("There is no connection open to the host."), 1);
  EXPECT_TRUE(std::none_of(Recorded().calls.begin(), Recorded().calls.end(),
                           [](const std::string& c) { return c == "Dial" || c == "ChooseAndSendTextFile"; }));
}

TEST_F(MenuBar, TheLockedSettingsShowTheLockFileInsteadOfTheirWindows) {
  prefsFolder = "/config/korvane/";
  files.files["/config/Lock KV Prefs"] = "Ask the administrator.";
  StartLocalWith(Vt100);
  ASSERT_TRUE(app->prefs.folders.PrefsLocked) << app->prefs.folders.LockFilePath;
  Recorded().calls.clear();
  const int16_t before = Opt().EmuVt100;
  Choose(kAppMenu, ui::app_item::kPreferences);
  Choose(kEmulateMenu, ui::emulate_item::kWyse60);
  EXPECT_TRUE(Recorded().calls.empty());
  EXPECT_EQ(Opt().EmuVt100, before);
  EXPECT_EQ(desktop.files, (std::vector<std::string>{"/config/Lock KV Prefs", "/config/Lock KV Prefs"}));
}

TEST_F(MenuBar, HelpItemsOpenTheDocumentsOfTheMenusLanguage) {
  StartLocalWith(Vt100);
  Choose(kHelpMenu, 9);
  Choose(kEmulateMenu, ui::emulate_item::kFkeysHelp);
  ASSERT_EQ(desktop.files.size(), 2u);
  EXPECT_EQ(desktop.files[0], KORVANE_RESOURCES "/help/Dialog Help Files/Telnet Help.html");
  EXPECT_EQ(desktop.files[1], KORVANE_RESOURCES "/help/Dialog Help Files/Fkeys Help.html");
  menus.SetItemText(kFileMenu, 1, "Nouvelle fen\x90tre de session");
  Choose(kHelpMenu, 9);
  Choose(kEmulateMenu, ui::emulate_item::kFkeysHelp);
  ASSERT_EQ(desktop.files.size(), 4u);
  EXPECT_EQ(desktop.files[2], KORVANE_RESOURCES "/help/Dialog Help Files - French/Aide Telnet.html");
  EXPECT_EQ(desktop.files[3], KORVANE_RESOURCES "/help/Dialog Help Files - French/Aide touches de fonction.html");
}

// ---- File menu ---------------------------------------------------------------------------

TEST_F(MenuBar, SaveSettingsOnTheFirstWindowWithoutANameWritesKorvaneSettings) {
  StartMenus();
  Opt().TelnetHost = "host.example";
  Choose(kFileMenu, ui::file_item::kSaveSettings);
  ASSERT_TRUE(files.files.count("/prefs/KorvaneSettings"));
  EXPECT_NE(files.files["/prefs/KorvaneSettings"].find("host.example"), std::string::npos);
  EXPECT_EQ(Active().session.window.SettingsChanged, 0);
}

TEST_F(MenuBar, PrintScreenIsRefusedWhilePrinterCaptureIsOn) {
  StartLocalWith(Vt100);
  Active().session.input.PrinterOn = 1;
  Recorded().calls.clear();
  Choose(kFileMenu, ui::file_item::kPrintScreen);
  EXPECT_EQ(AlertsWith("Please uncheck 'Printer On' from the File menu"), 1);
  EXPECT_TRUE(menus.ItemMarked(kFileMenu, 16));
  Active().session.input.PrinterOn = 0;
  Choose(kFileMenu, ui::file_item::kPrintScreen);
  EXPECT_EQ(Recorded().calls, std::vector<std::string>{"PrintScreen"});
}

// ---- Window menu: font sizes, layouts, full screen, the session windows -----------------------

TEST_F(MenuBar, SixteenPointGrowsTheCellAndTheWindowSoThatTheRowsStay) {
  StartLocalWith(Vt100);
  Choose(kWindowMenu, ui::window_item::kStandardFont, 3);
  Screen& s = Active().session.screen;
  ASSERT_EQ(Opt().TextSizeValue, 12);
  const int cellWidth = s.CellWidth, cellHeight = s.CellHeight;
  const platform::Size before = windows.ContentSize(48);
  ASSERT_EQ(s.ScreenRows, 24);
  Choose(kWindowMenu, ui::window_item::k16Point, 3);
  EXPECT_EQ(Opt().FontSize, 16);
  EXPECT_EQ(Opt().TextSizeValue, 16);
  EXPECT_GT(s.CellWidth, cellWidth);
  EXPECT_GT(s.CellHeight, cellHeight);
  const platform::Size after = windows.ContentSize(48);
  EXPECT_GT(after.width, before.width);
  EXPECT_GT(after.height, before.height);
  EXPECT_EQ(s.ScreenRows, 24);
  EXPECT_EQ(Marked(kWindowMenu).front(), 3);
  // The child learns the window's rows and columns.
  EXPECT_EQ(LinkOf(48).rows, 24);

  Choose(kWindowMenu, ui::window_item::kStandardFont, 3);
  EXPECT_EQ(s.CellWidth, cellWidth);
  EXPECT_EQ(s.ScreenRows, 24);
  EXPECT_EQ(Marked(kWindowMenu).front(), 1);
}

struct ScreenCase {
  platform::Size available;  // the screen the windows may take (a 24-pixel panel below)
  int item;
  bool accepted;
};

const ScreenCase kScreens[] = {
    {{1024, 744}, 4, true},   // 1024 x 768: 18 points,
    {{1024, 744}, 5, false},  // but not 24
    {{1000, 744}, 4, false}, {{1280, 776}, 5, true}, {{1280, 700}, 5, false},
};

TEST_F(MenuBar, LargePointSizesNeedAScreenThatHoldsThem) {
  StartLocalWith(Vt100);
  for (const ScreenCase& c : kScreens) {
    windows.screen = c.available;
    Opt().FontSize = 0;
    alerts.shown.clear();
    Choose(kWindowMenu, c.item, 2);
    EXPECT_EQ(Opt().FontSize != 0, c.accepted)
        << c.available.width << " x " << c.available.height << " item " << c.item;
    EXPECT_EQ(AlertsWith("Your monitor resolution must be at least"), c.accepted ? 0 : 1);
  }
}

TEST_F(MenuBar, TheWideLayoutOfANarrowWindowHas128ColumnsAndTheNinePointOptionWarnsOnANarrowScreen) {
  StartLocalWith([](SessionOptions& o) {
    Vt100(o);
    o.AutoWrapOn = 1;
  });
  Choose(kWindowMenu, ui::window_item::kStandardFont, 3);
  Screen& s = Active().session.screen;
  ASSERT_LT(windows.ContentSize(48).width, 640);
  Choose(kWindowMenu, ui::window_item::kWideColumns, 2);
  EXPECT_EQ(Opt().FontSizeMode, 1);
  EXPECT_EQ(s.ColumnsSetting, 128);
  EXPECT_EQ(s.ScreenCols, 128);
  EXPECT_FALSE(menus.ItemMarked(kWindowMenu, 9));
  EXPECT_TRUE(menus.ItemMarked(kWindowMenu, 10));

  windows.SetContentSize(48, 900, 500);
  windows.screen = {700, 500};
  Opt().FontOption138 = 0;
  Opt().FontOption139 = 0;
  alerts.shown.clear();
  Choose(kWindowMenu, ui::window_item::kNinePointWide, 2);
  EXPECT_EQ(AlertsWith("OK! But you won't be able to see all 132 columns"), 1);
  EXPECT_EQ(s.ColumnsSetting, 132);
  EXPECT_EQ(Opt().PlainFaceSwitch, 1);

  Choose(kWindowMenu, ui::window_item::kEightyColumns, 2);
  EXPECT_EQ(s.ColumnsSetting, 80);
  EXPECT_EQ(Opt().FontSizeMode, 0);
}

TEST_F(MenuBar, AutoWrapOffTakesTheColumnsFromTheWindowNeverAbove207) {
  StartLocalWith([](SessionOptions& o) {
    Vt100(o);
    o.AutoWrapOn = 1;
  });
  windows.SetContentSize(48, 4000, 500);
  Choose(kWindowMenu, ui::window_item::kAutoWrap);
  EXPECT_EQ(Opt().AutoWrapOn, 0);
  const int16_t columns = Active().session.screen.ScreenCols;
  EXPECT_GT(columns, 200);
  EXPECT_LE(columns, kMaxScreenCols);
  EXPECT_FALSE(menus.ItemMarked(kWindowMenu, 13));
}

TEST_F(MenuBar, FullScreenTogglesTheWindowAndTheItemFollowsIt) {
  StartLocalWith(Vt100);
  EXPECT_EQ(menus.ItemText(kWindowMenu, 15), "Enter Full Screen");
  Choose(kWindowMenu, ui::window_item::kFullScreen, 3);
  EXPECT_TRUE(windows.IsFullScreen(48));
  EXPECT_EQ(menus.ItemText(kWindowMenu, 15), "Exit Full Screen");
  Screen& s = Active().session.screen;
  EXPECT_GT(s.ScreenRows, 24);
  Choose(kWindowMenu, ui::window_item::kFullScreen, 3);
  EXPECT_FALSE(windows.IsFullScreen(48));
  EXPECT_EQ(menus.ItemText(kWindowMenu, 15), "Enter Full Screen");
  EXPECT_EQ(s.ScreenRows, s.ScreenRowsForWindow());
}

TEST_F(MenuBar, NextAndPreviousWrapAroundTheOpenWindowsOnly) {
  StartLocalWith(Vt100);
  Choose(kFileMenu, ui::file_item::kNewSessionWindow, 3);
  Choose(kFileMenu, ui::file_item::kNewSessionWindow, 3);
  ASSERT_EQ(app->windows.Numbers(), (std::vector<int>{48, 49, 50}));
  // The first window closes: the next after the last is the lowest open one.
  windows.UserActivates(48);
  Turns(2);
  alerts.answers = {1};
  Choose(kFileMenu, ui::file_item::kCloseSessionWindow, 3);
  ASSERT_EQ(app->windows.Numbers(), (std::vector<int>{49, 50}));
  windows.UserActivates(50);
  Turns(2);
  Choose(kWindowMenu, ui::window_item::kNextWindow, 3);
  EXPECT_EQ(app->flags.ActiveWindowNumber, 49);
  Choose(kWindowMenu, ui::window_item::kPreviousWindow, 3);
  EXPECT_EQ(app->flags.ActiveWindowNumber, 50);
}

TEST_F(MenuBar, AWindowMenuItemIsIgnoredWhileHostTextIsCollected) {
  StartLocalWith(Vt100);
  Choose(kFileMenu, ui::file_item::kNewSessionWindow, 3);
  ASSERT_EQ(app->flags.ActiveWindowNumber, 49);
  Active().session.input.CollectMode = 1;
  Choose(kWindowMenu, 18, 3);
  Choose(kWindowMenu, ui::window_item::k16Point, 3);
  EXPECT_EQ(app->flags.ActiveWindowNumber, 49);
  EXPECT_NE(Opt().FontSize, 16);
  Active().session.input.CollectMode = 0;
  Choose(kWindowMenu, 18, 3);
  EXPECT_EQ(app->flags.ActiveWindowNumber, 48);
}

// ---- The marks follow the session --------------------------------------------------------

TEST_F(MenuBar, TheMarksFollowASettingsLoadAndEveryWindowSwitch) {
  WriteDocument(files, "/docs/wyse", [](SessionOptions& o) {
    LocalProgram("/usr/local/bin/host")(o);
    SetEmulationFlags(EmulationKind::Wyse60, o);
    o.AutoConnect = 0;
    o.FontSize = 16;
    o.TextSizeValue = 16;
  });
  StartLocalWith([](SessionOptions& o) {
    Vt100(o);
    o.FontSize = 0;
  });
  EXPECT_EQ(MarkedUpTo(kEmulateMenu, 15), (Items{3, 15}));
  app->OpenDocuments({"/docs/wyse"});
  Turns(3);
  ASSERT_EQ(app->flags.ActiveWindowNumber, 49);
  EXPECT_EQ(MarkedUpTo(kEmulateMenu, 15), (Items{7}));
  EXPECT_EQ(Marked(kConnectionMenu), (Items{6}));
  EXPECT_TRUE(menus.ItemMarked(kWindowMenu, 3));
  windows.UserActivates(48);
  Turns(2);
  EXPECT_EQ(MarkedUpTo(kEmulateMenu, 15), (Items{3, 15}));
  EXPECT_EQ(Marked(kConnectionMenu), (Items{6, 15}));
  EXPECT_TRUE(menus.ItemMarked(kWindowMenu, 1));
  windows.UserActivates(49);
  Turns(2);
  EXPECT_EQ(MarkedUpTo(kEmulateMenu, 15), (Items{7}));
}

// ---- The bell ------------------------------------------------------------------------------

TEST_F(MenuBar, ABellFromTheHostOfEitherFamilySoundsTheBell) {
  StartLocalWith(Vt100);
  LinkOf(48).Feed("one\x07");
  Turns(3);
  EXPECT_EQ(sounds.beeps, 1);
  Choose(kEmulateMenu, ui::emulate_item::kWyse60);
  clock.AdvanceMs(1600);
  Turns(2);
  LinkOf(48).Feed("two\x07");
  Turns(3);
  EXPECT_EQ(sounds.beeps, 2);
}

}  // namespace
}  // namespace korvane::testing
