#include "platform/CharMap.h"

#include <algorithm>
#include <array>

namespace korvane::platform {

namespace {

// Codes 128..255 of Mac Roman.
constexpr std::array<char16_t, 128> kMacRomanHigh = {
    0x00C4, 0x00C5, 0x00C7, 0x00C9, 0x00D1, 0x00D6, 0x00DC, 0x00E1, 0x00E0, 0x00E2, 0x00E4, 0x00E3, 0x00E5,
    0x00E7, 0x00E9, 0x00E8, 0x00EA, 0x00EB, 0x00ED, 0x00EC, 0x00EE, 0x00EF, 0x00F1, 0x00F3, 0x00F2, 0x00F4,
    0x00F6, 0x00F5, 0x00FA, 0x00F9, 0x00FB, 0x00FC, 0x2020, 0x00B0, 0x00A2, 0x00A3, 0x00A7, 0x2022, 0x00B6,
    0x00DF, 0x00AE, 0x00A9, 0x2122, 0x00B4, 0x00A8, 0x2260, 0x00C6, 0x00D8, 0x221E, 0x00B1, 0x2264, 0x2265,
    0x00A5, 0x00B5, 0x2202, 0x2211, 0x220F, 0x03C0, 0x222B, 0x00AA, 0x00BA, 0x03A9, 0x00E6, 0x00F8, 0x00BF,
    0x00A1, 0x00AC, 0x221A, 0x0192, 0x2248, 0x2206, 0x00AB, 0x00BB, 0x2026, 0x00A0, 0x00C0, 0x00C3, 0x00D5,
    0x0152, 0x0153, 0x2013, 0x2014, 0x201C, 0x201D, 0x2018, 0x2019, 0x00F7, 0x25CA, 0x00FF, 0x0178, 0x2044,
    0x20AC, 0x2039, 0x203A, 0xFB01, 0xFB02, 0x2021, 0x00B7, 0x201A, 0x201E, 0x2030, 0x00C2, 0x00CA, 0x00C1,
    0x00CB, 0x00C8, 0x00CD, 0x00CE, 0x00CF, 0x00CC, 0x00D3, 0x00D4, 0xF8FF, 0x00D2, 0x00DA, 0x00DB, 0x00D9,
    0x0131, 0x02C6, 0x02DC, 0x00AF, 0x02D8, 0x02D9, 0x02DA, 0x00B8, 0x02DD, 0x02DB, 0x02C7,
};

// Codes 128..255 of code page 437.
constexpr std::array<char16_t, 128> kCp437High = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE,
    0x00EC, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9, 0x00FF, 0x00D6,
    0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192, 0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA,
    0x00BA, 0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB, 0x2591, 0x2592, 0x2593, 0x2502,
    0x2524, 0x2561, 0x2562, 0x2556, 0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510, 0x2514,
    0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F, 0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550,
    0x256C, 0x2567, 0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B, 0x256A, 0x2518, 0x250C,
    0x2588, 0x2584, 0x258C, 0x2590, 0x2580, 0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4,
    0x03A6, 0x0398, 0x03A9, 0x03B4, 0x221E, 0x03C6, 0x03B5, 0x2229, 0x2261, 0x00B1, 0x2265, 0x2264, 0x2320,
    0x2321, 0x00F7, 0x2248, 0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0,
};

// The screen font keeps Mac Roman for text but puts line-drawing glyphs at
// the codes the interpreters write for frames, blocks and shadows. Each
// entry names the glyph by its code page 437 code.
struct FontOverride {
  uint8_t code;
  uint8_t cp437;
};
constexpr FontOverride kScreenFontGlyphs[] = {
    {202, 254}, {218, 222}, {219, 223}, {220, 194}, {221, 192}, {222, 218}, {223, 191}, {224, 195}, {225, 217},
    {226, 179}, {227, 219}, {228, 197}, {229, 180}, {230, 196}, {231, 176}, {232, 205}, {233, 193}, {234, 186},
    {239, 220}, {240, 255}, {241, 209}, {242, 200}, {243, 201}, {244, 187}, {245, 199}, {246, 188}, {247, 207},
    {248, 185}, {249, 204}, {250, 206}, {251, 182}, {252, 203}, {253, 202}, {254, 198}, {255, 177},
};

std::array<char32_t, 256> MakeScreenFontTable() {
  std::array<char32_t, 256> t{};
  for (int c = 0; c < 256; ++c) t[c] = MacRomanToUnicode(static_cast<uint8_t>(c));
  for (const auto& o : kScreenFontGlyphs) t[o.code] = kCp437High[o.cp437 - 128];
  for (int c = 0; c < 32; ++c) t[c] = U' ';
  t[127] = U' ';
  return t;
}

std::array<char32_t, 256> MakePcFontTable() {
  std::array<char32_t, 256> t{};
  for (int c = 0; c < 128; ++c) t[c] = (c < 32 || c == 127) ? U' ' : static_cast<char32_t>(c);
  for (int c = 128; c < 256; ++c) t[c] = kCp437High[c - 128];
  t[255] = U' ';  // no-break space in code page 437
  return t;
}

const std::array<char32_t, 256> kScreenFontTable = MakeScreenFontTable();
const std::array<char32_t, 256> kPcFontTable = MakePcFontTable();

}  // namespace

char32_t MacRomanToUnicode(uint8_t code) {
  return code < 128 ? static_cast<char32_t>(code) : static_cast<char32_t>(kMacRomanHigh[code - 128]);
}

int UnicodeToMacRoman(char32_t u) {
  if (u < 128) return static_cast<int>(u);
  for (int i = 0; i < 128; ++i)
    if (kMacRomanHigh[i] == u) return 128 + i;
  return -1;
}

char32_t GlyphOf(int16_t fontId, uint8_t code) {
  return fontId == kPcScreenFont ? kPcFontTable[code] : kScreenFontTable[code];
}

bool IsBlockOrLineGlyph(char32_t u) { return (u >= 0x2500 && u <= 0x259F) || u == 0x25A0; }

void AppendUtf8(std::string& out, char32_t u) {
  if (u < 0x80) {
    out += static_cast<char>(u);
  } else if (u < 0x800) {
    out += static_cast<char>(0xC0 | (u >> 6));
    out += static_cast<char>(0x80 | (u & 0x3F));
  } else if (u < 0x10000) {
    out += static_cast<char>(0xE0 | (u >> 12));
    out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (u & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (u >> 18));
    out += static_cast<char>(0x80 | ((u >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (u & 0x3F));
  }
}

bool NextUtf8(std::string_view s, std::size_t& pos, char32_t& u) {
  const auto b0 = static_cast<uint8_t>(s[pos]);
  int extra = 0;
  char32_t min = 0;
  if (b0 < 0x80) {
    u = b0;
    ++pos;
    return true;
  } else if ((b0 & 0xE0) == 0xC0) {
    extra = 1, u = b0 & 0x1F, min = 0x80;
  } else if ((b0 & 0xF0) == 0xE0) {
    extra = 2, u = b0 & 0x0F, min = 0x800;
  } else if ((b0 & 0xF8) == 0xF0) {
    extra = 3, u = b0 & 0x07, min = 0x10000;
  } else {
    return false;
  }
  if (pos + extra >= s.size()) return false;
  for (int i = 1; i <= extra; ++i) {
    const auto b = static_cast<uint8_t>(s[pos + i]);
    if ((b & 0xC0) != 0x80) return false;
    u = (u << 6) | (b & 0x3F);
  }
  if (u < min || u > 0x10FFFF || (u >= 0xD800 && u <= 0xDFFF)) return false;
  pos += extra + 1;
  return true;
}

std::string MacRomanFromUtf8(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    char32_t u = 0;
    if (!NextUtf8(utf8, pos, u)) u = static_cast<unsigned char>(utf8[pos++]);
    const int code = UnicodeToMacRoman(u);
    out += code < 0 ? '?' : static_cast<char>(code);
  }
  return out;
}

std::string Utf8FromMacRoman(std::string_view macRoman) {
  std::string out;
  out.reserve(macRoman.size());
  for (unsigned char c : macRoman) AppendUtf8(out, MacRomanToUnicode(c));
  return out;
}

}  // namespace korvane::platform
