// The settings windows and their numbered controls as the interface
// description holds them: every window and control the dialog handler acts
// on exists with its kind, every control a user can act on reaches the
// handler, and the handler addresses no control its window lacks.

#include <functional>
#include <map>
#include <vector>

#include "DialogFixture.h"
#include "DialogOpeners.h"

namespace korvane::ui {
namespace {

struct ExpectedControls {
  int window;
  const char* name;
  std::map<std::string, std::vector<int>> byKind;
};

const std::vector<int> kTokenButtons = {13, 14, 15, 18, 21, 22, 23, 24, 25, 31, 33, 37, 39, 40, 43, 44};

std::vector<int> Join(std::vector<int> a, const std::vector<int>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

const std::vector<ExpectedControls>& Expected() {
  static const std::vector<ExpectedControls> table = {
      {5, "KorvanePretty", {{"button", {1}}}},
      {9, "Edit Fkeys Selection", {{"button", {4, 5}}, {"popup", {10}}}},
      {13,
       "Colors",
       {{"popup", {100, 101, 102, 103, 104, 105}}, {"checkbox", {7, 15, 16}}, {"button", {8, 9, 10, 12, 13, 14, 17}}}},
      {15,
       "Telnet Connection",
       {{"text", {3, 4, 5, 13}}, {"checkbox", {10, 14, 16, 18}}, {"button", {8, 9, 12, 17, 99}}}},
      {16, "Unix Shell Connection", {{"radio", {2, 4, 5}}, {"text", {3}}, {"checkbox", {16}}, {"button", {8, 9, 99}}}},
      {17,
       "Secure Shell Connection",
       {{"text", {2, 10, 12, 14, 16}}, {"checkbox", {17, 20}}, {"button", {3, 4, 6, 99}}}},
      {18,
       "Preferences",
       {{"checkbox", {1, 2, 4, 5, 6, 7, 8, 9, 13, 14, 15, 16, 17, 18, 19}}, {"button", {3, 10, 11, 99}}}},
      {20, "Transparency", {{"slider", {500}}, {"label", {3}}, {"button", {1, 2}}}},
      {24, "KeepAlive", {{"text", {3, 7}}, {"button", {1, 2}}}},
      {25, "Modem Initialization", {{"radio", {3, 4, 5, 6, 8, 12, 13}}, {"text", {2}}, {"button", {9, 10}}}},
      {26, "Enter QuickDial", {{"text", {3}}, {"button", {1, 2}}}},
      {27, "Edit Fkeys", {{"label", {4}}, {"text", {5, 6}}, {"button", Join({2, 3, 35, 36}, kTokenButtons)}}},
      {28, "Edit Login Scripts", {{"label", {4}}, {"text", {6}}, {"button", Join({2, 3}, kTokenButtons)}}},
      {29, "Mouse Click Delimiter Character", {{"text", {4}}, {"button", {1, 2, 3}}}},
      {30,
       "International",
       {{"radio", {4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 17, 18, 20, 21}},
        {"checkbox", {22, 23}},
        {"button", {1, 2, 99}}}},
      {31, "Fkey Options", {{"radio", {8, 9, 13, 14, 19, 20}}, {"checkbox", {17, 18}}, {"button", {1, 2, 15, 16}}}},
      {32,
       "Save captured text as",
       {{"radio", {4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 24}},
        {"label", {23}},
        {"text", {17}},
        {"button", {1, 2, 3, 25}}}},
      {33, "Enter Phone Number", {{"text", {3}}, {"button", {1, 2}}}},
      {34,
       "MacToHost delay",
       {{"text", {4, 10}}, {"checkbox", {7, 8, 13}}, {"radio", {20, 21}}, {"label", {11, 22}}, {"button", {1, 2, 12}}}},
      {35, "Paste Delay", {{"text", {4, 7}}, {"button", {1, 2, 9}}}},
      {36, "Edit Break Signal", {{"radio", {4, 9, 11, 12}}, {"text", {6}}, {"button", {1, 2, 8}}}},
      {37, "Previous Page Options", {{"radio", {3, 4}}, {"checkbox", {5, 10}}, {"button", {1, 2, 8}}}},
      {38,
       "Printer Options",
       {{"checkbox", {4, 10, 18, 19, 20}},
        {"text", {6}},
        {"radio", {21, 23, 25, 11, 12, 13, 27, 16, 17, 24}},
        {"button", {1, 2, 8}}}},
      {39,
       "Video Attributes",
       {{"checkbox", {4, 12, 14, 15, 16, 17}}, {"radio", {5, 6, 7, 10, 11}}, {"button", {1, 2, 13}}}},
      {40, "Login Scripts", {{"checkbox", {4}}, {"text", {9}}, {"button", {1, 2, 6, 7}}}},
      {41, "Host-To-Mac", {{"radio", {10, 11, 12, 13, 17, 18}}, {"text", {3, 9, 20}}, {"button", {1, 2, 22, 99}}}},
      {42, "File will be saved as", {{"text", {2}}, {"button", {1, 4, 5}}}},
      {43, "Tell DLOG", {{"label", {10}}}},
      {44, "Arrow Keys", {{"text", {4, 5, 6, 7}}, {"button", {1, 2, 3, 8, 9, 10, 99}}}},
      {46, "Enter SSH User Name", {{"text", {3}}, {"button", {1, 2}}}},
  };
  return table;
}

TEST(DialogInterfaceTest, EveryWindowAndControlTheHandlerActsOnIsDescribedWithItsKind) {
  const auto& d = TheDescription();
  for (const ExpectedControls& e : Expected()) {
    EXPECT_STREQ(platform::WindowNameOf(e.window), e.name) << "window " << e.window;
    const platform::WindowDescription* w = d.FindWindow(e.name);
    ASSERT_NE(w, nullptr) << e.name;
    for (const auto& [kind, numbers] : e.byKind)
      for (int n : numbers) {
        const platform::ControlDescription* c = w->FindControl(n);
        ASSERT_NE(c, nullptr) << e.name << " has no control " << n;
        EXPECT_EQ(c->kind, kind) << e.name << " control " << n;
      }
  }
  // The notices the program opens by number exist as well.
  for (int n : {21, 22, 23, 45}) EXPECT_NE(d.FindWindow(platform::WindowNameOf(n)), nullptr) << n;
}

class EveryControlTest : public DialogTest {};

TEST_F(EveryControlTest, EveryControlAUserCanActOnReachesTheHandlerAndEveryControlItUsesExists) {
  const auto& d = TheDescription();
  Opt.TelnetHost = "host";
  Opt.SshHost = "host";
  Opt.BackgroundColour = 18;
  Opt.CurrentForeColour = 17;
  for (const ExpectedControls& e : Expected()) {
    const platform::WindowDescription* w = d.FindWindow(e.name);
    ASSERT_NE(w, nullptr);
    for (const platform::ControlDescription& c : w->controls) {
      if (c.number == 0 || c.kind == "label") continue;
      SCOPED_TRACE(std::string(e.name) + " control " + std::to_string(c.number));
      OpenWindow(dialogs, Opt, e.window);
      ASSERT_TRUE(IsOpen(e.window));
      fakes::RecordingControls* controls = windows.ControlsOf(e.window);
      bool handled = false;
      if (c.kind == "text")
        handled = Type(e.window, c.number, "7");
      else if (c.kind == "popup")
        handled = Choose(e.window, c.number, 2);
      else
        handled = Click(e.window, c.number);
      EXPECT_TRUE(handled);
      if (IsOpen(e.window)) {
        EXPECT_TRUE(controls->missing.empty()) << "the handler addressed control " << controls->missing.front();
        windows.Close(e.window);
      }
    }
  }
  // Every window the handler opened on the way was made from the description.
  for (const auto& [n, window] : windows.windows) {
    if (window.dialog) {
      EXPECT_FALSE(window.dialogName.empty()) << "window " << n;
    }
  }
}

TEST_F(EveryControlTest, AControlNoWindowHasIsNotTheHandlers) {
  dialogs.OpenTelnetOptions(Opt);
  EXPECT_FALSE(dialogs.DoDialog(15, 77, Opt));
  EXPECT_FALSE(dialogs.DoDialog(3, 1, Opt));
  EXPECT_TRUE(IsOpen(15));
}

}  // namespace
}  // namespace korvane::ui
