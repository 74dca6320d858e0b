#include "platform/AlertRoutines.h"

#include <string>

#include "platform/CharMap.h"

namespace korvane::platform {

int AlertRoutines::Show(platform::AlertKind kind, int alertId, const std::string& a, const std::string& b,
                        const std::string& c, const std::string& d) {
  cursors_.ShowArrow();
  lastPieces_ = {a, b, c, d};
  return inner_.Show(kind, alertId, strings_.Localise(a), strings_.Localise(b), strings_.Localise(c),
                     strings_.Localise(d));
}

int AlertRoutines::Open(platform::AlertKind kind, int alertId, const std::string& a, const std::string& b,
                        const std::string& c, const std::string& d, std::function<void(int)> answered) {
  cursors_.ShowArrow();
  return inner_.Open(kind, alertId, strings_.Localise(a), strings_.Localise(b), strings_.Localise(c),
                     strings_.Localise(d), std::move(answered));
}

void AlertRoutines::LoadErrorMessages(std::string_view bytes) {
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    std::size_t end = bytes.find('\n', pos);
    if (end == std::string_view::npos) end = bytes.size();
    std::string_view line = bytes.substr(pos, end - pos);
    pos = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::size_t tab = line.find('\t');
    if (line.empty() || line.front() == '#' || tab == std::string_view::npos || tab == 0 || tab > 3) continue;
    int n = 0;
    bool digits = true;
    for (char ch : line.substr(0, tab)) {
      if (ch < '0' || ch > '9') digits = false;
      n = n * 10 + (ch - '0');
    }
    if (digits && n >= 1 && n <= 255) errorMessages_[n] = platform::MacRomanFromUtf8(line.substr(tab + 1));
  }
}

int AlertRoutines::ErrorNumberAlert(int16_t code) {
  std::array<std::string, 4> pieces = lastPieces_;
  if (code != 0) {
    const int low = code & 0xFF;
    // The high part is shown without its sign.
    const int high = (code >> 8) < 0 ? -(code >> 8) : (code >> 8);
    const auto message = errorMessages_.find(low == 0 ? 1 : low);
    const auto advice = errorMessages_.find(6);
    pieces = {message == errorMessages_.end() ? std::string() : message->second,
              std::to_string(low) + "," + std::to_string(high),
              advice == errorMessages_.end() ? std::string() : advice->second, std::string()};
  }
  const int item = Show(platform::AlertKind::Plain, 3999, pieces[0], pieces[1], pieces[2], pieces[3]);
  if (item == 6 && onQuitNow) onQuitNow();
  return 0;
}

int16_t BusyCursor::SpinWatchCursor(int16_t) {
  if (++frame_ > 100) frame_ = 1;
  cursors_.ShowWatch();
  return 0;
}

}  // namespace korvane::platform
