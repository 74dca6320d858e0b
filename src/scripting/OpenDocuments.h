#pragma once
// The open-documents event: documents opened from the file manager, handed
// over by a second start of the program, or named by a script. Nothing is
// opened here: the documents are remembered, in order, for the next idle pass.

#include <string>
#include <vector>

#include "scripting/ScriptTarget.h"

namespace korvane::scripting {

// Remembers the documents for the idle pass. A colon path ("Disk:Users:ann:
// Documents:x.kvst") is taken as the POSIX path it stands for. "International" and
// "Fkeydefaults" (the program's own files, by exact name) are never opened;
// an empty path or one that is not absolute names no file and is skipped too.
// Returns the paths that were skipped.
std::vector<std::string> OpenDocumentsHandler(ScriptTarget& target, const std::vector<std::string>& paths);

}  // namespace korvane::scripting
