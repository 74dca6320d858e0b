// End-to-end throughput of the program: a local session of the real program
// (its main loop, its Qt windows offscreen, a child on a pseudo-terminal)
// whose child is `cat FILE`, at 80 x 24, timed from the first turn of the
// main loop until the last byte of the file has been read and interpreted.
//
//   korvane_e2e_bench FILE          the program's throughput in MB/s
//   korvane_e2e_bench --pty FILE    the pseudo-terminal's own: cat FILE read
//                                   from a pty as fast as it comes

#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/App.h"
#include "app/EventQueue.h"
#include "fakes/RecordingSettingsHost.h"
#include "platform/NullPort.h"
#include "platform/qt/InterfaceFile.h"
#include "platform/qt/QtPlatform.h"
#include "settings/Settings.h"

namespace {

using namespace korvane;

// Alerts nobody answers: a benchmark that meets one has failed.
class NoAlerts final : public platform::Alerts {
 public:
  int Show(platform::AlertKind, int, const std::string& a, const std::string& b, const std::string& c,
           const std::string& d) override {
    std::fprintf(stderr, "alert: %s%s%s%s\n", a.c_str(), b.c_str(), c.c_str(), d.c_str());
    return 1;
  }
};

double PtyOnly(const std::string& file) {
  int master = -1;
  const pid_t pid = forkpty(&master, nullptr, nullptr, nullptr);
  if (pid < 0) return 0;
  if (pid == 0) {
    execl("/bin/cat", "cat", file.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  QElapsedTimer t;
  t.start();
  char buf[65536];
  uint64_t total = 0;
  for (;;) {
    const ssize_t n = read(master, buf, sizeof buf);
    if (n <= 0) break;
    total += static_cast<uint64_t>(n);
  }
  const double seconds = t.nsecsElapsed() / 1e9;
  close(master);
  waitpid(pid, nullptr, 0);
  return static_cast<double>(total) / seconds / 1e6;
}

double Program(const std::string& file, const std::string& resources) {
  QTemporaryDir folder;
  app::EventQueue queue;
  platform::InterfaceDescription description;
  std::string error;
  platform::LoadInterfaceDescription(resources + "/interface.json", description, error);
  platform::QtPlatform qt(queue, description, [](const std::string& s) { return s; });
  queue.onPost = [&qt] { qt.pump.Wake(); };
  NoAlerts alerts;

  // The settings document: a local session whose child is cat of the file.
  const std::string prefs = folder.path().toStdString() + "/prefs/";
  const std::string document = folder.path().toStdString() + "/cat";
  {
    struct {
      SessionOptions Opt;
      SettingsState state;
    } s;
    Preferences p(prefs);
    fakes::RecordingSettingsHost host;
    Settings settings(s.Opt, s.state, p, qt.files, alerts, host);
    settings.SetDefaultSettings();
    s.Opt.UsesPty = 1;
    s.Opt.LocalShellSession = 1;
    s.Opt.TelnetSession = 0;
    s.Opt.ShellRunsProgram = 1;
    s.Opt.ShellProgram = "/bin/cat " + file;
    s.Opt.AutoWrapOn = 1;
    s.Opt.ScrollBackOn = 1;
    if (!settings.WriteSettingsFile(document)) return 0;
  }

  app::Platform platform{qt.clock,     qt.pump,    qt.windows, qt.menus,    alerts,      qt.cursors,     qt.files,
                         qt.processes, qt.desktop, qt.sounds,  qt.printing, qt.programs, qt.fileDialogs, qt.clipboard};
  app::StartupData data;
  data.preferencesFolder = prefs;
  data.programs = ChildPrograms::ForThisUser();
  app::App program(platform, queue, data);
  program.OpenDocuments({document});
  program.Turn();  // start-up: the window, the child
  SessionWindow* w = program.windows.Active();
  if (!w || !w->session.conn.PtyStream) return 0;
  const Screen& s = w->session.screen;
  if (s.ScreenRows != 24 || s.ScreenCols != 80) std::fprintf(stderr, "screen is %d x %d\n", s.ScreenRows, s.ScreenCols);

  QElapsedTimer t;
  t.start();
  while (!w->session.conn.PtyStream->Ended()) program.Turn();
  const double seconds = t.nsecsElapsed() / 1e9;
  return static_cast<double>(std::filesystem::file_size(file)) / seconds / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QApplication app(argc, argv);
  const QStringList args = QCoreApplication::arguments();
  if (args.size() == 3 && args[1] == "--pty") {
    std::printf("%.1f MB/s\n", PtyOnly(args[2].toStdString()));
    return 0;
  }
  if (args.size() != 2) {
    std::fprintf(stderr, "usage: korvane_e2e_bench [--pty] FILE\n");
    return 2;
  }
  const std::string file = std::filesystem::absolute(args[1].toStdString()).string();
  if (file.find(' ') != std::string::npos) {
    std::fprintf(stderr, "korvane_e2e_bench: the file's path may not contain blanks\n");
    return 2;
  }
  std::printf("%.1f MB/s\n", Program(file, KORVANE_RESOURCES_DIR));
  return 0;
}
