#pragma once
// The Qt application object a program needs before it can draw text into a
// QtImagePort, for tools and benchmarks that draw without a display: the
// offscreen platform is used unless QT_QPA_PLATFORM names another.

#include <memory>

namespace korvane::platform {

class OffscreenGui {
 public:
  OffscreenGui(int& argc, char** argv);
  ~OffscreenGui();
  OffscreenGui(const OffscreenGui&) = delete;
  OffscreenGui& operator=(const OffscreenGui&) = delete;

 private:
  struct App;
  std::unique_ptr<App> app_;
};

}  // namespace korvane::platform
