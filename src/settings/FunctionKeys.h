#pragma once
// The function keys of the settings record: labels of eight characters, and
// the built-in labels and definitions a session gets when none is defined.

#include <string>

#include "settings/SessionOptions.h"

namespace korvane {

// A label centred in eight characters (cut to eight when longer).
std::string PadKeyLabel(const std::string& label);

// "F1".."F16" and "SF1".."SF16", and the definitions of the function-key set
// type: with FkeySetType 0 the keys send STX and a key character ("1" ... for
// F1, "!" ... for the shifted keys) and CR; otherwise SOH and "@" ... or "`"
// ... and CR.
void LoadBuiltInKeyLabels(SessionOptions& Opt);

}  // namespace korvane
