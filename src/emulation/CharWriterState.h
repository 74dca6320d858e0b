#pragma once
// The character writer's state: the cell colours, the wrap, insert and
// graphics modes, the status-line pen and the national replacements.

#include <array>
#include <cstdint>
#include <string>

namespace korvane {

// The codes of the twelve national positions of the 7-bit set (entry 0
// unused), which a national character set replaces.
inline constexpr std::array<int16_t, 13> kNationalPositions = {0, 96, 126, 64, 35, 94, 95, 91, 93, 92, 123, 125, 124};

struct CharWriterState {
  int16_t CellForeColour = 0, CellBackColour = 0;
  int16_t WrapAfterLineFeed = 0;
  int16_t WrapLineFeedPending = 0;
  int16_t InsertMode = 0;
  int16_t GraphicsModeOn = 0;
  int16_t OneShotGraphics = 0;
  int16_t StatusLinePenActive = 0;
  // Where the cursor returns when a CR ends a status-line write.
  int16_t StatusSavedRow = 1, StatusSavedCol = 1;
  // Codes that replace the twelve national positions (entries 1..12).
  std::array<int16_t, 13> NationalReplacement = kNationalPositions;
};

}  // namespace korvane
