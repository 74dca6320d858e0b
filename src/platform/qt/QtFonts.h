#pragma once
// Fonts on Qt: font files are found through fontconfig (the user's and the
// system's font folders) and registered with Qt's font database.

#include "platform/Fonts.h"

namespace korvane::platform {

class QtFonts final : public Fonts {
 public:
  std::string FindFontFile(const std::string& family) override;
  int ActivateFontFile(const std::string& path) override;
};

}  // namespace korvane::platform
