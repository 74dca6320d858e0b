#include "platform/Sounds.h"

namespace korvane::platform {

std::string SoundNameWithoutExtension(const std::string& name) {
  const std::size_t dot = name.rfind('.');
  const std::size_t slash = name.find_last_of("/:");
  // A dot that starts the name, or one in a folder's name, is no extension.
  if (dot == std::string::npos || dot == 0 || (slash != std::string::npos && dot < slash) ||
      (slash != std::string::npos && dot == slash + 1))
    return name;
  return name.substr(0, dot);
}

std::string SoundThemeEventId(const std::string& name) {
  const std::string bare = SoundNameWithoutExtension(name);
  if (bare == "camera") return "camera-shutter";
  if (bare == "camera picture") return "screen-capture";
  return bare;
}

}  // namespace korvane::platform
