#pragma once
// Recording versions of what the mouse and the selection copy use around the
// session window: the frame and pointer, the sounds and alerts, and the
// picture writer (which keeps the pictures it was given).

#include <string>
#include <vector>

#include "output/SelectionHost.h"
#include "platform/CellPicture.h"
#include "platform/SelectionFrame.h"

namespace korvane::fakes {

class RecordingSelectionFrame final : public platform::SelectionFrame {
 public:
  bool shown = false;
  platform::Rect frame{};
  std::vector<platform::Rect> frames;  // every ShowFrame
  platform::PointerShape pointer = platform::PointerShape::Arrow;
  void ShowFrame(platform::Rect r) override {
    shown = true;
    frame = r;
    frames.push_back(r);
  }
  void HideFrame() override { shown = false; }
  void SetPointerShape(platform::PointerShape s) override { pointer = s; }
};

class RecordingSelectionHost final : public output::SelectionHost {
 public:
  std::vector<std::string> sounds, alerts;
  int beeps = 0;
  void PlaySoundNamed(const std::string& name) override { sounds.push_back(name); }
  void ShowErrorAlert(const std::string& text) override { alerts.push_back(text); }
  void Beep() override { ++beeps; }
};

// Writes a picture as a line of text naming its size and characters, so a
// test can see what reached the clipboard; `fail` makes it write nothing.
class TextPictureWriter final : public platform::CellPictureWriter {
 public:
  bool fail = false;
  std::vector<platform::CellPicture> pictures;
  std::string Pdf(const platform::CellPicture& p) override {
    pictures.push_back(p);
    return fail ? std::string() : "PDF " + Describe(p);
  }
  std::string Png(const platform::CellPicture& p) override { return fail ? std::string() : "PNG " + Describe(p); }

 private:
  static std::string Describe(const platform::CellPicture& p) {
    return std::to_string(p.Width()) + "x" + std::to_string(p.Height());
  }
};

}  // namespace korvane::fakes
