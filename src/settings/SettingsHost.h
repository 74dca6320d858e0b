#pragma once
// What the settings code needs from the rest of the program: values that other
// parts keep and that saving or reading use, and the steps after reading that
// bring menus, fonts and windows in line with the settings. The defaults stand
// for a program with none of those parts yet, which is what a test of the
// settings alone wants: nothing is refreshed and the record's own values are
// saved.

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
  virtual int16_t PlainTextMode() { return 0; }
  virtual int16_t SavedAutoWrap() { return 0; }
  // Upper-case keys were forced from the Emulate menu.
  virtual int8_t CapsModeForced() { return 0; }
  // The first session window has scroll-back (noted by the idle pass).
  virtual int8_t ScrollBackSeen() { return 0; }
  // The serial ports present now, in menu order; nullopt while no port list is
  // known (the record's own port lines are then saved).
  virtual std::optional<std::vector<std::string>> SerialPortNames() { return std::nullopt; }
  // The content frame of the window the session draws in; nullopt keeps the
  // remembered geometry of the record.
  virtual std::optional<WindowFrame> OutputWindowFrame() { return std::nullopt; }

  // ---- Values kept elsewhere that reading uses -------------------------------
  virtual int16_t CursorKeyApplicationMode() { return 0; }
  virtual ScreenSize MainScreenSize() { return {1920, 1080}; }
  // The kermit program is installed where the program looks for it.
  virtual bool KermitProgramFound() { return false; }
  // The function-key file the program carries, used when "Fkeydefaults" is
  // missing (the function-key part of a settings file).
  virtual std::string BundledFunctionKeys() { return {}; }

  // ---- Built-in defaults of other parts ---------------------------------------
  // Capture, printer capture and flow control off, plain-text mode off, the
  // terminal-type text empty, the QuickDial number "555-1234".
  virtual void SetSessionDefaults() {}
  // The session window's size (the main screen's, at most 640 x 480).
  virtual void SetWindowSize(int /*width*/, int /*height*/) {}
  // The screen's own defaults: the cursor home, the display on, the window
  // width, and the normal colours.
  virtual void ResetScreenDefaults(int windowWidth) = 0;
  // The cell metrics follow the record's text size.
  virtual void ComputeCellMetrics() = 0;
  // The keypad sends its numeric codes (an old settings file without line 145).
  virtual void SetKeypadNumericMode() {}

  // ---- Bringing the program in line with settings just read -----------------
  // Check marks of the serial-required submenu (items 4 and 5 for 1 and 2).
  virtual void MarkSerialRequiredItems(int16_t /*option*/) {}
  // Activates the program's screen and printer fonts; 0 or an error number.
  virtual int ActivateProgramFonts() { return 0; }
  virtual void SetMenuCommandKeys() {}
  // Applies the attribute colours (reverse, mode-2, bold, underline) and the
  // Wyse menu marks.
  virtual void ApplyAttributeColours() {}
  // Builds the strings the editing keys send.
  virtual void BuildEditKeyStrings() {}
  // Connection-menu marks and the window title's word for the connection kind.
  virtual void ShowConnectionKind() {}
  // Loads the national-character file (at start-up only).
  virtual void LoadInternationalFile() {}
  // Check mark of the Recorder menu's clipboard item.
  virtual void MarkClipboardOption(bool /*on*/) {}
  // No function key is defined: the function-key editor opens.
  virtual void OpenFunctionKeyEditor() {}
  // The remaining menu marks, window redraw and titles; for a settings
  // document also the cleared screen and the function-key bar drawn again.
  virtual void RefreshAfterReading(bool /*fromDocument*/) {}

  // ---- Settings documents ----------------------------------------------------------
  // The "Save Settings as" dialog, proposing a name; the chosen path, or
  // nullopt when the user cancels.
  virtual std::optional<std::string> AskSettingsFileName(const std::string& /*proposed*/) { return std::nullopt; }
  // The active window's title and its Window-menu mark after a save under a name.
  virtual void ShowSettingsTitle(const std::string& /*title*/) {}
  // Opens a new session window whose settings come from the document.
  virtual void LoadSettingsTempFile(const std::string& /*path*/) {}
  // Opens the serial port when needed and dials the number.
  virtual void DialNumber(const std::string& /*number*/) {}
  // Hands a function-key document to the function-key editor.
  virtual void LoadFunctionKeyDocument(const std::string& /*path*/) {}
};

}  // namespace korvane
