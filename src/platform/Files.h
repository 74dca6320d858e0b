#pragma once
// Files and folders: what the settings and the other files of the program need
// from the file system. Every operation answers 0 or the system's error number
// (errno), so that callers can name the reason in an alert.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace korvane::platform {

// A file open for writing, for files that grow as the program runs (captures,
// the printer capture). Bytes go to the file in the order given.
class OutputFile {
 public:
  virtual ~OutputFile() = default;
  // Writes all of `bytes`: 0, or the error that stopped the write (part of
  // the bytes may then be in the file).
  virtual int Write(std::string_view bytes) = 0;
  // Closes the file: 0, or the error the system reported when closing.
  virtual int Close() = 0;
};

// How OpenOutputFile treats what is already there.
enum class OutputMode {
  Replace,    // an existing file is emptied first; a missing one is created
  Append,     // writes go to the end of the file; a missing one is created
  CreateNew,  // the file must not exist yet (EEXIST)
};

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

  // Opens a regular file for writing (a folder or any other kind of file is
  // refused: EISDIR, EINVAL). 0 and the open file in `file`, or the error.
  virtual int OpenOutputFile(const std::string& path, OutputMode mode, std::unique_ptr<OutputFile>& file) = 0;
};

// The text of a system error number, for messages.
std::string FileErrorText(int error);

}  // namespace korvane::platform
