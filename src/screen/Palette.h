#pragma once
// The 19-colour palette and the tables that map host colour numbers and Wyse
// attribute codes onto it. Indexes are 1-based; entry 0 is unused.

#include <array>
#include <cstdint>

#include "platform/Port.h"

namespace korvane {

using platform::RGB;

constexpr int kPaletteSize = 19;

// Entry 9 is a dark blue on the screen and full blue in the settings windows.
constexpr std::array<RGB, kPaletteSize + 1> kScreenPalette = {{
    {0, 0, 0},
    {65535, 26214, 39321},  // 1
    {65535, 0, 0},          // 2
    {26214, 52428, 39321},  // 3
    {0, 65535, 0},          // 4
    {65535, 65535, 52428},  // 5
    {65535, 65535, 0},      // 6
    {39321, 26214, 13107},  // 7
    {32896, 32896, 49344},  // 8
    {0, 0, 40000},          // 9
    {49344, 32896, 49344},  // 10
    {26214, 0, 26214},      // 11
    {0, 65535, 65535},      // 12
    {0, 39321, 65535},      // 13
    {57079, 57079, 57079},  // 14
    {40000, 40000, 40000},  // 15
    {65535, 0, 39321},      // 16
    {65535, 65535, 65535},  // 17
    {0, 0, 0},              // 18
    {65535, 35646, 54514},  // 19
}};

constexpr std::array<RGB, kPaletteSize + 1> MakeDialogPalette() {
  auto p = kScreenPalette;
  p[9] = {0, 0, 65535};
  return p;
}
constexpr std::array<RGB, kPaletteSize + 1> kDialogPalette = MakeDialogPalette();

// Host colour numbers 0..15 to palette indexes.
constexpr std::array<int16_t, 16> kHostColourToPalette = {18, 9, 4, 13, 2, 16, 7, 17, 15, 8, 3, 12, 1, 19, 6, 14};

// Colours of the Wyse attribute codes 10..25. kUseBackground stands for the
// session's background colour.
constexpr int16_t kUseBackground = -1;
struct AttributeColours {
  int16_t fore, back;
};
// As set by the host's attribute command.
constexpr std::array<AttributeColours, 16> kWyseAttributeColours = {{
    {4, kUseBackground},
    {12, kUseBackground},
    {6, kUseBackground},
    {17, kUseBackground},
    {18, 4},
    {18, 12},
    {18, 6},
    {18, 17},
    {18, kUseBackground},
    {8, kUseBackground},
    {2, kUseBackground},
    {16, kUseBackground},
    {17, 18},
    {18, 9},
    {18, 2},
    {18, 16},
}};

// The dim partner of a foreground colour (colours without one stay).
constexpr int16_t DimPartner(int16_t c) {
  switch (c) {
    case 18: return 15;
    case 2: return 1;
    case 4: return 3;
    case 6: return 5;
    case 9: return 8;
    case 16: return 1;
    case 13: return 12;
    case 17: return 14;
    default: return c;
  }
}

}  // namespace korvane
