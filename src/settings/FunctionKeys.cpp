#include "settings/FunctionKeys.h"

namespace korvane {

std::string PadKeyLabel(const std::string& label) {
  const size_t left = label.size() < 8 ? (8 - label.size()) / 2 : 0;
  std::string out = std::string(left, ' ') + label;
  out.resize(8, ' ');
  return out;
}

void LoadBuiltInKeyLabels(SessionOptions& Opt) {
  for (int k = 1; k <= 16; ++k) {
    Opt.FkeyTitles[static_cast<size_t>(k)] = PadKeyLabel("F" + std::to_string(k));
    Opt.ShiftFkeyTitles[static_cast<size_t>(k)] = PadKeyLabel("SF" + std::to_string(k));
  }
  for (int k = 1; k <= 32; ++k) {
    std::string key;
    if (Opt.FkeySetType != 0) {
      key = std::string(1, '\x01') + static_cast<char>(k <= 16 ? 63 + k : 79 + k);
    } else if (k <= 16) {
      key = std::string(1, '\x02') + static_cast<char>(k == 16 ? '0' : 48 + k);
    } else {
      key = std::string(1, '\x02') + static_cast<char>(k == 32 ? ' ' : 16 + k);
    }
    Opt.FkeyStrings[static_cast<size_t>(k)] = key + "{CR";
  }
}

}  // namespace korvane
