#pragma once
// The numbered controls of one window: bevel buttons with a title (the
// function-key bar) and scroll bars (the scroll-back view) of a session
// window, and the buttons, check boxes, radio buttons, edit fields, texts,
// pop-up menus and sliders of a dialog window. The program addresses every
// control by its number, as it addresses windows and menus.
//
// A check box or radio button has the value 1 when it is on, 0 when off; a
// pop-up menu's value is the number of its chosen item, from 1 (0: none). The
// texts of fields, labels and titles are Mac Roman. Check boxes and radio
// buttons change their own value when the user clicks them (a radio button
// that was on goes off); the program sets the radio groups.
//
// Values the program sets are never reported back as user actions: only a
// click or a scroll-bar movement by the user reaches `onUserAction`.
// Operations on a control that does not exist do nothing; the value of a
// missing control reads as 0.

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

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

// What a control is. Session windows make bevel buttons and scroll bars at
// run time; dialog windows get the rest from the interface description.
enum class ControlKind {
  BevelButton,
  ScrollBar,
  PushButton,
  CheckBox,
  RadioButton,
  EditText,    // a field the user types into
  StaticText,  // a text the program may change
  PopupMenu,
  Slider,
  ImageWell,  // a picture laid over a session window's text
};

// The selected characters of an edit field, as offsets from 0; start == end
// is the insertion point.
struct TextSelection {
  int start = 0, end = 0;
  friend bool operator==(const TextSelection&, const TextSelection&) = default;
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

  // ---- Image wells ------------------------------------------------------------
  // Makes image well `id` in `bounds`, empty, or moves it there. Clicks pass
  // through it to the window.
  virtual void MakeImageWell(int id, Rect bounds) = 0;
  // Shows the picture file at `path` in image well `id`, scaled to the
  // well's size. False, with the well left empty, when the file cannot be
  // read as a picture (or there is no such well).
  virtual bool SetImageWellPicture(int id, const std::string& path) = 0;

  // ---- Dialog controls ------------------------------------------------------
  // The kind of control `id`; false when there is none.
  virtual bool KindOf(int id, ControlKind& kind) const = 0;
  // The text of an edit field or static text, the title of a button, check
  // box or radio button, or the chosen item of a pop-up menu.
  virtual void SetControlText(int id, const std::string& text) = 0;
  virtual std::string ControlText(int id) const = 0;
  // The items of a pop-up menu; its value is brought into the new range.
  virtual void SetPopupItems(int id, const std::vector<std::string>& items) = 0;
  // The selection of an edit field (brought into its text).
  virtual void SetTextSelection(int id, TextSelection selection) = 0;
  virtual TextSelection ControlTextSelection(int id) const = 0;
  // The control that has the keyboard focus in the window, 0 for none (or a
  // control without a number).
  virtual int FocusedControlNumber() const = 0;
  // Gives control `id` the keyboard focus (0: no control has it).
  virtual void SetKeyboardFocus(int id) = 0;

  // Called when the user acts on a control (never for what the program sets).
  std::function<void(int id, ControlPart part)> onUserAction;
};

// Controls kept in memory only: the state of every control, nothing drawn.
// A screen without a window uses them, and the test fake builds on them.
class HeadlessControls : public Controls {
 public:
  struct State {
    ControlKind kind = ControlKind::BevelButton;
    bool scrollBar = false;
    bool shown = true;
    Rect bounds;
    std::string title;
    int16_t font = 0, size = 0;
    int minimum = 0, maximum = 0, page = 0, value = 0;
    bool active = true;
    std::string text;                // edit field or static text
    std::vector<std::string> items;  // pop-up menu
    TextSelection selection;
    std::string picture;  // image well: the file it shows
  };

  // Makes a dialog control of the given kind (value 0, range 0..1 for check
  // boxes and radio buttons, 0..item count for pop-up menus).
  void MakeControl(int id, ControlKind kind, const std::string& title, const std::vector<std::string>& items = {});

  void MakeBevelButton(int id, Rect bounds, const std::string& title) override;
  void SetControlTitleFont(int id, int16_t font, int16_t size) override;
  void MakeScrollBar(int id, Rect bounds) override;
  void MakeImageWell(int id, Rect bounds) override;
  // Keeps the file's name; nothing is drawn, so any name of a well counts
  // as shown.
  bool SetImageWellPicture(int id, const std::string& path) override;
  void MoveControl(int id, Rect bounds) override;
  void ShowControl(int id, bool shown) override;
  void CloseControl(int id) override;
  bool HasControl(int id) const override { return controls_.count(id) != 0; }
  void SetScrollBarRange(int id, int minimum, int maximum, int page) override;
  void SetControlValue(int id, int value) override;
  int ControlValue(int id) const override;
  void SetControlActive(int id, bool active) override;
  bool ControlActive(int id) const override;
  bool KindOf(int id, ControlKind& kind) const override;
  void SetControlText(int id, const std::string& text) override;
  std::string ControlText(int id) const override;
  void SetPopupItems(int id, const std::vector<std::string>& items) override;
  void SetTextSelection(int id, TextSelection selection) override;
  TextSelection ControlTextSelection(int id) const override;
  int FocusedControlNumber() const override { return focused_; }
  void SetKeyboardFocus(int id) override;

  // The state of a control, or null when it does not exist.
  const State* Find(int id) const;
  const std::map<int, State>& All() const { return controls_; }

 private:
  State* Get(int id);
  std::map<int, State> controls_;
  int focused_ = 0;
};

}  // namespace korvane::platform
