#pragma once
// What the mouse and the selection copy need of the program around the
// session window besides its port and the platform services: the sounds and
// alerts that tell the user what happened. The program implements it for
// each session window; tests record the calls.

#include <string>

namespace korvane::output {

class SelectionHost {
 public:
  virtual ~SelectionHost() = default;
  // Plays a sound of the program by its name ("camera.aiff", ...).
  virtual void PlaySoundNamed(const std::string& name) = 0;
  // A stop alert with the message: something the user asked for failed.
  virtual void ShowErrorAlert(const std::string& text) = 0;
  // The system beep: a click that could not do what it stands for.
  virtual void Beep() = 0;
};

}  // namespace korvane::output
