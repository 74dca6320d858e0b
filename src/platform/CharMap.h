#pragma once
// Screen cells hold 8-bit character codes. These tables turn them into
// Unicode: for drawing (by the screen font's glyph set) and for text that
// leaves the program (Mac Roman).

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Port.h"

namespace korvane::platform {

char32_t MacRomanToUnicode(uint8_t code);
// The Mac Roman code of a character, or -1 when Mac Roman has none.
int UnicodeToMacRoman(char32_t u);

// Text between the program (Mac Roman bytes) and the window system (UTF-8).
// A character Mac Roman cannot hold becomes "?"; bytes that are not UTF-8 are
// taken one by one as Latin-1.
// One character as UTF-8, appended to out.
void AppendUtf8(std::string& out, char32_t u);
// Decodes the UTF-8 character at pos into u and moves pos past it; false (pos
// unchanged) for a malformed, overlong or surrogate sequence.
bool NextUtf8(std::string_view s, std::size_t& pos, char32_t& u);

std::string MacRomanFromUtf8(std::string_view utf8);
std::string Utf8FromMacRoman(std::string_view macRoman);

// The character a cell code shows in the given screen font (see FontId).
// Control codes show as blanks.
char32_t GlyphOf(int16_t fontId, uint8_t code);

// Box-drawing and block characters, which are drawn as strokes and fills so
// that they join across cells at every size.
bool IsBlockOrLineGlyph(char32_t u);

}  // namespace korvane::platform
