#pragma once
// The Wyse-family interpreter's own state of one session: modes the host
// switches, the status-line write, the host's transfer requests and the key
// strings the host programs. The screen, the writer and the reader keep the
// rest (Screen, HostInput).

#include <array>
#include <cstdint>
#include <string>

namespace korvane {

struct WyseState {
  // ---- Character adjustment ------------------------------------------------
  // ESC U shows control characters instead of acting on them, until ESC X / u.
  int16_t MonitorMode = 0;
  // The previous character was ENQ: a DC2 right after it is not acted on.
  int16_t EnqSeen = 0;
  // Line graphics: codes 64..107 in groups of four map to the drawing glyphs.
  int16_t GraphicsRangeMode = 0;
  // What ESC c D and ESC c E do to the graphics mode (ESC c B / ESC c C).
  int16_t GraphicsSelectB = 0, GraphicsSelectC = 0;
  // The graphics mode was switched on by ESC c (the Wyse 60's own set), not
  // by ESC H or ESC $ (the Wyse 50's).
  int16_t Wyse60GraphicsSet = 0;

  // ---- Viewpoint attribute of SO ----------------------------------------------------
  // ESC 0 x chooses what SO turns on (bits of x: 0x01 dim, 0x02 blink,
  // 0x04 blank, 0x10 reverse, 0x20 underline); SI turns it off.
  int16_t ShiftOutAttribute = 0x50;
  int16_t ShiftOutOn = 0;

  // ---- Status and label lines ---------------------------------------------------
  // The LF right after the CR that ends a status-line write is dropped.
  int16_t SwallowNextLf = 0;
  // The CR that ends a label-line write repaints the text-area background.
  int16_t PaintBackgroundAtCr = 0;
  // The appearance saved when a status-line write began (ESC f), brought back
  // by the CR that ends it.
  int16_t StatusSavedAttribute = 0, StatusSavedFore = 0, StatusSavedBack = 0;
  int16_t StatusSavedColours = 0;
  // The default function-key labels have been set up by ESC f.
  int16_t StatusLabelsMade = 0;

  // ---- Cursor movements along a protected field ------------------------------------
  int16_t ProtectFieldStarted = 0;
  // The row of the last cursor address, before it was made 1-based.
  int16_t SavedAddressRow = 0;
  // Pages stored by CSI = p and recalled by CSI = q, as a stack of slots.
  int16_t PageStackDepth = 0;

  // ---- Settings without a line of their own ---------------------------------------------
  // ESC D / ESC d switch the display off and on in a Viewpoint session.
  int16_t ViewpointDisplaySwitch = 0;

  // ---- Host transfers (ESC STX) -------------------------------------------------------------
  int8_t TransferStatusPending = 0;
  // Outcome of the last ESC STX D: 0 started, 1 file could not be opened,
  // 3 overwrite refused, 6 protocol not supported.
  int16_t TransferResult = 0;
  std::string TransferRequestText;
  std::string HostCommandText;
  std::string HostPathText;
  std::string KermitTransferText;

  // ---- Key strings the host programs (ESC Z, ESC z, ESC c U) ---------------------------------
  // The arrow-key strings are settings (SessionOptions); these are the others.
  std::string BackspaceKeyString, EscapeKeyString;
  // The thirteen editing keys named by 'q' '5' '}' '7' 'p' '6' 'z' '8' 'w' 'r'
  // '*' '^' ']', in that order.
  std::array<std::string, 13> EditKeyStrings;
};

}  // namespace korvane
