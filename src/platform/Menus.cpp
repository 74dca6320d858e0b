#include "platform/Menus.h"

namespace korvane::platform {

MemoryMenus::MemoryMenus(const std::vector<MenuDescription>& menus) {
  for (const auto& m : menus) AddMenu(m);
}

void MemoryMenus::AddMenu(const MenuDescription& menu) { menus_[menu.number] = menu; }

const MenuDescription* MemoryMenus::Find(int menu) const {
  const auto it = menus_.find(menu);
  return it == menus_.end() ? nullptr : &it->second;
}

MenuItem* MemoryMenus::Item(int menu, int item) {
  const auto it = menus_.find(menu);
  if (it == menus_.end() || item < 1 || item > static_cast<int>(it->second.items.size())) return nullptr;
  return &it->second.items[item - 1];
}

const MenuItem* MemoryMenus::Item(int menu, int item) const { return const_cast<MemoryMenus*>(this)->Item(menu, item); }

int MemoryMenus::CountItems(int menu) const {
  const MenuDescription* m = Find(menu);
  return m ? static_cast<int>(m->items.size()) : 0;
}

std::string MemoryMenus::ItemText(int menu, int item) const {
  const MenuItem* i = Item(menu, item);
  return i ? i->text : std::string();
}

bool MemoryMenus::ItemEnabled(int menu, int item) const {
  const MenuItem* i = Item(menu, item);
  return i && i->enabled;
}

bool MemoryMenus::ItemMarked(int menu, int item) const {
  const MenuItem* i = Item(menu, item);
  return i && i->marked;
}

// A change to what an item already is changes nothing, and the window
// system's menus are left as they are.
void MemoryMenus::SetItemText(int menu, int item, const std::string& text) {
  if (MenuItem* i = Item(menu, item); i && i->text != text) {
    i->text = text;
    Changed(menu);
  }
}

void MemoryMenus::EnableItem(int menu, int item, bool enabled) {
  if (MenuItem* i = Item(menu, item); i && i->enabled != enabled) {
    i->enabled = enabled;
    Changed(menu);
  }
}

void MemoryMenus::MarkItem(int menu, int item, bool marked) {
  if (MenuItem* i = Item(menu, item); i && i->marked != marked) {
    i->marked = marked;
    Changed(menu);
  }
}

void MemoryMenus::SetItemKey(int menu, int item, char key, bool alternate) {
  if (MenuItem* i = Item(menu, item); i && (i->shortcut != key || i->alternate != alternate)) {
    i->shortcut = key;
    i->alternate = alternate;
    Changed(menu);
  }
}

char MemoryMenus::ItemKey(int menu, int item) const {
  const MenuItem* i = Item(menu, item);
  return i ? i->shortcut : 0;
}

void MemoryMenus::AppendItem(int menu, const std::string& text) {
  const auto it = menus_.find(menu);
  if (it == menus_.end()) return;
  MenuItem item;
  item.text = text;
  it->second.items.push_back(item);
  Changed(menu);
}

void MemoryMenus::DeleteItem(int menu, int item) {
  const auto it = menus_.find(menu);
  if (it == menus_.end() || item < 1 || item > static_cast<int>(it->second.items.size())) return;
  it->second.items.erase(it->second.items.begin() + (item - 1));
  Changed(menu);
}

}  // namespace korvane::platform
