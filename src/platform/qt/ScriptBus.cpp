#include "platform/qt/ScriptBus.h"

#include <QDBusConnectionInterface>
#include <QDBusError>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <climits>

#include "platform/CharMap.h"
#include "scripting/BusNames.h"
#include "scripting/OpenDocuments.h"
#include "scripting/ScriptCommandSet.h"
#include "scripting/ScriptCommands.h"
#include "scripting/ScriptEventQueue.h"

Q_LOGGING_CATEGORY(lcScripting, "korvane.scripting")

namespace korvane::platform::qt {

namespace {

const QString kPrefix = QString::fromLatin1(scripting::kInterfacePrefix);
const QString kBusyError = QStringLiteral("org.korvane.Korvane.Error.Busy");

std::string ToProgramText(const QString& text) { return MacRomanFromUtf8(text.toUtf8().toStdString()); }

// A reply leaves as UTF-8; a NUL cannot travel in a bus string.
QString FromProgramText(std::string text) {
  for (char& c : text)
    if (c == '\0') c = ' ';
  return QString::fromStdString(Utf8FromMacRoman(text));
}

std::vector<std::string> Paths(const QStringList& list) {
  std::vector<std::string> paths;
  for (const QString& p : list) paths.push_back(QFile::encodeName(p).toStdString());
  return paths;
}

}  // namespace

ScriptBus::ScriptBus(QDBusConnection connection) : connection_(std::move(connection)) {
  timer_.setSingleShot(true);
  timer_.setTimerType(Qt::PreciseTimer);
  QObject::connect(&timer_, &QTimer::timeout, [this] { Service(); });
}

ScriptBus::~ScriptBus() {
  connection_.unregisterObject(QString::fromLatin1(scripting::kObjectPath));
  if (ownsName_ && connection_.interface())
    connection_.interface()->unregisterService(QString::fromLatin1(scripting::kBusName));
}

void ScriptBus::Attach(scripting::ScriptCommandSet& commands, scripting::ScriptTarget& target, Clock& clock) {
  target_ = &target;
  queue_ = std::make_unique<scripting::ScriptEventQueue>(commands, target, clock);
  std::vector<QDBusMessage> early;
  early.swap(early_);
  for (const QDBusMessage& m : early) Handle(m);
}

QString ScriptBus::introspect(const QString&) const {
  return QString::fromStdString(scripting::ScriptBusIntrospection());
}

bool ScriptBus::handleMessage(const QDBusMessage& message, const QDBusConnection&) {
  if (message.type() != QDBusMessage::MethodCallMessage) return false;
  // Introspection, Peer and Properties are the bus library's.
  if (message.interface().startsWith(QLatin1String("org.freedesktop.DBus."))) return false;
  if (!target_) {
    early_.push_back(message);
    return true;
  }
  Handle(message);
  return true;
}

void ScriptBus::SendError(const QDBusMessage& message, const QString& name, const QString& text) {
  if (message.isReplyRequired())
    connection_.send(message.createErrorReply(name, text));
  else
    qCWarning(lcScripting) << "script call" << message.member() << "refused:" << text;
}

void ScriptBus::Handle(const QDBusMessage& m) {
  const QString iface = m.interface();
  const QString member = m.member();
  const QList<QVariant> args = m.arguments();

  if (iface == kPrefix + QLatin1String(scripting::kGenericSuite) &&
      member == QLatin1String(scripting::kGenericMethod)) {
    if (m.signature() != QLatin1String("sss")) {
      SendError(m, QDBusError::errorString(QDBusError::InvalidArgs),
                QStringLiteral("Send takes three texts: the event class, the event ID and the direct text"));
      return;
    }
    std::string eventClass = ToProgramText(args[0].toString());
    std::string eventId = ToProgramText(args[1].toString());
    // The open-documents event has its own handler and is never held up by
    // the commands waiting in the queue; its direct text is one path.
    if (eventClass == "aevt" && eventId == "odoc") {
      OpenDocuments(m, Paths({args[2].toString()}));
      return;
    }
    Submit(m, std::move(eventClass), std::move(eventId), args[2].toString(), true, true);
    return;
  }

  const scripting::ScriptCommandInfo* info = nullptr;
  if (iface.startsWith(kPrefix)) {
    info = scripting::FindScriptMethod(iface.mid(kPrefix.size()).toStdString(), member.toStdString());
  } else if (iface.isEmpty()) {
    // A call without an interface names its method alone; only a name that
    // no two suites share can be found that way.
    int found = 0;
    for (const scripting::ScriptCommandInfo& c : scripting::ScriptCommands())
      if (!c.suite.empty() && QString::fromStdString(std::string(c.method)) == member) {
        info = &c;
        ++found;
      }
    if (found > 1) {
      SendError(m, QDBusError::errorString(QDBusError::UnknownMethod),
                QStringLiteral("Several suites have a method %1: name the interface").arg(member));
      return;
    }
  }
  if (!info) {
    SendError(m, QDBusError::errorString(QDBusError::UnknownMethod),
              QStringLiteral("No method %1 in interface %2").arg(member, iface));
    return;
  }
  const bool documents = info->command == scripting::ScriptCommand::OpenDocuments;
  const QString expected = documents ? QStringLiteral("as") : info->parameter.empty() ? QString() : QStringLiteral("s");
  if (m.signature() != expected) {
    QString why = QStringLiteral("%1 takes a list of paths");
    if (expected.isEmpty()) why = QStringLiteral("%1 takes no arguments");
    if (expected == QLatin1String("s")) why = QStringLiteral("%1 takes one text");
    SendError(m, QDBusError::errorString(QDBusError::InvalidArgs), why.arg(member));
    return;
  }
  if (documents) {
    OpenDocuments(m, Paths(args[0].toStringList()));
    return;
  }
  const QString text = expected.isEmpty() ? QString() : args[0].toString();
  Submit(m, std::string(info->eventClass), std::string(info->eventId), text, false, info->replies);
}

void ScriptBus::OpenDocuments(const QDBusMessage& message, const std::vector<std::string>& paths) {
  for (const std::string& skipped : scripting::OpenDocumentsHandler(*target_, paths))
    qCWarning(lcScripting) << "not opened: a document is named by its absolute path:"
                           << QString::fromStdString(skipped);
  if (message.isReplyRequired()) {
    QDBusMessage reply = message.createReply();
    if (message.member() == QLatin1String(scripting::kGenericMethod)) reply << QString() << 0;
    connection_.send(reply);
  }
}

void ScriptBus::Submit(const QDBusMessage& message, std::string eventClass, std::string eventId, const QString& text,
                       bool generic, bool replies) {
  scripting::ScriptEvent event;
  event.eventClass = std::move(eventClass);
  event.eventId = std::move(eventId);
  event.directText = ToProgramText(text);
  QDBusConnection connection = connection_;
  auto done = [connection, message, generic, replies](const scripting::ScriptOutcome& outcome) mutable {
    if (!message.isReplyRequired()) {
      // The caller asked for no answer: there is nothing to put it into.
      if (outcome.replyPut) qCInfo(lcScripting) << "gMyFBAEReply.dataHandle is nil";
      return;
    }
    QDBusMessage reply = message.createReply();
    const QString answer = outcome.replyPut ? FromProgramText(outcome.replyText) : QString();
    if (generic)
      reply << answer << static_cast<int>(outcome.result != 0 ? outcome.result : outcome.errorNumber);
    else if (replies)
      reply << answer;
    connection.send(reply);
  };
  if (!queue_->Submit(std::move(event), std::move(done))) {
    SendError(message, kBusyError,
              QStringLiteral("%1 script commands are already waiting; send more when they are done")
                  .arg(scripting::ScriptEventQueue::kMaxWaiting));
    return;
  }
  Service();
}

void ScriptBus::Service() {
  const int64_t next = queue_->Service();
  if (onServiced) onServiced();
  if (next < 0)
    timer_.stop();
  else
    timer_.start(static_cast<int>(std::min<int64_t>(next, INT_MAX)));
}

ScriptingStart StartScriptingOrHandOver(const QStringList& documents) {
  ScriptingStart start;
  // The bus library reports failed calls to this thread with these types;
  // registered before its own thread can need them.
  qRegisterMetaType<QDBusError>();
  qRegisterMetaType<QDBusMessage>();
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) {
    start.message = QStringLiteral("Scripting is off: there is no session bus (%1).").arg(bus.lastError().message());
    return start;
  }
  const QString path = QString::fromLatin1(scripting::kObjectPath);
  const QString name = QString::fromLatin1(scripting::kBusName);
  QStringList absolute;
  for (const QString& d : documents)
    if (!d.isEmpty()) absolute << QDir::cleanPath(QFileInfo(d).absoluteFilePath());

  auto service = std::make_unique<ScriptBus>(bus);
  // Twice at most: an instance that was quitting may let the name go between
  // the claim and the hand-over, and this one then takes its place.
  for (int attempt = 0; attempt < 2; ++attempt) {
    if (!bus.registerVirtualObject(path, service.get(), QDBusConnection::SingleNode)) {
      start.message = QStringLiteral("Scripting is off: %1 is already served in this program.").arg(path);
      return start;
    }
    const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> claim = bus.interface()->registerService(
        name, QDBusConnectionInterface::DontQueueService, QDBusConnectionInterface::DontAllowReplacement);
    if (claim.isValid() && claim.value() == QDBusConnectionInterface::ServiceRegistered) {
      start.outcome = ScriptingStart::kServing;
      service->ownsName_ = true;
      start.bus = std::move(service);
      return start;
    }
    bus.unregisterObject(path);
    if (!claim.isValid()) {
      start.message =
          QStringLiteral("Scripting is off: the name %1 could not be claimed (%2).").arg(name, claim.error().message());
      return start;
    }
    QDBusMessage call =
        QDBusMessage::createMethodCall(name, path, kPrefix + QLatin1String(scripting::kApplicationSuite),
                                       QLatin1String(scripting::kOpenDocumentsMethod));
    call << absolute;
    const QDBusMessage answer = bus.call(call, QDBus::Block, 10000);
    if (answer.type() == QDBusMessage::ReplyMessage) {
      start.outcome = ScriptingStart::kHandedOver;
      return start;
    }
    start.message = QStringLiteral("The running Korvane did not take the documents (%1).").arg(answer.errorMessage());
  }
  return start;
}

}  // namespace korvane::platform::qt
