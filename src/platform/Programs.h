#pragma once
// Programs the program runs beside itself until they end (the print
// spooler's lp): started with an argument vector, never a shell line, and
// watched without waiting, so that the windows keep working while they run.
// The POSIX implementation is platform/posix/PosixPrograms.

#include <string>
#include <vector>

namespace korvane::platform {

struct ProgramExit {
  bool exited = false;  // it ended by exiting (false: a signal ended it)
  int status = 0;       // its exit status, or the number of the signal
  std::string output;   // what it wrote to its standard output and error (the first 64 KB)
};

class Programs {
 public:
  virtual ~Programs() = default;
  // Starts argv[0], looked for along PATH when the name holds no "/", with
  // the argument vector; its standard input is empty. 0 and the program's id
  // in `id`, or the error (ENOENT: no such program).
  virtual int StartProgram(const std::vector<std::string>& argv, int& id) = 0;
  // Does not wait: true when program `id` has ended, with how in `exit`; the
  // id is then forgotten. An unknown id counts as ended, with status 127.
  virtual bool ProgramEnded(int id, ProgramExit& exit) = 0;
  // Ends program `id` at once and forgets it.
  virtual void StopProgram(int id) = 0;
};

}  // namespace korvane::platform
