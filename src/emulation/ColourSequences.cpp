// The colour sequences both families take in their ANSI-based modes: ESC * b
// of the extended ANSI mode and the SCO console's colour and line-graphics
// sequences.

#include <string>
#include <string_view>

#include "emulation/HostInput.h"
#include "emulation/HostSequences.h"
#include "settings/SessionOptions.h"

namespace korvane {

namespace {

// ESC * b foregrounds for ')' .. '@'; 0 keeps the current one.
constexpr int16_t kStarFore[] = {17, 6, 19, 1, 12, 3, 8, 15, 0, 0, 0, 0, 0, 0, 0, 0, 14, 7, 16, 2, 13, 4, 9, 18};
// ESC * b backgrounds for '!' .. '('.
constexpr int16_t kStarBack[] = {14, 7, 16, 2, 13, 4, 9, 18};

constexpr int kEsc = 27;

}  // namespace

SharedSequences::AnsiColourEnd HostSequences::ExtendedAnsiColour(int b) {
  Screen& s = screen_;
  if (b == kEsc) {
    s.WriteProtectMode = 0;
    s.ClearScreenAndHome();
    return AnsiColourEnd::RestartEscape;
  }
  if (b >= ')' && b <= '@') {
    Opt.ColourModeB = 1;
    Opt.ColourModeA = 0;
    if (const int16_t fore = kStarFore[b - ')']; fore != 0) s.CurrentForeColour = fore;
  } else if (b >= '!' && b <= '(') {
    Opt.ColourModeB = 1;
    Opt.ColourModeA = 0;
    s.CurrentBackColour = kStarBack[b - '!'];
  } else {
    return AnsiColourEnd::AttributeStep;
  }
  s.SetPrintBackColor(s.CurrentBackColour);
  s.SetPrintForeColor(s.CurrentForeColour);
  return AnsiColourEnd::AttributeStep;
}
bool HostSequences::ScoLineGraphicsAttributes(std::string_view params) {
  if (!(params.starts_with("12") || params.starts_with("10"))) return false;
  Screen& s = screen_;
  if (const size_t semi = params.find(';'); semi != std::string_view::npos && semi + 1 < params.size()) {
    switch (params[semi + 1]) {
      case '0': s.SetNormalTextStyle(); break;
      case '7':
        s.port.SetTextMode(platform::TextMode::Inverse);
        s.ReverseOn = 1;
        break;
      case '5':
      case '1':
        s.SetNormalTextStyle();
        s.port.TextFace(Opt.FontSizeMode == 1 && Opt.PlainFaceSwitch == 0
                            ? static_cast<int16_t>(platform::kFacePlain)
                            : static_cast<int16_t>(platform::kFaceBold | platform::kFaceCondense));
        s.BoldOn = 1;
        break;
      default: break;
    }
  }
  s.LineGraphicsOn = params[1] == '2' ? 1 : 0;
  return true;
}
bool HostSequences::ScoColourCommand(int final, const std::string& params) {
  Screen& s = screen_;
  auto clearFlags = [&] { s.DimOn = s.UnderlineOn = s.BoldOn = s.ReverseOn = 0; };
  switch (final) {
    case 'F':
      clearFlags();
      s.ForegroundColourChoice(params);
      s.SetPrintBackColor(s.CurrentBackColour != 0 ? s.CurrentBackColour : s.BackgroundColour);
      s.SetPrintForeColor(s.CurrentForeColour);
      return true;
    case 'G':
      clearFlags();
      s.BackgroundColourChoice(params);
      return true;
    case 'H': {
      clearFlags();
      // The colour chosen is that of reverse cells; the text colour stays.
      const int16_t fore = s.CurrentForeColour;
      s.ForegroundColourChoice(params);
      s.HostReverseColour = s.CurrentForeColour;
      s.CurrentForeColour = fore;
      s.SetPrintForeColor(fore);
      s.RepaintPending = 1;
      return true;
    }
    case 'I':
      clearFlags();
      s.BackgroundColourChoice(params);
      s.RepaintPending = 1;
      return true;
    default: return false;
  }
}
}  // namespace korvane
