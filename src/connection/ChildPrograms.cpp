#include "connection/ChildPrograms.h"

#include <cstdlib>

#include "platform/posix/Locales.h"
#include "platform/posix/UserFolders.h"

#ifndef KORVANE_VERSION
#define KORVANE_VERSION "0"
#endif

namespace korvane {

ChildPrograms ChildPrograms::ForThisUser() {
  namespace posix = platform::posix;
  ChildPrograms p;
  p.LoginShell = posix::LoginShell();
  p.HomeFolder = posix::HomeFolder();
  p.KermitAppFolder = posix::DataHome() + "/korvane/kermit";
  p.DocumentsFolder = posix::DocumentsFolder();
  p.VersionText = std::string("Version ") + KORVANE_VERSION;
  if (const char* dirs = std::getenv("TERMINFO_DIRS")) p.InheritedTerminfoDirs = dirs;
  p.Latin1Locale = posix::InstalledLatin1Locale(posix::UserLocaleName());
  return p;
}

}  // namespace korvane
