#include "platform/posix/PosixPrograms.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

extern char** environ;

namespace korvane::platform::posix {

namespace {

constexpr std::size_t kOutputMax = 64 * 1024;

void FillExit(int status, ProgramExit& exit) {
  if (WIFEXITED(status)) {
    exit.exited = true;
    exit.status = WEXITSTATUS(status);
  } else {
    exit.exited = false;
    exit.status = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
  }
}

void PauseBriefly() {
  timespec ts{0, 10 * 1000 * 1000};
  nanosleep(&ts, nullptr);
}

}  // namespace

PosixPrograms::~PosixPrograms() {
  // A spooler still handing a job over gets half a second to finish it.
  for (int waited = 0; waited < 50 && !running_.empty(); ++waited) {
    for (auto it = running_.begin(); it != running_.end();) {
      int status = 0;
      if (waitpid(it->second.pid, &status, WNOHANG) == it->second.pid) {
        if (it->second.outputFd >= 0) close(it->second.outputFd);
        it = running_.erase(it);
      } else {
        ++it;
      }
    }
    if (!running_.empty()) PauseBriefly();
  }
  for (auto& [id, r] : running_) {
    kill(r.pid, SIGKILL);
    int status = 0;
    while (waitpid(r.pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (r.outputFd >= 0) close(r.outputFd);
  }
}

int PosixPrograms::StartProgram(const std::vector<std::string>& argv, int& id) {
  id = 0;
  if (argv.empty() || argv[0].empty()) return EINVAL;
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return errno;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
  posix_spawn_file_actions_adddup2(&actions, fds[1], 2);
  posix_spawnattr_t attr;
  posix_spawnattr_init(&attr);
  // The child starts with no signal blocked and the usual dispositions,
  // whatever the window system did to this process's.
  sigset_t none, defaults;
  sigemptyset(&none);
  sigemptyset(&defaults);
  for (int sig : {SIGPIPE, SIGCHLD, SIGINT, SIGQUIT, SIGTERM, SIGHUP}) sigaddset(&defaults, sig);
  posix_spawnattr_setsigmask(&attr, &none);
  posix_spawnattr_setsigdefault(&attr, &defaults);
  posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

  std::vector<char*> args;
  args.reserve(argv.size() + 1);
  for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  pid_t pid = -1;
  const int error = posix_spawnp(&pid, args[0], &actions, &attr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attr);
  close(fds[1]);
  if (error != 0) {
    close(fds[0]);
    return error;
  }
  fcntl(fds[0], F_SETFL, fcntl(fds[0], F_GETFL) | O_NONBLOCK);
  id = nextId_++;
  running_[id] = Running{pid, fds[0], {}};
  return 0;
}

void PosixPrograms::ReadOutput(Running& r) {
  if (r.outputFd < 0) return;
  char buffer[4096];
  for (;;) {
    const ssize_t n = read(r.outputFd, buffer, sizeof buffer);
    if (n > 0) {
      const std::size_t room = kOutputMax - std::min(kOutputMax, r.output.size());
      r.output.append(buffer, std::min(room, static_cast<std::size_t>(n)));
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n == 0) {
      close(r.outputFd);
      r.outputFd = -1;
    }
    return;  // EAGAIN: nothing more for now
  }
}

bool PosixPrograms::ProgramEnded(int id, ProgramExit& exit) {
  exit = {};
  const auto it = running_.find(id);
  if (it == running_.end()) {
    exit.exited = true;
    exit.status = 127;
    return true;
  }
  Running& r = it->second;
  ReadOutput(r);
  int status = 0;
  const pid_t done = waitpid(r.pid, &status, WNOHANG);
  if (done == 0 || (done < 0 && errno == EINTR)) return false;
  if (done < 0) {
    exit.exited = true;
    exit.status = 127;
  } else {
    FillExit(status, exit);
  }
  // What it wrote just before it ended is still in the pipe; a grandchild
  // that kept the pipe open must not hold us up, so only what is there now
  // is taken.
  ReadOutput(r);
  if (r.outputFd >= 0) close(r.outputFd);
  exit.output = std::move(r.output);
  running_.erase(it);
  return true;
}

void PosixPrograms::StopProgram(int id) {
  const auto it = running_.find(id);
  if (it == running_.end()) return;
  kill(it->second.pid, SIGKILL);
  int status = 0;
  while (waitpid(it->second.pid, &status, 0) < 0 && errno == EINTR) {
  }
  if (it->second.outputFd >= 0) close(it->second.outputFd);
  running_.erase(it);
}

}  // namespace korvane::platform::posix
