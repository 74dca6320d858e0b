#pragma once
// The menu helpers that work on items added at run time, and the Window
// menu's list of session windows: one item per open session window after the
// fixed items, the active window's item checked, and titles that differ from
// one another.
//
// The window behind an item is found by its title: for the item at position
// k (item platform::kWindowMenuFixedItems + k) of window w, the item's text,
// WindowMenuTitles[k] and WindowTitles[w] are equal. Titles are Mac Roman.
// A window's title ends in a two-character status suffix (a blank and a
// connection mark) that its item does not carry; the operations that take a
// window's title drop its last two characters.

#include <array>
#include <string>

#include "platform/Menus.h"
#include "platform/MenuNumbers.h"

namespace korvane {

class WindowMenu {
 public:
  static constexpr int kTableSize = 101;  // window numbers and positions 0..100

  explicit WindowMenu(platform::Menus& menus, int fixedItems = platform::kWindowMenuFixedItems)
      : menus_(menus), FixedWindowMenuItems(fixedItems) {}

  // ---- Menu item helpers ---------------------------------------------------
  int CountMenuItemsOf(int menu) const { return menus_.CountItems(menu); }
  std::string MenuItemText(int menu, int item) const { return menus_.ItemText(menu, item); }
  void DeleteMenuItemOf(int menu, int item) { menus_.DeleteItem(menu, item); }
  // Every item after the fixed ones becomes enabled and unmarked.
  void UncheckAddedItems(int menu);
  // Clears the added items' marks, then checks the first added item whose
  // text equals the title less its last two characters.
  void CheckMenuItemByText(int menu, const std::string& title);
  // "English" or "French" by item 1 of the File menu, else that item's text.
  std::string MenuLanguage() const;

  // ---- The Window menu's session items ----------------------------------------
  // The number of session windows listed.
  int SessionItemCount() const;
  // The title, or the title followed by " [n]", so that it equals no item.
  std::string UniqueWindowTitle(int menu, const std::string& title) const;
  // Appends a session item (enabled, checked) and records it for
  // TitleWindowNumber; returns the title.
  std::string AddWindowMenuItem(int menu, const std::string& title);
  // Every session item carrying the old title (less its suffix) takes the new
  // one (less its suffix) and is checked.
  void RenameWindowMenuItem(const std::string& oldTitle, const std::string& newTitle);
  // Deletes the session item of the title (less its suffix) and unmarks them all.
  void RemoveWindowMenuItem(const std::string& title);
  // Deletes every session item; the tables are left as they are.
  void ClearWindowMenu();

  // The window whose title the item at session position k carries (the last
  // one found), 0 when none.
  int WindowOfItem(int item) const;

  platform::Menus& menus() { return menus_; }

  // Titles per window number and per session position.
  std::array<std::string, kTableSize> WindowTitles;
  std::array<std::string, kTableSize> WindowMenuTitles;
  // The window whose WindowTitles entry the next add, rename or remove writes.
  int TitleWindowNumber = platform::kSessionWindowBase;
  int LastErrorCode = 0;

 private:
  platform::Menus& menus_;

 public:
  const int FixedWindowMenuItems;
};

// A title less its two-character status suffix (empty when shorter).
std::string WithoutStatusSuffix(const std::string& title);

}  // namespace korvane
