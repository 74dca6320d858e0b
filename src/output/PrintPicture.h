#pragma once
// Printing a picture of the window: the print dialog of a one-page job with
// the printer's default page format (a window's page setup does not apply),
// then the pixels on the page, one pixel to one point, clipped to the
// printable area and never scaled.

#include <string>

#include "platform/Alerts.h"
#include "platform/Printing.h"

namespace korvane::output {

class PicturePrinting {
 public:
  PicturePrinting(platform::Printing& printing, platform::Alerts& alerts) : printing_(printing), alerts_(alerts) {}
  // An empty picture prints nothing and shows no dialog. Failures are
  // shown; the status is returned (0 also when the user cancelled).
  int PrintRectAsPicture(const platform::PixelImage& picture, const std::string& jobName);

 private:
  platform::Printing& printing_;
  platform::Alerts& alerts_;
};

}  // namespace korvane::output
