#include "output/MouseClicks.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <utility>

#include "output/Selection.h"
#include "platform/Events.h"

namespace korvane::output {

namespace {

constexpr char kESC = 27, kENQ = 5, kCR = 13;

std::string Lower(std::string s) {
  for (char& ch : s) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  return s;
}

// Where a web address begins in a text (lower case), or npos.
size_t WebAddressStart(const std::string& lower) {
  size_t at = std::string::npos;
  for (const char* marker : {"http:", "https:", "www."}) at = std::min(at, lower.find(marker));
  return at;
}

// The character codes a row shows: the live screen, or the scroll-back view.
uint8_t CodeShown(Screen& s, int row, int col) {
  int16_t ch;
  if (s.ScrollBackViewShown) {
    const int line = std::clamp(s.ScrollBackViewLine - s.ScreenRows + row, 1, ScrollBackPlanes::kLines - 1);
    ch = s.ScrollBack.Cell(ScrollBackPlanes::kChars, line, col);
  } else {
    ch = s.ScreenChars(row, col);
  }
  return static_cast<uint8_t>(ch & 0xFF);
}

}  // namespace

MouseCell CellUnderPointer(const Screen& s, int h, int v) {
  const int w = CharWidthForSize(s), ch = s.CellHeight;
  if (w <= 0 || ch <= 0) return {};
  // The left margin of 4 pixels belongs to the first column.
  return {std::max(0, (h - 4) / w), std::max(0, v / ch)};
}

std::string PlainMouseReport(MouseCell cell, bool prefix) {
  char digits[32];
  std::snprintf(digits, sizeof digits, "%03d,%02d", cell.column, cell.row);
  std::string out;
  if (prefix) {
    out += kESC;
    out += "MOUSE ";
  }
  out += digits;
  out += kCR;
  return out;
}

std::string LocatorReport(MouseCell cell, int button) {
  std::string out;
  out += kENQ;
  out += '2';
  out += std::to_string(button);
  out += ';';
  out += std::to_string(cell.row);
  out += ';';
  out += std::to_string(cell.column);
  out += kCR;
  return out;
}

std::optional<ClickedAddress> AddressAt(Screen& s, int row, int col, bool* rowHasWebAddress) {
  if (rowHasWebAddress) *rowHasWebAddress = false;
  const int cols = kMaxCursorCol;
  if (row < 1 || row > LastSelectableRow(s) || col < 1 || col > cols) return std::nullopt;
  std::string text;
  for (int c = 1; c <= cols; ++c) {
    const uint8_t code = CodeShown(s, row, c);
    text += code == 0 ? ' ' : static_cast<char>(code);
  }
  const bool webRow = WebAddressStart(Lower(text)) != std::string::npos;
  if (rowHasWebAddress) *rowHasWebAddress = webRow;

  // Characters above 127 and blanks end a word; so, on its left, do the
  // opening brackets (which are not part of it).
  auto inWord = [&](int c) {
    const auto code = static_cast<uint8_t>(text[static_cast<size_t>(c - 1)]);
    return code > 32 && code < 128;
  };
  if (!inWord(col)) return std::nullopt;
  int first = col, last = col;
  while (first > 1 && inWord(first - 1) &&
         std::string_view("({[<").find(text[static_cast<size_t>(first - 2)]) == std::string_view::npos)
    --first;
  while (last < cols && inWord(last + 1)) ++last;
  // A closing angle bracket, and the mouse-click delimiter (a full stop
  // unless the user chose another), end a sentence, not an address.
  const char delimiter = s.Opt.DialogValue66.empty() ? '.' : s.Opt.DialogValue66[0];
  while (last >= first) {
    const char end = text[static_cast<size_t>(last - 1)];
    if (end != '>' && end != '<' && end != delimiter) break;
    --last;
  }
  if (last < first) return std::nullopt;
  const std::string word = text.substr(static_cast<size_t>(first - 1), static_cast<size_t>(last - first + 1));
  const std::string lower = Lower(word);

  ClickedAddress found;
  found.firstCol = first;
  found.lastCol = last;
  if (const size_t at = WebAddressStart(lower); at != std::string::npos) {
    found.url = word.substr(at);
    if (lower.compare(at, 4, "www.") == 0) found.url = "http://" + found.url;
    return found;
  }
  const size_t atSign = word.find('@');
  if (atSign != std::string::npos && atSign > 0 && word.find('.', atSign) != std::string::npos) {
    found.url = lower.rfind("mailto:", 0) == 0 ? word : "mailto:" + word;
    return found;
  }
  return std::nullopt;
}

SessionMouse::SessionMouse(Screen& screen, SessionOptions& options, SendToHost send, platform::Desktop& desktop,
                           SelectionCopier& copier, platform::SelectionFrame& frame, SelectionHost& host,
                           platform::Clock& clock)
    : screen_(screen),
      opt_(options),
      send_(std::move(send)),
      desktop_(desktop),
      copier_(copier),
      frame_(frame),
      host_(host),
      clock_(clock) {
  ApplySettings();
}

void SessionMouse::DoMouse(const MouseEvent& e) {
  modifiers_ = e.modifiers;
  switch (e.kind) {
    case MouseEventKind::Press: MouseDownHandler(e); break;
    case MouseEventKind::Drag:
      if (state_ == State::ClickWait && ClickOption == 0 && button_ == MouseButton::Left && e.h - MouseX > kDragSlop) {
        // The pointer ran off to the right: this is the start of a drag, and
        // the click does nothing.
        LastClickTick = clock_.Ticks();
        StartSelection();
      }
      if (state_ == State::Selecting) FollowDrag(e.h, e.v);
      break;
    case MouseEventKind::Release:
      switch (state_) {
        case State::ClickWait:
          // The click still acts when its wait is over.
          released_ = true;
          releaseH_ = e.h;
          releaseV_ = e.v;
          break;
        case State::Selecting: EndSelection(e.h, e.v); break;
        case State::WaitRelease:
          if (locatorPressSent_) send_(LocatorReport(CellUnderPointer(screen_, e.h, e.v), 0));
          locatorPressSent_ = false;
          state_ = State::Idle;
          break;
        case State::Idle: break;
      }
      break;
  }
}

void SessionMouse::MouseDownHandler(const MouseEvent& e) {
  // A click that is still waiting acts before the next one is looked at.
  if (state_ == State::ClickWait) ActAfterWait();
  if (state_ == State::Selecting) {
    // A drag whose release never came: it is dropped, not copied.
    frame_.HideFrame();
    frame_.SetPointerShape(platform::PointerShape::Arrow);
  }
  if (state_ == State::WaitRelease && locatorPressSent_) send_(LocatorReport(CellUnderPointer(screen_, e.h, e.v), 0));
  state_ = State::Idle;
  locatorPressSent_ = false;

  MouseX = static_cast<int16_t>(std::clamp(e.h, -32768, 32767));
  MouseY = static_cast<int16_t>(std::clamp(e.v, -32768, 32767));
  button_ = e.button;
  pressModifiers_ = e.modifiers;
  ClickCount = static_cast<int16_t>(e.clicks > 0 ? std::min(e.clicks, 2) : 1);
  released_ = false;
  const int64_t now = clock_.Ticks();
  if (opt_.MouseOption == 1 && now - LastClickTick < kDoubleClickTicks) {
    // A double click acts at once.
    ClickCount = 2;
    LastClickTick = now;
    MouseClickAction();
    state_ = State::WaitRelease;
    return;
  }
  LastClickTick = now;
  waitEnd_ = now + kClickWaitTicks;
  state_ = State::ClickWait;
}

void SessionMouse::Step() {
  if (addressFlash_ && clock_.Milliseconds() >= addressFlashEndMs_) EndAddressFlash();
  if (state_ == State::ClickWait && clock_.Ticks() >= waitEnd_) {
    LastClickTick = clock_.Ticks();
    ActAfterWait();
  }
}

void SessionMouse::ActAfterWait() {
  state_ = State::Idle;
  MouseClickAction();
  if (released_) {
    if (locatorPressSent_) send_(LocatorReport(CellUnderPointer(screen_, releaseH_, releaseV_), 0));
    locatorPressSent_ = false;
    return;
  }
  // The button is still held. A locator report waits for its release; a
  // single click of the first button goes on as a drag.
  if (!locatorPressSent_ && ClickCount == 1 && button_ == MouseButton::Left)
    StartSelection();
  else
    state_ = State::WaitRelease;
}

void SessionMouse::MouseClickAction() {
  const MouseCell cell = CellUnderPointer(screen_, MouseX, MouseY);
  if (ClickCount == 1 && button_ == MouseButton::Left && OpenAddressUnderPointer(cell)) return;
  if (LocatorMode) {
    int b = 1;
    // The modifiers held at the press stand for the other buttons.
    if (button_ == MouseButton::Middle || (pressModifiers_ & platform::kOptionModifier)) b = 2;
    if (button_ == MouseButton::Right || (pressModifiers_ & platform::kControlModifier)) b = 3;
    send_(LocatorReport(cell, b));
    locatorPressSent_ = true;
  } else if (MouseReportOn) {
    send_(PlainMouseReport(cell, opt_.MouseReports == 1));
  }
}

bool SessionMouse::OpenAddressUnderPointer(MouseCell cell) {
  bool webRow = false;
  const std::optional<ClickedAddress> address = AddressAt(screen_, cell.row + 1, cell.column + 1, &webRow);
  if (!address) {
    // A row that holds a web address sends no report for a click in it; a
    // click beside the address says so with a beep.
    if (webRow) host_.Beep();
    return webRow;
  }
  if (addressFlash_) EndAddressFlash();
  const int w = CharWidthForSize(screen_), v = (cell.row + 1) * screen_.CellHeight - 3;
  addressFrame_ = {w * (address->firstCol - 1) + 4, std::max(0, screen_.BandTop(v)), w * address->lastCol + 4,
                   screen_.BandBottom(v)};
  screen_.port.InvertRect(addressFrame_);
  screen_.port.Flush();
  addressFlash_ = true;
  addressFlashEndMs_ = clock_.Milliseconds() + kAddressFlashMs;
  // Only http, https and mailto addresses are opened; the desktop refuses
  // the rest, and a refusal beeps.
  if (!desktop_.OpenURL(address->url)) host_.Beep();
  return true;
}

void SessionMouse::EndAddressFlash() {
  addressFlash_ = false;
  screen_.port.InvertRect(addressFrame_);
  screen_.port.Flush();
  screen_.RepaintPending = 1;
}

void SessionMouse::StartSelection() {
  state_ = State::Selecting;
  // Until the pointer leaves the press point's row and column, the whole
  // window is the rectangle.
  Selection = {0, 0, screen_.port.Width(), screen_.port.Height()};
  CopyAsText = 0;
  if (modifiers_ & platform::kCommandModifier) {
    frame_.SetPointerShape(platform::PointerShape::IBeam);
    CopyAsText = 1;
  }
  if (opt_.SelectionOption == 1 && !(modifiers_ & platform::kOptionModifier)) CopyAsText = 1;
  frame_.ShowFrame(Selection);
}

void SessionMouse::FollowDrag(int h, int v) {
  const int x = MouseX, y = MouseY;
  if (v > y && h > x)
    Selection = {x, y + 1, h, v};
  else if (v < y && h < x)
    Selection = {h, v, x, y};
  else if (v > y && h < x)
    Selection = {h, y, x, v};
  else if (v < y && h > x)
    Selection = {x, v, h, y};
  // Level with the press point on either axis: the rectangle stays.
  frame_.ShowFrame(Selection);
}

void SessionMouse::EndSelection(int h, int v) {
  FollowDrag(h, v);
  state_ = State::Idle;
  frame_.HideFrame();
  frame_.SetPointerShape(platform::PointerShape::Arrow);
  IBeamCursorShown = 0;
  CrossCursorShown = 0;
  MouseX = static_cast<int16_t>(std::clamp(h, -32768, 32767));
  MouseY = static_cast<int16_t>(std::clamp(v, -32768, 32767));
  copier_.SnapshotScreenToPdf(Selection, CopyAsText != 0);
}

void SessionMouse::SetMouseCursorShape(uint16_t modifiers) {
  const bool option = (modifiers & platform::kOptionModifier) != 0;
  const bool command = (modifiers & platform::kCommandModifier) != 0;
  if (option) {
    frame_.SetPointerShape(platform::PointerShape::Cross);
    CrossCursorShown = 1;
  } else if (CrossCursorShown) {
    frame_.SetPointerShape(platform::PointerShape::Arrow);
    CrossCursorShown = 0;
  }
  if (command) {
    frame_.SetPointerShape(platform::PointerShape::IBeam);
    IBeamCursorShown = 1;
  } else if (IBeamCursorShown) {
    frame_.SetPointerShape(option ? platform::PointerShape::Cross : platform::PointerShape::Arrow);
    IBeamCursorShown = 0;
  }
}

}  // namespace korvane::output
