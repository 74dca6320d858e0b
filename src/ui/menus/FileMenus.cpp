// The File menu, the Port Settings menu and its submenus (serial port, plain
// text, flow control, serial format).

#include "platform/CharMap.h"
#include "platform/FileDialogs.h"
#include "settings/FileKinds.h"
#include "settings/SettingsText.h"
#include "ui/dialogs/DialogNumbers.h"
#include "ui/menus/MenuDispatcher.h"
#include "ui/menus/MenuItems.h"
#include "windows/SessionWindows.h"

namespace korvane::ui {

namespace {
constexpr char kNoConnection[] = "There is no connection open to the host.";
constexpr char kOpenFirst[] = "Please open a connection first.";
}  // namespace

// ---- File menu -----------------------------------------------------------------------------

void MenuDispatcher::DoFileMenu(int item) {
  using namespace file_item;
  SessionWindows& windows = Windows();
  if (item == kNewSessionWindow) return NewSessionWindow();
  if (item == kChooseTextFile) return ChooseTextFile();
  SessionWindow* w = Active();
  if (!w) return;
  Session& s = w->session;
  switch (item) {
    case kShowSessionWindow:
      SelectSessionWindow();
      windows.ResetScrollbackView(*w);
      break;
    case kCloseSessionWindow:
      if (FrontIsActiveSession()) windows.DoWindowEvent(1, w->Number());
      break;
    case kOpenSettings: OpenSettingsFile(*w); break;
    case kSaveSettings: SaveSettings(*w, false); break;
    case kSaveSettingsAs: SaveSettings(*w, true); break;
    case kSendTextFile:
    case kSendWithFlow:
      if (!w->Connected()) {
        Alerts().StopAlertText(platform::kPlainAlert, kNoConnection, "\r", kOpenFirst);
        break;
      }
      windows.ResetScrollbackView(*w);
      if (item == kSendTextFile)
        w->services.transfers.ChooseAndSendTextFile();
      else
        w->services.transfers.SendTextFileWithFlowCheck();
      break;
    case kFtpHelp: documents_.OpenHelpDocument(HelpDocument::FtpFileTransfers, Language()); break;
    case kPrintScreen:
      windows.services.busy.ShowArrow();
      if (!FrontIsActiveSession())
        Alerts().StopAlertText(platform::kPlainAlert, "Please use 'Print...' from the File menu");
      else if (s.input.PrinterOn)
        Alerts().StopAlertText(platform::kPlainAlert, "Please uncheck 'Printer On' from the File menu");
      else
        w->services.capture.PrintScreen();
      break;
    case kPrinterOn: w->services.capture.TurnPrinterOn(); break;
    case kPrintScrollBack:
      if (s.screen.ScrollBackLinePos <= s.screen.ScreenRows) {
        Alerts().StopAlertText(platform::kPlainAlert, "The scroll back buffer is empty");
        break;
      }
      w->services.capture.PrintScrollBack();
      break;
    case kPrintTextFile:
      windows.ResetScrollbackView(*w);
      w->services.capture.PrintTextFile();
      break;
    case kPrinterOptions: w->services.dialogs.OpenDialog(kPrinterOptionsWindow); break;
    case kPageSetup: w->services.capture.PageSetup(); break;
    case kSendBreak: s.conn.SendBreakToHost(s.Opt); break;
    default: break;
  }
}

void MenuDispatcher::NewSessionWindow() {
  SessionWindows& windows = Windows();
  SessionWindow* active = Active();
  if (windows.flags.NoSessionWindow && active) {
    windows.ResetScrollbackView(*active);
    SelectSessionWindow();
  } else {
    windows.OpenNewSessionWindow();
  }
  if (SessionWindow* w = Active()) {
    windows.services.windows.SetOpacity(w->Number(), w->session.Opt.WindowOpacity);
    w->services.capture.ShowCaptureStatus();
  }
}

void MenuDispatcher::ChooseTextFile() {
  platform::FileDialogs* dialogs = host_.FileDialogs();
  if (!dialogs) {
    Alerts().NoteAlertText(platform::kPlainAlert, "Choosing a file is not available in this version of Korvane.");
    return;
  }
  const auto path = dialogs->ChooseFile({platform::FileKind::Text}, "");
  if (!path) return;
  // The chosen text file is shown with the program the user reads text with,
  // once the user has said OK to that program being started.
  documents_.CheckPathExists(*path);
}

void MenuDispatcher::OpenSettingsFile(SessionWindow& w) {
  SessionWindows& windows = Windows();
  if (w.Connected() && w.session.Opt.ConfirmClose &&
      Alerts().CautionAlertText(platform::kQuestionAlert,
                                "Opening a new settings file will close the current connection to the host.") == 2)
    return;
  platform::FileDialogs* dialogs = host_.FileDialogs();
  if (!dialogs) {
    Alerts().NoteAlertText(platform::kPlainAlert, "Choosing a file is not available in this version of Korvane.");
    return;
  }
  const auto path = dialogs->ChooseFile({platform::FileKind::Settings, platform::FileKind::Any}, "");
  if (!path) return;
  // A function-key or QuickDial document chosen here acts on this window, as
  // it does when given to the program; a file of no kind of Korvane's is not
  // read as settings.
  const DocumentKind kind = DocumentKindOf(*path, windows.services.files);
  if (kind == DocumentKind::Other) {
    Alerts().NoteAlertText(platform::kPlainAlert, platform::MacRomanFromUtf8(*path),
                           " is not a document Korvane can open.");
    return;
  }
  if (kind != DocumentKind::Settings) {
    w.settings.OpenSettingsDocument(kind, *path);
    return;
  }
  SelectSessionWindowIfNone();
  // A window of its own, with its own temporary settings file.
  windows.LoadSettingsTempFile(*path);
  if (SessionWindow* opened = Active(); opened && opened != &w) opened->session.window.SettingsChanged = 0;
}

void MenuDispatcher::SaveSettings(SessionWindow& w, bool asNew) {
  Session& s = w.session;
  SettingsState& st = s.settings;
  Preferences& prefs = Windows().services.prefs;
  // The user's save goes to the settings document, not to the window's
  // temporary file.
  const int8_t tempMode = prefs.TempSettingsMode;
  prefs.TempSettingsMode = 0;
  if (asNew) {
    st.AlwaysAskSettingsName = 1;
  } else if (w.Number() == platform::kSessionWindowBase && st.SettingsFileName.empty()) {
    st.SettingsFileName = kDefaultSettingsFileName;
  } else {
    st.AskForSettingsName = 1;
  }
  const bool saved = w.settings.SaveSettingsAs(static_cast<int16_t>(w.Number()));
  prefs.TempSettingsMode = tempMode;
  st.AlwaysAskSettingsName = 0;
  st.AskForSettingsName = 0;
  if (saved) s.window.SettingsChanged = 0;
  Windows().UpdateWindowTitle(w);
}

// ---- Port Settings menu ----------------------------------------------------------------------

void MenuDispatcher::DoPortSettingsMenu(int item) {
  using namespace port_item;
  SessionWindow* w = Active();
  if (!w || RefusedWhenLocked()) return;
  Session& s = w->session;
  MarkChanged(*w);
  Windows().ResetScrollbackView(*w);
  if (item >= kFirstBaudRate && item <= kLastBaudRate) {
    w->services.serial.ChooseBaudRate(item);
    return;
  }
  if (item == kStripEighthBit) {
    SessionOptions& o = s.Opt;
    if (o.NationalCharsOff == 0) {
      o.NationalCharsOff = 1;
    } else if (o.DecMultinational) {
      Alerts().StopAlertText(
          platform::kPlainAlert,
          "The 8th bit cannot be stripped when DEC Multinational characters are enabled in International Characters.",
          "\r", "(Under the Emulate Menu)");
    } else {
      o.NationalCharsOff = 0;
    }
    return;
  }
  if (item == kResetAllSettings) ResetAllSettings();
}

void MenuDispatcher::ResetAllSettings() {
  platform::AlertRoutines& alerts = Alerts();
  if (alerts.StopAlertText(platform::kQuestionAlert,
                           "Warning! You are about to reset all Korvane settings and preferences back to defaults") ==
      2)
    return;
  SessionWindow* w = Active();
  SoundService* sounds = w ? &w->services.sounds : nullptr;
  host_.Pause(200);
  if (sounds) sounds->Beep();
  host_.Pause(200);
  if (sounds) sounds->Beep();
  if (alerts.StopAlertText(platform::kQuestionAlert,
                           "Last Warning! You are about to reset all Korvane settings and "
                           "preferences back to defaults") == 2)
    return;
  // Every file that holds settings goes: the settings read at start-up, the
  // saved session settings, the function keys and each window's temporary
  // settings, so that the next start begins from the program's defaults.
  SessionWindows& windows = Windows();
  Preferences& prefs = windows.services.prefs;
  const std::string folder = host_.PreferencesFolder();
  for (const char* name : {"defaults", kDefaultSettingsFileName, "Fkeydefaults"})
    if (windows.services.files.Exists(folder + name)) windows.services.files.RemoveFile(folder + name);
  for (const std::string& name : prefs.TempSettingsNames)
    if (!name.empty() && windows.services.files.Exists(prefs.PathOf(name)))
      windows.services.files.RemoveFile(prefs.PathOf(name));
  alerts.StopAlertText(platform::kPlainAlert, "Korvane will now Quit.", " ",
                       "When you run Korvane the next time, all settings will be reset to default");
  host_.EndProgram();
}

// ---- The serial port and the submenus ----------------------------------------------------

void MenuDispatcher::DoSerialPortMenu(int item) {
  SessionWindow* w = Active();
  if (!w) return;
  MarkChanged(*w);
  w->services.serial.ChooseSerialPort(item);
  Windows().UpdateWindowTitle(*w);
}

void MenuDispatcher::DoSubmenu76(int item) {
  using namespace plain_item;
  SessionWindow* w = Active();
  if (!w) return;
  Session& s = w->session;
  MarkChanged(*w);
  switch (item) {
    case kEmulation:
      if (s.input.PlainTextMode) {
        s.Opt.AutoWrapOn = s.window.SavedAutoWrap;
        s.input.PlainTextMode = 0;
      }
      break;
    case kPlainText:
      // Chosen twice, the auto-wrap kept the first time stays kept.
      if (!s.input.PlainTextMode) {
        s.window.SavedAutoWrap = s.Opt.AutoWrapOn;
        s.Opt.AutoWrapOn = 1;
        s.input.PlainTextMode = 1;
      }
      break;
    case kSerialOption1: s.Opt.SerialRequiredOption = 1; break;
    case kSerialOption2: s.Opt.SerialRequiredOption = 2; break;
    default: break;
  }
}

void MenuDispatcher::DoSubmenu77(int item) {
  SessionWindow* w = Active();
  if (!w) return;
  MarkChanged(*w);
  w->services.serial.ChooseFlowControl(item);
}

void MenuDispatcher::DoSubmenu78(int item) {
  SessionWindow* w = Active();
  if (!w) return;
  MarkChanged(*w);
  w->services.serial.ChooseSerialFormat(item);
}

}  // namespace korvane::ui
