#include "output/PrintSpooler.h"

#include <cerrno>

namespace korvane::output {

bool PrintSpooler::IsPrinterName(std::string_view name) {
  if (name.empty() || name.size() > 127 || name.front() == '-') return false;
  for (const char ch : name) {
    const auto b = static_cast<unsigned char>(ch);
    if (b <= 32 || b == 127 || ch == '/' || ch == '#' || ch == '\\' || ch == '\'' || ch == '"') return false;
  }
  return true;
}

std::vector<std::string> PrintSpooler::RawPrintCommand(const std::string& file, const std::string& printer) {
  std::vector<std::string> argv{"lp"};
  if (!printer.empty()) {
    argv.push_back("-d");
    argv.push_back(printer);
  }
  argv.push_back("-o");
  argv.push_back("raw");
  argv.push_back(file);
  return argv;
}

void PrintSpooler::ReportKept(const std::string& reason, const std::string& file) {
  alerts_.Show(platform::AlertKind::Stop, 0, "The printer did not take the job.", "\r", reason,
               "\rThe printer data is kept in " + file);
}

bool PrintSpooler::SubmitRawFile(const std::string& file, const std::string& printer) {
  if (!printer.empty() && !IsPrinterName(printer)) {
    ReportKept("\"" + printer + "\" is not a printer name.", file);
    return false;
  }
  // The file is ours, named with a full path, so lp can never take it for
  // an option.
  int id = 0;
  const int error = programs_.StartProgram(RawPrintCommand(file, printer), id);
  if (error != 0) {
    ReportKept(error == ENOENT ? std::string("The print command lp was not found (install cups-client).")
                               : "lp: " + platform::FileErrorText(error),
               file);
    return false;
  }
  jobs_.push_back({id, file, clock_.Milliseconds()});
  return true;
}

void PrintSpooler::Poll() {
  for (auto it = jobs_.begin(); it != jobs_.end();) {
    platform::ProgramExit exit;
    if (programs_.ProgramEnded(it->id, exit)) {
      if (exit.exited && exit.status == 0) {
        files_.RemoveFile(it->file);
      } else {
        std::string said = exit.output;
        while (!said.empty() && (said.back() == '\n' || said.back() == '\r')) said.pop_back();
        if (said.empty())
          said = exit.exited ? "lp ended with status " + std::to_string(exit.status)
                             : "lp was stopped by signal " + std::to_string(exit.status);
        ReportKept(said, it->file);
      }
      it = jobs_.erase(it);
    } else if (clock_.Milliseconds() - it->startedMs > kTimeoutMs) {
      programs_.StopProgram(it->id);
      ReportKept("lp did not finish within a minute; the print service may not be running.", it->file);
      it = jobs_.erase(it);
    } else {
      ++it;
    }
  }
}

}  // namespace korvane::output
