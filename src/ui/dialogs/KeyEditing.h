#pragma once
// What the key editors show and change: key strings in token form, labels
// without their padding, tokens put in place of the selection.

#include <string>

#include "platform/Controls.h"

namespace korvane::ui {

// A key string with every control character as its token ("{ES", "{CT" and a
// letter, "{ \", "{ ]", "{ ^").
std::string TokenForm(const std::string& keyString);
// Up to 8 blanks taken from each end of a label.
std::string TrimLabel(const std::string& label);
// `text` with the selection replaced by `token`; the insertion point moves
// after it.
std::string ReplaceSelection(const std::string& text, platform::TextSelection& selection, const std::string& token);

}  // namespace korvane::ui
