// No menu item is inert: every item the program's interface description
// offers has a handler, has its French text, and, chosen in a running
// session while it is enabled, does something the user or the host can see
// (a change of the settings, the screen, the windows, the menus, a request
// to another part of the program, a message, a sound, a byte to the host).

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>

#include "app/MenuFixture.h"
#include "emulation/EmulationFlags.h"
#include "platform/CharMap.h"
#include "ui/menus/MenuDispatcher.h"

namespace korvane::testing {
namespace {

struct MenuItemRef {
  int menu, item;
  std::string text;
};

void PrintTo(const MenuItemRef& i, std::ostream* os) { *os << "menu " << i.menu << " item " << i.item; }

// Every item that can be chosen: no separator, no item that only opens a
// submenu.
std::vector<MenuItemRef> OfferedItems() {
  std::vector<MenuItemRef> out;
  for (const platform::MenuDescription& m : ProgramInterface().menus)
    for (size_t i = 0; i < m.items.size(); ++i) {
      const platform::MenuItem& item = m.items[i];
      if (item.separator || item.submenu != 0) continue;
      out.push_back({m.number, static_cast<int>(i) + 1, item.text});
    }
  // The serial ports the serial-port menu lists at run time.
  out.push_back({platform::kSerialPortMenu, 1, "a serial port"});
  return out;
}

TEST(MenuHandlers, EveryItemOfTheInterfaceDescriptionHasAHandler) {
  const std::vector<MenuItemRef> items = OfferedItems();
  ASSERT_GT(items.size(), 140u);
  for (const MenuItemRef& i : items)
    EXPECT_TRUE(ui::MenuDispatcher::HasHandler(i.menu, i.item))
        << "menu " << i.menu << " item " << i.item << " \"" << i.text << "\"";
  // Separators and numbers past a menu's end have none.
  EXPECT_FALSE(ui::MenuDispatcher::HasHandler(platform::kFileMenu, 2));
  EXPECT_FALSE(ui::MenuDispatcher::HasHandler(platform::kHelpMenu, 7));
  EXPECT_FALSE(ui::MenuDispatcher::HasHandler(platform::kEmulateMenu, 27));
}

TEST(MenuHandlers, EveryMenuTextHasItsFrenchText) {
  std::ifstream in(KORVANE_RESOURCES "/strings/fr.txt");
  std::map<std::string, std::string> french;
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    const size_t tab = line.find('\t');
    if (tab != std::string::npos) french[platform::MacRomanFromUtf8(line.substr(0, tab))] = line.substr(tab + 1);
  }
  for (const platform::MenuDescription& m : ProgramInterface().menus) {
    EXPECT_TRUE(french.count(m.title)) << m.title;
    for (const platform::MenuItem& item : m.items) {
      // Numbers (the serial rates) read the same in both languages.
      if (item.separator || item.text.find_first_not_of("0123456789") == std::string::npos) continue;
      EXPECT_TRUE(french.count(item.text)) << "menu " << m.number << ": \"" << item.text << "\"";
    }
  }
}

// What the port drew; a flush alone draws nothing.
size_t DrawnCalls(const fakes::FakeWindows::Window& w) {
  if (!w.port) return 0;
  return static_cast<size_t>(
      std::count_if(w.port->calls.begin(), w.port->calls.end(), [](const auto& call) { return call.op != "Flush"; }));
}

// What a user or a host could notice of the program, in one text.
class EveryItem : public MenuFixture, public ::testing::WithParamInterface<MenuItemRef> {
 protected:
  std::string Observed() {
    std::ostringstream o;
    o << "alerts " << alerts.shown.size() << " beeps " << sounds.beeps << " sounds " << sounds.played.size()
      << " desktop " << desktop.files.size() << "/" << desktop.urls.size() << " finished " << app->Finished()
      << " quit " << int{app->flags.QuitFlag} << " open " << int{app->requests.RequestOpenConnection} << " select "
      << app->WindowSelectRequest << " children " << processes.starts.size() << "\n";
    for (const auto& [n, rec] : services.recorded) o << "calls " << n << " " << rec->calls.size() << "\n";
    for (const auto& [n, w] : windows.windows)
      o << "window " << n << " " << w.title << " " << w.shown << w.fullScreen << " " << w.opacity << " "
        << (w.port ? w.port->Width() : 0) << "x" << (w.port ? w.port->Height() : 0) << " drawn " << DrawnCalls(w)
        << "\n";
    o << "front " << windows.FrontWindow() << "\n";
    for (const auto& [path, bytes] : files.files)
      o << "file " << path << " " << std::hash<std::string>{}(bytes) << "\n";
    for (const fakes::MemoryLink* link : processes.links) o << "link " << link->written << " " << link->closed << "\n";
    for (const int n : app->windows.Numbers()) {
      SessionWindow& w = *app->windows.Find(n);
      Session& s = w.session;
      o << "session " << n << " changed " << s.window.SettingsChanged << " hold " << s.input.HoldOutput << " plain "
        << s.input.PlainTextMode << " view " << s.screen.ScrollBackViewLine << " rows " << s.screen.ScreenRows
        << " cols " << s.screen.ScreenCols << " columns " << s.screen.ColumnsSetting << "\n";
      for (const std::string& line : w.settings.WriteFkeysAndSettings(true)) o << line << "\n";
    }
    for (const platform::MenuDescription& m : description.menus)
      for (int i = 1; i <= menus.CountItems(m.number); ++i)
        o << "item " << m.number << "." << i << " " << menus.ItemText(m.number, i) << " "
          << menus.ItemEnabled(m.number, i) << menus.ItemMarked(m.number, i) << "\n";
    return o.str();
  }
};

// Items dimmed in a plain local session, and what the user does first to
// have them enabled.
std::vector<std::pair<int, int>> PreparationFor(int menu, int item) {
  if (menu == platform::kPortSettingsMenu && item <= 11) return {{platform::kConnectionMenu, 5}};  // a serial line
  if (menu == platform::kWindowMenu && item == 9) return {{platform::kWindowMenu, 10}};            // the wide layout
  if (menu == platform::kWindowMenu && (item == 16 || item == 17)) return {{platform::kFileMenu, 1}};  // two windows
  if (menu == platform::kHostControlMenu && item == 3) return {{platform::kHostControlMenu, 2}};       // a held host
  if (menu == platform::kFileMenu && item == 23) return {{platform::kConnectionMenu, 7}};              // telnet
  return {};
}

TEST_P(EveryItem, ChosenWhileEnabledDoesSomethingTheUserOrTheHostCanSee) {
  const MenuItemRef& item = GetParam();
  StartLocalWith([](SessionOptions& o) {
    SetEmulationFlags(EmulationKind::Vt100, o);
    o.TelnetHost = "host.example";
  });
  // Text above the screen, so that the scroll-back has pages.
  std::string lines;
  for (int i = 1; i <= 60; ++i) lines += "line " + std::to_string(i) + "\r\n";
  LinkOf(48).Feed(lines);
  Turns(4);
  for (const auto& [menu, first] : PreparationFor(item.menu, item.item)) Choose(menu, first, 3);
  // Only Show Session Window waits for a window that is not shown.
  if (item.menu == platform::kFileMenu && item.item == 4) {
    EXPECT_FALSE(menus.ItemEnabled(item.menu, item.item));
    GTEST_SKIP() << "dimmed while the session window is shown";
  }
  ASSERT_TRUE(menus.ItemEnabled(item.menu, item.item));
  const std::string before = Observed();
  Choose(item.menu, item.item, 3);
  const std::string after = Observed();
  if (std::getenv("KORVANE_SHOW_OBSERVED")) std::printf("%s\n----\n%s\n", before.c_str(), after.c_str());
  EXPECT_NE(after, before) << "menu " << item.menu << " item " << item.item << " \"" << item.text
                           << "\" changed nothing";
}

INSTANTIATE_TEST_SUITE_P(InterfaceDescription, EveryItem, ::testing::ValuesIn(OfferedItems()), [](const auto& p) {
  return "Menu" + std::to_string(p.param.menu) + "Item" + std::to_string(p.param.item);
});

}  // namespace
}  // namespace korvane::testing
