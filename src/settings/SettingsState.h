#pragma once
// What the settings code keeps about one session besides the record itself:
// the reader's flags, the keyword texts it evaluates after reading, and the
// session's settings document.

#include <cstdint>
#include <string>

namespace korvane {

struct SettingsState {
  // Set the first time a valid parity / data-bits word is read; never cleared.
  // Until then an unknown word gives "N" / "8".
  int16_t ParityMatched = 0, DataBitsMatched = 0;

  // Texts of the keyword lines that are evaluated after all lines are read
  // (lines 42, 85, 47, 49, 73, 74).
  std::string AltBreakText, AltBreakCText, CameraSoundText, LineEndText, PageUpDownText, PreviousPageText;

  // At least one of the 32 function-key definitions read is not empty.
  int16_t FkeysDefined = 0;
  // The first settings line could not be read: the file counts as none.
  int8_t BadSettingsFile = 0;
  // The defaults file was missing.
  int8_t NoSettingsFile = 0;
  // The reader continues in the settings document it was given instead of
  // reading "defaults" after the function keys.
  int16_t ReadFromOpenFile = 0;
  // The file ended before lines 159 and 164: their old-file values are set
  // while the settings are applied.
  int8_t ShortFileBefore159 = 0, ShortFileBefore164 = 0;
  // The serial port the session had before the last read, for the check of a
  // changed port.
  int16_t PreviousConnectionPort = 0;
  // The character code of the mouse-click delimiter (settings line 66).
  int16_t DialogValue66Code = 0;

  // The session's settings document: a name in the settings folder
  // ("KorvaneSettings") or a path chosen in the save dialog; empty for none.
  std::string SettingsFileName;
  // "Save Settings as" asks for a name: always, or when there is none yet.
  int16_t AlwaysAskSettingsName = 0, AskForSettingsName = 0;
};

}  // namespace korvane
