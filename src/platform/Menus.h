#pragma once
// The menu bar: numbered menus whose items are addressed by their number,
// counted from 1 (a separator counts as an item). Item texts are Mac Roman
// and always taken literally. The program changes texts, check marks and
// enabled states, and adds and deletes items at the end of a menu (the
// Window menu's session windows, the serial ports).
//
// Operations on a menu or item that does not exist do nothing; reading one
// gives 0, false or the empty text.

#include <map>
#include <string>
#include <vector>

namespace korvane::platform {

struct MenuItem {
  std::string text;  // Mac Roman
  bool enabled = true;
  bool marked = false;  // the check mark
  bool separator = false;
  char shortcut = 0;       // a letter or digit: the item's key (Ctrl+Shift+key), 0 none
  bool alternate = false;  // the key is used with Alt as well (the Mac's Option keys)
  int submenu = 0;         // the number of the menu hanging at this item, 0 none
};

struct MenuDescription {
  int number = 0;
  std::string title;            // Mac Roman
  std::vector<MenuItem> items;  // item n is items[n - 1]
};

class Menus {
 public:
  virtual ~Menus() = default;
  virtual bool HasMenu(int menu) const = 0;
  virtual int CountItems(int menu) const = 0;
  virtual std::string ItemText(int menu, int item) const = 0;
  virtual bool ItemEnabled(int menu, int item) const = 0;
  virtual bool ItemMarked(int menu, int item) const = 0;
  virtual void SetItemText(int menu, int item, const std::string& text) = 0;
  virtual void EnableItem(int menu, int item, bool enabled) = 0;
  virtual void MarkItem(int menu, int item, bool marked) = 0;
  // The item's key (a letter or digit, used with Ctrl+Shift, and Alt as well
  // when `alternate`); 0 takes it away.
  virtual void SetItemKey(int menu, int item, char key, bool alternate = false) = 0;
  virtual char ItemKey(int menu, int item) const = 0;
  // Appends an enabled, unmarked item.
  virtual void AppendItem(int menu, const std::string& text) = 0;
  // Deletes an item; the items after it move up by one.
  virtual void DeleteItem(int menu, int item) = 0;
};

// Menus kept in memory. The Qt menu bar mirrors them; tests use them as they
// are.
class MemoryMenus : public Menus {
 public:
  MemoryMenus() = default;
  explicit MemoryMenus(const std::vector<MenuDescription>& menus);

  void AddMenu(const MenuDescription& menu);
  const MenuDescription* Find(int menu) const;

  bool HasMenu(int menu) const override { return Find(menu) != nullptr; }
  int CountItems(int menu) const override;
  std::string ItemText(int menu, int item) const override;
  bool ItemEnabled(int menu, int item) const override;
  bool ItemMarked(int menu, int item) const override;
  void SetItemText(int menu, int item, const std::string& text) override;
  void EnableItem(int menu, int item, bool enabled) override;
  void MarkItem(int menu, int item, bool marked) override;
  void SetItemKey(int menu, int item, char key, bool alternate = false) override;
  char ItemKey(int menu, int item) const override;
  void AppendItem(int menu, const std::string& text) override;
  void DeleteItem(int menu, int item) override;

 protected:
  // A menu's items have changed (the Qt menus bring their actions in line).
  virtual void Changed(int /*menu*/) {}
  MenuItem* Item(int menu, int item);
  const MenuItem* Item(int menu, int item) const;

 private:
  std::map<int, MenuDescription> menus_;
};

}  // namespace korvane::platform
