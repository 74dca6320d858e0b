// korvane_test_fake_host: a host for the scripting tests, run as a local
// session's program on its pseudo-terminal.
//
// It puts its terminal in raw mode and writes a known screen (VT100):
//   row 1  "Korvane test host"
//   row 2  "rows R cols C"       (the terminal's size)
//   row 3  "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ"
//   row 4  "line four"
//   row 5  "login: "             (the cursor waits after it)
// It echoes what it is sent, answers the first line with "Welcome, NAME" and
// a "$ " prompt, and every later line with "got LINE" and the prompt; the
// line "run NAME" first asks the terminal to run the script NAME (ESC ~ a),
// and the line "exit" ends it. Every byte it receives is recorded, in hexadecimal,
// in the file named by $KORVANE_FAKE_HOST_RECORD (when set).

#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void Write(const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = write(1, text.data() + done, text.size() - done);
    if (n <= 0) return;
    done += static_cast<size_t>(n);
  }
}

}  // namespace

int main() {
  termios tio{};
  if (tcgetattr(0, &tio) == 0) {
    cfmakeraw(&tio);
    tcsetattr(0, TCSANOW, &tio);
  }
  winsize size{};
  ioctl(0, TIOCGWINSZ, &size);
  FILE* record = nullptr;
  if (const char* path = std::getenv("KORVANE_FAKE_HOST_RECORD")) record = std::fopen(path, "a");

  Write("\x1b[H\x1b[2J");
  Write("Korvane test host\r\n");
  Write("rows " + std::to_string(size.ws_row) + " cols " + std::to_string(size.ws_col) + "\r\n");
  Write("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ\r\n");
  Write("line four\r\n");
  Write("login: ");

  bool loggedIn = false;
  std::string line;
  unsigned char c;
  while (read(0, &c, 1) == 1) {
    if (record) {
      std::fprintf(record, "%02x ", c);
      std::fflush(record);
    }
    if (c == '\r' || c == '\n') {
      Write("\r\n");
      if (line == "exit") break;
      if (!loggedIn) {
        if (line.empty()) {
          Write("login: ");
          continue;
        }
        loggedIn = true;
        Write("Welcome, " + line + "\r\n$ ");
      } else {
        if (line.rfind("run ", 0) == 0) Write("\x1b~a~" + line.substr(4) + "\r");
        Write("got " + line + "\r\n$ ");
      }
      line.clear();
    } else if (c >= 32 && c != 127) {
      line += static_cast<char>(c);
      Write(std::string(1, static_cast<char>(c)));
    }
  }
  if (record) std::fclose(record);
  return 0;
}
