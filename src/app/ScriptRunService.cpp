#include "app/ScriptRunService.h"

#include <utility>

#include "platform/CharMap.h"

namespace korvane::app {

namespace {

// What a failed script wrote, cut to what an alert can show.
std::string OutputExcerpt(const std::string& output) {
  constexpr size_t kMax = 200;
  std::string text = output.substr(0, kMax);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
  if (output.size() > kMax) text += "...";
  return text;
}

}  // namespace

ScriptRunService::ScriptRunService(platform::Desktop& desktop, platform::Programs& programs,
                                   platform::AlertRoutines& alerts, std::string preferencesFolder,
                                   std::string scriptsFolder)
    : desktop_(desktop),
      programs_(programs),
      alerts_(alerts),
      preferencesFolder_(std::move(preferencesFolder)),
      scriptsFolder_(std::move(scriptsFolder)) {}

// The scripts still running belong to the programs object, which ends them.
ScriptRunService::~ScriptRunService() = default;

bool ScriptRunService::RunScript(const std::string& path) {
  // The same form the program writes for any script of the folder: the
  // runner checks the path once more and runs the file itself.
  runner_.PrintLine("tell application \"Finder\"");
  runner_.PrintLine("open \"" + path + "\"");
  runner_.PrintLine("end tell");
  const int16_t status = runner_.RunScriptHandle();
  const std::string why = std::move(runner_.ScriptResult);
  runner_.ScriptResult.clear();
  if (status == scripting::kScriptRan) return true;
  alerts_.StopAlertText(0, why);
  return false;
}

bool ScriptRunService::RunScriptFile(const std::string& path) {
  int id = 0;
  // The file alone is the argument vector: nothing from the host reaches it.
  if (programs_.StartProgram({path}, id) != 0) return false;
  running_.push_back({id, path});
  return true;
}

void ScriptRunService::Poll() {
  for (size_t i = 0; i < running_.size();) {
    platform::ProgramExit exit;
    if (!programs_.ProgramEnded(running_[i].id, exit)) {
      ++i;
      continue;
    }
    const std::string path = running_[i].path;
    running_.erase(running_.begin() + static_cast<std::ptrdiff_t>(i));
    if (exit.exited && exit.status == 0) continue;
    const std::string output = OutputExcerpt(exit.output);
    alerts_.NoteAlertText(0, exit.exited ? "A script ended with an error: " : "A script was stopped by a signal: ",
                          platform::MacRomanFromUtf8(path) + " (" + std::to_string(exit.status) + ")",
                          output.empty() ? "" : "\r", platform::MacRomanFromUtf8(output));
  }
}

}  // namespace korvane::app
