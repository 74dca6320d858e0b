// The dialog handler: which window's handling serves a control hit, the
// helpers every window uses, and the small windows that stand alone (the
// About box, the emulation notice, the secure-shell user name, QuickDial
// numbers, the host's transfer and capture-file requests).

#include "ui/dialogs/SettingsDialogs.h"

#include <cctype>

#include "connection/FieldChecks.h"
#include "emulation/HostPaths.h"
#include "platform/CharMap.h"
#include "settings/SettingsText.h"
#include "platform/MenuNumbers.h"
#include "ui/dialogs/ControlAccess.h"

namespace korvane::ui {

namespace {

// How long the emulation notice stays up: a second and a half.
constexpr int64_t kTellTicks = 90;

}  // namespace

// ---- Helpers -------------------------------------------------------------------------------

platform::Controls* SettingsDialogs::Open(int window) {
  s_.numbered.OpenAppWindow(window);
  return Controls(window);
}

void SettingsDialogs::Close(int window) { s_.numbered.SelectWindowWithColors(window); }

void SettingsDialogs::Help(const std::string& english, const std::string& frenchUtf8) {
  if (s_.host.MenuLanguage() == "French")
    s_.host.OpenResourceDocument("Dialog Help Files - French:" + platform::MacRomanFromUtf8(frenchUtf8));
  else
    s_.host.OpenResourceDocument("Dialog Help Files:" + english);
}

int SettingsDialogs::Stop(const std::string& a, const std::string& b, const std::string& c, const std::string& d) {
  return s_.alerts.Show(platform::AlertKind::Stop, platform::kPlainAlert, a, b, c, d);
}

int SettingsDialogs::Note(const std::string& a, const std::string& b, const std::string& c, const std::string& d) {
  return s_.alerts.Show(platform::AlertKind::Note, platform::kPlainAlert, a, b, c, d);
}

bool SettingsDialogs::ReadNumberField(int window, int field, int minimum, int maximum, const std::string& what,
                                      int& value) {
  const std::string text = Text(Controls(window), field);
  std::size_t i = 0, end = text.size();
  while (i < end && text[i] == ' ') ++i;
  while (end > i && text[end - 1] == ' ') --end;
  bool ok = true;
  long long n = 0;
  if (i == end) {
    ok = minimum <= 0;  // an empty field is 0
  } else {
    bool negative = false;
    if (text[i] == '-') {
      negative = true;
      ++i;
    }
    ok = i < end;
    for (; ok && i < end; ++i) {
      if (!std::isdigit(static_cast<unsigned char>(text[i])) || n > 1000000) {
        ok = false;
        break;
      }
      n = n * 10 + (text[i] - '0');
    }
    if (negative) n = -n;
  }
  if (ok && n >= minimum && n <= maximum) {
    value = static_cast<int>(n);
    return true;
  }
  Stop("This field needs a whole number:", "\r", what,
       " (" + std::to_string(minimum) + " - " + std::to_string(maximum) + ")");
  Focus(Controls(window), field);
  return false;
}

bool SettingsDialogs::CheckKeyString(const std::string& text) {
  if (text.size() <= kMaxSettingsText) return true;
  Stop("A key string may hold at most 255 characters.", "\r", "Shorten it, or use fewer control-character tokens.");
  return false;
}

void SettingsDialogs::SetRadioGroup(int window, std::initializer_list<int> group, int chosen) {
  platform::Controls* c = Controls(window);
  for (int id : group) Set(c, id, id == chosen);
}

// ---- The dispatcher --------------------------------------------------------------------------

bool SettingsDialogs::DoDialog(int window, int control, SessionOptions& Opt) {
  if (window >= platform::kSessionWindowBase) return SessionWindowEvent(control);
  switch (window) {
    case platform::kAboutWindow: return AboutBox(control);
    case kEditFkeysSelectionWindow: return FkeySelection(control, Opt);
    case kColoursWindow: return Colours(control, Opt);
    case kTelnetWindow: return TelnetOptions(control, Opt);
    case kShellWindow: return ShellOptions(control, Opt);
    case kSshWindow: return SshOptions(control, Opt);
    case kPreferencesWindow: return Preferences(control, Opt);
    case kTransparencyWindow: return Transparency(control, Opt);
    case kKeepAliveWindow: return KeepAlive(control, Opt);
    case kModemInitWindow: return ModemInitialization(control, Opt);
    case kQuickDialWindow: return QuickDial(control);
    case kEditFkeysWindow: return FkeyEditor(control, Opt);
    case kEditLoginScriptsWindow: return ScriptEditor(control, Opt);
    case kMouseDelimiterWindow: return MouseDelimiter(control, Opt);
    case kInternationalWindow: return International(control, Opt);
    case kFkeyOptionsWindow: return FkeyOptions(control, Opt);
    case kCaptureApplicationWindow: return CaptureApplication(control, Opt);
    case kPhoneNumberWindow: return PhoneNumber(control);
    case kSendDelaysWindow: return SendDelays(control, Opt);
    case kPasteDelayWindow: return PasteDelay(control, Opt);
    case kBreakSignalWindow: return BreakSignal(control, Opt);
    case kPreviousPageWindow: return ScrollbackOptions(control, Opt);
    case kPrinterOptionsWindow: return PrinterOptions(control, Opt);
    case kVideoAttributesWindow: return VideoAttributes(control, Opt);
    case kLoginScriptsWindow: return LoginScripts(control, Opt);
    case kHostTransferWindow: return HostTransfer(control, Opt);
    case kHostNamedFileWindow: return HostNamedFile(control);
    case kArrowKeysWindow: return ArrowKeys(control, Opt);
    case kSshUserNameWindow: return SshUserName(control);
    default: return false;
  }
}

bool SettingsDialogs::CloseBox(int window, SessionOptions& Opt) {
  struct CancelControl {
    int window, control;
  };
  static constexpr CancelControl kCancel[] = {
      {platform::kAboutWindow, 1},
      {kEditFkeysSelectionWindow, 5},
      {kColoursWindow, 9},
      {kTelnetWindow, 9},
      {kShellWindow, 9},
      {kSshWindow, 4},
      {kPreferencesWindow, 11},
      {kTransparencyWindow, 2},
      {kKeepAliveWindow, 2},
      {kModemInitWindow, 10},
      {kQuickDialWindow, 2},
      {kEditFkeysWindow, 3},
      {kEditLoginScriptsWindow, 3},
      {kMouseDelimiterWindow, 2},
      {kInternationalWindow, 2},
      {kFkeyOptionsWindow, 2},
      {kCaptureApplicationWindow, 2},
      {kPhoneNumberWindow, 2},
      {kSendDelaysWindow, 2},
      {kPasteDelayWindow, 2},
      {kBreakSignalWindow, 2},
      {kPreviousPageWindow, 2},
      {kPrinterOptionsWindow, 2},
      {kVideoAttributesWindow, 2},
      {kLoginScriptsWindow, 2},
      {kHostTransferWindow, 2},
      {kHostNamedFileWindow, 4},
      {kArrowKeysWindow, 2},
      {kSshUserNameWindow, 2},
  };
  for (const CancelControl& c : kCancel)
    if (c.window == window) return DoDialog(window, c.control, Opt);
  return false;
}

bool SettingsDialogs::SessionWindowEvent(int control) {
  if ((control >= kFirstPictureControl && control <= kLastPictureControl) || control == kScrollBackBar) return false;
  if (s_.host.SessionClicksBlocked()) return true;
  if (s_.host.ScrollbackViewShown()) {
    s_.host.Beep();
    s_.host.ResetScrollbackView();
    return true;
  }
  s_.host.FunctionKeyBarClick(control);
  return true;
}

// ---- About box (5) -------------------------------------------------------------------------

void SettingsDialogs::OpenAboutBox() {
  platform::Controls* c = Open(platform::kAboutWindow);
  SetText(c, 3, s_.strings.Localise("Version ") + s_.host.ProgramVersion());
}

bool SettingsDialogs::AboutBox(int control) {
  s_.host.Beep();
  if (control == 1) Close(platform::kAboutWindow);
  return true;
}

// ---- Emulation notice (43) -------------------------------------------------------------------

void SettingsDialogs::TellEmulation(SessionOptions& Opt, const std::string& emulationName) {
  s_.host.SelectSessionWindowIfNone();
  platform::Controls* c = Open(kTellWindow);
  // The pieces are the program's own texts, each in the user's language.
  SetText(c, 10,
          emulationName + s_.strings.Localise("  selected") + "\n" + s_.strings.Localise("(with ") +
              s_.strings.Localise(Opt.HiddenAttributes ? "Hidden" : "Non-Hidden") +
              s_.strings.Localise(" Attributes)"));
  tellCloseTick_ = s_.clock.Ticks() + kTellTicks;
}

void SettingsDialogs::IdlePass() {
  if (tellCloseTick_ != 0 && s_.clock.Ticks() >= tellCloseTick_) {
    tellCloseTick_ = 0;
    if (s_.windows.Exists(kTellWindow)) Close(kTellWindow);
  }
}

// ---- Secure-shell user name (46) -------------------------------------------------------------

void SettingsDialogs::OpenSshUserName() {
  platform::Controls* c = Open(kSshUserNameWindow);
  SetText(c, 3, "");
  Focus(c, 3);
}

bool SettingsDialogs::SshUserName(int control) {
  platform::Controls* c = Controls(kSshUserNameWindow);
  switch (control) {
    case 1: {
      const std::string user = Text(c, 3);
      if (user.empty()) {
        Stop("You must enter a user name.");
        Focus(c, 3);
        return true;
      }
      if (!IsValidUserName(user)) {
        Stop("A user name may hold only letters, digits, \".\", \"_\" and \"-\", and may not begin with \"-\".");
        Focus(c, 3);
        return true;
      }
      Close(kSshUserNameWindow);
      s_.host.StartSecureShell(user);
      return true;
    }
    case 2:
      Close(kSshUserNameWindow);
      s_.host.SessionMessage("No user name was given: the secure shell connection was not opened.");
      return true;
    case 3: return true;  // typing
    default: return false;
  }
}

// ---- QuickDial number (26) and a QuickDial service's number (33) -----------------------------

void SettingsDialogs::OpenQuickDial() {
  const std::string path = s_.host.PreferencesFolder() + "Quickdial";
  std::string bytes;
  std::string number;
  if (s_.files.ReadFile(path, bytes, 64 * 1024) == 0) number = SettingsLineReader(bytes).ReadLine();
  platform::Controls* c = Open(kQuickDialWindow);
  SetText(c, 3, number);
  Focus(c, 3);
}

bool SettingsDialogs::QuickDial(int control) {
  platform::Controls* c = Controls(kQuickDialWindow);
  switch (control) {
    case 1: {
      const std::string path = s_.host.PreferencesFolder() + "Quickdial";
      const int error = s_.files.ReplaceFile(path, EncodeSettingsFile({Text(c, 3)}));
      if (error != 0) {
        Note("QuickDial file not found in Korvane Prefs folder", "\r", platform::FileErrorText(error));
        return true;
      }
      s_.host.ClearDialNumber();
      Close(kQuickDialWindow);
      return true;
    }
    case 2: Close(kQuickDialWindow); return true;
    case 3: return true;
    default: return false;
  }
}

void SettingsDialogs::OpenPhoneNumber(const std::string& path, const std::string& number) {
  phoneNumberPath_ = path;
  platform::Controls* c = Open(kPhoneNumberWindow);
  SetText(c, 3, number);
  Focus(c, 3);
}

bool SettingsDialogs::PhoneNumber(int control) {
  platform::Controls* c = Controls(kPhoneNumberWindow);
  switch (control) {
    case 1: {
      const int error = s_.files.ReplaceFile(phoneNumberPath_, EncodeSettingsFile({Text(c, 3)}));
      if (error != 0) {
        Stop("The QuickDial service could not be saved:", "\r", platform::FileErrorText(error));
        return true;
      }
      Close(kPhoneNumberWindow);
      return true;
    }
    case 2: Close(kPhoneNumberWindow); return true;
    case 3: return true;
    default: return false;
  }
}

// ---- The host's transfer request (41) --------------------------------------------------------

void SettingsDialogs::OpenHostTransfer(const HostTransferChoice& choice) {
  platform::Controls* c = Open(kHostTransferWindow);
  SetText(c, 3, choice.fileName);
  Set(c, 10, choice.fiveFields);
  Set(c, 11, choice.tenFields);
  Set(c, 12, choice.conversionOn);
  Set(c, 13, choice.conversionOff);
  Set(c, 17, choice.noPrompt);
  Set(c, 18, choice.prompt);
  SetText(c, 9,
          choice.recordValue > 0 && !choice.fiveFields && !choice.tenFields ? std::to_string(choice.recordValue) : "");
  SetText(c, 20, choice.fieldsPerRecord > 0 ? std::to_string(choice.fieldsPerRecord) : "");
  Focus(c, 3);
}

namespace {

bool IsNumber(const std::string& text) {
  if (text.empty()) return false;
  for (unsigned char ch : text)
    if (!std::isdigit(ch)) return false;
  return true;
}

}  // namespace

bool SettingsDialogs::HostTransfer(int control, SessionOptions& Opt) {
  platform::Controls* c = Controls(kHostTransferWindow);
  switch (control) {
    case 10:
    case 11:
      SetRadioGroup(kHostTransferWindow, {10, 11}, control);
      SetText(c, 9, "");
      return true;
    case 12: SetRadioGroup(kHostTransferWindow, {12, 13}, 12); return true;
    case 13:
      SetRadioGroup(kHostTransferWindow, {12, 13}, 13);
      SetText(c, 20, "");
      return true;
    case 17:
    case 18: SetRadioGroup(kHostTransferWindow, {17, 18}, control); return true;
    case 9:
      // A record value typed in replaces the fixed choices.
      if (IsNumber(Text(c, 9))) {
        Set(c, 10, false);
        Set(c, 11, false);
      }
      return true;
    case 20: return true;
    case 3: {
      // "name.5": the digits after the last dot give the fields per record.
      const std::string name = Text(c, 3);
      const std::size_t dot = name.rfind('.');
      if (dot != std::string::npos && IsNumber(name.substr(dot + 1))) {
        SetText(c, 20, name.substr(dot + 1));
        SetRadioGroup(kHostTransferWindow, {12, 13}, 12);
      }
      return true;
    }
    case 1: {
      const std::string fields = Text(c, 20);
      if (On(c, 12) && fields.empty()) {
        Stop("Specify fields!   Must specify number of fields per record when conversion is ON");
        return true;
      }
      int fieldCount = 0, record = 0;
      if (!fields.empty() && !ReadNumberField(kHostTransferWindow, 20, 0, 32767, "Fields per record:", fieldCount))
        return true;
      if (!Text(c, 9).empty()) {
        if (!ReadNumberField(kHostTransferWindow, 9, 0, 32767, "Record value:", record)) return true;
      } else if (On(c, 10)) {
        record = 5;
      } else if (On(c, 11)) {
        record = 10;
      }
      HostTransferChoice choice;
      choice.fiveFields = On(c, 10);
      choice.tenFields = On(c, 11);
      choice.conversionOn = On(c, 12);
      choice.conversionOff = On(c, 13);
      choice.noPrompt = On(c, 17);
      choice.prompt = On(c, 18);
      choice.fieldsPerRecord = fieldCount;
      choice.recordValue = record;
      choice.fileName = Text(c, 3);
      Opt.DownloadNoPrompt = choice.noPrompt ? 1 : 0;
      Close(kHostTransferWindow);
      s_.host.RequestHostTransfer(choice);
      return true;
    }
    case 2:
      Close(kHostTransferWindow);
      s_.host.CancelHostTransfer(false);
      return true;
    case 22:
      Opt.DownloadNoPrompt = 0;
      Close(kHostTransferWindow);
      s_.host.CancelHostTransfer(true);
      return true;
    case 99: s_.host.OpenResourceDocument("Dialog Help Files:PICK Data Transfers.rtfd"); return true;
    default: return false;
  }
}

// ---- A capture file the host named (42) ------------------------------------------------------

void SettingsDialogs::OpenHostNamedFile(const std::string& hostPath) {
  s_.host.SelectSessionWindowIfNone();
  platform::Controls* c = Open(kHostNamedFileWindow);
  SetText(c, 2, hostPath);
  Focus(c, 2);
}

bool SettingsDialogs::HostNamedFile(int control) {
  platform::Controls* c = Controls(kHostNamedFileWindow);
  switch (control) {
    case 1: {
      // The name is checked before anything on the disk is touched; the file
      // must lie in the capture folder.
      const CheckedPath checked = CapturePathFromHost(Text(c, 2), s_.host.CaptureFolder());
      if (checked.check != FileCheck::Inside) {
        Stop("Incorrect path name supplied from Host");
        Close(kHostNamedFileWindow);
        s_.host.AbortCapture();
        return true;
      }
      if (s_.files.Exists(checked.path) && s_.alerts.Show(platform::AlertKind::Caution, platform::kQuestionAlert,
                                                          checked.path, " already exists", "\r", "Replace it?") != 1) {
        Close(kHostNamedFileWindow);
        return true;
      }
      if (s_.host.ReservedFileName(checked.path)) {
        Close(kHostNamedFileWindow);
        s_.host.AbortCapture();
        return true;
      }
      Close(kHostNamedFileWindow);
      if (!s_.host.StartHostNamedCapture(checked.path)) {
        Stop("Incorrect path name supplied from Host");
        s_.host.AbortCapture();
      }
      return true;
    }
    case 4:
      Close(kHostNamedFileWindow);
      s_.host.AnswerHost("Canceled");
      return true;
    case 5:
      Close(kHostNamedFileWindow);
      s_.host.AbortCapture();
      return true;
    case 2: return true;
    default: return false;
  }
}

}  // namespace korvane::ui
