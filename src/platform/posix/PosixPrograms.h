#pragma once
// Programs run beside Korvane, on POSIX: posix_spawnp with an argument
// vector, the output collected through a pipe, the end seen with
// waitpid(WNOHANG). Programs still running when this object goes are given a
// short while to end and then killed, and always reaped.

#include <sys/types.h>

#include <map>

#include "platform/Programs.h"

namespace korvane::platform::posix {

class PosixPrograms final : public Programs {
 public:
  PosixPrograms() = default;
  PosixPrograms(const PosixPrograms&) = delete;
  PosixPrograms& operator=(const PosixPrograms&) = delete;
  ~PosixPrograms() override;

  int StartProgram(const std::vector<std::string>& argv, int& id) override;
  bool ProgramEnded(int id, ProgramExit& exit) override;
  void StopProgram(int id) override;

 private:
  struct Running {
    pid_t pid = -1;
    int outputFd = -1;
    std::string output;
  };
  void ReadOutput(Running& r);
  std::map<int, Running> running_;
  int nextId_ = 1;
};

}  // namespace korvane::platform::posix
