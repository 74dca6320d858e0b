#pragma once
// The 13 stored screen pages of a session: copies of rows 0..90 of the four
// screen planes (characters, attributes, background and foreground colours),
// with the names the host gave them, the region of the last named save and the
// session background each was saved with. All planes are allocated once, when
// the session is made.

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/ZeroedCells.h"

#include "screen/Planes.h"

namespace korvane {

class StoredPages {
 public:
  static constexpr int kSlots = 13;  // slots 1..13
  static constexpr int kRows = 91;   // screen rows 0..90
  static constexpr int kCols = ScreenPlanes::kCols;
  static constexpr int kPlaneCells = kRows * kCols;

  StoredPages();

  static bool ValidSlot(int slot) { return slot >= 1 && slot <= kSlots; }
  // The kRows x kCols cells of one plane of a slot (1..13).
  int16_t* Plane(int slot, ScreenPlanes::Plane p);
  // One cell of a slot's plane, checked.
  int16_t& Cell(int slot, ScreenPlanes::Plane p, int row, int col);
  // Every plane of every slot filled with 0; names and regions are kept.
  void ClearPlanes();

  // Name entries 1..13; an empty entry is free.
  std::array<std::string, kSlots + 1> PageNames;
  // The slot registered for name entry i (i after a save under that name), 0
  // when the name may not be recalled.
  std::array<int16_t, kSlots + 1> PageNameSlot{};
  // Per slot, entries 1..4: first source column, first source row, column
  // extent and row extent, each the host's value + 1.
  std::array<std::array<int16_t, 5>, kSlots + 1> PageRegion{};
  // Per slot: the session background it was saved with, 0 when none was kept.
  std::array<int16_t, kSlots + 1> PageBackColour{};

 private:
  platform::ZeroedCells cells_;
};

}  // namespace korvane
