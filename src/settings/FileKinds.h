#pragma once
// What kind of Korvane document a file is. Files here carry no type codes:
// a document's kind is given by its name's extension, by the names the
// program gives its own files, and, for a file without either (one brought
// from a Mac, or named by the user), by what its lines hold.

#include <string>
#include <string_view>

#include "platform/FileDialogs.h"
#include "platform/Files.h"

namespace korvane {

// What kind of document the program was asked to open.
enum class DocumentKind {
  Movie,         // a picture or film the program shows, not a document of its own
  Settings,      // function keys and the settings lines of a session
  QuickDial,     // a QuickDial number: one line of dial characters
  FunctionKeys,  // the 64 function-key lines alone
  Other,         // none of Korvane's documents
};

// The kind a file's name tells (its extension, in any case, or one of the
// program's own names: "defaults", "KorvaneSettings", "TempSettingsKV n",
// "Quickdial", "Fkeydefaults"); Other when the name does not tell.
// "International" is the program's own data file and no document.
DocumentKind DocumentKindByName(std::string_view path);

// The kind a file's contents tell: more than 64 lines with a number on line
// 65 (the first settings line) is a settings file; exactly 64 lines the
// function keys; a single line of dial characters a QuickDial number.
// Lines end with CR, LF or CR LF.
DocumentKind DocumentKindByContent(std::string_view bytes);

// The kind of the file at `path`: by its name, else by its contents. A file
// that cannot be read, or is too large to be a document, is Other.
DocumentKind DocumentKindOf(const std::string& path, platform::Files& files);

}  // namespace korvane
