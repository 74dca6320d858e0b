#include "windows/WindowMenu.h"

#include <cctype>

namespace korvane {

namespace {

bool EndsWithBracket(const std::string& s) { return !s.empty() && s.back() == ']'; }

// The number in a " [d]" or " [dd]" ending, read as the menu always has: one
// or two characters before the "]" after a "["; 0 when they hold no number.
// -1 when the text has neither form.
int BracketNumber(const std::string& s) {
  if (!EndsWithBracket(s)) return -1;
  const int len = static_cast<int>(s.size());
  auto at = [&](int pos) { return s[static_cast<size_t>(std::max(pos, 1) - 1)]; };  // 1-based, below 1 reads as 1
  std::string digits;
  bool found = false;
  if (at(len - 2) == '[') {
    digits = std::string(1, at(len - 1));
    found = true;
  }
  if (at(len - 3) == '[') {
    digits = std::string(1, at(len - 2)) + at(len - 1);
    found = true;
  }
  if (!found) return -1;
  int n = 0;
  for (char c : digits) {
    if (!std::isdigit(static_cast<unsigned char>(c))) break;
    n = n * 10 + (c - '0');
  }
  return n;
}

// The candidate without the " [digits]" it ends in, or without its last
// `width` characters when it ends in "]" some other way.
std::string DropSuffix(const std::string& candidate, size_t width) {
  const size_t open = candidate.rfind(" [");
  if (open != std::string::npos && candidate.size() - open > 3) {
    bool digits = true;
    for (size_t i = open + 2; i + 1 < candidate.size(); ++i)
      if (!std::isdigit(static_cast<unsigned char>(candidate[i]))) digits = false;
    if (digits) return candidate.substr(0, open);
  }
  return candidate.size() > width ? candidate.substr(0, candidate.size() - width) : std::string();
}

}  // namespace

std::string WithoutStatusSuffix(const std::string& title) {
  return title.size() < 2 ? std::string() : title.substr(0, title.size() - 2);
}

void WindowMenu::UncheckAddedItems(int menu) {
  const int count = menus_.CountItems(menu);
  for (int i = FixedWindowMenuItems + 1; i <= count; ++i) {
    menus_.EnableItem(menu, i, true);
    menus_.MarkItem(menu, i, false);
  }
}

void WindowMenu::CheckMenuItemByText(int menu, const std::string& title) {
  UncheckAddedItems(menu);
  const int count = menus_.CountItems(menu);
  if (count == 0) return;
  const std::string key = WithoutStatusSuffix(title);
  for (int i = FixedWindowMenuItems + 1; i <= count; ++i) {
    if (menus_.ItemText(menu, i) == key) {
      UncheckAddedItems(menu);
      menus_.EnableItem(menu, i, true);
      menus_.MarkItem(menu, i, true);
      return;
    }
  }
}

std::string WindowMenu::MenuLanguage() const {
  std::string text = menus_.ItemText(platform::kFileMenu, 1);
  if (text == "New Session Window") text = "English";
  // "Nouvelle fen\x90tre de session" is the French text in Mac Roman.
  if (text == "Nouvelle fen\x90tre de session") text = "French";
  return text;
}

int WindowMenu::SessionItemCount() const {
  return std::max(0, menus_.CountItems(platform::kWindowMenu) - FixedWindowMenuItems);
}

std::string WindowMenu::UniqueWindowTitle(int menu, const std::string& title) const {
  const int count = menus_.CountItems(menu);
  if (count == 0) return title;
  int n = 2;
  for (int i = FixedWindowMenuItems; i <= count; ++i) {
    const int value = BracketNumber(menus_.ItemText(menu, i));
    if (value > n) n = value;
  }
  const size_t width = n <= 9 ? 4 : 5;
  // The same numbering as a single pass gives; a pass is repeated until it
  // changes nothing, since a number given at one item can equal an item the
  // pass has already gone by.
  std::string candidate = title;
  for (bool changed = true; changed;) {
    changed = false;
    for (int i = FixedWindowMenuItems; i <= count; ++i) {
      if (menus_.ItemText(menu, i) != candidate) continue;
      if (EndsWithBracket(candidate)) candidate = DropSuffix(candidate, width);
      candidate += " [" + std::to_string(n) + "]";
      ++n;
      changed = true;
    }
  }
  return candidate;
}

std::string WindowMenu::AddWindowMenuItem(int menu, const std::string& title) {
  if (!menus_.HasMenu(menu)) return title;
  const int p = menus_.CountItems(menu) + 1;
  menus_.AppendItem(menu, title);
  menus_.EnableItem(menu, p, true);
  menus_.MarkItem(menu, p, true);
  if (TitleWindowNumber >= 0 && TitleWindowNumber < kTableSize) WindowTitles[TitleWindowNumber] = title;
  const int k = p - FixedWindowMenuItems;
  if (k >= 1 && k < kTableSize) WindowMenuTitles[k] = title;
  return title;
}

void WindowMenu::RenameWindowMenuItem(const std::string& oldTitle, const std::string& newTitle) {
  LastErrorCode = 0;
  const std::string oldText = WithoutStatusSuffix(oldTitle);
  const std::string newText = WithoutStatusSuffix(newTitle);
  const int sessions = SessionItemCount();
  for (int k = 1; k <= sessions; ++k) {
    const int item = FixedWindowMenuItems + k;
    if (menus_.ItemText(platform::kWindowMenu, item) != oldText) continue;
    menus_.SetItemText(platform::kWindowMenu, item, newText);
    menus_.EnableItem(platform::kWindowMenu, item, true);
    menus_.MarkItem(platform::kWindowMenu, item, true);
    if (TitleWindowNumber >= 0 && TitleWindowNumber < kTableSize) WindowTitles[TitleWindowNumber] = newText;
    if (k < kTableSize) WindowMenuTitles[k] = newText;
  }
}

void WindowMenu::RemoveWindowMenuItem(const std::string& title) {
  const std::string text = WithoutStatusSuffix(title);
  const int sessions = SessionItemCount();
  if (sessions == 0) return;
  if (TitleWindowNumber >= 0 && TitleWindowNumber < kTableSize) WindowTitles[TitleWindowNumber].clear();
  for (int k = 1; k <= sessions; ++k) {
    const int item = FixedWindowMenuItems + k;
    if (item <= menus_.CountItems(platform::kWindowMenu) && menus_.ItemText(platform::kWindowMenu, item) == text)
      menus_.DeleteItem(platform::kWindowMenu, item);
  }
  const int left = SessionItemCount();
  for (int k = 1; k <= left && k < kTableSize; ++k)
    WindowMenuTitles[k] = menus_.ItemText(platform::kWindowMenu, FixedWindowMenuItems + k);
  if (left + 1 < kTableSize) WindowMenuTitles[left + 1].clear();
  UncheckAddedItems(platform::kWindowMenu);
}

void WindowMenu::ClearWindowMenu() {
  for (int item = menus_.CountItems(platform::kWindowMenu); item > FixedWindowMenuItems; --item)
    menus_.DeleteItem(platform::kWindowMenu, item);
}

int WindowMenu::WindowOfItem(int item) const {
  const int k = item - FixedWindowMenuItems;
  if (k < 1 || k >= kTableSize) return 0;
  int found = 0;
  static_assert(platform::kSessionWindowBase + platform::kMaxSessionWindows <= kTableSize);
  for (int w = platform::kSessionWindowBase; w < platform::kSessionWindowBase + platform::kMaxSessionWindows; ++w)
    if (!WindowTitles[w].empty() && WindowTitles[w] == WindowMenuTitles[k]) found = w;
  return found;
}

}  // namespace korvane
