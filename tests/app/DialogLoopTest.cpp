// The dialog windows in the main loop, on the fake platform with the
// interface description's windows and controls: which session a dialog acts
// for, the close box, the session window's own controls, the preferences
// lock, help documents, function-key documents, and the settings-changed
// mark that the close question relies on.

#include <string>
#include <vector>

#include "AppFixture.h"
#include "app/SettingsChangeWatch.h"
#include "emulation/EmulationFlags.h"
#include "platform/MenuNumbers.h"
#include "platform/qt/InterfaceFile.h"
#include "ui/dialogs/DialogNumbers.h"

namespace korvane::testing {
namespace {

using platform::UiEvent;
using platform::UiEventKind;

const platform::InterfaceDescription& Description() {
  static const platform::InterfaceDescription d = [] {
    platform::InterfaceDescription out;
    std::string error;
    if (!platform::LoadInterfaceDescription(std::string(KORVANE_RESOURCES) + "/interface.json", out, error))
      ADD_FAILURE() << error;
    return out;
  }();
  return d;
}

class DialogLoop : public AppFixture {
 protected:
  DialogLoop() { windows.description = &Description(); }

  // A local session whose F1 and shifted F1 send marked strings.
  void StartWithKeys() {
    WriteDocument(files, "/docs/local", [](SessionOptions& o) {
      LocalProgram("/usr/local/bin/host")(o);
      o.FkeyStrings[1] = "<F1>";
      o.FkeyStrings[17] = "<SF1>";
    });
    Start({"/docs/local"});
    Turns(40);
  }
  platform::Controls& Controls(int window) { return *windows.WindowControls(window); }
  void Hit(int window, int control) {
    UiEvent e;
    e.kind = UiEventKind::Dialog;
    e.type = platform::kControlHit;
    e.window = static_cast<int16_t>(window);
    e.number = static_cast<int16_t>(control);
    Post(e);
    Turns(2);
  }
  void CloseBox(int window) {
    UiEvent e;
    e.kind = UiEventKind::Dialog;
    e.type = platform::kCloseBox;
    e.window = static_cast<int16_t>(window);
    e.number = static_cast<int16_t>(window);
    Post(e);
    Turns(2);
  }
  void OpenSecondWindow() {
    Menu(platform::kFileMenu, platform::kFileNewSessionWindowItem);
    Turns(40);
    ASSERT_EQ(app->windows.Count(), 2);
    ASSERT_EQ(app->flags.ActiveWindowNumber, 49);
  }
};

TEST_F(DialogLoop, EveryWindowAMenuOpensOpensFilledForItsSession) {
  StartLocal();
  Window(48).session.Opt.TelnetHost = "host.example";
  const int menuWindows[] = {5,  9,  13, 15, 16, 17, 18, 20, 24, 25, 26, 27, 28, 29,
                             30, 31, 32, 34, 35, 36, 37, 38, 39, 40, 43, 44, 46};
  for (int n : menuWindows) {
    alerts.shown.clear();
    Window(48).services.dialogs.OpenDialog(n);
    EXPECT_TRUE(windows.Exists(n)) << "window " << n;
    EXPECT_EQ(app->dialogs.OwnerOf(n), 48) << "window " << n;
    EXPECT_TRUE(alerts.shown.empty()) << "window " << n << ": " << alerts.shown.front().text;
    windows.Close(n);
  }
  Window(48).services.dialogs.OpenDialog(15);
  EXPECT_EQ(Controls(15).ControlText(3), "host.example");
}

TEST_F(DialogLoop, AWindowThatOnlyARequestFillsIsRefusedWithItsName) {
  StartLocal();
  for (int n : {33, 41, 42, 99}) {
    alerts.shown.clear();
    Window(48).services.dialogs.OpenDialog(n);
    EXPECT_FALSE(windows.Exists(n)) << n;
    ASSERT_EQ(alerts.shown.size(), 1u) << n;
    EXPECT_NE(alerts.shown[0].text.find("opens only when the program asks"), std::string::npos);
  }
  // The window is named when it has a name.
  EXPECT_EQ(alerts.shown[0].text.rfind("This window", 0), 0u);
  alerts.shown.clear();
  Window(48).services.dialogs.OpenDialog(33);
  EXPECT_EQ(alerts.shown[0].text.rfind("\"Enter Phone Number\"", 0), 0u) << alerts.shown[0].text;
}

TEST_F(DialogLoop, WhileADialogIsOpenItsSessionStaysActiveAndTakesWhatItStores) {
  StartLocal();
  OpenSecondWindow();
  windows.BringToFront(48);
  Turns(5);
  ASSERT_EQ(app->flags.ActiveWindowNumber, 48);
  Window(48).services.dialogs.OpenDialog(ui::kTelnetWindow);
  // The user brings the other session window to the front, then confirms.
  windows.BringToFront(49);
  Turns(5);
  EXPECT_EQ(app->flags.ActiveWindowNumber, 48);
  Controls(15).SetControlText(3, "first.example");
  Hit(15, 8);
  EXPECT_FALSE(windows.Exists(15));
  EXPECT_EQ(Window(48).session.Opt.TelnetHost, "first.example");
  EXPECT_EQ(Window(48).session.window.SettingsChanged, 1);
  EXPECT_EQ(Window(49).session.Opt.TelnetHost, "");
  EXPECT_EQ(Window(49).session.window.SettingsChanged, 0);
}

TEST_F(DialogLoop, ADialogWhoseSessionWasClosedClosesWithoutStoringAnything) {
  StartLocal();
  OpenSecondWindow();
  Window(49).services.dialogs.OpenDialog(ui::kTelnetWindow);
  windows.BringToFront(49);
  Turns(5);
  Post([] {
    UiEvent e;
    e.kind = UiEventKind::Dialog;
    e.type = platform::kCloseBox;
    e.window = 49;
    e.number = 49;
    return e;
  }());
  Turns(10);
  ASSERT_EQ(app->windows.Find(49), nullptr);
  Controls(15).SetControlText(3, "lost.example");
  Hit(15, 8);
  EXPECT_FALSE(windows.Exists(15));
  EXPECT_EQ(Window(48).session.Opt.TelnetHost, "");
  EXPECT_EQ(Window(48).session.window.SettingsChanged, 0);
}

TEST_F(DialogLoop, TheCloseBoxOfADialogIsItsCancel) {
  StartLocal();
  const int16_t background = Window(48).session.Opt.BackgroundColour;
  Window(48).services.dialogs.OpenDialog(ui::kColoursWindow);
  Controls(13).SetControlValue(105, background == 3 ? 4 : 3);
  Hit(13, 105);
  CloseBox(13);
  EXPECT_FALSE(windows.Exists(13));
  EXPECT_EQ(Window(48).session.Opt.BackgroundColour, background);
  EXPECT_EQ(Window(48).session.window.SettingsChanged, 0);
  // A window without a Cancel button closes as it is.
  Window(48).services.dialogs.OpenDialog(ui::kTellWindow);
  CloseBox(ui::kTellWindow);
  EXPECT_FALSE(windows.Exists(ui::kTellWindow));
}

TEST_F(DialogLoop, TheEmulationNoticeClosesByItselfAfterASecondAndAHalf) {
  StartLocal();
  Window(48).services.dialogs.OpenDialog(ui::kTellWindow);
  ASSERT_TRUE(windows.Exists(ui::kTellWindow));
  clock.AdvanceTicks(60);
  Turns(2);
  EXPECT_TRUE(windows.Exists(ui::kTellWindow));
  clock.AdvanceTicks(40);
  Turns(2);
  EXPECT_FALSE(windows.Exists(ui::kTellWindow));
}

TEST_F(DialogLoop, AWindowClosedByItselfBelongsToTheNextSessionThatOpensIt) {
  StartLocal();
  OpenSecondWindow();
  Window(48).services.dialogs.OpenDialog(ui::kTellWindow);
  EXPECT_EQ(app->dialogs.OwnerOf(ui::kTellWindow), 48);
  clock.AdvanceTicks(100);
  Turns(2);
  ASSERT_FALSE(windows.Exists(ui::kTellWindow));
  EXPECT_EQ(app->dialogs.OwnerOf(ui::kTellWindow), 0);
  Window(49).services.dialogs.OpenDialog(ui::kTellWindow);
  EXPECT_EQ(app->dialogs.OwnerOf(ui::kTellWindow), 49);
}

TEST_F(DialogLoop, TheBarsButtonsSendTheirKeysUnlessTheViewOrTheHostIsHeld) {
  StartWithKeys();
  Screen& s = Window(48).session.screen;
  ASSERT_TRUE(Controls(48).HasControl(kFirstFkeyButton)) << "no function-key bar";
  ASSERT_GT(s.FkeySecondRowBase, kFirstFkeyButton);
  Hit(48, kFirstFkeyButton);
  Hit(48, s.FkeySecondRowBase);
  EXPECT_EQ(LinkOf(48).written, "<F1><SF1>");
  // Output held: the click is dropped.
  Window(48).session.input.HoldOutput = 1;
  Hit(48, kFirstFkeyButton);
  Window(48).session.input.HoldOutput = 0;
  EXPECT_EQ(LinkOf(48).written, "<F1><SF1>");
  // Older lines shown: the click brings the live screen back, with a beep.
  s.ScrollBackViewShown = 1;
  const int beeps = sounds.beeps;
  Hit(48, kFirstFkeyButton);
  EXPECT_EQ(s.ScrollBackViewShown, 0);
  EXPECT_EQ(sounds.beeps, beeps + 1);
  EXPECT_EQ(LinkOf(48).written, "<F1><SF1>");
  // A picture in the session is no button.
  Hit(48, ui::kFirstPictureControl);
  EXPECT_EQ(LinkOf(48).written, "<F1><SF1>");
}

TEST_F(DialogLoop, TheLockedPreferencesShowTheLockFileInsteadOfTheirWindow) {
  StartLocal();
  app->prefs.folders.PrefsLocked = 1;
  app->prefs.folders.LockFilePath = "/prefs/Lock KV Prefs.txt";
  files.ReplaceFile("/prefs/Lock KV Prefs.txt", "Settings are managed by the office.\n");
  Window(48).services.dialogs.OpenDialog(ui::kTelnetWindow);
  EXPECT_FALSE(windows.Exists(ui::kTelnetWindow));
  EXPECT_EQ(desktop.files, std::vector<std::string>{"/prefs/Lock KV Prefs.txt"});
  files.RemoveFile("/prefs/Lock KV Prefs.txt");
  Window(48).services.dialogs.OpenDialog(ui::kPreferencesWindow);
  EXPECT_FALSE(windows.Exists(ui::kPreferencesWindow));
  EXPECT_EQ(AlertsWith("Path not found!"), 1);
  // Windows the lock does not cover still open.
  Window(48).services.dialogs.OpenDialog(ui::kPasteDelayWindow);
  EXPECT_TRUE(windows.Exists(ui::kPasteDelayWindow));
}

TEST_F(DialogLoop, AFunctionKeyDocumentLoadsIntoTheSessionAndABadOneChangesNothing) {
  StartLocal();
  std::string document;
  for (int k = 1; k <= 32; ++k) document += "<key " + std::to_string(k) + ">\n";
  for (int k = 1; k <= 32; ++k) document += "L" + std::to_string(k) + "\n";
  files.ReplaceFile("/docs/keys.kvfkey", document);
  Window(48).settings.OpenSettingsDocument(DocumentKind::FunctionKeys, "/docs/keys.kvfkey");
  EXPECT_EQ(Window(48).session.Opt.FkeyStrings[2], "<key 2>");
  EXPECT_EQ(Window(48).session.window.SettingsChanged, 1);

  Window(48).session.window.SettingsChanged = 0;
  files.ReplaceFile("/docs/short.kvfkey", "<only one line>\n");
  Window(48).settings.OpenSettingsDocument(DocumentKind::FunctionKeys, "/docs/short.kvfkey");
  EXPECT_EQ(Window(48).session.Opt.FkeyStrings[1], "<key 1>");
  EXPECT_EQ(Window(48).session.window.SettingsChanged, 0);
  EXPECT_EQ(AlertsWith("is not a function-key file"), 1);
}

TEST_F(DialogLoop, TheHostNamedFileWindowShowsThePathAndCancelAnswersTheHost) {
  StartLocal();
  Window(48).services.transfers.ShowDownloadTarget("/home/me/Desktop/report.txt");
  ASSERT_TRUE(windows.Exists(ui::kHostNamedFileWindow));
  EXPECT_EQ(Controls(ui::kHostNamedFileWindow).ControlText(2), "/home/me/Desktop/report.txt");
  Hit(ui::kHostNamedFileWindow, 4);
  EXPECT_FALSE(windows.Exists(ui::kHostNamedFileWindow));
  EXPECT_EQ(LinkOf(48).written, "Canceled\r");
}

TEST_F(DialogLoop, AQuickDialServicesNumberIsSavedToItsFile) {
  StartLocal();
  Window(48).services.dialogs.OpenPhoneNumber("/docs/office.kvdial", "555 0100");
  ASSERT_TRUE(windows.Exists(ui::kPhoneNumberWindow));
  EXPECT_EQ(Controls(ui::kPhoneNumberWindow).ControlText(3), "555 0100");
  Controls(ui::kPhoneNumberWindow).SetControlText(3, "555 0199");
  Hit(ui::kPhoneNumberWindow, 1);
  EXPECT_FALSE(windows.Exists(ui::kPhoneNumberWindow));
  EXPECT_EQ(files.files.at("/docs/office.kvdial").substr(0, 8), "555 0199");
}

TEST_F(DialogLoop, HelpButtonsOpenTheDocumentInTheMenusLanguage) {
  app::StartupData data;
  data.preferencesFolder = "/prefs/";
  data.resourcesFolder = KORVANE_RESOURCES;
  for (const char* keys : {"VT100 Fkeys", "VT220 Fkeys"})
    files.files[std::string(KORVANE_RESOURCES) + "/Fkeys/" + keys] = std::string(64, '\n');
  WriteDocument(files, "/docs/local", LocalProgram("/usr/local/bin/host"));
  app = std::make_unique<app::App>(platform, queue, data);
  app->OpenDocuments({"/docs/local"});
  Turns(3);
  Window(48).services.dialogs.OpenDialog(ui::kShellWindow);
  Hit(ui::kShellWindow, 99);
  ASSERT_EQ(desktop.files.size(), 1u);
  EXPECT_EQ(desktop.files[0], std::string(KORVANE_RESOURCES) + "/help/Dialog Help Files/Local Shell Help.html");
  // The same button with French menus.
  menus.SetItemText(platform::kFileMenu, 1, "Nouvelle fen\x90tre de session");
  Hit(ui::kShellWindow, 99);
  ASSERT_EQ(desktop.files.size(), 2u);
  EXPECT_EQ(desktop.files[1], std::string(KORVANE_RESOURCES) +
                                  "/help/Dialog Help Files - French/Aide interpréteur de commandes local.html");
  EXPECT_TRUE(alerts.shown.empty()) << alerts.shown.front().text;
}

TEST_F(DialogLoop, TheWatchMarksOnlyARealChangeOfASavedSetting) {
  StartLocal();
  SessionWindow& w = Window(48);
  {
    app::SettingsChangeWatch watch(app->windows, &w);
    w.session.screen.RepaintPending = 1;  // never saved
  }
  EXPECT_EQ(w.session.window.SettingsChanged, 0);
  {
    app::SettingsChangeWatch watch(app->windows, &w);
    w.session.Opt.TelnetPort = "2323";
  }
  EXPECT_EQ(w.session.window.SettingsChanged, 1);
  // Settings read from a document are a new start, not a change.
  w.session.window.SettingsChanged = 0;
  {
    app::SettingsChangeWatch watch(app->windows, &w);
    w.session.Opt.TelnetPort = "2424";
    w.session.settings.SettingsFileName = "/docs/other";
  }
  EXPECT_EQ(w.session.window.SettingsChanged, 0);
}

}  // namespace
}  // namespace korvane::testing

namespace korvane::testing {
namespace {

TEST_F(DialogLoop, TheStatusWindowIsAStripAtTheBottomOrOutOfSightAsTheSessionSays) {
  WriteDocument(files, "/docs/shown", [](SessionOptions& o) {
    LocalProgram("/usr/local/bin/host")(o);
    o.StatusWindowShown = 0;
  });
  Start({"/docs/shown"});
  ASSERT_TRUE(windows.Exists(platform::kStatusWindow));
  const auto& strip = windows.windows.at(platform::kStatusWindow);
  EXPECT_TRUE(strip.status);
  EXPECT_TRUE(strip.shown);
  EXPECT_EQ(strip.title, "Status");
  EXPECT_EQ(strip.frame, (platform::Rect{0, windows.screen.height - 13, 640, windows.screen.height}));
  // It shows the date and the session's emulation.
  std::string drawn;
  for (const std::string& t : strip.port->Texts()) drawn += t;
  EXPECT_NE(drawn.find(app::StatusStrip::DateText()), std::string::npos) << drawn;
  EXPECT_NE(drawn.find(EmulationNameFromFlags(Window(48).session.Opt)), std::string::npos) << drawn;

  // A session that hides it puts it below the screen.
  Window(48).session.Opt.StatusWindowShown = 1;
  app->StatusWindowRequest = 1;
  Turns(2);
  const auto& hidden = windows.windows.at(platform::kStatusWindow);
  EXPECT_FALSE(hidden.shown);
  EXPECT_EQ(hidden.title, "Status Window");
  EXPECT_GT(hidden.frame.top, windows.screen.height);
}

}  // namespace
}  // namespace korvane::testing
