#pragma once
// The control helpers and the open-file dialog the handlers use: a control's
// title font, the control with the keyboard focus, the session window's
// scroll-back bar, and the choice of one file of given kinds.

#include <cstdint>
#include <string>

#include "platform/FileDialogs.h"
#include "platform/Windows.h"

namespace korvane::ui {

// The session window's scroll-back bar.
constexpr int kScrollBackBarControl = 8001;

// Control `control` of window `window` draws its title in `font` at `size`
// points (and is drawn again). A control the window lacks: nothing happens.
int SetControlFontAndRedraw(platform::Windows& windows, int window, int control, int16_t font, int16_t size);
// The number of the control with the keyboard focus in window `window`; 0
// when no numbered control has it or there is no such window.
int FocusedControlNumber(platform::Windows& windows, int window);
// Session window `window`'s scroll-back bar takes `value` (it is made along
// the window's right edge when it has none); its range stays as it is. Other
// windows have no scroll-back bar: nothing happens.
int MakeRuntimeControl(platform::Windows& windows, int window, int value);

// The open-file dialog. The kinds offered are given as four-character file
// types one after the other ("TEXT", "Kvst" a settings document, "Fkey",
// "MACP" a QuickDial service, "APPL" an application); whole groups of four
// only, and none for every file.
class FileChoice {
 public:
  explicit FileChoice(platform::FileDialogs& dialogs) : dialogs_(dialogs) {}

  // Runs the dialog with `prompt`. A chosen file sets all three results; a
  // cancelled dialog empties ChosenFileName and keeps the others.
  int AskForFile(const std::string& prompt = {});

  std::string FileTypeList;
  std::string ChosenFileName;  // the name alone
  std::string ChosenPath;      // the whole path
  std::string ChosenFileType;  // the four-character type of its kind ("????" for any other file)

 private:
  platform::FileDialogs& dialogs_;
};

// The four-character type of a file kind, and the kind of a type (Any for
// a type no kind has).
std::string FileTypeOfKind(platform::FileKind kind);
platform::FileKind FileKindOfType(const std::string& type);

}  // namespace korvane::ui
