#pragma once
// Open and save dialogs that never wait: each is recorded with what it
// offered, and answered with the next queued path (nullopt: cancelled).

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/FileDialogs.h"

namespace korvane::fakes {

class FakeFileDialogs final : public platform::FileDialogs {
 public:
  struct Asked {
    bool save = false;
    std::vector<platform::FileKind> kinds;
    std::string prompt, proposedName;
  };
  std::vector<Asked> asked;
  std::deque<std::optional<std::string>> answers;

  std::optional<std::string> ChooseFile(const std::vector<platform::FileKind>& kinds,
                                        const std::string& prompt) override {
    asked.push_back({false, kinds, prompt, {}});
    return Next();
  }
  std::optional<std::string> ChooseNewFile(platform::FileKind kind, const std::string& prompt,
                                           const std::string& proposedName) override {
    asked.push_back({true, {kind}, prompt, proposedName});
    return Next();
  }

 private:
  std::optional<std::string> Next() {
    if (answers.empty()) return std::nullopt;
    auto a = answers.front();
    answers.pop_front();
    return a;
  }
};

}  // namespace korvane::fakes
