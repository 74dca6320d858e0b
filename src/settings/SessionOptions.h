#pragma once
// The settings record of one session: every value a settings file holds, one
// member per line, named as the program names the variable. Reserved lines have
// no member. Values start at 0 or empty; the defaults are applied by the settings
// code, not here, so that a record read from a file is never mixed with defaults.
//
// Lines whose variable the rest of the program knows under another name use that
// name: line 52 (cursor shape) is `BlockCursor`, line 74 (scroll-back on) is
// `ScrollBackOn`. The table of lines, their kinds and defaults is in
// SettingsTable.cpp.

#include <array>
#include <cstdint>
#include <string>

namespace korvane {

struct SessionOptions {
  // Function-key part: indexes from 1, entry 0 unused.
  std::array<std::string, 33> FkeyStrings;      // 1-32: key strings in brace notation
  std::array<std::string, 17> FkeyTitles;       // 33-48: labels of the first bar row
  std::array<std::string, 17> ShiftFkeyTitles;  // 49-64: labels of the shifted row

  // Settings part, in file order.
  int32_t BaudRate = 0;            // 1: serial baud rate (300 ... 230400)
  int16_t Parity = 0;              // 2: serial parity code: 0 = "N" none, 1 = "O" odd, 2 = "E" even
  int16_t DataBits = 0;            // 3: serial data-bits code: 0 = "7", 1 = "8", 2 = "5", 3 = "6"
  int16_t EmuPrism = 0;            // 4: emulation flag Prism
  int16_t XonXoffOn = 0;           // 5: Xon/Xoff flow control on
  int16_t EmuVt100 = 0;            // 6: emulation flag VT100 (also set for VT220)
  int16_t EmuViewpoint = 0;        // 7: emulation flag ADDS Viewpoint
  std::string FontSizeName;        // 8: screen font size choice by name
  int16_t CopyBufferMode = 0;      // 9: copy-buffer mode 1 or 2
  int16_t PrismSevenBit = 0;       // 10: a Prism session strips the eighth bit of received characters
  int16_t AutoWrapOn = 0;          // 12: auto-wrap at the right margin (its saved value while plain-text mode is on)
  int16_t FontSizeMode = 0;        // 13: font/size selector used by repaint and cell metrics
  int16_t EmulationCode = 0;       // 15: emulation code
  std::string DialMode;            // 16: modem dial letter after "ATD": "T" tone, "P" pulse
  int16_t StatusOption17 = 0;      // 17: option read by the status window, dialogs and the font menu
  int16_t LineDelay = 0;           // 18: delay in ticks (1/60 s) of the send-text-to-host loop
  int16_t ClipboardLineDelay = 0;  // 19: delay in ticks of the send-text-to-host loop
  int16_t ClipboardCharDelay = 0;  // 20: delay in ticks of the send-text-to-host loop
  int16_t CapsMode = 0;            // 21: keys sent upper-case
  int16_t EmuWyse50 = 0;           // 22: Wyse family: 0 off, 1 Wyse 50, 2 Wyse 60
  int16_t EmuWyse60 = 0;           // (22) emulation flag Wyse 60: no line of its own, saved as 2 in line 22
  int16_t FkeySetType = 0;         // 23: function-key set type
  int16_t NationalCharsOff = 0;    // 24: national-character replacement switch
  int16_t PlainFaceSwitch = 0;     // 25: text-face reset switch
  int16_t ModemDtrOption = 0;      // 26: modem option: the init string gets "&D1" or "&D"
  int16_t ColumnOption27 = 0;      // 27: screen-width group, member 1 (one of lines 27-30 and 35 is 1)
  int16_t ColumnOption28 = 0;      // 28: screen-width group, member 2
  int16_t ColumnOption29 = 0;      // 29: screen-width group, member 3
  int16_t ColumnOption30 = 0;      // 30: screen-width group, member 4
  int16_t ColumnOption31 = 0;      // 31: screen-width option tied to line 32
  int16_t BreakOption32 = 0;       // 32: option read by the break sender and the function-key sender
  int16_t FkeyBarShown = 0;        // 33: function-key bar shown
  int16_t MouseOption = 0;         // 34: mouse option
  int16_t HostFeatureOption = 0;   // 35: screen-width group, member 5
  std::string StopBits;            // 36: serial stop bits as text
  int16_t PrinterOption37 = 0;     // 37: printer option
  std::string PrintPageHeader;     // 38: text used by printing; "PAGE" when empty, "x$%&" stands for empty
  int16_t EchoPacedSend = 0;       // 39: transfer option (never negative)
  int16_t FontSize = 0;            // 40: screen font size in points
  int16_t ClipboardOption41 = 0;   // 41: clipboard option (1 = checked in the Recorder menu)
  int16_t AltBreak = 0;            // 42: "AltBreak" or empty: the AltBreak variant of the break key is on
  std::string BreakString;         // 43: text of the break settings; written empty when neither break variant is on
  int16_t HostCharacterSet = 0;    // 44: national character set of the host (4-13, 17, 18)
  int16_t ProtectShownAs = 0;      // 45: option read by dialogs and the escape dispatcher
  std::string ModemInitString;     // 46: modem initialisation string
  int16_t UseCameraSound = 0;      // 47: "UseCameraSound" / "NoSound": camera sound on screen snapshots
  std::string CaptureCreator;      // 48: four-character creator code of the capture-file application; "ttxt" when empty
  int16_t LineEnd = 0;             // 49: "LF" / "CR": which host character ends a captured line (kLineEnd...)
  int16_t DialerOption50 = 0;      // 50: dialer option
  int8_t TabAsRecordSeparator = 0;   // 51: transfer option (never negative)
  int16_t BlockCursor = 0;           // 52: "Block" / "Under": text-cursor shape
  int16_t EmulateOption53 = 0;       // 53: Emulate-menu option
  int16_t ProgramFontOption = 0;     // 54: use of the program's own screen/printer font
  int16_t ConnectionPort = 0;        // 55: serial port number (0 none)
  int16_t UseClip = 0;               // 56: "UseClip" or empty: clipboard capture on
  int16_t RememberWnd = 0;           // 57: "RememberWnd" / "DontRememberWnd": remember window position and size
  int16_t TextSizeValue = 0;         // 58: text size in points at the time of writing (not applied on reading)
  int16_t ClearAddressesOption = 0;  // 59: option
  std::string ModemString61;         // 61: modem-related text of the dialer
  int16_t ModemInitChoice = 0;       // 62: index of the chosen modem init string
  int16_t Option63 = 0;              // 63: option
  int16_t PrinterFontSize = 0;       // 64: printer font size
  int16_t PrinterFontChoice = 0;     // 65: printer font choice
  std::string DialogValue66;         // 66: one-character text with a numeric twin; "." when empty or a single space
  int16_t HiddenAttributes = 0;      // 67: Wyse 370 hidden / non-hidden attribute mode
  int16_t Option68 = 0;              // 68: option
  int16_t PrinterOption69 = 0;       // 69: printing option
  int16_t ScreenRowsSetting = 0;     // 70: screen rows
  int16_t Option71 = 0;              // 71: option
  int16_t PrintOption72 = 0;         // 72: print screen / print text file option
  int16_t UsePageUpDown = 0;         // 73: "UsePageUpDown" / "DontUsePageUpDown"
  int16_t ScrollBackOn = 0;          // 74: "PreviousPageOn" / "PreviousPageOff": scroll-back on
  int16_t WindowOption75 = 0;        // 75: window/title option
  int16_t AutoConnect =
      0;  // 76: open the connection (or dial) as soon as a session starts; item 15 of the Connection menu
  int16_t IgnoreHostPrint = 0;         // 77: when non-zero, the host's requests to print are ignored or refused
  int16_t ReverseColour = 0;           // 78: colour index of reverse cells
  int16_t Mode2Colour = 0;             // 79: colour index of mode-2 cells
  int16_t BoldColour = 0;              // 80: colour index of bold cells
  int16_t UnderlineColour = 0;         // 81: colour index of underlined cells
  int16_t CurrentForeColour = 0;       // 82: foreground colour index
  int16_t BackgroundColour = 0;        // 83: background colour index
  int16_t ColourModeA = 0;             // 84: colour mode flag A
  int16_t AltBreakC = 0;               // 85: "AltBreakC" or empty: the AltBreakC variant of the break key is on
  std::string ConnectionString86;      // 86: text of the Open Connection dialog
  int16_t CloseHold = 0;               // 87: while 1, a close not asked for by a command is only recorded
  std::string ConnectionString88;      // 88: text field of the Open Connection dialog
  std::string ConnectionString89;      // 89: text field of the Open Connection dialog
  int16_t SkipReverseBlankOption = 0;  // 90: option
  int16_t SelectionOption = 0;         // 91: selection-frame / clipboard option
  int16_t SavedWindowLeft = 0;         // 92: remembered session-window left edge (writing step 8)
  int16_t SavedWindowTop = 0;          // 93: remembered session-window top edge, less the 37-pixel title bar
  int16_t CollectAddLf = 0;            // 94: each collected CR is followed by LF
  int16_t PrinterOption95 = 0;         // 95: printer option
  int16_t AltGraphicsSet = 0;          // 97: line-graphics mode also maps "3" ... "^" to drawing glyphs
  int16_t Option99 = 0;                // 99: option
  int16_t SendAbortOption = 0;         // 100: "send abort" option
  int16_t PrinterOption101 = 0;        // 101: printer option
  int16_t EmuTvi925 = 0;               // 102: emulation flag TeleVideo 925 (written 0 when Wyse 370 is on)
  int16_t EmuWyse370 = 0;              // 103: emulation flag Wyse 370
  int16_t AltEditKeys = 0;             // 104: alternate editing-key option (also selects the Control-key arrow strings)
  int16_t StatusWindowShown = 0;       // 105: status window shown
  int16_t Option106 = 0;               // 106: option
  int16_t Option107 = 0;               // 107: option
  int16_t Option108 = 0;               // 108: option
  int16_t EditKeysOn = 0;              // 109: the editing keys send their ESC sequences (EditKeyStrings)
  int8_t ConfirmClose = 0;             // 110: confirm before closing a connection
  int16_t SerialPortCount = 0;         // 111: number of serial ports present when the file was written (as read)
  std::string SerialPortList;          // 112: names of those ports, each followed by ",", at most 12 names
  int8_t UsesPty = 0;                  // 113: session uses a pseudo-terminal child
  int8_t LocalShellSession = 0;        // 114: connection kind: local shell
  int8_t TelnetSession = 0;            // 115: connection kind: Telnet
  int8_t SshSession = 0;               // 116: connection kind: Secure Shell
  std::string TelnetHost;              // 117: Telnet host address
  std::string TelnetPort;              // 118: Telnet port
  std::string TelnetTerminalType;      // 119: terminal type for Telnet
  int8_t ShellRunsLogin = 0;           // 120: local shell runs "/usr/bin/login"
  int8_t ShellRunsTcsh = 0;            // 121: local shell runs "/bin/tcsh"
  int8_t ShellRunsProgram = 0;         // 122: local shell runs the program of line 123
  std::string ShellProgram;            // 123: program for the local shell
  std::string SshHost;                 // 124: Secure Shell host name
  std::string SshUser;                 // 125: Secure Shell user name
  std::string SshTerminalType;         // 126: terminal type for Secure Shell
  std::string SshPort;                 // 127: Secure Shell port; "22" when empty
  std::string SshExtraOptions;         // 128: further Secure Shell options
  int16_t EmuVt220 = 0;                // 129: emulation flag VT220
  int16_t DecMultinational = 0;        // 130: DEC Multinational characters
  int8_t MouseReports = 0;             // 131: mouse clicks reported to the host
  int8_t Option132 = 0;                // 132: option that governs the colour set-up after reading
  int8_t DiscardLoginOutput133 = 0;    // 133: Telnet/Secure Shell start-up option
  int8_t DiscardLoginOutput134 = 0;    // 134: the same for the local shell
  int16_t WindowOpacity = 0;           // 135: window opacity in percent; 97 when 0
  int16_t ExtendedAnsiMode = 0;        // 136: extended ANSI mode of the Emulate menu
  int16_t ColourModeB = 0;             // 137: colour mode flag B
  int8_t FontOption138 = 0;            // 138: font-size menu flag
  int8_t FontOption139 = 0;            // 139: font-size menu flag
  int8_t AutoAnsiColours = 0;          // 140: an SGR colour turns the ANSI colour mode on
  int8_t Option141 = 0;                // 141: option
  std::string TelnetOptions;           // 142: Telnet options text
  std::string PrinterFontName;         // 143: printer font name
  int16_t Option144 = 0;               // 144: option
  int16_t ForceKeypadApplication = 0;  // 145: keypad forced to application mode
  int8_t TelnetViaShell = 0;           // 146: Telnet started through the shell
  int16_t ScoAnsiMode = 0;             // 147: SCO ANSI mode of the Emulate menu
  int16_t KeepAlive = 0;               // 148: keep-alive setting
  int16_t ReturnKeyCode = 0;           // 150: character code of the Return key; 13 when 0
  int8_t VtOption151 = 0;              // 151: option
  int16_t SavedWindowWidth = 0;        // 152: remembered session-window content width
  int16_t SavedWindowHeight = 0;       // 153: remembered session-window content height less 14
  int8_t KermitMode = 0;               // 154: Kermit transfers enabled
  int8_t NoEchoWait = 0;               // 155: transfer option
  int8_t KeypadOption = 0;             // 156: keypad option
  int16_t SendLineAddsLf = 0;          // 157: transfer option
  int16_t DownloadNoPrompt = 0;        // 158: download option
  int8_t PtyOption159 = 0;             // 159: pseudo-terminal option
  int8_t PtyOption160 = 0;             // 160: pseudo-terminal option
  int8_t PtyOption161 = 0;             // 161: pseudo-terminal option
  std::string UpArrowString;           // 162: string sent for Up arrow
  std::string DownArrowString;         // 163: string sent for Down arrow
  std::string LeftArrowString;         // 164: string sent for Left arrow
  std::string RightArrowString;        // 165: string sent for Right arrow
  std::string UpArrowString2;          // 166: Up arrow, cursor-key application mode
  std::string DownArrowString2;        // 167: Down arrow, application mode
  std::string LeftArrowString2;        // 168: Left arrow, application mode
  std::string RightArrowString2;       // 169: Right arrow, application mode
  int8_t KermitRefuseTelopts = 0;      // 170: Kermit option
  std::string String171;               // 171: text
  int16_t SerialRequiredOption = 0;    // 172: option 1 or 2 (items 4 and 5 of its submenu)
  int8_t LargeFontChoice = 0;          // 173: large font size choice (cleared when line 40 is above 15)
  int8_t KermitFlushOutput = 0;        // 174: Kermit option
  int8_t ReverseUnderlineOff = 0;      // 175: option
  int16_t PclPassThrough = 0;          // 176: printer option
  int8_t Option177 = 0;                // 177: option

  // Line 49 holds one of two exclusive choices.
  static constexpr int16_t kLineEndNone = 0, kLineEndLf = 1, kLineEndCr = 2;
  bool LineEndLf() const { return LineEnd == kLineEndLf; }
  bool LineEndCr() const { return LineEnd == kLineEndCr; }

  bool operator==(const SessionOptions&) const = default;
};

}  // namespace korvane
