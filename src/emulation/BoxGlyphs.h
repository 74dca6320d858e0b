#pragma once
// Line-drawing glyphs of the frames the host draws, in the program's own
// screen font and in code page 437.

#include <cstdint>

namespace korvane {

enum class BoxLine { Single, Double };

struct BoxGlyphSet {
  uint8_t topLeft, horizontal, topRight, vertical, bottomLeft, bottomRight;
};

// The shadow a frame casts on its right and bottom sides.
struct ShadowGlyphSet {
  uint8_t topRight, rightEdge, bottomEdge, bottomRight;
};

inline const BoxGlyphSet& BoxGlyphs(bool programFont, BoxLine line) {
  static constexpr BoxGlyphSet kProgramSingle{222, 230, 223, 226, 221, 225};
  static constexpr BoxGlyphSet kProgramDouble{243, 232, 244, 234, 242, 246};
  static constexpr BoxGlyphSet kPcSingle{218, 196, 191, 179, 192, 217};
  static constexpr BoxGlyphSet kPcDouble{201, 205, 187, 186, 200, 188};
  if (line == BoxLine::Double) return programFont ? kProgramDouble : kPcDouble;
  return programFont ? kProgramSingle : kPcSingle;
}

inline const ShadowGlyphSet& ShadowGlyphs(bool programFont) {
  static constexpr ShadowGlyphSet kProgram{202, 218, 219, 239};
  static constexpr ShadowGlyphSet kPc{254, 222, 223, 220};
  return programFont ? kProgram : kPc;
}

}  // namespace korvane
