#pragma once

#include <string>
#include <string_view>
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

  // ESC '*' b in the extended ANSI mode. On RestartEscape the screen was
  // cleared and the ESC that was read starts a new sequence; otherwise the
  // interpreter continues at the writer's attribute step.
  enum class AnsiColourEnd { AttributeStep, RestartEscape };
  virtual AnsiColourEnd ExtendedAnsiColour(int b) = 0;
  // CSI with SCO ANSI on, final 'm': a parameter text that begins "12" or
  // "10" (line graphics on or off, with one attribute after a ';'). False,
  // with nothing changed, for any other text.
  virtual bool ScoLineGraphicsAttributes(std::string_view params) = 0;
  // CSI '=' params final with SCO ANSI on: 'F', 'G', 'H', 'I' choose colours.
  // False for other finals.
  virtual bool ScoColourCommand(int final, const std::string& params) = 0;
};

}  // namespace korvane
