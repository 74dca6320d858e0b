// After reading: settings values brought into their valid ranges, the values
// files do not keep, and the rest of the program brought in line with them.

#include "settings/FunctionKeys.h"
#include "settings/Settings.h"
#include "settings/SettingsTable.h"

namespace korvane {

namespace {

struct ArrowDefaults {
  const char *left, *up, *right, *down;  // null: left as it is
};

constexpr ArrowDefaults kPrismArrows{"{CTU", "{CTZ", "{CTL", "{CTJ"};
constexpr ArrowDefaults kVt100Arrows{"{ES[D", "{ES[A", "{ES[C", "{ES[B"};
constexpr ArrowDefaults kVt100ApplicationArrows{"{ESOD", "{ESOA", "{ESOC", "{ESOB"};
constexpr ArrowDefaults kViewpointArrows{"{CTU", "{CTZ", "{CTF", "{CTJ"};
constexpr ArrowDefaults kWyse50Arrows{"{CTH", "{CTK", "{CTL", "{CTJ"};
constexpr ArrowDefaults kTvi925Arrows{nullptr, nullptr, nullptr, "{CTV"};
constexpr ArrowDefaults kAltEditArrows{"{CTH", "{CTK", "{CTL", "{CTV"};

void SetArrows(const ArrowDefaults& a, std::string& left, std::string& up, std::string& right, std::string& down) {
  if (a.left) left = a.left;
  if (a.up) up = a.up;
  if (a.right) right = a.right;
  if (a.down) down = a.down;
}

bool StartsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

}  // namespace

// Each emulation that is on gives its arrow strings, a later one overwriting an
// earlier one; with the cumulative emulation flags the most specific wins.
void Settings::SetDefaultArrowStrings() {
  auto normal = [&](const ArrowDefaults& a) {
    SetArrows(a, Opt.LeftArrowString, Opt.UpArrowString, Opt.RightArrowString, Opt.DownArrowString);
  };
  if (Opt.EmuPrism) normal(kPrismArrows);
  if (Opt.EmuVt100) {
    if (host_.CursorKeyApplicationMode() == 0) {
      normal(kVt100Arrows);
    } else {
      SetArrows(kVt100ApplicationArrows, Opt.LeftArrowString2, Opt.UpArrowString2, Opt.RightArrowString2,
                Opt.DownArrowString2);
    }
  }
  if (Opt.EmuViewpoint) normal(kViewpointArrows);
  if (Opt.EmuWyse50) normal(kWyse50Arrows);
  if (Opt.EmuTvi925) normal(kTvi925Arrows);
  if (Opt.AltEditKeys) normal(kAltEditArrows);
}

void Settings::ApplySettings(bool takeFunctionKeys) {
  if (Opt.FontSize > 15) Opt.LargeFontChoice = 0;

  if (Opt.SerialRequiredOption != 2) Opt.SerialRequiredOption = 1;
  host_.MarkSerialRequiredItems(Opt.SerialRequiredOption);

  if (Opt.UpArrowString.empty()) SetDefaultArrowStrings();

  if (St.ShortFileBefore164) {
    if (Opt.Option71 != 0) {
      Opt.LeftArrowString = "{CTU";
      Opt.Option71 = 0;
    }
    St.ShortFileBefore164 = 0;
  }
  if (St.ShortFileBefore159) {
    Opt.PtyOption159 = Opt.PtyOption160 = Opt.PtyOption161 = 0;
    St.ShortFileBefore159 = 0;
  }
  St.NoSettingsFile = 0;

  if (Opt.EchoPacedSend < 0) Opt.EchoPacedSend = 0;
  if (Opt.TabAsRecordSeparator < 0) Opt.TabAsRecordSeparator = 0;

  // A remembered window must come back on the screen there is now.
  const ScreenSize screen = host_.MainScreenSize();
  if (Opt.SavedWindowHeight < 20) Opt.SavedWindowHeight = 0;
  if (Opt.SavedWindowWidth < 20) Opt.SavedWindowWidth = 0;
  if (Opt.SavedWindowTop > screen.height - 20 || Opt.SavedWindowTop <= 0) Opt.SavedWindowTop = 20;
  if (Opt.SavedWindowLeft > screen.width - 20 || Opt.SavedWindowLeft <= 0) Opt.SavedWindowLeft = 20;

  if (Opt.KermitMode) {
    Opt.KermitMode = host_.KermitProgramFound() ? 1 : 0;
    if (!Opt.KermitMode)
      alerts_.Show(platform::AlertKind::Caution, 0,
                   "Kermit is not installed properly. Please read the Kermit "
                   "Installation Instructions.");
  }

  if (const int error = host_.ActivateProgramFonts())
    alerts_.Show(platform::AlertKind::Stop, 0, "ActivateFontFromResourcesFile error " + NumberLine(error));
  host_.SetMenuCommandKeys();

  if (Opt.WindowOpacity == 0) Opt.WindowOpacity = 97;

  if (St.BadSettingsFile) {
    SetDefaultSettings();
    St.BadSettingsFile = 0;
  }

  host_.ApplyAttributeColours();
  if (Opt.EditKeysOn) host_.BuildEditKeyStrings();

  // Never kept from one session to the next.
  Opt.WindowOption75 = 1;
  Opt.DialerOption50 = 0;
  Opt.UseClip = 0;

  if (Opt.SshPort.empty()) Opt.SshPort = "22";
  if (!Opt.ShellRunsLogin && !Opt.ShellRunsTcsh && !Opt.ShellRunsProgram) Opt.ShellRunsTcsh = 1;
  host_.ShowConnectionKind();
  if (Opt.ShellProgram.empty()) Opt.ShellProgram = "/bin/tcsh";

  if (Opt.AutoConnect) Opt.AutoConnect = 1;

  Opt.UsePageUpDown = St.PageUpDownText == "DontUsePageUpDown" ? 0 : 1;
  Opt.ScrollBackOn = St.PreviousPageText == "PreviousPageOff" ? 0 : 1;

  if (Opt.DialogValue66.empty() || Opt.DialogValue66 == " ") Opt.DialogValue66 = ".";
  St.DialogValue66Code = static_cast<uint8_t>(Opt.DialogValue66[0]);

  if (St.LineEndText.empty()) St.LineEndText = "LF";
  if (St.LineEndText == "LF") Opt.LineEnd = SessionOptions::kLineEndLf;
  if (St.LineEndText == "CR") Opt.LineEnd = SessionOptions::kLineEndCr;

  if (Opt.CaptureCreator.empty()) Opt.CaptureCreator = "ttxt";
  Opt.UseCameraSound = St.CameraSoundText == "NoSound" ? 0 : 1;

  if (!StartsWith(Opt.ModemInitString, "AT") && !StartsWith(Opt.ModemInitString, "at")) Opt.ModemInitString.clear();

  if (!St.ReadFromOpenFile) host_.LoadInternationalFile();

  Opt.AltBreak = St.AltBreakText == "AltBreak" ? 1 : 0;
  Opt.AltBreakC = St.AltBreakCText == "AltBreakC" ? 1 : 0;
  host_.MarkClipboardOption(Opt.ClipboardOption41 == 1);

  if (Opt.PrintPageHeader.empty()) {
    Opt.PrintPageHeader = "PAGE";
  } else if (Opt.PrintPageHeader == "x$%&") {
    Opt.PrintPageHeader.clear();
  }

  if (Opt.EmuViewpoint != 1 && Opt.EmuPrism != 1 && Opt.EmuVt100 != 1 && Opt.EmuTvi925 != 1 && Opt.EmuWyse50 < 1) {
    Opt.EmuViewpoint = 1;
    Opt.ExtendedAnsiMode = 1;
  }
  if (Opt.EmuWyse50 == 2) {
    Opt.EmuWyse60 = 1;
    Opt.EmuWyse50 = 1;
  } else {
    Opt.EmuWyse60 = 0;
  }
  if (Opt.EmuWyse370 == 1) {
    Opt.EmuWyse60 = 1;
    Opt.EmuWyse50 = 1;
  }

  // No key defined: the keys the program carries for the emulation.
  if (!St.FkeysDefined) LoadBundledFunctionKeys();

  if (Opt.ColumnOption31 + Opt.BreakOption32 == 0) Opt.ColumnOption31 = 1;
  // Exactly one screen width is chosen, else the standard layout.
  if (Opt.ColumnOption27 + Opt.ColumnOption28 + Opt.ColumnOption29 + Opt.ColumnOption30 + Opt.HostFeatureOption != 1) {
    Opt.ColumnOption27 = 0;
    Opt.FkeyBarShown = 0;
    Opt.MouseOption = 1;
    Opt.HostFeatureOption = 1;
  }

  if (screen.height < 400 || screen.width < 513) {
    Opt.HostFeatureOption = 0;
    Opt.TextSizeValue = 9;
    Opt.FontSize = 0;
  }

  host_.ComputeCellMetrics();
  // The function keys of a document that is opened become the default keys.
  if (St.ReadFromOpenFile && takeFunctionKeys) SaveFkeyDefaults();
  host_.RefreshAfterReading(St.ReadFromOpenFile != 0);
}

}  // namespace korvane
