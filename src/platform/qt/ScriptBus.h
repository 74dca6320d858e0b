#pragma once
// The scripting service on the user's session bus: org.korvane.Korvane at
// /org/korvane/Korvane.
//
// One generic method, org.korvane.Korvane.Script.Send(eventClass, eventId,
// directText) -> (reply, error), reaches every event of the command set by its
// four-character codes and answers exactly as the command set does (error 0,
// or -1708 for an event outside it). Each suite also has an interface of named
// methods for people (org.korvane.Korvane.Message.SendToHost, ...). Both are
// built from the one command table, and every call goes through the same
// queue: one event at a time, paced, in arrival order. Texts are UTF-8 on the
// bus and the program's 8-bit codes inside.
//
// One instance per session bus: the first start of the program owns the name;
// a later start hands its documents to it and ends.

#include <functional>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QStringList>
#include <QTimer>
#include <memory>
#include <vector>

namespace korvane::platform {
class Clock;
}
namespace korvane::scripting {
class ScriptCommandSet;
class ScriptEventQueue;
class ScriptTarget;
}  // namespace korvane::scripting

namespace korvane::platform::qt {

class ScriptBus final : public QDBusVirtualObject {
 public:
  explicit ScriptBus(QDBusConnection connection);
  ~ScriptBus() override;
  ScriptBus(const ScriptBus&) = delete;
  ScriptBus& operator=(const ScriptBus&) = delete;

  // Gives the service what the commands act on. Calls that arrived before
  // are carried out now, in order.
  void Attach(scripting::ScriptCommandSet& commands, scripting::ScriptTarget& target, Clock& clock);
  // Called after events were carried out: what they asked of the program
  // waits for the main loop's next turn, which must not sleep past it.
  std::function<void()> onServiced;

  QString introspect(const QString& path) const override;
  bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

 private:
  void Handle(const QDBusMessage& message);
  void OpenDocuments(const QDBusMessage& message, const std::vector<std::string>& paths);
  void Submit(const QDBusMessage& message, std::string eventClass, std::string eventId, const QString& text,
              bool generic, bool replies);
  void Service();
  void SendError(const QDBusMessage& message, const QString& name, const QString& text);
  friend struct ScriptingStart StartScriptingOrHandOver(const QStringList& documents);

  QDBusConnection connection_;
  bool ownsName_ = false;
  scripting::ScriptTarget* target_ = nullptr;
  std::unique_ptr<scripting::ScriptEventQueue> queue_;
  std::vector<QDBusMessage> early_;
  QTimer timer_;
};

// How the program's start went on the bus.
struct ScriptingStart {
  enum Outcome {
    kServing,     // this process owns the name; attach the service once the program is up
    kHandedOver,  // another instance owns it and has taken the documents: exit 0
    kWithoutBus,  // no session bus, or the hand-over failed: run without scripting (see message)
  };
  Outcome outcome = kWithoutBus;
  std::unique_ptr<ScriptBus> bus;
  QString message;
};

// The first thing the program does once its QApplication exists: claims the
// name on the session bus, or, when a running instance holds it, hands it the
// documents (made absolute against this process's folder) through
// org.korvane.Korvane.Application.OpenDocuments.
ScriptingStart StartScriptingOrHandOver(const QStringList& documents);

}  // namespace korvane::platform::qt
