#include "tools/korvane-replay/Replay.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <ostream>
#include <sstream>

#include "connection/LoopLink.h"
#include "emulation/EmulationFlags.h"
#include "emulation/FloodGate.h"
#include "emulation/SessionInterpreters.h"
#include "platform/CharMap.h"
#include "platform/NullPort.h"
#include "platform/qt/OffscreenGui.h"
#include "platform/qt/QtImagePort.h"
#include "fakes/WindowlessSession.h"
#include "windows/Session.h"

namespace korvane::replay {

namespace {
using platform::NullPort;

// ---- Emulations ------------------------------------------------------------------

// The Wyse-family choices also pick the attribute kind as the Emulate menu
// does: hidden attributes, but for the TeleVideo 925's attribute cells.
void SetWyseFamily(SessionOptions& o, EmulationKind kind) {
  SetEmulationFlags(kind, o);
  o.HiddenAttributes = kind == EmulationKind::Tvi925 ? 0 : 1;
}
void SetVp(SessionOptions& o) { SetWyseFamily(o, EmulationKind::Viewpoint); }
void SetWy50(SessionOptions& o) { SetWyseFamily(o, EmulationKind::Wyse50); }
void SetWy60(SessionOptions& o) { SetWyseFamily(o, EmulationKind::Wyse60); }
void SetWy370(SessionOptions& o) { SetWyseFamily(o, EmulationKind::Wyse370); }
void SetTvi925(SessionOptions& o) { SetWyseFamily(o, EmulationKind::Tvi925); }
void SetVt100(SessionOptions& o) { SetEmulationFlags(EmulationKind::Vt100, o); }
void SetVt220(SessionOptions& o) { SetEmulationFlags(EmulationKind::Vt220, o); }
void SetPrism(SessionOptions& o) { SetEmulationFlags(EmulationKind::Prism, o); }

// ---- Platform stand-ins ---------------------------------------------------------

// Time that passes only when the program waits, so that a sequence cut off at
// the end of the input times out at once.
class InstantClock final : public platform::Clock {
 public:
  int64_t Ticks() const override { return ms_ * 60 / 1000; }
  int64_t Milliseconds() const override { return ms_; }
  void Delay(int64_t ms) override {
    if (ms > 0) ms_ += ms;
  }

 private:
  int64_t ms_ = 0;
};

// The recorded host output, read once, in pieces of the given sizes (a
// connection that hands the stream over in reads of those sizes); what the
// emulation sends back is kept.
class ReplayLink final : public HostLink {
 public:
  ReplayLink(std::string bytes, std::vector<size_t> pieces) : bytes_(std::move(bytes)), pieces_(std::move(pieces)) {
    NextPiece();
  }
  std::string answer;
  size_t Remaining() const { return bytes_.size() - pos_; }
  void Write(const uint8_t* data, int n) override { answer.append(reinterpret_cast<const char*>(data), n); }
  int Read(uint8_t* buf, int max) override {
    if (pieceEnd_ == pos_) NextPiece();
    const size_t n = std::min(pieceEnd_ - pos_, static_cast<size_t>(std::max(max, 0)));
    std::memcpy(buf, bytes_.data() + pos_, n);
    pos_ += n;
    return static_cast<int>(n);
  }
  int Waiting() override {
    if (pieceEnd_ == pos_) NextPiece();
    return static_cast<int>(std::min<size_t>(pieceEnd_ - pos_, 1 << 30));
  }

 private:
  void NextPiece() {
    pieceEnd_ = next_ < pieces_.size() ? std::min(bytes_.size(), pos_ + pieces_[next_++]) : bytes_.size();
  }
  std::string bytes_;
  std::vector<size_t> pieces_;
  size_t next_ = 0, pos_ = 0, pieceEnd_ = 0;
};

bool ParseCount(const std::string& text, int low, int high, int& out) {
  if (text.empty() || text.size() > 4) return false;
  int n = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    n = n * 10 + (c - '0');
  }
  if (n < low || n > high) return false;
  out = n;
  return true;
}

// A session as a new window has it: default text size and colours, wrap on,
// the cursor home.
void PrepareSession(Session& s, const Options& o, const Emulation* emulation) {
  s.Opt.TextSizeValue = 18;
  s.Opt.FontSize = 18;
  s.Opt.AutoWrapOn = 1;
  s.Opt.CurrentForeColour = 17;
  s.Opt.BackgroundColour = 18;
  s.Opt.ReverseColour = 17;
  s.Opt.BoldColour = 17;
  s.Opt.UnderlineColour = 17;
  s.Opt.Mode2Colour = 15;
  s.Opt.ProgramFontOption = 1;
  s.Opt.AutoAnsiColours = 1;
  s.Opt.ProtectShownAs = 2;  // protected fields shown dim
  if (emulation) emulation->setFlags(s.Opt);
  s.screen.ComputeCellMetrics();
  s.screen.ScreenCols = static_cast<int16_t>(o.cols);
  s.screen.ColumnsSetting = static_cast<int16_t>(o.cols);
  s.screen.SetNormalTextStyle();
  s.screen.SetCursor(1, 1);
  s.screen.MoveToCell(1, 1);
  s.conn.UsesPty = 1;
}

char Base36(int code) {
  if (code >= 0 && code <= 9) return static_cast<char>('0' + code);
  if (code >= 10 && code <= 35) return static_cast<char>('a' + code - 10);
  return '?';
}

std::string RightTrimmed(std::string s, char pad) {
  s.erase(s.find_last_not_of(pad) + 1);
  return s;
}

}  // namespace

// The window size that shows `rows` x `cols` cells at the default text size
// (18 points: 12 x 24 pixel cells); false when no height gives that many rows.
bool WindowSizeFor(int rows, int cols, int& width, int& height) {
  InstantClock clock;
  for (int fit = 0; fit <= 80; ++fit) {
    NullPort port((cols + 1) * 12, (fit + 3) * 24 + 9);
    fakes::WindowlessSession window(port, clock);
    Session& trial = window.session;
    trial.Opt.TextSizeValue = 18;
    trial.Opt.FontSize = 18;
    trial.screen.ComputeCellMetrics();
    if (trial.screen.ScreenRows == rows) {
      width = port.Width();
      height = port.Height();
      return true;
    }
  }
  return false;
}

void RepaintFromPlanes(Session& s) { s.screen.RedrawScreenFromBuffers(); }

const std::vector<Emulation>& Emulations() {
  static const std::vector<Emulation> table = {
      {"vp", SetVp, false},         {"wy50", SetWy50, false},  {"wy60", SetWy60, false},  {"wy370", SetWy370, false},
      {"tvi925", SetTvi925, false}, {"vt100", SetVt100, true}, {"vt220", SetVt220, true}, {"Prism", SetPrism, false},
  };
  return table;
}

bool ParseArguments(const std::vector<std::string>& args, Options& o, std::string& error) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&](std::string& v) {
      if (i + 1 >= args.size()) {
        error = "option " + a + " needs a value";
        return false;
      }
      v = args[++i];
      return true;
    };
    std::string v;
    if (a == "--emulation") {
      if (!value(v)) return false;
      o.emulation = v;
    } else if (a == "--rows") {
      if (!value(v)) return false;
      if (!ParseCount(v, 1, kMaxScreenRows, o.rows)) {
        error = "--rows takes a number from 1 to 71, not \"" + v + "\"";
        return false;
      }
    } else if (a == "--cols") {
      if (!value(v)) return false;
      if (!ParseCount(v, 1, kMaxCursorCol, o.cols)) {
        error = "--cols takes a number from 1 to 206, not \"" + v + "\"";
        return false;
      }
    } else if (a == "--attrs") {
      o.attrs = true;
    } else if (a == "--state") {
      o.state = true;
    } else if (a == "--bench") {
      o.bench = true;
    } else if (a.size() > 1 && a[0] == '-' && a != "--") {
      error = "unknown option " + a;
      return false;
    } else {
      if (a == "--") ++i;
      for (; i < args.size(); ++i) o.files.push_back(args[i]);
    }
  }
  if (o.files.empty()) {
    error = "no input file";
    return false;
  }
  return true;
}

std::string FormatScreen(Session& s, int rows, int cols, bool attrs) {
  std::string out;
  for (int r = 1; r <= rows; ++r) {
    std::string line;
    for (int c = 1; c <= cols; ++c) {
      const int code = static_cast<uint8_t>(s.screen.ScreenChars(r, c));
      if (code >= 32 && code < 127)
        line += static_cast<char>(code);
      else
        platform::AppendUtf8(line,
                             code == 0 ? U' ' : platform::GlyphOf(s.screen.ScreenFontId, static_cast<uint8_t>(code)));
    }
    out += RightTrimmed(line, ' ') + "\n";
  }
  out += "cursor " + std::to_string(s.screen.CursorRow()) + " " + std::to_string(s.screen.CursorCol()) + "\n";
  if (attrs) {
    for (int r = 1; r <= rows; ++r) {
      std::string line;
      for (int c = 1; c <= cols; ++c) line += Base36(s.screen.ScreenAttrs(r, c));
      out += RightTrimmed(line, '0') + "\n";
    }
  }
  return out;
}

std::string StateLines(Session& s, int rows, int cols) {
  const Screen& sc = s.screen;
  std::string out;
  auto line = [&out](const char* name, const std::string& value) {
    out += std::string("state ") + name + " " + value + "\n";
  };
  line("cursor-hidden", std::to_string(sc.CursorHidden));
  line("region", std::to_string(sc.ScrollTop) + " " + std::to_string(sc.ScrollBottom));
  line("autowrap", std::to_string(s.Opt.AutoWrapOn));
  line("insert", std::to_string(s.input.InsertMode));
  line("keypad-application", std::to_string(s.input.KeypadApplicationMode));
  line("cursor-keys-application", std::to_string(s.vt.CursorKeyApplicationMode));
  line("line-graphics", std::to_string(sc.LineGraphicsOn));
  line("screen-reversed", sc.ScreenReversed() ? "1" : "0");
  const std::string below = FormatScreen(s, std::min(rows + 5, static_cast<int>(kMaxCursorRow)), cols, false);
  // The rows after the screen's own, up to the cursor line.
  size_t at = 0;
  for (int r = 1; at < below.size(); ++r) {
    const size_t end = below.find('\n', at);
    const std::string text = below.substr(at, end - at);
    if (r > rows && text.rfind("cursor ", 0) != 0 && !text.empty())
      out += "row " + std::to_string(r) + " " + text + "\n";
    if (text.rfind("cursor ", 0) == 0) break;
    at = end + 1;
  }
  return out;
}

namespace {

// Screen rows and scroll-back lines are compared and laid out with one width.
static_assert(ScreenPlanes::kCols == ScrollBackPlanes::kCols);
constexpr size_t kRowBytes = ScreenPlanes::kCols * sizeof(int16_t);

// The rows of the planes that PlanesImage lays out before the scroll-back, in
// its order: every row of the four grid planes, then the protect flags, then
// the hidden marks. Each row of `x` comes with the same row of `y`; `rows`
// returns false to stop, and then so does this.
template <typename Rows>
bool EachScreenRow(const Screen& x, const Screen& y, Rows&& rows) {
  for (int plane = 0; plane < ScreenPlanes::kPlaneCount; ++plane)
    for (int r = 0; r < ScreenPlanes::kRows; ++r)
      if (!rows(x.Grid.Row(static_cast<ScreenPlanes::Plane>(plane), r),
                y.Grid.Row(static_cast<ScreenPlanes::Plane>(plane), r)))
        return false;
  for (int r = 0; r < ScreenPlanes::kRows; ++r)
    if (!rows(x.Protect.Row(r), y.Protect.Row(r))) return false;
  for (int r = 0; r <= kMaxCursorRow; ++r)
    if (!rows(x.HiddenMarks.Row(r), y.HiddenMarks.Row(r))) return false;
  return true;
}

constexpr ScrollBackPlanes::Plane kImagedScrollBack[] = {ScrollBackPlanes::kChars, ScrollBackPlanes::kAttrs};

// The cursor, the scroll region and the size.
std::array<int16_t, 6> Place(const Screen& sc) {
  return {sc.CursorRow(), sc.CursorCol(), sc.ScrollTop, sc.ScrollBottom, sc.ScreenRows, sc.ScreenCols};
}

// Whether two cell stores hold the same bytes, reading only the pages that
// are in memory in either: a page in memory in neither was not written since
// its store was made or given back, and reads as zeros in both. (Reading it
// would bring it in for nothing; a page swapped out would be taken for zeros,
// which a fuzz run on a machine without swap never meets.)
bool SameStoredBytes(const int16_t* first, const int16_t* second, size_t bytes) {
  static const size_t page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
  static const std::vector<char> zeros(page, 0);
  const auto* p = reinterpret_cast<const char*>(first);
  const auto* q = reinterpret_cast<const char*>(second);
  const uintptr_t offset = reinterpret_cast<uintptr_t>(p) % page;
  if (reinterpret_cast<uintptr_t>(q) % page != offset) return std::memcmp(p, q, bytes) == 0;
  const size_t pages = (offset + bytes + page - 1) / page;
  thread_local std::vector<unsigned char> inP, inQ;
  inP.resize(pages);
  inQ.resize(pages);
  if (mincore(const_cast<char*>(p - offset), pages * page, inP.data()) != 0 ||
      mincore(const_cast<char*>(q - offset), pages * page, inQ.data()) != 0)
    return std::memcmp(p, q, bytes) == 0;
  for (size_t i = 0; i < pages; ++i) {
    const size_t from = i == 0 ? 0 : i * page - offset;
    const size_t to = std::min(bytes, (i + 1) * page - offset);
    const bool hasP = inP[i] & 1, hasQ = inQ[i] & 1;
    if (hasP && hasQ ? std::memcmp(p + from, q + from, to - from) != 0
        : hasP       ? std::memcmp(p + from, zeros.data(), to - from) != 0
        : hasQ       ? std::memcmp(q + from, zeros.data(), to - from) != 0
                     : false)
      return false;
  }
  return true;
}

}  // namespace

void PlanesImage(Session& s, std::string& out) {
  const Screen& sc = s.screen;
  out.clear();
  auto add = [&out](const void* data, size_t bytes) { out.append(static_cast<const char*>(data), bytes); };
  EachScreenRow(sc, sc, [&](const int16_t* row, const int16_t*) {
    add(row, kRowBytes);
    return true;
  });
  for (auto plane : kImagedScrollBack)
    for (int line = 1; line < ScrollBackPlanes::kLines; ++line) add(sc.ScrollBack.Line(plane, line), kRowBytes);
  const auto place = Place(sc);
  add(place.data(), sizeof place);
}

bool SamePlanes(const Session& a, const Session& b) {
  const Screen &x = a.screen, &y = b.screen;
  const auto sameRow = [](const int16_t* p, const int16_t* q) { return std::memcmp(p, q, kRowBytes) == 0; };
  if (!EachScreenRow(x, y, sameRow)) return false;
  for (auto plane : kImagedScrollBack) {
    // Rings that start at the same place are compared as they lie in
    // memory, lines 1..960 in one piece (line 0 comes first); others line by
    // line.
    const int16_t *x0 = x.ScrollBack.Line(plane, 0), *y0 = y.ScrollBack.Line(plane, 0);
    if (x.ScrollBack.Line(plane, 1) - x0 == y.ScrollBack.Line(plane, 1) - y0) {
      if (!SameStoredBytes(x0 + ScrollBackPlanes::kCols, y0 + ScrollBackPlanes::kCols,
                           size_t(ScrollBackPlanes::kLines - 1) * kRowBytes))
        return false;
      continue;
    }
    for (int line = 1; line < ScrollBackPlanes::kLines; ++line)
      if (!sameRow(x.ScrollBack.Line(plane, line), y.ScrollBack.Line(plane, line))) return false;
  }
  return Place(x) == Place(y);
}

std::string ReplayToText(const Options& o, const Emulation* emulation, int width, int height, std::string input,
                         std::string* planes) {
  InstantClock clock;
  NullPort port(width, height);
  fakes::WindowlessSession window(port, clock);
  Session& s = window.session;
  PrepareSession(s, o, emulation);
  auto link = std::make_unique<ReplayLink>(std::move(input), o.pieces);
  ReplayLink* replay = link.get();
  s.conn.PtyStream = std::move(link);
  s.input.SetFastPaths(o.fastPaths);
  SessionInterpreters interpreters(s.input, s.wyse, s.vt);
  if (o.before) o.before(window.around);
  while (replay->Remaining() > 0) {
    const size_t before = replay->Remaining();
    s.input.ProcessHostInput();
    if (replay->Remaining() == before) break;
  }
  if (o.after) o.after(window.around);
  if (planes) PlanesImage(s, *planes);
  if (o.inspect) o.inspect(s);
  std::string text = o.text ? FormatScreen(s, o.rows, o.cols, o.attrs)
                            : "character set " + std::to_string(s.screen.ScreenFontId) + "\n";
  if (o.state) text += StateLines(s, o.rows, o.cols);
  if (!replay->answer.empty()) text += "answer: " + EscapeBytes(replay->answer) + "\n";
  return text;
}

int Run(const Options& o, int& argc, char** argv, std::ostream& out, std::ostream& err) {
  const Emulation* emulation = nullptr;
  if (!o.emulation.empty()) {
    for (const auto& e : Emulations())
      if (o.emulation == e.name) emulation = &e;
    if (!emulation) {
      std::string names;
      for (const auto& e : Emulations()) names += std::string(names.empty() ? "" : ", ") + e.name;
      err << "korvane-replay: unknown emulation \"" << o.emulation << "\" (one of: " << names << ")\n";
      return kUsage;
    }
  }

  std::string input;
  for (const auto& f : o.files) {
    std::ifstream in(f, std::ios::binary);
    if (!in) {
      err << "korvane-replay: cannot read " << f << ": " << std::strerror(errno) << "\n";
      return kUsage;
    }
    input.append(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) {
      err << "korvane-replay: cannot read " << f << "\n";
      return kUsage;
    }
  }

  int width = 0, height = 0;
  if (!WindowSizeFor(o.rows, o.cols, width, height)) {
    err << "korvane-replay: no window shows " << o.rows << " rows at the default text size\n";
    return kUsage;
  }

  if (!o.bench) {
    out << ReplayToText(o, emulation, width, height, std::move(input));
    return kOk;
  }

  if (input.empty()) {
    err << "korvane-replay: nothing to measure: the input is empty\n";
    return kUsage;
  }
  platform::OffscreenGui gui(argc, argv);
  platform::SteadyClock clock;
  platform::QtImagePort image(width, height);
  FloodGate gate(image);
  fakes::WindowlessSession window(gate, clock);
  Session& s = window.session;
  PrepareSession(s, o, emulation);
  s.Opt.ScrollBackOn = 1;
  auto link = std::make_unique<LoopLink>(input);
  LoopLink* loop = link.get();
  s.conn.PtyStream = std::move(link);
  s.input.SetFloodGate(&gate);
  SessionInterpreters interpreters(s.input, s.wyse, s.vt);

  using namespace std::chrono;
  const auto start = steady_clock::now();
  auto lastRepaint = start;
  double seconds = 0;
  while (true) {
    for (int i = 0; i < 64; ++i) s.input.ProcessHostInput();
    const auto now = steady_clock::now();
    if (s.screen.RepaintPending && now - lastRepaint >= milliseconds(FloodGate::kFrameMs)) {
      // Once a frame the window catches up with the planes.
      FloodGate::RepaintScope repaint(gate);
      RepaintFromPlanes(s);
      s.screen.RepaintPending = 0;
      lastRepaint = now;
    }
    seconds = duration<double>(now - start).count();
    if (seconds >= 1.0 && loop->taken >= input.size()) break;
  }
  char figure[32];
  std::snprintf(figure, sizeof figure, "%.1f MB/s", static_cast<double>(loop->taken) / seconds / 1e6);
  out << figure << "\n";
  return kOk;
}

}  // namespace korvane::replay
