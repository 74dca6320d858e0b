#include "platform/EchoHold.h"

namespace korvane::platform {

namespace {

// The text a terminal shows for a line of output: carriage returns, other
// control characters and escape sequences (which a shell's line editor may
// put around what it echoes) left out.
std::string ShownText(std::string_view line) {
  std::string shown;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const auto c = static_cast<unsigned char>(line[i]);
    if (c == 27 && i + 1 < line.size()) {
      const char kind = line[i + 1];
      i += 1;
      if (kind == '[') {
        // A control sequence ends at its final byte, 0x40..0x7E.
        while (i + 1 < line.size() && !(line[i + 1] >= 0x40 && line[i + 1] <= 0x7E)) ++i;
        ++i;
      } else if (kind == ']') {
        // An operating-system command ends at BEL or ESC backslash.
        while (i + 1 < line.size() && line[i + 1] != 7 && line[i + 1] != 27) ++i;
        ++i;
        if (i < line.size() && line[i] == 27) ++i;
      }
      continue;
    }
    if (c == 8 && !shown.empty()) {
      shown.pop_back();
      continue;
    }
    if (c < 32 || c == 127) continue;
    shown += static_cast<char>(c);
  }
  return shown;
}

}  // namespace

EchoHold::EchoHold(const std::vector<std::string>& lines, int64_t nowMs) : deadlineMs_(nowMs + kPatienceMs) {
  for (const std::string& line : lines)
    if (!line.empty()) expected_.push_back(line);
}

bool EchoHold::IsEcho(std::string_view line) {
  const std::string shown = ShownText(line);
  for (std::size_t k = 0; k < expected_.size(); ++k) {
    if (shown.find(expected_[k]) == std::string::npos) continue;
    // An echo that did not come (a line typed where nothing echoes) is not
    // waited for once a later one has come.
    expected_.erase(expected_.begin(), expected_.begin() + static_cast<std::ptrdiff_t>(k) + 1);
    return true;
  }
  return false;
}

void EchoHold::Take(std::string_view bytes, std::string& out) {
  if (expected_.empty()) {
    out.append(partial_);
    partial_.clear();
    out.append(bytes);
    return;
  }
  partial_.append(bytes);
  std::size_t start = 0;
  for (std::size_t nl; !expected_.empty() && (nl = partial_.find('\n', start)) != std::string::npos; start = nl + 1) {
    const std::string_view line(partial_.data() + start, nl + 1 - start);
    if (!IsEcho(line)) out.append(line);
  }
  partial_.erase(0, start);
  if (expected_.empty()) {
    out.append(partial_);
    partial_.clear();
  }
}

bool EchoHold::Finish(int64_t nowMs, std::string& out) {
  if (!expected_.empty() && nowMs < deadlineMs_) return false;
  Release(out);
  return true;
}

void EchoHold::Release(std::string& out) {
  expected_.clear();
  out.append(partial_);
  partial_.clear();
}

}  // namespace korvane::platform
