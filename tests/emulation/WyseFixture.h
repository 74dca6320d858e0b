#pragma once
// A Wyse-family session for interpreter tests: the host-input fixture's 24 x 80
// session with the interpreter installed, recording services (alerts, the
// desktop, the host-command hooks) and folders in a fresh temporary home.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "HostInputFixture.h"
#include "emulation/EmulationFlags.h"
#include "emulation/WyseInterpreter.h"

namespace korvane::testing_support {

class WyseTest : public HostInputTest {
 protected:
  WyseTest() : wyse(session.input, session.wyse) {
    home = std::filesystem::temp_directory_path() /
           ("korvane-wyse-" + std::to_string(getpid()) + "-" + std::to_string(counter_++));
    std::filesystem::remove_all(home);
    std::filesystem::create_directories(home / "Desktop");
    std::filesystem::create_directories(home / "Documents");
    std::filesystem::create_directories(home / "resources");
    session.around.services.folders = {home.string(),
                                       (home / "Desktop").string(),
                                       (home / "Documents").string(),
                                       (home / "resources").string(),
                                       (home / "scripts").string(),
                                       (home / "transfers").string()};
    Use(EmulationKind::Wyse60);
    opt().AutoWrapOn = 1;
    opt().HostCharacterSet = 14;
    in().SetInterpreters(&wyse, nullptr);
    pty = OpenPty();
  }
  ~WyseTest() override { std::filesystem::remove_all(home); }

  void Use(EmulationKind kind) {
    SetEmulationFlags(kind, opt());
    opt().HiddenAttributes = kind == EmulationKind::Tvi925 ? 0 : 1;
  }
  // The host sends `bytes`; one input pass reads them.
  void Feed(const std::string& bytes) {
    pty->Feed(bytes);
    in().ProcessHostInput();
  }
  // What the session sent back to the host.
  std::string Answer() const { return pty->written; }
  std::string AlertText(size_t i) const { return i < alerts.shown.size() ? alerts.shown[i].text : ""; }

  WyseInterpreter wyse;
  fakes::RecordingServices& actions = session.around.record;
  std::filesystem::path home;
  fakes::MemoryLink* pty = nullptr;

 private:
  static inline int counter_ = 0;
};

}  // namespace korvane::testing_support
