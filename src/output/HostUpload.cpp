#include "output/HostUpload.h"

#include <filesystem>
#include <system_error>
#include <vector>

#include "emulation/HostPaths.h"

namespace korvane::output {

namespace fs = std::filesystem;

std::string NormaliseUploadName(const std::string& hostName) {
  std::string name = hostName;
  if (name.size() >= 3 && name[1] == ':' && name[2] == '\\') name.erase(0, 3);
  for (char& c : name)
    if (c == '\\' || c == '/') c = ':';
  return name;
}

UploadFile ResolveUploadName(const std::string& hostName, const std::string& documents) {
  UploadFile out;
  const std::string name = NormaliseUploadName(hostName);
  if (name.size() < 4 || name.compare(name.size() - 4, 4, ".txt") != 0) {
    out.result = UploadFile::Result::NoTxt;
    return out;
  }
  if (documents.empty()) return out;
  for (unsigned char c : name)
    if (c < 0x20 || c == 0x7F) return out;
  // The folders of the name, each checked on its own.
  std::vector<std::string> parts;
  if (name.find(':') == std::string::npos) {
    parts = {"pick", name};
  } else {
    size_t start = 0;
    while (true) {
      const size_t colon = name.find(':', start);
      parts.push_back(name.substr(start, colon == std::string::npos ? std::string::npos : colon - start));
      if (colon == std::string::npos) break;
      start = colon + 1;
    }
  }
  fs::path candidate(documents);
  for (const std::string& part : parts) {
    if (part.empty() || part == "." || part == "..") return out;
    candidate /= part;
  }
  out.path = candidate.string();
  std::error_code ec;
  if (!fs::exists(fs::symlink_status(candidate, ec))) {
    out.result = UploadFile::Result::NotFound;
    return out;
  }
  // Links are followed only while they stay inside the Documents folder.
  const CheckedPath checked = ResolveInsideFolder(documents, out.path, true);
  if (checked.check != FileCheck::Inside) {
    out.result = checked.check == FileCheck::NotFound ? UploadFile::Result::NotFound : UploadFile::Result::Refused;
    if (out.result == UploadFile::Result::Refused) out.path.clear();
    return out;
  }
  out.result = UploadFile::Result::Found;
  out.path = checked.path;
  return out;
}

}  // namespace korvane::output
