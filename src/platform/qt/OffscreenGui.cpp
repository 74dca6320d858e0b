#include "platform/qt/OffscreenGui.h"

#include <QGuiApplication>
#include <cstdlib>

namespace korvane::platform {

struct OffscreenGui::App {
  App(int& argc, char** argv) : app(argc, argv) {}
  QGuiApplication app;
};

namespace {
int& PrepareOffscreen(int& argc) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  return argc;
}
}  // namespace

OffscreenGui::OffscreenGui(int& argc, char** argv) : app_(std::make_unique<App>(PrepareOffscreen(argc), argv)) {}

OffscreenGui::~OffscreenGui() = default;

}  // namespace korvane::platform
