#pragma once
// Pictures in one session window, as the program runs them: the window's
// PictureService.
//
// Each picture the host asks for lies in one of 100 slots; slot k is shown
// by image well 1000 + k of the session window, over its text, placed and
// scaled as PicturePlacement says. A picture shown again under its name
// takes its old slot. Clearing the screen, and the host's remove commands,
// free the slots. The wells belong to the session's own window, so its
// pictures stay with it while another session window is in front.
//
// A picture named by an http or https address is fetched first by curl,
// started with an argument vector (never a shell line) with a size limit and
// a time-out, into the "Downloaded Images" folder; the main loop's step
// places it once curl has ended. A failed download leaves the session as it
// was.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "emulation/SessionServices.h"
#include "output/PicturePlacement.h"
#include "platform/PictureFiles.h"
#include "platform/Programs.h"

namespace korvane {
class SessionWindow;
}

namespace korvane::output {

class SessionPictures final : public PictureService {
 public:
  SessionPictures(SessionWindow& window, platform::PictureFiles& pictureFiles, platform::Programs& programs);
  ~SessionPictures() override;
  SessionPictures(const SessionPictures&) = delete;
  SessionPictures& operator=(const SessionPictures&) = delete;

  // ---- PictureService ---------------------------------------------------------------
  void ShowInlinePicture(const std::string& path, const std::array<int16_t, 6>& numbers, bool keepProportions) override;
  void RemovePicture(const std::string& path) override;
  void RemoveInlinePictures() override;
  void InvalidatePictureArea() override;

  // ---- The main loop ------------------------------------------------------------------
  // Places the pictures whose downloads have ended, and draws the pictures
  // again when the screen asked for it.
  void Step();
  // No picture is being fetched and none waits to be drawn again.
  bool Idle() const;

  // The name held by slot k (1..100), empty when it is free; the highest
  // slot ever taken; the downloads still running.
  const std::string& SlotName(int k) const { return names_.at(static_cast<size_t>(k)); }
  int PictureCount() const { return count_; }
  size_t DownloadsRunning() const { return downloads_.size(); }

  static constexpr int kSlots = 100;
  static constexpr int kFirstControl = 1000;
  // curl's limits: the largest picture fetched, the longest a fetch may take,
  // and how many fetches run at once.
  static constexpr long kMaxDownloadBytes = 20L * 1024 * 1024;
  static constexpr int kDownloadSeconds = 30;
  static constexpr size_t kMaxDownloads = 4;
  // The folder of fetched pictures, inside the program's data folder.
  static constexpr const char* kDownloadFolder = "Downloaded Images";

  // The argument vector that fetches `address` into `file`.
  static std::vector<std::string> CurlArguments(const std::string& address, const std::string& file);
  // The file name a fetched picture is kept under: the address's last part,
  // or a name made from the address when that is no plain file name.
  static std::string DownloadFileName(const std::string& address);
  // A file name made from the whole address.
  static std::string MadeFileName(const std::string& address);

 private:
  struct Download {
    int program = 0;
    std::string address, file, partFile;
    PictureRequest request;
  };
  void Place(const std::string& file, const std::string& address, const PictureRequest& request);
  void StartDownload(const std::string& address, const PictureRequest& request);
  void CancelDownloads();
  void CloseSlot(int k);

  SessionWindow& w_;
  platform::PictureFiles& pictureFiles_;
  platform::Programs& programs_;
  std::array<std::string, kSlots + 1> names_{};
  // The address a downloaded picture came from (empty for a local file).
  std::array<std::string, kSlots + 1> addresses_{};
  // Where each slot's well stands.
  std::array<platform::Rect, kSlots + 1> bounds_{};
  int count_ = 0;
  std::vector<Download> downloads_;
};

// The session window's pictures, when the program gave it its own.
SessionPictures* SessionPicturesOf(SessionWindow& window);

}  // namespace korvane::output
