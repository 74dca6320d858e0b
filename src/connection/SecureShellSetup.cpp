// The secure-shell branch: the shell gets the terminal name and then the ssh
// command line (typed into kermit instead when kermit is on).

#include <string>
#include <vector>

#include "connection/SessionChild.h"
#include "connection/TerminalNames.h"

namespace korvane {

void SessionChild::SecureShellBranch() {
  static constexpr std::string_view kWindow = "Secure Shell Connection";
  // A name typed into "Enter SSH User Name" serves this one start.
  const std::string user = !conn.PromptedSshUser.empty() ? conn.PromptedSshUser : Opt.SshUser;
  conn.PromptedSshUser.clear();
  ConnectionHost& host = conn.host();
  if (user.empty()) {
    host.RequestSshUserName();
    return;
  }
  const bool kermit = Opt.KermitMode != 0;
  // With no user-set name and no emulation flag there is no name: the TERM
  // line is then typed empty.
  const std::string term =
      !Opt.SshTerminalType.empty() ? Opt.SshTerminalType : TermNameFromEmulation(Opt, TermTable::Remote, std::string());
  const std::string& options = Opt.SshExtraOptions;
  const std::string& port = Opt.SshPort;

  if (!CheckTerminalName(term, kWindow) || !CheckHost(Opt.SshHost, kWindow) || !CheckUser(user, kWindow) ||
      !CheckPort(port, kWindow))
    return;
  if (!options.empty() && !CheckOptions(options, kWindow, true)) return;
  // The options come before "--", which ends them: the host after it is
  // never read as an option.
  std::string command = "ssh -l " + user + " ";
  if (!options.empty()) command += options + " ";
  if (!port.empty()) command += "-p " + port + " ";
  command += "-- " + (kermit ? Opt.SshHost : ShellWord(Opt.SshHost));
  // Typed into the shell, the shell gives way to the client: the session
  // ends with the connection instead of going back to a local shell.
  if (!kermit) command = "exec " + command;

  std::vector<std::string> lines = {"setenv TERM " + term, command};
  KermitPlace place;
  std::vector<TypedLine> kermitLines;
  if (kermit) {
    if (KermitOptionsTyped() && !CheckOptions(Opt.TelnetOptions, "Telnet Connection...", false)) return;
    if (!FindKermit(place)) return;
    kermitLines = KermitLines(KermitKind::SecureShell, term, place);
    for (const TypedLine& l : kermitLines) lines.push_back(l.text);
  }
  if (!CheckLines(lines, kWindow)) return;
  if (!ProgramPresent(programs.Tcsh)) return;
  if (!CommandOnPath("ssh")) return;

  host.SpinWatchCursor();
  conn.ChildPath = programs.Tcsh;
  const bool started = StartBranchChild(false, term);
  host.SpinWatchCursor();
  if (!started) return;

  TypeLine("setenv TERM " + term);
  Pause(100);
  host.SpinWatchCursor();
  conn.PerByteDelay = 100;
  for (const TypedLine& l : kermitLines) {
    TypeLine(l.text);
    Pause(l.pauseMs);
  }
  TypeLine(command);
  if (Opt.DiscardLoginOutput134 == 0 && Opt.CloseHold == 0) HoldBackEcho();
  host.ShowArrowCursor();
}

}  // namespace korvane
