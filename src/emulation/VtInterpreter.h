#pragma once
// The VT100 / VT220 interpreter, with the SCO console sequences of the SCO
// ANSI mode and the private sequences of the extended ANSI mode.
//
// The reader hands it one received byte at a time (HostInterpreter). A
// printable byte goes to the character writer; a control acts at once; ESC
// starts an escape sequence whose further bytes it pulls with
// GetNextHostByte. A control sequence (ESC [ or CSI) is read whole into a
// fixed parameter record (values clamp, the count is capped, a missing
// parameter stays apart from 0) and then matched against the shapes this
// terminal knows; anything else is dropped. An ESC inside a sequence starts a
// new one; another control character ends the sequence and acts on its own.
//
// One per session:   VtInterpreter vt(screen, options, vtState, shared);

#include <array>
#include <cstdint>

#include "emulation/HostInterpreter.h"

namespace korvane {

class HostInput;
class HostSequences;
class Screen;
class StxCommands;
struct SessionOptions;
struct VtState;

class VtInterpreter : public HostInterpreter {
 public:
  VtInterpreter(Screen& screen, SessionOptions& options, VtState& state, HostSequences& shared);

  // The ESC STX family; without it ESC STX j still runs the page command and
  // the other commands are dropped.
  void SetStxCommands(StxCommands* stx) { stx_ = stx; }

  void InterpretCharacter(HostInput& in) override;
  bool WrapWaitsForNextCharacter() const override { return true; }
  void WrapLineFeed(HostInput& in) override;
  bool UsesReaderPrinterController() const override { return false; }
  bool ReverseBoldShownAsReverse() const override { return true; }

  // The line-drawing glyph that byte `b` shows while line graphics are on
  // (`b` itself when it has none).
  static int LineGraphicsGlyph(int b, bool altGraphicsSet, bool pcFont);

  // A control sequence as read: parameters, the private marker and
  // intermediate, the final byte, and its raw text (the SCO and dotted forms
  // read the text itself).
  struct ControlSequence {
    static constexpr int kMaxParams = 16;
    static constexpr int kMaxValue = 9999;
    static constexpr int kRawMax = 80;

    int count = 0;           // parameters seen; 0 when the sequence has none
    bool overflow = false;   // more than kMaxParams: the last two slots hold the last two
    bool malformed = false;  // a byte out of place (":" sub-parameters, a parameter after an intermediate)
    char marker = 0;         // "?", "=", ">", "<" or "." as the first byte, else 0
    char intermediate = 0;   // the first of the intermediate bytes, else 0
    char final = 0;
    int16_t value[kMaxParams] = {};
    uint8_t digits[kMaxParams] = {};   // 0 for a missing parameter
    uint8_t lastTwo[kMaxParams] = {};  // the value of the last two digits
    char raw[kRawMax + 1] = {};        // the bytes between CSI and the final
    int rawLength = 0;
    bool rawOverflow = false;

    // A parameter byte: a digit of the current parameter, or ';' that starts
    // the next one.
    void ParameterByte(int b);
    // One more digit d of a parameter's value, digit count and last two digits.
    static void AddDigit(int& value, int& digitCount, int& lastTwo, int d) {
      value = value * 10 + d < kMaxValue ? value * 10 + d : kMaxValue;
      if (digitCount < 255) ++digitCount;
      lastTwo = lastTwo % 10 * 10 + d;
    }
    bool Has(int i) const { return i < count && digits[i] > 0; }
    // The parameter, or `missing` when it was left out.
    int Value(int i, int missing) const { return Has(i) ? value[i] : missing; }
    // 1 for values 0-9, 2 for 10-99, 3 above (leading zeros do not count).
    int Width(int i) const { return !Has(i) || value[i] < 10 ? 1 : value[i] < 100 ? 2 : 3; }
    void Clear();
  };

 private:
  // What a step leaves for the dispatch loop.
  static constexpr int kDone = -1;     // the byte is done
  static constexpr int kRestart = -2;  // an ESC arrived: a new escape sequence begins

  // ---- Bytes and controls (VtInterpreter.cpp) -------------------------------------
  int TranslateOnEntry(const HostInput& in, int ch) const;
  // Screen updates, runs of text, CR, LF and the control sequences that
  // address the cursor or set the rendition (ESC [ params H, f or m, all in
  // the chunk), one after the other while no mode or watcher needs each byte
  // on its own: each by its own handler, and between them the reader's end of
  // a byte and start of the next. True when the byte under interpretation was
  // handled (the reader ends it); false, with that byte untouched, when it is
  // none of them.
  bool WriteUpdates(HostInput& in);
  bool UpdatesCanBeBatched(HostInput& in);
  // Interprets a translated byte, and any byte a sequence hands back.
  void Interpret(HostInput& in, int ch);
  void Print(HostInput& in, int ch);
  // The host's national character set leaves ASCII text as it is.
  bool NationalCharactersUnchanged(const HostInput& in);
  int Control(HostInput& in, int ch);
  void Backspace(HostInput& in);
  void Tab(HostInput& in);
  void FormFeed(HostInput& in);
  void CarriageReturn(HostInput& in);
  void LineFeed(HostInput& in);
  // The cursor one row down, scrolling the screen or the region at its bottom.
  void CursorDownScrolling(HostInput& in);
  // The last row a line feed reaches before it scrolls.
  int RegionBottom() const;
  // A cursor past the last column (the wrap waiting, or auto-wrap off)
  // stands in the last column for what is not a printed character.
  void ToLastColumn(HostInput& in);
  // G0 or G1, as SO and SI chose, decides whether line graphics are shown.
  void ShowInvokedSet();
  void PassThroughToPrinter(HostInput& in, int ch);
  void PrinterControllerOn(HostInput& in);
  void PrinterControllerOff(HostInput& in);

  // ---- Escape sequences (VtEscape.cpp) ------------------------------------------------
  // `first` is the byte after ESC when already known (a C1 code), else -1.
  int Escape(HostInput& in, int first);
  int EscapeByte(HostInput& in, int b);
  void Index(HostInput& in);
  void ReverseIndex(HostInput& in);
  void HostCommand(HostInput& in);
  void ClearScreenForHost(HostInput& in);

  // ---- Control sequences (VtControlSequences.cpp) --------------------------------------
  int ControlSequenceIntroduced(HostInput& in);
  // Reads the rest of a control sequence into seq_; kDone when complete.
  int ReadControlSequence(HostInput& in);
  // The common shape, parameters of digits and ';' and the final byte, when
  // all of it is in the chunk: read straight from the chunk. False, with
  // nothing taken, for anything else.
  bool ReadPlainSequence(HostInput& in);
  void Dispatch(HostInput& in);
  void DispatchPlain(HostInput& in);
  void DispatchDecPrivate(HostInput& in);
  void DispatchSco(HostInput& in);
  void DispatchDotted(HostInput& in);
  void SetMode(HostInput& in, int mode, bool on);
  void WideMode(HostInput& in, bool wide);
  // Cursor addressing: `row` and `col` as the host gave them (0 = left out).
  void Address(HostInput& in, const ControlSequence& q, bool finalF);
  void AddressTo(HostInput& in, int row, int col, bool finalF);
  void SetScrollRegion(HostInput& in);
  void ScrollRegionOff();
  // CSI r: the region taken away, the cursor home.
  void WholeScreenRegion();
  void CursorUp(int n);
  void CursorDown(int n);
  void CursorRight(HostInput& in, int n);
  void CursorLeft(HostInput& in, int n, bool reverseWrap);
  void EraseDisplay(HostInput& in, int mode);
  void EraseLine(int mode);
  // Insert and delete with counts, as the VT220 does them: blanks and
  // characters within the cursor's line (the cursor stays), lines within the
  // scroll region from the cursor's row down (the cursor goes to column 1).
  void InsertBlanks(HostInput& in, int n);
  void DeleteCharacters(HostInput& in, int n);
  void EraseCharacters(int n);
  void InsertLines(int n);
  void DeleteLines(int n);
  void ShiftRegionRows(int n, bool down);
  // Tab stops: ESC H, CSI g, CSI 3 g.
  void SetTabStop(HostInput& in);
  void ClearTabStops(HostInput& in, int mode);
  void DeviceAttributes(HostInput& in);
  void CursorReport(HostInput& in);
  // The rows of the window when no scroll region shortens the screen.
  int WindowRows();
  void MoveCursor(int row, int col);

  // ---- SGR (VtSgr.cpp) ------------------------------------------------------------------
  void SelectGraphicRendition(HostInput& in, const ControlSequence& q);
  // One parameter with the effect it has alone; `list` applies the rules of
  // a one-digit last parameter of a list.
  void Rendition(HostInput& in, int value, bool list);
  void AnsiColour(int value);
  void NormalStyle();

  Screen& s;
  SessionOptions& Opt;
  VtState& vt;
  HostSequences& shared_;
  StxCommands* stx_ = nullptr;
  ControlSequence seq_;
  std::array<int16_t, 13> nationalSeen_{};
  bool nationalIdentity_ = false;
};

}  // namespace korvane
