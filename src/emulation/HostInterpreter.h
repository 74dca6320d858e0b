#pragma once
// The interpreter of one emulation family (the Wyse family with TeleVideo,
// Viewpoint and Prism; the VT family). The reader hands it one received byte
// at a time, after the watchers have seen it.

namespace korvane {

class HostInput;

class HostInterpreter {
 public:
  virtual ~HostInterpreter() = default;

  // Interprets the byte in `in.CurrentHostChar`. Further bytes of a sequence
  // come from in.GetNextHostByte(); a printable character goes to
  // in.WriteCharacter(), and a control that ends the pending run uses
  // in.FlushRun(). Whatever the interpreter does, the reader ends the byte
  // with in.CharDone() afterwards.
  virtual void InterpretCharacter(HostInput& in) = 0;

  // True for the VT family: a character written in the last column leaves
  // the cursor just past it and the wrap waits for the next printed
  // character (so that CR LF after a full line gives one new line, and
  // writing the bottom-right cell scrolls nothing). Until then the cursor
  // stands in the last column for every other control; with auto-wrap off
  // the next character overwrites the last column. False: the Wyse family
  // wraps as soon as the last column is written.
  virtual bool WrapWaitsForNextCharacter() const { return false; }

  // The line feed of a wrap that waited: the cursor, already in column 1,
  // goes a row down, scrolling where this family's line feed scrolls. The
  // default is the screen's own (the whole screen scrolls past its bottom
  // row), which is also the line feed of a wrap that does not wait.
  virtual void WrapLineFeed(HostInput& in);

  // True for the VT family: bold with reverse has no code of its own (the
  // Wyse family's bold-reverse code); the other rules decide, so bold and
  // reverse is shown as reverse.
  virtual bool ReverseBoldShownAsReverse() const { return false; }

  // True where the reader's printer-controller watcher (ESC 4, ESC d $, DC4
  // end it) applies. The VT family ends pass-through printing with its own
  // terminators inside its interpreter.
  virtual bool UsesReaderPrinterController() const { return true; }
};

}  // namespace korvane
