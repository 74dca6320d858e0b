#pragma once
// The program on the fake platform: fake clock, windows, menus, alerts,
// files and children; events scripted per turn.

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/App.h"
#include "fakes/FakeAlerts.h"
#include "fakes/FakeClock.h"
#include "fakes/FakeCursors.h"
#include "fakes/FakeDesktop.h"
#include "fakes/FakeFileDialogs.h"
#include "fakes/FakePrinting.h"
#include "fakes/FakePrograms.h"
#include "fakes/RecordingClipboard.h"
#include "fakes/RecordingSerialPorts.h"
#include "fakes/RecordingSounds.h"
#include "fakes/FakeEventPump.h"
#include "fakes/MemoryLink.h"
#include "fakes/FakeWindows.h"
#include "fakes/MemoryFiles.h"
#include "fakes/RecordingSettingsHost.h"
#include "platform/NullPort.h"
#include "settings/Settings.h"

namespace korvane::testing {

// A child's stream that hands everything to a memory link the test keeps: the
// link outlives the stream, so a test can look at it after the program has
// closed and dropped the stream.
class KeptLink final : public HostLink {
 public:
  explicit KeptLink(std::shared_ptr<fakes::MemoryLink> l) : link(std::move(l)) {}
  std::shared_ptr<fakes::MemoryLink> link;
  void Write(const uint8_t* data, int n) override { link->Write(data, n); }
  int Read(uint8_t* buf, int max) override { return link->Read(buf, max); }
  int Waiting() override { return link->Waiting(); }
  bool Ended() override { return link->Ended(); }
  void Close() override { link->Close(); }
  bool SetWindowSize(int rows, int cols) override { return link->SetWindowSize(rows, cols); }
  bool HoldEchoOf(const std::vector<std::string>& lines) override { return link->HoldEchoOf(lines); }
  LinkEnd EndOfLink() const override { return link->EndOfLink(); }
};

// Children that are memory links the test keeps.
class KeptProcesses final : public platform::Processes {
 public:
  explicit KeptProcesses(const platform::Clock* clock) : clock_(clock) {}
  std::vector<platform::PtyChildRequest> starts;
  std::vector<fakes::MemoryLink*> links;  // one per start, alive as long as this
  std::set<std::string> executables;
  std::map<std::string, std::string> onPath;  // program name -> where the PATH finds it

  platform::PtyChildStart StartPtyChild(const platform::PtyChildRequest& request) override {
    starts.push_back(request);
    auto link = std::make_shared<fakes::MemoryLink>(clock_);
    kept_.push_back(link);
    links.push_back(link.get());
    return {0, std::make_unique<KeptLink>(link)};
  }
  bool IsExecutableFile(const std::string& path) override { return executables.count(path) != 0; }
  std::string FindOnPath(const std::string& name) override {
    const auto found = onPath.find(name);
    return found == onPath.end() ? std::string() : found->second;
  }

 private:
  const platform::Clock* clock_;
  std::vector<std::shared_ptr<fakes::MemoryLink>> kept_;
};

// Menus as the interface description gives them: the File menu, the Window
// menu's 17 fixed items and the serial-port menu.
inline std::vector<platform::MenuDescription> TestMenus() {
  platform::MenuDescription app{2, "Korvane", {}};
  for (const char* t : {"About Korvane", "Preferences", "Quit Korvane"}) app.items.push_back({t});
  platform::MenuDescription file{3, "File", {}};
  file.items.push_back({"New Session Window"});
  for (int i = 2; i <= 23; ++i) file.items.push_back({"File item " + std::to_string(i)});
  platform::MenuDescription connection{7, "Connection", {}};
  for (int i = 1; i <= 15; ++i) connection.items.push_back({"Connection item " + std::to_string(i)});
  platform::MenuDescription window{10, "Window", {}};
  for (int i = 1; i <= 17; ++i) window.items.push_back({"Fixed " + std::to_string(i)});
  platform::MenuDescription ports{75, "Serial Port", {}};
  for (const char* t : {"ttyS0", "ttyS1", "ttyUSB0"}) ports.items.push_back({t});
  platform::MenuDescription recorder{9, "Recorder", {}};
  for (int i = 1; i <= 8; ++i) recorder.items.push_back({"Recorder item " + std::to_string(i)});
  return {app, file, connection, window, ports, recorder};
}

// A settings document with the built-in defaults changed by `edit`.
inline void WriteDocument(fakes::MemoryFiles& files, const std::string& path,
                          const std::function<void(SessionOptions&)>& edit) {
  SessionOptions opt;
  SettingsState state;
  Preferences prefs("/prefs/");
  fakes::FakeAlerts alerts;
  fakes::RecordingSettingsHost host;
  Settings settings(opt, state, prefs, files, alerts, host);
  settings.SetDefaultSettings();
  edit(opt);
  settings.WriteSettingsFile(path);
}

// A local shell that runs `program` (a fake child: nothing is typed into it).
inline std::function<void(SessionOptions&)> LocalProgram(const std::string& program) {
  return [program](SessionOptions& o) {
    o.UsesPty = 1;
    o.LocalShellSession = 1;
    o.TelnetSession = 0;
    o.SshSession = 0;
    o.ShellRunsProgram = 1;
    o.ShellRunsTcsh = 0;
    o.ShellRunsLogin = 0;
    o.ShellProgram = program;
    o.AutoConnect = 1;
    o.ScrollBackOn = 1;
  };
}

class AppFixture : public ::testing::Test {
 protected:
  fakes::FakeClock clock;
  app::EventQueue queue;
  fakes::FakeEventPump pump{clock, queue};
  fakes::FakeWindows windows{&queue};
  platform::MemoryMenus menus{TestMenus()};
  fakes::FakeAlerts alerts;
  fakes::FakeCursors cursors;
  fakes::MemoryFiles files;
  KeptProcesses processes{&clock};
  fakes::FakeDesktop desktop;
  fakes::RecordingSounds sounds;
  // The machine's serial ports, as the serial-port menu lists them.
  fakes::RecordingSerialPorts serialPorts{&clock};
  fakes::FakePrinting printing;
  fakes::FakePrograms programs;
  fakes::FakeFileDialogs fileDialogs;
  fakes::RecordingClipboard clipboard;
  app::Platform platform{clock,     pump,    windows, menus,    alerts,   cursors,     files,
                         processes, desktop, sounds,  printing, programs, fileDialogs, clipboard};
  // What journaling links record (it outlives the program's sessions).
  std::vector<std::string> journal;
  std::unique_ptr<app::App> app;
  std::vector<std::string> dispatched;           // "handler kind"
  std::map<int, fakes::MemoryLink*> lastLinks_;  // the link each window's child last had
  // The messages' table the program starts with (none: English).
  std::string stringTable;

  AppFixture() {
    platform.serialPorts = &serialPorts;
    processes.executables.insert("/usr/local/bin/host");
    for (const char* port : {"ttyS0", "ttyS1", "ttyUSB0"}) serialPorts.AddPort(port);
    // The installed program's function keys for each emulation (the data
    // folder is the root here), read while a session defines none: 64 blank
    // keys.
    for (const char* name : {"Prism Fkeys", "TeleVideo 925 Fkeys", "VT100 Fkeys", "VT220 Fkeys", "Viewpoint Fkeys",
                             "Wyse 370 Fkeys", "Wyse 50 Fkeys", "Wyse 60 Fkeys"})
      files.files[std::string("/Fkeys/") + name] = std::string(64, '\n');
  }

  // Starts the program with the documents and runs its first turns.
  app::App& Start(const std::vector<std::string>& documents = {}) {
    app::StartupData data;
    data.preferencesFolder = "/prefs/";
    data.programs.VersionText = "Version 1.0";
    data.stringTable = stringTable;
    app = std::make_unique<app::App>(platform, queue, data);
    app->onDispatch = [this](int h, int k) { dispatched.push_back(std::to_string(h) + " " + std::to_string(k)); };
    app->OpenDocuments(documents);
    Turns(3);
    return *app;
  }
  // Starts with a local session whose child is a memory link.
  app::App& StartLocal() {
    WriteDocument(files, "/docs/local", LocalProgram("/usr/local/bin/host"));
    return Start({"/docs/local"});
  }
  void Turns(int n) {
    for (int i = 0; i < n && !app->Finished(); ++i) app->Turn();
  }
  // Posts an event for the next turn.
  void Post(const platform::UiEvent& e) { queue.Post(e); }
  void Menu(int menu, int item) {
    platform::UiEvent e;
    e.kind = platform::UiEventKind::Menu;
    e.number = static_cast<int16_t>(menu);
    e.item = static_cast<int16_t>(item);
    Post(e);
  }
  SessionWindow& Window(int n) {
    SessionWindow* w = app->windows.Find(n);
    EXPECT_NE(w, nullptr) << "window " << n;
    return *w;
  }
  // The memory link of window n's child; once the program has closed and
  // dropped the stream (a child that ended is reaped), the link it last had.
  fakes::MemoryLink& LinkOf(int n) {
    if (HostLink* stream = Window(n).session.conn.PtyStream.get())
      lastLinks_[n] = static_cast<KeptLink*>(stream)->link.get();
    EXPECT_TRUE(lastLinks_.count(n)) << "window " << n << " has had no child";
    return *lastLinks_[n];
  }
  // The text of screen row r of window n, without trailing blanks.
  std::string Row(int n, int r) {
    Screen& s = Window(n).session.screen;
    std::string out;
    for (int c = 1; c <= s.ScreenCols; ++c) {
      const int ch = s.ScreenChars(r, c);
      out += ch == 0 ? ' ' : static_cast<char>(ch);
    }
    out.erase(out.find_last_not_of(' ') + 1);
    return out;
  }
  // The session items of the Window menu.
  std::vector<std::string> WindowItems() {
    std::vector<std::string> out;
    for (int i = 18; i <= menus.CountItems(10); ++i) out.push_back(menus.ItemText(10, i));
    return out;
  }
  int AlertsWith(const std::string& text) {
    int n = 0;
    for (const auto& a : alerts.shown) n += a.text.find(text) != std::string::npos;
    return n;
  }
};

}  // namespace korvane::testing
