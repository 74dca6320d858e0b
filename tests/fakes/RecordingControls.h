#pragma once
// Controls that keep their state in memory (as a window's would) and record
// every call the program makes, for tests of the function-key bar and the
// scroll-back view. A test plays the user with UserAction.

#include <string>
#include <vector>

#include "platform/Controls.h"

namespace korvane::fakes {

class RecordingControls final : public platform::HeadlessControls {
 public:
  struct Call {
    std::string op;  // "MakeBevelButton", "SetControlValue", ...
    int id = 0;
    platform::Rect bounds{};
    std::string title;
    int a = 0, b = 0, c = 0;  // font/size, range (min, max, page) or value
  };
  std::vector<Call> calls;
  void Clear() { calls.clear(); }
  std::vector<Call> Of(const std::string& op) const {
    std::vector<Call> out;
    for (const auto& c : calls)
      if (c.op == op) out.push_back(c);
    return out;
  }

  // The user acts on a control: a scroll bar first takes the value the
  // user's action gives it, then the program is told.
  void UserAction(int id, platform::ControlPart part, int newValue = 0) {
    if (part != platform::ControlPart::Button) HeadlessControls::SetControlValue(id, newValue);
    if (onUserAction) onUserAction(id, part);
  }

  void MakeBevelButton(int id, platform::Rect bounds, const std::string& title) override {
    calls.push_back({"MakeBevelButton", id, bounds, title});
    HeadlessControls::MakeBevelButton(id, bounds, title);
  }
  void SetControlTitleFont(int id, int16_t font, int16_t size) override {
    calls.push_back({"SetControlTitleFont", id, {}, {}, font, size});
    HeadlessControls::SetControlTitleFont(id, font, size);
  }
  void MakeScrollBar(int id, platform::Rect bounds) override {
    calls.push_back({"MakeScrollBar", id, bounds});
    HeadlessControls::MakeScrollBar(id, bounds);
  }
  void MoveControl(int id, platform::Rect bounds) override {
    calls.push_back({"MoveControl", id, bounds});
    HeadlessControls::MoveControl(id, bounds);
  }
  void ShowControl(int id, bool shown) override {
    calls.push_back({"ShowControl", id, {}, {}, shown});
    HeadlessControls::ShowControl(id, shown);
  }
  void CloseControl(int id) override {
    calls.push_back({"CloseControl", id});
    HeadlessControls::CloseControl(id);
  }
  void SetScrollBarRange(int id, int minimum, int maximum, int page) override {
    calls.push_back({"SetScrollBarRange", id, {}, {}, minimum, maximum, page});
    HeadlessControls::SetScrollBarRange(id, minimum, maximum, page);
  }
  void SetControlValue(int id, int value) override {
    calls.push_back({"SetControlValue", id, {}, {}, value});
    HeadlessControls::SetControlValue(id, value);
  }
};

}  // namespace korvane::fakes
