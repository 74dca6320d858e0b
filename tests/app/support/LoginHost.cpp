// A host for the telnet tests, on the loopback interface: it greets a client
// with a login prompt, takes a user name, then answers each line as a small
// shell would until "exit", which ends the connection. Telnet option
// negotiation is read and left unanswered.
//
// Usage: korvane_test_login_host PORT_FILE LOG_FILE
// The port it listens on is written to PORT_FILE once it listens; every line
// it receives is appended to LOG_FILE ("user NAME", "line TEXT", "closed").
// It serves connections one after another until it is killed.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <string>

namespace {

constexpr unsigned char kIac = 255, kSb = 250, kSe = 240, kWill = 251, kDont = 254;

void Say(int fd, const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = write(fd, text.data() + done, text.size() - done);
    if (n <= 0) return;
    done += static_cast<size_t>(n);
  }
}

void Log(const char* path, const std::string& entry) {
  if (std::FILE* f = std::fopen(path, "a")) {
    std::fprintf(f, "%s\n", entry.c_str());
    std::fclose(f);
  }
}

// Reads one line (without its CR, LF or NUL), skipping telnet commands;
// false when the client has gone.
bool ReadLine(int fd, std::string& line) {
  line.clear();
  enum { Text, Command, Option, Sub, SubIac } state = Text;
  unsigned char c;
  while (read(fd, &c, 1) == 1) {
    switch (state) {
      case Text:
        if (c == kIac)
          state = Command;
        else if (c == '\n')
          return true;
        else if (c != '\r' && c != 0)
          line += static_cast<char>(c);
        break;
      case Command:
        if (c >= kWill && c <= kDont)
          state = Option;
        else if (c == kSb)
          state = Sub;
        else
          state = Text;
        break;
      case Option: state = Text; break;
      case Sub:
        if (c == kIac) state = SubIac;
        break;
      case SubIac: state = c == kSe ? Text : Sub; break;
    }
  }
  return false;
}

void Serve(int fd, const char* log) {
  Say(fd, "\r\nKorvane test host\r\n\r\nkvhost login: ");
  std::string line;
  if (!ReadLine(fd, line)) return;
  Log(log, "user " + line);
  Say(fd, "Welcome, " + line + "\r\nkvhost$ ");
  while (ReadLine(fd, line)) {
    Log(log, "line " + line);
    if (line == "exit") {
      Say(fd, "logout\r\n");
      return;
    }
    Say(fd, "you typed: " + line + "\r\nkvhost$ ");
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  const int server = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  a.sin_port = 0;
  if (server < 0 || bind(server, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || listen(server, 4) != 0) return 3;
  socklen_t len = sizeof a;
  getsockname(server, reinterpret_cast<sockaddr*>(&a), &len);
  const std::string portFile = argv[1];
  if (std::FILE* f = std::fopen((portFile + ".new").c_str(), "w")) {
    std::fprintf(f, "%d\n", ntohs(a.sin_port));
    std::fclose(f);
    std::rename((portFile + ".new").c_str(), portFile.c_str());
  }
  for (;;) {
    const int fd = accept(server, nullptr, nullptr);
    if (fd < 0) continue;
    Serve(fd, argv[2]);
    Log(argv[2], "closed");
    close(fd);
  }
}
