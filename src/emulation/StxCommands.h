#pragma once
// The ESC STX command family (identification answers, file existence, wide
// mode, pictures, host-driven transfers, the page command, opening a
// location). The Wyse family carries it and the VT interpreter hands its own
// ESC STX to the same handler, so both answer a host alike.

namespace korvane {

class HostInput;

class StxCommands {
 public:
  virtual ~StxCommands() = default;
  // Entered after ESC STX; reads the command byte and its parameters itself.
  virtual void StxCommand(HostInput& in) = 0;
};

}  // namespace korvane
