#pragma once
// Picture files read by Qt's image readers (its image-format plugins).

#include "platform/PictureFiles.h"

namespace korvane::platform {

class QtPictureFiles final : public PictureFiles {
 public:
  std::optional<Size> PictureSize(const std::string& path) override;
};

}  // namespace korvane::platform
