// The Window menu: the session windows listed after its fixed items, and the
// fixed items themselves: the text size, the 80-column and wide layouts,
// auto-wrap, the Colors and Transparency windows, full screen, and stepping
// through the session windows.

#include <algorithm>

#include "ui/dialogs/DialogNumbers.h"
#include "ui/menus/MenuDispatcher.h"
#include "ui/menus/MenuItems.h"
#include "windows/SessionWindows.h"

namespace korvane::ui {

namespace {

// The scroll bar along the session window's right edge and the margin left
// of the first column (the session window's own layout).
constexpr int kScrollBarWidth = 16;
constexpr int kLeftMargin = 4;
constexpr int kRowsShown = 24;

}  // namespace

void MenuDispatcher::DoWindowMenu(int item) {
  SessionWindow* w = Active();
  // While the host's text is being collected, the window stays as it is.
  if (w && w->session.input.CollectMode) return;
  if (item > platform::kWindowMenuFixedItems) {
    if (const int window = Windows().services.windowMenu.WindowOfItem(item)) host_.RequestWindowSelect(window);
    return;
  }
  DoFontSizeMenu(item);
}

void MenuDispatcher::DoFontSizeMenu(int item) {
  using namespace window_item;
  SessionWindow* w = Active();
  if (!w) return;
  SessionOptions& o = w->session.Opt;
  switch (item) {
    case kStandardFont:
    case kLargeStandardFont: StandardFont(*w, item == kLargeStandardFont); break;
    case k16Point:
    case k18Point:
    case k24Point: PointSize(*w, item); break;
    case kColours:
      if (RefusedWhenLocked()) break;
      SelectSessionWindowIfNone();
      w->services.dialogs.OpenDialog(kColoursWindow);
      break;
    case kTransparency:
      SelectSessionWindowIfNone();
      w->services.dialogs.OpenDialog(kTransparencyWindow);
      break;
    case kEightyColumns:
      if (o.FontSizeMode != 0) Layout(*w, false);
      break;
    case kWideColumns:
      if (o.FontSizeMode == 0) Layout(*w, true);
      break;
    case kNinePointWide:
    case kSixPointWide: WideTextOption(*w, item); break;
    case kAutoWrap: {
      MarkChanged(*w);
      o.AutoWrapOn = o.AutoWrapOn ? 0 : 1;
      Screen& sc = w->session.screen;
      sc.ScreenCols = static_cast<int16_t>(
          std::clamp<int>(o.AutoWrapOn ? sc.ColumnsSetting : w->ColumnsForChild(), 1, kMaxScreenCols));
      break;
    }
    case kFullScreen: FullScreen(*w); break;
    case kNextWindow:
    case kPreviousWindow: StepWindow(*w, item == kNextWindow); break;
    default: break;
  }
}

void MenuDispatcher::FitWindowToText(SessionWindow& w) {
  SessionWindows& windows = Windows();
  Session& s = w.session;
  Screen& sc = s.screen;
  sc.ComputeCellMetrics();
  // The rows the window shows: 24, and 25 for an SCO ANSI host; large type
  // has one row more than its height alone gives, and above 24 rows one row
  // of the height is kept for the status line.
  const int wanted = s.Opt.ScoAnsiMode ? kRowsShown + 1 : kRowsShown;
  const int byHeight = wanted - (s.Opt.FontSize > 16 ? 1 : 0);
  const int fit = byHeight > kRowsShown ? byHeight + 1 : byHeight;
  int width = sc.CellWidth * (sc.ColumnsSetting + 1) + kScrollBarWidth + kLeftMargin;
  int height = 9 + sc.CellHeight * (fit + 3);
  const platform::Size screen = windows.services.windows.MainScreenSize();
  if (screen.width > 0) width = std::min(width, screen.width);
  if (screen.height > 0) height = std::min(height, screen.height);
  const int n = w.Number();
  if (!windows.services.windows.IsFullScreen(n)) windows.services.windows.SetContentSize(n, width, height);
  // The screen, its scroll bar and the child's terminal follow the window.
  windows.DoWindowEvent(5, n);
  windows.RedrawWindowAfterResize(w);
  sc.RepaintPending = 1;
}

void MenuDispatcher::StandardFont(SessionWindow& w, bool large) {
  Session& s = w.session;
  SessionOptions& o = s.Opt;
  Screen& sc = s.screen;
  MarkChanged(w);
  if (Windows().flags.NoSessionWindow) {
    Windows().ResetScrollbackView(w);
    SelectSessionWindow();
  }
  const int16_t row = sc.CursorRow(), col = sc.CursorCol();
  o.LargeFontChoice = large ? 1 : 0;
  o.PlainFaceSwitch = 0;
  o.FontOption139 = 0;
  o.FontOption138 = large ? 1 : 0;
  if (!large) o.FontSizeName = "standard";
  // A point size left without its font size (a settings file's) goes too.
  if (o.FontSize != 0 || o.TextSizeValue > 12) {
    o.FontSize = 0;
    o.TextSizeValue = 12;
  }
  FitWindowToText(w);
  AfterTextSizeChange(w, row, col);
}

// After a change of the text's size: the bar again below the text, the
// cursor where it was (inside the new screen), the capture marks, a repaint.
void MenuDispatcher::AfterTextSizeChange(SessionWindow& w, int16_t row, int16_t col) {
  Screen& sc = w.session.screen;
  if (w.session.Opt.HostFeatureOption == 0) sc.RemoveFunctionKeyBar();
  sc.DrawFunctionKeyBar();
  sc.SetCursor(row, col);
  sc.ClampCursor();
  w.services.capture.ShowCaptureStatus();
  sc.RepaintPending = 1;
}

void MenuDispatcher::PointSize(SessionWindow& w, int item) {
  using namespace window_item;
  const platform::Size screen = Windows().services.windows.MainScreenResolution();
  if (item == k18Point && (screen.width < 1024 || screen.height < 768)) {
    Alerts().StopAlertText(platform::kPlainAlert,
                           "Your monitor resolution must be at least 1024 X 768 to use 18 point font.");
    return;
  }
  if (item == k24Point && (screen.width < 1280 || screen.height < 800)) {
    Alerts().StopAlertText(platform::kPlainAlert,
                           "Your monitor resolution must be at least 1280 X 800 to use 24 point font.");
    return;
  }
  Session& s = w.session;
  SessionOptions& o = s.Opt;
  Screen& sc = s.screen;
  MarkChanged(w);
  const int16_t row = sc.CursorRow(), col = sc.CursorCol();
  const int16_t size = item == k16Point ? 16 : item == k18Point ? 18 : 24;
  o.FontSize = size;
  o.TextSizeValue = size;
  o.FontOption139 = item == k16Point ? 0 : 1;
  o.FontOption138 = item == k16Point ? 1 : 0;
  o.LargeFontChoice = 0;
  o.PlainFaceSwitch = 1;
  o.StatusOption17 = 0;
  o.FontSizeName.clear();
  FitWindowToText(w);
  sc.PaintTextAreaBackground();
  AfterTextSizeChange(w, row, col);
}

void MenuDispatcher::Layout(SessionWindow& w, bool wide) {
  Session& s = w.session;
  SessionOptions& o = s.Opt;
  Screen& sc = s.screen;
  MarkChanged(w);
  if (!wide) {
    o.FontSizeMode = 0;
    sc.ColumnsSetting = 80;
  } else {
    // A window narrower than the wide layout needs is widened a little, and
    // shows 128 columns.
    const int width = sc.port.Width();
    const bool narrow = width < 640 && sc.ScrollBottom == 0;
    if (narrow) {
      const platform::Size now = Windows().services.windows.ContentSize(w.Number());
      Windows().services.windows.SetContentSize(w.Number(), width + 20, now.height);
    }
    o.FontSizeMode = 1;
    sc.ColumnsSetting = narrow ? 128 : o.PlainFaceSwitch ? 132 : 156;
  }
  sc.ComputeCellMetrics();
  if (o.HostFeatureOption == 0) sc.RemoveFunctionKeyBar();
  Windows().DoWindowEvent(5, w.Number());
  sc.ScreenCols =
      static_cast<int16_t>(std::clamp<int>(o.AutoWrapOn ? sc.ColumnsSetting : w.ColumnsForChild(), 1, kMaxScreenCols));
  if (o.HostFeatureOption) s.window.WindowSizeRequest = 1;
  Windows().RedrawWindowAfterResize(w);
  sc.RepaintPending = 1;
}

void MenuDispatcher::WideTextOption(SessionWindow& w, int item) {
  Session& s = w.session;
  SessionOptions& o = s.Opt;
  Screen& sc = s.screen;
  MarkChanged(w);
  const bool nine = item == window_item::kNinePointWide;
  int8_t& option = nine ? o.FontOption138 : o.FontOption139;
  int8_t& other = nine ? o.FontOption139 : o.FontOption138;
  const bool wideRoom = o.FontSizeMode != 0 && sc.port.Width() > 639;
  if (option) {
    option = 0;
    if (!other) o.PlainFaceSwitch = 0;
    if (wideRoom) sc.ColumnsSetting = 156;
  } else {
    option = 1;
    other = 0;
    o.PlainFaceSwitch = 1;
    if (wideRoom) sc.ColumnsSetting = 132;
    if (Windows().services.windows.MainScreenResolution().width < 792)
      Alerts().StopAlertText(
          platform::kPlainAlert,
          "OK! But you won't be able to see all 132 columns on the screen unless your monitor is at least 800 pixels "
          "wide",
          " ", " ");
  }
  sc.ComputeCellMetrics();
  if (o.FontSizeMode != 0) {
    sc.ScreenCols = static_cast<int16_t>(
        std::clamp<int>(o.AutoWrapOn ? sc.ColumnsSetting : w.ColumnsForChild(), 1, kMaxScreenCols));
    if (o.UsesPty) s.window.WindowSizeRequest = 1;
  }
  sc.RepaintPending = 1;
}

void MenuDispatcher::FullScreen(SessionWindow& w) {
  if (!FrontIsActiveSession()) return;
  // The status rows below the screen are drawn again at the new size.
  w.session.screen.ClearStatusRows();
  Windows().services.windows.ToggleFullScreen(w.Number());
}

void MenuDispatcher::StepWindow(SessionWindow& w, bool next) {
  const std::vector<int> open = Windows().Numbers();
  if (open.size() < 2) return;
  const int here = w.Number();
  int chosen = 0;
  if (next) {
    const auto above = std::upper_bound(open.begin(), open.end(), here);
    chosen = above != open.end() ? *above : open.front();
  } else {
    const auto at = std::lower_bound(open.begin(), open.end(), here);
    chosen = at != open.begin() ? *(at - 1) : open.back();
  }
  if (chosen == here) return;
  Screen& sc = w.session.screen;
  if (sc.CursorDrawn) sc.EraseTextCursor();
  host_.RequestWindowSelect(chosen);
}

}  // namespace korvane::ui
