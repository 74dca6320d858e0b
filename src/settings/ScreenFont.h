#pragma once
// The screen font at start-up: the font file is found in the user's or the
// system's font folders and registered with the program's drawing. A missing
// or unusable font is reported; the program then draws with the font the
// window system substitutes.

#include "platform/Alerts.h"
#include "platform/Fonts.h"

namespace korvane {

// The family every session's cells are drawn in.
inline constexpr const char* kScreenFontFamily = "DejaVu Sans Mono";

// Finds and registers the screen font. 0 when it is ready; otherwise the
// error, after a stop alert: "The screen font DejaVu Sans Mono is not
// installed." or that its file could not be loaded.
int ActivateScreenFont(platform::Fonts& fonts, platform::Alerts& alerts);

}  // namespace korvane
