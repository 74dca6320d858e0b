#include "platform/qt/QtPlatform.h"

#include <QGuiApplication>
#include <QObject>

namespace korvane::platform {

// Reports the application coming to the front and going to the back.
struct QtPlatform::StateWatch {
  QMetaObject::Connection connection;
  ~StateWatch() { QObject::disconnect(connection); }
};

QtPlatform::QtPlatform(EventSink& sink, const InterfaceDescription& d,
                       std::function<std::string(const std::string&)> localise)
    : description(d),
      menus(description, sink),
      windows(sink, &menus, description),
      alerts(localise),
      fileDialogs(std::move(localise)),
      sink_(sink),
      stateWatch_(std::make_unique<StateWatch>()) {
  windows.SetKeyMap(&keyMap);
  if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
    stateWatch_->connection =
        QObject::connect(app, &QGuiApplication::applicationStateChanged, [this](Qt::ApplicationState state) {
          UiEvent e;
          e.kind = UiEventKind::Dialog;
          e.type = kAppActivated;
          e.number = state == Qt::ApplicationActive ? 1 : 2;
          sink_.Post(e);
        });
  }
}

QtPlatform::~QtPlatform() = default;

}  // namespace korvane::platform
