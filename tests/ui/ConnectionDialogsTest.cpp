// The connection windows on the fake platform: what opens in them, what a
// confirmation stores, and the values they refuse (with an alert, the window
// left open and the record unchanged).

#include "DialogFixture.h"

namespace korvane::ui {
namespace {

class ConnectionDialogsTest : public DialogTest {};

// ---- Telnet (15) --------------------------------------------------------------------------

TEST_F(ConnectionDialogsTest, TelnetWindowProposesThePortAndTheTerminalNameOfTheEmulation) {
  struct Case {
    int16_t vt100, vt220, wyse50, wyse60, viewpoint, sco;
    const char* term;
  };
  const Case cases[] = {
      {1, 1, 0, 0, 0, 0, "vt220"}, {1, 0, 0, 0, 0, 0, "vt100"}, {0, 0, 1, 1, 1, 0, "wy60"},
      {1, 1, 0, 0, 0, 1, "ANSI"},  {0, 0, 1, 0, 1, 0, "wy50"},
  };
  for (const Case& c : cases) {
    Opt = {};
    Opt.EmuVt100 = c.vt100;
    Opt.EmuVt220 = c.vt220;
    Opt.EmuWyse50 = c.wyse50;
    Opt.EmuWyse60 = c.wyse60;
    Opt.EmuViewpoint = c.viewpoint;
    Opt.ScoAnsiMode = c.sco;
    dialogs.OpenTelnetOptions(Opt);
    EXPECT_EQ(Field(15, 5), c.term);
    EXPECT_EQ(Field(15, 4), "23");
    windows.Close(15);
  }
  EXPECT_EQ(Opt.TelnetPort, "");  // proposed, not stored
  Opt.TelnetTerminalType = "xterm";
  Opt.TelnetPort = "2323";
  dialogs.OpenTelnetOptions(Opt);
  EXPECT_EQ(Field(15, 5), "xterm");
  EXPECT_EQ(Field(15, 4), "2323");
}

TEST_F(ConnectionDialogsTest, TelnetConfirmationStoresTheFieldsAndBoxesWithTheHostCutAtItsFirstBlank) {
  dialogs.OpenTelnetOptions(Opt);
  Type(15, 3, "host.example.com telnet extra words");
  Type(15, 4, "2323");
  Type(15, 5, "vt100");
  Type(15, 13, "-8 -E");
  Click(15, 10);
  Click(15, 18);
  Click(15, 8);
  EXPECT_FALSE(IsOpen(15));
  EXPECT_EQ(Opt.TelnetHost, "host.example.com");
  EXPECT_EQ(Opt.TelnetPort, "2323");
  EXPECT_EQ(Opt.TelnetTerminalType, "vt100");
  EXPECT_EQ(Opt.TelnetOptions, "-8 -E");
  EXPECT_EQ(Opt.DiscardLoginOutput133, 1);
  EXPECT_EQ(Opt.KermitFlushOutput, 1);
  EXPECT_EQ(Opt.TelnetViaShell, 0);
  EXPECT_TRUE(host.Called("MarkSettingsChanged"));
}

TEST_F(ConnectionDialogsTest, TelnetValuesAConnectionWouldRefuseAreRefusedAndNothingIsStored) {
  struct Case {
    int field;
    const char* value;
    const char* alert;
  };
  const Case cases[] = {
      {3, "-oProxyCommand=x", "The host name may hold only"},
      {3, "host;reboot", "The host name may hold only"},
      {4, "23; rm", "The port must be a number"},
      {4, "123456", "The port must be a number"},
      {5, "vt100'x", "The terminal type may hold only"},
      {13, "-8 `id`", "The telnet options hold characters"},
  };
  for (const Case& c : cases) {
    Opt = {};
    Opt.TelnetHost = "old";
    const SessionOptions before = Opt;
    dialogs.OpenTelnetOptions(Opt);
    Type(15, c.field, c.value);
    Click(15, 8);
    EXPECT_EQ(LastAlert().rfind(c.alert, 0), 0u) << c.value << ": " << LastAlert();
    EXPECT_TRUE(IsOpen(15)) << c.value;
    EXPECT_EQ(Opt, before) << c.value;
    windows.Close(15);
  }
}

TEST_F(ConnectionDialogsTest, TelnetDefaultsAndTheShellBoxThatTakesTheTerminalSettingsBoxWithIt) {
  Opt.TelnetOptions = "-8";
  Opt.PtyOption159 = 1;
  Opt.TelnetViaShell = 1;
  Opt.EmuVt100 = 1;
  dialogs.OpenTelnetOptions(Opt);
  Click(15, 14);  // off
  EXPECT_EQ(Value(15, 16), 0);
  Type(15, 4, "99");
  Click(15, 17);
  EXPECT_EQ(Field(15, 4), "23");
  EXPECT_EQ(Field(15, 13), "");
  EXPECT_EQ(Field(15, 5), "vt100");
  EXPECT_EQ(Value(15, 14), 1);
  EXPECT_EQ(Value(15, 10), 0);
  Click(15, 9);
  EXPECT_FALSE(IsOpen(15));
  EXPECT_EQ(Opt.TelnetOptions, "-8");  // cancelled
  EXPECT_EQ(Opt.PtyOption159, 1);
}

TEST_F(ConnectionDialogsTest, HelpButtonsOpenTheDocumentOfTheMenuLanguage) {
  dialogs.OpenTelnetOptions(Opt);
  Click(15, 99);
  Click(15, 12);
  host.language = "French";
  Click(15, 99);
  EXPECT_TRUE(host.Called("OpenResourceDocument Dialog Help Files:Telnet Help.rtf"));
  EXPECT_TRUE(host.Called("OpenResourceDocument Dialog Help Files:Telnet Login Options.rtf"));
  EXPECT_TRUE(host.Called("OpenResourceDocument Dialog Help Files - French:Aide Telnet.rtf"));
}

TEST_F(ConnectionDialogsTest, LockedPreferencesRefuseTheConnectionWindows) {
  host.prefsLocked = true;
  dialogs.OpenTelnetOptions(Opt);
  dialogs.OpenShellOptions(Opt);
  dialogs.OpenSshOptions(Opt);
  dialogs.OpenKeepAlive(Opt);
  dialogs.OpenModemInitialization(Opt);
  for (int n : {15, 16, 17, 24, 25}) EXPECT_FALSE(IsOpen(n)) << n;
}

// ---- Local shell (16) --------------------------------------------------------------------------

TEST_F(ConnectionDialogsTest, ShellWindowKeepsOneChoiceAndStoresItsFlags) {
  Opt.ShellRunsTcsh = 1;
  dialogs.OpenShellOptions(Opt);
  EXPECT_EQ(Value(16, 5), 1);
  Click(16, 2);
  EXPECT_EQ(Value(16, 2), 1);
  EXPECT_EQ(Value(16, 5), 0);
  Click(16, 16);
  Click(16, 8);
  EXPECT_EQ(Opt.ShellRunsLogin, 1);
  EXPECT_EQ(Opt.ShellRunsTcsh, 0);
  EXPECT_EQ(Opt.ShellRunsProgram, 0);
  EXPECT_EQ(Opt.PtyOption161, 1);

  dialogs.OpenShellOptions(Opt);
  Click(16, 4);
  Type(16, 3, "/usr/bin/vim");
  Click(16, 8);
  EXPECT_EQ(Opt.ShellRunsProgram, 1);
  EXPECT_EQ(Opt.ShellRunsLogin, 0);
  EXPECT_EQ(Opt.ShellProgram, "/usr/bin/vim");
}

TEST_F(ConnectionDialogsTest, ShellProgramMustBeAFullPathTheLauncherCanStart) {
  for (const char* program : {"", "vim", "/usr/bin/vim; rm -rf ~", "/bin/sh -c x"}) {
    Opt = {};
    dialogs.OpenShellOptions(Opt);
    Click(16, 4);
    Type(16, 3, program);
    Click(16, 8);
    EXPECT_TRUE(IsOpen(16)) << program;
    EXPECT_EQ(Opt.ShellRunsProgram, 0) << program;
    EXPECT_EQ(Opt.ShellProgram, "") << program;
    windows.Close(16);
  }
  // Without the program choice, the field is kept as typed.
  dialogs.OpenShellOptions(Opt);
  Click(16, 5);
  Type(16, 3, "later");
  Click(16, 8);
  EXPECT_EQ(Opt.ShellRunsTcsh, 1);
  EXPECT_EQ(Opt.ShellProgram, "later");
}

// ---- Secure shell (17) and its user name (46) -------------------------------------------

TEST_F(ConnectionDialogsTest, SecureShellWindowStoresItsFieldsAndRefusesOptionsThatRunLocalCommands) {
  Opt.EmuWyse50 = Opt.EmuViewpoint = 1;
  dialogs.OpenSshOptions(Opt);
  EXPECT_EQ(Field(17, 14), "22");
  EXPECT_EQ(Field(17, 12), "wy50");
  Type(17, 2, "server");
  Type(17, 10, "me");
  Type(17, 16, "-o ProxyCommand=nc %h %p");
  Click(17, 3);
  EXPECT_TRUE(IsOpen(17));
  EXPECT_EQ(Opt.SshHost, "");
  Type(17, 10, "-me");
  Type(17, 16, "-C");
  Click(17, 3);
  EXPECT_TRUE(IsOpen(17));
  Type(17, 10, "me");
  Click(17, 17);
  Click(17, 3);
  EXPECT_FALSE(IsOpen(17));
  EXPECT_EQ(Opt.SshHost, "server");
  EXPECT_EQ(Opt.SshUser, "me");
  EXPECT_EQ(Opt.SshExtraOptions, "-C");
  EXPECT_EQ(Opt.SshPort, "22");
  EXPECT_EQ(Opt.SshTerminalType, "wy50");
  EXPECT_EQ(Opt.DiscardLoginOutput134, 1);
}

TEST_F(ConnectionDialogsTest, SshUserNameStartsTheConnectionOrIsRefused) {
  struct Case {
    const char* typed;
    bool started;
  };
  const Case cases[] = {{"alice", true}, {"", false}, {"-oProxy", false}, {"bob smith", false}, {"a.b_c-d", true}};
  for (const Case& c : cases) {
    host.calls.clear();
    dialogs.OpenSshUserName();
    EXPECT_EQ(C(46)->FocusedControlNumber(), 3);
    Type(46, 3, c.typed);
    Click(46, 1);
    EXPECT_EQ(host.Called("StartSecureShell"), c.started) << c.typed;
    EXPECT_EQ(IsOpen(46), !c.started) << c.typed;
    if (c.started) {
      EXPECT_EQ(host.sshUser, c.typed);
    }
    if (IsOpen(46)) windows.Close(46);
  }
}

TEST_F(ConnectionDialogsTest, CancellingTheSshUserNameLeavesTheSessionClosedWithAMessage) {
  dialogs.OpenSshUserName();
  Type(46, 3, "alice");
  Click(46, 2);
  EXPECT_FALSE(IsOpen(46));
  EXPECT_FALSE(host.Called("StartSecureShell"));
  EXPECT_TRUE(host.Called("SessionMessage No user name was given: the secure shell connection was not opened."));
}

// ---- Keep-alive (24) ------------------------------------------------------------------------

TEST_F(ConnectionDialogsTest, KeepAliveNeedsThePasswordButTakesTheTimeFirst) {
  dialogs.OpenKeepAlive(Opt);
  EXPECT_EQ(Field(24, 7), "10");  // a stored 0 is shown as 10
  Type(24, 7, "15");
  Click(24, 1);
  EXPECT_EQ(LastAlert(), "You must enter the Admin Password");
  EXPECT_TRUE(IsOpen(24));
  EXPECT_EQ(Opt.KeepAlive, 15);
  EXPECT_FALSE(host.Called("RequestKeepAlive"));

  Type(24, 7, "15 minutes");
  Type(24, 3, "secret");
  Click(24, 1);
  EXPECT_TRUE(IsOpen(24));
  EXPECT_FALSE(host.Called("RequestKeepAlive"));

  Type(24, 7, "20");
  Click(24, 1);
  EXPECT_FALSE(IsOpen(24));
  EXPECT_EQ(Opt.KeepAlive, 20);
  EXPECT_EQ(host.adminPassword, "secret");
}

// ---- Modem initialisation (25) --------------------------------------------------------------

TEST_F(ConnectionDialogsTest, ModemWindowShowsThePresetOrTheCustomStringAndChangesNothingOnOpening) {
  Opt.ModemInitString = "AT&F&Q5&K0";
  dialogs.OpenModemInitialization(Opt);
  EXPECT_EQ(Value(25, 5), 1);
  EXPECT_EQ(Value(25, 12), 0);
  windows.Close(25);
  Opt.ModemInitString = "ATZ";
  Opt.ModemString61 = "";
  const SessionOptions before = Opt;
  dialogs.OpenModemInitialization(Opt);
  EXPECT_EQ(Value(25, 12), 1);
  EXPECT_EQ(Value(25, 8), 0);
  EXPECT_EQ(Field(25, 2), "ATZ");
  Click(25, 10);
  EXPECT_EQ(Opt, before);
}

TEST_F(ConnectionDialogsTest, ModemStringTypedEqualToAPresetIsStoredAsThatPreset) {
  struct Case {
    std::vector<int> clicks;
    const char* typed;  // null: as the clicks leave the field
    const char* init;
    int16_t choice;
    const char* custom;
  };
  const Case cases[] = {
      {{4}, nullptr, "AT&FM0&Q0&K0", 0, "old custom"}, {{13}, nullptr, "AT&F%C1", 0, "old custom"},
      {{12}, nullptr, "old custom", 1, "old custom"},  {{12}, "AT&F", "AT&F", 0, "old custom"},
      {{3}, "ATZ S0=1", "ATZ S0=1", 1, "ATZ S0=1"},
  };
  for (const Case& c : cases) {
    Opt = {};
    Opt.ModemString61 = "old custom";
    dialogs.OpenModemInitialization(Opt);
    for (int id : c.clicks) Click(25, id);
    if (c.typed) Type(25, 2, c.typed);
    Click(25, 9);
    EXPECT_EQ(Opt.ModemInitString, c.init);
    EXPECT_EQ(Opt.ModemInitChoice, c.choice);
    EXPECT_EQ(Opt.ModemString61, c.custom);
  }
}

// ---- Login scripts (40, 28) --------------------------------------------------------------------

TEST_F(ConnectionDialogsTest, LoginScriptsStoreTheTextAndOptionAndEditTheScriptsInTokenForm) {
  Opt.ConnectionString88 = "user\rpass\x1b";
  dialogs.DialogF(Opt);
  Type(40, 9, "login:");
  Click(40, 4);
  Click(40, 6);  // stores, then the open-connection script
  EXPECT_EQ(Opt.ConnectionString86, "login:");
  EXPECT_EQ(Opt.CloseHold, 1);
  ASSERT_TRUE(IsOpen(28));
  EXPECT_EQ(Field(28, 4), "Open Connection");
  EXPECT_EQ(Field(28, 6), "user{CTMpass{ES");
  EXPECT_EQ(Opt.ConnectionString88, "user\rpass\x1b");  // opening changes nothing
  C(28)->SetTextSelection(6, {15, 15});
  Click(28, 13);
  Click(28, 2);
  EXPECT_EQ(Opt.ConnectionString88, "user{CTMpass{ES{CR");
  EXPECT_FALSE(IsOpen(28));
  EXPECT_EQ(windows.FrontWindow(), 40);

  Click(40, 7);
  EXPECT_EQ(Field(28, 4), "Close Connection");
  Type(28, 6, "bye");
  Click(28, 3);
  EXPECT_EQ(Opt.ConnectionString89, "");
  EXPECT_EQ(windows.FrontWindow(), 40);
}

}  // namespace
}  // namespace korvane::ui
