#pragma once
// The open and save dialogs of the window system. Linux keeps no file types:
// a file's kind is told by its name's extension, and the dialogs offer the
// files of the kinds asked for (and, on request, every file).

#include <optional>
#include <string>
#include <vector>

namespace korvane::platform {

// The extensions the program gives its documents (and looks for first).
inline constexpr const char* kSettingsExtension = "kvst";
inline constexpr const char* kFunctionKeysExtension = "kvfkey";
inline constexpr const char* kQuickDialExtension = "kvdial";

enum class FileKind {
  Any,           // every file
  Text,          // ".txt", ".text", ".log", ".csv"
  Settings,      // a settings document: ".kvst"
  FunctionKeys,  // a function-key document: ".kvfkey"
  QuickDial,     // a QuickDial service: ".kvdial"
  Application,   // a desktop application entry: ".desktop"
};

// The extensions of a kind, without their dots; empty for Any.
std::vector<std::string> ExtensionsOf(FileKind kind);
// The kind a file's name says it is (Any when no kind claims its extension).
FileKind FileKindOf(const std::string& path);

class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  // Asks the user for one existing file of one of the kinds (all files for
  // none, or for Any). The chosen path, or nullopt when the user cancels.
  virtual std::optional<std::string> ChooseFile(const std::vector<FileKind>& kinds, const std::string& prompt) = 0;
  // Asks for a name to save a file of the kind under, proposing
  // `proposedName`; a name typed without an extension gets the kind's. The
  // window system asks before a file that exists is replaced. The chosen
  // path, or nullopt when the user cancels.
  virtual std::optional<std::string> ChooseNewFile(FileKind kind, const std::string& prompt,
                                                   const std::string& proposedName) = 0;
};

}  // namespace korvane::platform
