// korvane_script_fixture: serves the real scripting service over a recording
// script target on a real screen, as the program would, for the bus tests.
//
// korvane_script_fixture [FILE...] starts as the program starts: it claims
// the name or hands its files to the instance that holds it (and then prints
// "handed over" and exits 0). When it serves, it prints "serving" and its own
// files, and offers a test interface, org.korvane.KorvaneTest at
// /org/korvane/KorvaneTest, through which a test sets the state the commands
// read and reads back what they did:
//   Set(s key, s value)          the target's and the screen's values
//   Write(i row, i col, s text)  characters into the screen's character plane
//   Journal() -> as              what the commands asked of the program
//   Value(s key) -> s            the command set's own state
//   Quit()

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QStringList>
#include <cstdio>
#include <functional>
#include <map>

#include "fakes/FakeScreenHost.h"
#include "fakes/RecordingScriptTarget.h"
#include "platform/CharMap.h"
#include "platform/Clock.h"
#include "platform/NullPort.h"
#include "platform/qt/ScriptBus.h"
#include "scripting/ScriptCommandSet.h"
#include "screen/Screen.h"

namespace {

using korvane::fakes::RecordingScriptTarget;
using korvane::scripting::ScriptCommandSet;

bool Flag(const std::string& v) { return v == "1" || v == "true" || v == "yes"; }

class TestControl final : public QDBusVirtualObject {
 public:
  TestControl(QDBusConnection bus, RecordingScriptTarget& target, korvane::Screen& screen, ScriptCommandSet& commands,
              korvane::SessionOptions& options)
      : bus_(std::move(bus)), target_(target), screen_(screen), commands_(commands), options_(options) {}

  QString introspect(const QString&) const override {
    return QStringLiteral(
        "<interface name=\"org.korvane.KorvaneTest\">"
        "<method name=\"Set\"><arg type=\"s\" direction=\"in\"/><arg type=\"s\" direction=\"in\"/></method>"
        "<method name=\"Write\"><arg type=\"i\" direction=\"in\"/><arg type=\"i\" direction=\"in\"/>"
        "<arg type=\"s\" direction=\"in\"/></method>"
        "<method name=\"Journal\"><arg type=\"as\" direction=\"out\"/></method>"
        "<method name=\"Value\"><arg type=\"s\" direction=\"in\"/><arg type=\"s\" direction=\"out\"/></method>"
        "<method name=\"Quit\"/></interface>");
  }

  bool handleMessage(const QDBusMessage& m, const QDBusConnection&) override {
    if (m.type() != QDBusMessage::MethodCallMessage || m.interface() != QLatin1String("org.korvane.KorvaneTest"))
      return false;
    const QList<QVariant> a = m.arguments();
    QDBusMessage reply = m.createReply();
    if (m.member() == QLatin1String("Set") && a.size() == 2) {
      if (!Set(a[0].toString().toStdString(), a[1].toString().toStdString())) {
        bus_.send(
            m.createErrorReply(QStringLiteral("org.korvane.KorvaneTest.Error"), "unknown key " + a[0].toString()));
        return true;
      }
    } else if (m.member() == QLatin1String("Write") && a.size() == 3) {
      int col = a[1].toInt();
      for (char c : korvane::platform::MacRomanFromUtf8(a[2].toString().toStdString()))
        screen_.ScreenChars(a[0].toInt(), col++) = static_cast<uint8_t>(c);
    } else if (m.member() == QLatin1String("Journal")) {
      QStringList lines;
      for (const std::string& line : target_.journal)
        lines << QString::fromStdString(korvane::platform::Utf8FromMacRoman(line));
      target_.journal.clear();
      reply << lines;
    } else if (m.member() == QLatin1String("Value") && a.size() == 1) {
      reply << QString::fromStdString(korvane::platform::Utf8FromMacRoman(Value(a[0].toString().toStdString())));
    } else if (m.member() == QLatin1String("Quit")) {
      QCoreApplication::quit();
    } else {
      bus_.send(m.createErrorReply(QStringLiteral("org.korvane.KorvaneTest.Error"), "bad call " + m.member()));
      return true;
    }
    bus_.send(reply);
    return true;
  }

 private:
  bool Set(const std::string& key, const std::string& raw) {
    const std::string value = korvane::platform::MacRomanFromUtf8(raw);
    const int n = atoi(value.c_str());
    const std::map<std::string, std::function<void()>> setters = {
        {"startingUp", [&] { target_.startingUp = Flag(value); }},
        {"hostConnected", [&] { target_.hostConnected = Flag(value); }},
        {"connectionOpen", [&] { target_.connectionOpen = Flag(value); }},
        {"hostDataArrived", [&] { target_.hostDataArrived = Flag(value); }},
        {"windowOpen", [&] { target_.windowOpen = Flag(value); }},
        {"cursorRow", [&] { target_.copies.ScriptCursorRow = static_cast<int16_t>(n); }},
        {"cursorCol", [&] { target_.copies.ScriptCursorCol = static_cast<int16_t>(n); }},
        {"screenRows", [&] { target_.copies.ScriptScreenRows = static_cast<int16_t>(n); }},
        {"sessionColumns", [&] { target_.copies.SessionColumns = static_cast<int16_t>(n); }},
        {"screenCols", [&] { screen_.ScreenCols = static_cast<int16_t>(n); }},
        {"captureFileName", [&] { target_.copies.ScriptCaptureFileName = value; }},
        {"captureOn", [&] { target_.copies.ScriptCaptureOn = Flag(value); }},
        {"currentCapture", [&] { target_.captureFileName = value; }},
        {"setCaptureReply", [&] { target_.setCaptureReply = value; }},
        {"hostToMacReply", [&] { target_.hostToMacReply = value; }},
        {"sendFileReply", [&] { target_.sendFileReply = value; }},
        {"desktop", [&] { target_.desktopFolder = value; }},
        {"usesPty", [&] { options_.UsesPty = Flag(value); }},
        {"telnet", [&] { options_.TelnetSession = Flag(value); }},
        {"ssh", [&] { options_.SshSession = Flag(value); }},
        {"localShell", [&] { options_.LocalShellSession = Flag(value); }},
        {"serialPort", [&] { target_.serialPort = static_cast<int16_t>(n); }},
        {"serialPortNames",
         [&] {
           target_.serialPortNames.clear();
           size_t start = 0;
           while (start <= value.size()) {
             size_t end = value.find(',', start);
             if (end == std::string::npos) end = value.size();
             target_.serialPortNames.push_back(value.substr(start, end - start));
             start = end + 1;
           }
         }},
        {"collectMode", [&] { target_.transfers.CollectModeOn = Flag(value); }},
        {"upload", [&] { target_.transfers.UploadInProgress = Flag(value); }},
        {"transfer", [&] { target_.transfers.TransferInProgress = Flag(value); }},
        {"cancelled", [&] { target_.transfers.HostToMacCancelled = Flag(value); }},
        {"translate",
         [&] {
           // "English=Translation"
           const size_t eq = value.find('=');
           target_.translations[value.substr(0, eq)] = value.substr(eq + 1);
         }},
    };
    auto it = setters.find(key);
    if (it == setters.end()) return false;
    it->second();
    return true;
  }

  std::string Value(const std::string& key) {
    const auto& x = commands_.Xfer();
    if (key == "LastReplyText") return commands_.LastReplyText();
    if (key == "ScriptDirectText") return commands_.ScriptDirectText();
    if (key == "ScriptMessage") return commands_.ScriptMessage();
    if (key == "GetScreenDataStep") return std::to_string(commands_.GetScreenDataStep());
    if (key == "ScreenDataRow") return std::to_string(commands_.ScreenData().ScreenDataRow);
    if (key == "HostToMacXferStep") return std::to_string(x.HostToMacXferStep);
    if (key == "XferHostCommand") return x.XferHostCommand;
    if (key == "XferFileName") return x.XferFileName;
    if (key == "XferConvert") return x.XferConvert;
    if (key == "XferFieldsPerRecord") return std::to_string(x.XferFieldsPerRecord);
    if (key == "XferOverWrite") return x.XferOverWrite;
    if (key == "XferLinesToSkip") return std::to_string(x.XferLinesToSkip);
    if (key == "XferTimeOutTime") return std::to_string(x.XferTimeOutTime);
    if (key == "XferNoPage") return x.XferNoPage;
    if (key == "Clipboard") return target_.clipboard;
    if (key == "ScriptCommandBusy") return std::to_string(screen_.ScriptCommandBusy);
    if (key == "BusyChanges") return std::to_string(target_.busyChanges);
    return "?";
  }

  QDBusConnection bus_;
  RecordingScriptTarget& target_;
  korvane::Screen& screen_;
  ScriptCommandSet& commands_;
  korvane::SessionOptions& options_;
};

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QStringList documents = QCoreApplication::arguments();
  documents.removeFirst();

  korvane::platform::qt::ScriptingStart start = korvane::platform::qt::StartScriptingOrHandOver(documents);
  if (start.outcome == korvane::platform::qt::ScriptingStart::kHandedOver) {
    std::printf("handed over\n");
    return 0;
  }
  if (start.outcome != korvane::platform::qt::ScriptingStart::kServing) {
    std::fprintf(stderr, "%s\n", start.message.toLocal8Bit().constData());
    return 3;
  }

  korvane::SessionOptions options;
  korvane::platform::NullPort port(800, 600);
  korvane::fakes::FakeScreenHost screenHost;
  korvane::Screen screen(options, port, screenHost);
  screen.ScreenCols = 80;
  screen.ScreenRows = 24;
  RecordingScriptTarget target(&screen, &options);
  // Most tests do not want the pause before every event.
  target.startingUp = true;
  ScriptCommandSet commands(target);
  korvane::platform::SteadyClock clock;
  start.bus->Attach(commands, target, clock);

  QDBusConnection bus = QDBusConnection::sessionBus();
  TestControl control(bus, target, screen, commands, options);
  bus.registerVirtualObject(QStringLiteral("/org/korvane/KorvaneTest"), &control, QDBusConnection::SingleNode);

  std::printf("serving");
  for (const QString& d : documents) std::printf(" %s", d.toLocal8Bit().constData());
  std::printf("\n");
  std::fflush(stdout);
  return app.exec();
}
