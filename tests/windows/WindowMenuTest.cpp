// The Window menu's session items: unique titles, adding, renaming and
// removing items with their title tables, and the check mark.

#include <gtest/gtest.h>

#include "windows/WindowMenu.h"

namespace korvane {
namespace {

// A menu bar with the File menu and the Window menu's fixed items.
struct TestMenu {
  platform::MemoryMenus menus;
  WindowMenu menu{menus};

  TestMenu() {
    platform::MenuDescription file{platform::kFileMenu, "File", {{"New Session Window"}}};
    platform::MenuDescription window{platform::kWindowMenu, "Window", {}};
    for (int i = 1; i <= platform::kWindowMenuFixedItems; ++i) window.items.push_back({"Fixed " + std::to_string(i)});
    menus.AddMenu(file);
    menus.AddMenu(window);
  }
  void Items(const std::vector<std::string>& titles) {
    for (size_t i = 0; i < titles.size(); ++i) {
      menu.TitleWindowNumber = platform::kSessionWindowBase + static_cast<int>(i);
      menu.AddWindowMenuItem(platform::kWindowMenu, titles[i]);
    }
  }
  std::vector<std::string> SessionItems() const {
    std::vector<std::string> out;
    for (int i = platform::kWindowMenuFixedItems + 1; i <= menus.CountItems(platform::kWindowMenu); ++i)
      out.push_back(menus.ItemText(platform::kWindowMenu, i));
    return out;
  }
  std::vector<int> Marked() const {
    std::vector<int> out;
    for (int i = 1; i <= menus.CountItems(platform::kWindowMenu); ++i)
      if (menus.ItemMarked(platform::kWindowMenu, i)) out.push_back(i);
    return out;
  }
};

class WindowMenuTest : public ::testing::Test, public TestMenu {};

struct UniqueCase {
  std::vector<std::string> items;
  std::string title, expected;
};

TEST_F(WindowMenuTest, UniqueTitlesTakeTheNextNumberSharedByAllItems) {
  const UniqueCase cases[] = {
      {{"T"}, "T", "T [2]"},
      {{"T", "T [2]", "T [3]"}, "T", "T [4]"},
      {{"T", "U [7]"}, "T", "T [7]"},
      {{"T", "T [12]"}, "T", "T [13]"},
      {{"T [2]", "T [3]"}, "T", "T"},
      {{"T [100]", "T"}, "T", "T [2]"},
      {{"T"}, "X]", "X]"},
      {{}, "T", "T"},
      // A number handed out at one item can equal an item the pass has gone
      // by: the pass is repeated, and no title is ever given twice.
      {{"T [2]", "T"}, "T", "T [3]"},
      {{"X [5]"}, "X [5]", "X [6]"},
      {{"T [9]", "T"}, "T", "T [10]"},
  };
  for (const auto& c : cases) {
    TestMenu fresh;
    fresh.Items(c.items);
    EXPECT_EQ(fresh.menu.UniqueWindowTitle(platform::kWindowMenu, c.title), c.expected) << c.title;
  }
}

TEST_F(WindowMenuTest, AnItemCarriesItsTitleInBothTablesAndTheCheckMark) {
  menu.TitleWindowNumber = 50;
  EXPECT_EQ(menu.AddWindowMenuItem(platform::kWindowMenu, "Korvane\xAA"), "Korvane\xAA");
  EXPECT_EQ(SessionItems(), std::vector<std::string>{"Korvane\xAA"});
  EXPECT_EQ(menu.WindowMenuTitles[1], "Korvane\xAA");
  EXPECT_EQ(menu.WindowTitles[50], "Korvane\xAA");
  EXPECT_EQ(Marked(), std::vector<int>{18});
  EXPECT_EQ(menu.WindowOfItem(18), 50);
}

TEST_F(WindowMenuTest, RenamingDropsTheStatusSuffixAndMarksTheItem) {
  Items({"A", "B"});
  menu.UncheckAddedItems(platform::kWindowMenu);
  menu.TitleWindowNumber = 49;
  menu.RenameWindowMenuItem("B \xA5", "C  ");
  EXPECT_EQ(SessionItems(), (std::vector<std::string>{"A", "C"}));
  EXPECT_EQ(menu.WindowTitles[49], "C");
  EXPECT_EQ(menu.WindowMenuTitles[2], "C");
  EXPECT_EQ(Marked(), std::vector<int>{19});
  // The same title as both arguments only marks the item again.
  menu.UncheckAddedItems(platform::kWindowMenu);
  menu.RenameWindowMenuItem("C  ", "C  ");
  EXPECT_EQ(SessionItems(), (std::vector<std::string>{"A", "C"}));
  EXPECT_EQ(Marked(), std::vector<int>{19});
}

TEST_F(WindowMenuTest, RemovingTheMiddleItemKeepsTheTablesInStepAndUnmarksAll) {
  Items({"A", "B", "C"});
  menu.TitleWindowNumber = 49;
  menu.RemoveWindowMenuItem("B  ");
  EXPECT_EQ(SessionItems(), (std::vector<std::string>{"A", "C"}));
  EXPECT_EQ(menu.WindowMenuTitles[1], "A");
  EXPECT_EQ(menu.WindowMenuTitles[2], "C");
  EXPECT_EQ(menu.WindowMenuTitles[3], "");
  EXPECT_EQ(menu.WindowTitles[49], "");
  EXPECT_TRUE(Marked().empty());
  // The item of window 50 is now found at its new place.
  EXPECT_EQ(menu.WindowOfItem(19), 50);
}

TEST_F(WindowMenuTest, RemovingFromAMenuWithoutSessionItemsChangesNothing) {
  menu.WindowTitles[48] = "kept";
  menu.TitleWindowNumber = 48;
  menu.RemoveWindowMenuItem("kept  ");
  EXPECT_EQ(menu.WindowTitles[48], "kept");
  EXPECT_EQ(menus.CountItems(platform::kWindowMenu), platform::kWindowMenuFixedItems);
}

TEST_F(WindowMenuTest, ClearingLeavesTheFixedItemsAndTheTables) {
  Items({"A", "B"});
  menu.ClearWindowMenu();
  EXPECT_EQ(menus.CountItems(platform::kWindowMenu), platform::kWindowMenuFixedItems);
  EXPECT_EQ(menu.WindowMenuTitles[2], "B");
}

TEST_F(WindowMenuTest, CheckingByTextMarksTheFirstEqualItemOnly) {
  menus.MarkItem(platform::kWindowMenu, 3, true);
  Items({"A", "B", "B"});
  menu.CheckMenuItemByText(platform::kWindowMenu, "B \xC5");
  EXPECT_EQ(Marked(), (std::vector<int>{3, 19}));
  menu.CheckMenuItemByText(platform::kWindowMenu, "Z  ");
  EXPECT_EQ(Marked(), std::vector<int>{3});
  // A one-character title is compared as the empty text.
  menu.CheckMenuItemByText(platform::kWindowMenu, "A");
  EXPECT_EQ(Marked(), std::vector<int>{3});
}

TEST_F(WindowMenuTest, TheMenuLanguageComesFromTheFirstItemOfTheFileMenu) {
  const std::pair<std::string, std::string> cases[] = {
      {"New Session Window", "English"},
      {"Nouvelle fen\x90tre de session", "French"},
      {"Neues Sitzungsfenster", "Neues Sitzungsfenster"},
  };
  for (const auto& [text, language] : cases) {
    menus.SetItemText(platform::kFileMenu, 1, text);
    EXPECT_EQ(menu.MenuLanguage(), language);
  }
}

}  // namespace
}  // namespace korvane
