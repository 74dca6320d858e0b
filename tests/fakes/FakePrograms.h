#pragma once
// Programs that never run: each start is recorded, and the test says when
// and how each one ends.

#include <cerrno>
#include <map>
#include <string>
#include <vector>

#include "platform/Programs.h"

namespace korvane::fakes {

class FakePrograms final : public platform::Programs {
 public:
  std::vector<std::vector<std::string>> starts;
  int failStartWith = 0;
  std::map<int, platform::ProgramExit> ended;  // programs that have ended, by id
  std::vector<int> stopped;

  int StartProgram(const std::vector<std::string>& argv, int& id) override {
    starts.push_back(argv);
    if (failStartWith != 0) return failStartWith;
    id = static_cast<int>(starts.size());
    return 0;
  }
  bool ProgramEnded(int id, platform::ProgramExit& exit) override {
    const auto it = ended.find(id);
    if (it == ended.end()) return false;
    exit = it->second;
    ended.erase(it);
    return true;
  }
  void StopProgram(int id) override { stopped.push_back(id); }
};

}  // namespace korvane::fakes
