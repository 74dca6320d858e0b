#pragma once
// What the settings code needs from the rest of the program: values that other
// parts keep and that saving or reading use, and the steps after reading that
// bring menus, fonts and windows in line with the settings. The session window
// implements it; tests record the calls.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace korvane {

struct WindowFrame {
  int left = 0, top = 0, width = 0, height = 0;  // content area, in pixels
};

struct ScreenSize {
  int width = 0, height = 0;
};

class SettingsHost {
 public:
  virtual ~SettingsHost() = default;

  // ---- Values kept elsewhere that saving uses --------------------------------
  // Plain-text mode is on; auto-wrap is then forced, and the user's own choice
  // waits in SavedAutoWrap.
  virtual int16_t PlainTextMode() = 0;
  virtual int16_t SavedAutoWrap() = 0;
  // Upper-case keys were forced from the Emulate menu.
  virtual int8_t CapsModeForced() = 0;
  // The first session window has scroll-back (noted by the idle pass).
  virtual int8_t ScrollBackSeen() = 0;
  // The serial ports present now, in menu order; nullopt while no port list is
  // known (the record's own port lines are then saved).
  virtual std::optional<std::vector<std::string>> SerialPortNames() = 0;
  // The content frame of the window the session draws in; nullopt keeps the
  // remembered geometry of the record.
  virtual std::optional<WindowFrame> OutputWindowFrame() = 0;

  // ---- Values kept elsewhere that reading uses -------------------------------
  virtual int16_t CursorKeyApplicationMode() = 0;
  virtual ScreenSize MainScreenSize() = 0;
  // The kermit program is installed where the program looks for it.
  virtual bool KermitProgramFound() = 0;
  // A function-key file the program carries (the function-key part of a
  // settings file), by its name in the "Fkeys" folder: the keys of a
  // session whose settings define none. Empty when it cannot be read.
  virtual std::string BundledFunctionKeys(const std::string& fileName) = 0;

  // ---- Built-in defaults of other parts ---------------------------------------
  // Capture, printer capture and flow control off, plain-text mode off, the
  // terminal-type text empty.
  virtual void SetSessionDefaults() = 0;
  // The session window's size (the main screen's, at most 640 x 480).
  virtual void SetWindowSize(int width, int height) = 0;
  // The screen's own defaults: the cursor home, the display on and the
  // normal colours.
  virtual void ResetScreenDefaults() = 0;
  // The cell metrics follow the record's text size.
  virtual void ComputeCellMetrics() = 0;
  // The keypad sends its numeric codes (an old settings file without line 145).
  virtual void SetKeypadNumericMode() = 0;

  // ---- Bringing the program in line with settings just read -----------------
  // Check marks of the serial-required submenu (items 4 and 5 for 1 and 2).
  virtual void MarkSerialRequiredItems(int16_t option) = 0;
  // Activates the program's screen and printer fonts; 0 or an error number.
  virtual int ActivateProgramFonts() = 0;
  virtual void SetMenuCommandKeys() = 0;
  // Applies the attribute colours (reverse, mode-2, bold, underline) and the
  // Wyse menu marks.
  virtual void ApplyAttributeColours() = 0;
  // Builds the strings the editing keys send.
  virtual void BuildEditKeyStrings() = 0;
  // Connection-menu marks and the window title's word for the connection kind.
  virtual void ShowConnectionKind() = 0;
  // Loads the national-character file (at start-up only).
  virtual void LoadInternationalFile() = 0;
  // Check mark of the Recorder menu's clipboard item.
  virtual void MarkClipboardOption(bool on) = 0;
  // The remaining menu marks, window redraw and titles; for a settings
  // document also the cleared screen and the function-key bar drawn again.
  virtual void RefreshAfterReading(bool fromDocument) = 0;

  // ---- Settings documents ----------------------------------------------------------
  // The "Save Settings as" dialog, proposing a name; the chosen path, or
  // nullopt when the user cancels.
  virtual std::optional<std::string> AskSettingsFileName(const std::string& proposed) = 0;
  // The active window's title and its Window-menu mark after a save under a name.
  virtual void ShowSettingsTitle(const std::string& title) = 0;
  // Opens a new session window whose settings come from the document.
  virtual void LoadSettingsTempFile(const std::string& path) = 0;
  // Opens the serial port when needed and dials the number.
  virtual void DialNumber(const std::string& number) = 0;
  // Hands a function-key document to the function-key editor.
  virtual void LoadFunctionKeyDocument(const std::string& path) = 0;
};

}  // namespace korvane
