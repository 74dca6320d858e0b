#include "output/SessionPictures.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <system_error>

#include "emulation/HostPaths.h"
#include "windows/SessionWindows.h"

namespace korvane::output {

namespace {

bool StartsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

}  // namespace

SessionPictures::SessionPictures(SessionWindow& window, platform::PictureFiles& pictureFiles,
                                 platform::Programs& programs)
    : w_(window), pictureFiles_(pictureFiles), programs_(programs) {}

SessionPictures::~SessionPictures() {
  // A fetch still running is not waited for; its part file goes.
  for (const Download& d : downloads_) {
    programs_.StopProgram(d.program);
    std::error_code ec;
    std::filesystem::remove(d.partFile, ec);
  }
}

SessionPictures* SessionPicturesOf(SessionWindow& window) {
  return dynamic_cast<SessionPictures*>(&window.services.pictures);
}

std::vector<std::string> SessionPictures::CurlArguments(const std::string& address, const std::string& file) {
  return {"curl",
          "--silent",
          "--show-error",
          "--fail",
          "--location",
          "--proto",
          "=http,https",
          "--proto-redir",
          "=http,https",
          "--max-redirs",
          "5",
          "--max-filesize",
          std::to_string(kMaxDownloadBytes),
          "--max-time",
          std::to_string(kDownloadSeconds),
          "--output",
          file,
          address};
}

std::string SessionPictures::DownloadFileName(const std::string& address) {
  std::string name = address;
  name = name.substr(0, name.find_first_of("?#"));
  const size_t slash = name.find_last_of('/');
  if (slash != std::string::npos) name = name.substr(slash + 1);
  if (IsPlainFileName(name) && name.front() != '.' && name.find('\\') == std::string::npos) return name;
  return MadeFileName(address);
}

std::string SessionPictures::MadeFileName(const std::string& address) {
  char made[32];
  std::snprintf(made, sizeof made, "picture-%016zx", std::hash<std::string>{}(address));
  return made;
}

void SessionPictures::ShowInlinePicture(const std::string& path, const std::array<int16_t, 6>& numbers,
                                        bool keepProportions) {
  Screen& s = w_.session.screen;
  // Every request counts, shown or not.
  s.PicturesShown = static_cast<int16_t>(std::min<int>(s.PicturesShown + 1, INT16_MAX));
  const PictureRequest request = RequestedPicture(numbers, s.CellWidth, s.CellHeight, keepProportions);
  if (StartsWith(path, "http")) {
    StartDownload(path, request);
    return;
  }
  Place(path, {}, request);
}

void SessionPictures::StartDownload(const std::string& address, const PictureRequest& request) {
  WindowServices& services = w_.Owner().services;
  // Only web addresses are fetched, a few at a time.
  if ((!StartsWith(address, "http://") && !StartsWith(address, "https://")) || downloads_.size() >= kMaxDownloads ||
      services.hostFolders.transfers.empty()) {
    w_.services.sounds.Beep();
    return;
  }
  for (unsigned char c : address)
    if (c < 0x20 || c == 0x7F) {
      w_.services.sounds.Beep();
      return;
    }
  const std::string folder = services.hostFolders.transfers + "/" + kDownloadFolder;
  if (services.files.MakeFolders(folder) != 0) {
    w_.services.sounds.Beep();
    return;
  }
  Download d;
  d.address = address;
  d.file = folder + "/" + DownloadFileName(address);
  for (Download& running : downloads_) {
    if (running.file != d.file) continue;
    // The same address again: its fetch places it where it is asked now.
    if (running.address == address) {
      running.request = request;
      return;
    }
    // Another address of the same name gets a name of its own, so that the
    // two fetches do not write one file.
    d.file = folder + "/" + MadeFileName(address);
    break;
  }
  d.partFile = d.file + ".part";
  d.request = request;
  if (programs_.StartProgram(CurlArguments(address, d.partFile), d.program) != 0) {
    w_.services.sounds.Beep();
    return;
  }
  downloads_.push_back(std::move(d));
}

void SessionPictures::CancelDownloads() {
  for (const Download& d : downloads_) {
    programs_.StopProgram(d.program);
    std::error_code ec;
    std::filesystem::remove(d.partFile, ec);
  }
  downloads_.clear();
}

bool SessionPictures::Idle() const { return downloads_.empty() && !w_.session.screen.PicturesRedrawPending; }

void SessionPictures::Step() {
  Screen& s = w_.session.screen;
  for (size_t i = 0; i < downloads_.size();) {
    platform::ProgramExit exit;
    if (!programs_.ProgramEnded(downloads_[i].program, exit)) {
      ++i;
      continue;
    }
    const Download d = downloads_[i];
    downloads_.erase(downloads_.begin() + static_cast<std::ptrdiff_t>(i));
    std::error_code ec;
    const bool fetched = exit.exited && exit.status == 0 && std::filesystem::is_regular_file(d.partFile, ec) &&
                         std::filesystem::file_size(d.partFile, ec) > 0;
    if (fetched) std::filesystem::rename(d.partFile, d.file, ec);
    if (!fetched || ec) {
      // Nothing came: the session stays as it was.
      std::filesystem::remove(d.partFile, ec);
      w_.services.sounds.Beep();
      continue;
    }
    Place(d.file, d.address, d.request);
  }
  if (s.PicturesRedrawPending) {
    s.PicturesRedrawPending = 0;
    InvalidatePictureArea();
  }
}

void SessionPictures::CloseSlot(int k) {
  names_[static_cast<size_t>(k)].clear();
  addresses_[static_cast<size_t>(k)].clear();
  w_.controls.CloseControl(kFirstControl + k);
}

void SessionPictures::Place(const std::string& file, const std::string& address, const PictureRequest& request) {
  Screen& s = w_.session.screen;
  platform::Controls& controls = w_.controls;
  // The slot that shows this picture already, else the first free one.
  int slot = 0;
  for (int k = 1; k <= kSlots && slot == 0; ++k)
    if (names_[static_cast<size_t>(k)] == file) slot = k;
  if (slot != 0) {
    controls.CloseControl(kFirstControl + slot);
  } else {
    for (int k = 1; k <= kSlots && slot == 0; ++k)
      if (names_[static_cast<size_t>(k)].empty()) slot = k;
    if (slot == 0) {
      // Every slot holds another picture: this one is not shown.
      w_.services.sounds.Beep();
      return;
    }
    count_ = std::max(count_, slot);
    names_[static_cast<size_t>(slot)] = file;
  }
  addresses_[static_cast<size_t>(slot)] = address;
  const int id = kFirstControl + slot;
  const platform::Size area{s.port.Width(), s.port.Height()};
  const std::optional<platform::Size> natural = pictureFiles_.PictureSize(file);
  if (!natural) {
    // A file that holds no picture: its well stays, empty, where the host
    // asked for it.
    const int left = std::clamp(request.left, 0, area.width), top = std::clamp(request.top, 0, area.height);
    bounds_[static_cast<size_t>(slot)] = {left, top, std::clamp(request.right, left, area.width),
                                          std::clamp(request.bottom, top, area.height)};
    controls.MakeImageWell(id, bounds_[static_cast<size_t>(slot)]);
    return;
  }
  const PicturePlacement placement = PlacePicture(request, *natural, area);
  bounds_[static_cast<size_t>(slot)] = placement.shown;
  controls.MakeImageWell(id, placement.shown);
  controls.SetImageWellPicture(id, file);
  s.PicturesRedrawPending = 1;
}

void SessionPictures::RemovePicture(const std::string& path) {
  for (int k = 1; k <= count_; ++k) {
    const size_t i = static_cast<size_t>(k);
    if (names_[i].empty() || (names_[i] != path && addresses_[i] != path)) continue;
    CloseSlot(k);
    w_.session.screen.PicturesRedrawPending = 1;
    return;
  }
}

void SessionPictures::RemoveInlinePictures() {
  Screen& s = w_.session.screen;
  if (s.PicturesShown == 0) return;
  CancelDownloads();
  for (int k = 1; k <= std::max(count_, 1); ++k) CloseSlot(k);
  s.PicturesShown = static_cast<int16_t>(std::max(s.PicturesShown - 1, 0));
  s.RepaintPending = 1;
}

void SessionPictures::InvalidatePictureArea() {
  // The wells come to the top again (controls made since, such as the
  // function-key bar's buttons, were laid over them) and are drawn again.
  platform::Controls& controls = w_.controls;
  for (int k = 1; k <= count_; ++k) {
    const int id = kFirstControl + k;
    if (names_[static_cast<size_t>(k)].empty() || !controls.HasControl(id)) continue;
    controls.MakeImageWell(id, bounds_[static_cast<size_t>(k)]);
  }
}

}  // namespace korvane::output
