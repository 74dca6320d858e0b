#include "emulation/WyseCharacters.h"

#include <array>
#include <cstdint>

namespace korvane {

namespace {

// Codes 64..107, four at a time.
constexpr uint8_t kRangeGlyphs[11] = {222, 223, 221, 225, 220, 229, 224, 233, 230, 226, 228};

// The alternative set, codes 51..94.
constexpr uint8_t kAltGlyphs[44] = {226, 229, 255, 251, 223, 223, 248, 234, 244, 246, 246, 246, 223, 221, 233,
                                    220, 224, 230, 228, 254, 245, 242, 243, 253, 252, 249, 232, 250, 247, 253,
                                    241, 252, 242, 243, 243, 254, 245, 250, 225, 222, 227, 219, 218, 218};

constexpr std::array<uint8_t, 256> MakePcTable() {
  std::array<uint8_t, 256> t{};
  constexpr uint8_t pairs[][2] = {{220, 194}, {221, 192}, {222, 218}, {223, 191}, {224, 195}, {225, 217},
                                  {226, 179}, {227, 219}, {228, 197}, {229, 180}, {230, 196}, {231, 176},
                                  {232, 205}, {233, 193}, {234, 186}, {240, 255}, {241, 209}, {242, 200},
                                  {243, 201}, {244, 187}, {245, 199}, {246, 188}, {247, 207}, {248, 185},
                                  {249, 204}, {250, 206}, {251, 182}, {252, 203}, {253, 202}, {254, 198}};
  for (const auto& p : pairs) t[p[0]] = p[1];
  return t;
}
constexpr std::array<uint8_t, 256> kPcTable = MakePcTable();

// The Wyse 60's graphics set: the frame pieces at the codes its alternative
// set shares with it, and the symbols of its own. Arrows and the lantern
// have no glyph in the screen font: they show as the characters curses
// itself falls back to.
struct Wyse60Glyph {
  char code;
  uint8_t glyph;  // screen font code
  uint8_t pc;     // the same glyph in a font with PC line-drawing codes
};
constexpr Wyse60Glyph kWyse60Glyphs[] = {
    {'/', '>', '>'}, {'.', '<', '<'}, {'[', 227, 219}, {'2', 255, 177}, {'x', 161, 248}, {'q', 177, 241},
    {'1', 231, 176}, {'h', '#', '#'}, {'Y', 225, 217}, {'?', 223, 191}, {'Z', 222, 218}, {'@', 221, 192},
    {'E', 228, 197}, {'D', 230, 196}, {'C', 224, 195}, {'4', 229, 180}, {'A', 233, 193}, {'B', 220, 194},
    {'3', 226, 179}, {'s', 178, 243}, {'r', 179, 242}, {'c', 185, 227}, {'~', 165, 249},
};

const Wyse60Glyph* FindWyse60Glyph(int c) {
  for (const auto& g : kWyse60Glyphs)
    if (g.code == c) return &g;
  return nullptr;
}

}  // namespace

int Wyse60GraphicsGlyph(int c) {
  const Wyse60Glyph* g = FindWyse60Glyph(c);
  return g ? g->glyph : 0;
}

int AltGraphicsGlyph(int c) { return c >= 51 && c <= 94 ? kAltGlyphs[c - 51] : 0; }

int PcLineDrawingCode(int glyph) {
  if (glyph < 0 || glyph > 255 || kPcTable[glyph] == 0) return glyph;
  return kPcTable[glyph];
}

int MapLineGraphics(int c, const LineGraphicsMode& mode) {
  if (mode.wyse60Set && !mode.rangeMode && !mode.altSet) {
    if (const Wyse60Glyph* g = FindWyse60Glyph(c)) return mode.programFont == 2 ? g->pc : g->glyph;
    // The rest of the set is laid out as the alternative set.
    LineGraphicsMode alt = mode;
    alt.wyse60Set = false;
    alt.altSet = true;
    return MapLineGraphics(c, alt);
  }
  if (mode.rangeMode && c >= 64 && c <= 107) {
    c = kRangeGlyphs[(c - 64) / 4];
  } else if (mode.altSet && c >= 51 && c <= 94) {
    c = kAltGlyphs[c - 51];
    if (mode.programFont == 1) return c;
  } else if (c < 128) {
    if (c > 96) c -= 32;
    if (c > 79) c += 140;
    if (c >= 48 && c <= 63) c += 172;
    if (mode.wyseColour) {
      switch (c) {
        case 69: c = 221; break;
        case 70: c = 222; break;
        case 71: c = 223; break;
        case 72: c = 225; break;
        case 74: c = 226; break;
        case 75: c = 230; break;
        case 76: c = 229; break;
        case 77: c = 224; break;
        case 78: c = 220; break;
        case 79: c = 233; break;
        default: break;
      }
    } else if (c >= 64 && c <= 79) {
      c += 176;
    }
    if (c >= 33 && c <= 47) c += 208;
  }
  if (mode.programFont == 2) c = PcLineDrawingCode(c);
  return c;
}

}  // namespace korvane
