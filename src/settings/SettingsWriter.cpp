// Writing settings files: the function-key part and the 177 settings lines.

#include <algorithm>
#include <cstdlib>

#include "settings/Settings.h"
#include "settings/SettingsTable.h"

namespace korvane {

namespace {

std::string Clip(const std::string& text) {
  return text.size() > kMaxSettingsText ? text.substr(0, kMaxSettingsText) : text;
}

// An empty page header is saved as this marker, which reads back as empty; an
// empty line reads as the default header "PAGE".
constexpr const char* kEmptyPageHeader = "x$%&";

std::string KeywordText(int line, const SessionOptions& o, const std::string& previousPage) {
  static const char* const kParity[] = {"N", "O", "E"};
  static const char* const kDataBits[] = {"7", "8", "5", "6"};
  switch (line) {
    case 2: return o.Parity >= 0 && o.Parity <= 2 ? kParity[o.Parity] : "";
    case 3: return o.DataBits >= 0 && o.DataBits <= 3 ? kDataBits[o.DataBits] : "";
    case 42: return o.AltBreak == 1 && o.AltBreakC != 1 ? "AltBreak" : "";
    case 47: return o.UseCameraSound == 1 ? "UseCameraSound" : "NoSound";
    case 49: return o.LineEndLf() ? "LF" : o.LineEndCr() ? "CR" : "";
    case 52: return o.BlockCursor == 1 ? "Block" : "Under";
    case 56: return o.UseClip != 0 ? "UseClip" : "";
    case 57: return o.RememberWnd == 1 ? "RememberWnd" : "DontRememberWnd";
    case 73: return o.UsePageUpDown != 0 ? "UsePageUpDown" : "DontUsePageUpDown";
    case 74: return previousPage;
    case 85: return o.AltBreakC == 1 ? "AltBreakC" : "";
    default: return "";
  }
}

}  // namespace

std::vector<std::string> Settings::WriteFkeysAndSettings(bool settingsPart) const {
  std::vector<std::string> lines;
  lines.reserve(kFkeyLineCount + kSettingsLineCount);
  for (int line = 1; line <= kFkeyLineCount; ++line) {
    const std::string value = Clip(FkeyLine(Opt, line));
    // The definitions are key strings; the labels are plain texts.
    lines.push_back(line <= kFkeyStringCount ? KeyStringLine(value) : value);
  }
  if (!settingsPart) return lines;

  // What is saved differs from the live values in a few places; those changes
  // are made on a copy, so that saving leaves the session as it was.
  SessionOptions o = Opt;
  // Plain-text mode forces auto-wrap; the user's own choice is saved.
  if (host_.PlainTextMode() == 1) o.AutoWrapOn = host_.SavedAutoWrap();
  if (host_.CapsModeForced()) o.CapsMode = 1;
  // Wyse 60 has no line of its own: 2 in the Wyse 50 line stands for it.
  if (o.EmuWyse60 == 1 && o.EmuWyse370 == 0) o.EmuWyse50 = 2;
  if (o.AltBreak != 1 && o.AltBreakC != 1) o.BreakString.clear();
  const int8_t scrollBackSeen = host_.ScrollBackSeen();
  if (scrollBackSeen) o.ScrollBackOn = 1;
  std::string previousPage = o.ScrollBackOn == 1 ? "PreviousPageOn" : "PreviousPageOff";
  if (prefs.TempSettingsMode == 1 && scrollBackSeen == 1) previousPage = "PreviousPageOff";
  if (const auto frame = host_.OutputWindowFrame()) {
    o.SavedWindowLeft = static_cast<int16_t>(std::abs(frame->left));
    o.SavedWindowTop = static_cast<int16_t>(std::abs(frame->top) - 37);
    o.SavedWindowWidth = static_cast<int16_t>(frame->width);
    o.SavedWindowHeight = static_cast<int16_t>(frame->height - 14);
  }
  if (o.EmuWyse370) o.EmuTvi925 = 0;
  if (const auto names = host_.SerialPortNames()) {
    // The count is the number of names the list holds, so the two lines agree.
    const std::size_t count = std::min<std::size_t>(names->size(), 12);
    o.SerialPortCount = static_cast<int16_t>(count);
    o.SerialPortList.clear();
    for (std::size_t i = 0; i < count; ++i) o.SerialPortList += (*names)[i] + ",";
  }
  if (o.PrintPageHeader.empty()) o.PrintPageHeader = kEmptyPageHeader;

  for (const auto& d : kSettingsLines) {
    switch (d.kind) {
      case LineKind::Number: lines.push_back(NumberLine(d.Number(o))); break;
      case LineKind::Text: lines.push_back(Clip(d.Text(o))); break;
      case LineKind::KeyString: lines.push_back(KeyStringLine(Clip(d.Text(o)))); break;
      case LineKind::Keyword: lines.push_back(KeywordText(d.line, o, previousPage)); break;
      case LineKind::Reserved: lines.emplace_back(); break;
    }
  }
  return lines;
}

bool Settings::WriteLines(const std::string& path, const std::vector<std::string>& lines) {
  if (path.rfind(prefs.PrefsFolderPath, 0) == 0) files_.MakeFolders(prefs.PrefsFolderPath);
  const int error = files_.ReplaceFile(path, EncodeSettingsFile(lines));
  if (error == 0) return true;
  alerts_.Show(platform::AlertKind::Stop, 0, "Could not save file. May be a folder permissions problem.", "\r",
               FileBaseName(path) + ": " + platform::FileErrorText(error));
  return false;
}

bool Settings::SaveFkeyDefaults() {
  return WriteLines(prefs.PathOf(kFkeyDefaultsFileName), WriteFkeysAndSettings(false));
}

bool Settings::WriteSettingsFile(const std::string& path) { return WriteLines(path, WriteFkeysAndSettings(true)); }

}  // namespace korvane
