// korvane-ctl: drives the running Korvane's active session from a shell,
// through its scripting service on the session bus.
//
//   korvane-ctl send TEXT            types TEXT and a return to the host
//   korvane-ctl row N                prints row N of the screen (1 is the top row)
//   korvane-ctl cursor               prints the cursor's row and column, counted from 0
//   korvane-ctl open | close         opens or closes the session's connection
//   korvane-ctl capture FILE         captures host output to FILE (appended)
//   korvane-ctl event CLASS ID [TEXT]  sends any event of the command set by its
//                                    four-character codes and prints its reply (if any)
//
// Exit status: 0 done, 1 Korvane refused or could not be reached, 2 bad usage.

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QFileInfo>
#include <QStringList>
#include <climits>
#include <cstdio>

#include "scripting/BusNames.h"

namespace {

constexpr int kDone = 0, kRefused = 1, kUsage = 2;

const char* kUsageText =
    "usage: korvane-ctl send TEXT\n"
    "       korvane-ctl row N\n"
    "       korvane-ctl cursor\n"
    "       korvane-ctl open | close\n"
    "       korvane-ctl capture FILE\n"
    "       korvane-ctl event CLASS ID [TEXT]\n";

void Print(FILE* to, const QString& text) {
  std::fputs(text.toUtf8().constData(), to);
  std::fputc('\n', to);
}

// A connection of this program's own, closed before the program ends, so that
// nothing of the bus is still at work while the program winds down.
const QString kConnectionName = QStringLiteral("korvane-ctl");

QDBusConnection Bus() { return QDBusConnection(kConnectionName); }

// One call of the service; false (and the reason on stderr) when it failed.
bool Call(const char* suite, const char* method, const QVariantList& args, QList<QVariant>& out) {
  QDBusMessage call = QDBusMessage::createMethodCall(
      QString::fromLatin1(korvane::scripting::kBusName), QString::fromLatin1(korvane::scripting::kObjectPath),
      QString::fromLatin1(korvane::scripting::kInterfacePrefix) + QLatin1String(suite), QLatin1String(method));
  call.setArguments(args);
  // A script's "wait" may hold the answer for a long time.
  const QDBusMessage answer = Bus().call(call, QDBus::Block, INT_MAX);
  if (answer.type() != QDBusMessage::ReplyMessage) {
    if (!Bus().isConnected())
      Print(stderr, QStringLiteral("korvane-ctl: there is no session bus (%1)").arg(Bus().lastError().message()));
    else if (answer.errorName() == QLatin1String("org.freedesktop.DBus.Error.ServiceUnknown"))
      Print(stderr, QStringLiteral("korvane-ctl: Korvane is not running on this session bus"));
    else
      Print(stderr, QStringLiteral("korvane-ctl: %1").arg(answer.errorMessage()));
    return false;
  }
  out = answer.arguments();
  return true;
}

QString Text(const QList<QVariant>& out) { return out.isEmpty() ? QString() : out.first().toString(); }

int Run(const QStringList& args) {
  if (args.isEmpty()) return kUsage;
  const QString command = args[0];
  QList<QVariant> out;
  if (command == QLatin1String("send") && args.size() == 2) {
    if (!Call("Message", "SendToHost", {args[1]}, out)) return kRefused;
    Print(stdout, Text(out));
    return kDone;
  }
  if (command == QLatin1String("row") && args.size() == 2) {
    if (!Call("Transfer", "Line", {args[1]}, out)) return kRefused;
    Print(stdout, Text(out));
    return kDone;
  }
  if (command == QLatin1String("cursor") && args.size() == 1) {
    QList<QVariant> column;
    if (!Call("Cursor", "Row", {}, out) || !Call("Cursor", "Column", {}, column)) return kRefused;
    Print(stdout, Text(out).trimmed() + QLatin1Char(' ') + Text(column).trimmed());
    return kDone;
  }
  if ((command == QLatin1String("open") || command == QLatin1String("close")) && args.size() == 1)
    return Call("Connection", command == QLatin1String("open") ? "Open" : "Close", {}, out) ? kDone : kRefused;
  if (command == QLatin1String("capture") && args.size() == 2) {
    // The service runs in another folder: it is given the whole path.
    const QString path = QFileInfo(args[1]).absoluteFilePath();
    if (!Call("Transfer", "SetCaptureFile", {path}, out)) return kRefused;
    const QString answer = Text(out);
    // The capture file is set when the answer names it; otherwise the answer
    // says why, and the capture stays as it was.
    if (!answer.endsWith(path)) {
      Print(stderr, QStringLiteral("korvane-ctl: %1").arg(answer));
      return kRefused;
    }
    Print(stdout, answer);
    if (!Call("Transfer", "CaptureOpen", {}, out)) return kRefused;
    Print(stdout, Text(out));
    return kDone;
  }
  if (command == QLatin1String("event") && (args.size() == 3 || args.size() == 4)) {
    const QString text = args.size() == 4 ? args[3] : QString();
    if (!Call(korvane::scripting::kGenericSuite, korvane::scripting::kGenericMethod, {args[1], args[2], text}, out))
      return kRefused;
    if (!Text(out).isEmpty()) Print(stdout, Text(out));
    const int error = out.size() > 1 ? out[1].toInt() : 0;
    if (error != 0) {
      Print(stderr, QStringLiteral("korvane-ctl: error %1: the event is not part of the command set").arg(error));
      return kRefused;
    }
    return kDone;
  }
  return kUsage;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QStringList args = QCoreApplication::arguments();
  args.removeFirst();
  // The bus library reports a failed call to this thread with these types;
  // registered here, before its own thread can need them.
  qRegisterMetaType<QDBusError>();
  qRegisterMetaType<QDBusMessage>();
  QDBusConnection::connectToBus(QDBusConnection::SessionBus, kConnectionName);
  const int status = Run(args);
  QDBusConnection::disconnectFromBus(kConnectionName);
  if (status == kUsage) std::fputs(kUsageText, stderr);
  return status;
}
