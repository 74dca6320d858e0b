#pragma once
// The desktop on Qt: addresses and files go to the user's own programs
// through xdg-open, started with an argument vector, never through a shell.

#include "platform/Desktop.h"

namespace korvane::platform {

class QtDesktop final : public Desktop {
 public:
  bool OpenURL(const std::string& url) override;
  bool OpenFile(const std::string& path) override;
};

}  // namespace korvane::platform
