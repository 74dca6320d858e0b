#include "scripting/ScriptRunner.h"

#include <sys/stat.h>

#include <filesystem>
#include <vector>

#include "platform/Desktop.h"

namespace korvane::scripting {

namespace {

// The script's lines, without their ends (a carriage return, a line feed or
// both); a last line without an end counts too, an empty tail does not.
std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end;
    if (start < text.size() && text[start] == '\r') ++start;
    if (start < text.size() && text[start] == '\n') ++start;
  }
  return lines;
}

// The text between prefix + '"' and '"' + suffix when the line is exactly
// that, with no double quote inside.
std::optional<std::string> Quoted(std::string_view line, std::string_view prefix, std::string_view suffix) {
  if (line.size() < prefix.size() + suffix.size() + 2) return std::nullopt;
  if (line.substr(0, prefix.size()) != prefix || line.substr(line.size() - suffix.size()) != suffix)
    return std::nullopt;
  std::string_view inner = line.substr(prefix.size(), line.size() - prefix.size() - suffix.size());
  if (inner.size() < 2 || inner.front() != '"' || inner.back() != '"') return std::nullopt;
  inner = inner.substr(1, inner.size() - 2);
  if (inner.find('"') != std::string_view::npos) return std::nullopt;
  return std::string(inner);
}

// A result as the scripting component hands it back: up to 255 characters
// whole, a longer one cut to its first 250.
std::string CutResult(std::string text) {
  if (text.size() > 255) text.resize(250);
  return text;
}

std::string FileName(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

ScriptRunner::ScriptRunner(RunnerTarget& target) : target_(target) {}

void ScriptRunner::Print(std::string_view text) {
  if (!scriptBuffer_) scriptBuffer_.emplace();
  scriptBuffer_->append(text);
}

void ScriptRunner::PrintLine(std::string_view line) {
  Print(line);
  scriptBuffer_->push_back('\r');
}

int16_t ScriptRunner::RunScriptHandle() {
  if (!scriptBuffer_) return kScriptRan;
  const std::string script = std::move(*scriptBuffer_);
  scriptBuffer_.reset();
  return RunAppleScriptText(script, ScriptResult);
}

int16_t ScriptRunner::RunAppleScriptText(std::string_view text, std::string& result) {
  std::string answer;
  const int16_t status = Run(text, answer);
  result = CutResult(std::move(answer));
  return status;
}

int16_t ScriptRunner::Run(std::string_view text, std::string& result) {
  const std::vector<std::string_view> lines = Lines(text);
  if (lines.size() == 1) {
    const std::string_view line = lines[0];
    if (auto url = Quoted(line, "open location ", "")) {
      if (!platform::AllowedUrl(*url)) {
        result = "Only web and mail addresses (http, https, mailto) are opened: " + *url;
        return kScriptRefused;
      }
      if (!target_.OpenURL(*url)) {
        result = "The address could not be opened: " + *url;
        return kScriptFailed;
      }
      result.clear();
      return kScriptRan;
    }
    if (line == "path to preferences") {
      std::string folder = target_.PreferencesFolder();
      if (folder.empty() || folder.back() != '/') folder += '/';
      result = "alias \"" + folder + "\"";
      return kScriptRan;
    }
    if (auto path = Quoted(line, "visible of (info for alias ", ")")) {
      // A hidden item exists like a visible one; the answer says which it is.
      struct stat st {};
      if (path->empty() || lstat(path->c_str(), &st) != 0) {
        result = "File " + *path + " wasn't found.";
        return kScriptFileNotFound;
      }
      std::string name = FileName(*path);
      if (name.empty()) name = std::filesystem::path(*path).parent_path().filename().string();
      result = !name.empty() && name.front() == '.' ? "false" : "true";
      return kScriptRan;
    }
  }
  if (lines.size() == 3 && lines[0] == "tell application \"Finder\"" && lines[2] == "end tell")
    return RunFinderScript(lines[1], result);
  result = "Korvane runs only the scripts it writes itself; this one was refused.";
  return kScriptNotRecognised;
}

int16_t ScriptRunner::RunFinderScript(std::string_view command, std::string& result) {
  // One of the program's own documents, opened with its default program.
  if (auto path = Quoted(command, "open alias ", "")) {
    std::error_code ec;
    if (path->empty() || !std::filesystem::exists(*path, ec)) {
      result = "File " + *path + " wasn't found.";
      return kScriptFileNotFound;
    }
    if (!target_.OpenFile(*path)) {
      result = "The file could not be opened: " + *path;
      return kScriptFailed;
    }
    result.clear();
    return kScriptRan;
  }
  // A script to run: only one of the user's scripts folder.
  if (auto path = Quoted(command, "open ", "")) return RunUserScript(*path, result);
  result = "Korvane runs only the scripts it writes itself; this one was refused.";
  return kScriptNotRecognised;
}

int16_t ScriptRunner::RunUserScript(const std::string& path, std::string& result) {
  namespace fs = std::filesystem;
  const std::string folderText = target_.ScriptsFolder();
  std::error_code ec;
  const fs::path folder = fs::weakly_canonical(folderText, ec);
  // The file itself, with every symbolic link resolved, must be a regular
  // file lying directly in the scripts folder.
  const fs::path file = ec ? fs::path() : fs::weakly_canonical(path, ec);
  const bool inside =
      !ec && !folderText.empty() && !path.empty() && path.front() == '/' && file.parent_path() == folder;
  if (!inside) {
    result = "Only the scripts of " + folderText + " are run: " + path;
    return kScriptRefused;
  }
  if (!fs::is_regular_file(file, ec)) {
    result = "File " + path + " wasn't found.";
    return kScriptFileNotFound;
  }
  if (!target_.RunScriptFile(file.string())) {
    result = "The script could not be started: " + file.string();
    return kScriptFailed;
  }
  result.clear();
  return kScriptRan;
}

}  // namespace korvane::scripting
