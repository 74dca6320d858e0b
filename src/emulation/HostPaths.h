#pragma once
// Paths that a host names, turned into local paths and kept inside the folder
// of the feature that uses them.
//
// A host names files in the forms its PC or Mac software knows:
// "BootVolume\dir\file" (the start-up volume), "UserDesktop\file" (the user's
// Desktop), "C:\dir\file" (a drive letter), "Volume:dir:file" (a Mac path,
// whose folders become the user's folders as ColonToPosix maps them) or a
// plain name. Each becomes a POSIX path; then, before anything is read,
// written or opened, the path must lie inside the feature's folder once every
// symbolic link is resolved, and may not step up with "..".

#include <string>

#include "emulation/SessionServices.h"

namespace korvane {

// The local path of a host path. A relative result is taken inside `base`.
// The folders of the user running the program, by the XDG rules: home,
// Desktop and Documents, the scripts folder of the settings folder and the
// program's data folder for transfers, and the program's own resources.
HostFolders HostFoldersForThisUser(const std::string& resources);

std::string ConvertHostPath(const std::string& hostPath, const HostFolders& folders, const std::string& base);

enum class PathCheck { Inside, NoFolder, ParentStep, Outside, BadName };

// Checks that `path` lies inside `folder` with every symbolic link resolved;
// `resolved` receives the resolved path. An empty path, one with a control
// character and one with a ".." component are refused before anything is
// looked at.
PathCheck ConfineToFolder(const std::string& path, const std::string& folder, std::string& resolved);

// A short reason for a refusal, for the alert that reports it.
const char* PathCheckText(PathCheck check);

// ---- Files the host-programming commands read, write or run -----------------
// These must also be plain files: a host may only reach files inside the
// folder of the feature it uses (the capture folder, the scripts folder, the
// transfer folder).

enum class FileCheck {
  Inside,    // the path lies in the folder (it may not exist yet)
  NotFound,  // it would lie in the folder, but the file must exist and does not
  Refused,   // it leaves the folder, or is no plain file
};

struct CheckedPath {
  FileCheck check = FileCheck::Refused;
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
