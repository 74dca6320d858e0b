// Confining host-named files to their feature's folder.

#include "emulation/HostPaths.h"

#include <filesystem>
#include <system_error>

namespace korvane {

namespace fs = std::filesystem;

namespace {

bool HasControlCharacter(const std::string& text) {
  for (unsigned char c : text)
    if (c < 0x20 || c == 0x7F) return true;
  return false;
}

// `inner` is `outer` or lies below it (both resolved).
bool Within(const fs::path& outer, const fs::path& inner) {
  auto o = outer.begin(), i = inner.begin();
  for (; o != outer.end(); ++o, ++i)
    if (i == inner.end() || *o != *i) return false;
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
    return {PathCheck::Inside, hostPath};
  }
  return ResolveInsideFolder(folder, path, false);
}

}  // namespace

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
    if (mustExist) return {PathCheck::NotFound, {}};
    return {PathCheck::Inside, full.string()};
  }
  if (fs::is_symlink(link)) {
    // A link may stay inside the folder; a dangling one or one that leaves is refused.
    full = fs::canonical(full, ec);
    if (ec || !Within(root, full)) return {};
  }
  if (!fs::is_regular_file(full, ec) || ec) return {};
  return {PathCheck::Inside, full.string()};
}

CheckedPath CapturePathFromHost(const std::string& hostPath, const std::string& captureFolder) {
  return FromHost(hostPath, captureFolder, false);
}

CheckedPath ShownPathFromHost(const std::string& hostPath, const std::string& captureFolder) {
  return FromHost(hostPath, captureFolder, true);
}

}  // namespace korvane
