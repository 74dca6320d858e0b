#pragma once
// A temporary HOME for tests of the program's folders: HOME points into a
// fresh directory, the XDG variables are cleared (or pointed where a test
// says), and everything is put back afterwards.

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>

namespace korvane::testing_support {

class TemporaryFolders {
 public:
  TemporaryFolders() {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && tmp[0] ? tmp : "/tmp") + "/korvane-folders-XXXXXX";
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    root = pattern;
    home = root + "/home";
    std::filesystem::create_directory(home);
    for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME"}) {
      const char* v = std::getenv(name);
      saved_[name] = v ? std::optional<std::string>(v) : std::nullopt;
    }
    setenv("HOME", home.c_str(), 1);
    unsetenv("XDG_CONFIG_HOME");
    unsetenv("XDG_DATA_HOME");
  }
  ~TemporaryFolders() {
    for (const auto& [name, value] : saved_) {
      if (value)
        setenv(name.c_str(), value->c_str(), 1);
      else
        unsetenv(name.c_str());
    }
    std::error_code ec;
    std::filesystem::permissions(root, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(root, ec);
  }
  TemporaryFolders(const TemporaryFolders&) = delete;
  TemporaryFolders& operator=(const TemporaryFolders&) = delete;

  static void Write(const std::string& path, const std::string& bytes) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
  }
  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  // Every item under the root, with what a change to it would show: its kind,
  // mode, size, inode and modification time.
  std::map<std::string, std::string> Snapshot() const {
    std::map<std::string, std::string> items;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
      struct stat st {};
      lstat(entry.path().c_str(), &st);
      items[entry.path().string().substr(root.size())] =
          std::to_string(st.st_mode) + " " + std::to_string(st.st_size) + " " + std::to_string(st.st_ino) + " " +
          std::to_string(st.st_mtim.tv_sec) + "." + std::to_string(st.st_mtim.tv_nsec);
    }
    return items;
  }

  std::string root, home;

 private:
  std::map<std::string, std::optional<std::string>> saved_;
};

}  // namespace korvane::testing_support
