#include "settings/FunctionKeys.h"

#include <algorithm>
#include <cctype>

#include "settings/SettingsText.h"

namespace korvane {

namespace {

std::string Clip(const std::string& text) {
  return text.size() > kMaxSettingsText ? text.substr(0, kMaxSettingsText) : text;
}

int KeyInRange(int key) { return std::clamp(key, 1, kFunctionKeyCount); }

constexpr char kSoh = 1, kStx = 2;
constexpr int kDel = 127, kCr = 13;
// The longest definition a host can give a key.
constexpr std::size_t kHostDefinitionMax = 253;

}  // namespace

FunctionKeyName FunctionKeyLabel(const SessionOptions& Opt, int selectedKey) {
  const int k = KeyInRange(selectedKey);
  FunctionKeyName n;
  if (k <= 16) {
    n.label = Opt.FkeyTitles[static_cast<std::size_t>(k)];
    n.rowNumber = k;
    n.name = "F" + std::to_string(k);
  } else {
    n.label = Opt.ShiftFkeyTitles[static_cast<std::size_t>(k - 16)];
    n.rowNumber = k - 16;
    n.name = "SF" + NumberLine(k - 16);
  }
  return n;
}

std::string PadLabel(const std::string& label) {
  if (label.size() >= kLabelWidth) return label.substr(0, kLabelWidth);
  const std::size_t front = (kLabelWidth - label.size()) / 2;
  std::string padded = std::string(front, ' ') + label;
  padded.resize(kLabelWidth, ' ');
  return padded;
}

void PadFunctionKeyLabels(SessionOptions& Opt, int selectedKey) {
  const int k = KeyInRange(selectedKey);
  if (k <= 16) Opt.FkeyTitles[static_cast<std::size_t>(k)] = PadLabel(Opt.FkeyTitles[static_cast<std::size_t>(k)]);
}

void PadShiftFunctionKeyLabels(SessionOptions& Opt, int selectedKey) {
  const int k = KeyInRange(selectedKey);
  if (k > 16) {
    auto& label = Opt.ShiftFkeyTitles[static_cast<std::size_t>(k - 16)];
    label = PadLabel(label);
  }
}

void LoadBuiltInKeyLabels(SessionOptions& Opt) {
  for (int k = 1; k <= 16; ++k) {
    Opt.FkeyTitles[static_cast<std::size_t>(k)] = PadLabel("F" + std::to_string(k));
    Opt.ShiftFkeyTitles[static_cast<std::size_t>(k)] = PadLabel("SF" + std::to_string(k));
  }
  for (int k = 1; k <= kFunctionKeyCount; ++k) {
    std::string definition;
    if (Opt.FkeySetType != 0) {
      // Wyse style: SOH, "@" ... "O" for F1-F16, "`" ... "o" shifted.
      definition = {kSoh, static_cast<char>(k <= 16 ? 63 + k : 79 + k)};
    } else if (k <= 16) {
      definition = {kStx, static_cast<char>(k <= 15 ? 48 + k : '0')};
    } else {
      definition = {kStx, static_cast<char>(k <= 31 ? 16 + k : ' ')};
    }
    Opt.FkeyStrings[static_cast<std::size_t>(k)] = definition + "{CR";
  }
}

std::string BundledFunctionKeyFile(const SessionOptions& Opt) {
  // The most specific emulation flag wins, as it does for the terminal name.
  std::string name = "VT220 Fkeys";
  if (Opt.EmuViewpoint) name = "Viewpoint Fkeys";
  if (Opt.EmuWyse50) name = "Wyse 50 Fkeys";
  if (Opt.EmuWyse50 == 2 || Opt.EmuWyse60) name = "Wyse 60 Fkeys";
  if (Opt.EmuWyse370) name = "Wyse 370 Fkeys";
  if (Opt.EmuTvi925) name = "TeleVideo 925 Fkeys";
  if (Opt.EmuVt100) name = Opt.EmuVt220 ? "VT220 Fkeys" : "VT100 Fkeys";
  if (Opt.EmuPrism) name = "Prism Fkeys";
  return name;
}

int HostKeyOfCode(int code) {
  if (code == '(' || code == ')') return -1;
  if (code >= 49 && code <= 63) return code - 48;
  if (code == 48) return 16;
  if (code >= 33 && code <= 47) return code - 16;
  if (code == 32) return 32;
  if (code >= 64 && code <= 79) return code - 63;
  if (code >= 96 && code <= 111) return code - 79;
  return 0;
}

HostKeyResult StoreHostKeyDefinition(SessionOptions& Opt, int keyCode, int firstByte,
                                     const std::function<std::optional<int>()>& nextByte) {
  const int key = HostKeyOfCode(keyCode);
  if (key == 0) return HostKeyResult::NotAKey;
  if (key < 0) {
    // Read up to the CR and dropped.
    for (std::optional<int> b = firstByte; b && *b != kCr; b = nextByte()) {
    }
    return HostKeyResult::Dropped;
  }
  if (firstByte == kDel || (firstByte == kCr && keyCode >= 32 && keyCode <= 63)) return HostKeyResult::Dropped;
  std::string definition;
  auto keep = [&definition](std::string_view piece) {
    if (definition.size() + piece.size() <= kHostDefinitionMax) definition += piece;
  };
  for (std::optional<int> b = firstByte; b && *b != kDel; b = nextByte()) {
    if (*b == kCr) {
      keep("{CR");
      break;
    }
    keep(std::string(1, static_cast<char>(*b)));
  }
  Opt.FkeyStrings[static_cast<std::size_t>(key)] = definition;
  return HostKeyResult::Stored;
}

std::string ScriptedTextBytes(const std::string& text) {
  if (text.size() >= 2) {
    std::string rest = text.substr(1);
    std::transform(rest.begin(), rest.end(), rest.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    if (rest == "{NOCR}") return text.substr(0, 1);
  }
  return text + "\r";
}

EditKeyStrings BuildControlStrings() {
  return {"\x1bQ",
          "\x1bW",
          "\x1bT",
          "\x1br",
          "\x1b"
          "E",
          "\x1bR",
          "\x1bY",
          "\x1bq"};
}

EditKeyStrings ClearHostStrings() { return {}; }

std::string FunctionKeyFileBytes(const SessionOptions& Opt) {
  std::vector<std::string> lines;
  for (int k = 1; k <= kFunctionKeyCount; ++k)
    lines.push_back(KeyStringLine(Clip(Opt.FkeyStrings[static_cast<std::size_t>(k)])));
  for (int k = 1; k <= 16; ++k) lines.push_back(Clip(Opt.FkeyTitles[static_cast<std::size_t>(k)]));
  for (int k = 1; k <= 16; ++k) lines.push_back(Clip(Opt.ShiftFkeyTitles[static_cast<std::size_t>(k)]));
  return EncodeSettingsFile(lines);
}

bool ReadFunctionKeyFile(std::string_view bytes, SessionOptions& Opt) {
  SettingsLineReader file(bytes);
  std::array<std::string, 64> lines;
  for (auto& line : lines) line = file.ReadLine();
  if (file.Error()) return false;
  for (int k = 1; k <= kFunctionKeyCount; ++k)
    Opt.FkeyStrings[static_cast<std::size_t>(k)] = lines[static_cast<std::size_t>(k - 1)];
  for (int k = 1; k <= 16; ++k) {
    Opt.FkeyTitles[static_cast<std::size_t>(k)] = lines[static_cast<std::size_t>(31 + k)];
    Opt.ShiftFkeyTitles[static_cast<std::size_t>(k)] = lines[static_cast<std::size_t>(47 + k)];
  }
  return true;
}

bool IsProtectedFkeyFileName(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  const std::size_t dot = name.rfind('.');
  if (dot != std::string::npos && dot > 0) name.resize(dot);
  std::transform(name.begin(), name.end(), name.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  static const std::string kProtected = "KORVANE FKEYDEFAULTS";
  return name.size() >= kProtected.size() &&
         name.compare(name.size() - kProtected.size(), kProtected.size(), kProtected) == 0;
}

}  // namespace korvane
