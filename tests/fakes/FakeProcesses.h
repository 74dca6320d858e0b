#pragma once
// Child programs that are memory links: each start is recorded and answered
// with a link on the test's clock (or with a failure code), so the set-up
// lines and their timing can be checked exactly without real waiting.

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "fakes/MemoryLink.h"
#include "platform/Processes.h"

namespace korvane::fakes {

class FakeProcesses final : public platform::Processes {
 public:
  explicit FakeProcesses(const platform::Clock* clock) : clock_(clock) {}

  std::vector<platform::PtyChildRequest> starts;  // every start asked for
  std::vector<MemoryLink*> links;                 // the link handed out by each successful start
  int failWith = 0;                               // the code of the next starts, 0 to succeed
  bool echo = true;                               // the children echo what they are sent
  std::string banner;                             // what each child prints at once
  std::set<std::string> executables;              // the files that exist and may be executed
  std::map<std::string, std::string> onPath;      // name -> where PATH finds it

  platform::PtyChildStart StartPtyChild(const platform::PtyChildRequest& request) override {
    starts.push_back(request);
    if (failWith != 0) return {failWith, nullptr};
    auto link = std::make_unique<MemoryLink>(clock_);
    link->echo = echo;
    link->Feed(banner);
    links.push_back(link.get());
    return {0, std::move(link)};
  }
  bool IsExecutableFile(const std::string& path) override { return executables.count(path) != 0; }
  std::string FindOnPath(const std::string& name) override {
    const auto it = onPath.find(name);
    return it == onPath.end() ? std::string() : it->second;
  }

 private:
  const platform::Clock* clock_;
};

}  // namespace korvane::fakes
