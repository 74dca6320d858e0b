// Stored screen pages: the 13 copies of the screen, saving and restoring them
// whole or by region, and the host's page command that names them.

#include "screen/StoredPages.h"

#include <algorithm>

#include "screen/Screen.h"

namespace korvane {

namespace {
constexpr ScreenPlanes::Plane kPagePlanes[] = {ScreenPlanes::kChars, ScreenPlanes::kAttrs, ScreenPlanes::kBack,
                                               ScreenPlanes::kFore};
constexpr int kPlanesPerSlot = ScreenPlanes::kPlaneCount;
// A page name is a length-prefixed string, and the bytes after a command's
// last comma are read up to a CR, at most this many.
constexpr size_t kPageFieldLimit = 255;
constexpr int kTrailingByteLimit = 256;
}  // namespace

StoredPages::StoredPages() : cells_(platform::MakeZeroedCells(size_t(kSlots) * kPlanesPerSlot * kPlaneCells)) {}

int16_t* StoredPages::Plane(int slot, ScreenPlanes::Plane p) {
  CheckIndex("StoredPage", slot - 1, kSlots);
  CheckIndex("StoredPage plane", p, kPlanesPerSlot);
  return cells_.get() + (size_t(slot - 1) * kPlanesPerSlot + p) * kPlaneCells;
}

int16_t& StoredPages::Cell(int slot, ScreenPlanes::Plane p, int row, int col) {
  CheckIndex("StoredPage", row, kRows);
  CheckIndex("StoredPage", col, kCols);
  return Plane(slot, p)[row * kCols + col];
}

void StoredPages::ClearPlanes() {
  std::fill_n(cells_.get(), size_t(kSlots) * kPlanesPerSlot * kPlaneCells, int16_t{0});
}

// ---- The page operations ------------------------------------------------------

void Screen::ClearPages() { Pages.ClearPlanes(); }

void Screen::SaveScreenPage() {
  // Slot 0 means "no slot": the screen still goes to the scroll-back. Any
  // other value outside 1..13 comes from a bad host number and changes nothing.
  if (PageSaveSlot < 0 || PageSaveSlot > StoredPages::kSlots) return;
  SaveScreenToScrollback();
  if (!StoredPages::ValidSlot(PageSaveSlot)) return;
  if (Opt.ColourModeB) Pages.PageBackColour[PageSaveSlot] = BackgroundColour;
  for (auto p : kPagePlanes) Grid.CopyOut(p, StoredPages::kRows, Pages.Plane(PageSaveSlot, p));
}

void Screen::RestoreScreenPage() {
  const int s = PageRestoreSlot;
  if (!StoredPages::ValidSlot(s)) return;
  SaveScreenToScrollback();
  // A page saved without a background colour (never saved, or saved outside
  // colour mode B) leaves the session's background alone.
  const int16_t pageBack = Pages.PageBackColour[s];
  if (Opt.ColourModeB && pageBack >= 1 && pageBack <= kPaletteSize) {
    const bool repaintBackground = pageBack != BackgroundColour && Opt.HostFeatureOption == 1;
    BackgroundColour = pageBack;
    SetBackIndex(BackgroundColour);
    SetPrintForeColor(CurrentForeColour);
    CurrentBackColour = BackgroundColour;
    if (repaintBackground) PaintTextAreaBackgroundB();
  }
  for (auto p : kPagePlanes) Grid.CopyIn(p, StoredPages::kRows, Pages.Plane(s, p));
  RedrawScreenFromBuffers();
}

bool Screen::PageRecallFitsScreen(int s) const {
  // The destination must lie on the screen and the source region must start
  // inside the page: host numbers outside these would reach cells outside the
  // planes.
  if (PageRecallRow > ScreenRows || PageRecallCol > kMaxScreenCols) return false;
  return Pages.PageRegion[s][1] >= 1 && Pages.PageRegion[s][2] >= 1;
}

void Screen::RecallPageRegion() {
  const int s = PageRestoreSlot;
  if (!StoredPages::ValidSlot(s)) return;
  PageRecallCol = std::max<int16_t>(PageRecallCol, 1);
  PageRecallRow = std::max<int16_t>(PageRecallRow, 1);
  if (!PageRecallFitsScreen(s)) return;
  SaveScreenToScrollback();
  auto& region = Pages.PageRegion[s];
  if (region[3] < 2) region[3] = ColumnsSetting;
  if (region[4] < 2) region[4] = ScreenRows;
  // The cut extents stay in the table for the next recall.
  if (region[3] + PageRecallCol - 1 > kMaxScreenCols) region[3] = static_cast<int16_t>(kMaxScreenCols - PageRecallCol);
  if (region[4] + PageRecallRow - 1 > ScreenRows) region[4] = static_cast<int16_t>(ScreenRows - PageRecallRow);

  // Both ranges include their end, as the terminal's own loops did; the
  // source side ends at the screen's last row and the plane's last column,
  // and nothing is written below the screen's last row.
  const int lastRow = std::min<int>(PageRecallRow + region[4], ScreenRows);
  const int lastCol = std::min<int>(PageRecallCol + region[3], kMaxScreenCols);
  int r = region[2] - 1;
  for (int j = PageRecallRow; j <= lastRow; ++j) {
    if (++r > ScreenRows) break;
    int q = region[1] - 1;
    for (int k = PageRecallCol; k <= lastCol; ++k) {
      if (++q > kMaxScreenCols) break;
      for (auto p : kPagePlanes) Grid.Cell(p, j, k) = Pages.Cell(s, p, r, q);
    }
  }
  RedrawScreenFromBuffers();
}

// ---- The page command (ESC j) ----------------------------------------------------

namespace {

// A decimal number as the host writes it: leading blanks, a sign, digits; a
// fraction is dropped and text that is no number reads as 0. The value is
// held within 16 bits.
int PageNumber(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
    value = std::min(value * 10 + (text[i] - '0'), 40000L);
  return static_cast<int>(std::clamp(negative ? -value : value, -32768L, 32767L));
}

int16_t PlusOne(int value) { return static_cast<int16_t>(std::min(value + 1, 32767)); }

}  // namespace

// Reads bytes up to `end` (not kept) into `field`. Returns 1 when the end byte
// came, 0 on a time-out or when the field grew past `limit`.
int Screen::ReadPageField(std::string& field, char end, size_t limit) {
  field.clear();
  while (true) {
    const int b = HostBytes ? HostBytes->GetNextHostByte() : HostByteSource::kTimedOut;
    if (b == HostByteSource::kTimedOut) return 0;
    if (b == static_cast<uint8_t>(end)) return 1;
    if (field.size() >= limit) return 0;
    field += static_cast<char>(b);
  }
}

void Screen::PageCommand() {
  // A command the host leaves unfinished (it falls silent, or a field runs on
  // past any sensible length) changes nothing.
  struct SlotsReset {
    Screen& s;
    ~SlotsReset() { s.PageRestoreSlot = s.PageSaveSlot = 0; }
  } reset{*this};
  auto next = [this] { return HostBytes ? HostBytes->GetNextHostByte() : HostByteSource::kTimedOut; };
  auto readRest = [&] {
    // What the host adds after the command, up to and including a CR.
    for (int n = 0; n < kTrailingByteLimit; ++n) {
      const int b = next();
      if (b == HostByteSource::kTimedOut || b == '\r') return;
    }
  };

  const int sub = next();
  std::string name, field;
  if (sub == 'D') {
    if (ReadPageField(name, '\r', kPageFieldLimit + 1))
      for (int i = 1; i <= StoredPages::kSlots; ++i) Pages.PageNameSlot[i] = 0;
    return;
  }
  if (sub != 'S' && sub != 'R') return;

  if (!ReadPageField(name, ',', kPageFieldLimit)) return;
  if (name.empty()) name.push_back('1');
  const int count = sub == 'S' ? 4 : 2;
  int numbers[4] = {};
  for (int i = 0; i < count; ++i) {
    if (!ReadPageField(field, ',', kPageFieldLimit)) return;
    numbers[i] = PageNumber(field);
  }
  // One byte after the last comma is taken without being looked at.
  if (next() == HostByteSource::kTimedOut) return;

  int entry = 0;
  for (int i = 1; i <= StoredPages::kSlots && entry == 0; ++i)
    if (Pages.PageNames[i] == name) entry = i;

  if (sub == 'S') {
    if (entry == 0) {
      for (int i = 1; i <= StoredPages::kSlots && entry == 0; ++i)
        if (Pages.PageNames[i].empty()) entry = i;
      if (entry != 0) Pages.PageNames[entry] = name;
    }
    if (entry != 0) {
      PageSaveSlot = static_cast<int16_t>(entry);
      Pages.PageNameSlot[entry] = static_cast<int16_t>(entry);
      for (int i = 0; i < 4; ++i) Pages.PageRegion[entry][i + 1] = PlusOne(numbers[i]);
    }
    if (!Opt.ExtendedAnsiMode) SaveScreenPage();
  } else {
    if (entry != 0) PageRestoreSlot = Pages.PageNameSlot[entry];
    PageRecallCol = PlusOne(numbers[0]);
    PageRecallRow = PlusOne(numbers[1]);
    if (StoredPages::ValidSlot(PageRestoreSlot) && Pages.PageNameSlot[PageRestoreSlot] > 0 && !Opt.ExtendedAnsiMode)
      RecallPageRegion();
  }
  readRest();
}

}  // namespace korvane
