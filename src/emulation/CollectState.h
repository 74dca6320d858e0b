#pragma once
// Collect mode's state: the host's data gathered for a download, its
// conversions and the progress shown while it comes.

#include <cstdint>
#include <string>

namespace korvane {

struct CollectState {
  int16_t CollectMode = 0;
  std::string CollectContainer;
  int16_t CollectCharCount = 0;
  int16_t CollectEchoLength = 0;
  int16_t CollectStatusShown = 0;
  int16_t DownloadWaiting = 0, DownloadQuiet = 0;
  int16_t ProgressRow = 8, ProgressCol = 25;
  int32_t ProgressTick = 0;
  int32_t CollectLastDataTick = 0;
  int8_t CollectCrToTab = 0, CollectAfterLf = 0, CollectTableMode = 0;
  int16_t CollectFieldsPerLine = 0, CollectFieldCount = 0;
  int8_t CollectSkipOn = 0;
  int16_t CollectSkipLines = 0;
  // A ':' or '>' that ended the data received so far: the host's prompt if
  // nothing follows it, kept until the next chunk shows otherwise.
  int16_t HeldPromptChar = 0;
};

}  // namespace korvane
