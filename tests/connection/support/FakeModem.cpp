// A Hayes modem on the far end of a pseudo-terminal, for the tests of the
// dialler: it makes a pseudo-terminal, links its port side at the path given,
// and answers on the other side.
//
//   korvane_fake_modem <link> <log>
//
// In command mode it echoes what it receives and answers each line ended by
// CR: "AT..." with OK (ERROR when the line holds "X9"); "ATD<number>" a
// second later with CONNECT 9600, or NO CARRIER for 555-0000. Connected, it
// is a host that answers each line with "host: " and the line in capitals;
// "+++" followed by half a second of silence brings back command mode with
// OK, and "ATH" then hangs up. The log has one line per byte received,
// "<ms> <hex>" with the milliseconds since start, and "<ms> event <what>"
// for the connection's changes.

#include <pty.h>
#include <poll.h>
#include <signal.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <string>

namespace {

int64_t NowMs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return int64_t{ts.tv_sec} * 1000 + ts.tv_nsec / 1000000;
}

int master = -1;
FILE* logFile = nullptr;
int64_t startMs = 0;

void Log(const std::string& line) {
  std::fprintf(logFile, "%lld %s\n", static_cast<long long>(NowMs() - startMs), line.c_str());
  std::fflush(logFile);
}

void Say(const std::string& text) {
  const std::string framed = "\r\n" + text + "\r\n";
  if (write(master, framed.data(), framed.size()) < 0) Log("event write-failed");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <link> <log>\n", argv[0]);
    return 2;
  }
  startMs = NowMs();
  logFile = std::fopen(argv[2], "w");
  int slave = -1;
  if (!logFile || openpty(&master, &slave, nullptr, nullptr, nullptr) != 0) return 1;
  // The port side stays open here as well, so that the line lives while the
  // program under test opens and closes it; raw, so that nothing the modem
  // says is echoed back to it before the program sets the line up.
  termios raw{};
  tcgetattr(slave, &raw);
  cfmakeraw(&raw);
  tcsetattr(slave, TCSANOW, &raw);
  if (symlink(ttyname(slave), argv[1]) != 0) return 1;
  Log("event ready");

  bool connected = false;
  std::string line, plusses;
  int64_t plusSinceMs = -1, dialDueMs = -1;
  std::string dialAnswer;
  for (;;) {
    pollfd p{master, POLLIN, 0};
    poll(&p, 1, 20);
    const int64_t now = NowMs();
    if (dialDueMs >= 0 && now >= dialDueMs) {
      Say(dialAnswer);
      connected = dialAnswer.rfind("CONNECT", 0) == 0;
      if (connected) Log("event connect");
      dialDueMs = -1;
    }
    if (plusSinceMs >= 0 && now - plusSinceMs >= 500) {
      connected = false;
      plusses.clear();
      plusSinceMs = -1;
      Log("event command-mode");
      Say("OK");
    }
    if (!(p.revents & POLLIN)) continue;
    char buf[256];
    const ssize_t n = read(master, buf, sizeof buf);
    if (n <= 0) continue;
    for (ssize_t i = 0; i < n; ++i) {
      const char c = buf[i];
      char hex[8];
      std::snprintf(hex, sizeof hex, "%02x", static_cast<unsigned char>(c));
      Log(hex);
      if (connected) {
        if (c == '+') {
          plusses += c;
          plusSinceMs = plusses == "+++" ? now : -1;
          continue;
        }
        plusses.clear();
        plusSinceMs = -1;
        if (c != '\r') {
          line += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
          continue;
        }
        Say("host: " + line);
        line.clear();
        continue;
      }
      if (write(master, &c, 1) < 0) Log("event echo-failed");
      if (c != '\r') {
        line += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        continue;
      }
      const std::string command = line;
      line.clear();
      if (command.rfind("AT", 0) != 0) continue;
      if (command.rfind("ATD", 0) == 0) {
        dialAnswer = command.find("555-0000") != std::string::npos ? "NO CARRIER" : "CONNECT 9600";
        dialDueMs = now + 1000;
      } else if (command.find("X9") != std::string::npos) {
        Say("ERROR");
      } else {
        if (command.rfind("ATH", 0) == 0) Log("event hangup");
        Say("OK");
      }
    }
  }
}
