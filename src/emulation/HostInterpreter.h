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

  // True for the VT family: an auto-wrap sets WrapLineFeedPending so that the
  // host's CR LF at the end of a full line does not leave a blank line.
  virtual bool WrapSwallowsLineFeed() const { return false; }

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
