#include "platform/posix/PosixProcesses.h"

#include <errno.h>
#include <fcntl.h>
#include <pty.h>
#include <signal.h>
#include <string.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "platform/posix/PtyChild.h"

namespace korvane::platform::posix {
namespace {

void WriteAll(int fd, std::string_view s) {
  while (!s.empty()) {
    const ssize_t w = ::write(fd, s.data(), s.size());
    if (w < 0 && errno == EINTR) continue;
    if (w <= 0) return;
    s.remove_prefix(static_cast<size_t>(w));
  }
}

// The program's environment with the request's variables in place of its
// own: "NAME=value" texts, made before the fork.
std::vector<std::string> ChildEnvironment(const PtyChildRequest& request) {
  std::vector<std::string> env;
  auto replaced = [&](std::string_view entry) {
    const size_t eq = entry.find('=');
    const std::string_view name = entry.substr(0, eq);
    for (const auto& [n, v] : request.environment)
      if (n == name) return true;
    return false;
  };
  for (char** e = environ; e && *e; ++e)
    if (!replaced(*e)) env.emplace_back(*e);
  for (const auto& [name, value] : request.environment) env.push_back(name + "=" + value);
  return env;
}

// Runs in the child between fork and exec: only async-signal-safe calls.
[[noreturn]] void ExecChild(const char* program, char* const* argv, char* const* envp, const char* folder) {
  // The program starts as a login would start it: default signal actions, no
  // blocked signals, and none of our descriptors (other sessions' terminals,
  // serial ports, open files) beyond its own terminal.
  struct sigaction dfl {};
  dfl.sa_handler = SIG_DFL;
  sigemptyset(&dfl.sa_mask);
  for (int sig = 1; sig < NSIG; ++sig)
    if (sig != SIGKILL && sig != SIGSTOP) sigaction(sig, &dfl, nullptr);
  sigset_t none;
  sigemptyset(&none);
  sigprocmask(SIG_SETMASK, &none, nullptr);
  if (close_range(3, ~0U, 0) != 0)
    for (int fd = 3; fd < 1024; ++fd) ::close(fd);
  if (folder && *folder && chdir(folder) != 0) {
    // Start where we are rather than not at all.
  }
  execve(program, argv, envp);
  // The text reaches the session as host output; it names the program so that
  // the user sees what could not be started.
  const char* why = strerrordesc_np(errno);
  WriteAll(2, program);
  WriteAll(2, ": ");
  WriteAll(2, why ? why : "cannot be started");
  WriteAll(2, "\r\n");
  _exit(1);
}

}  // namespace

PtyChildStart PosixProcesses::StartPtyChild(const PtyChildRequest& request) {
  // Everything the child uses is made before the fork.
  std::vector<std::string> words = request.argv;
  if (words.empty()) words.push_back(request.program);
  std::vector<char*> argv;
  argv.reserve(words.size() + 1);
  for (auto& w : words) argv.push_back(w.data());
  argv.push_back(nullptr);
  std::vector<std::string> variables = ChildEnvironment(request);
  std::vector<char*> envp;
  envp.reserve(variables.size() + 1);
  for (auto& v : variables) envp.push_back(v.data());
  envp.push_back(nullptr);

  termios settings{};
  settings.c_lflag &= ~static_cast<tcflag_t>(ICANON);
  settings.c_cc[VMIN] = 1;
  settings.c_cc[VTIME] = 0;
  winsize size{};
  size.ws_row = static_cast<unsigned short>(request.rows);
  size.ws_col = static_cast<unsigned short>(request.cols);
  const bool sized = request.rows > 0 && request.cols > 0;

  int master = -1;
  const pid_t pid = forkpty(&master, nullptr, request.nonCanonical ? &settings : nullptr, sized ? &size : nullptr);
  if (pid < 0) return {3, nullptr};
  if (pid == 0) ExecChild(request.program.c_str(), argv.data(), envp.data(), request.workingFolder.c_str());

  if (fcntl(master, F_SETFD, FD_CLOEXEC) == -1) {
    ::close(master);
    HangUpAndReap(pid);
    return {4, nullptr};
  }
  const int flags = fcntl(master, F_GETFL);
  // A blocking master would stall the program at the first read, so a master
  // that cannot be made non-blocking is not kept either.
  if (flags == -1 || fcntl(master, F_SETFL, flags | O_NONBLOCK) == -1) {
    ::close(master);
    HangUpAndReap(pid);
    return {5, nullptr};
  }
  return {0, std::make_unique<PtyChild>(master, pid)};
}

bool PosixProcesses::IsExecutableFile(const std::string& path) {
  struct stat st {};
  return !path.empty() && stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
}

std::string PosixProcesses::FindOnPath(const std::string& name) {
  if (name.empty()) return {};
  if (name.find('/') != std::string::npos) return IsExecutableFile(name) ? name : std::string{};
  const char* env = std::getenv("PATH");
  std::string_view path = env ? std::string_view(env) : std::string_view("/usr/bin:/bin");
  for (;;) {
    const size_t colon = path.find(':');
    const std::string_view dir = path.substr(0, colon);
    std::string candidate(dir.empty() ? std::string_view(".") : dir);
    candidate += '/';
    candidate += name;
    if (IsExecutableFile(candidate)) return candidate;
    if (colon == std::string_view::npos) return {};
    path.remove_prefix(colon + 1);
  }
}

}  // namespace korvane::platform::posix
