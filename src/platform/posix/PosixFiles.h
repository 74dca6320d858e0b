#pragma once
// Files and folders on a POSIX file system.

#include <sys/types.h>

#include <string>

#include "platform/Files.h"

namespace korvane::platform {

class PosixFiles : public Files {
 public:
  std::string PreferencesFolderPath() override;
  bool Exists(const std::string& path) override;
  int ReadFile(const std::string& path, std::string& bytes, std::size_t maxBytes) override;
  int MakeFolders(const std::string& path) override;
  int ReplaceFile(const std::string& path, std::string_view bytes) override;
  int RemoveFile(const std::string& path) override;
  int OpenOutputFile(const std::string& path, OutputMode mode, std::unique_ptr<OutputFile>& file) override;

 protected:
  // One write(2) of the new file's contents: the number of bytes written, or
  // -1 with errno set. Tests replace it to fail or stop half-way.
  virtual ssize_t WriteSome(int fd, const char* data, std::size_t size);

 private:
  class PosixOutputFile;
};

// $XDG_CONFIG_HOME when it is set to an absolute path, else $HOME/.config
// (the home folder from the password database when HOME is not set).
std::string XdgConfigHome();

}  // namespace korvane::platform
