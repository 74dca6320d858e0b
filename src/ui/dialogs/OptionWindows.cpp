// The option windows: Preferences (18), the mouse-click delimiter (29),
// International (30), the capture application (32), the send and paste
// delays (34, 35), the break signal (36), the scroll-back options (37), the
// printer options (38) and the arrow keys (44).

#include "input/FkeyTokens.h"
#include "settings/SettingsText.h"
#include "platform/MenuNumbers.h"
#include "ui/dialogs/ControlAccess.h"
#include "settings/FunctionKeys.h"
#include "ui/dialogs/KeyEditing.h"
#include "ui/dialogs/SettingsDialogs.h"

namespace korvane::ui {

namespace {

// The Port Settings menu item that strips the 8th bit.
constexpr int kStripEighthBitItem = 14;
// The Emulate menu's international-characters item.
constexpr int kPrismInternationalItem = 12;

}  // namespace

// ---- Preferences (18) ------------------------------------------------------------------------

void SettingsDialogs::OpenPreferences(SessionOptions& Opt) {
  if (s_.host.PrefsLocked()) return;
  s_.host.SelectSessionWindowIfNone();
  platform::Controls* c = Open(kPreferencesWindow);
  Set(c, 1, Opt.RememberWnd != 0);
  Set(c, 2, Opt.PrintOption72 != 0 || Opt.Option144 != 0);
  Set(c, 4, Opt.Option68 != 0);
  Set(c, 5, Opt.Option108 != 0);
  Set(c, 6, Opt.ScreenRowsSetting != 0);
  Set(c, 7, Opt.ConfirmClose != 0);
  Set(c, 8, Opt.AltEditKeys != 0);
  Set(c, 9, Opt.EditKeysOn != 0);
  Set(c, 13, Opt.Option63 != 0);
  Set(c, 14, Opt.MouseReports != 0);
  Set(c, 15, Opt.AutoAnsiColours != 0);
  Set(c, 16, Opt.ForceKeypadApplication != 0);
  Set(c, 17, Opt.KeypadOption != 0);
  Set(c, 18, Opt.KermitRefuseTelopts != 0);
  Set(c, 19, Opt.Option177 != 0);
}

bool SettingsDialogs::Preferences(int control, SessionOptions& Opt) {
  platform::Controls* c = Controls(kPreferencesWindow);
  switch (control) {
    case 99: Help("Preferences Help.rtf", "Aide Préférences.rtf"); return true;
    case 4:
    case 13:
    case 14:
      // The three kinds of mouse report exclude one another.
      if (On(c, control))
        for (int other : {4, 13, 14})
          if (other != control) Set(c, other, false);
      return true;
    case 2:
      for (int other : {4, 13, 14, 5}) Set(c, other, false);
      return true;
    case 6:
      if (On(c, 6) && Opt.ScoAnsiMode) {
        Stop("SCO ANSI is enabled (under the Emulate Menu). You cannot limit the screen page depth to 24 lines.");
        Opt.ScreenRowsSetting = 0;
        Set(c, 6, false);
      }
      return true;
    case 1:
    case 5:
    case 7:
    case 8:
    case 9:
    case 15:
    case 16:
    case 17:
    case 18:
    case 19: return true;  // check boxes change themselves
    case 3: RefreshDialogControl(Opt); return true;
    case 10: ConfirmPreferences(Opt); return true;
    case 11: Close(kPreferencesWindow); return true;
    default: return false;
  }
}

void SettingsDialogs::ConfirmPreferences(SessionOptions& Opt) {
  platform::Controls* c = Controls(kPreferencesWindow);
  auto box = [c](int id) -> int8_t { return On(c, id) ? 1 : 0; };
  s_.host.MarkSettingsChanged();
  Opt.RememberWnd = box(1);
  Opt.PrintOption72 = box(2);
  Opt.Option144 = box(2);
  Opt.Option68 = box(4);
  Opt.Option108 = box(5);
  Opt.ScreenRowsSetting = box(6);
  Opt.ConfirmClose = box(7);
  Opt.EditKeysOn = box(9);
  Opt.AutoAnsiColours = box(15);
  Opt.ForceKeypadApplication = box(16);
  Opt.KeypadOption = box(17);
  Opt.KermitRefuseTelopts = box(18);
  Opt.Option177 = box(19);
  Opt.Option63 = box(13);
  Opt.MouseReports = box(14);
  if (box(4) || box(14)) Opt.Option63 = 0;
  if (box(13)) {
    Opt.ProtectShownAs = 2;
    Opt.Option68 = 0;
    Opt.MouseReports = 0;
  }
  if (box(9))
    s_.host.BuildControlStrings();
  else
    s_.host.ClearHostStrings();
  const bool turnedOn370 = box(8) && Opt.AltEditKeys == 0;
  if (!box(8)) Opt.AltEditKeys = 0;
  Close(kPreferencesWindow);
  if (turnedOn370) {
    // The special Wyse 370 set-up: its editing keys, green on black.
    Opt.AltEditKeys = 1;
    Opt.CurrentForeColour = 3;
    Opt.BackgroundColour = 18;
    Opt.EmuViewpoint = Opt.EmuWyse50 = Opt.EmuWyse60 = Opt.EmuWyse370 = 1;
    Opt.EmuPrism = Opt.EmuVt100 = Opt.EmuTvi925 = Opt.PrismSevenBit = 0;
    s_.menus.MarkItem(platform::kEmulateMenu, kPrismInternationalItem, false);
    Opt.HiddenAttributes = 0;
    s_.host.ApplyEmulationChoice(8);
    s_.host.RequestRepaint();
  }
  s_.host.SetMenuCommandKeys();
}

// ---- Mouse-click delimiter (29) ----------------------------------------------------------

void SettingsDialogs::RefreshDialogControl(SessionOptions& Opt) {
  delimiterKept_ = Opt.DialogValue66;
  platform::Controls* c = Open(kMouseDelimiterWindow);
  SetText(c, 4, Opt.DialogValue66);
  Focus(c, 4);
}

bool SettingsDialogs::MouseDelimiter(int control, SessionOptions& Opt) {
  platform::Controls* c = Controls(kMouseDelimiterWindow);
  switch (control) {
    case 1: {
      std::string typed = Text(c, 4).substr(0, 1);
      // As the settings file keeps it: no character (or a blank) is ".".
      if (typed.empty() || typed == " ") typed = ".";
      if (typed != Opt.DialogValue66) s_.host.MarkSettingsChanged();
      Opt.DialogValue66 = typed;
      Close(kMouseDelimiterWindow);
      s_.numbered.OpenAppWindow(kPreferencesWindow);
      return true;
    }
    case 3: SetText(c, 4, "."); return true;
    case 2:
      Opt.DialogValue66 = delimiterKept_;
      Close(kMouseDelimiterWindow);
      s_.numbered.OpenAppWindow(kPreferencesWindow);
      return true;
    case 4: return true;
    default: return false;
  }
}

// ---- International (30) -------------------------------------------------------------------

namespace {

constexpr int kCharacterSetRadios[] = {4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 17, 18};

}  // namespace

void SettingsDialogs::OpenInternational(SessionOptions& Opt) {
  s_.host.SelectSessionWindowIfNone();
  platform::Controls* c = Open(kInternationalWindow);
  characterSetWork_ = Opt.HostCharacterSet == 0 ? 14 : Opt.HostCharacterSet;
  for (int id : kCharacterSetRadios) Set(c, id, id == characterSetWork_);
  altGraphicsWork_ = Opt.AltGraphicsSet;
  decMultinationalWork_ = Opt.DecMultinational;
  programFontWork_ = Opt.ProgramFontOption;
  if (Opt.ProgramFontOption == 2) SetRadioGroup(kInternationalWindow, {20, 21}, 20);
  if (Opt.ProgramFontOption == 1) SetRadioGroup(kInternationalWindow, {20, 21}, 21);
  Set(c, 22, Opt.AltGraphicsSet == 1);
  Set(c, 23, Opt.DecMultinational == 1);
}

bool SettingsDialogs::International(int control, SessionOptions& Opt) {
  platform::Controls* c = Controls(kInternationalWindow);
  for (int id : kCharacterSetRadios) {
    if (id != control) continue;
    for (int other : kCharacterSetRadios) Set(c, other, other == control);
    characterSetWork_ = static_cast<int16_t>(control);
    return true;
  }
  switch (control) {
    case 99: Help("International Help.rtf", "Aide caractères internationaux.rtf"); return true;
    case 20:
      SetRadioGroup(kInternationalWindow, {20, 21}, 20);
      programFontWork_ = 2;
      decMultinationalWork_ = 0;
      Set(c, 23, false);
      return true;
    case 21:
      SetRadioGroup(kInternationalWindow, {20, 21}, 21);
      programFontWork_ = 1;
      return true;
    case 22:
      altGraphicsWork_ = On(c, 22) ? 1 : 0;
      if (altGraphicsWork_) {
        decMultinationalWork_ = 0;
        Set(c, 23, false);
      }
      return true;
    case 23:
      decMultinationalWork_ = On(c, 23) ? 1 : 0;
      if (decMultinationalWork_) {
        altGraphicsWork_ = 0;
        Set(c, 22, false);
      }
      return true;
    case 1:
      Opt.HostCharacterSet = characterSetWork_;
      if (decMultinationalWork_ && Opt.NationalCharsOff == 0) {
        Note("NOTE:", "  DEC Multinational requires 8-bit mode.", "\r", "  'Strip 8th bit' is now un-checked.");
        Opt.NationalCharsOff = 1;
        s_.menus.MarkItem(platform::kPortSettingsMenu, kStripEighthBitItem, false);
      }
      Opt.AltGraphicsSet = altGraphicsWork_;
      Opt.DecMultinational = decMultinationalWork_;
      Opt.ProgramFontOption = programFontWork_;
      s_.host.MarkSettingsChanged();
      Close(kInternationalWindow);
      s_.host.PrinterFontFollows();
      return true;
    case 2: Close(kInternationalWindow); return true;
    default: return false;
  }
}

// ---- Capture application (32) ---------------------------------------------------------------

namespace {

struct CreatorRow {
  int radio;
  const char* creator;
};
constexpr CreatorRow kCreatorCodeTable[] = {
    {4, "MOSS"},  {5, "MACA"},  {6, "MWII"},  {7, "BOBO"},  {8, "XCEL"},  {9, "MSWD"},  {10, "PSI2"},
    {11, "ttxt"}, {12, "sfri"}, {13, "R*ch"}, {14, "ttxt"}, {15, "WPC2"}, {16, "nX^n"}, {24, "ALD4"},
};

// The radio button of the last code that matches, 0 for none.
int CreatorRadio(const std::string& creator) {
  int radio = 0;
  for (const CreatorRow& row : kCreatorCodeTable)
    if (creator == row.creator) radio = row.radio;
  return radio;
}

std::string OwnCreatorAsText(std::string creator) {
  if (creator.empty() || creator == "Kvne") return "ttxt";
  return creator;
}

}  // namespace

void SettingsDialogs::OpenCaptureApplication(SessionOptions& Opt) {
  s_.host.SelectSessionWindowIfNone();
  platform::Controls* c = Open(kCaptureApplicationWindow);
  creatorWork_ = Opt.CaptureCreator == "Kvne" ? "ttxt" : Opt.CaptureCreator;
  const int radio = CreatorRadio(creatorWork_);
  for (const CreatorRow& row : kCreatorCodeTable) Set(c, row.radio, row.radio == radio);
  SetText(c, 23, creatorWork_);
  SetText(c, 17, "");
}

bool SettingsDialogs::CaptureApplication(int control, SessionOptions& Opt) {
  platform::Controls* c = Controls(kCaptureApplicationWindow);
  // A code typed into field 17 is taken as it is typed; any other control
  // clears the field.
  if (control == 17) {
    creatorWork_ = OwnCreatorAsText(Text(c, 17).substr(0, 4));
    SetText(c, 23, creatorWork_);
    const int radio = CreatorRadio(creatorWork_);
    for (const CreatorRow& row : kCreatorCodeTable) Set(c, row.radio, row.radio == radio);
    return true;
  }
  for (const CreatorRow& row : kCreatorCodeTable) {
    if (row.radio != control) continue;
    for (const CreatorRow& other : kCreatorCodeTable) Set(c, other.radio, other.radio == control);
    creatorWork_ = OwnCreatorAsText(row.creator);
    SetText(c, 23, creatorWork_);
    SetText(c, 17, "");
    if (control == 24)
      Note(
          "NOTE: Double-Clicking on a Pagemaker TEXT document from the finder does not open the document "
          "automatically.",
          "  Use the Place command in Pagemaker.");
    if (control == 10)
      Note(
          "NOTE: Double-Clicking on a Microsoft Works TEXT document from the finder does not open the document "
          "automatically.",
          " Use the Import option in Works.");
    return true;
  }
  switch (control) {
    case 25:
      // Linux files carry no creator codes: a code is typed instead.
      Note("Linux keeps no creator codes with its files.", "\r",
           "Type a four-character code under Other code, or choose one of the applications.");
      Focus(c, 17);
      return true;
    case 3:
      creatorWork_ = "ttxt";
      for (const CreatorRow& row : kCreatorCodeTable) Set(c, row.radio, row.radio == CreatorRadio("ttxt"));
      SetText(c, 23, creatorWork_);
      SetText(c, 17, "");
      return true;
    case 1:
      if (Opt.CaptureCreator != creatorWork_) s_.host.MarkSettingsChanged();
      Opt.CaptureCreator = creatorWork_;
      Close(kCaptureApplicationWindow);
      s_.host.SetHtmlCapture(creatorWork_ == "MOSS" || creatorWork_ == "sfri");
      return true;
    case 2: Close(kCaptureApplicationWindow); return true;
    default: return false;
  }
}

// ---- MacToHost delay (34) -------------------------------------------------------------------

namespace {

// The line-end character as the field shows it: a control character as its
// token ("{CR"), any other as itself.
std::string LineEndText(int16_t code) {
  const int c = code == 0 ? 13 : code & 0xFF;
  if (c == 13) return "{CR";
  if (c == 10) return "{LF";
  return input::FkeyTokenOfChar(c);
}

int16_t LineEndFromText(const std::string& text) {
  if (text.empty()) return 13;
  const input::FkeyTokenAt t = input::ScanFkeyToken(text, 0, input::FkeyTokenSet::ArrowKey);
  if (t.kind == input::FkeyToken::Byte) return static_cast<int16_t>(t.byte);
  return static_cast<int16_t>(static_cast<unsigned char>(text[0]));
}

}  // namespace

void SettingsDialogs::ShowSendDelays(int16_t echoPaced) {
  platform::Controls* c = Controls(kSendDelaysWindow);
  Set(c, 7, echoPaced != 0);
  for (int id : {20, 21, 13, 11, 22}) Enable(c, id, echoPaced != 0);
}

void SettingsDialogs::SettingsDialogB(SessionOptions& Opt) {
  s_.host.SelectSessionWindowIfNone();
  platform::Controls* c = Open(kSendDelaysWindow);
  SetText(c, 4, std::to_string(Opt.LineDelay));
  SetText(c, 10, LineEndText(Opt.ReturnKeyCode));
  echoPacedWork_ = Opt.EchoPacedSend;
  addsLfWork_ = Opt.SendLineAddsLf;
  tabAsRsWork_ = Opt.TabAsRecordSeparator;
  noEchoWaitWork_ = Opt.NoEchoWait;
  SetRadioGroup(kSendDelaysWindow, {20, 21}, addsLfWork_ ? 21 : 20);
  Set(c, 8, tabAsRsWork_ != 0);
  Set(c, 13, noEchoWaitWork_ != 0);
  ShowSendDelays(echoPacedWork_);
}

bool SettingsDialogs::SendDelays(int control, SessionOptions& Opt) {
  platform::Controls* c = Controls(kSendDelaysWindow);
  switch (control) {
    case 7:
      echoPacedWork_ = On(c, 7) ? 1 : 0;
      ShowSendDelays(echoPacedWork_);
      return true;
    case 20:
    case 21:
      SetRadioGroup(kSendDelaysWindow, {20, 21}, control);
      addsLfWork_ = control == 21 ? 1 : 0;
      return true;
    case 8: tabAsRsWork_ = On(c, 8) ? 1 : 0; return true;
    case 13: noEchoWaitWork_ = On(c, 13) ? 1 : 0; return true;
    case 12:
      echoPacedWork_ = 1;
      tabAsRsWork_ = 0;
      noEchoWaitWork_ = 0;
      addsLfWork_ = 0;
      Set(c, 8, false);
      Set(c, 13, false);
      SetRadioGroup(kSendDelaysWindow, {20, 21}, 20);
      SetText(c, 4, "0");
      SetText(c, 10, LineEndText(13));
      ShowSendDelays(1);
      return true;
    case 4:
    case 10: return true;
    case 1: {
      int delay = 0;
      if (!ReadNumberField(kSendDelaysWindow, 4, 0, 32767, "Delay after each line (ticks):", delay)) return true;
      Opt.LineDelay = static_cast<int16_t>(delay);
      Opt.ReturnKeyCode = LineEndFromText(Text(c, 10));
      Opt.EchoPacedSend = echoPacedWork_;
      Opt.TabAsRecordSeparator = tabAsRsWork_;
      Opt.NoEchoWait = noEchoWaitWork_;
      Opt.SendLineAddsLf = addsLfWork_;
      s_.host.MarkSettingsChanged();
      s_.host.RequestRepaint();
      Close(kSendDelaysWindow);
      return true;
    }
    case 2: Close(kSendDelaysWindow); return true;
    default: return false;
  }
}

// ---- Paste delay (35) -----------------------------------------------------------------------

void SettingsDialogs::SettingsDialogA(SessionOptions& Opt) {
  s_.host.SelectSessionWindowIfNone();
  platform::Controls* c = Open(kPasteDelayWindow);
  SetText(c, 4, std::to_string(Opt.ClipboardLineDelay));
  SetText(c, 7, std::to_string(Opt.ClipboardCharDelay));
}

bool SettingsDialogs::PasteDelay(int control, SessionOptions& Opt) {
  platform::Controls* c = Controls(kPasteDelayWindow);
  switch (control) {
    case 9:
      SetText(c, 4, "1");
      SetText(c, 7, "4");
      return true;
    case 1: {
      int line = 0, character = 0;
      if (!ReadNumberField(kPasteDelayWindow, 4, 0, 32767, "Delay after each line (ticks):", line) ||
          !ReadNumberField(kPasteDelayWindow, 7, 0, 32767, "Delay after each character (ms):", character))
        return true;
      Opt.ClipboardLineDelay = static_cast<int16_t>(line);
      Opt.ClipboardCharDelay = static_cast<int16_t>(character);
      s_.host.MarkSettingsChanged();
      Close(kPasteDelayWindow);
      return true;
    }
    case 2: Close(kPasteDelayWindow); return true;
    case 4:
    case 7: return true;
    default: return false;
  }
}

// ---- Break signal (36) ------------------------------------------------------------------------

void SettingsDialogs::SettingsDialogC(SessionOptions& Opt) {
  if (s_.host.PrefsLocked()) return;
  s_.host.SelectSessionWindowIfNone();
  platform::Controls* c = Open(kBreakSignalWindow);
  const bool alternative = Opt.AltBreak != 0 || Opt.AltBreakC != 0;
  SetText(c, 6, "");
  if (Opt.BreakString.empty() && !alternative) SetRadioGroup(kBreakSignalWindow, {4, 9, 11, 12}, 4);
  if (Opt.AltBreak) SetRadioGroup(kBreakSignalWindow, {4, 9, 11, 12}, 9);
  if (Opt.AltBreakC) SetRadioGroup(kBreakSignalWindow, {4, 9, 11, 12}, 11);
  if (Opt.BreakString.empty() && !alternative && Opt.SendAbortOption == 1)
    SetRadioGroup(kBreakSignalWindow, {4, 9, 11, 12}, 12);
  if (!Opt.BreakString.empty()) {
    SetText(c, 6, Opt.BreakString);
    SetRadioGroup(kBreakSignalWindow, {4, 9, 11, 12}, 0);
  }
}

bool SettingsDialogs::BreakSignal(int control, SessionOptions& Opt) {
  platform::Controls* c = Controls(kBreakSignalWindow);
  switch (control) {
    case 4:
    case 9:
    case 11:
    case 12:
      SetRadioGroup(kBreakSignalWindow, {4, 9, 11, 12}, control);
      SetText(c, 6, "");
      return true;
    case 6:
      // A text of its own replaces the fixed kinds.
      if (!Text(c, 6).empty()) SetRadioGroup(kBreakSignalWindow, {4, 9, 11, 12}, 0);
      return true;
    case 8:
      SetRadioGroup(kBreakSignalWindow, {4, 9, 11, 12}, 4);
      SetText(c, 6, "");
      return true;
    case 1: {
      const std::string text = Text(c, 6);
      if (!CheckKeyString(text)) return true;
      Opt.BreakString = text;
      Opt.AltBreak = On(c, 9) ? 1 : 0;
      Opt.AltBreakC = !Opt.AltBreak && On(c, 11) ? 1 : 0;
      Opt.SendAbortOption = On(c, 12) ? 1 : 0;
      s_.host.MarkSettingsChanged();
      Close(kBreakSignalWindow);
      return true;
    }
    case 2: Close(kBreakSignalWindow); return true;
    default: return false;
  }
}

// ---- Previous page options (37) ------------------------------------------------------------

void SettingsDialogs::SettingsDialogD(SessionOptions& Opt) {
  s_.host.SelectSessionWindowIfNone();
  platform::Controls* c = Open(kPreviousPageWindow);
  scrollbackWork_ = Opt.ScrollBackOn;
  pageUpDownWork_ = Opt.UsePageUpDown;
  option107Work_ = Opt.Option107;
  Set(c, 5, Opt.UsePageUpDown != 0);
  Set(c, 10, Opt.Option107 != 0);
  SetRadioGroup(kPreviousPageWindow, {3, 4}, Opt.ScrollBackOn ? 3 : 4);
}

bool SettingsDialogs::ScrollbackOptions(int control, SessionOptions& Opt) {
  platform::Controls* c = Controls(kPreviousPageWindow);
  switch (control) {
    case 3:
    case 4:
      SetRadioGroup(kPreviousPageWindow, {3, 4}, control);
      scrollbackWork_ = control == 3 ? 1 : 0;
      return true;
    case 5: pageUpDownWork_ = On(c, 5) ? 1 : 0; return true;
    case 10: option107Work_ = On(c, 10) ? 1 : 0; return true;
    case 8:
      scrollbackWork_ = 1;
      pageUpDownWork_ = option107Work_ = 0;
      SetRadioGroup(kPreviousPageWindow, {3, 4}, 3);
      Set(c, 5, false);
      Set(c, 10, false);
      return true;
    case 1: {
      Opt.UsePageUpDown = pageUpDownWork_;
      Opt.Option107 = option107Work_;
      const bool changed = (scrollbackWork_ != 0) != (Opt.ScrollBackOn != 0);
      s_.host.MarkSettingsChanged();
      Close(kPreviousPageWindow);
      if (changed && scrollbackWork_ == 0) {
        s_.host.ResetScrollbackView();
        s_.host.ClearScrollback();
        Opt.ScrollBackOn = 0;
      } else if (changed) {
        Opt.ScrollBackOn = 1;
        s_.host.ClearScrollback();
      }
      return true;
    }
    case 2: Close(kPreviousPageWindow); return true;
    default: return false;
  }
}

// ---- Printer options (38) ------------------------------------------------------------------

namespace {

struct SizeRadio {
  int radio;
  int16_t size;
};
constexpr SizeRadio kPrinterSizes[] = {{25, 8}, {11, 9}, {12, 10}, {13, 12}, {27, 14}};
constexpr int kMonacoRadio = 16, kCourierRadio = 17, kOwnFontRadio = 24;
// The font numbers printing uses for the two system fonts.
constexpr int16_t kMonacoFontNumber = 4, kCourierFontNumber = 22;

std::string OwnPrinterFont(const SessionOptions& Opt) {
  return Opt.ProgramFontOption == 2 ? "KorvaneIBMPrinterFont" : "KorvanePrinterFont";
}

}  // namespace

void SettingsDialogs::PrinterFontDialog(SessionOptions& Opt) {
  s_.host.SelectSessionWindowIfNone();
  platform::Controls* c = Open(kPrinterOptionsWindow);
  Set(c, 4, Opt.PrinterOption37 == 1);
  SetText(c, 6, Opt.PrintPageHeader);
  Set(c, 10, Opt.PrinterOption69 != 0);
  Set(c, 18, Opt.IgnoreHostPrint != 0);
  Set(c, 19, Opt.PrinterOption95 != 0);
  SetRadioGroup(kPrinterOptionsWindow, {21, 23}, Opt.PrinterOption101 != 0 ? 21 : 23);
  Set(c, 20, Opt.PclPassThrough != 0);
  printerSizeWork_ = Opt.PrinterFontSize;
  int sizeRadio = 0;
  for (const SizeRadio& s : kPrinterSizes)
    if (s.size == Opt.PrinterFontSize) sizeRadio = s.radio;
  SetRadioGroup(kPrinterOptionsWindow, {25, 11, 12, 13, 27}, sizeRadio);
  fontChoiceWork_ = 0;
  if (Opt.PrinterFontName == "Monaco") fontChoiceWork_ = kMonacoRadio;
  if (Opt.PrinterFontName == "Courier") fontChoiceWork_ = kCourierRadio;
  if (Opt.PrinterFontName == "KorvanePrinterFont" || Opt.PrinterFontName == "KorvaneIBMPrinterFont")
    fontChoiceWork_ = kOwnFontRadio;
  SetRadioGroup(kPrinterOptionsWindow, {kMonacoRadio, kCourierRadio, kOwnFontRadio}, fontChoiceWork_);
}

bool SettingsDialogs::PrinterOptions(int control, SessionOptions& Opt) {
  platform::Controls* c = Controls(kPrinterOptionsWindow);
  for (const SizeRadio& s : kPrinterSizes) {
    if (s.radio != control) continue;
    SetRadioGroup(kPrinterOptionsWindow, {25, 11, 12, 13, 27}, control);
    printerSizeWork_ = s.size;
    return true;
  }
  switch (control) {
    case 4:
    case 10:
    case 18:
    case 19:
    case 20:
    case 6: return true;
    case kMonacoRadio:
    case kCourierRadio:
    case kOwnFontRadio:
      SetRadioGroup(kPrinterOptionsWindow, {kMonacoRadio, kCourierRadio, kOwnFontRadio}, control);
      fontChoiceWork_ = control;
      return true;
    case 21:
    case 23: SetRadioGroup(kPrinterOptionsWindow, {21, 23}, control); return true;
    case 8:
      SetText(c, 6, "PAGE");
      printerSizeWork_ = 12;
      SetRadioGroup(kPrinterOptionsWindow, {25, 11, 12, 13, 27}, 13);
      fontChoiceWork_ = kOwnFontRadio;
      SetRadioGroup(kPrinterOptionsWindow, {kMonacoRadio, kCourierRadio, kOwnFontRadio}, kOwnFontRadio);
      return true;
    case 1: {
      const std::string header = Text(c, 6);
      if (header.size() > kMaxSettingsText) {
        Stop("The page header may hold at most 255 characters.");
        return true;
      }
      s_.host.MarkSettingsChanged();
      Opt.PrintPageHeader = header;
      Opt.PrinterOption37 = On(c, 4) ? 1 : 0;
      Opt.PrinterOption69 = On(c, 10) ? 1 : 0;
      Opt.IgnoreHostPrint = On(c, 18) ? 1 : 0;
      Opt.PrinterOption95 = On(c, 19) ? 1 : 0;
      Opt.PclPassThrough = On(c, 20) ? 1 : 0;
      Opt.PrinterOption101 = On(c, 21) ? 1 : 0;
      Opt.PrinterFontSize = printerSizeWork_;
      if (fontChoiceWork_ == kMonacoRadio) {
        Opt.PrinterFontName = "Monaco";
        Opt.PrinterFontChoice = kMonacoFontNumber;
      } else if (fontChoiceWork_ == kCourierRadio) {
        Opt.PrinterFontName = "Courier";
        Opt.PrinterFontChoice = kCourierFontNumber;
      } else if (fontChoiceWork_ == kOwnFontRadio) {
        Opt.PrinterFontName = OwnPrinterFont(Opt);
        Opt.PrinterFontChoice = 0;
      }
      Close(kPrinterOptionsWindow);
      return true;
    }
    case 2: Close(kPrinterOptionsWindow); return true;
    default: return false;
  }
}

// ---- Arrow keys (44) ---------------------------------------------------------------------------

namespace {

constexpr int kLeftField = 4, kUpField = 5, kRightField = 6, kDownField = 7;

// A final carriage return is shown as its token.
std::string ArrowText(const std::string& s) {
  if (!s.empty() && s.back() == '\r') return s.substr(0, s.size() - 1) + "{CR";
  return s;
}

}  // namespace

void SettingsDialogs::OpenArrowKeys(SessionOptions& Opt) {
  s_.host.SelectSessionWindowIfNone();
  platform::Controls* c = Open(kArrowKeysWindow);
  std::string up = Opt.UpArrowString, down = Opt.DownArrowString, left = Opt.LeftArrowString,
              right = Opt.RightArrowString;
  if (Opt.EmuWyse50) {
    if (up.empty()) up = "{CTK";
    if (down.empty()) down = "{CTJ";
    if (left.empty()) left = "{CTH";
    if (right.empty()) right = "{CTL";
  }
  SetText(c, kLeftField, ArrowText(left));
  SetText(c, kRightField, ArrowText(right));
  SetText(c, kUpField, ArrowText(up));
  SetText(c, kDownField, ArrowText(down));
  Focus(c, kLeftField);
}

bool SettingsDialogs::ArrowKeys(int control, SessionOptions& Opt) {
  platform::Controls* c = Controls(kArrowKeysWindow);
  switch (control) {
    case 99: Help("Arrow Keys Help.rtf", "Aide Touches fléchées.rtf"); return true;
    case 8:
    case 9:
    case 10: {
      const int field = c ? c->FocusedControlNumber() : 0;
      if (field < kLeftField || field > kDownField) {
        s_.host.Beep();
        return true;
      }
      platform::TextSelection selection = c->ControlTextSelection(field);
      const std::string token = control == 9 ? "{CT" : control == 8 ? "{ES" : "{CR";
      c->SetControlText(field, ReplaceSelection(c->ControlText(field), selection, token));
      c->SetTextSelection(field, selection);
      return true;
    }
    case 3: {
      // The emulation's own strings; the last emulation that holds decides.
      const bool app = s_.host.CursorKeyApplicationMode();
      auto show = [c](const char* left, const char* up, const char* right, const char* down) {
        SetText(c, kLeftField, left);
        SetText(c, kUpField, up);
        SetText(c, kRightField, right);
        SetText(c, kDownField, down);
      };
      if (Opt.EmuPrism) show("{CTU", "{CTZ", "{CTL", "{CTJ");
      if (Opt.EmuVt100) {
        if (app)
          show("{ESOD", "{ESOA", "{ESOC", "{ESOB");
        else
          show("{ES[D", "{ES[A", "{ES[C", "{ES[B");
      }
      if (Opt.EmuViewpoint) show("{CTU", "{CTZ", "{CTF", "{CTJ");
      if (Opt.EmuWyse50) show("{CTH", "{CTK", "{CTL", "{CTJ");
      if (Opt.EmuTvi925) SetText(c, kDownField, "{CTV");
      if (Opt.AltEditKeys) show("{CTH", "{CTK", "{CTL", "{CTV");
      return true;
    }
    case 1: {
      const std::string left = Text(c, kLeftField), up = Text(c, kUpField), right = Text(c, kRightField),
                        down = Text(c, kDownField);
      for (const std::string* s : {&left, &up, &right, &down})
        if (!CheckKeyString(*s)) return true;
      Opt.LeftArrowString = left;
      Opt.UpArrowString = up;
      Opt.RightArrowString = right;
      Opt.DownArrowString = down;
      s_.host.MarkSettingsChanged();
      Close(kArrowKeysWindow);
      return true;
    }
    case 2: Close(kArrowKeysWindow); return true;
    case kLeftField:
    case kUpField:
    case kRightField:
    case kDownField: return true;
    default: return false;
  }
}

}  // namespace korvane::ui
