// Pass-through printing at the user's level: a PCL job from the host, binary
// through and through, reaches an lp program first on PATH byte for byte,
// with the chosen printer and "-o raw"; an lp that refuses the job leaves it
// on disk and says why.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <time.h>

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

// A PCL job as a host sends it: reset, page set-up, a raster run holding
// every byte value (NUL, ESC, CR, LF among them), and a form feed.
std::string PclJob() {
  std::string job =
      "\x1B"
      "E\x1B&l0O\x1B&l2A\x1B*t300R\x1B*r1A";
  for (int row = 0; row < 40; ++row) {
    job += "\x1B*b256W";
    for (int b = 0; b < 256; ++b) job += static_cast<char>((b + row) & 0xFF);
  }
  job += std::string(
      "\x1B*rB\f\x1B"
      "E\0\r\n",
      10);
  return job;
}

class RawPrintingTest : public ::testing::Test {
 protected:
  RawPrintingTest() {
    std::filesystem::create_directories(bin());
    const char* path = std::getenv("PATH");
    savedPath_ = path ? path : "";
    setenv("PATH", (bin() + ":" + savedPath_).c_str(), 1);
    setenv("KORVANE_FAKE_LP_OUT", (dir / "lp").c_str(), 1);
    opt.PclPassThrough = 1;
  }
  ~RawPrintingTest() override {
    setenv("PATH", savedPath_.c_str(), 1);
    unsetenv("KORVANE_FAKE_LP_OUT");
  }
  std::string bin() const { return dir / "bin"; }
  void InstallLp(const std::string& script) {
    WriteFile(bin() + "/lp", "#!/bin/sh\n" + script);
    chmod((bin() + "/lp").c_str(), 0755);
  }
  // Lets the idle pass look at lp until it has ended (five seconds at most).
  void WaitForSpooler() {
    for (int i = 0; i < 500 && services.spooler.Busy(); ++i) {
      services.spooler.Poll();
      timespec ts{0, 10 * 1000 * 1000};
      nanosleep(&ts, nullptr);
    }
    ASSERT_FALSE(services.spooler.Busy());
  }

  TempFolder dir;
  std::string savedPath_;
  SessionOptions opt;
  platform::NullPort port{600, 400};
  fakes::FakeScreenHost screenHost;
  Screen s{opt, port, screenHost};
  platform::PosixFiles files;
  platform::posix::PosixPrograms programs;
  platform::SteadyClock clock;
  fakes::FakeAlerts alerts;
  fakes::FakePrinting printing;
  fakes::RecordingCaptureHost host;
  PrintServices services{printing, files, alerts, programs, clock, dir / "korvane"};
  CaptureOutput output{opt, s, files, alerts, host, services, {dir / "korvane", dir / "Desktop", dir.path}};
};

TEST_F(RawPrintingTest, ThePclJobReachesLpByteForByteAsARawJobForTheChosenPrinter) {
  InstallLp(
      "printf '%s\\n' \"$@\" > \"$KORVANE_FAKE_LP_OUT.args\"\n"
      "for last; do :; done\n"
      "cat \"$last\" > \"$KORVANE_FAKE_LP_OUT.data\"\n"
      "echo 'request id is laser-1 (1 file(s))'\n");
  output.Printer().SetRawPrinter("laser");
  ASSERT_TRUE(output.OpenPrinterCapture());
  const std::string file = output.Printer().PrinterFilePath();
  const std::string job = PclJob();
  // The printer controller hands the bytes over one at a time, the
  // character writer in runs.
  for (std::size_t i = 0; i < 64; ++i) output.WritePrinterCapture(job.substr(i, 1));
  output.WritePrinterCapture(job.substr(64));
  output.PrinterCaptureOff(true);
  WaitForSpooler();

  EXPECT_EQ(Contents(dir / "lp.data"), job);
  EXPECT_EQ(Contents(dir / "lp.args"), "-d\nlaser\n-o\nraw\n" + file + "\n");
  EXPECT_FALSE(Exists(file));
  EXPECT_TRUE(alerts.shown.empty());
  EXPECT_TRUE(printing.printDialogs.empty());
}

TEST_F(RawPrintingTest, AJobLpRefusesStaysOnDiskAndTheUserIsToldWhy) {
  InstallLp("echo 'lp: The printer or class does not exist.' >&2\nexit 1\n");
  output.Printer().SetRawPrinter("gone");
  output.OpenPrinterCapture();
  const std::string file = output.Printer().PrinterFilePath();
  output.WritePrinterCapture(
      std::string("\x1B"
                  "E\0",
                  3));
  output.PrinterCaptureOff(false);
  WaitForSpooler();
  EXPECT_EQ(Contents(file), std::string("\x1B"
                                        "E\0",
                                        3));
  ASSERT_EQ(alerts.shown.size(), 1u);
  EXPECT_NE(alerts.shown[0].text.find("lp: The printer or class does not exist."), std::string::npos);
  EXPECT_NE(alerts.shown[0].text.find(file), std::string::npos);
}

TEST_F(RawPrintingTest, WithoutLpTheJobIsKept) {
  setenv("PATH", bin().c_str(), 1);  // no lp anywhere
  output.OpenPrinterCapture();
  const std::string file = output.Printer().PrinterFilePath();
  output.WritePrinterCapture(
      "\x1B"
      "E");
  output.PrinterCaptureOff(false);
  EXPECT_FALSE(services.spooler.Busy());
  EXPECT_EQ(Contents(file),
            "\x1B"
            "E");
  ASSERT_EQ(alerts.shown.size(), 1u);
  EXPECT_NE(alerts.shown[0].text.find("lp was not found"), std::string::npos);
}

}  // namespace
}  // namespace korvane::output
