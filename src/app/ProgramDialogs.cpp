// The dialog windows of the program: which session each one acts for, and
// what the settings windows reach beyond the settings record.

#include "app/ProgramDialogs.h"

#include <algorithm>
#include <iterator>

#include "app/App.h"
#include "app/SettingsChangeWatch.h"
#include "emulation/EmulationFlags.h"
#include "platform/CharMap.h"
#include "platform/MenuNumbers.h"
#include "settings/FunctionKeys.h"
#include "ui/dialogs/DialogNumbers.h"

namespace korvane::app {

namespace {

// The windows a menu item (or a window opened from one) opens; the others
// need what only their own request has: a file, a transfer, a host's path.
bool OpensFromAMenu(int window) {
  switch (window) {
    case platform::kAboutWindow:
    case ui::kEditFkeysSelectionWindow:
    case ui::kColoursWindow:
    case ui::kTelnetWindow:
    case ui::kShellWindow:
    case ui::kSshWindow:
    case ui::kPreferencesWindow:
    case ui::kTransparencyWindow:
    case ui::kKeepAliveWindow:
    case ui::kModemInitWindow:
    case ui::kQuickDialWindow:
    case ui::kEditFkeysWindow:
    case ui::kEditLoginScriptsWindow:
    case ui::kMouseDelimiterWindow:
    case ui::kInternationalWindow:
    case ui::kFkeyOptionsWindow:
    case ui::kCaptureApplicationWindow:
    case ui::kSendDelaysWindow:
    case ui::kPasteDelayWindow:
    case ui::kBreakSignalWindow:
    case ui::kPreviousPageWindow:
    case ui::kPrinterOptionsWindow:
    case ui::kVideoAttributesWindow:
    case ui::kLoginScriptsWindow:
    case ui::kTellWindow:
    case ui::kArrowKeysWindow:
    case ui::kSshUserNameWindow: return true;
    default: return false;
  }
}

// The name of a document path without its folders and its extension.
std::string BareName(const std::string& path) {
  std::string name = path.substr(path.find_last_of(":/") == std::string::npos ? 0 : path.find_last_of(":/") + 1);
  if (const std::size_t dot = name.rfind('.'); dot != std::string::npos && dot > 0) name.resize(dot);
  return name;
}

}  // namespace

// ---- What the settings windows reach: the session they act for ----------------------------

class ProgramDialogs::Host final : public ui::DialogHost {
 public:
  explicit Host(ProgramDialogs& owner) : o_(owner), app_(owner.app_) {}

  SessionWindow* target = nullptr;

  void SelectSessionWindowIfNone() override {
    if (!app_.flags.NoSessionWindow) return;
    app_.flags.NoSessionWindow = 0;
    if (SessionWindow* w = Session()) app_.platform.windows.BringToFront(w->Number());
  }
  void MarkSettingsChanged() override {
    // A dialog's action runs under a watch that marks the settings changed
    // when a saved setting really changed: a confirmation that changed
    // nothing does not make closing the window ask to save. A mark asked
    // for outside a dialog's action is kept as it is.
    if (target) return;
    if (SessionWindow* w = Session()) w->session.window.SettingsChanged = 1;
  }
  bool PrefsLocked() override {
    const SettingsFolders& folders = app_.prefs.folders;
    if (!folders.PrefsLocked) return false;
    // The lock file says why the settings are locked: the user reads it.
    if (!app_.platform.files.Exists(folders.LockFilePath) || !app_.platform.desktop.OpenFile(folders.LockFilePath))
      app_.alerts.StopAlertText(platform::kPlainAlert, platform::MacRomanFromUtf8(folders.LockFilePath),
                                " Path not found!");
    return true;
  }
  void Beep() override { app_.platform.sounds.Beep(); }
  bool SessionClicksBlocked() override {
    SessionWindow* w = Session();
    return !w || w->session.input.HoldOutput != 0;
  }
  bool ScrollbackViewShown() override {
    SessionWindow* w = Session();
    return w && w->session.screen.ScrollBackViewShown != 0;
  }
  void ResetScrollbackView() override {
    if (SessionWindow* w = Session()) app_.windows.ResetScrollbackView(*w);
  }
  void FunctionKeyBarClick(int control) override {
    SessionWindow* w = Session();
    if (!w) return;
    Screen& s = w->session.screen;
    const int key = s.FunctionKeyOfButton(control);
    if (key == 0) {
      Beep();
      return;
    }
    if (s.CursorDrawn) s.EraseTextCursor();
    app_.keys->TranslateKeyPress(*w, platform::KeyPress{}, key);
    s.SetDrawColoursForAttribute();
  }
  void EraseTextCursor() override {
    if (SessionWindow* w = Session(); w && w->session.screen.CursorDrawn) w->session.screen.EraseTextCursor();
  }
  void RequestRepaint() override {
    if (SessionWindow* w = Session()) w->session.screen.RepaintPending = 1;
  }
  void RedrawFunctionKeyBar() override {
    SessionWindow* w = Session();
    if (!w) return;
    Screen& s = w->session.screen;
    // The buttons take their new titles when they are made again.
    s.RemoveFunctionKeyBar();
    s.FkeyBarNextTick = 0;
    s.BarRedrawRequest = 1;
    s.DrawFunctionKeyBar();
  }
  void ClearScrollback() override {
    if (SessionWindow* w = Session()) w->session.screen.ClearScrollback();
  }
  void ClearColourPlanes() override {
    SessionWindow* w = Session();
    if (!w) return;
    Screen& s = w->session.screen;
    s.ClearScreenArrays();
    if (s.ScrollBackCount == 960 && w->session.Opt.ScrollBackOn == 1 && s.ScrollBackColours()) {
      s.ScrollBack.Fill(ScrollBackPlanes::kFore, 0x1212);
      s.ScrollBack.Fill(ScrollBackPlanes::kBack, 0x1111);
    }
  }
  void ApplyColoursAndRepaint() override {
    SessionWindow* w = Session();
    if (!w) return;
    Screen& s = w->session.screen;
    s.TakeSessionColours();
    s.SetColoursForMode();
    s.SetDrawColoursForAttribute();
    app_.windows.RedrawWindow(*w);
    s.RepaintPending = 1;
  }
  void SetWindowOpacity(int percent) override {
    if (SessionWindow* w = Session()) app_.platform.windows.SetOpacity(w->Number(), percent);
  }
  void SessionMessage(const std::string& text) override {
    SessionWindow* w = Session();
    if (!w) return;
    w->WriteSessionText(app_.strings.Localise(text));
    w->NewSessionLine();
    w->session.screen.port.Flush();
  }
  bool CursorKeyApplicationMode() override {
    SessionWindow* w = Session();
    return w && w->session.vt.CursorKeyApplicationMode != 0;
  }

  void ApplyEmulationChoice(int item) override {
    SessionWindow* w = Session();
    if (!w) return;
    SessionOptions& Opt = w->session.Opt;
    Screen& s = w->session.screen;
    // The choice's flags are set; what follows from them is done here.
    if (!Opt.EmuVt100) s.ScrollTop = s.ScrollBottom = 0;
    for (int i = 1; i <= 8; ++i) app_.platform.menus.MarkItem(platform::kEmulateMenu, i, i == item);
    o_.dialogs_.TellEmulation(Opt, EmulationNameFromFlags(Opt));
  }
  void SetMenuCommandKeys() override {
    if (SessionWindow* w = Session()) w->services.menus.SetMenuCommandKeys();
  }
  void BuildControlStrings() override { SetEditKeyStrings(korvane::BuildControlStrings()); }
  void ClearHostStrings() override { SetEditKeyStrings(korvane::ClearHostStrings()); }
  void PrinterFontFollows() override {
    SessionWindow* w = Session();
    if (!w) return;
    SessionOptions& Opt = w->session.Opt;
    // Only the program's own printer font follows the line graphics.
    if (Opt.PrinterFontChoice == 0)
      Opt.PrinterFontName = Opt.ProgramFontOption == 2 ? "KorvaneIBMPrinterFont" : "KorvanePrinterFont";
  }
  void SetHtmlCapture(bool html) override {
    if (SessionWindow* w = Session()) w->session.input.CollectHtml = html ? 1 : 0;
  }

  void StartSecureShell(const std::string& user) override {
    SessionWindow* w = Session();
    if (!w) return;
    SelectSessionWindowIfNone();
    app_.windows.ResetScrollbackView(*w);
    w->session.conn.PromptedSshUser = user;
    w->StartConnection();
  }
  void RequestKeepAlive(const std::string& password) override {
    SessionWindow* w = Session();
    o_.StartKeepAlive(w ? w->session.Opt.KeepAlive : 0, password);
  }
  void RequestHostTransfer(const ui::HostTransferChoice& choice) override {
    SessionWindow* w = Session();
    if (!w) return;
    HostTransferAnswer answer;
    answer.confirmed = true;
    answer.command = choice.fileName;
    answer.conversion = choice.conversionOn;
    answer.fieldsPerRecord = choice.fieldsPerRecord;
    answer.recordValue = choice.recordValue;
    answer.noPrompt = choice.noPrompt;
    w->services.transfers.HostTransferAnswered(answer);
  }
  void CancelHostTransfer(bool refused) override {
    SessionWindow* w = Session();
    if (!w) return;
    HostTransferAnswer answer;
    answer.refused = refused;
    w->services.transfers.HostTransferAnswered(answer);
  }
  bool StartHostNamedCapture(const std::string& path) override {
    SessionWindow* w = Session();
    if (!w) return false;
    HostInput& in = w->session.input;
    in.CaptureFileName = path;
    if (!w->services.capture.OpenCaptureFile(path)) return false;
    in.CaptureFileOn = 1;
    return true;
  }
  bool ReservedFileName(const std::string& path) override {
    SessionWindow* w = Session();
    return !w || w->settings.CheckReservedFileName(path);
  }
  std::string CaptureFolder() override { return app_.data.hostFolders.desktop; }
  void AbortCapture() override {
    if (SessionWindow* w = Session()) w->services.capture.AbortAndCloseCapture();
  }
  void AnswerHost(const std::string& text) override {
    if (SessionWindow* w = Session()) w->session.conn.SendToHost(text, 13);
  }
  void ClearDialNumber() override {
    // The serial line keeps no number between dials: each dial takes the
    // number it is given, or the QuickDial file's, which was just written.
  }

  void OpenResourceDocument(const std::string& path) override {
    const InterfaceLanguage language = LanguageOfMenus(MenuLanguage());
    const std::string wanted = platform::Utf8FromMacRoman(BareName(path));
    for (int d = 0; d <= static_cast<int>(HelpDocument::KermitInstallation); ++d) {
      const auto document = static_cast<HelpDocument>(d);
      if (BareName(HelpDocumentName(document, InterfaceLanguage::English)) == wanted ||
          BareName(HelpDocumentName(document, InterfaceLanguage::French)) == wanted) {
        o_.documents_.OpenHelpDocument(document, language);
        return;
      }
    }
    // A document the program does not carry: its absence is reported.
    o_.documents_.OpenResourceDocument2("help/" + platform::Utf8FromMacRoman(path));
  }
  std::string MenuLanguage() override { return app_.windowMenu.MenuLanguage(); }
  std::string PreferencesFolder() override {
    std::string folder = app_.prefs.PrefsFolderPath;
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
  }
  std::string ResourcesFolder() override { return app_.data.resourcesFolder + "/"; }
  std::string ProgramVersion() override {
    const std::string& text = app_.VersionText;
    return text.size() > 8 ? text.substr(8) : text;
  }

 private:
  SessionWindow* Session() { return target ? target : app_.windows.Active(); }
  void SetEditKeyStrings(const EditKeyStrings& strings) {
    if (SessionWindow* w = Session()) std::copy(strings.begin(), strings.end(), w->session.wyse.EditKeyStrings.begin());
  }

  ProgramDialogs& o_;
  App& app_;
};

// ---- The program's dialogs ------------------------------------------------------------------

ProgramDialogs::ProgramDialogs(App& app)
    : app_(app),
      host_(std::make_unique<Host>(*this)),
      documents_(app.data.resourcesFolder, app.platform.desktop, app.alerts),
      dialogs_(ui::DialogServices{app.platform.windows, app.numbered, app.alerts, app.platform.menus,
                                  app.platform.files, app.platform.fileDialogs, app.platform.clock, app.strings, *host_,
                                  &app.requiredFiles}),
      keepAlive_(app.platform.processes, app.platform.clock) {}

ProgramDialogs::~ProgramDialogs() = default;

template <class Act>
void ProgramDialogs::ForSession(SessionWindow& w, Act&& act) {
  const int number = w.Number();
  // A window closed since it was noted belongs to no one any more, whoever
  // opens it next.
  ForgetClosedWindows();
  SessionWindow* const outer = host_->target;
  host_->target = &w;
  {
    SettingsChangeWatch watch(app_.windows, &w);
    act(w.session.Opt);
  }
  host_->target = outer;
  // The windows open now that belong to no session belong to this one.
  ForgetClosedWindows();
  for (int n = 1; n < platform::kSessionWindowBase; ++n)
    if (n != platform::kStatusWindow && app_.platform.windows.Exists(n) && !owners_.count(n)) owners_[n] = number;
}

void ProgramDialogs::ForgetClosedWindows() {
  for (auto it = owners_.begin(); it != owners_.end();)
    it = app_.platform.windows.Exists(it->first) ? std::next(it) : owners_.erase(it);
}

int ProgramDialogs::OwnerOf(int window) const {
  const auto it = owners_.find(window);
  return it == owners_.end() || !app_.platform.windows.Exists(window) ? 0 : it->second;
}

SessionWindow* ProgramDialogs::SessionOfDialog(int window) {
  const int owner = OwnerOf(window);
  if (owner == 0) return app_.windows.Active();
  return app_.windows.Find(owner);
}

void ProgramDialogs::OpenDialog(SessionWindow& w, int window) {
  if (!OpensFromAMenu(window)) {
    const char* name = platform::WindowNameOf(window);
    app_.alerts.StopAlertText(platform::kPlainAlert, name ? "\"" + std::string(name) + "\"" : "This window",
                              " opens only when the program asks for what it shows.");
    return;
  }
  ForSession(w, [&](SessionOptions& Opt) {
    switch (window) {
      case platform::kAboutWindow: dialogs_.OpenAboutBox(); break;
      case ui::kEditFkeysSelectionWindow: dialogs_.OpenFkeySelection(Opt); break;
      case ui::kColoursWindow: dialogs_.OpenColours(Opt); break;
      case ui::kTelnetWindow: dialogs_.OpenTelnetOptions(Opt); break;
      case ui::kShellWindow: dialogs_.OpenShellOptions(Opt); break;
      case ui::kSshWindow: dialogs_.OpenSshOptions(Opt); break;
      case ui::kPreferencesWindow: dialogs_.OpenPreferences(Opt); break;
      case ui::kTransparencyWindow: dialogs_.OpenTransparency(Opt); break;
      case ui::kKeepAliveWindow: dialogs_.OpenKeepAlive(Opt); break;
      case ui::kModemInitWindow: dialogs_.OpenModemInitialization(Opt); break;
      case ui::kQuickDialWindow: dialogs_.OpenQuickDial(); break;
      case ui::kEditFkeysWindow: dialogs_.ConnectionDialogA(Opt, dialogs_.EditedKey()); break;
      case ui::kEditLoginScriptsWindow: dialogs_.OpenConnectionDialog(Opt, "Open Connection"); break;
      case ui::kMouseDelimiterWindow: dialogs_.RefreshDialogControl(Opt); break;
      case ui::kInternationalWindow: dialogs_.OpenInternational(Opt); break;
      case ui::kFkeyOptionsWindow: dialogs_.OpenFkeyOptions(Opt); break;
      case ui::kCaptureApplicationWindow: dialogs_.OpenCaptureApplication(Opt); break;
      case ui::kSendDelaysWindow: dialogs_.SettingsDialogB(Opt); break;
      case ui::kPasteDelayWindow: dialogs_.SettingsDialogA(Opt); break;
      case ui::kBreakSignalWindow: dialogs_.SettingsDialogC(Opt); break;
      case ui::kPreviousPageWindow: dialogs_.SettingsDialogD(Opt); break;
      case ui::kPrinterOptionsWindow: dialogs_.PrinterFontDialog(Opt); break;
      case ui::kVideoAttributesWindow: dialogs_.DialogE(Opt); break;
      case ui::kLoginScriptsWindow: dialogs_.DialogF(Opt); break;
      case ui::kTellWindow: dialogs_.TellEmulation(Opt, EmulationNameFromFlags(Opt)); break;
      case ui::kArrowKeysWindow: dialogs_.OpenArrowKeys(Opt); break;
      case ui::kSshUserNameWindow: dialogs_.OpenSshUserName(); break;
      default: break;
    }
  });
}

void ProgramDialogs::AskSshUserName(SessionWindow& w) {
  ForSession(w, [&](SessionOptions&) { dialogs_.OpenSshUserName(); });
}

void ProgramDialogs::OpenFunctionKeyEditor(SessionWindow& w) {
  ForSession(w, [&](SessionOptions& Opt) { dialogs_.ConnectionDialogA(Opt, dialogs_.EditedKey()); });
}

void ProgramDialogs::LoadFunctionKeyDocument(SessionWindow& w, const std::string& path) {
  ForSession(w, [&](SessionOptions& Opt) { dialogs_.LoadFunctionKeyDocument(path, Opt); });
}

void ProgramDialogs::OpenHostNamedFile(SessionWindow& w, const std::string& hostPath) {
  ForSession(w, [&](SessionOptions&) { dialogs_.OpenHostNamedFile(hostPath); });
}

void ProgramDialogs::OpenHostTransfer(SessionWindow& w, const std::string& command) {
  ForSession(w, [&](SessionOptions& Opt) {
    ui::HostTransferChoice choice;
    choice.fileName = command;
    choice.noPrompt = Opt.DownloadNoPrompt != 0;
    choice.prompt = !choice.noPrompt;
    choice.conversionOff = true;
    dialogs_.OpenHostTransfer(choice);
  });
}

void ProgramDialogs::OpenPhoneNumber(SessionWindow& w, const std::string& path, const std::string& number) {
  ForSession(w, [&](SessionOptions&) { dialogs_.OpenPhoneNumber(path, number); });
}

std::optional<std::string> ProgramDialogs::AskSettingsFileName(const std::string& proposed) {
  if (app_.askSettingsFileName) return app_.askSettingsFileName(proposed);
  return app_.platform.fileDialogs.ChooseNewFile(platform::FileKind::Settings,
                                                 app_.strings.Localise("Save Settings as"), proposed);
}

void ProgramDialogs::DoDialog(int window, int control) {
  if (SessionWindows::IsSessionWindow(window)) {
    // The session window's own controls act for its own session.
    if (SessionWindow* w = app_.windows.Find(window))
      ForSession(*w, [&](SessionOptions& Opt) { dialogs_.DoDialog(window, control, Opt); });
    return;
  }
  SessionWindow* w = SessionOfDialog(window);
  if (!w) {
    // Its session window has been closed: there is nothing left to store into.
    app_.numbered.SelectWindowWithColors(window);
    owners_.erase(window);
    return;
  }
  ForSession(*w, [&](SessionOptions& Opt) { dialogs_.DoDialog(window, control, Opt); });
}

void ProgramDialogs::CloseBox(int window) {
  SessionWindow* w = SessionOfDialog(window);
  bool closed = false;
  if (w) ForSession(*w, [&](SessionOptions& Opt) { closed = dialogs_.CloseBox(window, Opt); });
  if (!closed && app_.platform.windows.Exists(window)) app_.numbered.SelectWindowWithColors(window);
  if (!app_.platform.windows.Exists(window)) owners_.erase(window);
}

void ProgramDialogs::IdlePass() {
  dialogs_.IdlePass();
  if (const std::optional<KeepAliveSetup::Result> r = keepAlive_.Step()) ShowKeepAliveResult(*r);
}

void ProgramDialogs::StartKeepAlive(int minutes, const std::string& password) {
  if (keepAlive_.Running()) {
    app_.alerts.NoteAlertText(platform::kPlainAlert, "A keep-alive set-up is already running.");
    return;
  }
  // The window's text is in the program's character set; sudo reads UTF-8.
  if (const std::optional<KeepAliveSetup::Result> r = keepAlive_.Start(minutes, platform::Utf8FromMacRoman(password)))
    ShowKeepAliveResult(*r);
}

void ProgramDialogs::ShowKeepAliveResult(const KeepAliveSetup::Result& result) {
  switch (result.outcome) {
    case KeepAliveSetup::Outcome::Set: app_.alerts.PlainAlertText(platform::kPlainAlert, "Keep-Alive time set."); break;
    case KeepAliveSetup::Outcome::WrongPassword:
      app_.alerts.StopAlertText(platform::kPlainAlert, "Incorrect Admin Password.");
      break;
    case KeepAliveSetup::Outcome::Failed:
      // The last line the child printed goes below, as it printed it.
      app_.alerts.StopAlertText(platform::kPlainAlert, "The keep-alive time could not be set: ", result.reason,
                                result.code, result.lastLine.empty() ? std::string() : "\r" + result.lastLine);
      break;
  }
}

}  // namespace korvane::app
