#pragma once
// Controls that keep their state in memory (as a window's would) and record
// every call the program makes, for tests of the function-key bar and the
// scroll-back view. A test plays the user with UserAction.

#include <string>
#include <utility>
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
  // Controls the program set or read that the window does not have.
  mutable std::vector<int> missing;
  void Add(std::string op, int id, platform::Rect bounds = {}, std::string title = {}, int a = 0, int b = 0,
           int c = 0) {
    Call call;
    call.op = std::move(op);
    call.id = id;
    call.bounds = bounds;
    call.title = std::move(title);
    call.a = a;
    call.b = b;
    call.c = c;
    calls.push_back(std::move(call));
  }
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
    Add("MakeBevelButton", id, bounds, title);
    HeadlessControls::MakeBevelButton(id, bounds, title);
  }
  void SetControlTitleFont(int id, int16_t font, int16_t size) override {
    Add("SetControlTitleFont", id, {}, {}, font, size);
    HeadlessControls::SetControlTitleFont(id, font, size);
  }
  void MakeScrollBar(int id, platform::Rect bounds) override {
    Add("MakeScrollBar", id, bounds);
    HeadlessControls::MakeScrollBar(id, bounds);
  }
  void MakeImageWell(int id, platform::Rect bounds) override {
    Add("MakeImageWell", id, bounds);
    HeadlessControls::MakeImageWell(id, bounds);
  }
  bool SetImageWellPicture(int id, const std::string& path) override {
    Add("SetImageWellPicture", id, {}, path);
    return HeadlessControls::SetImageWellPicture(id, path);
  }
  void MoveControl(int id, platform::Rect bounds) override {
    Add("MoveControl", id, bounds);
    HeadlessControls::MoveControl(id, bounds);
  }
  void ShowControl(int id, bool shown) override {
    Add("ShowControl", id, {}, {}, shown);
    HeadlessControls::ShowControl(id, shown);
  }
  void CloseControl(int id) override {
    Add("CloseControl", id);
    HeadlessControls::CloseControl(id);
  }
  void SetScrollBarRange(int id, int minimum, int maximum, int page) override {
    Add("SetScrollBarRange", id, {}, {}, minimum, maximum, page);
    HeadlessControls::SetScrollBarRange(id, minimum, maximum, page);
  }
  void SetControlValue(int id, int value) override {
    Add("SetControlValue", id, {}, {}, value);
    Note(id);
    HeadlessControls::SetControlValue(id, value);
  }
  int ControlValue(int id) const override {
    if (!HasControl(id)) missing.push_back(id);
    return HeadlessControls::ControlValue(id);
  }
  void SetControlActive(int id, bool active) override {
    Add("SetControlActive", id, {}, {}, active);
    Note(id);
    HeadlessControls::SetControlActive(id, active);
  }
  void SetControlText(int id, const std::string& text) override {
    Add("SetControlText", id, {}, text);
    Note(id);
    HeadlessControls::SetControlText(id, text);
  }
  std::string ControlText(int id) const override {
    if (!HasControl(id)) missing.push_back(id);
    return HeadlessControls::ControlText(id);
  }
  void SetTextSelection(int id, platform::TextSelection selection) override {
    Add("SetTextSelection", id, {}, {}, selection.start, selection.end);
    Note(id);
    HeadlessControls::SetTextSelection(id, selection);
  }
  void SetKeyboardFocus(int id) override {
    Add("SetKeyboardFocus", id);
    Note(id);
    HeadlessControls::SetKeyboardFocus(id);
  }

 private:
  void Note(int id) {
    if (!HasControl(id)) missing.push_back(id);
  }
};

}  // namespace korvane::fakes
