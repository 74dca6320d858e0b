// A telnet server on the loopback interface for the tests that run the
// program from outside: it takes one connection, greets it with a login
// prompt, and keeps what the client sends.
//   korvane_test_telnet_server PORT-FILE DATA-FILE
// writes the port it listens on into PORT-FILE, "connected" into
// DATA-FILE.connected once a client is in, and everything the client has sent
// (telnet negotiation taken out) into DATA-FILE, replaced as it grows. It ends
// on SIGTERM, or after five minutes.

#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>

#include "connection/support/TelnetStub.h"

namespace {

volatile sig_atomic_t stopping = 0;

bool WriteWhole(const std::string& path, const std::string& text) {
  const std::string temporary = path + ".new";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out << text;
    if (!out) return false;
  }
  return std::rename(temporary.c_str(), path.c_str()) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: korvane_test_telnet_server PORT-FILE DATA-FILE\n");
    return 2;
  }
  signal(SIGTERM, [](int) { stopping = 1; });
  korvane::testing_support::TelnetStub server;
  if (!WriteWhole(argv[1], std::to_string(server.port()) + "\n")) return 3;
  const std::string data = argv[2];
  std::string written;
  bool connected = false;
  const auto end = std::chrono::steady_clock::now() + std::chrono::minutes(5);
  while (!stopping && std::chrono::steady_clock::now() < end) {
    const auto seen = server.seen();
    if (seen.connected && !connected) connected = WriteWhole(data + ".connected", "connected\n");
    if (seen.data != written && WriteWhole(data, seen.data)) written = seen.data;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return 0;
}
