#include "output/PrintPicture.h"

#include "output/PrintText.h"

namespace korvane::output {

int PicturePrinting::PrintRectAsPicture(const platform::PixelImage& picture, const std::string& jobName) {
  if (picture.width <= 0 || picture.height <= 0 ||
      picture.pixels.size() < static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height))
    return 0;
  const platform::PageFormat format = printing_.DefaultPageFormat();
  platform::PrintSettings settings;
  settings.jobName = jobName;
  settings.firstPage = settings.lastPage = 1;
  platform::PrintResult result = printing_.PrintDialog(format, settings);
  if (result.status == 0 && !result.cancelled) {
    // One page, whatever range or copies were asked for.
    settings.firstPage = settings.lastPage = 1;
    settings.copies = 1;
    result = printing_.PrintPicture(settings, format, picture);
  }
  if (result.status != 0) ShowPrintError(alerts_, result);
  return result.status;
}

}  // namespace korvane::output
