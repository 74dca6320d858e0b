#pragma once
// The real program on a session bus of its own (dbus-run-session), drawing
// offscreen, with one local session whose program is the fake host
// (korvane_test_fake_host): a known screen, a login prompt, and a record of
// every byte the host receives. Tests drive it through the bus as scripts do.

#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>
#include <QThread>
#include <functional>
#include <string>
#include <utility>

#include "scripting/BusFixture.h"
#include "scripting/BusNames.h"

namespace korvane::testing_support {

// Waits up to ten seconds for `done`.
inline bool WaitFor(const std::function<bool()>& done, int msecs = 10000) {
  QElapsedTimer t;
  t.start();
  while (!done()) {
    if (t.elapsed() > msecs) return false;
    QThread::msleep(50);
  }
  return true;
}

class ProgramOnTheBus : public ::testing::Test {
 protected:
  static QDBusConnection Bus() { return QDBusConnection::sessionBus(); }
  static bool Serving() { return Bus().interface()->isServiceRegistered(QString::fromLatin1(scripting::kBusName)); }

  void SetUp() override {
    ASSERT_TRUE(folder.isValid());
    ASSERT_TRUE(Bus().isConnected()) << "no session bus: run the tests under dbus-run-session";
    ASSERT_FALSE(Serving()) << "a Korvane already serves this bus: run the tests under dbus-run-session";
    ASSERT_TRUE(QDir().mkpath(Path("config/korvane/scripts")));
    ASSERT_TRUE(QDir().mkpath(Path("Desktop")));
    WriteDocument(Path("host.kvst"), QStringLiteral(KORVANE_FAKE_HOST));
    program.setProcessEnvironment(Environment());
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    program.setWorkingDirectory(folder.path());
    program.start(QStringLiteral(KORVANE_PROGRAM), {Path("host.kvst")});
    ASSERT_TRUE(program.waitForStarted(10000));
    ASSERT_TRUE(WaitFor([] { return Serving(); })) << "the program did not claim its name on the bus";
    ASSERT_TRUE(WaitFor([this] { return Line(5) == "login:"; })) << "the host's login prompt did not appear";
    const QRegularExpressionMatch size = QRegularExpression(QStringLiteral("^rows (\\d+) cols (\\d+)$")).match(Line(2));
    ASSERT_TRUE(size.hasMatch()) << Line(2).toStdString();
    rows = size.captured(1).toInt();
    cols = size.captured(2).toInt();
  }

  void TearDown() override {
    if (program.state() != QProcess::NotRunning) {
      program.terminate();
      if (!program.waitForFinished(5000)) {
        program.kill();
        program.waitForFinished();
      }
    }
  }

  QString Path(const QString& name) const { return folder.path() + "/" + name; }

  // The environment of the program: its own home and settings, offscreen.
  QProcessEnvironment Environment() const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), folder.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), Path("config"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), Path("data"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("KORVANE_FAKE_HOST_RECORD"), Path("record"));
    return env;
  }

  // The "Local Shell" document with `program` as the shell's program (lines
  // 121 to 123 of the settings follow the 64 function-key lines).
  void WriteDocument(const QString& path, const QString& programLine) const {
    QFile in(QStringLiteral(KORVANE_RESOURCES "/Local Shell"));
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    QList<QByteArray> lines = in.readAll().split('\n');
    ASSERT_GT(lines.size(), 187);
    lines[184] = " 0";
    lines[185] = " 1";
    lines[186] = programLine.toUtf8();
    QFile out(path);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
    out.write(lines.join('\n'));
  }

  // The generic method: (reply, error). An answer that is not one says so in
  // the reply.
  std::pair<QString, int> Send(const QString& cls, const QString& id, const QString& text = {}) {
    QDBusMessage m = Call(QString::fromLatin1(scripting::kGenericSuite), QString::fromLatin1(scripting::kGenericMethod),
                          {cls, id, text});
    if (m.type() != QDBusMessage::ReplyMessage || m.arguments().size() != 2)
      return {QStringLiteral("<no answer: %1>").arg(m.errorMessage()), 0};
    return {m.arguments()[0].toString(), m.arguments()[1].toInt()};
  }
  QDBusMessage Call(const QString& suite, const QString& method, const QVariantList& args, int msecs = 20000) {
    QDBusMessage m = QDBusMessage::createMethodCall(QString::fromLatin1(scripting::kBusName),
                                                    QString::fromLatin1(scripting::kObjectPath),
                                                    QString::fromLatin1(scripting::kInterfacePrefix) + suite, method);
    m.setArguments(args);
    return Bus().call(m, QDBus::Block, msecs);
  }
  // Row n of the screen (from 1), without the blanks after its text.
  QString Line(int n) {
    QString text = Send(QStringLiteral("xfer"), QStringLiteral("line"), QString::number(n)).first;
    while (text.endsWith(QLatin1Char(' '))) text.chop(1);
    return text;
  }
  // What the host received, as hexadecimal bytes ("61 0d ").
  QString Record() const {
    QFile f(Path("record"));
    return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()) : QString();
  }

  QTemporaryDir folder;
  QProcess program;
  // The size of the host's terminal, as the host reports it.
  int rows = 0, cols = 0;
};

}  // namespace korvane::testing_support
