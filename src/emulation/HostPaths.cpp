#include "emulation/HostPaths.h"

#include <filesystem>
#include <system_error>

namespace korvane {

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

}  // namespace

std::string ConvertHostPath(const std::string& hostPath, const HostFolders& folders, const std::string& base) {
  const std::string& p = hostPath;
  if (StartsWith(p, "BootVolume")) return Joined("/", Slashed(p.substr(10), false));
  if (StartsWith(p, "UserDesktop")) return Joined(folders.desktop, Slashed(p.substr(11), false));
  if (p.size() >= 3 && p[1] == ':' && p[2] == '\\') return Joined("/", Slashed(p.substr(3), false));
  if (p.find(':') != std::string::npos) {
    // A Mac path: its first name is the volume, which is the root here.
    const size_t colon = p.find(':');
    return Joined("/", Slashed(p.substr(colon + 1), true));
  }
  std::string local = Slashed(p, false);
  if (!local.empty() && local.front() == '/') return local;
  return Joined(base, local);
}

PathCheck ConfineToFolder(const std::string& path, const std::string& folder, std::string& resolved) {
  resolved.clear();
  if (folder.empty()) return PathCheck::NoFolder;
  const fs::path p(path);
  for (const auto& part : p)
    if (part == "..") return PathCheck::ParentStep;
  std::error_code ec;
  const fs::path root = fs::weakly_canonical(fs::path(folder), ec);
  if (ec) return PathCheck::NoFolder;
  const fs::path full = fs::weakly_canonical(p.is_absolute() ? p : fs::path(folder) / p, ec);
  if (ec) return PathCheck::Outside;
  // Component by component, so that "/home/ab" is not inside "/home/a".
  auto r = root.begin();
  auto f = full.begin();
  for (; r != root.end(); ++r, ++f) {
    if (r->empty()) continue;
    if (f == full.end() || *f != *r) return PathCheck::Outside;
  }
  resolved = full.string();
  return PathCheck::Inside;
}

const char* PathCheckText(PathCheck check) {
  switch (check) {
    case PathCheck::Inside: return "";
    case PathCheck::NoFolder: return "no folder is set up for it";
    case PathCheck::ParentStep: return "the path steps out with \"..\"";
    case PathCheck::Outside: return "the path leads outside the folder";
  }
  return "";
}

}  // namespace korvane
