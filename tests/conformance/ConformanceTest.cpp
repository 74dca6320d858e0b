// Terminal-description conformance: the output capabilities of each terminal
// name Korvane announces, taken from its installed terminfo description, fed
// through korvane-replay onto a known screen, and the screen, cursor,
// attributes, modes and answers checked against what the capability means.
// The cases live in the *.cases files of this folder (see README.md).

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "tools/korvane-replay/EscapeBytes.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#ifndef KORVANE_REPLAY
#error "KORVANE_REPLAY must name the korvane-replay program"
#endif
#ifndef KORVANE_CASES_DIR
#error "KORVANE_CASES_DIR must name the folder of the case files"
#endif
#ifndef KORVANE_TERMINFO_DIR
#error "KORVANE_TERMINFO_DIR must name the folder of the compiled terminal descriptions"
#endif

extern char** environ;

namespace {

namespace fs = std::filesystem;

// ---- Running programs ------------------------------------------------------------

struct Ran {
  int status = -1;  // the exit status, -1 when the program could not run or was killed
  std::string out, err;
};

// Runs argv[0] (found along PATH) with the program's environment, TERMINFO_DIRS
// reaching the shipped descriptions first; stdin is empty.
Ran Run(const std::vector<std::string>& argv) {
  Ran ran;
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e)
    if (std::strncmp(*e, "TERMINFO_DIRS=", 14) != 0) env.emplace_back(*e);
  env.push_back(std::string("TERMINFO_DIRS=") + KORVANE_TERMINFO_DIR + ":");
  std::vector<char*> args, envp;
  for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  for (auto& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);

  int out[2], err[2];
  if (pipe2(out, O_CLOEXEC) != 0) return ran;
  if (pipe2(err, O_CLOEXEC) != 0) {
    close(out[0]);
    close(out[1]);
    return ran;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, out[1], 1);
  posix_spawn_file_actions_adddup2(&actions, err[1], 2);
  pid_t pid = -1;
  const int spawned = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  close(err[1]);
  if (spawned == 0) {
    pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
    int open = 2;
    while (open > 0) {
      if (poll(fds, 2, 30000) <= 0) break;
      for (int i = 0; i < 2; ++i) {
        if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP))) continue;
        char buf[4096];
        const ssize_t n = read(fds[i].fd, buf, sizeof buf);
        if (n > 0) {
          (i == 0 ? ran.out : ran.err).append(buf, static_cast<size_t>(n));
        } else {
          fds[i].fd = -1;
          --open;
        }
      }
    }
    int status = 0;
    if (open > 0) kill(pid, SIGKILL);
    if (waitpid(pid, &status, 0) == pid && WIFEXITED(status)) ran.status = WEXITSTATUS(status);
  } else {
    ran.err = std::string("cannot run ") + argv[0] + ": " + std::strerror(spawned);
  }
  close(out[0]);
  close(err[0]);
  return ran;
}

// ---- The case files ------------------------------------------------------------------

struct Step {
  std::string kind;                // send, sendfile, text, fill, at
  std::vector<std::string> words;  // the capability and its parameters
  std::string text;                // text: the bytes
  int row = 0, col = 0;            // at
};

struct Expectation {
  std::string kind;  // row, attrs, cursor, answer, state, screen
  int n = 0, m = 0;
  std::string text;
  int line = 0;
  size_t after = 0;  // checked once this many of the case's steps have run
};

struct Terminal;

struct CaseEntry {
  std::string file, name;
  int line = 0;
  const Terminal* terminal = nullptr;
  std::vector<Step> steps;
  std::vector<Expectation> expectations;
};

struct Terminal {
  std::string file, name, emulation;
  int rows = 24, cols = 80;
  std::vector<Step> always;
  std::map<std::string, std::string> untested;
  std::vector<CaseEntry*> cases;
};

struct CaseFiles {
  std::vector<std::unique_ptr<Terminal>> terminals;
  std::vector<std::unique_ptr<CaseEntry>> cases;
  std::vector<std::string> errors;
};

// Words separated by blanks; a word in double quotes is a C-style string.
bool SplitWords(const std::string& line, std::vector<std::string>& words, std::string& error) {
  words.clear();
  size_t i = 0;
  while (i < line.size()) {
    if (line[i] == ' ' || line[i] == '\t') {
      ++i;
      continue;
    }
    if (line[i] != '"') {
      const size_t end = line.find_first_of(" \t", i);
      words.push_back(line.substr(i, end == std::string::npos ? std::string::npos : end - i));
      i = end == std::string::npos ? line.size() : end;
      continue;
    }
    std::string w;
    ++i;
    bool closed = false;
    while (i < line.size()) {
      const char c = line[i++];
      if (c == '"') {
        closed = true;
        break;
      }
      if (c != '\\') {
        w += c;
        continue;
      }
      if (i >= line.size()) break;
      const char e = line[i++];
      switch (e) {
        case 'e': w += '\x1b'; break;
        case 'r': w += '\r'; break;
        case 'n': w += '\n'; break;
        case 't': w += '\t'; break;
        case 'b': w += '\b'; break;
        case '\\': w += '\\'; break;
        case '"': w += '"'; break;
        case 'x': {
          int v = 0, k = 0;
          while (k < 2 && i < line.size() && std::isxdigit(static_cast<unsigned char>(line[i]))) {
            v = v * 16 + std::stoi(std::string(1, line[i]), nullptr, 16);
            ++i;
            ++k;
          }
          if (k == 0) {
            error = "\\x without hexadecimal digits";
            return false;
          }
          w += static_cast<char>(v);
          break;
        }
        default:
          if (e >= '0' && e <= '7') {
            int v = e - '0', k = 1;
            while (k < 3 && i < line.size() && line[i] >= '0' && line[i] <= '7') {
              v = v * 8 + (line[i++] - '0');
              ++k;
            }
            w += static_cast<char>(v);
          } else {
            error = std::string("unknown escape \\") + e;
            return false;
          }
      }
    }
    if (!closed) {
      error = "a quoted word does not end";
      return false;
    }
    words.push_back(w);
  }
  return true;
}

bool ParseNumber(const std::string& text, int& out) {
  if (text.empty() || text.size() > 6 || !std::all_of(text.begin(), text.end(), ::isdigit)) return false;
  out = std::stoi(text);
  return true;
}

bool ParseStep(const std::vector<std::string>& w, Step& step, std::string& error) {
  step.kind = w[0];
  if (w[0] == "send" || w[0] == "sendfile") {
    if (w.size() < 2 || (w[0] == "sendfile" && w.size() != 2)) {
      error = w[0] + " needs a capability";
      return false;
    }
    step.words.assign(w.begin() + 1, w.end());
    return true;
  }
  if (w[0] == "text") {
    if (w.size() != 2) {
      error = "text needs one quoted word";
      return false;
    }
    step.text = w[1];
    return true;
  }
  if (w[0] == "fill") {
    if (w.size() != 1) {
      error = "fill takes nothing";
      return false;
    }
    return true;
  }
  if (w[0] == "at") {
    if (w.size() != 3 || !ParseNumber(w[1], step.row) || !ParseNumber(w[2], step.col) || step.row < 1 || step.col < 1) {
      error = "at needs a row and a column from 1";
      return false;
    }
    return true;
  }
  error = "unknown step \"" + w[0] + "\"";
  return false;
}

bool ParseExpectation(const std::vector<std::string>& w, Expectation& e, std::string& error) {
  if (w.size() < 2) {
    error = "expect what?";
    return false;
  }
  e.kind = w[1];
  if ((w[1] == "row" || w[1] == "attrs") && w.size() == 4 && ParseNumber(w[2], e.n) && e.n >= 1) {
    e.text = w[3];
    return true;
  }
  if (w[1] == "cursor" && w.size() == 4 && ParseNumber(w[2], e.n) && ParseNumber(w[3], e.m)) return true;
  if (w[1] == "answer" && w.size() == 3) {
    e.text = w[2];
    return true;
  }
  if (w[1] == "state" && w.size() >= 4) {
    e.text = w[2];
    for (size_t i = 3; i < w.size(); ++i) e.text += " " + w[i];
    return true;
  }
  if (w[1] == "screen" && w.size() == 3 && w[2] == "unchanged") return true;
  error = "cannot read the expectation";
  return false;
}

const CaseFiles& Files() {
  static const CaseFiles files = [] {
    CaseFiles f;
    std::vector<fs::path> paths;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(KORVANE_CASES_DIR, ec))
      if (entry.path().extension() == ".cases") paths.push_back(entry.path());
    if (ec) f.errors.push_back(std::string("cannot list ") + KORVANE_CASES_DIR + ": " + ec.message());
    std::sort(paths.begin(), paths.end());
    for (const fs::path& path : paths) {
      std::ifstream in(path);
      const std::string file = path.stem().string();
      Terminal* terminal = nullptr;
      CaseEntry* current = nullptr;
      std::string line;
      int number = 0;
      while (std::getline(in, line)) {
        ++number;
        const std::string where = path.filename().string() + ":" + std::to_string(number) + ": ";
        std::vector<std::string> w;
        std::string error;
        const size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#') continue;
        if (!SplitWords(line, w, error)) {
          f.errors.push_back(where + error);
          continue;
        }
        if (w[0] == "terminal") {
          auto t = std::make_unique<Terminal>();
          t->file = file;
          if (w.size() < 4 || w[2] != "emulation" || w.size() % 2 != 0) {
            f.errors.push_back(where + "terminal NAME emulation EMULATION [rows R] [cols C]");
            continue;
          }
          t->name = w[1];
          t->emulation = w[3];
          for (size_t i = 4; i + 1 < w.size(); i += 2) {
            int v = 0;
            if (!ParseNumber(w[i + 1], v) || (w[i] != "rows" && w[i] != "cols")) {
              f.errors.push_back(where + "unknown terminal setting " + w[i]);
              continue;
            }
            (w[i] == "rows" ? t->rows : t->cols) = v;
          }
          terminal = t.get();
          current = nullptr;
          f.terminals.push_back(std::move(t));
          continue;
        }
        if (!terminal) {
          f.errors.push_back(where + "a terminal line must come first");
          continue;
        }
        if (w[0] == "untested") {
          if (w.size() < 3) {
            f.errors.push_back(where + "untested CAP needs a reason");
            continue;
          }
          std::string reason;
          for (size_t i = 2; i < w.size(); ++i) reason += (i > 2 ? " " : "") + w[i];
          terminal->untested[w[1]] = reason;
          continue;
        }
        if (w[0] == "always") {
          Step step;
          const std::vector<std::string> rest(w.begin() + 1, w.end());
          if (rest.empty() || !ParseStep(rest, step, error))
            f.errors.push_back(where + (error.empty() ? "always needs a step" : error));
          else
            terminal->always.push_back(step);
          continue;
        }
        if (w[0] == "case") {
          if (w.size() != 2) {
            f.errors.push_back(where + "case NAME");
            continue;
          }
          auto c = std::make_unique<CaseEntry>();
          c->file = file;
          c->name = w[1];
          c->line = number;
          c->terminal = terminal;
          current = c.get();
          terminal->cases.push_back(current);
          f.cases.push_back(std::move(c));
          continue;
        }
        if (!current) {
          f.errors.push_back(where + "a step or expectation outside a case");
          continue;
        }
        if (w[0] == "expect") {
          Expectation e;
          e.line = number;
          e.after = current->steps.size();
          if (!ParseExpectation(w, e, error))
            f.errors.push_back(where + error);
          else
            current->expectations.push_back(e);
          continue;
        }
        Step step;
        if (!ParseStep(w, step, error))
          f.errors.push_back(where + error);
        else
          current->steps.push_back(step);
      }
    }
    for (const auto& c : f.cases)
      if (c->expectations.empty())
        f.errors.push_back(c->file + ".cases:" + std::to_string(c->line) + ": case " + c->name + " expects nothing");
    return f;
  }();
  return files;
}

// ---- Bytes of the capabilities ----------------------------------------------------------

// What `tput -T NAME CAP ARGS` writes, or an error.
bool Capability(const std::string& terminal, const std::vector<std::string>& words, std::string& bytes,
                std::string& error) {
  static std::map<std::string, Ran> cache;
  std::string key = terminal;
  for (const auto& w : words) key += " " + w;
  auto it = cache.find(key);
  if (it == cache.end()) {
    std::vector<std::string> argv = {"tput", "-T", terminal};
    argv.insert(argv.end(), words.begin(), words.end());
    it = cache.emplace(key, Run(argv)).first;
  }
  if (it->second.status != 0 || it->second.out.empty()) {
    error = "tput -T " + key.substr(terminal.size() + 1) + " gives nothing: the description of " + terminal +
            " has no such string (" + it->second.err + ")";
    return false;
  }
  bytes = it->second.out;
  return true;
}

// The description's capabilities as infocmp lists them: name -> value (booleans
// and numbers too, without a value).
std::map<std::string, std::string> Description(const std::string& terminal, std::string& error) {
  std::map<std::string, std::string> caps;
  const Ran ran = Run({"infocmp", "-1", "-x", terminal});
  if (ran.status != 0) {
    error = "infocmp " + terminal + " fails: " + ran.err;
    return caps;
  }
  std::istringstream in(ran.out);
  std::string line;
  bool first = true;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    if (first) {
      first = false;  // the names line
      continue;
    }
    const size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos) continue;
    std::string entry = line.substr(start);
    if (!entry.empty() && entry.back() == ',') entry.pop_back();
    const size_t eq = entry.find('=');
    if (eq != std::string::npos)
      caps[entry.substr(0, eq)] = entry.substr(eq + 1);
    else
      caps[entry.substr(0, entry.find('#'))] = "";
  }
  return caps;
}

std::string FillText(int row, int cols) {
  static const std::string alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  std::string text;
  for (int c = 1; c < cols; ++c) text += alphabet[static_cast<size_t>(row - 1 + c - 1) % alphabet.size()];
  return text;
}

bool StepBytes(const Terminal& t, const Step& step, std::string& bytes, std::string& error) {
  std::string b;
  if (step.kind == "send") {
    if (!Capability(t.name, step.words, b, error)) return false;
  } else if (step.kind == "sendfile") {
    std::string e;
    const auto caps = Description(t.name, e);
    const auto it = caps.find(step.words[0]);
    if (it == caps.end() || it->second.empty()) {
      error = "the description of " + t.name + " names no file in " + step.words[0] + e;
      return false;
    }
    std::ifstream in(it->second, std::ios::binary);
    if (!in) {
      error = "cannot read " + it->second;
      return false;
    }
    b.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  } else if (step.kind == "text") {
    b = step.text;
  } else if (step.kind == "fill") {
    if (!Capability(t.name, {"clear"}, b, error)) return false;
    for (int r = 1; r <= t.rows; ++r) {
      std::string cup;
      if (!Capability(t.name, {"cup", std::to_string(r - 1), "0"}, cup, error)) return false;
      b += cup + FillText(r, t.cols);
    }
  } else if (step.kind == "at") {
    if (!Capability(t.name, {"cup", std::to_string(step.row - 1), std::to_string(step.col - 1)}, b, error))
      return false;
  }
  bytes += b;
  return true;
}

// ---- The replayed screen -------------------------------------------------------------------

struct Screen {
  std::vector<std::string> rows, attrs;
  std::map<int, std::string> below;  // the rows under the screen that hold text
  int cursorRow = 0, cursorCol = 0;
  std::map<std::string, std::string> state;
  std::string answer;  // as korvane-replay escapes it
  std::string raw;
};

bool ReplayScreen(const Terminal& t, const std::string& bytes, Screen& screen, std::string& error) {
  char name[] = "/tmp/korvane-conformance-XXXXXX";
  const int fd = mkstemp(name);
  if (fd < 0) {
    error = "no temporary file";
    return false;
  }
  const bool written = write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
  close(fd);
  const Ran ran = written ? Run({KORVANE_REPLAY, "--emulation", t.emulation, "--rows", std::to_string(t.rows), "--cols",
                                 std::to_string(t.cols), "--attrs", "--state", name})
                          : Ran{};
  unlink(name);
  if (ran.status != 0) {
    error = "korvane-replay fails: " + ran.err;
    return false;
  }
  screen.raw = ran.out;
  std::istringstream in(ran.out);
  std::string line;
  for (int r = 0; r < t.rows && std::getline(in, line); ++r) screen.rows.push_back(line);
  if (!std::getline(in, line) || std::sscanf(line.c_str(), "cursor %d %d", &screen.cursorRow, &screen.cursorCol) != 2) {
    error = "korvane-replay printed no cursor";
    return false;
  }
  for (int r = 0; r < t.rows && std::getline(in, line); ++r) screen.attrs.push_back(line);
  while (std::getline(in, line)) {
    if (line.rfind("state ", 0) == 0) {
      const size_t space = line.find(' ', 6);
      screen.state[line.substr(6, space - 6)] = space == std::string::npos ? "" : line.substr(space + 1);
    } else if (line.rfind("row ", 0) == 0) {
      const size_t space = line.find(' ', 4);
      screen.below[std::stoi(line.substr(4, space - 4))] = line.substr(space + 1);
    } else if (line.rfind("answer: ", 0) == 0) {
      screen.answer = line.substr(8);
    }
  }
  return true;
}

// Expands {fill N}, {fill N A-B}, {blank K} and {rep X K}.
bool Expand(const Terminal& t, const std::string& pattern, std::string& out, std::string& error) {
  out.clear();
  size_t i = 0;
  while (i < pattern.size()) {
    if (pattern[i] != '{') {
      out += pattern[i++];
      continue;
    }
    const size_t end = pattern.find('}', i);
    if (end == std::string::npos) {
      error = "a { without }";
      return false;
    }
    std::vector<std::string> w;
    std::string e;
    SplitWords(pattern.substr(i + 1, end - i - 1), w, e);
    i = end + 1;
    int n = 0, a = 0, b = 0;
    if (w.size() >= 2 && w[0] == "fill" && ParseNumber(w[1], n)) {
      const std::string text = FillText(n, t.cols);
      if (w.size() == 2) {
        out += text;
        continue;
      }
      const size_t dash = w.size() == 3 ? w[2].find('-') : std::string::npos;
      if (dash != std::string::npos && ParseNumber(w[2].substr(0, dash), a) && ParseNumber(w[2].substr(dash + 1), b) &&
          a >= 1 && a <= b) {
        // Columns past the fill text (the last one) are blank.
        for (int c = a; c <= b; ++c) out += c <= static_cast<int>(text.size()) ? text[static_cast<size_t>(c - 1)] : ' ';
        continue;
      }
    } else if (w.size() == 2 && w[0] == "blank" && ParseNumber(w[1], n)) {
      out += std::string(static_cast<size_t>(n), ' ');
      continue;
    } else if (w.size() == 3 && w[0] == "rep" && ParseNumber(w[2], n)) {
      for (int k = 0; k < n; ++k) out += w[1];
      continue;
    }
    error = "cannot read {" + pattern.substr(0, 0) + "...}";
    return false;
  }
  return true;
}

std::string Trimmed(std::string s, char pad) {
  s.erase(s.find_last_not_of(pad) + 1);
  return s;
}

std::string TestName(const std::string& text) {
  std::string out;
  for (char c : text) out += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
  return out;
}

// ---- The tests ---------------------------------------------------------------------------------

TEST(Conformance, CaseFilesReadWithoutErrors) {
  const CaseFiles& f = Files();
  for (const std::string& e : f.errors) ADD_FAILURE() << e;
  EXPECT_FALSE(f.cases.empty()) << "no case in " << KORVANE_CASES_DIR;
}

class Case : public ::testing::TestWithParam<const CaseEntry*> {};

TEST_P(Case, MeansWhatTheCapabilitySays) {
  const CaseEntry& c = *GetParam();
  const Terminal& t = *c.terminal;
  const std::string where = c.file + ".cases:" + std::to_string(c.line) + " (" + t.name + " " + c.name + ")";
  std::string bytes, error;
  for (const Step& s : t.always) ASSERT_TRUE(StepBytes(t, s, bytes, error)) << where << ": " << error;
  // The bytes after each step: an expectation sees the screen as it is at its
  // place among the steps.
  std::vector<std::string> upTo = {bytes};
  for (const Step& s : c.steps) {
    ASSERT_TRUE(StepBytes(t, s, bytes, error)) << where << ": " << error;
    upTo.push_back(bytes);
  }
  std::map<size_t, Screen> screens;
  for (const Expectation& e : c.expectations) {
    if (!screens.count(e.after)) {
      Screen replayed;
      ASSERT_TRUE(ReplayScreen(t, upTo[e.after], replayed, error)) << where << ": " << error;
      screens[e.after] = replayed;
    }
    Screen& screen = screens[e.after];
    const std::string shown =
        "\nbytes: \"" + korvane::replay::EscapeBytes(upTo[e.after]) + "\"\nscreen:\n" + screen.raw;
    const std::string at = where + ", line " + std::to_string(e.line);
    std::string want;
    if (e.kind == "row" || e.kind == "attrs") {
      ASSERT_TRUE(Expand(t, e.text, want, error)) << at << ": " << error;
      want = Trimmed(want, e.kind == "row" ? ' ' : '0');
      std::string got;
      if (e.n <= t.rows)
        got = (e.kind == "row" ? screen.rows : screen.attrs)[static_cast<size_t>(e.n - 1)];
      else if (e.kind == "row" && screen.below.count(e.n))
        got = screen.below[e.n];
      EXPECT_EQ(got, want) << at << ": " << e.kind << " " << e.n << shown;
    } else if (e.kind == "cursor") {
      EXPECT_EQ(std::make_pair(screen.cursorRow, screen.cursorCol), std::make_pair(e.n, e.m)) << at << shown;
    } else if (e.kind == "answer") {
      EXPECT_EQ(screen.answer, korvane::replay::EscapeBytes(e.text)) << at << shown;
    } else if (e.kind == "state") {
      const size_t space = e.text.find(' ');
      const std::string key = e.text.substr(0, space);
      ASSERT_TRUE(screen.state.count(key)) << at << ": korvane-replay shows no state \"" << key << "\"";
      EXPECT_EQ(screen.state[key], e.text.substr(space + 1)) << at << ": state " << key << shown;
    } else if (e.kind == "screen") {
      for (int r = 1; r <= t.rows; ++r)
        EXPECT_EQ(screen.rows[static_cast<size_t>(r - 1)], Trimmed(FillText(r, t.cols), ' '))
            << at << ": row " << r << shown;
    }
  }
}

std::vector<const CaseEntry*> AllCases() {
  std::vector<const CaseEntry*> all;
  for (const auto& c : Files().cases) all.push_back(c.get());
  return all;
}

INSTANTIATE_TEST_SUITE_P(Conformance, Case, ::testing::ValuesIn(AllCases()),
                         [](const ::testing::TestParamInfo<const CaseEntry*>& param) {
                           const CaseEntry& c = *param.param;
                           return TestName(c.file + "_" + c.terminal->name + "_" + c.name);
                         });

// The output capabilities curses uses.
const std::vector<std::string> kCursesCapabilities = {
    "cup",   "home",  "ll",    "cr",    "cub1", "cuf1",  "cuu1",  "cud1",  "cub",  "cuf",   "cuu",   "cud",  "hpa",
    "vpa",   "nel",   "ind",   "ri",    "indn", "rin",   "csr",   "sc",    "rc",   "ht",    "cbt",   "hts",  "tbc",
    "clear", "el",    "el1",   "ed",    "ech",  "il1",   "il",    "dl1",   "dl",   "ich1",  "ich",   "dch1", "dch",
    "smir",  "rmir",  "smso",  "rmso",  "smul", "rmul",  "rev",   "bold",  "dim",  "blink", "invis", "prot", "sgr0",
    "sgr",   "smacs", "rmacs", "enacs", "acsc", "civis", "cnorm", "cvvis", "tsl",  "fsl",   "dsl",   "is1",  "is2",
    "is3",   "if",    "rs1",   "rs2",   "rs3",  "rf",    "smcup", "rmcup", "smkx", "rmkx",  "smam",  "rmam", "flash"};

class Coverage : public ::testing::TestWithParam<const Terminal*> {};

TEST_P(Coverage, EveryCapabilityCursesUsesIsChecked) {
  const Terminal& t = *GetParam();
  std::string error;
  const auto caps = Description(t.name, error);
  ASSERT_TRUE(error.empty()) << error;
  std::set<std::string> sent;
  auto note = [&](const Step& s) {
    // The known screen is made with clear and cup, a cursor placed with cup.
    if (s.kind == "fill") sent.insert({"clear", "cup"});
    if (s.kind == "at") sent.insert("cup");
    if (s.kind != "send" && s.kind != "sendfile") return;
    sent.insert(s.words[0]);
    if (s.words[0] == "smacs") sent.insert("acsc");
    if (s.words[0] == "sgr" && s.words.size() >= 10 && s.words[9] != "0") sent.insert("acsc");
    if (s.words[0] == "sgr") sent.insert("sgr");
  };
  for (const Step& s : t.always) note(s);
  for (const CaseEntry* c : t.cases)
    for (const Step& s : c->steps) note(s);
  for (const std::string& cap : kCursesCapabilities) {
    if (!caps.count(cap)) continue;
    EXPECT_TRUE(sent.count(cap) || t.untested.count(cap))
        << t.name << ": no case sends " << cap << " (" << caps.at(cap) << "), and it is not listed as untested";
  }
  for (const auto& [cap, reason] : t.untested)
    EXPECT_TRUE(caps.count(cap)) << t.name << ": " << cap << " is listed as untested but the description has none";
}

std::vector<const Terminal*> AllTerminals() {
  std::vector<const Terminal*> all;
  for (const auto& t : Files().terminals) all.push_back(t.get());
  return all;
}

INSTANTIATE_TEST_SUITE_P(Conformance, Coverage, ::testing::ValuesIn(AllTerminals()),
                         [](const ::testing::TestParamInfo<const Terminal*>& param) {
                           return TestName(param.param->file + "_" + param.param->name);
                         });

}  // namespace
