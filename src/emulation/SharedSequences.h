#pragma once
// Host sequences that both interpreter families carry out the same way: the
// addressed fills and boxes (ESC c H / F / N / G in the Wyse family), the
// private control sequences of the extended ANSI mode, and the
// host-programming commands after ESC ~. The VT side implements them; the
// Wyse-family interpreter reaches them through HostInput::Shared().

namespace korvane {

class HostInput;

class SharedSequences {
 public:
  virtual ~SharedSequences() = default;
  // Fill a block with one character from the cursor (ESC c H); the second
  // form skips protected cells in write-protect mode (ESC c F).
  virtual void PutCharAtAddress(HostInput& in) = 0;
  virtual void PutCharAtAddress2(HostInput& in) = 0;
  // A single-line box at the cursor (ESC c N, ESC c G).
  virtual void DrawBoxFromHost(HostInput& in) = 0;
  virtual void DrawBoxFromHost2(HostInput& in) = 0;
  // The rest of a control sequence after ESC [ while the extended ANSI mode
  // is on; reads its own bytes. True when it was a private sequence ("=" or
  // ">"), carried out (or abandoned) in full. False for an ordinary control
  // sequence: the one byte read is given back (HostInput::PushBackHostByte),
  // so the caller parses the sequence from its first byte as usual.
  virtual bool AnsiPrivateSequences(HostInput& in) = 0;
  // The host-programming command whose letter is in in.NextHostByte.
  virtual void HostProgrammingCommand(HostInput& in) = 0;
};

}  // namespace korvane
