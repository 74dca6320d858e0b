#pragma once
// Picture files as the window system reads them (PNG, JPEG, GIF and whatever
// else its image readers know): the size of the picture a file holds, read
// without decoding the whole picture.

#include <optional>
#include <string>

#include "platform/Windows.h"

namespace korvane::platform {

class PictureFiles {
 public:
  virtual ~PictureFiles() = default;
  // The picture's own size in pixels; nothing when the file cannot be read
  // as a picture or holds an empty one.
  virtual std::optional<Size> PictureSize(const std::string& path) = 0;
};

}  // namespace korvane::platform
