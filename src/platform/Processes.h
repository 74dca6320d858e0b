#pragma once
// Child programs on a pseudo-terminal, and the questions the connection code
// asks about programs before it starts one. The POSIX implementation is
// platform/posix/PosixProcesses; tests use a fake that hands out memory links.

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/HostLink.h"

namespace korvane::platform {

struct PtyChildRequest {
  // The file executed, as given: it is never searched along PATH.
  std::string program;
  // The argument vector; argv[0] is what the child sees as its name.
  std::vector<std::string> argv;
  // The child's terminal starts from all-zero settings with canonical input
  // off, VMIN 1 and VTIME 0, instead of the system's defaults.
  bool nonCanonical = false;
  // The window size the terminal starts with; 0 leaves it unset.
  int rows = 0, cols = 0;
  // The folder the child starts in; empty keeps the program's own.
  std::string workingFolder;
  // Variables the child's environment holds in place of the program's own
  // (name, value); the rest of the program's environment is passed on. They
  // are given to the child directly, never through a shell.
  std::vector<std::pair<std::string, std::string>> environment;
};

struct PtyChildStart {
  // 0 the child runs; 3 no pseudo-terminal or no process could be made;
  // 4 no stream could be made on the master side; 5 the master side could not
  // be made non-blocking. After 4 and 5 the child has been ended again.
  int code = 0;
  std::unique_ptr<HostLink> stream;
};

class Processes {
 public:
  virtual ~Processes() = default;
  virtual PtyChildStart StartPtyChild(const PtyChildRequest& request) = 0;
  // True when `path` names a regular file this user may execute.
  virtual bool IsExecutableFile(const std::string& path) = 0;
  // Where a shell would find the program `name` along PATH, or empty.
  virtual std::string FindOnPath(const std::string& name) = 0;
};

}  // namespace korvane::platform
