// The files the end-to-end comparison runs on: the generated host output of
// the throughput benchmarks written to a file, and settings documents of a
// local session that runs a given program.
//
//   korvane_bench_files stream text|vt|wyse BYTES OUT
//       lines of 1 to 79 characters ended by CR LF; VT220 cursor addresses,
//       renditions, colours and text; Wyse 60 cursor addresses, attributes
//       and text (24 x 80)
//   korvane_bench_files document vt220|wy60 OUT PROGRAM [ARGUMENT...]
//       a local session of that emulation at 80 x 24, with scroll-back, whose
//       child is PROGRAM with its arguments (no word may hold a blank)
//   korvane_bench_files drain PROGRAM [ARGUMENT...]
//       runs PROGRAM on a pseudo-terminal set up as a local session's (80 x
//       24, the system's terminal settings) and reads everything it writes,
//       doing nothing with it: what the terminal alone delivers, the most
//       any terminal emulator can show

#include <poll.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "BenchEmulations.h"
#include "Streams.h"
#include "fakes/RecordingSettingsHost.h"
#include "platform/posix/PosixFiles.h"
#include "platform/posix/PosixProcesses.h"
#include "platform/posix/PtyChild.h"
#include "settings/Settings.h"

namespace {

using namespace korvane;

// A benchmark that meets an alert has failed: the alert is printed, not shown.
class PrintedAlerts final : public platform::Alerts {
 public:
  int Show(platform::AlertKind, int, const std::string& a, const std::string& b, const std::string& c,
           const std::string& d) override {
    std::fprintf(stderr, "alert: %s%s%s%s\n", a.c_str(), b.c_str(), c.c_str(), d.c_str());
    return 1;
  }
};

int Usage() {
  std::fprintf(stderr,
               "usage: korvane_bench_files stream text|vt|wyse BYTES OUT\n"
               "       korvane_bench_files document vt220|wy60 OUT PROGRAM [ARGUMENT...]\n"
               "       korvane_bench_files drain PROGRAM [ARGUMENT...]\n");
  return 2;
}

int WriteStream(const std::string& kind, const std::string& bytesText, const std::string& out) {
  char* end = nullptr;
  const unsigned long long bytes = std::strtoull(bytesText.c_str(), &end, 10);
  if (end == bytesText.c_str() || *end != '\0' || bytes == 0) return Usage();
  std::string stream;
  if (kind == "text")
    stream = bench::PlainTextLines(bytes, 7);
  else if (kind == "vt")
    stream = bench::VtAddressedWrites(bytes, 7, 24, 80);
  else if (kind == "wyse")
    stream = bench::WyseAddressedWrites(bytes, 7, 24, 80);
  else
    return Usage();
  std::ofstream file(out, std::ios::binary);
  file.write(stream.data(), static_cast<std::streamsize>(stream.size()));
  file.close();
  if (!file) {
    std::fprintf(stderr, "korvane_bench_files: cannot write %s\n", out.c_str());
    return 1;
  }
  return 0;
}

int WriteDocument(const std::string& emulation, const std::string& out, const std::vector<std::string>& command) {
  std::string line;
  for (const std::string& word : command) {
    if (word.empty() || word.find_first_of(" \t") != std::string::npos) {
      std::fprintf(stderr, "korvane_bench_files: \"%s\": a word of the program's line may not hold a blank\n",
                   word.c_str());
      return 2;
    }
    line += (line.empty() ? "" : " ") + word;
  }
  struct {
    SessionOptions Opt;
    SettingsState state;
  } s;
  platform::PosixFiles files;
  Preferences prefs(files.PreferencesFolderPath());
  PrintedAlerts alerts;
  fakes::RecordingSettingsHost host;
  Settings settings(s.Opt, s.state, prefs, files, alerts, host);
  settings.SetDefaultSettings();
  if (emulation == "vt220")
    bench::Vt220(s.Opt);
  else if (emulation == "wy60")
    bench::Wyse60(s.Opt);
  else
    return Usage();
  s.Opt.UsesPty = 1;
  s.Opt.LocalShellSession = 1;
  s.Opt.TelnetSession = 0;
  s.Opt.SshSession = 0;
  s.Opt.ShellRunsProgram = 1;
  s.Opt.ShellProgram = line;
  s.Opt.AutoWrapOn = 1;
  s.Opt.ScrollBackOn = 1;
  return settings.WriteSettingsFile(out) ? 0 : 1;
}

int Drain(const std::vector<std::string>& command) {
  platform::posix::PosixProcesses processes;
  platform::PtyChildRequest request;
  request.program = command[0];
  request.argv = command;
  request.rows = 24;
  request.cols = 80;
  platform::PtyChildStart start = processes.StartPtyChild(request);
  auto* child = dynamic_cast<platform::posix::PtyChild*>(start.stream.get());
  if (start.code != 0 || !child) {
    std::fprintf(stderr, "korvane_bench_files: cannot start %s (code %d)\n", command[0].c_str(), start.code);
    return 1;
  }
  std::vector<uint8_t> buffer(64 * 1024);
  for (;;) {
    const int n = child->Read(buffer.data(), static_cast<int>(buffer.size()));
    if (n < 0) {
      // A program that could not run, or failed, gives no figure to trust.
      child->Close();
      const LinkEnd end = child->EndOfLink();
      if (end.how == LinkEnd::How::Exited && end.code == 0) return 0;
      std::fprintf(stderr, "korvane_bench_files: %s ended with %s %d\n", command[0].c_str(),
                   end.how == LinkEnd::How::Signalled ? "signal" : "status", end.code);
      return 1;
    }
    if (n > 0) continue;
    pollfd p{child->fd(), POLLIN, 0};
    if (poll(&p, 1, 1000) < 0 && errno != EINTR) return 1;
  }
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 4 && args[0] == "stream") return WriteStream(args[1], args[2], args[3]);
  if (args.size() >= 4 && args[0] == "document")
    return WriteDocument(args[1], args[2], std::vector<std::string>(args.begin() + 3, args.end()));
  if (args.size() >= 2 && args[0] == "drain") return Drain(std::vector<std::string>(args.begin() + 1, args.end()));
  return Usage();
}
