#pragma once
// Sounds the program makes: the bell, and the named sounds that give feedback
// (a camera's shutter after a copy of the screen). The desktop's sound theme
// decides what they sound like.

#include <string>

namespace korvane::platform {

class Sounds {
 public:
  virtual ~Sounds() = default;
  // The bell.
  virtual void Beep() = 0;
  // Starts the named sound ("camera.aiff" is the sound "camera") and returns
  // at once. One sound plays at a time: a request while one plays is dropped.
  virtual void PlaySound(const std::string& name) = 0;
};

// A sound's name without its extension: "camera picture.aiff" gives
// "camera picture"; a name without one stays as it is.
std::string SoundNameWithoutExtension(const std::string& name);

// The desktop sound theme's name for one of the program's sounds: the
// camera's shutter ("camera-shutter") for "camera", a screen capture
// ("screen-capture") for "camera picture"; any other name is asked for as it
// is.
std::string SoundThemeEventId(const std::string& name);

}  // namespace korvane::platform
