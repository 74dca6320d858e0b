#pragma once
// A session with its settings code, working in a temporary configuration
// folder: HOME and XDG_CONFIG_HOME point into a fresh directory for the
// lifetime of the test, so no test ever reads or writes the developer's own
// settings.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "fakes/FakeAlerts.h"
#include "fakes/RecordingSettingsHost.h"
#include "fakes/FakeClock.h"
#include "fakes/FaultyFiles.h"
#include "fakes/RecordingPort.h"
#include "settings/Settings.h"
#include "settings/SettingsTable.h"

namespace korvane::testing_support {

class TemporaryHome {
 public:
  TemporaryHome() {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && tmp[0] ? tmp : "/tmp") + "/korvane-settings-XXXXXX";
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    root = pattern;
    setenv("HOME", (root + "/home").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (root + "/config").c_str(), 1);
  }
  ~TemporaryHome() {
    std::error_code ec;
    std::filesystem::remove_all(root, ec);
  }
  std::string root;
};

// One session window's settings: its record and state, the settings code
// bound to them.
struct SessionUnderTest {
  SessionUnderTest(Preferences& prefs, platform::Files& files, fakes::FakeAlerts& alerts, SettingsHost& host)
      : settings(Opt, state, prefs, files, alerts, host) {}
  SessionOptions Opt;
  SettingsState state;
  Settings settings;
};

class SettingsTest : public ::testing::Test {
 protected:
  SettingsTest() : prefs(files.PreferencesFolderPath()), s(prefs, files, alerts, host) {}

  SessionOptions& opt() { return s.Opt; }
  SettingsState& state() { return s.state; }
  Settings& settings() { return s.settings; }

  // A second session window, for reading back what the first one wrote.
  std::unique_ptr<SessionUnderTest> NewSession() {
    return std::make_unique<SessionUnderTest>(prefs, files, alerts, host);
  }

  std::string PathOf(const std::string& name) const { return prefs.PathOf(name); }
  void WriteFile(const std::string& path, const std::string& bytes) {
    files.MakeFolders(std::filesystem::path(path).parent_path().string());
    std::ofstream(path, std::ios::binary) << bytes;
  }
  static std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  // The lines of a settings file as the program's 8-bit text.
  static std::vector<std::string> Lines(const std::string& path) {
    SettingsLineReader reader(ReadFile(path));
    std::vector<std::string> lines;
    for (;;) {
      std::string line = reader.ReadLine();
      if (reader.Error()) return lines;
      lines.push_back(std::move(line));
    }
  }
  // Settings line n of a file holding the function-key part and the settings.
  static std::string SettingsLineOf(const std::vector<std::string>& lines, int n) {
    return lines.at(kFkeyLineCount + n - 1);
  }

  TemporaryHome home;
  fakes::FaultyFiles files;
  fakes::FakeAlerts alerts;
  fakes::RecordingSettingsHost host;
  Preferences prefs;
  SessionUnderTest s;
};

// The lines on which two records differ, by name, for failure messages.
inline std::string DifferentLines(const SessionOptions& a, const SessionOptions& b) {
  std::string out;
  for (int line = 1; line <= kFkeyLineCount; ++line)
    if (FkeyLine(a, line) != FkeyLine(b, line)) out += " fkey line " + std::to_string(line);
  for (const auto& d : kSettingsLines) {
    if (d.Width() != 0 && d.Number(a) != d.Number(b))
      out += " " + std::string(d.name) + "(" + std::to_string(d.Number(a)) + " vs " + std::to_string(d.Number(b)) + ")";
    if (d.Width() == 0 && d.Text(a) != d.Text(b)) out += " " + std::string(d.name);
  }
  if (a.EmuWyse60 != b.EmuWyse60) out += " EmuWyse60";
  return out;
}

}  // namespace korvane::testing_support
