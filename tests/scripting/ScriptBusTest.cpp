// Every event of the command set through the generic method of the bus
// service, with the replies and errors the command set defines, against the
// real service over a recording target on a real screen; and what the service
// does besides: pacing, refusals, introspection, one instance per bus.

#include <QDBusMessage>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "scripting/BusFixture.h"
#include "scripting/ScriptCommands.h"

namespace korvane::testing_support {
namespace {

struct Step {
  const char* cls;
  const char* id;
  std::string text;
  std::string reply;
  int error = 0;
};

struct Setting {
  const char* key;
  std::string value;
};

struct Cell {
  int row, col;
  const char* text;
};

struct BusCase {
  const char* name;
  std::vector<Setting> setup;
  std::vector<Cell> screen;
  std::vector<Step> steps;
  // What the program was asked to do, in order.
  std::vector<std::string> journal;
  // The command set's own state afterwards (keys of the fixture's Value).
  std::vector<Setting> after;
};

std::string Pad(const std::string& text, size_t width) { return text + std::string(width - text.size(), ' '); }

const std::string kRowError = "Error: Row command must be used with GetScreenData";
const std::string kColStartError =
    "Error: ColStart command must be used with GetScreenData. Row must be specified first";
const std::string kColEndError =
    "Error: ColEnd command must be used with GetScreenData. ColStart must be specified first";
const std::string kSequenceError = "Error: Incorrect command sequence for HostToMacXfer";
const std::string kNoWindow = "Error! Emulation window is not open";
const std::string kBadPath = "Error! Incorrect path name supplied by the script.";

const std::vector<Step> kFullChain = {
    {"xfer", "htm2", "", "Got the MacToHostXfer command"},
    {"xfer", "hcmd", "cat report", "Got the HostCommand"},
    {"xfer", "fnam", "report.txt", "/home/user/Desktop/report.txt"},
    {"xfer", "conv", "Yes", "Got the Convert command"},
    {"xfer", "fpr ", "3", "Got the FieldsPerRecord command"},
    {"xfer", "ovrw", "Yes", "Got the OverWrite command"},
    {"xfer", "lins", "2", "Got the LinesToSkip command"},
    {"xfer", "timo", "&H1E", "Got the TimeOutTime command"},
    {"xfer", "nopg", "No", "Got the NoPage command"},
};
const std::vector<std::string> kFullChainJournal = {"Cancel RequestHostToMacXfer", "ResetHostToMacReceive",
                                                    "SetCaptureFilePath /home/user/Desktop/report.txt",
                                                    "RequestHostToMacXfer"};

std::vector<Step> Then(std::vector<Step> a, const std::vector<Step>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

const BusCase kCases[] = {
    // ---- Messages --------------------------------------------------------------------
    {"ShowMessage",
     {},
     {},
     {{"cstm", "mssg", "Backup done", ""}},
     {"RequestMessage Backup done"},
     {{"ScriptMessage", "Backup done"}, {"LastReplyText", ""}}},
    {"MessageToHostConnected",
     {{"hostConnected", "1"}},
     {},
     {{"cstm", "mssh", "ls -l", "Message sent to host"}},
     {"RequestMessageToHost ls -l"},
     {{"LastReplyText", "Message sent to host"}}},
    {"MessageToHostSerialOpen",
     {{"connectionOpen", "1"}},
     {},
     {{"cstm", "mssh", "x", "Message sent to host"}},
     {"RequestMessageToHost x"},
     {}},
    {"MessageToHostNotConnectedIsStillQueued",
     {},
     {},
     {{"cstm", "mssh", "date", "Error. Connection is not open to host."}},
     {"RequestMessageToHost date"},
     {{"LastReplyText", "Error. Connection is not open to host."}}},
    {"MessageToHostKeepsItsMarker",
     {{"hostConnected", "1"}},
     {},
     {{"cstm", "mssh", "y{nocr}", "Message sent to host"}},
     {"RequestMessageToHost y{nocr}"},
     {}},
    {"MessageTextIsCutAt255",
     {{"hostConnected", "1"}},
     {},
     {{"cstm", "mssh", std::string(300, 'a'), "Message sent to host"}},
     {"RequestMessageToHost " + std::string(255, 'a')},
     {}},
    {"TheCutCountsCharactersNotBytesOfUtf8",
     {{"hostConnected", "1"}},
     {},
     {{"cstm", "mssh",
       [] {
         std::string e;
         for (int i = 0; i < 200; ++i) e += "\xC3\xA9";
         return e;
       }(),
       "Message sent to host"}},
     {[] {
       std::string e = "RequestMessageToHost ";
       for (int i = 0; i < 200; ++i) e += "\xC3\xA9";
       return e;
     }()},
     {}},
    {"TextOutsideTheCharacterSetBecomesQuestionMarks",
     {{"hostConnected", "1"}},
     {},
     {{"cstm", "mssh", "caf\xC3\xA9 \xE6\x97\xA5", "Message sent to host"}},
     {"RequestMessageToHost caf\xC3\xA9 ?"},
     {}},
    {"RepliesAreLocalised",
     {{"hostConnected", "1"}, {"translate", "Message sent to host=Message envoy\xC3\xA9 \xC3\xA0 l'h\xC3\xB4te"}},
     {},
     {{"cstm", "mssh", "pwd", "Message envoy\xC3\xA9 \xC3\xA0 l'h\xC3\xB4te"}},
     {"RequestMessageToHost pwd"},
     {}},

    // ---- Dial ---------------------------------------------------------------------------
    {"QuickDial", {}, {}, {{"dial", "qdil", "", ""}}, {"RequestQuickDial"}, {}},
    {"HangUp", {}, {}, {{"dial", "hang", "", ""}}, {"RequestHangUp"}, {}},

    // ---- Screen text ------------------------------------------------------------------------
    {"GetScreenDataFirstTen",
     {{"screenRows", "24"}},
     {{1, 1, "Hello, world of terminals"}},
     {{"xfer", "getr", "", ""},
      {"xfer", "rowx", "0", ""},
      {"xfer", "cost", "0", ""},
      {"xfer", "coen", "9", "Hello, wor"}},
     {},
     {{"LastReplyText", "Hello, wor"}, {"GetScreenDataStep", "0"}, {"ScreenDataRow", "1"}}},
    {"GetScreenDataStartAfterEndGivesOneCharacter",
     {{"screenRows", "24"}},
     {{1, 1, "Hello, world"}},
     {{"xfer", "getr", "", ""}, {"xfer", "rowx", "0", ""}, {"xfer", "cost", "5", ""}, {"xfer", "coen", "2", ","}},
     {},
     {}},
    {"GetScreenDataEdges",
     {{"screenRows", "24"}},
     {{2, 75, "ABCDEF"}, {24, 1, "bottom"}, {1, 1, "Hello"}},
     {{"xfer", "getr", "", ""},
      {"xfer", "rowx", "1", ""},
      {"xfer", "cost", "74", ""},
      {"xfer", "coen", "500", "ABCDEF"},
      {"xfer", "getr", "", ""},
      {"xfer", "rowx", "99", ""},
      {"xfer", "cost", "0", ""},
      {"xfer", "coen", "5", "bottom"},
      {"xfer", "getr", "", ""},
      {"xfer", "rowx", "0", ""},
      {"xfer", "cost", "-1", ""},
      {"xfer", "coen", "1", " He"}},
     {},
     {}},
    {"GetScreenDataBeforeTheFirstIdlePassReadsRowZero",
     {},
     {{1, 1, "Hello"}},
     {{"xfer", "getr", "", ""}, {"xfer", "rowx", "0", ""}, {"xfer", "cost", "0", ""}, {"xfer", "coen", "2", "   "}},
     {},
     {}},
    {"GetScreenDataOutOfSequence",
     {{"screenRows", "24"}},
     {},
     {{"xfer", "rowx", "1", kRowError},
      {"xfer", "getr", "", ""},
      {"xfer", "coen", "5", kColEndError},
      {"xfer", "cost", "1", kColStartError}},
     {},
     {{"GetScreenDataStep", "1"}, {"LastReplyText", kColStartError}}},
    {"GetScreenDataCharactersLeaveAsUtf8",
     {{"screenRows", "24"}},
     {{1, 1, "\xC3\xA9\xC3\x9F\xE2\x80\xA2"}},
     {{"xfer", "getr", "", ""},
      {"xfer", "rowx", "0", ""},
      {"xfer", "cost", "0", ""},
      {"xfer", "coen", "2", "\xC3\xA9\xC3\x9F\xE2\x80\xA2"}},
     {},
     {}},
    {"GetScreenDataWithoutAWindow",
     {{"windowOpen", "0"}},
     {},
     {{"xfer", "getr", "", ""}, {"xfer", "rowx", "0", ""}, {"xfer", "cost", "0", ""}, {"xfer", "coen", "1", kNoWindow}},
     {},
     {}},
    {"LineReadsOneColumnFewerThanTheSession",
     {{"sessionColumns", "80"}},
     {{1, 1, "top row"}},
     {{"xfer", "line", "1", Pad("top row", 79)}},
     {},
     {{"LastReplyText", Pad("top row", 79)}}},
    {"LineRowsAreClamped",
     {{"sessionColumns", "10"}},
     {{1, 1, "first"}, {90, 1, "ninety"}},
     {{"xfer", "line", "0", Pad("first", 9)},
      {"xfer", "line", "-5", Pad("first", 9)},
      {"xfer", "line", "200", Pad("ninety", 9)},
      {"xfer", "line", "x", Pad("first", 9)}},
     {},
     {}},
    {"LineWithoutAWindow", {{"windowOpen", "0"}}, {}, {{"xfer", "line", "1", kNoWindow}}, {}, {}},

    // ---- Clipboard ----------------------------------------------------------------------------
    {"AppendToClipboard",
     {},
     {},
     {{"xfer", "apnd", "abc", ""}},
     {"AppendLineToClipboard abc"},
     {{"LastReplyText", "abc"}, {"Clipboard", "abc\r"}}},
    {"AppendAfterColEndAppendsTheScreenText",
     {{"screenRows", "24"}},
     {{1, 1, "Hello"}},
     {{"xfer", "getr", "", ""},
      {"xfer", "rowx", "0", ""},
      {"xfer", "cost", "0", ""},
      {"xfer", "coen", "4", "Hello"},
      {"xfer", "apnd", "", ""}},
     {"AppendLineToClipboard Hello"},
     {}},
    {"AppendAfterRowAppendsOnlyALineEnd",
     {{"hostConnected", "1"}},
     {},
     {{"cstm", "mssh", "x", "Message sent to host"},
      {"xfer", "getr", "", ""},
      {"xfer", "rowx", "0", ""},
      {"xfer", "apnd", "", ""}},
     {"RequestMessageToHost x", "AppendLineToClipboard "},
     {{"Clipboard", "\r"}}},
    {"QueriesLeaveTheLastReplyAlone",
     {{"hostConnected", "1"}, {"usesPty", "1"}, {"telnet", "1"}},
     {},
     {{"cstm", "mssh", "x", "Message sent to host"},
      {"conx", "icno", "", "Yes"},
      {"conx", "conm", "", "telnet"},
      {"xfer", "getr", "", ""},
      {"xfer", "apnd", "", ""}},
     {"RequestMessageToHost x", "AppendLineToClipboard Message sent to host"},
     {}},
    {"CopyToClipboardStartsAfresh",
     {},
     {},
     {{"xfer", "apnd", "one", ""}, {"xfer", "cpyr", "two", ""}},
     {"AppendLineToClipboard one", "ResetClipboardCopy", "AppendLineToClipboard two"},
     {{"Clipboard", "two\r"}}},
    {"ClearClipboard", {}, {}, {{"xfer", "cclp", "", ""}}, {"ClearClipboard"}, {}},
    {"ClipboardCaptureOnOff",
     {},
     {},
     {{"xfer", "clon", "", ""}, {"xfer", "clof", "", ""}},
     {"RequestClipboardOn", "RequestClipboardOff"},
     {}},

    // ---- Capture --------------------------------------------------------------------------------
    {"CaptureOpen",
     {{"captureFileName", "RECORDER"}},
     {},
     {{"xfer", "capo", "", "RECORDER is the current capture file."}},
     {"RequestCaptureOpen"},
     {{"LastReplyText", "RECORDER is the current capture file."}}},
    {"CaptureCloseAndDelete",
     {},
     {},
     {{"xfer", "capx", "", ""}, {"xfer", "delc", "", ""}},
     {"RequestCaptureClose", "RequestDeleteCapture"},
     {}},
    {"GetCaptureFile",
     {{"currentCapture", "/home/user/capture.txt"}},
     {},
     {{"xfer", "getc", "", "/home/user/capture.txt"}},
     {},
     {{"LastReplyText", "/home/user/capture.txt"}}},
    {"SetCaptureFile",
     {},
     {},
     {{"xfer", "setf", "/tmp/notes..txt", "Capture file set to /tmp/notes..txt"}},
     {"SetCaptureFileFromScript /tmp/notes..txt"},
     {}},
    {"SetCaptureFileRefusesParentFolders",
     {{"hostConnected", "1"}},
     {},
     {{"cstm", "mssh", "x", "Message sent to host"},
      {"xfer", "setf", "/tmp/../home/user/.bashrc", kBadPath},
      {"xfer", "setf", "../capture.txt", kBadPath},
      {"xfer", "setf", "captures/..", kBadPath},
      {"xfer", "setf", "/tmp/a\x01", kBadPath}},
     {"RequestMessageToHost x"},
     {{"LastReplyText", kBadPath}}},
    {"ScreenSnapshotAndPaste",
     {},
     {},
     {{"xfer", "scrn", "", ""}, {"xfer", "pste", "", ""}},
     {"RequestScreenSnapshot", "RequestPaste"},
     {}},

    // ---- Transfers ----------------------------------------------------------------------------------
    {"HostToMac",
     {{"hostToMacReply", "/home/user/Desktop/HostToMac Transfer.txt"}},
     {},
     {{"xfer", "htmx", "cat data", "/home/user/Desktop/HostToMac Transfer.txt"}},
     {"StartHostToMacTransfer cat data"},
     {{"LastReplyText", "/home/user/Desktop/HostToMac Transfer.txt"}}},
    {"SendFileToHost", {}, {}, {{"xfer", "mthx", "notes.txt", "notes.txt"}}, {"SendFileToHost notes.txt"}, {}},
    {"SendFileToHostRefusedByTheCaptureCode",
     {{"sendFileReply", "Invalid file name supplied by the script"}},
     {},
     {{"xfer", "mthx", "/nowhere", "Invalid file name supplied by the script"}},
     {"SendFileToHost /nowhere"},
     {}},
    {"TransferDoneYes", {}, {}, {{"xfer", "xfrd", "", "Yes"}}, {}, {{"LastReplyText", "Yes"}}},
    {"TransferDoneNoWhileCollecting", {{"collectMode", "1"}}, {}, {{"xfer", "xfrd", "", "No"}}, {}, {}},
    {"TransferDoneNoWhileUploading", {{"upload", "1"}}, {}, {{"xfer", "xfrd", "", "No"}}, {}, {}},
    {"TransferDoneNoWhileCapturing", {{"captureOn", "1"}}, {}, {{"xfer", "xfrd", "", "No"}}, {}, {}},
    {"TransferDoneNoWhileTransferring", {{"transfer", "1"}}, {}, {{"xfer", "xfrd", "", "No"}}, {}, {}},
    {"TransferDoneCancelled",
     {{"cancelled", "1"}, {"upload", "1"}},
     {},
     {{"xfer", "xfrd", "", "User canceled"}},
     {},
     {}},
    {"DataReceivedReadsAndClears",
     {{"hostDataArrived", "1"}},
     {},
     {{"xfer", "drec", "", "Yes"}, {"xfer", "drec", "", "No"}},
     {},
     {{"LastReplyText", "No"}}},
    {"HostToMacXferChain",
     {},
     {},
     kFullChain,
     kFullChainJournal,
     {{"HostToMacXferStep", "9"},
      {"XferHostCommand", "cat report"},
      {"XferFileName", "report.txt"},
      {"XferConvert", "Yes"},
      {"XferFieldsPerRecord", "3"},
      {"XferOverWrite", "Yes"},
      {"XferLinesToSkip", "2"},
      {"XferTimeOutTime", "30"},
      {"XferNoPage", "No"},
      {"LastReplyText", "Got the NoPage command"}}},
    {"HostToMacXferStepSkipped",
     {},
     {},
     {{"xfer", "htm2", "", "Got the MacToHostXfer command"},
      {"xfer", "fnam", "x.txt", kSequenceError},
      {"xfer", "conv", "Yes", "Got the Convert command"}},
     {"Cancel RequestHostToMacXfer", "ResetHostToMacReceive"},
     {{"HostToMacXferStep", "4"}, {"XferFileName", ""}, {"XferConvert", "Yes"}}},
    {"HostToMacXferConvertNoClearsFieldsPerRecord",
     {},
     {},
     {{"xfer", "htm2", "", "Got the MacToHostXfer command"},
      {"xfer", "hcmd", "c", "Got the HostCommand"},
      {"xfer", "fnam", "f", "/home/user/Desktop/f"},
      {"xfer", "conv", "No", "Got the Convert command"},
      {"xfer", "fpr ", "3", "Got the FieldsPerRecord command"}},
     {"Cancel RequestHostToMacXfer", "ResetHostToMacReceive", "SetCaptureFilePath /home/user/Desktop/f"},
     {{"XferFieldsPerRecord", "0"}}},
    {"HostToMacXferLowerCaseNoKeepsFieldsPerRecord",
     {},
     {},
     {{"xfer", "htm2", "", "Got the MacToHostXfer command"},
      {"xfer", "hcmd", "c", "Got the HostCommand"},
      {"xfer", "fnam", "f", "/home/user/Desktop/f"},
      {"xfer", "conv", "no", "Got the Convert command"},
      {"xfer", "fpr ", "3", "Got the FieldsPerRecord command"}},
     {"Cancel RequestHostToMacXfer", "ResetHostToMacReceive", "SetCaptureFilePath /home/user/Desktop/f"},
     {{"XferFieldsPerRecord", "3"}}},
    {"HostToMacXferSecondNoPageFails",
     {},
     {},
     Then(kFullChain, {{"xfer", "nopg", "Yes", kSequenceError}}),
     kFullChainJournal,
     {{"XferNoPage", "No"}, {"HostToMacXferStep", "9"}}},
    {"HostToMacXferRestartDiscardsTheChain",
     {},
     {},
     Then(kFullChain, {{"xfer", "htm2", "", "Got the MacToHostXfer command"}}),
     {"Cancel RequestHostToMacXfer", "ResetHostToMacReceive", "SetCaptureFilePath /home/user/Desktop/report.txt",
      "RequestHostToMacXfer", "Cancel RequestHostToMacXfer", "ResetHostToMacReceive"},
     {{"HostToMacXferStep", "1"},
      {"XferHostCommand", ""},
      {"XferConvert", "No"},
      {"XferLinesToSkip", "1"},
      {"XferTimeOutTime", "5"},
      {"XferNoPage", "Yes"}}},
    {"HostToMacXferRefusesAFileNameOutsideTheDesktop",
     {},
     {},
     {{"xfer", "htm2", "", "Got the MacToHostXfer command"},
      {"xfer", "hcmd", "c", "Got the HostCommand"},
      {"xfer", "fnam", "../.profile", "Error: Incorrect file name for HostToMacXfer"},
      {"xfer", "conv", "No", "Got the Convert command"}},
     {"Cancel RequestHostToMacXfer", "ResetHostToMacReceive"},
     {{"XferFileName", ""}}},
    {"ProsIsAcceptedAndDoesNothing", {}, {}, {{"xfer", "pros", "", ""}}, {}, {{"LastReplyText", ""}}},

    // ---- Commands ------------------------------------------------------------------------------------
    {"BreakEscapeTab",
     {},
     {},
     {{"cmds", "brek", "", ""}, {"cmds", "escp", "", ""}, {"cmds", "tab ", "", ""}},
     {"RequestSendBreak", "RequestSendEscape", "RequestSendTab"},
     {}},
    {"ControlKeepsItsLetter",
     {},
     {},
     {{"cmds", "ctrl", "c", ""}, {"cmds", "ctrl", "[", ""}},
     {"RequestSendControl c", "RequestSendControl ["},
     {}},
    {"WaitWithoutANumberDoesNotWait", {}, {}, {{"cmds", "wait", "soon", ""}}, {}, {}},

    // ---- Connection -------------------------------------------------------------------------------------
    {"OpenAndCloseInArrivalOrder",
     {},
     {},
     {{"conx", "cloc", "", ""}, {"conx", "opnc", "", ""}},
     {"RequestCloseConnection", "RequestOpenConnection"},
     {}},
    {"IsConnected", {}, {}, {{"conx", "icno", "", "No"}}, {}, {{"LastReplyText", ""}}},
    {"ConnectionMethodTelnet", {{"usesPty", "1"}, {"telnet", "1"}}, {}, {{"conx", "conm", "", "telnet"}}, {}, {}},
    {"ConnectionMethodLaterKindWins",
     {{"usesPty", "1"}, {"telnet", "1"}, {"ssh", "1"}},
     {},
     {{"conx", "conm", "", "ssh secure shell"}},
     {},
     {}},
    {"ConnectionMethodLocalShell",
     {{"usesPty", "1"}, {"localShell", "1"}},
     {},
     {{"conx", "conm", "", "local shell"}},
     {},
     {}},
    {"ConnectionMethodUnknownChildAnswersNothing", {{"usesPty", "1"}}, {}, {{"conx", "conm", "", ""}}, {}, {}},
    {"ConnectionMethodSerial",
     {{"serialPortNames", "none,ttyS0,ttyUSB0"}, {"serialPort", "-2"}},
     {},
     {{"conx", "conm", "", "Serial using ttyUSB0"}},
     {},
     {}},
    {"ConnectionMethodSerialPortOutsideTheTable",
     {{"serialPortNames", "none,ttyS0"}, {"serialPort", "-32768"}},
     {},
     {{"conx", "conm", "", "Serial using "}},
     {},
     {}},

    // ---- Cursor ---------------------------------------------------------------------------------------------
    {"CursorHome",
     {{"cursorRow", "1"}, {"cursorCol", "1"}},
     {},
     {{"curs", "curc", "", "0"}, {"curs", "curr", "", " 0"}},
     {},
     {{"LastReplyText", " 0"}}},
    {"CursorFarCorner",
     {{"cursorRow", "24"}, {"cursorCol", "80"}},
     {},
     {{"curs", "curc", "", "79"}, {"curs", "curr", "", " 23"}},
     {},
     {}},

    // ---- Events outside the command set ----------------------------------------------------------------------
    {"AnswerEventsAreIgnored", {}, {}, {{"aevt", "ansr", "", ""}}, {}, {{"BusyChanges", "0"}}},
    {"AnswerIdInAnotherClassIsNotACommand", {}, {}, {{"cstm", "ansr", "", "", -1708}}, {}, {{"BusyChanges", "0"}}},
    {"UnknownIdOfAKnownClass",
     {{"hostConnected", "1"}},
     {},
     {{"cstm", "mssh", "x", "Message sent to host"}, {"dial", "xxxx", "text", "", -1708}},
     {"RequestMessageToHost x"},
     {{"LastReplyText", "Message sent to host"}}},
    {"UnknownClass", {}, {}, {{"zzzz", "mssg", "hi", "", -1708}}, {}, {{"ScriptMessage", ""}}},
    {"CodesMustBeFourCharacters",
     {},
     {},
     {{"cstm", "mss", "hi", "", -1708}, {"cstmx", "mssg", "hi", "", -1708}, {"", "", "", "", -1708}},
     {},
     {{"ScriptMessage", ""}}},
    {"CodesAreCaseSensitive", {}, {}, {{"CSTM", "mssg", "hi", "", -1708}, {"dial", "QDIL", "", "", -1708}}, {}, {}},

    // ---- The open-documents event -------------------------------------------------------------------------------
    {"OpenDocumentsEvent", {}, {}, {{"aevt", "odoc", "/tmp/session.kvs", ""}}, {"OpenDocuments /tmp/session.kvs"}, {}},
    {"OpenDocumentsEventSkipsTheProgramsOwnFiles",
     {},
     {},
     {{"aevt", "odoc", "/tmp/International", ""},
      {"aevt", "odoc", "/tmp/Fkeydefaults", ""},
      {"aevt", "odoc", "/tmp/international", ""}},
     {"OpenDocuments /tmp/international"},
     {}},
};

class CommandSetOnTheBus : public BusTest, public ::testing::WithParamInterface<BusCase> {};

TEST_P(CommandSetOnTheBus, RepliesAndActions) {
  const BusCase& c = GetParam();
  for (const Setting& s : c.setup) Set(QString::fromLatin1(s.key), QString::fromStdString(s.value));
  for (const Cell& cell : c.screen) Write(cell.row, cell.col, QString::fromUtf8(cell.text));
  for (const Step& s : c.steps) {
    const auto [reply, error] =
        Send(QString::fromLatin1(s.cls), QString::fromLatin1(s.id), QString::fromStdString(s.text));
    EXPECT_EQ(reply.toStdString(), s.reply) << s.cls << "/" << s.id << " " << s.text;
    EXPECT_EQ(error, s.error) << s.cls << "/" << s.id;
  }
  std::vector<std::string> journal;
  for (const QString& line : Journal()) journal.push_back(line.toStdString());
  EXPECT_EQ(journal, c.journal);
  for (const Setting& s : c.after) EXPECT_EQ(Value(QString::fromLatin1(s.key)).toStdString(), s.value) << s.key;
  EXPECT_EQ(Value(QStringLiteral("ScriptCommandBusy")), QStringLiteral("0")) << "busy only while a command runs";
}

INSTANTIATE_TEST_SUITE_P(EveryCommand, CommandSetOnTheBus, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<BusCase>& param) { return std::string(param.param.name); });

// Every event of the table answers 0 through the generic method.
TEST_F(BusTest, EveryEventOfTheTableIsACommand) {
  for (const scripting::ScriptCommandInfo& c : scripting::ScriptCommands()) {
    const auto [reply, error] =
        Send(QString::fromLatin1(c.eventClass.data(), 4), QString::fromLatin1(c.eventId.data(), 4),
             c.command == scripting::ScriptCommand::OpenDocuments ? "/tmp/x" : "");
    EXPECT_EQ(error, 0) << c.eventClass << "/" << c.eventId;
  }
}

// ---- Refusals of the bus itself: nothing reaches the command set ----------------------------------------------------

TEST_F(BusTest, BadArgumentsAreRefusedWithAClearError) {
  struct Bad {
    const char* suite;
    const char* method;
    QVariantList args;
    const char* error;
  } bad[] = {
      {"Script", "Send", {QStringLiteral("cstm"), QStringLiteral("mssg")}, "org.freedesktop.DBus.Error.InvalidArgs"},
      {"Script", "Send", {QStringLiteral("cstm"), QStringLiteral("mssg"), 5}, "org.freedesktop.DBus.Error.InvalidArgs"},
      {"Message", "Show", {}, "org.freedesktop.DBus.Error.InvalidArgs"},
      {"Message", "Show", {QStringLiteral("a"), QStringLiteral("b")}, "org.freedesktop.DBus.Error.InvalidArgs"},
      {"Dial", "HangUp", {QStringLiteral("now")}, "org.freedesktop.DBus.Error.InvalidArgs"},
      {"Application", "OpenDocuments", {QStringLiteral("/tmp/a")}, "org.freedesktop.DBus.Error.InvalidArgs"},
      {"Dial", "Redial", {}, "org.freedesktop.DBus.Error.UnknownMethod"},
      {"Nonsense", "Show", {QStringLiteral("a")}, "org.freedesktop.DBus.Error.UnknownMethod"},
  };
  for (const Bad& b : bad) {
    const QDBusMessage m = Call(QString::fromLatin1(b.suite), QString::fromLatin1(b.method), b.args);
    EXPECT_EQ(m.type(), QDBusMessage::ErrorMessage) << b.suite << "." << b.method;
    EXPECT_EQ(m.errorName().toStdString(), b.error) << b.suite << "." << b.method;
    EXPECT_FALSE(m.errorMessage().isEmpty());
  }
  EXPECT_EQ(Journal(), QStringList());
  EXPECT_EQ(Value(QStringLiteral("ScriptMessage")), QString());
  EXPECT_EQ(Value(QStringLiteral("BusyChanges")), QStringLiteral("0"));
}

TEST_F(BusTest, OpenDocumentsTakesAbsolutePathsAndSkipsTheRest) {
  const QDBusMessage m = Call(QStringLiteral("Application"), QStringLiteral("OpenDocuments"),
                              {QStringList{"/tmp/a.kvs", "relative.kvs", "", "/tmp/Fkeydefaults", "/tmp/b.kvs"}});
  ASSERT_EQ(m.type(), QDBusMessage::ReplyMessage) << m.errorMessage().toStdString();
  EXPECT_TRUE(m.arguments().isEmpty());
  EXPECT_EQ(Journal(), QStringList{"OpenDocuments /tmp/a.kvs /tmp/b.kvs"});
}

TEST_F(BusTest, OpenDocumentsTakesAMacScriptsColonPathsAsTheFilesTheyName) {
  const QDBusMessage m = Call(QStringLiteral("Application"), QStringLiteral("OpenDocuments"),
                              {QStringList{"Disk:tmp:c.kvst", "Disk::etc:x.kvst", "Disk:tmp:Fkeydefaults", ":c.kvst"}});
  ASSERT_EQ(m.type(), QDBusMessage::ReplyMessage) << m.errorMessage().toStdString();
  EXPECT_EQ(Journal(), QStringList{"OpenDocuments /tmp/c.kvst"});
}

TEST_F(BusTest, IntrospectionListsEverySuiteFromTheTable) {
  const QDBusMessage m = Bus().call(QDBusMessage::createMethodCall(
      QString::fromLatin1(scripting::kBusName), QString::fromLatin1(scripting::kObjectPath),
      QStringLiteral("org.freedesktop.DBus.Introspectable"), QStringLiteral("Introspect")));
  ASSERT_EQ(m.type(), QDBusMessage::ReplyMessage);
  const QString xml = m.arguments().value(0).toString();
  EXPECT_TRUE(xml.contains(QStringLiteral("<interface name=\"org.korvane.Korvane.Script\">")));
  EXPECT_TRUE(xml.contains(QStringLiteral("<arg name=\"error\" type=\"i\" direction=\"out\"/>")));
  for (const scripting::ScriptCommandInfo& c : scripting::ScriptCommands()) {
    if (c.suite.empty()) continue;
    const QString iface = QStringLiteral("<interface name=\"org.korvane.Korvane.%1\">")
                              .arg(QString::fromLatin1(c.suite.data(), static_cast<int>(c.suite.size())));
    const QString method = QStringLiteral("<method name=\"%1\">")
                               .arg(QString::fromLatin1(c.method.data(), static_cast<int>(c.method.size())));
    const int at = xml.indexOf(iface);
    ASSERT_GE(at, 0) << c.suite;
    const int end = xml.indexOf(QStringLiteral("</interface>"), at);
    const int found = xml.indexOf(method, at);
    EXPECT_TRUE(found > at && found < end) << c.suite << "." << c.method;
  }
}

// ---- Pacing
// ------------------------------------------------------------------------------------------------------------

TEST_F(BusTest, EventsArePacedAndServedInArrivalOrderWithoutFreezingTheProgram) {
  Set(QStringLiteral("startingUp"), QStringLiteral("0"));
  Set(QStringLiteral("hostConnected"), QStringLiteral("1"));
  QElapsedTimer clock;
  clock.start();
  // Three calls at once, answered one by one.
  std::vector<QDBusPendingCall> calls;
  for (const char* text : {"one", "two", "three"}) {
    QDBusMessage m = QDBusMessage::createMethodCall(
        QString::fromLatin1(scripting::kBusName), QString::fromLatin1(scripting::kObjectPath),
        QStringLiteral("org.korvane.Korvane.Message"), QStringLiteral("SendToHost"));
    m << QString::fromLatin1(text);
    calls.push_back(Bus().asyncCall(m));
  }
  // While they wait, the program answers at once.
  QElapsedTimer control;
  control.start();
  EXPECT_EQ(Value(QStringLiteral("ScriptCommandBusy")), QStringLiteral("0"));
  EXPECT_LT(control.elapsed(), 150);
  for (auto& c : calls) c.waitForFinished();
  EXPECT_GE(clock.elapsed(), 600);
  for (auto& c : calls) EXPECT_EQ(c.reply().arguments().value(0).toString(), QStringLiteral("Message sent to host"));
  EXPECT_EQ(Journal(),
            (QStringList{"RequestMessageToHost one", "RequestMessageToHost two", "RequestMessageToHost three"}));
}

TEST_F(BusTest, WaitHoldsItsAnswerAndTheEventsAfterIt) {
  QElapsedTimer clock;
  clock.start();
  QDBusMessage wait = QDBusMessage::createMethodCall(
      QString::fromLatin1(scripting::kBusName), QString::fromLatin1(scripting::kObjectPath),
      QStringLiteral("org.korvane.Korvane.Commands"), QStringLiteral("Wait"));
  wait << QStringLiteral("1.9");
  QDBusPendingCall waiting = Bus().asyncCall(wait);
  // The program itself is not held.
  EXPECT_EQ(Value(QStringLiteral("BusyChanges")), QStringLiteral("2"));
  const auto [reply, error] = Send(QStringLiteral("conx"), QStringLiteral("icno"));
  EXPECT_EQ(reply, QStringLiteral("No"));
  EXPECT_GE(clock.elapsed(), 1000) << "the event after the wait waited for it";
  waiting.waitForFinished();
  EXPECT_TRUE(waiting.reply().type() == QDBusMessage::ReplyMessage);
  EXPECT_TRUE(waiting.reply().arguments().isEmpty());
}

// ---- One instance per bus
// ------------------------------------------------------------------------------------------------

TEST_F(BusTest, ASecondStartHandsItsDocumentsToTheFirstAndEnds) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const Ran second = RunProgram(
      QStringLiteral(KORVANE_SCRIPT_FIXTURE),
      {QStringLiteral("two.kvs"), QStringLiteral("sub/../three.kvs"), QStringLiteral("International")}, folder.path());
  EXPECT_EQ(second.status, 0) << second.err.toStdString();
  EXPECT_EQ(second.out.trimmed(), QStringLiteral("handed over"));
  const QString dir = QDir(folder.path()).absolutePath();
  EXPECT_EQ(Journal(), QStringList{"OpenDocuments " + dir + "/two.kvs " + dir + "/three.kvs"});

  const Ran empty = RunProgram(QStringLiteral(KORVANE_SCRIPT_FIXTURE), {});
  EXPECT_EQ(empty.status, 0);
  EXPECT_EQ(empty.out.trimmed(), QStringLiteral("handed over"));
  EXPECT_EQ(Journal(), QStringList());
}

TEST_F(BusTest, TheNameIsFreeAgainWhenTheFirstEnds) {
  StopFixture(fixture);
  QString line;
  fixture = StartFixture({QStringLiteral("/tmp/own.kvs")}, &line);
  ASSERT_TRUE(fixture) << line.toStdString();
  EXPECT_EQ(line, QStringLiteral("serving /tmp/own.kvs"));
}

}  // namespace
}  // namespace korvane::testing_support
