#pragma once
// The program's interface description, read from one data file at start-up:
// the menu bar (menus and items with their numbers) and the dialog windows
// (by name, with their numbered controls). The program addresses everything
// by number; the file decides texts and layout.
//
// A dialog window is either laid out by the window system from a tree of
// rows, columns, grids and groups (so that it fits the texts of every
// language), or placed by the rectangles of its controls.

#include <string>
#include <vector>

#include "platform/Menus.h"
#include "platform/Port.h"

namespace korvane::platform {

struct ControlDescription {
  int number = 0;  // 0: a caption the program never addresses
  // "button", "checkbox", "radio", "text" (an edit field), "label" (a text),
  // "popup" (a pop-up menu) or "slider".
  std::string kind;
  std::string title;               // Mac Roman
  Rect bounds;                     // where the window has no layout
  std::vector<std::string> items;  // a pop-up menu's items, Mac Roman
  int chars = 0;           // an edit field's or text's width in average characters (0: as wide as it is laid out)
  int lines = 1;           // the lines of text a field or text shows
  bool password = false;   // an edit field whose characters are not shown
  bool takesFocus = true;  // false: a click leaves the keyboard focus (and a field's selection) where it is
  bool hidden = false;
  bool wrap = false;        // a text that breaks into lines at its width
  bool monospaced = false;  // an edit field of key codes, shown in the screen's font
  bool isDefault = false;   // the button Return presses
  bool heading = false;     // a text in a larger, bold face
};

// One node of a window's layout.
struct LayoutNode {
  enum class Kind { Column, Row, Grid, Group, Control, Stretch, Spacing };
  Kind kind = Kind::Column;
  std::string title;  // Group: the group's title (Mac Roman)
  int control = -1;   // Control: the index of the control in the window's list
  int size = 0;       // Spacing: pixels
  int columns = 0;    // Grid: cells per row
  // Column, Row, Group: the contents in order. Grid: the cells row by row,
  // `columns` to a row; a Spacing of size 0 leaves a cell empty.
  std::vector<LayoutNode> children;
};

struct WindowDescription {
  std::string name;           // the name the program opens it by
  std::string title;          // Mac Roman
  int width = 0, height = 0;  // without a layout: the content size
  std::vector<ControlDescription> controls;
  bool hasLayout = false;
  LayoutNode layout;

  const ControlDescription* FindControl(int number) const {
    if (number == 0) return nullptr;
    for (const auto& c : controls)
      if (c.number == number) return &c;
    return nullptr;
  }
};

struct InterfaceDescription {
  // The menus of the menu bar, left to right; submenus are among `menus` but
  // hang at an item instead of the bar.
  std::vector<int> menuBar;
  std::vector<MenuDescription> menus;
  std::vector<WindowDescription> windows;

  const WindowDescription* FindWindow(const std::string& name) const {
    for (const auto& w : windows)
      if (w.name == name) return &w;
    return nullptr;
  }
  const MenuDescription* FindMenu(int number) const {
    for (const auto& m : menus)
      if (m.number == number) return &m;
    return nullptr;
  }
};

// Puts every text the user sees (menu titles and items, window titles,
// control titles, captions and pop-up items) through `localise`.
template <typename Localise>
void LocaliseDescription(InterfaceDescription& d, Localise&& localise) {
  for (auto& menu : d.menus) {
    menu.title = localise(menu.title);
    for (auto& item : menu.items) item.text = localise(item.text);
  }
  for (auto& window : d.windows) {
    window.title = localise(window.title);
    for (auto& control : window.controls) {
      if (!control.title.empty()) control.title = localise(control.title);
      for (auto& item : control.items) item = localise(item);
    }
    struct Walk {
      Localise& f;
      void operator()(LayoutNode& n) {
        if (!n.title.empty()) n.title = f(n.title);
        for (auto& child : n.children) (*this)(child);
      }
    };
    Walk{localise}(window.layout);
  }
}

}  // namespace korvane::platform
