#pragma once
// Child programs on pseudo-terminals, on POSIX: forkpty, a non-blocking and
// close-on-exec master, and a child that starts with nothing of ours open.

#include "platform/Processes.h"

namespace korvane::platform::posix {

class PosixProcesses final : public Processes {
 public:
  PtyChildStart StartPtyChild(const PtyChildRequest& request) override;
  bool IsExecutableFile(const std::string& path) override;
  std::string FindOnPath(const std::string& name) override;
};

}  // namespace korvane::platform::posix
