#include "scripting/OpenDocuments.h"

namespace korvane::scripting {

std::vector<std::string> OpenDocumentsHandler(ScriptTarget& target, const std::vector<std::string>& paths) {
  std::vector<std::string> remembered, skipped;
  for (const std::string& path : paths) {
    const size_t slash = path.rfind('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name == "International" || name == "Fkeydefaults") continue;
    if (path.empty() || path.front() != '/' || name.empty()) {
      skipped.push_back(path);
      continue;
    }
    remembered.push_back(path);
  }
  if (!remembered.empty()) target.OpenDocuments(remembered);
  return skipped;
}

}  // namespace korvane::scripting
