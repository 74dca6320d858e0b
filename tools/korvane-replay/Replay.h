#pragma once
// korvane-replay: feeds recorded host output through one emulation at a given
// screen size and prints the screen, or measures the throughput.
//
//   korvane-replay [--emulation NAME] [--rows R] [--cols C] [--attrs] [--state] [--bench] FILE...

#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "emulation/HostInterpreter.h"
#include "tools/korvane-replay/EscapeBytes.h"
#include "settings/SessionOptions.h"

namespace korvane {
namespace fakes {
struct ServicesUnderTest;
}

struct Session;

namespace replay {

struct Options {
  std::string emulation;  // empty: the plain-text path
  int rows = 24, cols = 80;
  bool attrs = false, bench = false;
  // The modes and the status lines after the screen (StateLines).
  bool state = false;
  std::vector<std::string> files;
  // For checks of the fast paths: every fast path on or off, and the sizes of
  // the reads the connection hands over (empty: all the input at once; the
  // rest after the last size is one read).
  bool fastPaths = true;
  std::vector<size_t> pieces;
  // Off: ReplayToText leaves out the screen's text and gives only the
  // character set and the answer (for the fuzz targets, which compare the
  // planes themselves).
  bool text = true;
  // Called with the session once the input is read, while it still lives
  // (the differential target runs its second session inside the first's
  // call, to compare the two with SamePlanes).
  std::function<void(const Session&)> inspect;
  // Called with the session's recording services before the input is read
  // (to give it folders) and after (to look at what the host's commands
  // asked of them).
  std::function<void(fakes::ServicesUnderTest&)> before, after;
};

// One emulation the tool accepts: its TERM name, the emulation flags a session
// of it has, and whether the VT family reads its output (else the Wyse family).
struct Emulation {
  const char* name;
  void (*setFlags)(SessionOptions&);
  bool vtFamily;
};
const std::vector<Emulation>& Emulations();

// The window repaint from the planes, run at most once a frame during a flood.
void RepaintFromPlanes(Session& s);

// Exit codes.
constexpr int kOk = 0;
constexpr int kUsage = 2;

// Parses the command line; on failure returns false with a message.
bool ParseArguments(const std::vector<std::string>& args, Options& options, std::string& error);

// Runs the replay: prints the screen (or the throughput) to `out`, messages to
// `err`; returns the exit code.
int Run(const Options& options, int& argc, char** argv, std::ostream& out, std::ostream& err);

// The screen as the tool prints it: one line per row with trailing blanks
// trimmed, then "cursor ROW COL", then with `attrs` one line per row of
// base-36 attribute codes with trailing 0s trimmed.
std::string FormatScreen(Session& session, int rows, int cols, bool attrs);

// The session's modes, one "state NAME VALUE" line each (cursor-hidden,
// region TOP BOTTOM, autowrap, insert, keypad-application,
// cursor-keys-application, line-graphics), then "row N TEXT" for each row
// of the five below the screen (the status lines) that holds text.
std::string StateLines(Session& session, int rows, int cols);

// Every cell of every plane of the whole grid (not only the window's rows),
// the protect flags and hidden marks, the scroll-back's characters and
// attributes, the cursor and the scroll region, as raw bytes to compare
// (into `out`, whose storage is reused).
void PlanesImage(Session& session, std::string& out);
// Whether two sessions' PlanesImage would be equal, without making them.
bool SamePlanes(const Session& a, const Session& b);

// Feeds `input` through the emulation (null: the plain-text path) into a fresh
// session whose window is width x height pixels, and returns what the tool
// prints: the screen and the bytes sent back to the host. With `planes`, the
// session's PlanesImage at the end goes there too.
std::string ReplayToText(const Options& options, const Emulation* emulation, int width, int height, std::string input,
                         std::string* planes = nullptr);
// The window size that shows rows x cols cells at the default text size;
// false when no height gives that many rows.
bool WindowSizeFor(int rows, int cols, int& width, int& height);

}  // namespace replay
}  // namespace korvane
