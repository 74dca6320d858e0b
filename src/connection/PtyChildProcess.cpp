// Starting a child program on a pseudo-terminal, and the small operations on
// its stream: close, test for waiting output, bounded waits for output.

#include <string>
#include <vector>

#include "connection/ChildEnvironment.h"
#include "connection/SessionChild.h"

namespace korvane {
namespace {

constexpr int kMostWords = 9;
// Pause between two polls of a wait: keeps a wait from spinning a core.
constexpr int kPollMs = 5;

// Words separated by single blanks: two blanks give an empty word between
// them, a leading or trailing blank an empty first or last word. False when
// the line holds more words than a child is given.
bool SplitCommandLine(std::string_view line, std::vector<std::string>& words) {
  words.clear();
  for (;;) {
    const size_t blank = line.find(' ');
    if (static_cast<int>(words.size()) == kMostWords) return false;
    words.emplace_back(line.substr(0, blank));
    if (blank == std::string_view::npos) return true;
    line.remove_prefix(blank + 1);
  }
}

const char* FailureText(int code) {
  switch (code) {
    case 1: return "Too many args specified in SetupPseudoTTYToChild";
    case 2: return "tcgetattr failed in SetupPseudoTTYToChild";
    case 3: return "forkpty failed in SetupPseudoTTYToChild";
    case 4: return "fdopen failed in SetupPseudoTTYToChild";
    default: return "fcntl failed in SetupPseudoTTYToChild";
  }
}

}  // namespace

int SessionChild::SetupPseudoTTYToChild(std::string_view commandLine, std::unique_ptr<HostLink>& stream) {
  return StartPtyChild(commandLine, stream, false, conn.TermTypeString);
}

int SessionChild::StartPtyChild(std::string_view commandLine, std::unique_ptr<HostLink>& stream, bool asLoginShell,
                                const std::string& term) {
  std::vector<std::string> words;
  if (!SplitCommandLine(commandLine, words)) return ReportStartFailure(1);

  platform::PtyChildRequest request;
  request.program = words[0];
  request.argv = words;
  if (asLoginShell) {
    // A login shell is told so by a "-" before its name, and starts at home.
    const size_t slash = words[0].rfind('/');
    request.argv[0] = "-" + words[0].substr(slash == std::string::npos ? 0 : slash + 1);
    request.workingFolder = programs.HomeFolder;
  }
  request.nonCanonical = (Opt.TelnetSession & Opt.PtyOption159) != 0 || (Opt.SshSession & Opt.PtyOption160) != 0 ||
                         (Opt.LocalShellSession & Opt.PtyOption161) != 0;
  // The child knows its window's size from the start; nothing has to be typed
  // for a program to lay out its screen.
  request.rows = conn.SessionRows;
  request.cols = conn.SessionColumns;
  // Whatever the child is (a shell, the telnet client, the user's own
  // program), it knows the terminal and a character set the session shows
  // from its first instruction on.
  request.environment = ChildEnvironment(Opt, programs, term);

  platform::PtyChildStart started = processes.StartPtyChild(request);
  if (started.code == 0 && !started.stream) started.code = 4;
  if (started.code == 3) return ReportStartFailure(3);
  if (started.code != 0) {
    if (stream) stream->Close();
    stream.reset();
    return ReportStartFailure(started.code);
  }
  // A stream that was still open is replaced: its child is hung up and reaped.
  if (stream) stream->Close();
  stream = std::move(started.stream);
  return 0;
}

int SessionChild::ReportStartFailure(int code) {
  ConnectionHost& host = conn.host();
  host.WriteSessionLine(FailureText(code));
  if (code == 3) {
    Pause(1000);
    host.FlushSessionWindow();
  } else {
    host.FlushSessionWindow();
    Pause(1000);
  }
  return code;
}

int SessionChild::ClosePtyFile(HostLink* stream) {
  if (stream) stream->Close();
  return 0;
}

int SessionChild::PtyHasData(HostLink* stream) { return stream && stream->Waiting() > 0 ? -1 : 0; }

int SessionChild::WaitPtyData(int ticks) {
  ConnectionHost& host = conn.host();
  platform::Clock& clock = conn.clock();
  const int64_t deadline = clock.Ticks() + ticks;
  for (;;) {
    host.SpinWatchCursor();
    HostLink* stream = conn.PtyStream.get();
    // Without a stream, or from a child that has gone, nothing can come.
    if (!stream || PtyHasData(stream) || stream->Ended()) break;
    if (clock.Ticks() > deadline) break;
    clock.Delay(kPollMs);
  }
  host.ShowArrowCursor();
  return 0;
}

}  // namespace korvane
