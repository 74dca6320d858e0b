// The connection windows: telnet (15), local shell (16), secure shell (17),
// keep-alive (24), modem initialisation (25) and the login scripts (40).
//
// What these windows store is later typed into a shell or handed to a
// client, so each field is checked when it is confirmed: a value the
// connection would refuse is refused here, with the field named, and
// nothing is stored.

#include <algorithm>

#include "connection/FieldChecks.h"
#include "connection/TerminalNames.h"
#include "settings/SettingsText.h"
#include "ui/dialogs/ControlAccess.h"
#include "ui/dialogs/SettingsDialogs.h"

namespace korvane::ui {

namespace {

// The terminal name a connection window proposes for the session's emulation.
std::string EmulationTermName(const SessionOptions& Opt, bool scoAnsi) {
  if (scoAnsi && Opt.ScoAnsiMode) return "ANSI";
  return TermNameFromEmulation(Opt, TermTable::Remote, "");
}

constexpr const char* kModemPresets[] = {"AT&F&Q0&K0", "AT&FM0&Q0&K0", "AT&F&Q5&K0", "AT&FM0&Q5&K0", "AT&F", "AT&F%C1"};
constexpr int kModemPresetRadios[] = {3, 4, 5, 6, 8, 13};
constexpr int kModemCustomRadio = 12;

}  // namespace

// ---- Telnet (15) -------------------------------------------------------------------------

void SettingsDialogs::OpenTelnetOptions(SessionOptions& Opt) {
  if (s_.host.PrefsLocked()) return;
  s_.host.SelectSessionWindowIfNone();
  platform::Controls* c = Open(kTelnetWindow);
  SetText(c, 3, Opt.TelnetHost);
  SetText(c, 4, Opt.TelnetPort.empty() ? "23" : Opt.TelnetPort);
  SetText(c, 5, Opt.TelnetTerminalType.empty() ? EmulationTermName(Opt, true) : Opt.TelnetTerminalType);
  SetText(c, 13, Opt.TelnetOptions);
  Set(c, 10, Opt.DiscardLoginOutput133 != 0);
  Set(c, 14, Opt.TelnetViaShell != 0);
  Set(c, 16, Opt.PtyOption159 != 0);
  Set(c, 18, Opt.KermitFlushOutput != 0);
  Focus(c, 3);
}

bool SettingsDialogs::TelnetOptions(int control, SessionOptions& Opt) {
  platform::Controls* c = Controls(kTelnetWindow);
  switch (control) {
    case 14:
      if (!On(c, 14)) Set(c, 16, false);
      return true;
    case 10:
    case 16:
    case 18:
    case 3:
    case 4:
    case 5:
    case 13: return true;  // check boxes change themselves; typing
    case 17:
      Set(c, 16, false);
      Set(c, 14, true);
      Set(c, 10, false);
      Set(c, 18, false);
      SetText(c, 4, "23");
      SetText(c, 13, "");
      SetText(c, 5, EmulationTermName(Opt, true));
      return true;
    case 8: {
      std::string host = Text(c, 3);
      // A host followed by further words is the host alone.
      if (const std::size_t blank = host.find(' '); blank != std::string::npos) host.resize(blank);
      const std::string port = Text(c, 4), term = Text(c, 5), options = Text(c, 13);
      if (!IsValidHostName(host)) {
        Stop("The host name may hold only letters, digits, \".\", \"-\" and \":\", and may not begin with \"-\".");
        Focus(c, 3);
        return true;
      }
      if (!IsValidPort(port)) {
        Stop("The port must be a number of at most five digits.");
        Focus(c, 4);
        return true;
      }
      if (!IsValidTerminalName(term)) {
        Stop("The terminal type may hold only letters, digits, \"-\", \"+\" and \".\".");
        Focus(c, 5);
        return true;
      }
      if (!IsValidOptionText(options)) {
        Stop("The telnet options hold characters that cannot be passed to telnet.");
        Focus(c, 13);
        return true;
      }
      Opt.TelnetHost = host;
      Opt.TelnetPort = port;
      Opt.TelnetTerminalType = term;
      Opt.TelnetOptions = options;
      Opt.DiscardLoginOutput133 = On(c, 10) ? 1 : 0;
      Opt.TelnetViaShell = On(c, 14) ? 1 : 0;
      Opt.PtyOption159 = On(c, 16) ? 1 : 0;
      Opt.KermitFlushOutput = On(c, 18) ? 1 : 0;
      s_.host.MarkSettingsChanged();
      Close(kTelnetWindow);
      return true;
    }
    case 9: Close(kTelnetWindow); return true;
    case 12: s_.host.OpenResourceDocument("Dialog Help Files:Telnet Login Options.rtf"); return true;
    case 99: Help("Telnet Help.rtf", "Aide Telnet.rtf"); return true;
    default: return false;
  }
}

// ---- Local shell (16) ------------------------------------------------------------------

void SettingsDialogs::OpenShellOptions(SessionOptions& Opt) {
  if (s_.host.PrefsLocked()) return;
  s_.host.SelectSessionWindowIfNone();
  platform::Controls* c = Open(kShellWindow);
  Set(c, 4, Opt.ShellRunsProgram != 0);
  Set(c, 5, Opt.ShellRunsTcsh != 0);
  Set(c, 2, Opt.ShellRunsLogin != 0);
  Set(c, 16, Opt.PtyOption161 != 0);
  SetText(c, 3, Opt.ShellProgram);
}

bool SettingsDialogs::ShellOptions(int control, SessionOptions& Opt) {
  platform::Controls* c = Controls(kShellWindow);
  switch (control) {
    case 2:
    case 5:
    case 4: SetRadioGroup(kShellWindow, {2, 5, 4}, control); return true;
    case 3:
    case 16: return true;
    case 8: {
      const std::string program = Text(c, 3);
      if (On(c, 4)) {
        if (program.empty()) {
          Stop("Enter the program the local shell runs.");
          Focus(c, 3);
          return true;
        }
        if (!IsTypeablePath(program)) {
          Stop(
              "The program must be given by its full path, of letters, digits and \"/\", \".\", \"_\", \"-\" "
              "and \"+\".");
          Focus(c, 3);
          return true;
        }
      }
      if (On(c, 4) || On(c, 5) || On(c, 2)) {
        Opt.ShellRunsProgram = On(c, 4) ? 1 : 0;
        Opt.ShellRunsTcsh = On(c, 5) ? 1 : 0;
        Opt.ShellRunsLogin = On(c, 2) ? 1 : 0;
      }
      Opt.PtyOption161 = On(c, 16) ? 1 : 0;
      Opt.ShellProgram = program;
      s_.host.MarkSettingsChanged();
      Close(kShellWindow);
      return true;
    }
    case 9: Close(kShellWindow); return true;
    case 99: Help("Local Shell Help.rtf", "Aide interpréteur de commandes local.rtf"); return true;
    default: return false;
  }
}

// ---- Secure shell (17) ------------------------------------------------------------------

void SettingsDialogs::OpenSshOptions(SessionOptions& Opt) {
  if (s_.host.PrefsLocked()) return;
  s_.host.SelectSessionWindowIfNone();
  platform::Controls* c = Open(kSshWindow);
  SetText(c, 2, Opt.SshHost);
  SetText(c, 10, Opt.SshUser);
  SetText(c, 12, Opt.SshTerminalType.empty() ? EmulationTermName(Opt, false) : Opt.SshTerminalType);
  SetText(c, 14, Opt.SshPort.empty() ? "22" : Opt.SshPort);
  SetText(c, 16, Opt.SshExtraOptions);
  Set(c, 17, Opt.DiscardLoginOutput134 != 0);
  Set(c, 20, Opt.PtyOption160 != 0);
  Focus(c, 2);
}

bool SettingsDialogs::SshOptions(int control, SessionOptions& Opt) {
  platform::Controls* c = Controls(kSshWindow);
  switch (control) {
    case 2:
    case 10:
    case 12:
    case 14:
    case 16:
    case 17:
    case 20: return true;
    case 3: {
      const std::string host = Text(c, 2), user = Text(c, 10), term = Text(c, 12), port = Text(c, 14),
                        options = Text(c, 16);
      if (!IsValidHostName(host)) {
        Stop("The host name may hold only letters, digits, \".\", \"-\" and \":\", and may not begin with \"-\".");
        Focus(c, 2);
        return true;
      }
      if (!user.empty() && !IsValidUserName(user)) {
        Stop("A user name may hold only letters, digits, \".\", \"_\" and \"-\", and may not begin with \"-\".");
        Focus(c, 10);
        return true;
      }
      if (!IsValidTerminalName(term)) {
        Stop("The terminal type may hold only letters, digits, \"-\", \"+\" and \".\".");
        Focus(c, 12);
        return true;
      }
      if (!IsValidPort(port)) {
        Stop("The port must be a number of at most five digits.");
        Focus(c, 14);
        return true;
      }
      if (!IsValidOptionText(options) || NamesLocalCommand(options)) {
        Stop("The secure shell options hold characters or commands that cannot be passed to ssh.");
        Focus(c, 16);
        return true;
      }
      Opt.SshHost = host;
      Opt.SshUser = user;
      Opt.SshTerminalType = term;
      Opt.SshPort = port;
      Opt.SshExtraOptions = options;
      Opt.DiscardLoginOutput134 = On(c, 17) ? 1 : 0;
      Opt.PtyOption160 = On(c, 20) ? 1 : 0;
      s_.host.MarkSettingsChanged();
      Close(kSshWindow);
      return true;
    }
    case 4: Close(kSshWindow); return true;
    case 6: s_.host.OpenResourceDocument("Dialog Help Files:Secure Shell Login Options.rtf"); return true;
    case 99: Help("Secure Shell Help.rtf", "Aide interpréteur de commandes sécurisé.rtf"); return true;
    default: return false;
  }
}

// ---- Keep-alive (24) ----------------------------------------------------------------------

void SettingsDialogs::OpenKeepAlive(SessionOptions& Opt) {
  if (s_.host.PrefsLocked()) return;
  s_.host.SelectSessionWindowIfNone();
  platform::Controls* c = Open(kKeepAliveWindow);
  SetText(c, 7, std::to_string(Opt.KeepAlive == 0 ? 10 : Opt.KeepAlive));
  SetText(c, 3, "");
  Focus(c, 3);
}

bool SettingsDialogs::KeepAlive(int control, SessionOptions& Opt) {
  platform::Controls* c = Controls(kKeepAliveWindow);
  switch (control) {
    case 1: {
      int minutes = 0;
      if (!ReadNumberField(kKeepAliveWindow, 7, 0, 32767, "Keep-alive time (minutes):", minutes)) return true;
      // The time is taken even when the password is missing.
      Opt.KeepAlive = static_cast<int16_t>(minutes);
      const std::string password = Text(c, 3);
      if (password.empty()) {
        Stop("You must enter the Admin Password");
        Focus(c, 3);
        return true;
      }
      SetText(c, 3, "");
      Close(kKeepAliveWindow);
      s_.host.RequestKeepAlive(password);
      return true;
    }
    case 2: Close(kKeepAliveWindow); return true;
    case 3:
    case 7: return true;
    default: return false;
  }
}

// ---- Modem initialisation (25) --------------------------------------------------------------

void SettingsDialogs::OpenModemInitialization(SessionOptions& Opt) {
  if (s_.host.PrefsLocked()) return;
  s_.host.SelectSessionWindowIfNone();
  platform::Controls* c = Open(kModemInitWindow);
  modemString61Work_ = Opt.ModemString61;
  SetText(c, 2, Opt.ModemInitString);
  int chosen = kModemCustomRadio;
  for (std::size_t i = 0; i < std::size(kModemPresets); ++i)
    if (Opt.ModemInitString == kModemPresets[i]) chosen = kModemPresetRadios[i];
  SetRadioGroup(kModemInitWindow, {3, 4, 5, 6, 8, 12, 13}, chosen);
}

bool SettingsDialogs::ModemInitialization(int control, SessionOptions& Opt) {
  platform::Controls* c = Controls(kModemInitWindow);
  for (std::size_t i = 0; i < std::size(kModemPresets); ++i) {
    if (control != kModemPresetRadios[i]) continue;
    SetRadioGroup(kModemInitWindow, {3, 4, 5, 6, 8, 12, 13}, control);
    SetText(c, 2, kModemPresets[i]);
    return true;
  }
  switch (control) {
    case kModemCustomRadio:
      SetRadioGroup(kModemInitWindow, {3, 4, 5, 6, 8, 12, 13}, kModemCustomRadio);
      SetText(c, 2, modemString61Work_);
      return true;
    case 2: return true;
    case 9: {
      const std::string typed = Text(c, 2);
      if (typed.size() > kMaxSettingsText) {
        Stop("The initialization string may hold at most 255 characters.");
        return true;
      }
      Opt.ModemInitString = typed;
      const bool preset =
          std::find(std::begin(kModemPresets), std::end(kModemPresets), typed) != std::end(kModemPresets);
      Opt.ModemInitChoice = preset ? 0 : 1;
      if (!preset) Opt.ModemString61 = typed;
      s_.host.MarkSettingsChanged();
      Close(kModemInitWindow);
      return true;
    }
    case 10: Close(kModemInitWindow); return true;
    default: return false;
  }
}

// ---- Login scripts (40) ------------------------------------------------------------------------

void SettingsDialogs::DialogF(SessionOptions& Opt) {
  s_.host.SelectSessionWindowIfNone();
  platform::Controls* c = Open(kLoginScriptsWindow);
  SetText(c, 9, Opt.ConnectionString86);
  Set(c, 4, Opt.CloseHold != 0);
  closeHoldWork_ = Opt.CloseHold;
}

bool SettingsDialogs::LoginScripts(int control, SessionOptions& Opt) {
  platform::Controls* c = Controls(kLoginScriptsWindow);
  auto store = [&]() -> bool {
    const std::string text = Text(c, 9);
    if (text.size() > kMaxSettingsText) {
      Stop("The text to wait for may hold at most 255 characters.");
      return false;
    }
    Opt.ConnectionString86 = text;
    Opt.CloseHold = closeHoldWork_;
    s_.host.MarkSettingsChanged();
    return true;
  };
  switch (control) {
    case 4: closeHoldWork_ = On(c, 4) ? 1 : 0; return true;
    case 9: return true;
    case 6:
    case 7:
      if (store()) OpenConnectionDialog(Opt, control == 6 ? "Open Connection" : "Close Connection");
      return true;
    case 1:
      if (store()) Close(kLoginScriptsWindow);
      return true;
    case 2: Close(kLoginScriptsWindow); return true;
    default: return false;
  }
}

}  // namespace korvane::ui
