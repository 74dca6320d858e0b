// The session launcher: the choice of branch, the steps the branches share,
// the checks of typed values, and the telnet branch.

#include <string>
#include <vector>

#include "connection/FieldChecks.h"
#include "connection/SessionChild.h"
#include "connection/TerminalNames.h"

namespace korvane {
namespace {

constexpr size_t kLongestLine = 255;

}  // namespace

int SessionChild::StartSessionChild() {
  // Three tests, each on its own: a branch that stops early still lets the
  // others be tested and reaches the common end.
  if (conn.UsesPty && Opt.TelnetSession) TelnetBranch();
  if (conn.UsesPty && Opt.SshSession) SecureShellBranch();
  if (conn.UsesPty && Opt.LocalShellSession) LocalShellBranch();
  return 0;
}

// ---- Steps the branches share -------------------------------------------

bool SessionChild::StartBranchChild(bool asLoginShell, const std::string& term) {
  const std::string command = asLoginShell ? programs.LoginShell : conn.ChildPath;
  return StartPtyChild(command, conn.PtyStream, asLoginShell, term) == 0 && conn.PtyStream;
}

void SessionChild::HoldBackEcho() {
  // Nothing else is thrown away: a stream that cannot tell echoes apart
  // shows them too.
  if (conn.PtyStream) conn.PtyStream->HoldEchoOf(typed_);
}

std::string SessionChild::VersionNumber() const {
  // VersionText without the word "Version ".
  return programs.VersionText.size() > 8 ? programs.VersionText.substr(8) : std::string();
}

std::string SessionChild::ShellWord(const std::string& host) {
  return !host.empty() && host.front() == '[' ? "'" + host + "'" : host;
}

// ---- Checks -------------------------------------------------------------------

void SessionChild::Refuse(std::string_view first, std::string_view second) {
  alerts.Show(platform::AlertKind::Stop, kRefusedSettingAlert, std::string(first), "\r", std::string(second));
}

bool SessionChild::CheckHost(const std::string& host, std::string_view window) {
  if (IsValidHostName(host)) return true;
  Refuse("The host name in the " + std::string(window) + " window cannot be used.",
         "A host name may hold only letters, digits, \".\", \"-\" and \":\" (an IPv6 address may be put in "
         "\"[ ]\"), and may not start with \"-\".");
  return false;
}

bool SessionChild::CheckPort(const std::string& port, std::string_view window) {
  if (IsValidPort(port)) return true;
  Refuse("The port in the " + std::string(window) + " window cannot be used.",
         "A port is a number of at most five digits.");
  return false;
}

bool SessionChild::CheckUser(const std::string& user, std::string_view window) {
  if (IsValidUserName(user)) return true;
  Refuse("The user name for the " + std::string(window) + " window cannot be used.",
         "A user name may hold only letters, digits, \".\", \"_\" and \"-\", and may not start with \"-\".");
  return false;
}

bool SessionChild::CheckTerminalName(const std::string& name, std::string_view window) {
  if (IsValidTerminalName(name)) return true;
  Refuse("The terminal type in the " + std::string(window) + " window cannot be used.",
         "A terminal type may hold only letters, digits, \"-\", \"+\" and \".\".");
  return false;
}

bool SessionChild::CheckOptions(const std::string& options, std::string_view window, bool secureShell) {
  if (!IsValidOptionText(options)) {
    Refuse("The options in the " + std::string(window) + " window cannot be used.",
           "Options may hold only letters, digits, blanks and the characters - = . , _ / : @ + % ^ "
           "(and ~ at the start of a word).");
    return false;
  }
  if (secureShell && NamesLocalCommand(options)) {
    Refuse("The options in the " + std::string(window) + " window cannot be used.",
           "Options that make ssh run a command on this computer (such as ProxyCommand or LocalCommand) are "
           "not accepted.");
    return false;
  }
  return true;
}

bool SessionChild::CheckLines(const std::vector<std::string>& lines, std::string_view window) {
  for (const std::string& line : lines) {
    if (line.size() <= kLongestLine) continue;
    // Cutting the line would type another command than the settings say
    // (a port "2222" becomes "22").
    Refuse("The settings of the " + std::string(window) +
               " window make a command line of more than 255 "
               "characters.",
           "Shorten the host name, the terminal type or the options.");
    return false;
  }
  return true;
}

void SessionChild::ReportMissing(const std::string& text) {
  ConnectionHost& host = conn.host();
  host.WriteSessionLine(text);
  host.FlushSessionWindow();
  Pause(1000);
}

bool SessionChild::ProgramPresent(const std::string& path) {
  // Only the program's own path: its arguments are the program's business.
  const std::string program = path.substr(0, path.find(' '));
  if (processes.IsExecutableFile(program)) return true;
  ReportMissing("Cannot start " + (program.empty() ? std::string("the session's program") : program) +
                ": it is not installed or cannot be executed.");
  return false;
}

bool SessionChild::CommandOnPath(const std::string& name) {
  if (!processes.FindOnPath(name).empty()) return true;
  ReportMissing("Cannot start " + name + ": it was not found on the PATH.");
  return false;
}

// ---- Telnet -------------------------------------------------------------------

void SessionChild::TelnetBranch() {
  static constexpr std::string_view kWindow = "Telnet Connection...";
  const bool viaShell = Opt.TelnetViaShell != 0;
  const bool kermit = Opt.KermitMode != 0;
  // Kermit always runs from the shell, whatever TelnetViaShell says.
  const std::string& child = (viaShell || kermit) ? programs.Tcsh : programs.Telnet;
  const std::string term = !Opt.TelnetTerminalType.empty()
                               ? Opt.TelnetTerminalType
                               : TermNameFromEmulation(Opt, TermTable::Remote, conn.TermTypeString);
  const std::string& hostName = Opt.TelnetHost;
  const std::string& port = Opt.TelnetPort;
  const std::string& options = Opt.TelnetOptions;
  const std::string version = "\"" + VersionNumber() + "\"";

  // Everything that will be typed is made and checked before anything starts.
  if (!CheckTerminalName(term, kWindow) || !CheckHost(hostName, kWindow) || !CheckPort(port, kWindow)) return;
  std::vector<std::string> lines;
  std::vector<std::string> optionLines;
  std::string connect;
  KermitPlace place;
  std::vector<TypedLine> kermitLines;
  if (kermit) {
    if (KermitOptionsTyped() && !CheckOptions(options, kWindow, false)) return;
    if (!FindKermit(place)) return;
    kermitLines = KermitLines(KermitKind::Telnet, term, place);
    for (const TypedLine& l : kermitLines) lines.push_back(l.text);
  } else if (viaShell) {
    if (!options.empty() && !CheckOptions(options, kWindow, false)) return;
    // "--" ends the client's options: the host and the port after it are
    // never read as options.
    // The shell gives way to the client, so that the session ends with the
    // connection instead of going back to a local shell.
    connect =
        "exec telnet " + (options.empty() ? std::string() : options + " ") + "-- " + ShellWord(hostName) + " -" + port;
  } else {
    if (!options.empty() && !CheckOptions(options, kWindow, false)) return;
    // One "set" line per comma-separated piece; empty pieces are skipped.
    size_t start = 0;
    while (start <= options.size() && !options.empty()) {
      const size_t comma = options.find(',', start);
      const std::string piece = options.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
      if (!piece.empty()) optionLines.push_back("set " + piece);
      if (comma == std::string::npos) break;
      start = comma + 1;
    }
    lines.insert(lines.end(), optionLines.begin(), optionLines.end());
    lines.push_back("environ unexport TERM");
    lines.push_back("environ define TERM_PROGRAM_VERSION " + version);
    connect = "open " + hostName + " -" + port;
  }
  if (!kermit) lines.push_back(connect);
  if (viaShell || kermit) {
    lines.push_back("setenv TERM " + term);
    lines.push_back("setenv TERM_PROGRAM_VERSION " + version);
  }
  if (!CheckLines(lines, kWindow)) return;
  if (!ProgramPresent(child)) return;
  if (viaShell && !kermit && !CommandOnPath("telnet")) return;

  conn.ChildPath = child;
  conn.TermTypeString = term;
  ConnectionHost& host = conn.host();
  host.SpinWatchCursor();
  if (!StartBranchChild(false, term)) return;
  WaitPtyData5s();
  host.SpinWatchCursor();

  if (viaShell || kermit) {
    // The shell's environment, handed on to the client it starts.
    conn.PerByteDelay = 10;
    if (!term.empty()) TypeLine("setenv TERM " + term);
    Pause(100);
    conn.PerByteDelay = 10;
    TypeLine("setenv TERM_PROGRAM Korvane");
    Pause(100);
    conn.PerByteDelay = 10;
    TypeLine("setenv MODE character");
    Pause(100);
    conn.PerByteDelay = 10;
    TypeLine("setenv TERM_PROGRAM_VERSION " + version);
    Pause(100);
  } else {
    // The client's own commands: the environment it passes to the host.
    Pause(100);
    conn.PerByteDelay = 10;
    TypeLine("environ define TERM " + term);
    Pause(100);
    conn.PerByteDelay = 10;
    // The variable alone: the client refuses the line with anything after it.
    TypeLine("environ unexport TERM");
    Pause(100);
    conn.PerByteDelay = 10;
    TypeLine("environ define MODE character");
    Pause(100);
    if (Opt.KermitFlushOutput && !kermit && Opt.AltEditKeys == 0) {
      conn.PerByteDelay = 10;
      TypeLine("set flushoutput ^F");
      Pause(100);
    }
    conn.PerByteDelay = 10;
    TypeLine("environ define TERM_PROGRAM_VERSION " + version);
    Pause(100);
    for (const std::string& line : optionLines) {
      conn.PerByteDelay = 100;
      TypeLine(line);
    }
  }

  conn.PerByteDelay = 10;
  if (kermit) {
    for (const TypedLine& l : kermitLines) {
      TypeLine(l.text);
      Pause(l.pauseMs);
    }
  } else {
    TypeLine(connect);
  }

  if (Opt.DiscardLoginOutput133 == 0 && Opt.CloseHold == 0) HoldBackEcho();
}

}  // namespace korvane
