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
  s.scrollBar = true;
  s.bounds = bounds;
}

void HeadlessControls::MoveControl(int id, Rect bounds) {
  if (State* s = Get(id)) s->bounds = bounds;
}

void HeadlessControls::ShowControl(int id, bool shown) {
  if (State* s = Get(id)) s->shown = shown;
}

void HeadlessControls::CloseControl(int id) { controls_.erase(id); }

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

}  // namespace korvane::platform
