// The script runner carries out the scripts the program writes, each as a
// native action, and refuses every other text without doing anything.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "scripting/ScriptRunner.h"

namespace korvane::scripting {
namespace {

namespace fs = std::filesystem;

class RecordingRunnerTarget final : public RunnerTarget {
 public:
  std::vector<std::string> actions;
  std::string preferences = "/home/ann/.config/korvane/";
  std::string scripts;
  bool succeed = true;
  bool OpenURL(const std::string& url) override {
    actions.push_back("OpenURL " + url);
    return succeed;
  }
  bool OpenFile(const std::string& path) override {
    actions.push_back("OpenFile " + path);
    return succeed;
  }
  bool RunScriptFile(const std::string& path) override {
    actions.push_back("RunScriptFile " + path);
    return succeed;
  }
  std::string PreferencesFolder() const override { return preferences; }
  std::string ScriptsFolder() const override { return scripts; }
};

class ScriptRunnerTest : public ::testing::Test {
 protected:
  ScriptRunnerTest() : runner(target) {
    dir = fs::temp_directory_path() / ("korvane-runner-" + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir / "scripts");
    target.scripts = (dir / "scripts").string();
    Touch(dir / "scripts" / "login.sh");
    Touch(dir / "elsewhere.sh");
    Touch(dir / "help.html");
    Touch(dir / ".hidden");
  }
  ~ScriptRunnerTest() override { fs::remove_all(dir); }
  static void Touch(const fs::path& p) { std::ofstream(p) << "x\n"; }
  int16_t Run(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) runner.PrintLine(line);
    return runner.RunScriptHandle();
  }
  std::vector<std::string> Finder(const std::string& command) {
    return {"tell application \"Finder\"", command, "end tell"};
  }

  fs::path dir;
  RecordingRunnerTarget target;
  ScriptRunner runner;
};

TEST_F(ScriptRunnerTest, OpensWebAndMailAddresses) {
  EXPECT_EQ(Run({"open location \"https://example.org/a?b=1\""}), kScriptRan);
  EXPECT_EQ(runner.ScriptResult, "");
  EXPECT_EQ(Run({"open location \"mailto:ann@example.org\""}), kScriptRan);
  EXPECT_EQ(target.actions,
            (std::vector<std::string>{"OpenURL https://example.org/a?b=1", "OpenURL mailto:ann@example.org"}));
}

TEST_F(ScriptRunnerTest, AnswersTheSettingsFolderAsAnAlias) {
  EXPECT_EQ(Run({"path to preferences"}), kScriptRan);
  EXPECT_EQ(runner.ScriptResult, "alias \"/home/ann/.config/korvane/\"");
}

TEST_F(ScriptRunnerTest, TellsWhetherAnItemIsThere) {
  EXPECT_EQ(Run({"visible of (info for alias \"" + (dir / "help.html").string() + "\")"}), kScriptRan);
  EXPECT_EQ(runner.ScriptResult, "true");
  EXPECT_EQ(Run({"visible of (info for alias \"" + (dir / ".hidden").string() + "\")"}), kScriptRan);
  EXPECT_EQ(runner.ScriptResult, "false") << "a hidden item is there too";
  EXPECT_EQ(Run({"visible of (info for alias \"" + target.scripts + "/\")"}), kScriptRan);
  EXPECT_EQ(runner.ScriptResult, "true") << "a folder";
  const std::string missing = (dir / "missing").string();
  EXPECT_EQ(Run({"visible of (info for alias \"" + missing + "\")"}), kScriptFileNotFound);
  EXPECT_EQ(runner.ScriptResult, "File " + missing + " wasn't found.");
  EXPECT_TRUE(target.actions.empty());
}

TEST_F(ScriptRunnerTest, OpensTheProgramsDocuments) {
  const std::string help = (dir / "help.html").string();
  EXPECT_EQ(Run(Finder("open alias \"" + help + "\"")), kScriptRan);
  EXPECT_EQ(target.actions, (std::vector<std::string>{"OpenFile " + help}));
  const std::string missing = (dir / "missing.html").string();
  EXPECT_EQ(Run(Finder("open alias \"" + missing + "\"")), kScriptFileNotFound);
  EXPECT_EQ(runner.ScriptResult, "File " + missing + " wasn't found.");
  EXPECT_EQ(target.actions.size(), 1u);
}

TEST_F(ScriptRunnerTest, RunsOnlyScriptsOfTheScriptsFolder) {
  const std::string login = (dir / "scripts" / "login.sh").string();
  EXPECT_EQ(Run(Finder("open \"" + login + "\"")), kScriptRan);
  EXPECT_EQ(target.actions, (std::vector<std::string>{"RunScriptFile " + login}));
  target.actions.clear();

  fs::create_symlink(dir / "elsewhere.sh", dir / "scripts" / "link.sh");
  const std::string refused[] = {
      (dir / "elsewhere.sh").string(),
      target.scripts + "/../elsewhere.sh",
      (dir / "scripts" / "link.sh").string(),  // a link out of the folder
      "scripts/login.sh",                      // not a whole path
      target.scripts,
      "",
  };
  for (const std::string& path : refused) {
    EXPECT_EQ(Run(Finder("open \"" + path + "\"")), kScriptRefused) << path;
    EXPECT_EQ(runner.ScriptResult, "Only the scripts of " + target.scripts + " are run: " + path);
  }
  EXPECT_EQ(Run(Finder("open \"" + target.scripts + "/missing.sh\"")), kScriptFileNotFound);
  EXPECT_TRUE(target.actions.empty());
}

TEST_F(ScriptRunnerTest, RefusesEveryOtherText) {
  const std::vector<std::vector<std::string>> scripts = {
      {"do shell script \"touch /tmp/owned\""},
      {"open location \"file:///etc/passwd\""},
      {"open location \"https://x/\" & (do shell script \"id\")"},
      {"open location \"https://example.org/no-closing-quote"},
      {"open location \"https://a\"b\""},
      {"path to preferences", "path to preferences"},
      {"tell application \"Finder\"", "delete file \"x\"", "end tell"},
      {"tell application \"Terminal\"", "open \"" + target.scripts + "/login.sh\"", "end tell"},
  };
  for (const auto& script : scripts) {
    const int16_t status = Run(script);
    EXPECT_TRUE(status == kScriptNotRecognised || status == kScriptRefused) << script[0] << " gave " << status;
    EXPECT_FALSE(runner.ScriptResult.empty()) << script[0];
  }
  EXPECT_EQ(runner.ScriptResult, "Korvane runs only the scripts it writes itself; this one was refused.");
  EXPECT_TRUE(target.actions.empty());
}

TEST_F(ScriptRunnerTest, AnActionThatFailsSaysSo) {
  target.succeed = false;
  EXPECT_EQ(Run({"open location \"https://example.org/\""}), kScriptFailed);
  EXPECT_EQ(runner.ScriptResult, "The address could not be opened: https://example.org/");
}

TEST_F(ScriptRunnerTest, TheBufferRunsOnceAndTheResultStays) {
  runner.Print("path to ");
  runner.Print("preferences");
  EXPECT_TRUE(runner.HasScript());
  EXPECT_EQ(runner.RunScriptHandle(), kScriptRan);
  EXPECT_FALSE(runner.HasScript());
  runner.ScriptResult = "kept";
  EXPECT_EQ(runner.RunScriptHandle(), kScriptRan);
  EXPECT_EQ(runner.ScriptResult, "kept");
}

TEST_F(ScriptRunnerTest, LongResultsAreCutAsTheScriptingComponentCutsThem) {
  // The answer is 'alias "', the folder with its final "/", and '"'.
  target.preferences = "/" + std::string(245, 'p');
  EXPECT_EQ(Run({"path to preferences"}), kScriptRan);
  EXPECT_EQ(runner.ScriptResult.size(), 255u) << "255 characters stay whole";
  target.preferences = "/" + std::string(246, 'p');
  EXPECT_EQ(Run({"path to preferences"}), kScriptRan);
  EXPECT_EQ(runner.ScriptResult.size(), 250u) << "a longer one keeps its first 250";
}

}  // namespace
}  // namespace korvane::scripting
