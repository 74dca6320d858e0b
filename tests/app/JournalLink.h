#pragma once
// A host link that writes what happens to it into a journal shared with
// other links, so that a test can check the order of events across sessions.

#include <memory>
#include <string>
#include <vector>

#include "fakes/MemoryLink.h"

namespace korvane::testing {

class JournalLink final : public HostLink {
 public:
  JournalLink(std::string name, std::vector<std::string>& journal) : name_(std::move(name)), journal_(journal) {}
  fakes::MemoryLink inner;

  void Write(const uint8_t* data, int n) override {
    std::string text;
    for (int i = 0; i < n; ++i) {
      const int c = data[i];
      text += c < 32 ? "^" + std::string(1, static_cast<char>(c + 64)) : std::string(1, static_cast<char>(c));
    }
    journal_.push_back(name_ + " write " + text);
    inner.Write(data, n);
  }
  int Read(uint8_t* buf, int max) override {
    const int n = inner.Read(buf, max);
    if (n > 0) journal_.push_back(name_ + " read " + std::string(reinterpret_cast<char*>(buf), static_cast<size_t>(n)));
    return n;
  }
  int Waiting() override { return inner.Waiting(); }
  bool Ended() override { return inner.Ended(); }
  void Close() override {
    journal_.push_back(name_ + " close");
    inner.Close();
  }
  bool SetWindowSize(int rows, int cols) override {
    journal_.push_back(name_ + " size " + std::to_string(rows) + "x" + std::to_string(cols));
    return inner.SetWindowSize(rows, cols);
  }

 private:
  std::string name_;
  std::vector<std::string>& journal_;
};

}  // namespace korvane::testing
