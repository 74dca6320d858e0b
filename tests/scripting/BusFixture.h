#pragma once
// Tests of the scripting service on the bus: each test runs on a session bus
// of its own (dbus-run-session) and starts korvane_script_fixture, which
// serves the real service over a recording target on a real screen.

#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QElapsedTimer>
#include <QProcess>
#include <QStringList>
#include <QThread>
#include <memory>
#include <string>
#include <utility>

#include "scripting/BusNames.h"

namespace korvane::testing_support {

// A program's output and exit status.
struct Ran {
  int status = -1;
  QString out, err;
};

// Runs a program with an argument vector and waits for it to end.
inline Ran RunProgram(const QString& program, const QStringList& args, const QString& folder = {}, int msecs = 30000) {
  QProcess p;
  if (!folder.isEmpty()) p.setWorkingDirectory(folder);
  p.start(program, args);
  Ran r;
  if (!p.waitForStarted(10000) || !p.waitForFinished(msecs)) {
    p.kill();
    p.waitForFinished();
    r.err = QStringLiteral("did not finish: ") + program;
    return r;
  }
  r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
  r.out = QString::fromUtf8(p.readAllStandardOutput());
  r.err = QString::fromUtf8(p.readAllStandardError());
  return r;
}

class BusTest : public ::testing::Test {
 protected:
  static QDBusConnection Bus() { return QDBusConnection::sessionBus(); }

  void SetUp() override {
    ASSERT_TRUE(Bus().isConnected()) << "no session bus: run the tests under dbus-run-session";
    ASSERT_FALSE(Bus().interface()->isServiceRegistered(QString::fromLatin1(scripting::kBusName)))
        << "a Korvane already serves this bus: run the tests under dbus-run-session";
    fixture = StartFixture({});
    ASSERT_TRUE(fixture) << "the fixture did not start";
  }
  void TearDown() override { StopFixture(fixture); }

  // Starts the fixture with documents; null unless it says it serves.
  std::unique_ptr<QProcess> StartFixture(const QStringList& documents, QString* firstLine = nullptr) {
    auto p = std::make_unique<QProcess>();
    p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p->start(QStringLiteral(KORVANE_SCRIPT_FIXTURE), documents);
    if (!p->waitForStarted(10000)) return nullptr;
    while (!p->canReadLine())
      if (!p->waitForReadyRead(10000)) return nullptr;
    const QString line = QString::fromUtf8(p->readLine()).trimmed();
    if (firstLine) *firstLine = line;
    if (!line.startsWith(QLatin1String("serving"))) return nullptr;
    return p;
  }
  void StopFixture(std::unique_ptr<QProcess>& p) {
    if (!p) return;
    Control("Quit", {});
    if (!p->waitForFinished(5000)) {
      p->kill();
      p->waitForFinished();
    }
    p.reset();
    // The bus notices the end of a connection in its own time.
    QElapsedTimer waited;
    waited.start();
    while (Bus().interface()->isServiceRegistered(QString::fromLatin1(scripting::kBusName)) && waited.elapsed() < 5000)
      QThread::msleep(10);
  }

  // The generic method: (reply, error).
  std::pair<QString, int> Send(const QString& cls, const QString& id, const QString& text = {}) {
    QDBusMessage m = Call(QString::fromLatin1(scripting::kGenericSuite), QString::fromLatin1(scripting::kGenericMethod),
                          {cls, id, text});
    if (m.type() != QDBusMessage::ReplyMessage || m.arguments().size() != 2) {
      ADD_FAILURE() << "Send " << cls.toStdString() << "/" << id.toStdString() << ": "
                    << m.errorMessage().toStdString();
      return {QStringLiteral("<no answer>"), 0};
    }
    return {m.arguments()[0].toString(), m.arguments()[1].toInt()};
  }
  // A method of a suite ("Message", "SendToHost").
  QDBusMessage Call(const QString& suite, const QString& method, const QVariantList& args, int msecs = 20000) {
    QDBusMessage m = QDBusMessage::createMethodCall(QString::fromLatin1(scripting::kBusName),
                                                    QString::fromLatin1(scripting::kObjectPath),
                                                    QString::fromLatin1(scripting::kInterfacePrefix) + suite, method);
    m.setArguments(args);
    return Bus().call(m, QDBus::Block, msecs);
  }
  // The fixture's test interface.
  QDBusMessage Control(const QString& method, const QVariantList& args) {
    QDBusMessage m = QDBusMessage::createMethodCall(QString::fromLatin1(scripting::kBusName),
                                                    QStringLiteral("/org/korvane/KorvaneTest"),
                                                    QStringLiteral("org.korvane.KorvaneTest"), method);
    m.setArguments(args);
    return Bus().call(m, QDBus::Block, 5000);
  }
  void Set(const QString& key, const QString& value) {
    const QDBusMessage m = Control(QStringLiteral("Set"), {key, value});
    ASSERT_EQ(m.type(), QDBusMessage::ReplyMessage) << m.errorMessage().toStdString();
  }
  void Write(int row, int col, const QString& text) { Control(QStringLiteral("Write"), {row, col, text}); }
  // What the commands asked of the program since the last look.
  QStringList Journal() {
    const QDBusMessage m = Control(QStringLiteral("Journal"), {});
    return m.arguments().isEmpty() ? QStringList{QStringLiteral("<no journal>")} : m.arguments()[0].toStringList();
  }
  QString Value(const QString& key) {
    const QDBusMessage m = Control(QStringLiteral("Value"), {key});
    return m.arguments().isEmpty() ? QStringLiteral("<no value>") : m.arguments()[0].toString();
  }

  std::unique_ptr<QProcess> fixture;
};

}  // namespace korvane::testing_support
