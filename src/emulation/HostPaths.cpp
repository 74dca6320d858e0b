// Host-named paths: turned into local paths and kept inside their folder.

#include "emulation/HostPaths.h"

#include <filesystem>
#include <system_error>

#include "platform/posix/PosixFiles.h"
#include "platform/posix/UserFolders.h"
#include "settings/ColonPaths.h"

namespace korvane {

HostFolders HostFoldersForThisUser(const std::string& resources) {
  namespace posix = platform::posix;
  return {posix::HomeFolder(),
          posix::DesktopFolder(),
          posix::DocumentsFolder(),
          resources,
          platform::XdgConfigHome() + "/korvane/scripts",
          posix::DataHome() + "/korvane"};
}

namespace fs = std::filesystem;

namespace {

bool StartsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

// Every '\' and '/' (and, for a Mac path, ':') becomes '/'.
std::string Slashed(std::string s, bool colons) {
  for (char& c : s)
    if (c == '\\' || c == '/' || (colons && c == ':')) c = '/';
  return s;
}

std::string Joined(const std::string& folder, const std::string& rest) {
  std::string r = rest;
  while (!r.empty() && r.front() == '/') r.erase(0, 1);
  if (folder.empty()) return "/" + r;
  return folder + (folder.back() == '/' ? "" : "/") + r;
}

bool HasControlCharacter(const std::string& text) {
  for (unsigned char c : text)
    if (c < 0x20 || c == 0x7F) return true;
  return false;
}

// `inner` is `outer` or lies below it (both resolved), compared name by name
// so that "/home/ab" is not inside "/home/a"; a trailing "/" of `outer` does
// not count.
bool Within(const fs::path& outer, const fs::path& inner) {
  auto o = outer.begin(), i = inner.begin();
  for (; o != outer.end(); ++o) {
    if (o->empty()) continue;
    if (i == inner.end() || *o != *i) return false;
    ++i;
  }
  return true;
}

bool IsSeparator(char c) { return c == '/' || c == '\\' || c == ':'; }

// The host's path with every separator written as "/".
std::string WithSlashes(std::string path) {
  for (char& c : path)
    if (IsSeparator(c)) c = '/';
  return path;
}

CheckedPath FromHost(const std::string& hostPath, const std::string& folder, bool keepBareName) {
  static const std::string kBoot = "BootVolume", kDesktop = "UserDesktop";
  if (hostPath.empty() || HasControlCharacter(hostPath)) return {};
  std::string path = WithSlashes(hostPath);
  if (path.rfind(kBoot, 0) == 0) {
    const std::string rest = path.substr(kBoot.size());
    path = rest.rfind('/', 0) == 0 ? rest : "/" + rest;
  } else if (path.rfind(kDesktop, 0) == 0) {
    path = folder + "/" + path.substr(kDesktop.size());
  } else if (path.find('/') != std::string::npos) {
    // A volume-qualified path of the host's own; it names nothing here.
    return {};
  } else if (keepBareName) {
    return {FileCheck::Inside, hostPath};
  }
  return ResolveInsideFolder(folder, path, false);
}

}  // namespace

std::string ConvertHostPath(const std::string& hostPath, const HostFolders& folders, const std::string& base) {
  const std::string& p = hostPath;
  if (StartsWith(p, "BootVolume")) return Joined("/", Slashed(p.substr(10), false));
  if (StartsWith(p, "UserDesktop")) return Joined(folders.desktop, Slashed(p.substr(11), false));
  if (p.size() >= 3 && p[1] == ':' && p[2] == '\\') return Joined("/", Slashed(p.substr(3), false));
  if (p.find(':') != std::string::npos) {
    // A Mac path: the Mac's folders stand for the user's folders here. One the
    // translation refuses (a step up, an empty name, a control character)
    // becomes no path, which no folder holds.
    FolderMap map = FolderMap::ForThisUser();
    map.home = folders.home;
    map.desktop = folders.desktop;
    map.documents = folders.documents;
    std::string colon = p;
    for (char& c : colon)
      if (c == '\\' || c == '/') c = ':';
    return ColonToPosix(colon, map).path;
  }
  std::string local = Slashed(p, false);
  if (!local.empty() && local.front() == '/') return local;
  return Joined(base, local);
}

PathCheck ConfineToFolder(const std::string& path, const std::string& folder, std::string& resolved) {
  resolved.clear();
  if (folder.empty()) return PathCheck::NoFolder;
  if (path.empty() || HasControlCharacter(path)) return PathCheck::BadName;
  const fs::path p(path);
  for (const auto& part : p)
    if (part == "..") return PathCheck::ParentStep;
  std::error_code ec;
  const fs::path root = fs::weakly_canonical(fs::path(folder), ec);
  if (ec) return PathCheck::NoFolder;
  const fs::path full = fs::weakly_canonical(p.is_absolute() ? p : fs::path(folder) / p, ec);
  if (ec) return PathCheck::Outside;
  if (!Within(root, full)) return PathCheck::Outside;
  resolved = full.string();
  return PathCheck::Inside;
}

const char* PathCheckText(PathCheck check) {
  switch (check) {
    case PathCheck::Inside: return "";
    case PathCheck::NoFolder: return "no folder is set up for it";
    case PathCheck::ParentStep: return "the path steps out with \"..\"";
    case PathCheck::Outside: return "the path leads outside the folder";
    case PathCheck::BadName: return "the path names no file Korvane can use";
  }
  return "";
}

bool IsPlainFileName(const std::string& name) {
  if (name.empty() || name == "." || name == ".." || HasControlCharacter(name)) return false;
  return name.find('/') == std::string::npos;
}

CheckedPath ResolveInsideFolder(const std::string& folder, const std::string& path, bool mustExist) {
  if (folder.empty() || path.empty() || HasControlCharacter(path)) return {};
  std::error_code ec;
  const fs::path root = fs::canonical(folder, ec);
  if (ec || !fs::is_directory(root, ec)) return {};
  fs::path candidate = fs::path(path).is_absolute() ? fs::path(path) : fs::path(folder) / path;
  for (const auto& part : candidate)
    if (part == "..") return {};
  candidate = candidate.lexically_normal();
  const fs::path name = candidate.filename();
  if (name.empty() || name == ".") return {};
  // Every folder on the way is resolved, links included.
  const fs::path parent = fs::canonical(candidate.parent_path(), ec);
  if (ec || !Within(root, parent)) return {};
  fs::path full = parent / name;
  const fs::file_status link = fs::symlink_status(full, ec);
  if (ec && ec != std::errc::no_such_file_or_directory) return {};
  if (!fs::exists(link)) {
    if (mustExist) return {FileCheck::NotFound, {}};
    return {FileCheck::Inside, full.string()};
  }
  if (fs::is_symlink(link)) {
    // A link may stay inside the folder; a dangling one or one that leaves is refused.
    full = fs::canonical(full, ec);
    if (ec || !Within(root, full)) return {};
  }
  if (!fs::is_regular_file(full, ec) || ec) return {};
  return {FileCheck::Inside, full.string()};
}

CheckedPath CapturePathFromHost(const std::string& hostPath, const std::string& captureFolder) {
  return FromHost(hostPath, captureFolder, false);
}

CheckedPath ShownPathFromHost(const std::string& hostPath, const std::string& captureFolder) {
  return FromHost(hostPath, captureFolder, true);
}

}  // namespace korvane
