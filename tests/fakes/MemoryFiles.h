#pragma once
// Files in memory, for tests of the code that reads and writes settings:
// every write is recorded, and a path can be made to fail.

#include <cerrno>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/Files.h"

namespace korvane::fakes {

class MemoryFiles final : public platform::Files {
 public:
  std::map<std::string, std::string> files;
  std::set<std::string> folders;
  std::vector<std::string> writes;  // every path replaced, in order
  std::vector<std::string> removals;
  std::set<std::string> failWrites;  // paths whose writes fail

  std::string PreferencesFolderPath() override { return "/prefs/"; }
  bool Exists(const std::string& path) override { return files.count(path) || folders.count(path); }
  int ReadFile(const std::string& path, std::string& bytes, std::size_t maxBytes) override {
    auto it = files.find(path);
    if (it == files.end()) return ENOENT;
    if (it->second.size() > maxBytes) return EFBIG;
    bytes = it->second;
    return 0;
  }
  int MakeFolders(const std::string& path) override {
    folders.insert(path);
    return 0;
  }
  int ReplaceFile(const std::string& path, std::string_view bytes) override {
    if (failWrites.count(path)) return EACCES;
    writes.push_back(path);
    files[path] = std::string(bytes);
    return 0;
  }
  int RemoveFile(const std::string& path) override {
    removals.push_back(path);
    files.erase(path);
    return 0;
  }
  // Growing files write straight into `files`; a path in failWrites cannot
  // be opened.
  int OpenOutputFile(const std::string& path, platform::OutputMode mode,
                     std::unique_ptr<platform::OutputFile>& file) override {
    if (failWrites.count(path)) return EACCES;
    if (folders.count(path)) return EISDIR;
    if (mode == platform::OutputMode::CreateNew && files.count(path)) return EEXIST;
    if (mode != platform::OutputMode::Append) files[path].clear();
    files[path];
    file = std::make_unique<Output>(*this, path);
    return 0;
  }

 private:
  class Output final : public platform::OutputFile {
   public:
    Output(MemoryFiles& owner, std::string path) : owner_(owner), path_(std::move(path)) {}
    int Write(std::string_view bytes) override {
      owner_.files[path_].append(bytes);
      return 0;
    }
    int Close() override { return 0; }

   private:
    MemoryFiles& owner_;
    std::string path_;
  };
};

}  // namespace korvane::fakes
