#pragma once
// The VT family's state of one session: the modes the host sets with its
// escape and control sequences, the character sets, the saved cursor, and the
// state of the host-programming commands both interpreter families share.
// The key translation reads the keypad and cursor-key modes from here; the
// window-state swap saves and restores it with the rest of the session.

#include <array>
#include <cstddef>
#include <cstdint>

namespace korvane {

struct VtState {
  // Columns 0..207; a tab stop where the entry is 1.
  using TabStopRow = std::array<uint8_t, 208>;
  // Stops every eight columns: 9, 17, 25, ... (column 1 is where a line starts).
  static constexpr TabStopRow DefaultTabStops() {
    TabStopRow t{};
    for (std::size_t c = 9; c < t.size(); c += 8) t[c] = 1;
    return t;
  }

  // ---- Modes -------------------------------------------------------------------
  // CSI ? 1 h / l: the cursor keys send their application sequences.
  int16_t CursorKeyApplicationMode = 0;
  // CSI ? 6 h / l: rows are addressed within the scroll region.
  int8_t OriginModeOn = 0;
  // CSI 4 h / l: printed characters are inserted, the rest of the line moves right.
  int16_t InsertModeOn = 0;
  // ESC # 6 / 5: printed characters take two cells; a line feed ends it.
  int16_t DoubleWidthLine = 0;
  // ESC P ... ESC \: a device-control string is dropped.
  int16_t DcsSkipping = 0;
  // CSI D at column 1 moves to the last column of the row above.
  int16_t ReverseWrapOption = 0;

  // ---- Character sets ------------------------------------------------------------
  // ESC ( b and ESC ) b: G0 and G1 are the line-drawing set or a text set.
  int16_t G0IsGraphics = 0, G0IsText = 1;
  int16_t G1IsGraphics = 0, G1IsText = 1;
  // SO (1) and SI (0): G1 or G0 is the set printed characters are shown in.
  int16_t ShiftOut = 0;

  // ---- Tab stops -------------------------------------------------------------------
  // ESC H sets one at the cursor, CSI g clears the one at the cursor, CSI 3 g
  // clears them all.
  TabStopRow TabStops = DefaultTabStops();

  // ---- Cursor ---------------------------------------------------------------------
  // ESC 7; 0 means nothing was saved (ESC 8 then homes the cursor).
  int16_t SavedCursorRow = 0, SavedCursorCol = 0;
  // The first number of the last addressing or region sequence.
  int16_t ScrollTopSaved = 0;

  // ---- Stored pages by number (CSI = p / CSI = q) -------------------------------------
  // The last page saved by CSI = p; CSI = q restores it and steps back.
  int16_t PageStackTop = 0;

  // ---- Printer pass-through ---------------------------------------------------------
  // How far each of the two printer-off sequences (ESC [ 4 i, ESC [ ? 4 i)
  // has matched while host output passes straight to the printer.
  int16_t PrintEndMatch = 0, PrintEndPrivateMatch = 0;

  // ---- Extended ANSI mode and host-programming commands ---------------------------------
  // The extended ANSI mode is in effect (set by the Emulate menu with the titles).
  int8_t ExtendedAnsiActive = 0;
  // The last control sequence was taken as a private ">" sequence.
  int16_t AnsiPrivateDone = 0;
  // The capture was opened by a host command with a path; closing it answers
  // "Capture Off".
  int16_t HostNamedCapture = 0;
  // The close-connection menu item has no command key (ESC ~ c 0).
  int16_t CloseKeyOff = 0;
};

}  // namespace korvane
