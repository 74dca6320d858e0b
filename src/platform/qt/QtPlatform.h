#pragma once
// Every platform service of the program on Qt and POSIX, made together: the
// event pump, the menus and windows built from the interface description,
// alerts, cursors, the clock, files and child processes.

#include <functional>
#include <memory>
#include <string>

#include "platform/Clock.h"
#include "platform/InterfaceDescription.h"
#include "platform/LiveKeys.h"
#include "platform/posix/PosixFiles.h"
#include "platform/posix/PosixProcesses.h"
#include "platform/posix/PosixPrograms.h"
#include "platform/qt/QtAlerts.h"
#include "platform/qt/QtClipboard.h"
#include "platform/qt/QtCursors.h"
#include "platform/qt/QtDesktop.h"
#include "platform/qt/QtFonts.h"
#include "platform/qt/QtSounds.h"
#include "platform/qt/QtEventPump.h"
#include "platform/qt/QtFileDialogs.h"
#include "platform/qt/QtMenus.h"
#include "platform/qt/QtPictureFiles.h"
#include "platform/qt/QtPrinting.h"
#include "platform/qt/QtWindows.h"

namespace korvane::platform {

class QtPlatform {
 public:
  // `description` is the interface description (menus already in the user's
  // language); `localise` gives the alerts' button titles in it.
  QtPlatform(EventSink& sink, const InterfaceDescription& description,
             std::function<std::string(const std::string&)> localise);
  ~QtPlatform();

  InterfaceDescription description;
  // The keys held down, as the session windows see them (made before the
  // windows and gone after them).
  TrackedKeyMap keyMap;
  QtEventPump pump;
  QtMenus menus;
  QtWindows windows;
  QtAlerts alerts;
  QtCursors cursors;
  QtDesktop desktop;
  QtFonts fonts;
  QtSounds sounds;
  SteadyClock clock;
  PosixFiles files;
  posix::PosixProcesses processes;
  // Printing through Qt Print Support, and lp for raw jobs.
  QtPrinting printing;
  posix::PosixPrograms programs;
  QtFileDialogs fileDialogs;
  QtClipboard clipboard;
  // The sizes of picture files shown in the session windows.
  QtPictureFiles pictureFiles;

 private:
  EventSink& sink_;
  struct StateWatch;
  std::unique_ptr<StateWatch> stateWatch_;
};

}  // namespace korvane::platform
