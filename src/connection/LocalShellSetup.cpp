// The local-shell branch: tcsh, the login shell or the user's own program on
// the pseudo-terminal; tcsh is told the terminal name and the window size,
// or starts kermit in its folder.

#include <string>
#include <vector>

#include "connection/SessionChild.h"
#include "connection/TerminalNames.h"

namespace korvane {
namespace {

// A number as the program writes it into a line: one leading blank when it
// is not negative.
std::string NumberText(int n) { return (n >= 0 ? " " : "") + std::to_string(n); }

}  // namespace

void SessionChild::LocalShellBranch() {
  static constexpr std::string_view kWindow = "Local Shell";
  // The last choice that holds decides; kermit always runs from tcsh.
  if (Opt.ShellRunsTcsh) conn.ChildPath = programs.Tcsh;
  if (Opt.ShellRunsLogin) conn.ChildPath = kLoginProgram;
  if (Opt.ShellRunsProgram) conn.ChildPath = Opt.ShellProgram;
  if (Opt.KermitMode) conn.ChildPath = programs.Tcsh;
  const bool kermit = Opt.KermitMode != 0;
  const bool isTcsh = conn.ChildPath == programs.Tcsh;
  const bool isLogin = conn.ChildPath == kLoginProgram;
  const std::string term = TermNameFromEmulation(Opt, TermTable::LocalShell, conn.TermTypeString);

  KermitPlace place;
  std::vector<TypedLine> kermitLines;
  if (kermit) {
    if (!FindKermit(place)) return;
    kermitLines = KermitLines(KermitKind::LocalShell, term, place);
    std::vector<std::string> lines;
    for (const TypedLine& l : kermitLines) lines.push_back(l.text);
    if (!CheckLines(lines, kWindow)) return;
  }
  if (!ProgramPresent(isLogin ? programs.LoginShell : conn.ChildPath)) return;
  // Where the table has no name (Viewpoint, Prism) the child still gets the
  // session's own, whose description Korvane ships.
  const std::string childTerm = !term.empty() ? term : TermNameFromEmulation(Opt, TermTable::Remote, std::string());
  if (!StartBranchChild(isLogin, childTerm)) return;

  // Anything but tcsh and the login program is the user's own program, and
  // gets nothing typed.
  if (!isTcsh && !isLogin) return;
  conn.TermTypeString = term;
  ConnectionHost& host = conn.host();
  // The lines are shell commands: they go to tcsh only, never to a login
  // prompt or another shell.
  if (!Opt.ShellRunsLogin && !term.empty() && isTcsh) {
    const int rows = conn.SessionRows;
    const int cols = conn.SessionColumns;
    // The terminal has the size before the shell is told it.
    conn.PtyStream->SetWindowSize(rows, cols);
    TypeLine("setenv TERM " + term);
    WaitPtyData5s();
    TypeLine("stty rows " + NumberText(rows));
    WaitPtyData5s();
    TypeLine("stty cols " + NumberText(cols));
    WaitPtyData5s();
    Pause(500);
    conn.FlushHostInput();
    host.RequestFlushHostInput();
    host.RequestSendReturn();
  }
  if (!kermit) {
    host.RequestSendWindowSize();
    return;
  }
  for (const TypedLine& l : kermitLines) {
    TypeLine(l.text);
    Pause(l.pauseMs);
  }
  WaitPtyData5s();
  Pause(100);
  conn.FlushHostInput();
  Pause(100);
  conn.FlushHostInput();
  host.RequestFlushHostInput();
}

}  // namespace korvane
