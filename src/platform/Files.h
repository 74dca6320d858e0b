#pragma once
// Files and folders: what the settings and the other files of the program need
// from the file system. Every operation answers 0 or the system's error number
// (errno), so that callers can name the reason in an alert.

#include <cstddef>
#include <string>
#include <string_view>

namespace korvane::platform {

class Files {
 public:
  virtual ~Files() = default;

  // The folder that holds the program's settings files, ending in "/". On Linux
  // the preferences folder and the program's own support folder are one:
  // $XDG_CONFIG_HOME/korvane (by default ~/.config/korvane).
  virtual std::string PreferencesFolderPath() = 0;

  // True when something (a file or a folder) exists at the path.
  virtual bool Exists(const std::string& path) = 0;

  // Reads a whole regular file. A file longer than maxBytes is not read
  // (EFBIG); a folder is refused (EISDIR).
  virtual int ReadFile(const std::string& path, std::string& bytes, std::size_t maxBytes) = 0;

  // Creates the folder and any missing parents; an existing folder is not an
  // error.
  virtual int MakeFolders(const std::string& path) = 0;

  // Replaces the file's contents, or creates it: the bytes go to a new file in
  // the same folder, which is flushed to disk and then renamed over the old
  // one. Until the rename the old file is untouched, so a failure at any point
  // (a full disk, a crash, the process killed) leaves it as it was.
  virtual int ReplaceFile(const std::string& path, std::string_view bytes) = 0;

  // Removes a file; a file that does not exist is not an error.
  virtual int RemoveFile(const std::string& path) = 0;
};

// The text of a system error number, for messages.
std::string FileErrorText(int error);

}  // namespace korvane::platform
