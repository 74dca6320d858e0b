#include "platform/FileDialogs.h"

#include <algorithm>
#include <cctype>

namespace korvane::platform {

std::vector<std::string> ExtensionsOf(FileKind kind) {
  switch (kind) {
    case FileKind::Text: return {"txt", "text", "log", "csv"};
    case FileKind::Settings: return {kSettingsExtension};
    case FileKind::FunctionKeys: return {kFunctionKeysExtension};
    case FileKind::QuickDial: return {kQuickDialExtension};
    case FileKind::Application: return {"desktop"};
    case FileKind::Any: break;
  }
  return {};
}

FileKind FileKindOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  const std::size_t dot = name.rfind('.');
  if (dot == std::string::npos || dot == 0) return FileKind::Any;
  std::string extension = name.substr(dot + 1);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  for (FileKind kind :
       {FileKind::Text, FileKind::Settings, FileKind::FunctionKeys, FileKind::QuickDial, FileKind::Application}) {
    const auto list = ExtensionsOf(kind);
    if (std::find(list.begin(), list.end(), extension) != list.end()) return kind;
  }
  return FileKind::Any;
}

}  // namespace korvane::platform
