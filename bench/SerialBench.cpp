// The serial path: bytes through an open serial port, at the speed of a
// pseudo-terminal standing in for the line (it has no baud rate of its own),
// read in the host input's pieces of 250 after a test for waiting input and
// written in the pieces the send-to-host makes. Every byte is checked: an
// iteration that loses, repeats or reorders one fails the benchmark.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "platform/posix/PosixSerialPorts.h"

namespace {

using korvane::platform::SerialOpenRequest;
using korvane::platform::SerialPort;
using korvane::platform::posix::PosixSerialPorts;

int64_t NowMs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return int64_t{ts.tv_sec} * 1000 + ts.tv_nsec / 1000000;
}

constexpr int kStallMs = 10000;

struct Line {
  int master = -1, slave = -1;
  std::string path;
  Line() {
    openpty(&master, &slave, nullptr, nullptr, nullptr);
    path = ttyname(slave);
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
    termios raw{};
    tcgetattr(slave, &raw);
    cfmakeraw(&raw);
    tcsetattr(slave, TCSANOW, &raw);
  }
  ~Line() {
    close(master);
    close(slave);
  }
};

std::string Pattern(std::size_t n) {
  std::string s(n, '\0');
  for (std::size_t i = 0; i < n; ++i) s[i] = static_cast<char>(i % 251);
  return s;
}

void BM_SerialReceive(benchmark::State& state) {
  Line line;
  PosixSerialPorts ports;
  SerialOpenRequest request;
  request.path = line.path;
  request.settings.speed = 115200;
  auto opened = ports.Open(request);
  if (!opened.port) {
    state.SkipWithError("the port did not open");
    return;
  }
  SerialPort& port = *opened.port;
  const std::size_t total = static_cast<std::size_t>(state.range(0));
  const std::string text = Pattern(total);
  for (auto _ : state) {
    std::size_t sent = 0, got = 0;
    bool intact = true;
    int64_t lastProgress = NowMs();
    while (got < total) {
      if (sent < total) {
        const ssize_t n = write(line.master, text.data() + sent, std::min<std::size_t>(4096, total - sent));
        if (n > 0) sent += static_cast<std::size_t>(n);
      }
      for (int waiting = port.Waiting(); waiting > 0;) {
        uint8_t buf[250];
        const int n = port.Read(buf, std::min(waiting, 250));
        if (n <= 0) break;
        for (int i = 0; i < n; ++i) intact &= buf[i] == static_cast<uint8_t>(text[got + static_cast<std::size_t>(i)]);
        got += static_cast<std::size_t>(n);
        waiting -= n;
        lastProgress = NowMs();
      }
      if (NowMs() - lastProgress > kStallMs) break;
    }
    if (!intact || got != total) {
      state.SkipWithError("bytes were lost, repeated or reordered");
      return;
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(total));
}
BENCHMARK(BM_SerialReceive)->Arg(1 << 20)->Unit(benchmark::kMillisecond);

void BM_SerialSend(benchmark::State& state) {
  Line line;
  PosixSerialPorts ports;
  SerialOpenRequest request;
  request.path = line.path;
  request.settings.speed = 115200;
  auto opened = ports.Open(request);
  if (!opened.port) {
    state.SkipWithError("the port did not open");
    return;
  }
  SerialPort& port = *opened.port;
  const std::size_t total = static_cast<std::size_t>(state.range(0));
  const std::string text = Pattern(total);
  std::string got;
  got.reserve(total);
  for (auto _ : state) {
    got.clear();
    std::size_t written = 0;
    int64_t lastProgress = NowMs();
    while (got.size() < total) {
      // Writing waits for nothing: what the line does not take yet is
      // queued, and the queue is kept short as a paced sender would.
      if (written < total && port.PendingOutput() < 8192) {
        const std::size_t n = std::min<std::size_t>(250, total - written);
        port.Write(reinterpret_cast<const uint8_t*>(text.data() + written), static_cast<int>(n));
        written += n;
      }
      port.PumpOutput();
      char buf[4096];
      const ssize_t n = read(line.master, buf, sizeof buf);
      if (n > 0) {
        got.append(buf, static_cast<std::size_t>(n));
        lastProgress = NowMs();
      }
      if (NowMs() - lastProgress > kStallMs) break;
    }
    if (got != text || port.TakeRefusedOutput() != 0) {
      state.SkipWithError("bytes were lost, repeated or reordered");
      return;
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(total));
}
BENCHMARK(BM_SerialSend)->Arg(1 << 20)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
