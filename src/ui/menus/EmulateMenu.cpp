// The Emulate menu: the terminal the session emulates, with the keys and
// modes that go with it.

#include "emulation/EmulationFlags.h"
#include "settings/FunctionKeys.h"
#include "ui/dialogs/DialogNumbers.h"
#include "ui/menus/MenuDispatcher.h"
#include "ui/menus/MenuItems.h"
#include "windows/SessionWindows.h"

namespace korvane::ui {

namespace {

constexpr char kNoWindow[] = "Must open Korvane\xAA window first (Under the File Menu) ";
constexpr char kCr = 13;

struct ArrowKeys {
  const char *left, *up, *right, *down;
};

EmulationKind KindOfItem(int item) {
  using namespace emulate_item;
  switch (item) {
    case kPrism: return EmulationKind::Prism;
    case kTvi925: return EmulationKind::Tvi925;
    case kVt100: return EmulationKind::Vt100;
    case kVt220: return EmulationKind::Vt220;
    case kViewpoint: return EmulationKind::Viewpoint;
    case kWyse50: return EmulationKind::Wyse50;
    case kWyse60: return EmulationKind::Wyse60;
    default: return EmulationKind::Wyse370;
  }
}

// What the arrow keys send for an emulation (TV 925 keeps left, up and right
// as they were).
void SetArrowKeys(SessionOptions& o, int item, bool applicationCursorKeys) {
  using namespace emulate_item;
  auto set = [&o](const ArrowKeys& k) {
    o.LeftArrowString = k.left;
    o.UpArrowString = k.up;
    o.RightArrowString = k.right;
    o.DownArrowString = k.down;
  };
  switch (item) {
    case kPrism: set({"{CTU", "{CTZ", "{CTL", "{CTJ"}); break;
    case kVt100:
    case kVt220:
      if (applicationCursorKeys)
        set({"{ESOD", "{ESOA", "{ESOC", "{ESOB"});
      else
        set({"{ES[D", "{ES[A", "{ES[C", "{ES[B"});
      break;
    case kViewpoint: set({"{CTU", "{CTZ", "{CTF", "{CTJ"}); break;
    case kWyse50:
    case kWyse60:
    case kWyse370: set({"{CTH", "{CTK", "{CTL", "{CTJ"}); break;
    case kTvi925: o.DownArrowString = "{CTV"; break;
    default: break;
  }
  // The alternative editing keys take the arrows' control characters.
  if (o.AltEditKeys) set({"{CTH", "{CTK", "{CTL", "{CTV"});
}

}  // namespace

void MenuDispatcher::DoEmulateMenu(int item) {
  using namespace emulate_item;
  if (RefusedWhenLocked()) return;
  if (NeedsSessionWindow(kNoWindow)) return;
  SessionWindow& w = *Active();
  Session& s = w.session;
  SessionOptions& o = s.Opt;
  MarkChanged(w);
  Windows().ResetScrollbackView(w);
  auto toggle = [](auto& value) { value = value ? 0 : 1; };
  switch (item) {
    case kPrism:
    case kTvi925:
    case kVt100:
    case kVt220:
    case kViewpoint:
    case kWyse50:
    case kWyse60:
    case kWyse370: ApplyEmulationChoice(w, item); break;
    case kScoAnsi: ToggleScoAnsi(w); break;
    case kEmulateOption: toggle(o.EmulateOption53); break;
    case kInternationalPrism: InternationalWithPrism(w); break;
    case kExtendedAnsi:
      toggle(o.ExtendedAnsiMode);
      if (!o.ExtendedAnsiMode) {
        o.Option63 = 0;
        o.ColourModeB = 0;
      }
      break;
    case kEmulationCode: toggle(o.EmulationCode); break;
    case kArrowKeys:
      SelectSessionWindowIfNone();
      w.services.dialogs.OpenDialog(kArrowKeysWindow);
      break;
    case kVtOption: toggle(o.VtOption151); break;
    case kCapsMode:
      toggle(o.CapsMode);
      s.window.CapsModeForced = static_cast<int8_t>(o.CapsMode);
      break;
    case kInternational:
      SelectSessionWindowIfNone();
      w.services.dialogs.OpenDialog(kInternationalWindow);
      break;
    case kFkeyType1:
    case kFkeyType2: ChooseFkeyType(w, item); break;
    case kFkeyOptions:
      SelectSessionWindowIfNone();
      w.services.dialogs.OpenDialog(kFkeyOptionsWindow);
      break;
    case kEditFkeys:
      SelectSessionWindowIfNone();
      w.services.dialogs.OpenDialog(kEditFkeysSelectionWindow);
      break;
    case kFkeysHelp: documents_.OpenHelpDocument(HelpDocument::FkeysHelp, Language()); break;
    default: break;
  }
}

void MenuDispatcher::ApplyEmulationChoice(SessionWindow& w, int item) {
  using namespace emulate_item;
  Session& s = w.session;
  SessionOptions& o = s.Opt;
  Screen& sc = s.screen;
  const bool wyseFamily = item == kTvi925 || item >= kViewpoint;
  // The international characters with Prism stay chosen while Prism is.
  const bool international = o.EmuPrism && o.PrismSevenBit;
  SetArrowKeys(o, item, s.vt.CursorKeyApplicationMode != 0);
  if (o.ExtendedAnsiMode == 1) o.HiddenAttributes = 1;
  SetEmulationFlags(KindOfItem(item), o, item == kPrism && international);
  if (wyseFamily) {
    o.HiddenAttributes = item == kTvi925 ? 0 : 1;
    if (item == kWyse370 && o.AltEditKeys) o.HiddenAttributes = 0;
  }
  if (item != kWyse370) sc.WyseColourAttributes = 0;
  // The scroll region is the VT family's alone.
  if (o.EmuVt100 == 0) {
    sc.ScrollTop = 0;
    sc.ScrollBottom = 0;
    s.vt.ScrollTopSaved = 0;
  }
  if (wyseFamily) ShowEmulationNotice(w);
  w.services.capture.ShowCaptureStatus();
  if (Windows().services.windows.MainScreenResolution().width > 640) o.FontSizeName = "standard";
}

void MenuDispatcher::ShowEmulationNotice(SessionWindow& w) {
  SessionWindows& windows = Windows();
  SelectSessionWindowIfNone();
  windows.services.numbered.OpenAppWindow(kTellWindow);
  const platform::StringTable& strings = windows.services.strings;
  if (platform::Controls* c = windows.services.windows.WindowControls(kTellWindow))
    c->SetControlText(10, EmulationNameFromFlags(w.session.Opt) + strings.Localise("  selected") + "\n" +
                              strings.Localise("(with ") +
                              strings.Localise(w.session.Opt.HiddenAttributes ? "Hidden" : "Non-Hidden") +
                              strings.Localise(" Attributes)"));
  // The notice closes itself on the idle pass after a second and a half;
  // nothing waits for it.
  noticeCloseMs_ = windows.services.clock.Milliseconds() + kNoticeMs;
}

void MenuDispatcher::ToggleScoAnsi(SessionWindow& w) {
  Session& s = w.session;
  SessionOptions& o = s.Opt;
  if (o.ScoAnsiMode) {
    o.ScoAnsiMode = 0;
    o.ColourModeA = 0;
    return;
  }
  o.ScoAnsiMode = 1;
  o.ColourModeA = 1;
  o.ScreenRowsSetting = 0;
  // SCO ANSI hosts draw 25 rows: a window with fewer grows to hold them.
  if (s.screen.ScreenRows < 25) {
    FitWindowToText(w);
    s.screen.DrawFunctionKeyBar();
    s.conn.SendToHost("", kCr);
  }
}

void MenuDispatcher::InternationalWithPrism(SessionWindow& w) {
  SessionOptions& o = w.session.Opt;
  const bool on = o.EmuPrism && o.PrismSevenBit;
  if (o.HostCharacterSet != 14 && on) {
    Alerts().StopAlertText(platform::kPlainAlert,
                           "Cannot change this option when using Prism emulation and International characters", " ",
                           " ", " ");
    return;
  }
  if (on) {
    o.PrismSevenBit = 0;
    return;
  }
  // The emulation becomes Prism, and only Prism: no flag of the emulation
  // before it is left set.
  SetEmulationFlags(EmulationKind::Prism, o, true);
  o.PrismSevenBit = 1;
  w.services.capture.ShowCaptureStatus();
}

void MenuDispatcher::ChooseFkeyType(SessionWindow& w, int item) {
  if (Alerts().CautionAlertText(platform::kQuestionAlert,
                                "Changing the Fkey type will reset the commands and Titles back to default") == 2)
    return;
  SessionOptions& o = w.session.Opt;
  o.FkeySetType = item == emulate_item::kFkeyType1 ? 0 : 1;
  LoadBuiltInKeyLabels(o);
  w.session.screen.DrawFunctionKeyBar();
  w.session.screen.RepaintPending = 1;
}

}  // namespace korvane::ui
