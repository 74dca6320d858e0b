// A session's child for the end-to-end tests: says it is ready, then answers
// every line it reads with "got " and the line.

#include <unistd.h>

#include <cstdio>
#include <string>

int main() {
  std::printf("child ready\n");
  std::fflush(stdout);
  std::string line;
  char c;
  while (read(0, &c, 1) == 1) {
    if (c == '\n' || c == '\r') {
      std::printf("got %s\n", line.c_str());
      std::fflush(stdout);
      line.clear();
    } else {
      line += c;
    }
  }
  return 0;
}
