#pragma once
// The program's alerts: stop, caution, note and plain alerts with four text
// pieces, each piece looked up in the user's language; the numbered
// file-error alert; and the busy cursor.
//
// AlertRoutines is itself a platform::Alerts, so every part of the program
// that shows an alert goes through the same look-up and the same arrow cursor
// (no alert appears under the busy cursor).

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "platform/Alerts.h"
#include "platform/Cursors.h"
#include "platform/StringTable.h"

namespace korvane::platform {

class AlertRoutines final : public platform::Alerts {
 public:
  AlertRoutines(platform::Alerts& inner, platform::Cursors& cursors, const StringTable& strings)
      : inner_(inner), cursors_(cursors), strings_(strings) {}

  // Sets the arrow cursor and shows the alert with each piece localised;
  // returns the item the user chose.
  int Show(platform::AlertKind kind, int alertId, const std::string& a, const std::string& b = {},
           const std::string& c = {}, const std::string& d = {}) override;
  // The same, left up without waiting (see platform::Alerts::Open).
  int Open(platform::AlertKind kind, int alertId, const std::string& a, const std::string& b, const std::string& c,
           const std::string& d, std::function<void(int)> answered) override;
  void Dismiss(int opened) override { inner_.Dismiss(opened); }

  int StopAlertText(int id, const std::string& a, const std::string& b = {}, const std::string& c = {},
                    const std::string& d = {}) {
    return Show(platform::AlertKind::Stop, id, a, b, c, d);
  }
  int CautionAlertText(int id, const std::string& a, const std::string& b = {}, const std::string& c = {},
                       const std::string& d = {}) {
    return Show(platform::AlertKind::Caution, id, a, b, c, d);
  }
  int NoteAlertText(int id, const std::string& a, const std::string& b = {}, const std::string& c = {},
                    const std::string& d = {}) {
    return Show(platform::AlertKind::Note, id, a, b, c, d);
  }
  int PlainAlertText(int id, const std::string& a, const std::string& b = {}, const std::string& c = {},
                     const std::string& d = {}) {
    return Show(platform::AlertKind::Plain, id, a, b, c, d);
  }

  // The messages of the numbered file-error alert: one entry a line, the
  // number (1..255), a tab and the English message.
  void LoadErrorMessages(std::string_view fileBytes);
  // The alert for a file error: the message of the code's low byte (entry 1
  // for 0), the code as "low,high", and the advice of entry 6. A code of 0
  // shows the texts of the alert before. Choosing Quit (item 6) calls
  // onQuitNow, which ends the program in an orderly way.
  int ErrorNumberAlert(int16_t code);
  std::function<void()> onQuitNow;

 private:
  platform::Alerts& inner_;
  platform::Cursors& cursors_;
  const StringTable& strings_;
  std::map<int, std::string> errorMessages_;
  std::array<std::string, 4> lastPieces_;
};

// The animated watch cursor of long operations. The frame counter goes 1 ..
// 100 and round again; the cursor's shape is set only when it changes, not
// once per step (the interpreters step it for every received byte).
class BusyCursor {
 public:
  explicit BusyCursor(platform::Cursors& cursors) : cursors_(cursors) {}
  int16_t SpinWatchCursor(int16_t = 0);
  int16_t SpinWatchCursor2(int16_t = 0) { return SpinWatchCursor(); }
  void ShowArrow() { cursors_.ShowArrow(); }
  int16_t Frame() const { return frame_; }

 private:
  platform::Cursors& cursors_;
  int16_t frame_ = 0;
};

}  // namespace korvane::platform
