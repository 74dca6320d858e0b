#include "scripting/OpenDocuments.h"

#include "settings/ColonPaths.h"

namespace korvane::scripting {

std::vector<std::string> OpenDocumentsHandler(ScriptTarget& target, const std::vector<std::string>& paths) {
  std::vector<std::string> remembered, skipped;
  const FolderMap folders = FolderMap::ForThisUser();
  for (const std::string& given : paths) {
    // A script written for a Mac names its documents by colon paths.
    const PathResult local = LocalPathOf(given, folders);
    if (!local.ok()) {
      skipped.push_back(given);
      continue;
    }
    const std::string& path = local.path;
    const size_t slash = path.rfind('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name == "International" || name == "Fkeydefaults") continue;
    if (path.empty() || path.front() != '/' || name.empty()) {
      skipped.push_back(given);
      continue;
    }
    remembered.push_back(path);
  }
  if (!remembered.empty()) target.OpenDocuments(remembered);
  return skipped;
}

}  // namespace korvane::scripting
