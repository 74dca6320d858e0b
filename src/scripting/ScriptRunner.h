#pragma once
// The script runner: where the program's features run the small scripts they
// write (open an address, ask for the settings folder, test whether a file is
// there, open one of the program's documents, run a script of the user's
// scripts folder).
//
// There is no general script interpreter behind it. The runner recognises
// exactly the forms of script the program itself writes and carries each out
// as a native action through RunnerTarget; any other text is refused with a
// status and a message, and nothing happens. A script the program writes may
// hold text a host sent (an address): it is never handed to a shell.
//
// A caller prints the script's lines into the buffer (each line ends in a
// carriage return), runs it with RunScriptHandle and reads ScriptResult: the
// result in the scripting language's source form (a text between double
// quotes, alias "…" for a folder, true or false), empty when the script gives
// no value, or the error message when it failed.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace korvane::scripting {

// The native actions behind the scripts.
class RunnerTarget {
 public:
  virtual ~RunnerTarget() = default;
  // Opens a web or mail address with the user's programs; false when the
  // desktop refused it.
  virtual bool OpenURL(const std::string& url) = 0;
  // Opens a document with its default program; false when that failed.
  virtual bool OpenFile(const std::string& path) = 0;
  // Runs a script of the user's scripts folder (a checked, absolute path) with
  // an argument vector; false when it could not be started.
  virtual bool RunScriptFile(const std::string& path) = 0;
  // The settings folder, ending in "/".
  virtual std::string PreferencesFolder() const = 0;
  // The user's scripts folder ($XDG_CONFIG_HOME/korvane/scripts).
  virtual std::string ScriptsFolder() const = 0;
};

// Status of a run.
constexpr int16_t kScriptRan = 0;
// The text is not a script the program writes (errOSASyntaxError).
constexpr int16_t kScriptNotRecognised = -2740;
// The script asks for something it may not have (errAEPrivilegeError).
constexpr int16_t kScriptRefused = -10004;
// The action was tried and failed (errAEEventFailed).
constexpr int16_t kScriptFailed = -10000;
// The file the script names is not there (fnfErr).
constexpr int16_t kScriptFileNotFound = -43;

class ScriptRunner {
 public:
  explicit ScriptRunner(RunnerTarget& target);

  // The script buffer: every text printed is appended, every line end appends
  // a carriage return (13). It comes into being with the first text printed.
  void Print(std::string_view text);
  void PrintLine(std::string_view line);
  bool HasScript() const { return scriptBuffer_.has_value(); }

  // Runs the buffer's script and releases the buffer. With no buffer nothing
  // runs, the status is 0 and ScriptResult keeps its text.
  int16_t RunScriptHandle();
  // Runs a script text; result receives the result or the error message.
  int16_t RunAppleScriptText(std::string_view text, std::string& result);

  // The result or error message of the last run (cut as a reply is: 255
  // characters whole, a longer text to its first 250).
  std::string ScriptResult;

 private:
  int16_t Run(std::string_view text, std::string& result);
  int16_t RunFinderScript(std::string_view command, std::string& result);
  int16_t RunUserScript(const std::string& path, std::string& result);

  RunnerTarget& target_;
  std::optional<std::string> scriptBuffer_;
};

}  // namespace korvane::scripting
