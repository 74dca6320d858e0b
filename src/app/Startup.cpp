// Start-up completion (the first turn of the main loop) and the ready message
// of a session window.

#include <algorithm>

#include "app/App.h"
#include "settings/ScreenFont.h"
#include "settings/SettingsText.h"
#include "platform/MenuNumbers.h"

namespace korvane::app {

void App::OpenApplication() {
  // Drawing of the text area waits until the window is set up.
  platform.menus.SetItemText(platform::kAppMenu, 2, L("Preferences"));
  flags.ActiveWindowNumber = platform::kSessionWindowBase;
  windowMenu.ClearWindowMenu();

  SessionWindow& w = windows.MakeWindow(platform::kSessionWindowBase);
  w.session.screen.DrawingBusy = 1;
  ShowReadyMessage();

  Session& s = w.session;
  if (s.Opt.WindowOption75 == 0) {
    platform.menus.EnableItem(platform::kFileMenu, 3, false);
    platform.menus.EnableItem(platform::kFileMenu, 1, false);
  } else {
    prefs.RegisterTempSettingsFile(platform::kSessionWindowBase);
    w.settings.SaveSettingsAs(platform::kSessionWindowBase);
  }
  if (s.screen.ColourMode()) {
    s.screen.Grid.Fill(ScreenPlanes::kFore, 0);
    s.screen.Grid.Fill(ScreenPlanes::kBack, 0);
  }
  s.screen.ClearPages();
  busy.ShowArrow();
  if (s.Opt.CloseHold) s.input.ConnectStringWatch = 1;
  s.screen.DrawingBusy = 0;
  platform.windows.SetOpacity(w.Number(), s.Opt.WindowOpacity);
  windows.LastActiveWindow = static_cast<int16_t>(w.Number());
  if (!data.menuBarInstalled)
    alerts.StopAlertText(platform::kPlainAlert, "The menus could not be read.", "\r", data.menuBarError);
  // The page format of the last run.
  printServices.pageSetup.LoadPageSetupFile(w.Number());
}

void App::ShowReadyMessage() {
  SessionWindow* w = windows.Active();
  if (!w) return;
  Session& s = w->session;
  busy.SpinWatchCursor();
  platform.files.MakeFolders(prefs.PrefsFolderPath);
  w->settings.SetDefaultSettings();
  // The folders and files the settings expect on disk, an older settings
  // folder copied in, and the user's lock (src/settings/SettingsFolders).
  prefs.folders = PrepareSettingsFolders(
      SettingsFolderPaths::FromProgramFolders(prefs.PrefsFolderPath, data.programs.KermitAppFolder,
                                              data.hostFolders.home, data.hostFolders.documents),
      platform.files, alerts);
  // The screen font: found in the user's or the system's fonts and
  // registered for the drawing; a missing one is reported.
  if (platform.fonts) ActivateScreenFont(*platform.fonts, alerts);
  // The first settings document named at start takes the first window;
  // without one the window starts from the saved defaults. Documents of other
  // kinds wait until the windows are up.
  std::string document;
  for (auto it = prefs.PendingDocuments.begin(); it != prefs.PendingDocuments.end(); ++it) {
    if (!StartsSessionWindow(*it)) continue;
    document = *it;
    prefs.PendingDocuments.erase(it);
    break;
  }
  w->settings.ReadStartupSettings();
  const bool fromDocument = !document.empty() && windows.NewSessionWindow(*w, document);
  if (!fromDocument) windows.NewSessionWindow(*w, {});
  s.window.FromLaunchDocument = fromDocument ? 1 : 0;
  ReadyForCommunications(*w);
}

void App::ReadyForCommunications(SessionWindow& w) {
  Session& s = w.session;
  busy.ShowArrow();
  s.screen.ClearScreenAndHome();
  StartSerialSession(w);
  auto line = [&](const std::string& text) {
    w.WriteSessionText(L(text));
    w.NewSessionLine();
  };
  if (s.Opt.UsesPty && s.Opt.TelnetSession) {
    line("Ready for communications using telnet");
    s.screen.port.Flush();
    Wait(1000);
    if (!s.Opt.AutoConnect) {
      line("Use Ctrl+Shift+O to open the connection");
      s.screen.port.Flush();
      Wait(1000);
    } else if (!s.Opt.TelnetHost.empty()) {
      s.window.ConnectAtStart = 1;
    } else {
      alerts.NoteAlertText(platform::kPlainAlert,
                           "Select 'Telnet Connection...' from the Connection Menu and enter a host IP address.");
    }
  } else if (s.Opt.UsesPty && s.Opt.SshSession) {
    line("Ready for communications using Secure Shell");
    s.screen.port.Flush();
    Wait(1000);
    if (!s.Opt.AutoConnect) {
      line("Use Ctrl+Shift+O to open the connection");
      s.screen.port.Flush();
      Wait(1000);
    } else if (!s.Opt.SshHost.empty()) {
      s.window.ConnectAtStart = 1;
    } else {
      alerts.NoteAlertText(platform::kPlainAlert,
                           "Select 'Secure Shell Connection...' from the Connection Menu and "
                           "enter a host name or IP address.");
    }
  } else if (s.Opt.UsesPty) {
    // A local shell starts at once.
    w.StartConnection();
  }
  s.screen.port.Flush();
  Wait(1000);
  if (s.Opt.XonXoffOn == 1 && s.Opt.WindowOption75 == 0) s.conn.SendXoffXon();
}

}  // namespace korvane::app
