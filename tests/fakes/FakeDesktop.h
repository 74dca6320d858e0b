#pragma once
// A desktop that records what it was asked to open and opens nothing.

#include <string>
#include <vector>

#include "platform/Desktop.h"

namespace korvane::fakes {

class FakeDesktop final : public platform::Desktop {
 public:
  std::vector<std::string> urls, files;
  bool OpenURL(const std::string& url) override {
    if (!platform::AllowedUrl(url)) return false;
    urls.push_back(url);
    return true;
  }
  bool OpenFile(const std::string& path) override {
    files.push_back(path);
    return true;
  }
};

}  // namespace korvane::fakes
