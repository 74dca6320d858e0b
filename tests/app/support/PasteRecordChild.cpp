// A session's child for the clipboard tests: takes its terminal's input raw,
// shows the file its first argument names (when there is one) as it is,
// then says it is ready, and appends every byte it reads, unchanged, to the
// file KORVANE_PASTE_RECORD names.

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace {

bool WriteAll(int fd, const char* data, ssize_t n) {
  while (n > 0) {
    const ssize_t w = write(fd, data, static_cast<size_t>(n));
    if (w <= 0) return false;
    data += w;
    n -= w;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const char* record = std::getenv("KORVANE_PASTE_RECORD");
  if (!record) return 2;
  termios t{};
  if (tcgetattr(0, &t) == 0) {
    cfmakeraw(&t);
    tcsetattr(0, TCSANOW, &t);
  }
  const int out = open(record, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (out < 0) return 3;
  static char buf[1 << 16];
  if (argc > 1) {
    const int shown = open(argv[1], O_RDONLY | O_CLOEXEC);
    if (shown < 0) return 4;
    ssize_t n;
    while ((n = read(shown, buf, sizeof buf)) > 0) WriteAll(1, buf, n);
    close(shown);
  }
  WriteAll(1, "ready\r\n", 7);
  ssize_t n;
  while ((n = read(0, buf, sizeof buf)) > 0)
    if (!WriteAll(out, buf, n)) return 5;
  return 0;
}
