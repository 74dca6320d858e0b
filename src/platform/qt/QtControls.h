#pragma once
// The numbered controls of a window on Qt: bevel buttons are QPushButtons and
// scroll bars are vertical QScrollBars, children of the window's widget and
// placed by absolute geometry over its back buffer. A dialog window's
// controls are the widgets made from the interface description, adopted
// here under their numbers: push buttons, check boxes, radio buttons, line
// edits, labels, combo boxes and sliders. Image wells are labels that show a
// picture over the window's text.
//
// Values the program sets go in with the widget's signals blocked, and user
// actions are taken only from a button's click and a scroll bar's
// actionTriggered, which Qt emits for the user alone: a value the program sets
// never comes back as a user action.

#include <QPointer>
#include <QWidget>
#include <map>

#include "platform/Controls.h"

class QAbstractButton;
class QScrollBar;

namespace korvane::platform {

class QtControls final : public Controls {
 public:
  explicit QtControls(QWidget* parent);
  ~QtControls() override;

  void MakeBevelButton(int id, Rect bounds, const std::string& title) override;
  void SetControlTitleFont(int id, int16_t font, int16_t size) override;
  void MakeScrollBar(int id, Rect bounds) override;
  // An image well is a label that shows the picture scaled to its size.
  void MakeImageWell(int id, Rect bounds) override;
  bool SetImageWellPicture(int id, const std::string& path) override;
  void MoveControl(int id, Rect bounds) override;
  void ShowControl(int id, bool shown) override;
  void CloseControl(int id) override;
  bool HasControl(int id) const override;
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
  int FocusedControlNumber() const override;
  void SetKeyboardFocus(int id) override;

  // Takes a widget the window code made as control `id`. The widget stays
  // the window's; the controls only address it.
  void Adopt(int id, ControlKind kind, QWidget* widget);

  // The widget of a control, or null (for the window code and tests).
  QWidget* Widget(int id) const;
  // The number a widget carries as one of the program's controls; 0 for a
  // widget that is none (one the window system added, a caption).
  static int RuntimeControlNumber(const QWidget* widget);

 private:
  QScrollBar* ScrollBar(int id) const;
  void Forget(int id);

  QPointer<QWidget> parent_;
  std::map<int, QPointer<QWidget>> widgets_;
  std::map<int, ControlKind> kinds_;
  // Adopted widgets belong to their window, which deletes them.
  std::map<int, bool> adopted_;
};

}  // namespace korvane::platform
