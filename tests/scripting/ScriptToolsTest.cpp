// The service as a user reaches it from a shell: every named method through
// gdbus, a call that wants no answer through dbus-send, and korvane-ctl.

#include <QDir>
#include <QTemporaryDir>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "scripting/BusFixture.h"
#include "scripting/ScriptCommands.h"

namespace korvane::testing_support {
namespace {

struct NamedCall {
  const char* suite;
  const char* method;
  std::vector<QString> args;
  // gdbus prints the answer as a tuple: "()" or "('text',)".
  const char* output;
  std::vector<std::string> journal;
};

Ran Gdbus(const QString& suite, const QString& method, const std::vector<QString>& args) {
  QStringList argv{"call",          "--session",
                   "--dest",        QString::fromLatin1(scripting::kBusName),
                   "--object-path", QString::fromLatin1(scripting::kObjectPath),
                   "--method",      QString::fromLatin1(scripting::kInterfacePrefix) + suite + "." + method};
  for (const QString& a : args) argv << a;
  return RunProgram(QStringLiteral("gdbus"), argv);
}

TEST_F(BusTest, EveryNamedMethodThroughGdbus) {
  Set("screenRows", "24");
  Set("sessionColumns", "6");
  Set("cursorRow", "5");
  Set("cursorCol", "12");
  Set("captureFileName", "RECORDER");
  Set("currentCapture", "/home/user/capture.txt");
  Set("serialPortNames", "none,ttyS0");
  Set("serialPort", "1");
  Write(1, 1, "Hello");
  // In order: the sequences need theirs.
  const NamedCall calls[] = {
      {"Message", "Show", {"Backup done"}, "()", {"RequestMessage Backup done"}},
      {"Message",
       "SendToHost",
       {"ls -l"},
       "('Error. Connection is not open to host.',)",
       {"RequestMessageToHost ls -l"}},
      {"Dial", "QuickDial", {}, "()", {"RequestQuickDial"}},
      {"Dial", "HangUp", {}, "()", {"RequestHangUp"}},
      {"Transfer", "GetScreenData", {}, "()", {}},
      {"Transfer", "Row", {"0"}, "('',)", {}},
      {"Transfer", "ColStart", {"0"}, "('',)", {}},
      {"Transfer", "ColEnd", {"4"}, "('Hello',)", {}},
      {"Transfer", "Line", {"1"}, "('Hello',)", {}},
      {"Transfer", "AppendToClipboard", {"abc"}, "()", {"AppendLineToClipboard abc"}},
      {"Transfer", "CopyToClipboard", {"def"}, "()", {"ResetClipboardCopy", "AppendLineToClipboard def"}},
      {"Transfer", "ClearClipboard", {}, "()", {"ClearClipboard"}},
      {"Transfer", "ClipboardCaptureOn", {}, "()", {"RequestClipboardOn"}},
      {"Transfer", "ClipboardCaptureOff", {}, "()", {"RequestClipboardOff"}},
      {"Transfer", "CaptureOpen", {}, "('RECORDER is the current capture file.',)", {"RequestCaptureOpen"}},
      {"Transfer", "CaptureClose", {}, "()", {"RequestCaptureClose"}},
      {"Transfer", "DeleteCaptureFile", {}, "()", {"RequestDeleteCapture"}},
      {"Transfer", "GetCaptureFile", {}, "('/home/user/capture.txt',)", {}},
      {"Transfer",
       "SetCaptureFile",
       {"/tmp/c.txt"},
       "('Capture file set to /tmp/c.txt',)",
       {"SetCaptureFileFromScript /tmp/c.txt"}},
      {"Transfer", "ScreenSnapshot", {}, "()", {"RequestScreenSnapshot"}},
      {"Transfer", "Paste", {}, "()", {"RequestPaste"}},
      {"Transfer", "HostToMac", {"cat x"}, "('',)", {"StartHostToMacTransfer cat x"}},
      {"Transfer", "SendFileToHost", {"f.txt"}, "('f.txt',)", {"SendFileToHost f.txt"}},
      {"Transfer", "TransferDone", {}, "('Yes',)", {}},
      {"Transfer", "DataReceived", {}, "('No',)", {}},
      {"Transfer",
       "HostToMacXfer",
       {},
       "('Got the MacToHostXfer command',)",
       {"Cancel RequestHostToMacXfer", "ResetHostToMacReceive"}},
      {"Transfer", "HostCommand", {"cat report"}, "('Got the HostCommand',)", {}},
      {"Transfer",
       "FileName",
       {"report.txt"},
       "('/home/user/Desktop/report.txt',)",
       {"SetCaptureFilePath /home/user/Desktop/report.txt"}},
      {"Transfer", "Convert", {"Yes"}, "('Got the Convert command',)", {}},
      {"Transfer", "FieldsPerRecord", {"2"}, "('Got the FieldsPerRecord command',)", {}},
      {"Transfer", "OverWrite", {"No"}, "('Got the OverWrite command',)", {}},
      {"Transfer", "LinesToSkip", {"1"}, "('Got the LinesToSkip command',)", {}},
      {"Transfer", "TimeOutTime", {"5"}, "('Got the TimeOutTime command',)", {}},
      {"Transfer", "NoPage", {"Yes"}, "('Got the NoPage command',)", {"RequestHostToMacXfer"}},
      {"Transfer", "Pros", {}, "()", {}},
      {"Commands", "Break", {}, "()", {"RequestSendBreak"}},
      {"Commands", "Control", {"c"}, "()", {"RequestSendControl c"}},
      {"Commands", "Escape", {}, "()", {"RequestSendEscape"}},
      {"Commands", "Tab", {}, "()", {"RequestSendTab"}},
      {"Commands", "Wait", {"0"}, "()", {}},
      {"Connection", "Open", {}, "()", {"RequestOpenConnection"}},
      {"Connection", "Close", {}, "()", {"RequestCloseConnection"}},
      {"Connection", "IsConnected", {}, "('No',)", {}},
      {"Connection", "Method", {}, "('Serial using ttyS0',)", {}},
      {"Cursor", "Column", {}, "('11',)", {}},
      {"Cursor", "Row", {}, "(' 4',)", {}},
      {"Application", "OpenDocuments", {"['/tmp/a.kvs', '/tmp/b.kvs']"}, "()", {"OpenDocuments /tmp/a.kvs /tmp/b.kvs"}},
      {"Script", "Send", {"xfer", "getc", ""}, "('/home/user/capture.txt', 0)", {}},
  };
  std::set<std::pair<std::string, std::string>> reached;
  for (const NamedCall& c : calls) {
    const Ran r = Gdbus(QString::fromLatin1(c.suite), QString::fromLatin1(c.method), c.args);
    EXPECT_EQ(r.status, 0) << c.suite << "." << c.method << ": " << r.err.toStdString();
    EXPECT_EQ(r.out.trimmed().toStdString(), c.output) << c.suite << "." << c.method;
    std::vector<std::string> journal;
    for (const QString& line : Journal()) journal.push_back(line.toStdString());
    EXPECT_EQ(journal, c.journal) << c.suite << "." << c.method;
    reached.insert({c.suite, c.method});
  }
  for (const scripting::ScriptCommandInfo& c : scripting::ScriptCommands()) {
    if (c.suite.empty()) continue;
    EXPECT_TRUE(reached.count({std::string(c.suite), std::string(c.method)})) << c.suite << "." << c.method;
  }
}

TEST_F(BusTest, ACallThatWantsNoAnswerIsStillCarriedOut) {
  const Ran r = RunProgram(QStringLiteral("dbus-send"),
                           {"--session", "--type=method_call", "--dest=org.korvane.Korvane", "/org/korvane/Korvane",
                            "org.korvane.Korvane.Message.SendToHost", "string:uptime"});
  EXPECT_EQ(r.status, 0) << r.err.toStdString();
  // Events are served in order: once this one is answered, the first is done.
  EXPECT_EQ(Send("conx", "icno").first, QStringLiteral("No"));
  EXPECT_EQ(Journal(), QStringList{"RequestMessageToHost uptime"});
}

// ---- korvane-ctl ---------------------------------------------------------------------------------------------

Ran Ctl(const QStringList& args, const QString& folder = {}) {
  return RunProgram(QStringLiteral(KORVANE_CTL), args, folder);
}

TEST_F(BusTest, CtlSendsTextReadsTheScreenAndTheCursor) {
  Set("hostConnected", "1");
  Set("sessionColumns", "12");
  Set("cursorRow", "3");
  Set("cursorCol", "7");
  Write(2, 1, "$ uptime");

  Ran r = Ctl({"send", "uptime"});
  EXPECT_EQ(r.status, 0) << r.err.toStdString();
  EXPECT_EQ(r.out, QStringLiteral("Message sent to host\n"));
  EXPECT_EQ(Journal(), QStringList{"RequestMessageToHost uptime"});

  r = Ctl({"row", "2"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, QStringLiteral("$ uptime   \n"));

  r = Ctl({"cursor"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, QStringLiteral("2 6\n"));
}

TEST_F(BusTest, CtlOpensAndClosesTheConnection) {
  EXPECT_EQ(Ctl({"open"}).status, 0);
  EXPECT_EQ(Ctl({"close"}).status, 0);
  EXPECT_EQ(Journal(), (QStringList{"RequestOpenConnection", "RequestCloseConnection"}));
}

TEST_F(BusTest, CtlStartsACaptureWithTheWholePath) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const QString path = QDir(folder.path()).absolutePath() + "/session.log";
  Set("captureFileName", "session.log");
  const Ran r = Ctl({"capture", "session.log"}, folder.path());
  EXPECT_EQ(r.status, 0) << r.err.toStdString();
  EXPECT_EQ(r.out, "Capture file set to " + path + "\nsession.log is the current capture file.\n");
  EXPECT_EQ(Journal(), (QStringList{"SetCaptureFileFromScript " + path, "RequestCaptureOpen"}));
}

TEST_F(BusTest, CtlDoesNotOpenACaptureTheCaptureCodeRefused) {
  Set("setCaptureReply", "Error! Cannot use this file for a capture file.");
  const Ran r = Ctl({"capture", "/tmp/defaults"});
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(r.err.contains(QStringLiteral("Error! Cannot use this file for a capture file."))) << r.err.toStdString();
  EXPECT_EQ(Journal(), QStringList{"SetCaptureFileFromScript /tmp/defaults"});
}

TEST_F(BusTest, CtlSendsAnyEventAndReportsOnesOutsideTheCommandSet) {
  Set("currentCapture", "/home/user/capture.txt");
  Ran r = Ctl({"event", "xfer", "getc"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, QStringLiteral("/home/user/capture.txt\n"));
  r = Ctl({"event", "cmds", "tab "});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, QString()) << "no reply, nothing printed";
  EXPECT_EQ(Journal(), QStringList{"RequestSendTab"});
  r = Ctl({"event", "dial", "zzzz", "x"});
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(r.err.contains(QStringLiteral("-1708"))) << r.err.toStdString();
}

TEST_F(BusTest, CtlExplainsBadUsageAndAMissingKorvane) {
  for (const QStringList& args :
       {QStringList{}, QStringList{"row"}, QStringList{"send", "a", "b"}, QStringList{"frobnicate"}}) {
    const Ran r = Ctl(args);
    EXPECT_EQ(r.status, 2) << args.join(' ').toStdString();
    EXPECT_TRUE(r.err.startsWith(QStringLiteral("usage: korvane-ctl")));
  }
  StopFixture(fixture);
  const Ran r = Ctl({"send", "x"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err.toStdString(), "korvane-ctl: Korvane is not running on this session bus\n");
}

}  // namespace
}  // namespace korvane::testing_support
