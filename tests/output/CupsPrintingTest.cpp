// One real job through CUPS: the test starts a print server of its own (its
// configuration, spool and socket in a temporary folder), adds a stopped
// queue, and passes a PCL job through lp into it. Where the server cannot
// start here, the test says so and is skipped.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "TempFolder.h"
#include "fakes/FakeScreenHost.h"
#include "fakes/FakeAlerts.h"
#include "fakes/FakePrinting.h"
#include "fakes/RecordingCaptureHost.h"
#include "output/CaptureOutput.h"
#include "platform/NullPort.h"
#include "platform/posix/PosixFiles.h"
#include "platform/posix/PosixPrograms.h"

namespace korvane::output {
namespace {

using testing_support::Contents;
using testing_support::Exists;
using testing_support::TempFolder;
using testing_support::WriteFile;

void Pause() {
  timespec ts{0, 20 * 1000 * 1000};
  nanosleep(&ts, nullptr);
}

std::string Program(const std::string& name) {
  for (const char* folder : {"/usr/sbin/", "/usr/bin/", "/sbin/", "/bin/"})
    if (access((folder + name).c_str(), X_OK) == 0) return folder + name;
  return {};
}

class CupsPrintingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"cupsd", "lpadmin", "cupsdisable", "lp", "lpstat"})
      if (Program(name).empty()) GTEST_SKIP() << name << " is not installed (cups, cups-client)";
    const std::string root = server.path;
    chmod(root.c_str(), 0755);
    WriteFile(root + "/cups-files.conf", "ServerRoot " + root + "\nRequestRoot " + root + "/spool\nCacheDir " + root +
                                             "/cache\nStateDir " + root + "/state\nTempDir " + root +
                                             "/tmp\nServerBin /usr/lib/cups\nDataDir /usr/share/cups\nErrorLog " +
                                             root + "/error_log\nAccessLog " + root + "/access_log\nPageLog " + root +
                                             "/page_log\nFileDevice Yes\nSandboxing Relaxed\n");
    WriteFile(root + "/cupsd.conf", "Listen " + Socket() +
                                        "\nLogLevel warn\nWebInterface No\n<Location />\n  Order allow,deny\n  "
                                        "Allow all\n</Location>\n<Policy default>\n  <Limit All>\n    Order "
                                        "deny,allow\n  </Limit>\n</Policy>\n");
    for (const char* folder : {"/spool", "/cache", "/state", "/tmp", "/ppd"})
      std::filesystem::create_directories(root + folder);
    int id = 0;
    if (programs.StartProgram({Program("cupsd"), "-f", "-c", root + "/cupsd.conf", "-s", root + "/cups-files.conf"},
                              id) != 0)
      GTEST_SKIP() << "cupsd could not be started";
    cupsd_ = id;
    for (int i = 0; i < 250 && !Exists(Socket()); ++i) {
      platform::ProgramExit exit;
      if (programs.ProgramEnded(cupsd_, exit)) {
        cupsd_ = 0;
        GTEST_SKIP() << "cupsd cannot run here: " << exit.output << Contents(root + "/error_log");
      }
      Pause();
    }
    if (!Exists(Socket())) GTEST_SKIP() << "cupsd did not open its socket: " << Contents(root + "/error_log");
    setenv("CUPS_SERVER", Socket().c_str(), 1);
    // A raw queue, stopped, so that the job stays in it to be looked at.
    ASSERT_EQ(Run({"lpadmin", "-p", "korvaneq", "-E", "-v", "file:///dev/null", "-m", "raw"}).status, 0);
    ASSERT_EQ(Run({"cupsdisable", "korvaneq"}).status, 0);
  }
  void TearDown() override {
    unsetenv("CUPS_SERVER");
    if (cupsd_ != 0) programs.StopProgram(cupsd_);
  }
  std::string Socket() const { return server / "cups.sock"; }
  platform::ProgramExit Run(const std::vector<std::string>& argv) {
    platform::ProgramExit exit;
    int id = 0;
    exit.status = -1;
    if (programs.StartProgram(argv, id) != 0) return exit;
    for (int i = 0; i < 500; ++i) {
      if (programs.ProgramEnded(id, exit)) return exit;
      Pause();
    }
    programs.StopProgram(id);
    return exit;
  }

  TempFolder server;
  TempFolder dir;
  platform::posix::PosixPrograms programs;
  int cupsd_ = 0;
};

TEST_F(CupsPrintingTest, APassThroughJobReachesTheQueue) {
  SessionOptions opt;
  opt.PclPassThrough = 1;
  platform::NullPort port{600, 400};
  fakes::FakeScreenHost screenHost;
  Screen s{opt, port, screenHost};
  platform::PosixFiles files;
  platform::SteadyClock clock;
  fakes::FakeAlerts alerts;
  fakes::FakePrinting printing;
  fakes::RecordingCaptureHost host;
  PrintServices services{printing, files, alerts, programs, clock, dir / "korvane"};
  CaptureOutput output{opt, s, files, alerts, host, services, {dir / "korvane", dir / "Desktop", dir.path}};

  const std::string job(
      "\x1B"
      "E\x1B&l0O\0\r\nKorvane\f\xFF\x1B"
      "E",
      21);
  output.Printer().SetRawPrinter("korvaneq");
  ASSERT_TRUE(output.OpenPrinterCapture());
  const std::string file = output.Printer().PrinterFilePath();
  output.WritePrinterCapture(job);
  output.PrinterCaptureOff(true);
  for (int i = 0; i < 500 && services.spooler.Busy(); ++i) {
    services.spooler.Poll();
    Pause();
  }
  ASSERT_FALSE(services.spooler.Busy());
  EXPECT_TRUE(alerts.shown.empty()) << (alerts.shown.empty() ? "" : alerts.shown[0].text);
  EXPECT_FALSE(Exists(file));

  const platform::ProgramExit queued = Run({"lpstat", "-o", "korvaneq"});
  EXPECT_NE(queued.output.find("korvaneq-1"), std::string::npos) << queued.output;
  // The spool holds the job's bytes as the host sent them (readable where
  // the test runs with the server's rights).
  const std::string spooled = server / "spool/d00001-001";
  if (access(spooled.c_str(), R_OK) == 0) {
    EXPECT_EQ(Contents(spooled), job);
  }
}

}  // namespace
}  // namespace korvane::output
