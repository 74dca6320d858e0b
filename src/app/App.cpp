// The main loop: one turn at a time, the event vectors, the handler dispatch
// and the quit sequence.

#include "app/App.h"
#include "app/AppScripting.h"
#include "app/ClipboardLoop.h"
#include "app/TransferLoop.h"

#include <algorithm>
#include <cstdlib>

#include "app/SettingsChangeWatch.h"
#include "settings/SettingsText.h"
#include "platform/MenuNumbers.h"

namespace korvane::app {

namespace {

// Return in a dialog window presses its default button.
struct DefaultButton {
  int window, button;
};
constexpr DefaultButton kDefaultButtons[] = {
    {25, 9}, {16, 8}, {15, 8}, {17, 3}, {24, 1}, {18, 10}, {13, 8}, {20, 1}, {26, 1}, {46, 1}, {29, 1},
    {30, 1}, {31, 1}, {32, 1}, {33, 1}, {35, 1}, {36, 1},  {37, 1}, {38, 1}, {39, 1}, {40, 1},
};

// Host commands name the program's own documents in its data folder.
StartupData WithResourcesForHosts(StartupData data) {
  data.hostFolders.resources = data.resourcesFolder;
  return data;
}

}  // namespace

App::App(Platform& p, EventQueue& q, StartupData d)
    : platform(p),
      queue(q),
      data(WithResourcesForHosts(std::move(d))),
      alerts(p.alerts, p.cursors, strings),
      requiredFiles(alerts, p.fileDialogs),
      busy(p.cursors),
      windowMenu(p.menus),
      numbered(p.windows, platform::WindowFlags{&flags.StartUpFlag, &flags.Quitting, &flags.ActiveWindowNumber,
                                                &flags.EventTimeSlice}),
      prefs(data.preferencesFolder),
      statusStrip(p.windows, strings),
      printServices(p.printing, p.files, alerts, p.programs, p.clock, prefs.PrefsFolderPath),
      captureShared(printServices, p.fileDialogs, p.clipboard, statusStrip, numbered, p.windows, p.clock),
      dialogs(*this),
      serialLines(p.serialPorts, data.preferencesFolder, p.menus),
      scripting(std::make_unique<AppScripting>(*this)),
      services(AppServiceParts{alerts, p.menus, p.sounds, keyState, askSettingsFileName, captureShared, dialogs,
                               serialLines, strings, scripting->Scripts(), p.programs, p.pictureFiles}),
      windows(WindowServices{p.windows, p.menus, p.clock, p.files, p.processes, alerts, busy, windowMenu, numbered,
                             strings, prefs, data.programs, p.desktop, data.hostFolders,
                             p.sessionServices ? *p.sessionServices : services},
              flags),
      keys(std::make_unique<SessionKeyTranslation>(keyState, rawKey, p.clock)),
      menuHandlers(std::make_unique<ui::MenuDispatcher>(menuHost)) {
  keyState.liveKeys = p.liveKeys;
  windows.services.requiredFiles = &requiredFiles;
  serialLines.fileDialogs = &p.fileDialogs;
  strings.Load(data.stringTable);
  alerts.LoadErrorMessages(data.errorMessages);
  alerts.onQuitNow = [this] { QuitNow(); };
  numbered.applySessionColours = [this] {
    if (SessionWindow* w = windows.Active()) w->session.screen.SetDrawColoursForAttribute();
  };
  windows.onNewWindow = [this](SessionWindow& w) { ReadyForCommunications(w); };
  // A document a host asked for opens by its kind on the next idle pass.
  windows.onOpenDocument = [this](const std::string& path) { DocumentsPending.push_back(path); };
  if (p.cellPictures && p.selectionFrame)
    services.UseClipboard(output::ClipboardPlatform{p.clipboard, *p.cellPictures, p.selectionFrame});
  // Program start: the first turn completes start-up.
  flags.EventTimeSlice = 1;
  HandlerSelector = kAppleEventHandler;
  HandlerKind = 1;
  VersionText = "Version " + std::string(data.programs.VersionText.size() > 8 ? data.programs.VersionText.substr(8)
                                                                              : std::string("0"));
}

App::~App() = default;

void App::OpenDocuments(const std::vector<std::string>& paths) {
  for (const std::string& path : paths) {
    const std::string name = FileBaseName(path);
    if (name == "International" || name == "Fkeydefaults") continue;
    if (!prefs.StartupComplete)
      prefs.PendingDocuments.push_back(path);
    else
      DocumentsPending.push_back(path);
  }
}

int App::Run() {
  while (!finished_) Turn();
  return exitStatus_;
}

SessionWindow* App::ActiveInFront() {
  SessionWindow* w = windows.Active();
  if (!w || !windows.InFront(w->Number())) return nullptr;
  return w;
}

HostLink* App::WatchedLink() {
  SessionWindow* w = ActiveInFront();
  if (!w || w->session.input.HoldOutput || w->session.input.OutputHeld) return nullptr;
  HostLink* link = w->session.conn.Link();
  // A stream that has ended reads as ready for ever: it is not watched.
  if (!link || link->Ended()) return nullptr;
  return link;
}

void App::Turn() {
  if (finished_) return;
  // The window system delivers its events (or has some waiting already).
  // Until one comes, the last event is a null event.
  keyState.LastEventRecord.what = input::kNullEvent;
  platform.pump.Deliver(SerialWaitTicks(queue.Empty() ? LoopWaitTicks() : 0), WatchedLink());
  // Each event in arrival order: its vector, the wheel, the handler and
  // the pass after an event.
  bool anyEvent = false;
  while (auto e = queue.Pop()) {
    anyEvent = true;
    RunEvent(*e);
    if (finished_) return;
  }
  if (!anyEvent) {
    // A turn without events dispatches what the last turn left (the idle
    // handler), then runs the idle pass.
    WheelPass();
    Dispatch();
    HandlerSelector = kEventAndIdleHandler;
    HandlerKind = 7;
    DoEventAndIdle();
    KeyPass();
  }
  // The session windows' clicks, selection flashes and pastes go on.
  StepSessionClipboards(windows, ActiveInFront(), HeldModifiers(platform.liveKeys));
  // Their sends, downloads and pictures go on.
  StepSessionTransfers(windows);
  StepSerialLines();
  // The periodic pass, every 30 ticks while a session window is in front.
  const int64_t now = platform.clock.Ticks();
  if (now - LastPeriodicTick > 30) {
    if (SessionWindows::IsSessionWindow(platform.windows.FrontWindow())) {
      HandlerKind = 4;
      if (onDispatch) onDispatch(kAppleEventHandler, 4);
      PeriodicPass();
    }
    LastPeriodicTick = platform.clock.Ticks();
  }
  // Quit.
  if (flags.QuitFlag != 0) QuitSequence();
}

namespace {

// The classic record of an event, which the key routines read while it is
// handled.
input::EventRecord RecordOf(const platform::UiEvent& e) {
  using namespace platform;
  input::EventRecord r;
  switch (e.kind) {
    case UiEventKind::Dialog:
      if (e.type == kKeyTyped || e.type == kCommandKeyTyped) return input::KeyEventRecord(e.key);
      if (e.type == kWindowActivated) r.what = input::kActivateEvent;
      if (e.type == kContentDraw) r.what = input::kUpdateEvent;
      if (e.type == kControlHit || e.type == kInactiveClick || e.type == kCloseBox) r.what = input::kMouseDownEvent;
      break;
    case UiEventKind::Click:
      r.what = input::kMouseDownEvent;
      r.modifiers = e.modifiers;
      break;
    default: break;
  }
  return r;
}

}  // namespace

void App::RunEvent(const platform::UiEvent& e) {
  keyState.LastEventRecord = RecordOf(e);
  // Every key reaches the raw key-down handler before its event is handled.
  if (e.kind == platform::UiEventKind::Dialog &&
      (e.type == platform::kKeyTyped || e.type == platform::kCommandKeyTyped) && !e.key.autoRepeat) {
    rawKey.RawKeyDownHandler(e.key);
    LastKeyWindow = e.window;
  }
  switch (e.kind) {
    case platform::UiEventKind::Dialog: DialogEventHandler(e); break;
    case platform::UiEventKind::Menu: MenuEventVector(e); break;
    case platform::UiEventKind::Click:
    case platform::UiEventKind::Drag:
    case platform::UiEventKind::Release: OtherEventVector(e); break;
    case platform::UiEventKind::Wheel:
      WheelMoved = 1;
      // Wheel steps that arrive together add up.
      WheelDelta = static_cast<int32_t>(
          std::clamp<int64_t>(int64_t{WheelDelta} + e.wheelDelta, -kMaxWheelLines, kMaxWheelLines));
      break;
    case platform::UiEventKind::Quit: flags.QuitFlag = static_cast<int8_t>(-1); break;
  }
  WheelPass();
  Dispatch();
  HandlerSelector = kEventAndIdleHandler;
  HandlerKind = 8;
  DoEventAndIdle();
  KeyPass();
  if (flags.QuitFlag != 0) QuitSequence();
}

void App::KeyPass() {
  if (!MacFunctionKeyPending) return;
  HandlerSelector = kEventAndIdleHandler;
  HandlerKind = 5;
  MacFunctionKeyPending = 0;
  DoEventAndIdle();
  MacFunctionKeyNumber = 0;
}

void App::WheelPass() {
  if (!WheelMoved) return;
  // The wheel moves the view of the session window it turned over, when
  // that window is the front window itself.
  SessionWindow* w = ActiveInFront();
  if (w && platform.windows.FrontWindow() == w->Number() && !ScrollBarTracking && !AppInBackground) {
    Screen& s = w->session.screen;
    // As many lines as the wheel moved, in either direction.
    const int steps = std::max(1, WheelDelta < 0 ? -WheelDelta : WheelDelta);
    for (int i = 0; i < steps; ++i) {
      if (WheelDelta > 0 && s.ScrollBackViewLine > s.ScreenRowsForHeight()) s.ScrollBackViewLineUp();
      if (WheelDelta < 0 && s.ScrollBackViewLine < s.ScrollBackLinePos) s.ScrollBackViewLineDown();
    }
  }
  WheelMoved = 0;
  WheelDelta = 0;
}

void App::Dispatch() {
  const int16_t handler = HandlerSelector;
  if (onDispatch && handler != kNoHandler && handler != kEventAndIdleHandler && handler <= kEventAndIdleHandler &&
      handler != 6)
    onDispatch(handler, HandlerKind);
  switch (handler) {
    case kAppleEventHandler: DoAppleEvent(); break;
    case kMenuHandler: {
      // A menu item that changes a saved setting marks it changed.
      SettingsChangeWatch watch(windows, windows.Active());
      DoMenu();
      break;
    }
    case kDialogHandler: DoDialog(); break;
    case kMouseHandler: DoMouse(); break;
    case kWindowEventHandler:
      windows.DoWindowEvent(HandlerKind, EventWindowNumber);
      if (HandlerSelector == kWindowEventHandler) HandlerSelector = kNoHandler;
      break;
    case kEventAndIdleHandler: DoEventAndIdle(); break;
    default: break;
  }
}

void App::DoAppleEvent() {
  switch (HandlerKind) {
    case 1: OpenApplication(); break;
    case 4: PeriodicPass(); break;
    case 5: QuitActions(); break;
    default: break;
  }
  if (HandlerSelector == kAppleEventHandler) HandlerSelector = kNoHandler;
}

// ---- The event vectors --------------------------------------------------------------------

void App::DialogEventHandler(const platform::UiEvent& e) {
  using namespace platform;
  if (platform.windows.FrontWindow() == 0 && e.type != kAppActivated) return;
  // Ctrl+. ends a paste under way and goes no further.
  if (EndPasteOnStopKey(windows, e)) return;
  // Ctrl+. stops a send or a download; the output hold and the count of
  // lines sent have their keys.
  if (TransferKeys(windows, e)) return;
  // The window the event came from (a later event of the same time slice can
  // no longer point an earlier one at another window).
  EventWindowNumber = e.window;
  DialogWindow = e.window;
  const bool session = SessionWindows::IsSessionWindow(e.number);
  switch (e.type) {
    case kInactiveClick:
      if (session) {
        HandlerSelector = kWindowEventHandler;
        EventWindowNumber = e.number;
        HandlerKind = 7;
      }
      break;
    case kCloseBox:
      if (session) {
        HandlerSelector = kWindowEventHandler;
        EventWindowNumber = e.number;
        HandlerKind = 1;
      } else if (e.number > 0 && e.number < platform::kSessionWindowBase) {
        // A dialog window's close box does what its Cancel does.
        HandlerSelector = kDialogHandler;
        DialogWindow = e.number;
        DialogControl = 0;
        DialogCloseBoxHit = 1;
      }
      break;
    case kWindowActivated:
      // An activation that a later one has overtaken is no longer true: only
      // the window now in front is made the active session.
      if (session && platform.windows.FrontWindow() == e.number) {
        HandlerSelector = kWindowEventHandler;
        EventWindowNumber = e.number;
        HandlerKind = 3;
        MouseGuard = 1;
      }
      break;
    case kSizeChanged:
      if (session) {
        if (SessionWindow* w = windows.Find(e.number)) {
          Screen& s = w->session.screen;
          s.ClearStatusRows();
          if (s.PicturesShown) s.BarRedrawRequest = 1;
        }
        HandlerSelector = kWindowEventHandler;
        EventWindowNumber = e.number;
        HandlerKind = 5;
      }
      break;
    case kControlHit: {
      SessionWindow* w = windows.Find(e.window);
      if (w && e.number == kScrollBarControl && w->session.Opt.ScrollBackOn == 1) {
        // The scroll bar moves the view itself, at once.
        w->session.screen.DrawScrollbackView();
      } else {
        HandlerSelector = kDialogHandler;
        DialogWindow = e.window;
        DialogControl = e.number;
      }
      break;
    }
    case kKeyTyped: {
      if (e.number == 13 && !SessionWindows::IsSessionWindow(e.window)) {
        for (const auto& d : kDefaultButtons) {
          if (d.window != e.window) continue;
          DialogWindow = e.window;
          DialogControl = static_cast<int16_t>(d.button);
          HandlerSelector = kDialogHandler;
        }
        break;
      }
      if (SessionWindows::IsSessionWindow(e.window)) {
        HandlerKind = 5;
        PendingKey = e.key;
        PendingKeyWaiting = 1;
        PendingKeyWindow = e.window;
        HandlerSelector = kEventAndIdleHandler;
      }
      break;
    }
    case kAppActivated:
      if (e.number == 1) {
        flags.EventTimeSlice = 1;
        AppInBackground = 0;
      } else if (e.number == 2) {
        flags.EventTimeSlice = 30;
        AppInBackground = 1;
      }
      break;
    case kWindowNotice:
      if (e.number == 3 && SessionWindows::IsSessionWindow(e.window)) {
        HandlerSelector = kWindowEventHandler;
        HandlerKind = 6;
      }
      break;
    default: break;
  }
}

void App::MenuEventVector(const platform::UiEvent& e) {
  HandlerSelector = kMenuHandler;
  MenuNumber = e.number;
  MenuItem = e.item;
}

void App::OtherEventVector(const platform::UiEvent& e) {
  LastClick = e;
  // The click that brought a window to the front is not a click in it (the
  // drags and the release of an ignored press find nothing to act on).
  if (e.kind == platform::UiEventKind::Click && (MouseGuard || IgnoreNextClick)) return;
  HandlerSelector = kMouseHandler;
}

// ---- Menus, dialogs and the mouse -----------------------------------------------------------

void App::DoMenu() {
  menuHandlers->DoMenu(MenuNumber, MenuItem);
  HandlerSelector = kNoHandler;
}

void App::DoDialog() {
  if (DialogCloseBoxHit) {
    DialogCloseBoxHit = 0;
    dialogs.CloseBox(DialogWindow);
  } else {
    dialogs.DoDialog(DialogWindow, DialogControl);
  }
  busy.ShowArrow();
  if (HandlerSelector == kDialogHandler) HandlerSelector = kNoHandler;
}

void App::DoMouse() {
  DialogControl = 0;
  if (HandlerSelector == kMouseHandler) HandlerSelector = kNoHandler;
  // The active session window's text area: clicks, drags and releases go to
  // its mouse.
  SessionWindow* w = ActiveInFront();
  if (w && LastClick.window == w->Number()) DeliverMouseEvent(*w, LastClick);
}

// ---- Quitting ----------------------------------------------------------------------------------

void App::QuitSequence() {
  flags.QuitFlag = 0;
  flags.Quitting = 1;
  // The highest-numbered window becomes the active one; each close then
  // leaves the next highest.
  auto highest = [this] {
    const std::vector<int> open = windows.Numbers();
    return open.empty() ? 0 : open.back();
  };
  if (const int top = highest()) {
    flags.ActiveWindowNumber = static_cast<int16_t>(top);
    platform.windows.BringToFront(top);
  }
  while (windows.Count() > 1) {
    const int top = highest();
    flags.ActiveWindowNumber = static_cast<int16_t>(top);
    EventWindowNumber = static_cast<int16_t>(top);
    HandlerKind = 1;
    const int before = windows.Count();
    windows.DoWindowEvent(1, top);
    ClosedAtQuit = 1;
    if (windows.Count() >= before) break;  // nothing was closed: do not loop for ever
  }
  if (ClosedAtQuit) {
    ClosedAtQuit = 0;
    if (const int last = highest()) {
      flags.ActiveWindowNumber = static_cast<int16_t>(last);
      windows.LastActiveWindow = 0;
      windows.DoWindowEvent(3, last);
    }
  }
  HandlerKind = 5;
  QuitActions();
  // The children of the windows still open are hung up and reaped, and the
  // windows' temporary settings files go.
  windows.CloseAllConnections();
  windows.DeleteTempSettingsFiles();
  finished_ = true;
  exitStatus_ = 0;
}

void App::QuitActions() {
  flags.Quitting = 1;
  if (flags.NoSessionWindow) {
    flags.NoSessionWindow = 0;
    if (SessionWindow* w = windows.Active()) platform.windows.BringToFront(w->Number());
  }
  HangUpModemsForQuit();
  ConfirmQuitWithClipboardPrint();
  // The active window's page format is the one the next run starts with.
  if (SessionWindow* w = windows.Active()) printServices.pageSetup.SavePageSetupFile(w->Number());
}

void App::ConfirmQuitWithClipboardPrint() {
  SessionWindow* w = windows.Active();
  if (!w) return;
  Session& s = w->session;
  if (s.input.PrinterOn && s.Opt.UseClip) {
    if (alerts.CautionAlertText(platform::kPrintOrQuitAlert,
                                "The Clipboard contains data waiting to print.  Print now or Quit?") == 1)
      w->services.capture.PrintBeforeQuit();
  }
}

void App::EndWithoutSaving() {
  for (const int n : windows.Numbers())
    if (SessionWindow* w = windows.Find(n); w && w->session.input.CaptureFileOn) w->services.capture.CloseCaptureFile();
  windows.CloseAllConnections();
  windows.DeleteTempSettingsFiles();
  finished_ = true;
  exitStatus_ = 0;
}

void App::QuitNow() {
  windows.CloseAllConnections();
  dialogs.EndKeepAlive();
  std::exit(1);
}

std::string App::FindInResources(const std::string& name) {
  const std::string path = data.resourcesFolder + "/" + name;
  if (!data.resourcesFolder.empty() && platform.files.Exists(path)) return path;
  alerts.StopAlertText(platform::kRequiredFileAlert, name, " not found in Resources folder");
  return {};
}

void App::Wait(int64_t milliseconds) {
  const int64_t end = platform.clock.Milliseconds() + milliseconds;
  for (int64_t now = platform.clock.Milliseconds(); now < end; now = platform.clock.Milliseconds()) {
    const int ticks = static_cast<int>(std::max<int64_t>(1, (end - now) * 60 / 1000));
    platform.pump.Deliver(ticks, nullptr);
  }
}

}  // namespace korvane::app
