#pragma once
// Opening and closing a session's child program on a pseudo-terminal: the
// telnet client, a shell that runs the secure-shell client, a local shell, or
// kermit started from the shell. The set-ups type their lines blind through
// SendToHost, paced by PerByteDelay, fixed pauses and bounded waits for the
// child's output; nothing the child prints is examined.
//
// Every value that a set-up puts on a line typed into a shell, the telnet
// client or kermit (host, port, user, terminal name, options, folders) is
// checked first; a value that could end the line, start a command or expand
// is refused with an alert and nothing is started. Programs that are missing
// are named in a line in the session window instead of failing silently.
//
// The class holds no state of its own but the lines one start types: the
// launcher's values live in the session's Connection, the settings in its
// SessionOptions. One is made wherever a session is opened or closed.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "connection/ChildPrograms.h"
#include "connection/Connection.h"
#include "platform/Alerts.h"
#include "platform/Processes.h"
#include "settings/SessionOptions.h"

namespace korvane {

class SessionChild {
 public:
  SessionChild(SessionOptions& opt, Connection& connection, platform::Processes& childProcesses,
               platform::Alerts& alertRoutines, const ChildPrograms& childPrograms)
      : Opt(opt), conn(connection), processes(childProcesses), alerts(alertRoutines), programs(childPrograms) {}

  // Alert ids.
  static constexpr int kRefusedSettingAlert = 0;
  static constexpr int kConfirmCloseAlert = 301;

  // ---- The child process ---------------------------------------------------
  // Starts the program of `commandLine` (words separated by single blanks,
  // at most 9, word 0 the full path) on a new pseudo-terminal and puts its
  // stream into `stream`. Returns 0, or 1 too many words, 3 no terminal or
  // process, 4 no stream, 5 no non-blocking stream; the failure is written as
  // a line into the session window. After 1 and 3 `stream` is unchanged,
  // after 4 and 5 it is null. A program that cannot be executed is not a
  // failure here: its error text reaches the session as host output.
  int SetupPseudoTTYToChild(std::string_view commandLine, std::unique_ptr<HostLink>& stream);
  // Closes a child's stream: the child is hung up and reaped.
  static int ClosePtyFile(HostLink* stream);
  // -1 when the child has written something not yet read, else 0.
  static int PtyHasData(HostLink* stream);
  // Wait until the child has written something or 300 (30) ticks have
  // passed, with the watch cursor turning.
  int WaitPtyData5s() { return WaitPtyData(300); }
  int WaitPtyDataHalfSecond() { return WaitPtyData(30); }

  // ---- Opening -------------------------------------------------------------
  // Opens the session's connection for telnet, secure shell or local shell,
  // as the kind flags say; returns 0.
  int StartSessionChild();

  // ---- Closing ---------------------------------------------------------------
  // Types the logout sequence of the session's kind, closes the stream and
  // forgets it; returns 0.
  int CloseSessionChild();
  // Closes the connection after the user's confirmation: the child is logged
  // out, or the modem hung up and the serial port closed; then the window
  // title and state are brought up to date.
  int CloseConnection();
  // A child that has ended by itself (all its output read): it is reaped,
  // the connection is closed and the window says how the child ended.
  // False when the child has not ended.
  bool EndOfChild();

  // ---- Single control characters for scripted requests ----------------------
  // The control character of the letter in conn.ScriptKeyText ("c" and "C"
  // send 3, "[" sends 27).
  int SendControlLetter();
  int SendEscapeToHost() { return conn.SendToHost("", 27); }
  int SendTabToHost() { return conn.SendToHost("", 9); }

  SessionOptions& Opt;
  Connection& conn;
  platform::Processes& processes;
  platform::Alerts& alerts;
  const ChildPrograms& programs;

 private:
  struct TypedLine {
    std::string text;
    int pauseMs;
  };
  enum class KermitKind { Telnet, SecureShell, LocalShell };
  struct KermitPlace {
    std::string folder;
    bool inAppFolder = false;
  };

  // `term`: the terminal name the child's environment announces.
  int StartPtyChild(std::string_view commandLine, std::unique_ptr<HostLink>& stream, bool asLoginShell,
                    const std::string& term);
  int ReportStartFailure(int code);
  int WaitPtyData(int ticks);

  void TelnetBranch();
  void SecureShellBranch();
  void LocalShellBranch();

  // Starts the branch's child with `term` in its environment; false when no
  // child runs afterwards.
  bool StartBranchChild(bool asLoginShell, const std::string& term);
  void TypeLine(std::string_view line) {
    typed_.emplace_back(line);
    conn.SendToHost(line, 13);
  }
  void Pause(int ms) { conn.clock().Delay(ms); }
  // The echo of the lines typed so far is left out of what host input reads;
  // everything the client or the host says is shown (a login prompt, a
  // host-key question, an error).
  void HoldBackEcho();
  // Writes how the child ended (an exit status or a signal) in the window.
  void ReportChildEnd(const LinkEnd& end);
  // The name of the program the session's child runs, for the user.
  std::string ChildProgramName() const;
  // Leaves a telnet client (or the secure-shell client's shell) with `word`.
  void LeaveClient(std::string_view word);

  // The kermit lines of a kind, from the folder line to the transfer folder
  // (and, for telnet, the connect line), each with its pause.
  std::vector<TypedLine> KermitLines(KermitKind kind, const std::string& termName, const KermitPlace& place) const;
  bool KermitOptionsTyped() const;

  // Checks; each shows the alert itself and returns false on refusal.
  bool CheckHost(const std::string& host, std::string_view window);
  bool CheckPort(const std::string& port, std::string_view window);
  bool CheckUser(const std::string& user, std::string_view window);
  bool CheckTerminalName(const std::string& name, std::string_view window);
  bool CheckOptions(const std::string& options, std::string_view window, bool secureShell);
  bool CheckLines(const std::vector<std::string>& lines, std::string_view window);
  bool FindKermit(KermitPlace& place);
  bool ProgramPresent(const std::string& path);
  bool CommandOnPath(const std::string& name);
  void Refuse(std::string_view first, std::string_view second);
  void ReportMissing(const std::string& text);

  // A host as a shell word: an IPv6 address in brackets is quoted, since the
  // shell would take the brackets for a pattern.
  static std::string ShellWord(const std::string& host);
  std::string VersionNumber() const;

  // The lines this start has typed, in order.
  std::vector<std::string> typed_;
};

}  // namespace korvane
