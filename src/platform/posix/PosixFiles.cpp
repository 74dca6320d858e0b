#include "platform/posix/PosixFiles.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <system_error>
#include <vector>

namespace korvane::platform {

namespace {

std::string DirName(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string BaseName(const std::string& path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Opens a new file for the replacement beside the target. The name starts with
// a dot so that a file left behind by a crash does not clutter the folder.
int OpenTemporaryFile(const std::string& dir, const std::string& base, std::string& tmp) {
  static unsigned counter = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    tmp = dir + "/." + base + ".tmp-" + std::to_string(getpid()) + "-" + std::to_string(counter++);
    const int fd = open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

void SyncFolder(const std::string& dir) {
  const int fd = open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

}  // namespace

std::string FileErrorText(int error) { return std::generic_category().message(error); }

std::string XdgConfigHome() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  // XDG base directories must be absolute; a relative one is ignored.
  if (xdg && xdg[0] == '/') return xdg;
  const char* home = std::getenv("HOME");
  std::string base = home && home[0] ? home : "";
  if (base.empty()) {
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found && found->pw_dir)
      base = found->pw_dir;
  }
  if (!base.empty() && base.back() == '/') base.pop_back();
  return base + "/.config";
}

std::string PosixFiles::PreferencesFolderPath() { return XdgConfigHome() + "/korvane/"; }

bool PosixFiles::Exists(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0;
}

int PosixFiles::ReadFile(const std::string& path, std::string& bytes, std::size_t maxBytes) {
  bytes.clear();
  // Non-blocking, so that a named pipe given as a file cannot hang the program.
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return errno;
  struct stat st {};
  int error = 0;
  if (fstat(fd, &st) != 0) {
    error = errno;
  } else if (S_ISDIR(st.st_mode)) {
    error = EISDIR;
  } else if (!S_ISREG(st.st_mode)) {
    error = EINVAL;
  } else if (static_cast<std::size_t>(st.st_size) > maxBytes) {
    error = EFBIG;
  }
  char buffer[16384];
  while (error == 0) {
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      error = errno;
    } else if (n == 0) {
      break;
    } else if (bytes.size() + static_cast<std::size_t>(n) > maxBytes) {
      error = EFBIG;  // the file grew while it was read
    } else {
      bytes.append(buffer, static_cast<std::size_t>(n));
    }
  }
  close(fd);
  if (error != 0) bytes.clear();
  return error;
}

int PosixFiles::MakeFolders(const std::string& path) {
  if (path.empty()) return ENOENT;
  std::string sofar;
  std::size_t pos = 0;
  while (pos <= path.size()) {
    const std::size_t slash = path.find('/', pos);
    const std::size_t end = slash == std::string::npos ? path.size() : slash;
    sofar = path.substr(0, end);
    pos = end + 1;
    if (sofar.empty() || sofar == "." || sofar == "..") continue;
    // New folders are private (0700), as XDG configuration folders should be.
    if (mkdir(sofar.c_str(), 0700) != 0 && errno != EEXIST) return errno;
  }
  struct stat st {};
  if (stat(path.c_str(), &st) != 0) return errno;
  return S_ISDIR(st.st_mode) ? 0 : ENOTDIR;
}

int PosixFiles::ReplaceFile(const std::string& path, std::string_view bytes) {
  std::string target = path;
  struct stat st {};
  // A settings file that is a link to a file kept elsewhere stays a link: the
  // file it names is the one replaced.
  if (lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
    if (char* real = realpath(path.c_str(), nullptr)) {
      target = real;
      std::free(real);
    }
  }
  bool existed = false;
  mode_t mode = 0;
  if (stat(target.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode)) return EISDIR;
    if (!S_ISREG(st.st_mode)) return EINVAL;
    existed = true;
    mode = st.st_mode & 07777;
  }
  const std::string dir = DirName(target);
  std::string tmp;
  int fd = OpenTemporaryFile(dir, BaseName(target), tmp);
  if (fd < 0) return errno;
  auto fail = [&](int error) {
    if (fd >= 0) close(fd);
    unlink(tmp.c_str());
    return error;
  };
  if (existed && fchmod(fd, mode) != 0) return fail(errno);
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = WriteSome(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return fail(errno);
    }
    if (n == 0) return fail(EIO);
    done += static_cast<std::size_t>(n);
  }
  if (fsync(fd) != 0) return fail(errno);
  const int closing = fd;
  fd = -1;
  if (close(closing) != 0) return fail(errno);
  if (rename(tmp.c_str(), target.c_str()) != 0) return fail(errno);
  SyncFolder(dir);
  return 0;
}

int PosixFiles::RemoveFile(const std::string& path) {
  if (unlink(path.c_str()) != 0 && errno != ENOENT) return errno;
  return 0;
}

ssize_t PosixFiles::WriteSome(int fd, const char* data, std::size_t size) { return write(fd, data, size); }

// Writes go through the owner's WriteSome, so that the same faults reach a
// growing file as reach a replaced one.
class PosixFiles::PosixOutputFile final : public OutputFile {
 public:
  PosixOutputFile(PosixFiles& owner, int fd) : owner_(owner), fd_(fd) {}
  ~PosixOutputFile() override {
    if (fd_ >= 0) close(fd_);
  }
  int Write(std::string_view bytes) override {
    if (fd_ < 0) return EBADF;
    std::size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t n = owner_.WriteSome(fd_, bytes.data() + done, bytes.size() - done);
      if (n < 0) {
        if (errno == EINTR) continue;
        return errno;
      }
      if (n == 0) return EIO;
      done += static_cast<std::size_t>(n);
    }
    return 0;
  }
  int Close() override {
    if (fd_ < 0) return EBADF;
    const int fd = fd_;
    fd_ = -1;
    return close(fd) == 0 ? 0 : errno;
  }

 private:
  PosixFiles& owner_;
  int fd_;
};

int PosixFiles::OpenOutputFile(const std::string& path, OutputMode mode, std::unique_ptr<OutputFile>& file) {
  file.reset();
  // Non-blocking while it is opened, so that a named pipe given as a file
  // cannot hang the program; it is refused below.
  int flags = O_WRONLY | O_CREAT | O_CLOEXEC | O_NONBLOCK;
  switch (mode) {
    case OutputMode::Replace: break;
    case OutputMode::Append: flags |= O_APPEND; break;
    case OutputMode::CreateNew: flags |= O_EXCL; break;
  }
  const int fd = open(path.c_str(), flags, 0666);
  if (fd < 0) return errno;
  struct stat st {};
  int error = 0;
  if (fstat(fd, &st) != 0) {
    error = errno;
  } else if (S_ISDIR(st.st_mode)) {
    error = EISDIR;
  } else if (!S_ISREG(st.st_mode)) {
    error = EINVAL;
  } else if (fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
    error = errno;
  } else if (mode == OutputMode::Replace && ftruncate(fd, 0) != 0) {
    // Emptied only once it is known to be a regular file.
    error = errno;
  }
  if (error != 0) {
    close(fd);
    return error;
  }
  file = std::make_unique<PosixOutputFile>(*this, fd);
  return 0;
}

}  // namespace korvane::platform
