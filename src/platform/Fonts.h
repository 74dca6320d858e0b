#pragma once
// The program's screen font: the file the system's font configuration holds
// for a family, made available to the program's drawing.

#include <string>

namespace korvane::platform {

class Fonts {
 public:
  virtual ~Fonts() = default;
  // The file of the family's regular face, as the user's and the system's
  // font folders hold it; empty when none does.
  virtual std::string FindFontFile(const std::string& family) = 0;
  // Makes a font file available to the program's drawing. 0, or an error
  // number (EINVAL: the file holds no font the program can draw with).
  virtual int ActivateFontFile(const std::string& path) = 0;
};

}  // namespace korvane::platform
