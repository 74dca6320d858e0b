#include "ui/menus/MenuMarks.h"

#include <cstdlib>

#include "connection/SerialMenuItems.h"
#include "emulation/EmulationFlags.h"
#include "ui/menus/MenuItems.h"
#include "windows/SessionWindows.h"

namespace korvane::ui {

int EmulationItemOfFlags(const std::string& emulationName) {
  static constexpr const char* kNames[] = {"Prism",     "TV 925",  "VT100",   "VT220",
                                           "Viewpoint", "Wyse 50", "Wyse 60", "Wyse 370"};
  for (int i = 0; i < 8; ++i)
    if (emulationName == kNames[i]) return i + 1;
  return 0;
}

std::string FullScreenItemText(bool fullScreen) { return fullScreen ? "Exit Full Screen" : "Enter Full Screen"; }

void ShowSessionMarks(SessionWindow& w) {
  SessionWindows& windows = w.Owner();
  // The menu bar is the active session's.
  if (windows.flags.ActiveWindowNumber != w.Number()) return;
  platform::Menus& m = windows.services.menus;
  const Session& s = w.session;
  const SessionOptions& o = s.Opt;
  auto mark = [&m](int menu, int item, bool on) { m.MarkItem(menu, item, on); };

  // Connection: the kind, kermit, connecting at start.
  {
    using namespace connection_item;
    const int kind = !o.UsesPty ? kSerial : o.TelnetSession ? kTelnet : o.SshSession ? kSecureShell : kLocalShell;
    for (int item : {kSerial, kLocalShell, kTelnet, kSecureShell}) mark(platform::kConnectionMenu, item, item == kind);
    mark(platform::kConnectionMenu, kKermit, o.KermitMode != 0);
    mark(platform::kConnectionMenu, kAutoConnect, o.AutoConnect != 0);
  }
  // Emulate.
  {
    using namespace emulate_item;
    const int chosen = EmulationItemOfFlags(EmulationNameFromFlags(o));
    for (int item = kPrism; item <= kWyse370; ++item) mark(platform::kEmulateMenu, item, item == chosen);
    mark(platform::kEmulateMenu, kScoAnsi, o.ScoAnsiMode != 0);
    mark(platform::kEmulateMenu, kEmulateOption, o.EmulateOption53 != 0);
    mark(platform::kEmulateMenu, kInternationalPrism, o.EmuPrism != 0 && o.PrismSevenBit != 0);
    mark(platform::kEmulateMenu, kExtendedAnsi, o.ExtendedAnsiMode != 0);
    mark(platform::kEmulateMenu, kEmulationCode, o.EmulationCode != 0);
    mark(platform::kEmulateMenu, kVtOption, o.VtOption151 != 0);
    mark(platform::kEmulateMenu, kCapsMode, o.CapsMode != 0);
    mark(platform::kEmulateMenu, kFkeyType1, o.FkeySetType == 0);
    mark(platform::kEmulateMenu, kFkeyType2, o.FkeySetType == 1);
  }
  // The serial line: rates (dimmed for a pseudo-terminal), the 8th bit, the
  // plain-text path, flow control and the character format.
  FillBaudRateMenu(m, static_cast<int8_t>(o.UsesPty), o.BaudRate);
  mark(platform::kPortSettingsMenu, port_item::kStripEighthBit, o.NationalCharsOff == 0);
  mark(kPlainTextMenu, plain_item::kEmulation, s.input.PlainTextMode == 0);
  mark(kPlainTextMenu, plain_item::kPlainText, s.input.PlainTextMode != 0);
  mark(kPlainTextMenu, plain_item::kSerialOption1, o.SerialRequiredOption == 1);
  mark(kPlainTextMenu, plain_item::kSerialOption2, o.SerialRequiredOption == 2);
  for (int item = 1; item <= 3; ++item)
    mark(kFlowControlMenu, item, o.XonXoffOn == (item == 1 ? 1 : item == 2 ? 2 : 0));
  // The serial-port menu: every port it lists, the session's own checked
  // (the port it has open, else the one its settings name).
  const int16_t chosen = s.conn.ConnectionPort != 0 ? s.conn.ConnectionPort : o.ConnectionPort;
  const int port = chosen < 0 ? -chosen : chosen;
  for (int item = 1; item <= m.CountItems(platform::kSerialPortMenu); ++item) {
    m.EnableItem(platform::kSerialPortMenu, item, true);
    mark(platform::kSerialPortMenu, item, item == port);
  }
  mark(kSerialFormatMenu, 1, o.DataBits == 0);
  mark(kSerialFormatMenu, 2, o.DataBits == 1);
  mark(kSerialFormatMenu, 3, o.Parity == 0);
  mark(kSerialFormatMenu, 4, o.Parity == 2);
  mark(kSerialFormatMenu, 5, o.Parity == 1);
  // Dialling.
  mark(platform::kDialerMenu, dialer_item::kTone, o.DialMode == "T");
  mark(platform::kDialerMenu, dialer_item::kPulse, o.DialMode == "P");
  mark(platform::kDialerMenu, dialer_item::kModemDtr, o.ModemDtrOption != 0);
  // Capture.
  {
    using namespace recorder_item;
    mark(platform::kRecorderMenu, kRecorder, s.input.CaptureFileOn != 0);
    mark(platform::kRecorderMenu, kClipboardOn, s.input.ClipboardCapture != 0);
    mark(platform::kRecorderMenu, kClipboardOption, o.ClipboardOption41 != 0);
    mark(platform::kRecorderMenu, kLineEndLf, o.LineEndLf());
    mark(platform::kRecorderMenu, kLineEndCr, o.LineEndCr());
    mark(platform::kRecorderMenu, kAddLf, o.CollectAddLf != 0);
    mark(platform::kRecorderMenu, kCameraSound, o.UseCameraSound != 0);
    mark(platform::kRecorderMenu, kSelectionAsText, o.SelectionOption != 0);
  }
  mark(platform::kFileMenu, file_item::kPrinterOn, s.input.PrinterOn != 0);
  // A break is sent where the settings give one, on a serial line, and
  // through the telnet client; a local shell or a secure shell has none.
  const bool breakSent = o.AltBreak || o.AltBreakC || !o.BreakString.empty() || !o.UsesPty ||
                         (o.TelnetSession && !o.SshSession && !o.LocalShellSession);
  m.EnableItem(platform::kFileMenu, file_item::kSendBreak, breakSent);
  m.EnableItem(platform::kFileMenu, file_item::kShowSessionWindow, windows.flags.NoSessionWindow != 0);
  m.EnableItem(platform::kFileMenu, file_item::kCloseSessionWindow, windows.flags.NoSessionWindow == 0);
  // The window: font size, layout, wide text, auto-wrap, full screen.
  {
    using namespace window_item;
    const int size = o.LargeFontChoice  ? kLargeStandardFont
                     : o.FontSize == 16 ? k16Point
                     : o.FontSize == 18 ? k18Point
                     : o.FontSize == 24 ? k24Point
                                        : kStandardFont;
    for (int item = kStandardFont; item <= k24Point; ++item) mark(platform::kWindowMenu, item, item == size);
    mark(platform::kWindowMenu, kEightyColumns, o.FontSizeMode == 0);
    mark(platform::kWindowMenu, kWideColumns, o.FontSizeMode != 0);
    // Each layout item acts from the other layout.
    m.EnableItem(platform::kWindowMenu, kEightyColumns, o.FontSizeMode != 0);
    m.EnableItem(platform::kWindowMenu, kWideColumns, o.FontSizeMode == 0);
    const bool others = windows.Count() > 1;
    m.EnableItem(platform::kWindowMenu, kNextWindow, others);
    m.EnableItem(platform::kWindowMenu, kPreviousWindow, others);
    mark(platform::kWindowMenu, kNinePointWide, o.FontOption138 != 0 && o.FontOption139 == 0);
    mark(platform::kWindowMenu, kSixPointWide, o.FontOption139 != 0);
    mark(platform::kWindowMenu, kAutoWrap, o.AutoWrapOn != 0);
    const bool full = windows.services.windows.IsFullScreen(w.Number());
    m.SetItemText(platform::kWindowMenu, kFullScreen, windows.services.strings.Localise(FullScreenItemText(full)));
  }
  mark(platform::kScreenMenu, screen_item::kStatusWindow, o.StatusWindowShown != 0);
  mark(platform::kHostControlMenu, host_item::kHold, s.input.HoldOutput != 0);
  m.EnableItem(platform::kHostControlMenu, host_item::kHold, s.input.HoldOutput == 0);
  m.EnableItem(platform::kHostControlMenu, host_item::kRelease, s.input.HoldOutput != 0);
  mark(platform::kHostControlMenu, host_item::kYesNo, o.String171 != "No");
}

}  // namespace korvane::ui
