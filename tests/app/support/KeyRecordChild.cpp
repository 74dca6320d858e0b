// A session's child for the key tests: takes its terminal's input raw, says
// it is recording, and appends every byte it reads, as two hexadecimal digits
// and a blank, to the file named after the program (the name it was started
// under, so that links give several children files of their own) in the
// folder KORVANE_KEY_RECORD_DIR names.

#include <termios.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int, char** argv) {
  const char* dir = std::getenv("KORVANE_KEY_RECORD_DIR");
  if (!dir) return 2;
  std::string name = argv[0];
  name = name.substr(name.find_last_of('/') + 1);
  termios t{};
  if (tcgetattr(0, &t) == 0) {
    cfmakeraw(&t);
    tcsetattr(0, TCSANOW, &t);
  }
  std::FILE* out = std::fopen((std::string(dir) + "/" + name + ".keys").c_str(), "w");
  if (!out) return 3;
  std::printf("recording\r\n");
  std::fflush(stdout);
  unsigned char c;
  while (read(0, &c, 1) == 1) {
    std::fprintf(out, "%02x ", c);
    std::fflush(out);
  }
  return 0;
}
