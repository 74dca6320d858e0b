// A child program for the connection tests. It records, one line per record,
// into the file named by $KORVANE_RECORDER_LOG: its argument vector, its
// environment, its working folder, its open descriptors, its terminal's size
// and mode, and every chunk of bytes it receives with the monotonic time in
// milliseconds. Values are written in hex so that any byte survives.
//
// It echoes what it receives (as a shell would) unless $KORVANE_RECORDER_ECHO
// is "0", prints $KORVANE_RECORDER_BANNER first when set, sleeps
// $KORVANE_RECORDER_SLEEP_MS before it starts reading, ignores hang-ups when
// $KORVANE_RECORDER_IGNORE_HUP is "1", and exits when its input ends or when
// it has received $KORVANE_RECORDER_EXIT_ON.

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>

extern char** environ;

namespace {

int logFd = -1;

std::string Hex(const char* p, size_t n) {
  static const char* digits = "0123456789abcdef";
  std::string out;
  for (size_t i = 0; i < n; ++i) {
    const unsigned char c = static_cast<unsigned char>(p[i]);
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out;
}

void Record(const std::string& line) {
  const std::string l = line + "\n";
  if (logFd >= 0 && write(logFd, l.data(), l.size()) < 0) _exit(3);
}

long long NowMs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<long long>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

std::string Env(const char* name) {
  const char* v = getenv(name);
  return v ? v : "";
}

}  // namespace

int main(int argc, char** argv) {
  // What is open before anything of ours: the descriptors the child was given.
  std::string fds;
  if (DIR* d = opendir("/proc/self/fd")) {
    const int own = dirfd(d);
    while (dirent* e = readdir(d)) {
      if (e->d_name[0] == '.') continue;
      if (atoi(e->d_name) == own) continue;
      fds += std::string(fds.empty() ? "" : ",") + e->d_name;
    }
    closedir(d);
  }
  const std::string logPath = Env("KORVANE_RECORDER_LOG");
  if (!logPath.empty()) logFd = open(logPath.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);

  Record("pid " + std::to_string(getpid()));
  Record("argc " + std::to_string(argc));
  for (int i = 0; i < argc; ++i) Record("arg " + Hex(argv[i], strlen(argv[i])));
  for (char** e = environ; *e; ++e) Record("env " + Hex(*e, strlen(*e)));
  char cwd[4096];
  if (getcwd(cwd, sizeof cwd)) Record("cwd " + Hex(cwd, strlen(cwd)));
  Record("fds " + fds);
  winsize ws{};
  if (ioctl(0, TIOCGWINSZ, &ws) == 0) Record("winsize " + std::to_string(ws.ws_row) + " " + std::to_string(ws.ws_col));
  termios t{};
  if (tcgetattr(0, &t) == 0)
    Record(std::string("icanon ") + ((t.c_lflag & ICANON) ? "1" : "0") + " echo " + ((t.c_lflag & ECHO) ? "1" : "0"));

  const bool stubborn = Env("KORVANE_RECORDER_IGNORE_HUP") == "1";
  if (stubborn) {
    signal(SIGHUP, SIG_IGN);
    signal(SIGTERM, SIG_IGN);
  }
  const bool echo = Env("KORVANE_RECORDER_ECHO") != "0";
  const std::string exitOn = Env("KORVANE_RECORDER_EXIT_ON");
  const std::string banner = Env("KORVANE_RECORDER_BANNER");
  Record("ready");
  if (!banner.empty() && write(1, banner.data(), banner.size()) < 0) return 2;
  if (const int ms = atoi(Env("KORVANE_RECORDER_SLEEP_MS").c_str()); ms > 0) {
    const timespec pause{ms / 1000, (ms % 1000) * 1000000L};
    nanosleep(&pause, nullptr);
  }

  std::string all;
  char buf[4096];
  for (;;) {
    const ssize_t n = read(0, buf, sizeof buf);
    if (n <= 0) break;
    Record("in " + std::to_string(NowMs()) + " " + Hex(buf, static_cast<size_t>(n)));
    if (echo) {
      size_t off = 0;
      while (off < static_cast<size_t>(n)) {
        const ssize_t w = write(1, buf + off, static_cast<size_t>(n) - off);
        if (w <= 0) break;
        off += static_cast<size_t>(w);
      }
    }
    all.append(buf, static_cast<size_t>(n));
    if (!exitOn.empty() && all.find(exitOn) != std::string::npos) break;
  }
  Record("end");
  // A stubborn child stays on after its terminal has gone.
  while (stubborn) pause();
  return 0;
}
