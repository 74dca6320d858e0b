// The folders host-named files are confined to, where nothing else says.

#include "emulation/HostCommandHooks.h"

#include "platform/posix/PosixFiles.h"
#include "platform/posix/UserFolders.h"

namespace korvane {

std::string HostCommandHooks::CaptureFolder() { return platform::posix::DesktopFolder(); }

std::string HostCommandHooks::ScriptsFolder() { return platform::XdgConfigHome() + "/korvane/scripts"; }

std::string HostCommandHooks::TransferFolder() { return platform::posix::DataHome() + "/korvane"; }

}  // namespace korvane
