#pragma once
// The bell and the named sounds through the desktop's sound theme
// (libcanberra); where no sound can be played that way, the window system's
// bell.

#include <atomic>
#include <memory>
#include <string>

#include "platform/Sounds.h"

namespace korvane::platform {

class QtSounds final : public Sounds {
 public:
  QtSounds();
  ~QtSounds() override;
  QtSounds(const QtSounds&) = delete;
  QtSounds& operator=(const QtSounds&) = delete;

  void Beep() override;
  void PlaySound(const std::string& name) override;

  // A named sound is playing (its end has not been reported yet).
  bool Playing() const { return state_->playing.load(); }

 private:
  // Shared with the sound service's end-of-playing report, which may come
  // on a thread of its own and after this object is gone.
  struct State {
    std::atomic<bool> playing{false};
  };
  struct Context;
  std::unique_ptr<Context> context_;
  std::shared_ptr<State> state_ = std::make_shared<State>();
};

}  // namespace korvane::platform
