// The command set through the generic method of the real program, offscreen,
// on a local session whose host writes a known screen: the replies and
// errors of each command, what reaches the host and the screen, the refusals
// that change nothing, and a second start that hands its document over.

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <pwd.h>
#include <unistd.h>
#include <string>
#include <vector>

#include "scripting/ProgramFixture.h"

namespace korvane::testing_support {
namespace {

struct Step {
  const char* cls;
  const char* id;
  QString text;
  // The reply without the blanks after it, and the error number.
  QString reply;
  int error = 0;
};

const QString kRowError = QStringLiteral("Error: Row command must be used with GetScreenData");
const QString kColStartError =
    QStringLiteral("Error: ColStart command must be used with GetScreenData. Row must be specified first");
const QString kColEndError =
    QStringLiteral("Error: ColEnd command must be used with GetScreenData. ColStart must be specified first");
const QString kSequenceError = QStringLiteral("Error: Incorrect command sequence for HostToMacXfer");

QString Trimmed(QString text) {
  while (text.endsWith(QLatin1Char(' '))) text.chop(1);
  return text;
}

class ProgramCommands : public ProgramOnTheBus {
 protected:
  void Run(const std::vector<Step>& steps) {
    for (const Step& s : steps) {
      const auto [reply, error] = Send(QString::fromLatin1(s.cls), QString::fromLatin1(s.id), s.text);
      EXPECT_EQ(Trimmed(reply).toStdString(), s.reply.toStdString())
          << s.cls << "/" << s.id << " " << s.text.toStdString();
      EXPECT_EQ(error, s.error) << s.cls << "/" << s.id;
    }
  }
};

TEST_F(ProgramCommands, TheScreenAndTheCursorAsTheHostLeftThem) {
  // The host wrote rows 1 to 5 and waits after "login: " (row 5, column 8).
  Run({
      {"xfer", "line", "1", "Korvane test host"},
      {"xfer", "line", "0", "Korvane test host"},
      {"xfer", "line", "-3", "Korvane test host"},
      {"xfer", "line", "&H3", "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ"},
      {"xfer", "line", "4.7", "line four"},
      {"xfer", "line", "200", ""},
      {"xfer", "getr", "", ""},
      {"xfer", "rowx", "2", ""},
      {"xfer", "cost", "0", ""},
      {"xfer", "coen", "9", "0123456789"},
      {"xfer", "getr", "", ""},
      {"xfer", "rowx", "2", ""},
      {"xfer", "cost", "5", ""},
      {"xfer", "coen", "2", "5"},
      {"xfer", "getr", "", ""},
      {"xfer", "rowx", "0", ""},
      {"xfer", "cost", "8", ""},
      {"xfer", "coen", "999", "test host"},
      // Out of sequence: an error, and the sequence is where it was.
      {"xfer", "rowx", "1", kRowError},
      {"xfer", "getr", "", ""},
      {"xfer", "coen", "3", kColEndError},
      {"xfer", "cost", "3", kColStartError},
      {"xfer", "rowx", "3", ""},
      {"xfer", "coen", "3", kColEndError},
      {"xfer", "cost", "0", ""},
      {"xfer", "coen", "3", "line"},
      {"curs", "curc", "", "7"},
      {"curs", "curr", "", " 4"},
  });
  // A row is as wide as the session less one column.
  const QString row = Send(QStringLiteral("xfer"), QStringLiteral("line"), QStringLiteral("1")).first;
  EXPECT_EQ(row.size(), std::min(cols, 206) - 1);
  EXPECT_EQ(Send(QStringLiteral("xfer"), QStringLiteral("line"), QStringLiteral("90")).first.size(), row.size());
}

TEST_F(ProgramCommands, MessagesAndKeysReachTheHostAndTheScreen) {
  QElapsedTimer waited;
  Run({
      {"cstm", "mssh", "alice", "Message sent to host"},
      // The next event runs once the host has answered.
      {"xfer", "line", "6", "Welcome, alice"},
      {"xfer", "line", "7", "$"},
      {"cstm", "mssh", "y{nocr}", "Message sent to host"},
      {"cstm", "mssh", "abc{NOCR}", "Message sent to host"},
      {"xfer", "line", "7", "$ yabc{NOCR}"},
      {"xfer", "line", "8", "got yabc{NOCR}"},
      {"cmds", "ctrl", "c", ""},
      {"cmds", "ctrl", "[", ""},
      {"cmds", "ctrl", "@", ""},
      {"cmds", "escp", "", ""},
      {"cmds", "tab ", "", ""},
      {"cmds", "brek", "", ""},
      {"cstm", "mssg", QString::fromUtf8("Backup done \u2013 caf\u00e9 \u2713"), ""},
  });
  EXPECT_TRUE(WaitFor([this] { return Record().endsWith(QLatin1String("03 1b 1b 09 ")); })) << Record().toStdString();
  EXPECT_EQ(Record(), QStringLiteral("61 6c 69 63 65 0d 79 61 62 63 7b 4e 4f 43 52 7d 0d 03 1b 1b 09 "))
      << "alice CR, y alone, abc{NOCR} CR, ^C, ESC, nothing for @, ESC, TAB; a local shell has no break";
  // The message stands below the last row; what Mac Roman cannot hold reads
  // back as "?".
  EXPECT_EQ(Line(rows + 1), QString::fromUtf8("Backup done \u2013 caf\u00e9 ?"));
  waited.start();
  Run({{"cmds", "wait", "1.9", ""}});
  EXPECT_GE(waited.elapsed(), 1000);
  EXPECT_LT(waited.elapsed(), 1900) << "1.9 seconds are 1";
}

TEST_F(ProgramCommands, ScreenTextGoesToTheClipboardAndPasteSendsItToTheHost) {
  Run({
      {"cstm", "mssh", "alice", "Message sent to host"},
      {"xfer", "getr", "", ""},
      {"xfer", "rowx", "0", ""},
      {"xfer", "cost", "0", ""},
      {"xfer", "coen", "6", "Korvane"},
      // Without a text, the last reply is copied; with one, the text.
      {"xfer", "cpyr", "", ""},
      {"xfer", "apnd", "two", ""},
      {"xfer", "pste", "", ""},
  });
  const QString pasted = QStringLiteral("61 6c 69 63 65 0d 4b 6f 72 76 61 6e 65 0d 74 77 6f 0d ");
  EXPECT_TRUE(WaitFor([&] { return Record() == pasted; })) << Record().toStdString();
  EXPECT_TRUE(WaitFor([this] { return Line(8) == "got Korvane" && Line(10) == "got two"; })) << Line(10).toStdString();
  // An emptied clipboard pastes nothing.
  Run({{"xfer", "cclp", "", ""}, {"xfer", "pste", "", ""}, {"conx", "icno", "", "Yes"}});
  QThread::msleep(300);
  EXPECT_EQ(Record(), pasted);
}

TEST_F(ProgramCommands, TheConnectionClosesAndOpensAgainAndTheQueriesFollowIt) {
  Run({
      {"conx", "icno", "", "Yes"},
      {"conx", "conm", "", "local shell"},
      {"xfer", "drec", "", "Yes"},
      {"xfer", "drec", "", "No"},
      {"xfer", "xfrd", "", "Yes"},
      {"conx", "cloc", "", ""},
      {"conx", "icno", "", "No"},
      {"cstm", "mssh", "ls", "Error. Connection is not open to host."},
      {"conx", "opnc", "", ""},
      {"conx", "icno", "", "Yes"},
  });
  // A new host: the first one was logged out (^Z ^C "exit" CR).
  EXPECT_TRUE(WaitFor([this] { return Line(5) == "login:"; }));
  EXPECT_EQ(Record(), QStringLiteral("1a 03 65 78 69 74 0d ")) << "nothing of the refused message reached a host";
  Run({{"xfer", "drec", "", "Yes"}});
}

TEST_F(ProgramCommands, TheTransferChainAnswersEachStep) {
  const QString desktop = QDir(Path("Desktop")).absolutePath();
  Run({
      {"xfer", "hcmd", "cat x", kSequenceError},
      {"xfer", "htm2", "", "Got the MacToHostXfer command"},
      {"xfer", "hcmd", "cat report", "Got the HostCommand"},
      {"xfer", "fnam", "../report.txt", "Error: Incorrect file name for HostToMacXfer"},
      {"xfer", "htm2", "", "Got the MacToHostXfer command"},
      {"xfer", "hcmd", "cat report", "Got the HostCommand"},
      {"xfer", "fnam", "report.txt", desktop + "/report.txt"},
      {"xfer", "conv", "No", "Got the Convert command"},
      {"xfer", "fpr ", "3", "Got the FieldsPerRecord command"},
      {"xfer", "ovrw", "No", "Got the OverWrite command"},
      {"xfer", "lins", "1", "Got the LinesToSkip command"},
      {"xfer", "timo", "0", "Got the TimeOutTime command"},
      {"xfer", "lins", "1", kSequenceError},
      {"xfer", "pros", "", ""},
  });
  EXPECT_FALSE(QFileInfo::exists(Path("report.txt")));
}

TEST_F(ProgramCommands, RefusedEventsAnswerTheirErrorAndChangeNothing) {
  const QString screen = Line(1) + "|" + Line(2) + "|" + Line(3) + "|" + Line(4) + "|" + Line(5);
  Run({
      {"zzzz", "abcd", "x", "", -1708},
      {"dial", "zzzz", "", "", -1708},
      {"cstm", "ansr", "", "", -1708},
      {"xfe", "line", "1", "", -1708},
      {"xfer", "LINE", "1", "", -1708},
      {"aevt", "ansr", "", "", 0},
      // Bad parameters: what is no number reads as 0.
      {"cmds", "wait", "soon", ""},
      {"xfer", "line", "first", "Korvane test host"},
      // A capture path with "..", or with a control character.
      {"xfer", "setf", Path("Desktop/../escape.txt"), "Error! Incorrect path name supplied by the script."},
      {"xfer", "setf", "..", "Error! Incorrect path name supplied by the script."},
      {"xfer", "setf", Path("a\tb.txt"), "Error! Incorrect path name supplied by the script."},
      // The capture file is still the recorder file of the settings folder.
      {"xfer", "getc", "", Path("config/korvane/RECORDER")},
  });
  EXPECT_FALSE(QFileInfo::exists(Path("escape.txt")));
  EXPECT_FALSE(QFileInfo::exists(Path("a\tb.txt")));
  EXPECT_EQ(Line(1) + "|" + Line(2) + "|" + Line(3) + "|" + Line(4) + "|" + Line(5), screen);
  EXPECT_EQ(Record(), QString()) << "the host received nothing";

  // A call the generic method does not take is an error of the bus.
  const QDBusMessage wrong = Call(QStringLiteral("Script"), QStringLiteral("Send"), {QStringLiteral("xfer")});
  EXPECT_EQ(wrong.type(), QDBusMessage::ErrorMessage);
  EXPECT_EQ(wrong.errorName(), QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs"));
  const QDBusMessage unknown = Call(QStringLiteral("Transfer"), QStringLiteral("Frobnicate"), {});
  EXPECT_EQ(unknown.errorName(), QStringLiteral("org.freedesktop.DBus.Error.UnknownMethod"));
}

TEST_F(ProgramCommands, AScriptWrittenForAMacNamesItsCaptureFileByAColonPath) {
  // The user's folders by the names a Mac gives them: the program's user.
  const passwd* pw = getpwuid(getuid());
  ASSERT_NE(pw, nullptr);
  const QString mine = QStringLiteral("Disk:Users:") + QString::fromLocal8Bit(pw->pw_name);
  Run({
      {"xfer", "setf", mine + ":Desktop:colon.log", "Capture file set to " + Path("Desktop/colon.log")},
      {"xfer", "getc", "", Path("Desktop/colon.log")},
      // The Mac's step up to a parent folder, and a control character.
      {"xfer", "setf", mine + ":Desktop:::escape.txt", "Error! Incorrect path name supplied by the script."},
      {"xfer", "setf", mine + ":Desktop:a\x01b", "Error! Incorrect path name supplied by the script."},
      {"xfer", "getc", "", Path("Desktop/colon.log")},
  });
  EXPECT_FALSE(QFileInfo::exists(Path("escape.txt")));
}

TEST_F(ProgramCommands, ASecondStartHandsItsDocumentToTheFirstAndEnds) {
  WriteDocument(Path("second.kvst"), QStringLiteral("/bin/echo second document"));
  QProcess second;
  second.setProcessEnvironment(Environment());
  second.setWorkingDirectory(folder.path());
  // A relative name: the running program is given the whole path.
  second.start(QStringLiteral(KORVANE_PROGRAM), {QStringLiteral("second.kvst")});
  ASSERT_TRUE(second.waitForFinished(15000));
  EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(second.exitCode(), 0);
  // The first opened it in a window of its own, now the active session.
  EXPECT_TRUE(WaitFor([this] { return Line(1) == "second document"; })) << Line(1).toStdString();
  EXPECT_EQ(program.state(), QProcess::Running);
  EXPECT_TRUE(Serving());
}

TEST(ProgramWithoutABus, RunsAndOpensItsDocumentWithoutScripting) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const QString marker = folder.path() + "/started";
  QFile in(QStringLiteral(KORVANE_RESOURCES "/Local Shell"));
  ASSERT_TRUE(in.open(QIODevice::ReadOnly));
  QList<QByteArray> lines = in.readAll().split('\n');
  ASSERT_GT(lines.size(), 187);
  lines[184] = " 0";
  lines[185] = " 1";
  lines[186] = ("/usr/bin/touch " + marker).toUtf8();
  QFile out(folder.path() + "/touch.kvst");
  ASSERT_TRUE(out.open(QIODevice::WriteOnly));
  out.write(lines.join('\n'));
  out.close();

  QProcess program;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("HOME"), folder.path());
  env.insert(QStringLiteral("XDG_CONFIG_HOME"), folder.path() + "/config");
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), "unix:path=" + folder.path() + "/no-bus");
  env.remove(QStringLiteral("DISPLAY"));
  program.setProcessEnvironment(env);
  program.setProcessChannelMode(QProcess::MergedChannels);
  program.start(QStringLiteral(KORVANE_PROGRAM), {folder.path() + "/touch.kvst"});
  ASSERT_TRUE(program.waitForStarted(10000));
  EXPECT_TRUE(WaitFor([&] { return QFileInfo::exists(marker); })) << "the document was not opened";
  EXPECT_EQ(program.state(), QProcess::Running);
  program.terminate();
  program.waitForFinished(5000);
  EXPECT_TRUE(program.readAll().contains("Scripting is off: there is no session bus"));
}

}  // namespace
}  // namespace korvane::testing_support
