#pragma once
// The QuickDial phone book: the file "Quickdial" in the settings folder holds
// the number the Dial item dials, and any number of service files hold one
// number each, named by the service. Each is a plain text file whose first
// line is the dial string (digits and the modem's dial characters). Files are
// written as UTF-8 with a line feed and replaced atomically; they are read as
// UTF-8 or Mac Roman with CR, LF or CR LF line ends, so that the files of the
// Mac program still dial.
//
// Service files carry the extension ".kvdial", by which the file dialogs and
// the desktop know them; the Dialer menu lists those in the "QuickDial"
// folder of the settings folder.

#include <string>
#include <string_view>
#include <vector>

#include "platform/Files.h"

namespace korvane {

inline constexpr char kQuickDialFileName[] = "Quickdial";
inline constexpr char kQuickDialServicesFolderName[] = "QuickDial";
inline constexpr char kQuickDialServiceExtension[] = ".kvdial";  // the file dialogs' QuickDial kind
// The longest dial string read from a file.
inline constexpr std::size_t kMaxDialString = 255;

// settingsFolder ends in "/".
std::string QuickDialFilePath(const std::string& settingsFolder);
std::string QuickDialServicesFolder(const std::string& settingsFolder);

struct QuickDialNumber {
  // 0, or the system's error number (ENOENT for a file that is not there).
  int error = 0;
  // Mac Roman text: the first line, at most 255 bytes.
  std::string number;
};
QuickDialNumber ReadQuickDialFile(platform::Files& files, const std::string& path);
// Writes the number (Mac Roman text; only its first line) as the file's one
// line. 0 or the system's error number; on failure the old file is intact.
int WriteQuickDialFile(platform::Files& files, const std::string& path, std::string_view number);

struct QuickDialService {
  std::string name;  // Mac Roman, as the menu shows it
  std::string path;
};
// The service files in the folder, sorted by name.
std::vector<QuickDialService> ListQuickDialServices(const std::string& folder);
// Where a new service of this name (Mac Roman, as typed) is kept; empty when
// the name cannot be a file name (empty, "." or "..", a "/" or a control
// character, or too long).
std::string QuickDialServicePath(const std::string& folder, const std::string& name);
// Deletes a service file. Only service files are deleted: any other path is
// refused with EPERM.
int DeleteQuickDialService(platform::Files& files, const std::string& path);

}  // namespace korvane
