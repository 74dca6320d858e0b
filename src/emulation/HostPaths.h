#pragma once
// Files that a host names: where they may lie. A host may only reach files
// inside the folder of the feature it uses (the capture folder, the scripts
// folder, the transfer folder). A name with "..", an absolute path outside
// the folder, or a symbolic link that leads out of it is refused; the check
// is made on the resolved path, so a link inside the folder cannot be used to
// step out of it.

#include <string>

namespace korvane {

enum class PathCheck {
  Inside,    // the path lies in the folder (it may not exist yet)
  NotFound,  // it would lie in the folder, but the file must exist and does not
  Refused,   // it leaves the folder, or is no plain file
};

struct CheckedPath {
  PathCheck check = PathCheck::Refused;
  std::string path;  // the resolved path when Inside
};

// `path` (absolute, or relative to `folder`) as a file inside `folder`. The
// folder itself must exist, and so must every folder between it and the file.
// An existing file must be a regular file (a link is followed and must stay
// inside); with `mustExist` a missing file is NotFound.
CheckedPath ResolveInsideFolder(const std::string& folder, const std::string& path, bool mustExist);

// A plain file name: not empty, no folder separator, not "." or "..", no
// control characters.
bool IsPlainFileName(const std::string& name);

// A capture path as a host writes it ("UserDesktop/notes.txt",
// "BootVolume/home/me/Desktop/x.txt", or a bare name) in the user's capture
// folder. "\", "/" and ":" all separate folders. "UserDesktop" stands for the
// capture folder and "BootVolume" for the root of the file system; a bare
// name lies in the capture folder. Any other path with folders is refused.
CheckedPath CapturePathFromHost(const std::string& hostPath, const std::string& captureFolder);

// The same translation for a path that is only shown (the download target):
// a bare name is kept as it is.
CheckedPath ShownPathFromHost(const std::string& hostPath, const std::string& captureFolder);

}  // namespace korvane
