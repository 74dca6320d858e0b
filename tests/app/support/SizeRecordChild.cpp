// A session's child for the window-size tests: says it is recording, then
// appends its terminal's rows and columns ("24 80") as a line to the file
// named after the program (the name it was started under) in the folder
// KORVANE_KEY_RECORD_DIR names, once at the start and again each time the
// terminal's size changes.

#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

volatile std::sig_atomic_t resized = 1;

void OnResize(int) { resized = 1; }

}  // namespace

int main(int, char** argv) {
  const char* dir = std::getenv("KORVANE_KEY_RECORD_DIR");
  if (!dir) return 2;
  std::string name = argv[0];
  name = name.substr(name.find_last_of('/') + 1);
  std::FILE* out = std::fopen((std::string(dir) + "/" + name + ".size").c_str(), "w");
  if (!out) return 3;
  struct sigaction action {};
  action.sa_handler = OnResize;
  sigaction(SIGWINCH, &action, nullptr);
  std::printf("recording\r\n");
  std::fflush(stdout);
  for (;;) {
    if (resized) {
      resized = 0;
      winsize size{};
      if (ioctl(0, TIOCGWINSZ, &size) == 0) {
        std::fprintf(out, "%d %d\n", size.ws_row, size.ws_col);
        std::fflush(out);
      }
    }
    // Woken by the next change of size (or by the end of the terminal).
    char c;
    const ssize_t n = read(0, &c, 1);
    if (n == 0 || (n < 0 && errno != EINTR)) return 0;
  }
}
