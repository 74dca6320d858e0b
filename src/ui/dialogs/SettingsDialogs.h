#pragma once
// The program's settings windows: each is opened and filled from the active
// session's settings record, keeps working copies while it is open, checks
// what the user confirms and writes the accepted values back to the record.
// A refused value is named in an alert; the window stays open and the record
// is left as it was.
//
// `DoDialog` is served every control hit of a numbered window (the main
// loop's dialog handler): the session window's own controls first, then the
// dialog windows by number.

#include <array>
#include <cstdint>
#include <string>

#include "platform/Alerts.h"
#include "platform/Clock.h"
#include "platform/Controls.h"
#include "platform/FileDialogs.h"
#include "platform/Files.h"
#include "platform/Menus.h"
#include "platform/Windows.h"
#include "settings/RequiredFile.h"
#include "settings/SessionOptions.h"
#include "platform/NumberedWindows.h"
#include "platform/StringTable.h"
#include "ui/dialogs/DialogHost.h"
#include "ui/dialogs/DialogNumbers.h"

namespace korvane::ui {

struct DialogServices {
  platform::Windows& windows;
  platform::NumberedWindows& numbered;
  platform::Alerts& alerts;  // localises its texts (the program's platform::AlertRoutines)
  platform::Menus& menus;
  platform::Files& files;
  platform::FileDialogs& fileDialogs;
  platform::Clock& clock;
  const platform::StringTable& strings;  // texts the windows show, in the user's language
  DialogHost& host;
  // Reports a file the windows need that could not be read, and lets the
  // user look for it; none: the failure is reported in a stop alert.
  RequiredFileHost* requiredFiles = nullptr;
};

class SettingsDialogs {
 public:
  explicit SettingsDialogs(DialogServices services) : s_(services) {}

  // ---- Opening -------------------------------------------------------------------
  // Each opens its window (or brings it forward) and fills it from the record.
  // The windows the preferences lock refuses (15, 16, 17, 18, 24, 25, 36)
  // stay shut while it holds; the Window menu's Colors item is refused by
  // the menu, the Colors submenu's is not.
  void OpenAboutBox();                                // 5
  void OpenFkeySelection(SessionOptions& Opt);        // 9 (Emulate menu)
  void OpenColours(SessionOptions& Opt);              // 13 (Colors submenu, Window menu)
  void OpenTelnetOptions(SessionOptions& Opt);        // 15 (Connection menu)
  void OpenShellOptions(SessionOptions& Opt);         // 16
  void OpenSshOptions(SessionOptions& Opt);           // 17
  void OpenPreferences(SessionOptions& Opt);          // 18 (application menu)
  void OpenTransparency(SessionOptions& Opt);         // 20 (Window menu)
  void OpenKeepAlive(SessionOptions& Opt);            // 24 (Host Control menu)
  void OpenModemInitialization(SessionOptions& Opt);  // 25 (Dialer menu)
  // 26: the number of the QuickDial file of the settings folder.
  void OpenQuickDial();
  // 27: the function-key editor for key `key` (above 32 edits key 32).
  void ConnectionDialogA(SessionOptions& Opt, int key);
  // 28: the login-script editor, "Open Connection" or "Close Connection".
  void OpenConnectionDialog(SessionOptions& Opt, const std::string& scriptName);
  void RefreshDialogControl(SessionOptions& Opt);    // 29
  void OpenInternational(SessionOptions& Opt);       // 30 (Emulate menu)
  void OpenFkeyOptions(SessionOptions& Opt);         // 31 (Emulate menu)
  void OpenCaptureApplication(SessionOptions& Opt);  // 32 (Recorder menu)
  // 33: the number of a QuickDial service file, written back to `path`.
  void OpenPhoneNumber(const std::string& path, const std::string& number);
  void SettingsDialogB(SessionOptions& Opt);    // 34 (Screen menu)
  void SettingsDialogA(SessionOptions& Opt);    // 35
  void SettingsDialogC(SessionOptions& Opt);    // 36
  void SettingsDialogD(SessionOptions& Opt);    // 37
  void PrinterFontDialog(SessionOptions& Opt);  // 38 (File menu)
  void DialogE(SessionOptions& Opt);            // 39 (Colors submenu)
  void DialogF(SessionOptions& Opt);            // 40 (Connection menu)
  // 41: the transfer the host asked for, with the session's last choices.
  void OpenHostTransfer(const HostTransferChoice& choice);
  // 42: a capture file the host named.
  void OpenHostNamedFile(const std::string& hostPath);
  // 43: the emulation just chosen, shown for a second and a half.
  void TellEmulation(SessionOptions& Opt, const std::string& emulationName);
  void OpenArrowKeys(SessionOptions& Opt);  // 44 (Emulate menu)
  void OpenSshUserName();                   // 46 (idle pass)

  // ---- Events --------------------------------------------------------------------
  // A control hit in window `window`. False when the window or control is
  // none the dialogs act on.
  bool DoDialog(int window, int control, SessionOptions& Opt);
  // The user closed dialog window `window` with its close box: it is what
  // its Cancel button does (what the window changed at once is put back, a
  // host waiting for an answer gets one). False for a window without one.
  bool CloseBox(int window, SessionOptions& Opt);
  // Closes the emulation notice once its time is up; the idle pass calls it.
  void IdlePass();
  // A notice that closes itself is up (IdlePass closes it on time).
  bool NoticeUp() const { return tellCloseTick_ != 0; }
  // Loads a function-key document (32 key strings, 16 labels, 16 shifted
  // labels) into the record; a file that cannot be read or is no such
  // document is reported and changes nothing.
  // `required`: a file the program carries, which the user may look for
  // when it is missing.
  bool LoadFunctionKeyDocument(const std::string& path, SessionOptions& Opt, bool required = false);

  // The key being edited (EditedKey) and the key-copy buffer of the editor.
  int EditedKey() const { return editedKey_; }

 private:
  platform::Controls* Open(int window);
  platform::Controls* Controls(int window) { return s_.windows.WindowControls(window); }
  void Close(int window);
  void Help(const std::string& english, const std::string& french);
  int Stop(const std::string& a, const std::string& b = {}, const std::string& c = {}, const std::string& d = {});
  int Note(const std::string& a, const std::string& b = {}, const std::string& c = {}, const std::string& d = {});

  bool SessionWindowEvent(int control);
  bool AboutBox(int control);
  bool FkeySelection(int control, SessionOptions& Opt);
  bool Colours(int control, SessionOptions& Opt);
  void ConfirmColours(SessionOptions& Opt);
  void ApplyColourPreset(int control);
  bool TelnetOptions(int control, SessionOptions& Opt);
  bool ShellOptions(int control, SessionOptions& Opt);
  bool SshOptions(int control, SessionOptions& Opt);
  bool Preferences(int control, SessionOptions& Opt);
  void ConfirmPreferences(SessionOptions& Opt);
  bool Transparency(int control, SessionOptions& Opt);
  bool KeepAlive(int control, SessionOptions& Opt);
  bool ModemInitialization(int control, SessionOptions& Opt);
  bool QuickDial(int control);
  bool FkeyEditor(int control, SessionOptions& Opt);
  bool ScriptEditor(int control, SessionOptions& Opt);
  bool InsertEditorToken(int window, int control);
  bool MouseDelimiter(int control, SessionOptions& Opt);
  bool International(int control, SessionOptions& Opt);
  bool FkeyOptions(int control, SessionOptions& Opt);
  void ConfirmFkeyOptions(SessionOptions& Opt);
  void SaveFunctionKeyFile(SessionOptions& Opt);
  bool CaptureApplication(int control, SessionOptions& Opt);
  bool PhoneNumber(int control);
  bool SendDelays(int control, SessionOptions& Opt);
  void ShowSendDelays(int16_t echoPaced);
  bool PasteDelay(int control, SessionOptions& Opt);
  bool BreakSignal(int control, SessionOptions& Opt);
  bool ScrollbackOptions(int control, SessionOptions& Opt);
  bool PrinterOptions(int control, SessionOptions& Opt);
  bool VideoAttributes(int control, SessionOptions& Opt);
  void ShowVideoAttributes(const SessionOptions& Opt);
  bool LoginScripts(int control, SessionOptions& Opt);
  bool HostTransfer(int control, SessionOptions& Opt);
  bool HostNamedFile(int control);
  bool ArrowKeys(int control, SessionOptions& Opt);
  bool SshUserName(int control);

  // Reads a whole number from field `field` of `window`; false, with an
  // alert naming the field's range, when it holds something else.
  bool ReadNumberField(int window, int field, int minimum, int maximum, const std::string& what, int& value);
  // A key string the user typed; false, with an alert, when it is longer
  // than a key string may be.
  bool CheckKeyString(const std::string& text);
  void SetRadioGroup(int window, std::initializer_list<int> group, int chosen);

  DialogServices s_;

  // Colors (13)
  std::array<int16_t, 7> colourWork_{};  // 1..6: reverse, dim, bold, underline, text, background
  int16_t ansiColoursWork_ = 0, opacityWork_ = 0;
  // Transparency (20)
  int16_t opacityKept_ = 0;
  // Modem Initialization (25)
  std::string modemString61Work_;
  // Function-key editor (27) and login-script editor (28)
  int editedKey_ = 1;
  std::string editedScriptName_;
  std::string keyCopyString_, keyCopyLabel_;
  bool keyCopied_ = false;
  // Mouse Click Delimiter (29)
  std::string delimiterKept_;
  // International (30)
  int16_t characterSetWork_ = 14, altGraphicsWork_ = 0, decMultinationalWork_ = 0, programFontWork_ = 0;
  // Capture application (32)
  std::string creatorWork_;
  // Enter Phone Number (33)
  std::string phoneNumberPath_;
  // MacToHost delay (34)
  int16_t echoPacedWork_ = 0, addsLfWork_ = 0;
  int8_t tabAsRsWork_ = 0, noEchoWaitWork_ = 0;
  // Previous Page Options (37)
  int16_t scrollbackWork_ = 0, pageUpDownWork_ = 0, option107Work_ = 0;
  // Printer Options (38)
  int16_t printerSizeWork_ = 12;
  int fontChoiceWork_ = 24;  // the radio button of the font
  // Video Attributes (39)
  int16_t protectKept_ = 0, status17Kept_ = 0, blockCursorKept_ = 0;
  int16_t clearAddressesWork_ = 0, hiddenWork_ = 0, skipReverseBlankWork_ = 0, option106Work_ = 0;
  int8_t reverseUnderlineOffWork_ = 0;
  // Login Scripts (40)
  int16_t closeHoldWork_ = 0;
  // Tell DLOG (43): the tick at which it closes, 0 when not shown.
  int64_t tellCloseTick_ = 0;
};

}  // namespace korvane::ui
