// Reading settings files: the function-key part, the 177 settings lines with
// the values older, shorter files get, and the start-up and document reads.

#include <cerrno>

#include "settings/FunctionKeys.h"
#include "settings/Settings.h"
#include "settings/SettingsTable.h"

namespace korvane {

void Settings::ReadFunctionKeys(SettingsLineReader& file) {
  St.FkeysDefined = 0;
  for (int line = 1; line <= kFkeyLineCount; ++line) {
    std::string value = file.ReadLine();
    if (line <= kFkeyStringCount && !value.empty()) St.FkeysDefined = 1;
    FkeyLine(Opt, line) = std::move(value);
  }
  // Read again with the settings lines; stays 1 when they are not read.
  Opt.MouseOption = 1;
}

void Settings::ReadDefaultSettings(SettingsLineReader& file5) {
  St.PreviousConnectionPort = Opt.ConnectionPort;
  const SessionOptions before = Opt;
  const int16_t fkeysDefinedBefore = St.FkeysDefined;
  ReadFunctionKeys(file5);

  SettingsLineReader defaultsFile;
  SettingsLineReader* file = &file5;
  if (!St.ReadFromOpenFile) {
    const std::string path = prefs.PathOf(kDefaultsFileName);
    if (!files_.Exists(path)) {
      SetDefaultSettings();
      St.NoSettingsFile = 1;
    } else {
      std::string bytes;
      const int error = files_.ReadFile(path, bytes, kMaxSettingsFileBytes);
      // A file that cannot be read is taken as an empty one: the defaults.
      if (error != 0) ReportUnreadable(path, error);
      defaultsFile = SettingsLineReader(bytes);
      file = &defaultsFile;
    }
  }
  file->ClearError();
  if (!St.NoSettingsFile) ReadSettingsLines(*file);

  // A document whose settings cannot be read counts as no file at all: its
  // function-key lines are not taken either (they would otherwise become the
  // default function keys).
  const bool takeFunctionKeys = !(St.ReadFromOpenFile && St.BadSettingsFile);
  if (!takeFunctionKeys) {
    Opt.FkeyStrings = before.FkeyStrings;
    Opt.FkeyTitles = before.FkeyTitles;
    Opt.ShiftFkeyTitles = before.ShiftFkeyTitles;
    St.FkeysDefined = fkeysDefinedBefore;
  }
  ApplySettings(takeFunctionKeys);
}

void Settings::ReadSettingsLines(SettingsLineReader& file) {
  bool found = false;
  const int64_t first = ReadNumber(file.ReadLine(), &found);
  if (file.Error() || !found) {
    St.BadSettingsFile = 1;
    // A first line that holds no number means this is not a settings file:
    // none of its lines is taken, as when the file is empty.
    file.SkipToEnd();
  }
  SettingsLine(1).SetNumber(Opt, first);

  for (int line = 2; line <= kSettingsLineCount; ++line) {
    const SettingsLineDef& d = SettingsLine(line);
    std::string text = file.ReadLine();
    switch (d.kind) {
      case LineKind::Number: {
        int64_t value = ReadNumber(text);
        if (line == 150 && value == 0) value = 13;  // the Return key sends CR
        if (line == 58) break;                      // the text size follows the font size instead
        // The copy-buffer mode is restored when it holds one of its two modes.
        if (line == 9 && value != 1 && value != 2) break;
        d.SetNumber(Opt, value);
        break;
      }
      case LineKind::Text:
      case LineKind::KeyString: d.SetText(Opt, std::move(text)); break;
      case LineKind::Keyword: ReadKeywordLine(line, text); break;
      case LineKind::Reserved: break;
    }
    if (file.Error()) ApplyShortFileValue(line, file);
  }
  file.ClearError();
}

void Settings::ReadKeywordLine(int line, const std::string& text) {
  switch (line) {
    case 2: {
      static const char* const kWords[] = {"N", "O", "E"};
      for (int16_t code = 0; code < 3; ++code) {
        if (text == kWords[code]) {
          Opt.Parity = code;
          St.ParityMatched = 1;
          return;
        }
      }
      if (!St.ParityMatched) Opt.Parity = 0;
      return;
    }
    case 3: {
      static const char* const kWords[] = {"7", "8", "5", "6"};
      for (int16_t code = 0; code < 4; ++code) {
        if (text == kWords[code]) {
          Opt.DataBits = code;
          St.DataBitsMatched = 1;
          return;
        }
      }
      if (!St.DataBitsMatched) Opt.DataBits = 1;
      return;
    }
    case 52: Opt.BlockCursor = text == "Block" ? 1 : 0; return;
    case 56:
      if (text == "UseClip") Opt.UseClip = 1;
      return;
    case 57: Opt.RememberWnd = text == "RememberWnd" ? 1 : 0; return;
    // Evaluated once every line is read.
    case 42: St.AltBreakText = text; return;
    case 47: St.CameraSoundText = text; return;
    case 49: St.LineEndText = text; return;
    case 73: St.PageUpDownText = text; return;
    case 74: St.PreviousPageText = text; return;
    case 85: St.AltBreakCText = text; return;
    default: return;
  }
}

// Older program versions wrote fewer lines; a file that ends before one of
// these lines gives it the value those versions behaved by.
void Settings::ApplyShortFileValue(int line, SettingsLineReader& file) {
  switch (line) {
    case 140: Opt.AutoAnsiColours = 1; break;
    case 144: Opt.Option144 = 0; break;
    case 145:
      Opt.ForceKeypadApplication = 0;
      host_.SetKeypadNumericMode();
      break;
    case 146: Opt.TelnetViaShell = 1; break;
    case 151: Opt.VtOption151 = 1; break;
    case 159: St.ShortFileBefore159 = 1; break;
    case 164: St.ShortFileBefore164 = 1; break;
    case 174:
      if (Opt.AltEditKeys == 0 && Opt.TelnetViaShell == 0 && Opt.KermitMode == 0) Opt.KermitFlushOutput = 1;
      file.ClearError();
      break;
    default: break;
  }
}

namespace {

// The oldest program versions wrote 139 settings lines after the function
// keys; a file that ends sooner was cut short.
constexpr int kFewestSettingsLines = 139;

// Why `bytes` cannot be a settings document, or null when they can.
const char* NotASettingsDocument(const std::string& bytes) {
  if (bytes.find_first_not_of(" \t\r\n") == std::string::npos) return " cannot be opened: it is empty.";
  if (bytes.find('\0') != std::string::npos) return " cannot be opened: it is not a text file.";
  SettingsLineReader file(bytes);
  std::string firstSetting;
  int lines = 0;
  for (; lines < kFkeyLineCount + kFewestSettingsLines; ++lines) {
    std::string line = file.ReadLine();
    if (file.Error()) break;
    if (lines == kFkeyLineCount) firstSetting = std::move(line);
  }
  if (lines > kFkeyLineCount) {
    bool found = false;
    ReadNumber(firstSetting, &found);
    if (!found) return " cannot be opened: it holds no Korvane settings.";
  }
  if (lines < kFkeyLineCount + kFewestSettingsLines) return " cannot be opened: it is cut short.";
  return nullptr;
}

}  // namespace

int Settings::ReadSettingsDocument(const std::string& path) {
  std::string bytes;
  const int error = files_.ReadFile(path, bytes, kMaxSettingsFileBytes);
  if (error != 0) {
    if (error != ENOENT) ReportUnreadable(path, error);
    return error;
  }
  if (const char* reason = NotASettingsDocument(bytes)) {
    alerts_.Show(platform::AlertKind::Stop, 0, "The settings document ", FileBaseName(path), reason);
    return EINVAL;
  }
  SettingsLineReader file(bytes);
  St.ReadFromOpenFile = 1;
  ReadDefaultSettings(file);
  St.ReadFromOpenFile = 0;
  return 0;
}

void Settings::ReadStartupSettings() {
  const std::string path = prefs.PathOf(kFkeyDefaultsFileName);
  std::string bytes;
  int error = ENOENT;
  if (files_.Exists(path)) {
    error = files_.ReadFile(path, bytes, kMaxSettingsFileBytes);
    if (error != 0) ReportUnreadable(path, error);
  }
  // Without a function-key file of the user's no key is defined: once the
  // settings are read, the keys the program carries for their emulation
  // are taken.
  if (error != 0) bytes.clear();
  SettingsLineReader file(bytes);
  St.ReadFromOpenFile = 0;
  ReadDefaultSettings(file);
}

void Settings::LoadBundledFunctionKeys() {
  const std::string bytes = host_.BundledFunctionKeys(BundledFunctionKeyFile(Opt));
  if (!bytes.empty()) {
    SettingsLineReader file(bytes);
    bool defined = false;
    for (int line = 1; line <= kFkeyLineCount; ++line) {
      std::string value = file.ReadLine();
      if (line <= kFkeyStringCount && !value.empty()) defined = true;
      FkeyLine(Opt, line) = std::move(value);
    }
    if (defined) {
      St.FkeysDefined = 1;
      return;
    }
  }
  LoadBuiltInKeyLabels(Opt);
}

void Settings::ReportUnreadable(const std::string& path, int error) {
  alerts_.Show(platform::AlertKind::Stop, 0, FileBaseName(path) + " could not be read.", "\r",
               platform::FileErrorText(error));
}

}  // namespace korvane
