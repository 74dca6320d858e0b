#pragma once
// Raw print jobs: bytes the host meant for the printer (PCL and the like)
// handed to the CUPS spooler unchanged with "lp -d PRINTER -o raw FILE",
// started with an argument vector and watched from the idle pass, so that a
// slow spooler never holds the window. The file is removed once lp has taken
// the job; when lp fails, the file is kept and the user is told where.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Alerts.h"
#include "platform/Clock.h"
#include "platform/Files.h"
#include "platform/Programs.h"

namespace korvane::output {

class PrintSpooler {
 public:
  // lp is stopped, and the job reported as failed, after this long.
  static constexpr int64_t kTimeoutMs = 60'000;

  PrintSpooler(platform::Programs& programs, platform::Files& files, platform::Alerts& alerts, platform::Clock& clock)
      : programs_(programs), files_(files), alerts_(alerts), clock_(clock) {}

  // True when `name` can be given to lp as a printer (a CUPS queue name:
  // printable, no blank, "/" or "#", not starting with "-").
  static bool IsPrinterName(std::string_view name);
  // The argument vector of a raw job; an empty printer leaves the choice to
  // CUPS (its default destination).
  static std::vector<std::string> RawPrintCommand(const std::string& file, const std::string& printer);

  // Starts lp on `file` for `printer`. False, after an alert and with the
  // file kept, when lp cannot be started.
  bool SubmitRawFile(const std::string& file, const std::string& printer);
  // The idle pass: collects the lp programs that have ended and reports
  // those that failed; stops one that runs too long.
  void Poll();
  bool Busy() const { return !jobs_.empty(); }

 private:
  struct Job {
    int id = 0;
    std::string file;
    int64_t startedMs = 0;
  };
  void ReportKept(const std::string& reason, const std::string& file);

  platform::Programs& programs_;
  platform::Files& files_;
  platform::Alerts& alerts_;
  platform::Clock& clock_;
  std::vector<Job> jobs_;
};

}  // namespace korvane::output
