#include "settings/SettingsTable.h"

#include "settings/SettingsText.h"

namespace korvane {

namespace {

constexpr bool kNone = false;

template <typename T>
constexpr SettingsLineDef Line(int line, std::string_view name, LineKind kind, T SessionOptions::*member,
                               bool hasDefault, int32_t number, std::string_view text) {
  return {static_cast<int16_t>(line), name, kind, SettingsMember{member}, hasDefault, number, text};
}

// A number default of kNone means the line has none; any other value is the default.
struct NumberDefault {
  bool has;
  int32_t value;
  constexpr NumberDefault(bool) : has(false), value(0) {}
  constexpr NumberDefault(int v) : has(true), value(v) {}
};

template <typename T>
constexpr SettingsLineDef NumberLineDef(int line, std::string_view name, LineKind kind, T SessionOptions::*member,
                                        NumberDefault d) {
  return Line(line, name, kind, member, d.has, d.value, {});
}

constexpr SettingsLineDef ReservedLine(int line) {
  return {static_cast<int16_t>(line), "Reserved", LineKind::Reserved, SettingsMember{}, false, 0, {}};
}

#define LINE_NUMBER(line, member, def) \
  NumberLineDef(line, #member, LineKind::Number, &SessionOptions::member, NumberDefault(def))
#define LINE_KEYWORD(line, member, def) \
  NumberLineDef(line, #member, LineKind::Keyword, &SessionOptions::member, NumberDefault(def))
#define LINE_TEXT(line, member) Line(line, #member, LineKind::Text, &SessionOptions::member, false, 0, {})
#define LINE_TEXT_DEFAULT(line, member, text) \
  Line(line, #member, LineKind::Text, &SessionOptions::member, true, 0, text)
#define LINE_KEY_STRING(line, member) Line(line, #member, LineKind::KeyString, &SessionOptions::member, false, 0, {})
#define LINE_RESERVED(line) ReservedLine(line)

}  // namespace

// A number line is as wide as its member's type. "kNone": the built-in defaults
// leave the value alone. Line 52 is the cursor shape (`BlockCursor`, 1 block)
// and line 74 the scroll-back switch (`ScrollBackOn`).
constexpr std::array<SettingsLineDef, kSettingsLineCount> kSettingsLineTable = {
    {LINE_NUMBER(1, BaudRate, kNone),
     LINE_KEYWORD(2, Parity, kNone),
     LINE_KEYWORD(3, DataBits, 1),
     LINE_NUMBER(4, EmuPrism, 0),
     LINE_NUMBER(5, XonXoffOn, 0),
     LINE_NUMBER(6, EmuVt100, 1),
     LINE_NUMBER(7, EmuViewpoint, 0),
     LINE_TEXT_DEFAULT(8, FontSizeName, "standard"),
     LINE_NUMBER(9, CopyBufferMode, kNone),
     LINE_NUMBER(10, PrismSevenBit, kNone),
     LINE_RESERVED(11),
     LINE_NUMBER(12, AutoWrapOn, 1),
     LINE_NUMBER(13, FontSizeMode, kNone),
     LINE_RESERVED(14),
     LINE_NUMBER(15, EmulationCode, 1),
     LINE_TEXT_DEFAULT(16, DialMode, "T"),
     LINE_NUMBER(17, StatusOption17, kNone),
     LINE_NUMBER(18, LineDelay, kNone),
     LINE_NUMBER(19, ClipboardLineDelay, 1),
     LINE_NUMBER(20, ClipboardCharDelay, 4),
     LINE_NUMBER(21, CapsMode, kNone),
     LINE_NUMBER(22, EmuWyse50, 0),
     LINE_NUMBER(23, FkeySetType, 1),
     LINE_NUMBER(24, NationalCharsOff, kNone),
     LINE_NUMBER(25, PlainFaceSwitch, 1),
     LINE_NUMBER(26, ModemDtrOption, 1),
     LINE_NUMBER(27, ColumnOption27, 1),
     LINE_NUMBER(28, ColumnOption28, kNone),
     LINE_NUMBER(29, ColumnOption29, kNone),
     LINE_NUMBER(30, ColumnOption30, kNone),
     LINE_NUMBER(31, ColumnOption31, kNone),
     LINE_NUMBER(32, BreakOption32, kNone),
     LINE_NUMBER(33, FkeyBarShown, kNone),
     LINE_NUMBER(34, MouseOption, 1),
     LINE_NUMBER(35, HostFeatureOption, 1),
     LINE_TEXT_DEFAULT(36, StopBits, "1"),
     LINE_NUMBER(37, PrinterOption37, 1),
     LINE_TEXT(38, PrintPageHeader),
     LINE_NUMBER(39, EchoPacedSend, 1),
     LINE_NUMBER(40, FontSize, 18),
     LINE_NUMBER(41, ClipboardOption41, kNone),
     LINE_KEYWORD(42, AltBreak, kNone),
     LINE_TEXT(43, BreakString),
     LINE_NUMBER(44, HostCharacterSet, kNone),
     LINE_NUMBER(45, ProtectShownAs, 2),
     LINE_TEXT_DEFAULT(46, ModemInitString, "AT&F%C1"),
     LINE_KEYWORD(47, UseCameraSound, 1),
     LINE_TEXT(48, CaptureCreator),
     LINE_KEYWORD(49, LineEnd, kNone),
     LINE_NUMBER(50, DialerOption50, kNone),
     LINE_NUMBER(51, TabAsRecordSeparator, 0),
     LINE_KEYWORD(52, BlockCursor, kNone),
     LINE_NUMBER(53, EmulateOption53, kNone),
     LINE_NUMBER(54, ProgramFontOption, 1),
     LINE_NUMBER(55, ConnectionPort, kNone),
     LINE_KEYWORD(56, UseClip, kNone),
     LINE_KEYWORD(57, RememberWnd, kNone),
     LINE_NUMBER(58, TextSizeValue, 18),
     LINE_NUMBER(59, ClearAddressesOption, kNone),
     LINE_RESERVED(60),
     LINE_TEXT(61, ModemString61),
     LINE_NUMBER(62, ModemInitChoice, kNone),
     LINE_NUMBER(63, Option63, kNone),
     LINE_NUMBER(64, PrinterFontSize, 12),
     LINE_NUMBER(65, PrinterFontChoice, kNone),
     LINE_TEXT(66, DialogValue66),
     LINE_NUMBER(67, HiddenAttributes, 1),
     LINE_NUMBER(68, Option68, kNone),
     LINE_NUMBER(69, PrinterOption69, kNone),
     LINE_NUMBER(70, ScreenRowsSetting, kNone),
     LINE_NUMBER(71, Option71, kNone),
     LINE_NUMBER(72, PrintOption72, kNone),
     LINE_KEYWORD(73, UsePageUpDown, 0),
     LINE_KEYWORD(74, ScrollBackOn, kNone),
     LINE_NUMBER(75, WindowOption75, kNone),
     LINE_NUMBER(76, AutoConnect, 0),
     LINE_NUMBER(77, IgnoreHostPrint, 1),
     LINE_NUMBER(78, ReverseColour, 12),
     LINE_NUMBER(79, Mode2Colour, 3),
     LINE_NUMBER(80, BoldColour, 2),
     LINE_NUMBER(81, UnderlineColour, 8),
     LINE_NUMBER(82, CurrentForeColour, 17),
     LINE_NUMBER(83, BackgroundColour, 18),
     LINE_NUMBER(84, ColourModeA, 0),
     LINE_KEYWORD(85, AltBreakC, kNone),
     LINE_TEXT(86, ConnectionString86),
     LINE_NUMBER(87, CloseHold, kNone),
     LINE_TEXT(88, ConnectionString88),
     LINE_TEXT(89, ConnectionString89),
     LINE_NUMBER(90, SkipReverseBlankOption, kNone),
     LINE_NUMBER(91, SelectionOption, 1),
     LINE_NUMBER(92, SavedWindowLeft, kNone),
     LINE_NUMBER(93, SavedWindowTop, kNone),
     LINE_NUMBER(94, CollectAddLf, kNone),
     LINE_NUMBER(95, PrinterOption95, kNone),
     LINE_RESERVED(96),
     LINE_NUMBER(97, AltGraphicsSet, kNone),
     LINE_RESERVED(98),
     LINE_NUMBER(99, Option99, kNone),
     LINE_NUMBER(100, SendAbortOption, kNone),
     LINE_NUMBER(101, PrinterOption101, 1),
     LINE_NUMBER(102, EmuTvi925, kNone),
     LINE_NUMBER(103, EmuWyse370, 0),
     LINE_NUMBER(104, AltEditKeys, kNone),
     LINE_NUMBER(105, StatusWindowShown, 1),
     LINE_NUMBER(106, Option106, kNone),
     LINE_NUMBER(107, Option107, kNone),
     LINE_NUMBER(108, Option108, kNone),
     LINE_NUMBER(109, EditKeysOn, kNone),
     LINE_NUMBER(110, ConfirmClose, kNone),
     LINE_NUMBER(111, SerialPortCount, kNone),
     LINE_TEXT(112, SerialPortList),
     LINE_NUMBER(113, UsesPty, 1),
     LINE_NUMBER(114, LocalShellSession, 0),
     LINE_NUMBER(115, TelnetSession, 1),
     LINE_NUMBER(116, SshSession, 0),
     LINE_TEXT_DEFAULT(117, TelnetHost, ""),
     LINE_TEXT(118, TelnetPort),
     LINE_TEXT_DEFAULT(119, TelnetTerminalType, ""),
     LINE_NUMBER(120, ShellRunsLogin, kNone),
     LINE_NUMBER(121, ShellRunsTcsh, kNone),
     LINE_NUMBER(122, ShellRunsProgram, kNone),
     LINE_TEXT_DEFAULT(123, ShellProgram, "/bin/tcsh"),
     LINE_TEXT(124, SshHost),
     LINE_TEXT(125, SshUser),
     LINE_TEXT(126, SshTerminalType),
     LINE_TEXT(127, SshPort),
     LINE_TEXT(128, SshExtraOptions),
     LINE_NUMBER(129, EmuVt220, kNone),
     LINE_NUMBER(130, DecMultinational, kNone),
     LINE_NUMBER(131, MouseReports, kNone),
     LINE_NUMBER(132, Option132, 1),
     LINE_NUMBER(133, DiscardLoginOutput133, kNone),
     LINE_NUMBER(134, DiscardLoginOutput134, kNone),
     LINE_NUMBER(135, WindowOpacity, 90),
     LINE_NUMBER(136, ExtendedAnsiMode, kNone),
     LINE_NUMBER(137, ColourModeB, 0),
     LINE_NUMBER(138, FontOption138, 1),
     LINE_NUMBER(139, FontOption139, kNone),
     LINE_NUMBER(140, AutoAnsiColours, 1),
     LINE_NUMBER(141, Option141, kNone),
     LINE_TEXT(142, TelnetOptions),
     LINE_TEXT_DEFAULT(143, PrinterFontName, "KorvanePrinterFont"),
     LINE_NUMBER(144, Option144, kNone),
     LINE_NUMBER(145, ForceKeypadApplication, kNone),
     LINE_NUMBER(146, TelnetViaShell, 1),
     LINE_NUMBER(147, ScoAnsiMode, 0),
     LINE_NUMBER(148, KeepAlive, kNone),
     LINE_RESERVED(149),
     LINE_NUMBER(150, ReturnKeyCode, 13),
     LINE_NUMBER(151, VtOption151, 1),
     LINE_NUMBER(152, SavedWindowWidth, kNone),
     LINE_NUMBER(153, SavedWindowHeight, kNone),
     LINE_NUMBER(154, KermitMode, kNone),
     LINE_NUMBER(155, NoEchoWait, kNone),
     LINE_NUMBER(156, KeypadOption, kNone),
     LINE_NUMBER(157, SendLineAddsLf, kNone),
     LINE_NUMBER(158, DownloadNoPrompt, 0),
     LINE_NUMBER(159, PtyOption159, 0),
     LINE_NUMBER(160, PtyOption160, 0),
     LINE_NUMBER(161, PtyOption161, 0),
     LINE_KEY_STRING(162, UpArrowString),
     LINE_KEY_STRING(163, DownArrowString),
     LINE_KEY_STRING(164, LeftArrowString),
     LINE_KEY_STRING(165, RightArrowString),
     LINE_KEY_STRING(166, UpArrowString2),
     LINE_KEY_STRING(167, DownArrowString2),
     LINE_KEY_STRING(168, LeftArrowString2),
     LINE_KEY_STRING(169, RightArrowString2),
     LINE_NUMBER(170, KermitRefuseTelopts, kNone),
     LINE_TEXT(171, String171),
     LINE_NUMBER(172, SerialRequiredOption, 1),
     LINE_NUMBER(173, LargeFontChoice, kNone),
     LINE_NUMBER(174, KermitFlushOutput, 0),
     LINE_NUMBER(175, ReverseUnderlineOff, kNone),
     LINE_NUMBER(176, PclPassThrough, kNone),
     LINE_NUMBER(177, Option177, kNone)}};

#undef LINE_NUMBER
#undef LINE_KEYWORD
#undef LINE_TEXT
#undef LINE_TEXT_DEFAULT
#undef LINE_KEY_STRING
#undef LINE_RESERVED

namespace {

constexpr bool LinesInOrder() {
  for (int i = 0; i < kSettingsLineCount; ++i)
    if (kSettingsLineTable[i].line != i + 1) return false;
  return true;
}
static_assert(LinesInOrder(), "the settings lines must be listed 1..177 without a gap");

// A keyword line is a flag or a code: a 16-bit member.
constexpr bool KeywordsAre16Bit() {
  for (const auto& d : kSettingsLineTable)
    if (d.kind == LineKind::Keyword && !std::holds_alternative<int16_t SessionOptions::*>(d.member)) return false;
  return true;
}
static_assert(KeywordsAre16Bit());

// clang cannot compare member pointers in a constant expression; the GCC
// build (the one the tests run) checks this.
#if !defined(__clang__)
constexpr bool EachMemberOnOneLine() {
  for (int i = 0; i < kSettingsLineCount; ++i)
    for (int j = i + 1; j < kSettingsLineCount; ++j)
      if (kSettingsLineTable[i].member.index() != 0 && kSettingsLineTable[i].member == kSettingsLineTable[j].member)
        return false;
  return true;
}
static_assert(EachMemberOnOneLine(), "two settings lines hold the same variable");
#endif

}  // namespace

const std::array<SettingsLineDef, kSettingsLineCount> kSettingsLines = kSettingsLineTable;

int SettingsLineDef::Width() const {
  switch (member.index()) {
    case 1: return 8;
    case 2: return 16;
    case 3: return 32;
    default: return 0;
  }
}

int32_t SettingsLineDef::Number(const SessionOptions& o) const {
  switch (member.index()) {
    case 1: return o.*std::get<1>(member);
    case 2: return o.*std::get<2>(member);
    case 3: return o.*std::get<3>(member);
    default: return 0;
  }
}

void SettingsLineDef::SetNumber(SessionOptions& o, int64_t value) const {
  switch (member.index()) {
    case 1: o.*std::get<1>(member) = static_cast<int8_t>(TruncateToWidth(value, 8)); break;
    case 2: o.*std::get<2>(member) = static_cast<int16_t>(TruncateToWidth(value, 16)); break;
    case 3: o.*std::get<3>(member) = TruncateToWidth(value, 32); break;
    default: break;
  }
}

const std::string& SettingsLineDef::Text(const SessionOptions& o) const {
  static const std::string kEmpty;
  if (const auto* m = std::get_if<4>(&member)) return o.**m;
  return kEmpty;
}

void SettingsLineDef::SetText(SessionOptions& o, std::string value) const {
  if (const auto* m = std::get_if<4>(&member)) o.** m = std::move(value);
}

std::string& FkeyLine(SessionOptions& o, int line) {
  if (line <= kFkeyStringCount) return o.FkeyStrings.at(line);
  if (line <= kFkeyStringCount + kFkeyTitleCount) return o.FkeyTitles.at(line - kFkeyStringCount);
  return o.ShiftFkeyTitles.at(line - kFkeyStringCount - kFkeyTitleCount);
}

const std::string& FkeyLine(const SessionOptions& o, int line) {
  return FkeyLine(const_cast<SessionOptions&>(o), line);
}

}  // namespace korvane
