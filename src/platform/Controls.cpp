#include "platform/Controls.h"

#include <algorithm>

namespace korvane::platform {

HeadlessControls::State* HeadlessControls::Get(int id) {
  auto it = controls_.find(id);
  return it == controls_.end() ? nullptr : &it->second;
}

const HeadlessControls::State* HeadlessControls::Find(int id) const {
  auto it = controls_.find(id);
  return it == controls_.end() ? nullptr : &it->second;
}

void HeadlessControls::MakeBevelButton(int id, Rect bounds, const std::string& title) {
  State& s = controls_[id];
  s.kind = ControlKind::BevelButton;
  s.scrollBar = false;
  s.shown = true;
  s.bounds = bounds;
  s.title = title;
  s.minimum = 0;
  s.maximum = 1;
  s.value = 0;
  s.active = true;
}

void HeadlessControls::SetControlTitleFont(int id, int16_t font, int16_t size) {
  if (State* s = Get(id)) {
    s->font = font;
    s->size = size;
  }
}

void HeadlessControls::MakeScrollBar(int id, Rect bounds) {
  if (State* s = Get(id); s && s->scrollBar) {
    s->bounds = bounds;
    return;
  }
  State& s = controls_[id];
  s = State{};
  s.kind = ControlKind::ScrollBar;
  s.scrollBar = true;
  s.bounds = bounds;
}

void HeadlessControls::MakeImageWell(int id, Rect bounds) {
  if (State* s = Get(id); s && s->kind == ControlKind::ImageWell) {
    s->bounds = bounds;
    return;
  }
  State& s = controls_[id];
  s = State{};
  s.kind = ControlKind::ImageWell;
  s.bounds = bounds;
}

bool HeadlessControls::SetImageWellPicture(int id, const std::string& path) {
  State* s = Get(id);
  if (!s || s->kind != ControlKind::ImageWell || path.empty()) return false;
  s->picture = path;
  return true;
}

void HeadlessControls::MoveControl(int id, Rect bounds) {
  if (State* s = Get(id)) s->bounds = bounds;
}

void HeadlessControls::ShowControl(int id, bool shown) {
  if (State* s = Get(id)) s->shown = shown;
}

void HeadlessControls::CloseControl(int id) {
  controls_.erase(id);
  if (focused_ == id) focused_ = 0;
}

void HeadlessControls::SetScrollBarRange(int id, int minimum, int maximum, int page) {
  State* s = Get(id);
  if (!s) return;
  s->minimum = minimum;
  s->maximum = std::max(minimum, maximum);
  s->page = page;
  s->value = std::clamp(s->value, s->minimum, s->maximum);
}

void HeadlessControls::SetControlValue(int id, int value) {
  if (State* s = Get(id)) s->value = std::clamp(value, s->minimum, s->maximum);
}

int HeadlessControls::ControlValue(int id) const {
  const State* s = Find(id);
  return s ? s->value : 0;
}

void HeadlessControls::SetControlActive(int id, bool active) {
  if (State* s = Get(id)) s->active = active;
}

bool HeadlessControls::ControlActive(int id) const {
  const State* s = Find(id);
  return s && s->active;
}

void HeadlessControls::MakeControl(int id, ControlKind kind, const std::string& title,
                                   const std::vector<std::string>& items) {
  State& s = controls_[id];
  s = State{};
  s.kind = kind;
  s.title = title;
  s.items = items;
  if (kind == ControlKind::CheckBox || kind == ControlKind::RadioButton) s.maximum = 1;
  if (kind == ControlKind::PopupMenu) s.maximum = static_cast<int>(items.size());
}

bool HeadlessControls::KindOf(int id, ControlKind& kind) const {
  const State* s = Find(id);
  if (!s) return false;
  kind = s->kind;
  return true;
}

void HeadlessControls::SetControlText(int id, const std::string& text) {
  State* s = Get(id);
  if (!s) return;
  switch (s->kind) {
    case ControlKind::EditText:
    case ControlKind::StaticText:
      s->text = text;
      s->selection = {static_cast<int>(text.size()), static_cast<int>(text.size())};
      break;
    case ControlKind::PopupMenu:
      for (std::size_t i = 0; i < s->items.size(); ++i)
        if (s->items[i] == text) s->value = static_cast<int>(i) + 1;
      break;
    default: s->title = text; break;
  }
}

std::string HeadlessControls::ControlText(int id) const {
  const State* s = Find(id);
  if (!s) return {};
  switch (s->kind) {
    case ControlKind::EditText:
    case ControlKind::StaticText: return s->text;
    case ControlKind::PopupMenu:
      return s->value >= 1 && s->value <= static_cast<int>(s->items.size())
                 ? s->items[static_cast<std::size_t>(s->value - 1)]
                 : std::string();
    default: return s->title;
  }
}

void HeadlessControls::SetPopupItems(int id, const std::vector<std::string>& items) {
  State* s = Get(id);
  if (!s || s->kind != ControlKind::PopupMenu) return;
  s->items = items;
  s->maximum = static_cast<int>(items.size());
  s->value = std::clamp(s->value, s->minimum, s->maximum);
}

void HeadlessControls::SetTextSelection(int id, TextSelection selection) {
  State* s = Get(id);
  if (!s) return;
  const int length = static_cast<int>(s->text.size());
  selection.start = std::clamp(selection.start, 0, length);
  selection.end = std::clamp(selection.end, selection.start, length);
  s->selection = selection;
}

TextSelection HeadlessControls::ControlTextSelection(int id) const {
  const State* s = Find(id);
  return s ? s->selection : TextSelection{};
}

void HeadlessControls::SetKeyboardFocus(int id) {
  if (id == 0 || Find(id)) focused_ = id;
}

}  // namespace korvane::platform
