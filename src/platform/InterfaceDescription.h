#pragma once
// The program's interface description, read from one data file at start-up:
// the menu bar (menus and items with their numbers) and the dialog windows
// (by name, with their numbered controls). The program addresses everything
// by number; the file decides texts and layout.

#include <string>
#include <vector>

#include "platform/Menus.h"
#include "platform/Port.h"

namespace korvane::platform {

struct ControlDescription {
  int number = 0;
  // "button", "checkbox", "radio", "text" (an edit field), "label", "popup".
  std::string kind;
  std::string title;  // Mac Roman
  Rect bounds;
};

struct WindowDescription {
  std::string name;   // the name the program opens it by
  std::string title;  // Mac Roman
  int width = 0, height = 0;
  std::vector<ControlDescription> controls;
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

}  // namespace korvane::platform
