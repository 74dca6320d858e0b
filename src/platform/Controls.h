#pragma once
// The numbered controls of one window: bevel buttons with a title (the
// function-key bar) and scroll bars (the scroll-back view). The program
// addresses every control by its number, as it addresses windows and menus.
//
// Values the program sets are never reported back as user actions: only a
// click or a scroll-bar movement by the user reaches `onUserAction`.
// Operations on a control that does not exist do nothing; the value of a
// missing control reads as 0.

#include <cstdint>
#include <functional>
#include <map>
#include <string>

#include "platform/Port.h"

namespace korvane::platform {

// Which part of a control the user acted on.
enum class ControlPart {
  Button,    // a button was clicked
  LineUp,    // scroll bar: the up arrow
  LineDown,  // scroll bar: the down arrow
  PageUp,    // scroll bar: the track above the thumb
  PageDown,  // scroll bar: the track below the thumb
  Thumb,     // scroll bar: the thumb was dragged to a new value
};

class Controls {
 public:
  virtual ~Controls() = default;

  // Makes bevel button `id` in `bounds` with the given title, shown and
  // enabled, value 0, minimum 0 and maximum 1; a button that exists already is
  // moved there and takes the title.
  virtual void MakeBevelButton(int id, Rect bounds, const std::string& title) = 0;
  // The font (a FontId) and size in points of a button's title.
  virtual void SetControlTitleFont(int id, int16_t font, int16_t size) = 0;
  // Makes vertical scroll bar `id` in `bounds` (range 0..0, value 0), or moves it.
  virtual void MakeScrollBar(int id, Rect bounds) = 0;
  virtual void MoveControl(int id, Rect bounds) = 0;
  virtual void ShowControl(int id, bool shown) = 0;
  // Removes the control from its window.
  virtual void CloseControl(int id) = 0;
  virtual bool HasControl(int id) const = 0;

  // A scroll bar's range and page size. A maximum below the minimum is raised
  // to it; the value is brought into the new range.
  virtual void SetScrollBarRange(int id, int minimum, int maximum, int page) = 0;
  // The value, brought into the control's range.
  virtual void SetControlValue(int id, int value) = 0;
  virtual int ControlValue(int id) const = 0;
  // A control's state: active (it takes clicks) or deactivated (dimmed).
  virtual void SetControlActive(int /*id*/, bool /*active*/) {}
  virtual bool ControlActive(int id) const { return HasControl(id); }

  // Called when the user acts on a control (never for what the program sets).
  std::function<void(int id, ControlPart part)> onUserAction;
};

// Controls kept in memory only: the state of every control, nothing drawn.
// A screen without a window uses them, and the test fake builds on them.
class HeadlessControls : public Controls {
 public:
  struct State {
    bool scrollBar = false;
    bool shown = true;
    Rect bounds;
    std::string title;
    int16_t font = 0, size = 0;
    int minimum = 0, maximum = 0, page = 0, value = 0;
    bool active = true;
  };

  void MakeBevelButton(int id, Rect bounds, const std::string& title) override;
  void SetControlTitleFont(int id, int16_t font, int16_t size) override;
  void MakeScrollBar(int id, Rect bounds) override;
  void MoveControl(int id, Rect bounds) override;
  void ShowControl(int id, bool shown) override;
  void CloseControl(int id) override;
  bool HasControl(int id) const override { return controls_.count(id) != 0; }
  void SetScrollBarRange(int id, int minimum, int maximum, int page) override;
  void SetControlValue(int id, int value) override;
  int ControlValue(int id) const override;
  void SetControlActive(int id, bool active) override;
  bool ControlActive(int id) const override;

  // The state of a control, or null when it does not exist.
  const State* Find(int id) const;
  const std::map<int, State>& All() const { return controls_; }

 private:
  State* Get(int id);
  std::map<int, State> controls_;
};

}  // namespace korvane::platform
