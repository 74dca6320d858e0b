#pragma once
// The active session's screen as text in a file, for tests that drive the
// running program from outside (under Xvfb) and read what it shows from the
// planes rather than from pixels. main.cpp keeps it up to date when the
// KORVANE_SCREEN_TEXT environment variable names the file.

#include <string>

namespace korvane::app {

class App;

// The rows of the active session's screen, one line each: the character
// each cell shows (UTF-8; line-drawing glyphs as box-drawing characters),
// trailing blanks removed; then "cursor ROW COL". Empty without a session.
std::string ActiveScreenText(App& app);

class ScreenTextFile {
 public:
  explicit ScreenTextFile(std::string path) : path_(std::move(path)) {}
  // Writes the text when it has changed since the last write: to a
  // temporary file that is then renamed over the file, so that a reader
  // never sees half of it.
  void Update(App& app);

 private:
  std::string path_, last_;
};

}  // namespace korvane::app
