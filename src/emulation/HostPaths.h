#pragma once
// Paths that a host names, turned into local paths and kept inside the folder
// of the feature that uses them.
//
// A host names files in the forms its PC or Mac software knows:
// "BootVolume\dir\file" (the start-up volume), "UserDesktop\file" (the user's
// Desktop), "C:\dir\file" (a drive letter), "Volume:dir:file" (a Mac path) or
// a plain name. Each becomes a POSIX path; then, before anything is read,
// written or opened, the path must lie inside the feature's folder once every
// symbolic link is resolved, and may not step up with "..".

#include <string>

#include "emulation/HostActionHooks.h"

namespace korvane {

// The local path of a host path. A relative result is taken inside `base`.
std::string ConvertHostPath(const std::string& hostPath, const HostFolders& folders, const std::string& base);

enum class PathCheck { Inside, NoFolder, ParentStep, Outside };

// Checks that `path` lies inside `folder` with every symbolic link resolved;
// `resolved` receives the resolved path. A path with a ".." component is
// refused before anything is looked at.
PathCheck ConfineToFolder(const std::string& path, const std::string& folder, std::string& resolved);

// A short reason for a refusal, for the alert that reports it.
const char* PathCheckText(PathCheck check);

}  // namespace korvane
