#pragma once
// The function keys of a session: their names and labels, the built-in
// definitions, the eight-character labels of the bar, a definition the host
// sends, the scripted text with its "{NOCR}" marker, the strings of the
// editing keys, function-key documents, and the token form the key editors
// show.
//
// Keys 1-16 are F1-F16, keys 17-32 the shifted F1-F16. Definitions are key
// strings in brace notation; labels are Mac Roman text.

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/SessionOptions.h"

namespace korvane {

constexpr int kFunctionKeyCount = 32;
constexpr int kLabelWidth = 8;

struct FunctionKeyName {
  std::string label;  // the key's label on its row of the bar
  int rowNumber = 0;  // 1-16 within its row
  std::string name;   // "F3", or "SF" and the number as a number line is written ("SF 4")
};

// The name, label and row number of key `selectedKey` (1-32; others are
// taken as the nearest key).
FunctionKeyName FunctionKeyLabel(const SessionOptions& Opt, int selectedKey);

// A label brought to the bar's width: half the missing blanks in front, the
// rest behind, cut to 8 characters.
std::string PadLabel(const std::string& label);
// Pads the label of key `selectedKey` on its row (PadFunctionKeyLabels for
// keys 1-16, PadShiftFunctionKeyLabels for 17-32).
void PadFunctionKeyLabels(SessionOptions& Opt, int selectedKey);
void PadShiftFunctionKeyLabels(SessionOptions& Opt, int selectedKey);

// The built-in labels ("F1" ... "SF16", padded) and the definitions of the
// session's function-key set type (FkeySetType). The bar is drawn again by
// the caller.
void LoadBuiltInKeyLabels(SessionOptions& Opt);

// The function-key file the program carries for the session's emulation (a
// file of its "Fkeys" folder, in the form of a settings file's function-key
// part), from the emulation flags as a settings file holds them; "VT220
// Fkeys" when no emulation is chosen.
std::string BundledFunctionKeyFile(const SessionOptions& Opt);

// ---- A definition sent by the host ------------------------------------------------
enum class HostKeyResult {
  Stored,   // the definition replaced the key's string
  Dropped,  // read to its end and dropped (the "(" and ")" keys, or a DEL or CR first byte)
  NotAKey,  // the code names no key: nothing was read, the bytes after it are ordinary host input
};
// The key a host's code names (1-32), 0 for none, -1 for the "(" and ")"
// codes whose definitions are read and dropped.
int HostKeyOfCode(int code);
// Reads a definition after the key-programming sequence: `keyCode` names the
// key and `firstByte` is the definition's first byte, already received;
// `nextByte` gives the following bytes, nullopt when the host stops sending.
// The definition ends at DEL or CR; CR is stored as "{CR"; at most 253 bytes
// are kept (the rest is read and dropped).
HostKeyResult StoreHostKeyDefinition(SessionOptions& Opt, int keyCode, int firstByte,
                                     const std::function<std::optional<int>()>& nextByte);

// ---- Scripted text -----------------------------------------------------------------
// What a script's message to the host sends: its first character alone when
// the rest is "{NOCR}" in any case, else the whole text followed by CR.
std::string ScriptedTextBytes(const std::string& text);

// ---- The editing keys --------------------------------------------------------------
// The eight escape sequences the Wyse-family editing keys send
// (BuildControlStrings); ClearHostStrings makes them all empty.
using EditKeyStrings = std::array<std::string, 8>;
EditKeyStrings BuildControlStrings();
EditKeyStrings ClearHostStrings();

// ---- Function-key documents ---------------------------------------------------------
// The 32 key strings, then the 16 labels and the 16 shifted labels, one to a
// line, as a file's bytes.
std::string FunctionKeyFileBytes(const SessionOptions& Opt);
// Reads a function-key document into the record: false (and nothing changed)
// when the file holds fewer than 64 lines.
bool ReadFunctionKeyFile(std::string_view bytes, SessionOptions& Opt);
// A name the program's own function-key defaults are kept under (whatever
// its case and extension): such a file may not be overwritten.
bool IsProtectedFkeyFileName(const std::string& path);

}  // namespace korvane
