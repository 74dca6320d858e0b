// The serial path of the whole program: a serial session of the real program
// (its main loop, its Qt windows offscreen, a VT100 screen of 80 x 24) on a
// pseudo-terminal standing in for the line, named as a device the user
// names. The far end sends lines of text, paced at a line's speed or as fast
// as the pseudo-terminal takes them; every byte the program reads from the
// port is checked against what was sent, so a byte lost, repeated or
// reordered anywhere on the way fails the run.
//
//   korvane_serial_e2e_bench [--baud RATE] [BYTES]
//
// With --baud the far end sends at RATE bits per second (ten bits a
// character, as 8N1 takes); without, at the pseudo-terminal's own speed.
// BYTES defaults to 262144 at a baud rate and 8 MiB without.

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "app/App.h"
#include "app/EventQueue.h"
#include "emulation/EmulationFlags.h"
#include "fakes/RecordingSettingsHost.h"
#include "platform/posix/PosixSerialPorts.h"
#include "platform/qt/InterfaceFile.h"
#include "platform/qt/QtPlatform.h"
#include "settings/Settings.h"

namespace {

using namespace korvane;

// Alerts nobody answers: a benchmark that meets one has failed.
class NoAlerts final : public platform::Alerts {
 public:
  int shown = 0;
  int Show(platform::AlertKind, int, const std::string& a, const std::string& b, const std::string& c,
           const std::string& d) override {
    ++shown;
    std::fprintf(stderr, "alert: %s%s%s%s\n", a.c_str(), b.c_str(), c.c_str(), d.c_str());
    return 1;
  }
};

// Lines of 1 to 79 printable characters, each ended by CR LF.
std::string Stream(std::size_t bytes) {
  std::string s;
  s.reserve(bytes);
  unsigned seed = 7;
  while (s.size() < bytes) {
    seed = seed * 1103515245u + 12345u;
    const std::size_t n = 1 + (seed >> 16) % 79;
    for (std::size_t i = 0; i < n && s.size() < bytes; ++i) {
      seed = seed * 1103515245u + 12345u;
      s += static_cast<char>(32 + (seed >> 16) % 95);
    }
    if (s.size() < bytes) s += '\r';
    if (s.size() < bytes) s += '\n';
  }
  return s;
}

// The port as the program reads it, each byte checked against the stream.
class CheckedPort final : public platform::SerialPort {
 public:
  CheckedPort(std::unique_ptr<platform::SerialPort> inner, const std::string& expected)
      : inner_(std::move(inner)), expected_(expected) {}
  std::size_t read = 0;
  bool intact = true;

  void Write(const uint8_t* data, int n) override { inner_->Write(data, n); }
  int Read(uint8_t* buf, int max) override {
    const int n = inner_->Read(buf, max);
    for (int i = 0; i < n; ++i) {
      if (read >= expected_.size() || buf[i] != static_cast<uint8_t>(expected_[read])) intact = false;
      ++read;
    }
    return n;
  }
  int Waiting() override { return inner_->Waiting(); }
  bool Ended() override { return inner_->Ended(); }
  void Close() override { inner_->Close(); }
  int SetFlowControl(platform::SerialFlowControl flow) override { return inner_->SetFlowControl(flow); }
  int SetDtr(bool raised) override { return inner_->SetDtr(raised); }
  int SetBreak(bool on) override { return inner_->SetBreak(on); }
  int SendXonXoff(bool xoff) override { return inner_->SendXonXoff(xoff); }
  int Configure(const platform::SerialLineSettings& settings) override { return inner_->Configure(settings); }
  void PumpOutput() override { inner_->PumpOutput(); }
  std::size_t PendingOutput() const override { return inner_->PendingOutput(); }
  std::size_t TakeRefusedOutput() override { return inner_->TakeRefusedOutput(); }
  int Descriptor() const override { return inner_->Descriptor(); }
  const std::string& Path() const override { return inner_->Path(); }

 private:
  std::unique_ptr<platform::SerialPort> inner_;
  const std::string& expected_;
};

class CheckedPorts final : public platform::SerialPorts {
 public:
  CheckedPorts(platform::SerialPorts& inner, const std::string& expected) : inner_(inner), expected_(expected) {}
  CheckedPort* port = nullptr;
  std::vector<platform::SerialPortEntry> ListPorts() override { return inner_.ListPorts(); }
  platform::SerialOpenResult Open(const platform::SerialOpenRequest& request) override {
    platform::SerialOpenResult opened = inner_.Open(request);
    if (opened.port) {
      auto checked = std::make_unique<CheckedPort>(std::move(opened.port), expected_);
      port = checked.get();
      opened.port = std::move(checked);
    }
    return opened;
  }

 private:
  platform::SerialPorts& inner_;
  const std::string& expected_;
};

int64_t NowUs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return int64_t{ts.tv_sec} * 1000000 + ts.tv_nsec / 1000;
}

int Run(int32_t baud, std::size_t bytes, const std::string& resources) {
  const std::string stream = Stream(bytes);

  // The line: the program opens the pseudo-terminal's port side by its name.
  int master = -1, slave = -1;
  if (openpty(&master, &slave, nullptr, nullptr, nullptr) != 0) return 1;
  const std::string device = ttyname(slave);
  termios raw{};
  tcgetattr(slave, &raw);
  cfmakeraw(&raw);
  tcsetattr(slave, TCSANOW, &raw);
  close(slave);

  QTemporaryDir folder;
  app::EventQueue queue;
  platform::InterfaceDescription description;
  std::string error;
  platform::LoadInterfaceDescription(resources + "/interface.json", description, error);
  platform::QtPlatform qt(queue, description, [](const std::string& s) { return s; });
  queue.onPost = [&qt] { qt.pump.Wake(); };
  NoAlerts alerts;

  platform::posix::SerialDevicePlaces places;
  places.sysRoot = folder.path().toStdString() + "/no-sys";
  places.namedInVariable = device;
  platform::posix::PosixSerialPorts machine(places);
  CheckedPorts ports(machine, stream);

  const std::string prefs = folder.path().toStdString() + "/prefs/";
  const std::string document = folder.path().toStdString() + "/serial";
  {
    struct {
      SessionOptions Opt;
      SettingsState state;
    } s;
    Preferences p(prefs);
    fakes::RecordingSettingsHost host;
    Settings settings(s.Opt, s.state, p, qt.files, alerts, host);
    settings.SetDefaultSettings();
    SetEmulationFlags(EmulationKind::Vt100, s.Opt);
    s.Opt.UsesPty = 0;
    s.Opt.TelnetSession = s.Opt.SshSession = s.Opt.LocalShellSession = 0;
    s.Opt.ConnectionPort = -1;
    s.Opt.BaudRate = baud > 0 ? baud : 115200;
    s.Opt.SerialPortList = std::filesystem::path(device).filename().string() + ",";
    s.Opt.AutoWrapOn = 1;
    s.Opt.ScrollBackOn = 1;
    if (!settings.WriteSettingsFile(document)) return 1;
  }

  app::Platform platform{qt.clock,     qt.pump,    qt.windows, qt.menus,    alerts,      qt.cursors,     qt.files,
                         qt.processes, qt.desktop, qt.sounds,  qt.printing, qt.programs, qt.fileDialogs, qt.clipboard};
  platform.serialPorts = &ports;
  app::StartupData data;
  data.preferencesFolder = prefs;
  data.programs = ChildPrograms::ForThisUser();
  app::App program(platform, queue, data);
  program.OpenDocuments({document});
  for (int i = 0; i < 200 && !ports.port; ++i) program.Turn();
  if (!ports.port) {
    std::fprintf(stderr, "the serial port did not open\n");
    return 1;
  }
  for (int i = 0; i < 100; ++i) program.Turn();  // the greeting's waits

  // The far end, on a thread of its own as a host is.
  std::atomic<bool> stop{false};
  const int64_t startUs = NowUs();
  std::thread farEnd([&] {
    std::size_t sent = 0;
    const double bytesPerUs = baud > 0 ? baud / 10.0 / 1e6 : 0;
    while (sent < stream.size() && !stop) {
      std::size_t due = stream.size();
      if (baud > 0) {
        due = std::min(stream.size(), static_cast<std::size_t>((NowUs() - startUs) * bytesPerUs) + 1);
        if (due <= sent) {
          usleep(1000);
          continue;
        }
      }
      const ssize_t n = write(master, stream.data() + sent, std::min<std::size_t>(due - sent, 4096));
      if (n > 0)
        sent += static_cast<std::size_t>(n);
      else if (n < 0 && errno != EAGAIN && errno != EINTR)
        break;
    }
  });

  const clock_t cpu0 = clock();
  int64_t lastProgressUs = NowUs();
  std::size_t lastRead = 0;
  while (ports.port->read < stream.size() && NowUs() - lastProgressUs < 10000000) {
    program.Turn();
    if (ports.port->read != lastRead) {
      lastRead = ports.port->read;
      lastProgressUs = NowUs();
    }
  }
  const double seconds = (NowUs() - startUs) / 1e6;
  const double cpu = static_cast<double>(clock() - cpu0) / CLOCKS_PER_SEC;
  stop = true;
  farEnd.join();
  close(master);

  const bool whole = ports.port->read == stream.size() && ports.port->intact && alerts.shown == 0;
  std::printf("%s: %zu bytes in %.2f s, %.1f KB/s, processor %.0f%%: %s\n",
              baud > 0 ? (std::to_string(baud) + " baud").c_str() : "pseudo-terminal's own speed", stream.size(),
              seconds, stream.size() / seconds / 1000, 100 * cpu / seconds,
              whole
                  ? "every byte read, in order"
                  : ("read " + std::to_string(ports.port->read) + (ports.port->intact ? "" : ", NOT intact")).c_str());
  return whole ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QApplication app(argc, argv);
  int32_t baud = 0;
  std::size_t bytes = 0;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--baud" && i + 1 < argc) {
      baud = std::atoi(argv[++i]);
    } else if (!a.empty() && a[0] != '-') {
      bytes = static_cast<std::size_t>(std::strtoull(a.c_str(), nullptr, 10));
    } else {
      std::fprintf(stderr, "usage: korvane_serial_e2e_bench [--baud RATE] [BYTES]\n");
      return 2;
    }
  }
  if (bytes == 0) bytes = baud > 0 ? 262144 : 8u << 20;
  return Run(baud, bytes, KORVANE_RESOURCES_DIR);
}
