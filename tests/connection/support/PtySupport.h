#pragma once
// Helpers for tests with real pseudo-terminals: temporary folders and
// environment, the recorder child's log, and the process's own children and
// descriptors as /proc shows them.

#include <dirent.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace korvane::testing_support {

inline int64_t MonotonicMs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return int64_t{ts.tv_sec} * 1000 + ts.tv_nsec / 1000000;
}

// Polls `done` until it holds or `limitMs` have passed; the answer of the last poll.
inline bool WaitUntil(const std::function<bool()>& done, int limitMs = 10000) {
  const int64_t end = MonotonicMs() + limitMs;
  for (;;) {
    if (done()) return true;
    if (MonotonicMs() > end) return done();
    usleep(5000);
  }
}

class TempDir {
 public:
  TempDir() {
    char tmpl[] = "/tmp/korvane-test-XXXXXX";
    path_ = mkdtemp(tmpl);
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// Sets environment variables for the life of the object.
class ScopedEnv {
 public:
  ~ScopedEnv() {
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
      if (it->second)
        setenv(it->first.c_str(), it->second->c_str(), 1);
      else
        unsetenv(it->first.c_str());
    }
  }
  void Set(const std::string& name, const std::string& value) {
    Save(name);
    setenv(name.c_str(), value.c_str(), 1);
  }
  void Unset(const std::string& name) {
    Save(name);
    unsetenv(name.c_str());
  }

 private:
  void Save(const std::string& name) {
    const char* old = getenv(name.c_str());
    saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
  }
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

inline void WriteFile(const std::string& path, const std::string& text, mode_t mode = 0644) {
  std::ofstream(path, std::ios::binary) << text;
  chmod(path.c_str(), mode);
}

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

inline bool Exists(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0;
}

// What the recorder child wrote about itself and what it received.
struct RecorderLog {
  int pid = 0;
  std::vector<std::string> argv;
  std::map<std::string, std::string> env;
  std::string cwd;
  std::vector<int> fds;
  int rows = -1, cols = -1;
  int icanon = -1, echo = -1;
  bool ready = false, ended = false;
  std::string input;  // every byte received, in order
  struct Chunk {
    int64_t atMs;
    std::string bytes;
  };
  std::vector<Chunk> chunks;

  // The time the byte at `offset` of the input arrived.
  int64_t ArrivalOf(size_t offset) const {
    size_t seen = 0;
    for (const Chunk& c : chunks) {
      if (offset < seen + c.bytes.size()) return c.atMs;
      seen += c.bytes.size();
    }
    return -1;
  }

  static std::string Unhex(const std::string& h) {
    std::string out;
    for (size_t i = 0; i + 1 < h.size(); i += 2) out += static_cast<char>(std::stoi(h.substr(i, 2), nullptr, 16));
    return out;
  }

  static RecorderLog Read(const std::string& path) {
    RecorderLog log;
    std::istringstream in(ReadFile(path));
    std::string line;
    while (std::getline(in, line)) {
      std::istringstream f(line);
      std::string what;
      f >> what;
      if (what == "pid")
        f >> log.pid;
      else if (what == "arg") {
        std::string h;
        f >> h;
        log.argv.push_back(Unhex(h));
      } else if (what == "env") {
        std::string h;
        f >> h;
        const std::string kv = Unhex(h);
        const size_t eq = kv.find('=');
        log.env[kv.substr(0, eq)] = eq == std::string::npos ? "" : kv.substr(eq + 1);
      } else if (what == "cwd") {
        std::string h;
        f >> h;
        log.cwd = Unhex(h);
      } else if (what == "fds") {
        std::string list;
        f >> list;
        std::istringstream items(list);
        std::string item;
        while (std::getline(items, item, ',')) log.fds.push_back(std::stoi(item));
      } else if (what == "winsize")
        f >> log.rows >> log.cols;
      else if (what == "icanon") {
        std::string e;
        f >> log.icanon >> e >> log.echo;
      } else if (what == "ready")
        log.ready = true;
      else if (what == "end")
        log.ended = true;
      else if (what == "in") {
        int64_t at = 0;
        std::string h;
        f >> at >> h;
        log.chunks.push_back({at, Unhex(h)});
        log.input += log.chunks.back().bytes;
      }
    }
    return log;
  }
};

// Waits until the recorder's log shows `want` among the bytes it received
// (or the limit passes) and returns the log.
inline RecorderLog WaitForInput(const std::string& logPath, const std::string& want, int limitMs = 10000) {
  WaitUntil([&] { return RecorderLog::Read(logPath).input.find(want) != std::string::npos; }, limitMs);
  return RecorderLog::Read(logPath);
}

// The processes whose parent is this one, with their state letter ('Z' for a
// zombie).
inline std::vector<std::pair<int, char>> ChildProcesses() {
  std::vector<std::pair<int, char>> out;
  const int me = getpid();
  DIR* d = opendir("/proc");
  if (!d) return out;
  while (dirent* e = readdir(d)) {
    const int pid = atoi(e->d_name);
    if (pid <= 0) continue;
    const std::string stat = ReadFile("/proc/" + std::string(e->d_name) + "/stat");
    const size_t close = stat.rfind(')');
    if (close == std::string::npos || close + 4 > stat.size()) continue;
    std::istringstream f(stat.substr(close + 2));
    char state = 0;
    int ppid = 0;
    f >> state >> ppid;
    if (ppid == me) out.emplace_back(pid, state);
  }
  closedir(d);
  return out;
}

inline int OpenDescriptorCount() {
  int n = 0;
  DIR* d = opendir("/proc/self/fd");
  if (!d) return -1;
  while (dirent* e = readdir(d)) n += e->d_name[0] != '.';
  closedir(d);
  return n - 1;  // the directory's own descriptor
}

}  // namespace korvane::testing_support
