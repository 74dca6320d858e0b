#pragma once
// Running scripts for the program: the script runner's native actions (the
// desktop opens addresses and files, a script of the user's scripts folder
// runs as a program of its own, started with an argument vector and never
// through a shell) and the host's run-script command, which every session
// window reaches as its ScriptService.
//
// A script runs beside the program; the pending-command pass looks in on it
// without waiting. A script that fails to start, or ends with an error, is
// reported to the user.

#include <string>
#include <vector>

#include "emulation/SessionServices.h"
#include "platform/AlertRoutines.h"
#include "platform/Desktop.h"
#include "platform/Programs.h"
#include "scripting/ScriptRunner.h"

namespace korvane::app {

class ScriptRunService final : public ScriptService, public scripting::RunnerTarget {
 public:
  // `programs` starts the scripts.
  ScriptRunService(platform::Desktop& desktop, platform::Programs& programs, platform::AlertRoutines& alerts,
                   std::string preferencesFolder, std::string scriptsFolder);
  ~ScriptRunService() override;
  ScriptRunService(const ScriptRunService&) = delete;
  ScriptRunService& operator=(const ScriptRunService&) = delete;

  // The runner that carries out the scripts the program writes.
  scripting::ScriptRunner& Runner() { return runner_; }

  // ScriptService: the host's run-script command, with a path already kept
  // inside the scripts folder and confirmed by the user. Runs it through the
  // runner; false (after telling the user why) when it could not be started.
  bool RunScript(const std::string& path) override;

  // Looks in on the scripts started: those that ended are forgotten, and one
  // that failed is reported. Never waits.
  void Poll();
  // The scripts started and not yet seen to end.
  size_t Running() const { return running_.size(); }

  // RunnerTarget.
  bool OpenURL(const std::string& url) override { return desktop_.OpenURL(url); }
  bool OpenFile(const std::string& path) override { return desktop_.OpenFile(path); }
  bool RunScriptFile(const std::string& path) override;
  std::string PreferencesFolder() const override { return preferencesFolder_; }
  std::string ScriptsFolder() const override { return scriptsFolder_; }

 private:
  struct Started {
    int id;
    std::string path;
  };
  platform::Desktop& desktop_;
  platform::Programs& programs_;
  platform::AlertRoutines& alerts_;
  std::string preferencesFolder_, scriptsFolder_;
  scripting::ScriptRunner runner_{*this};
  std::vector<Started> running_;
};

}  // namespace korvane::app
