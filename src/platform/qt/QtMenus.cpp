#include "platform/qt/QtMenus.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include "platform/CharMap.h"

namespace korvane::platform {

namespace {

// A menu text is shown as it stands: "&" is not a mnemonic here.
QString Literal(const std::string& macRoman) {
  return QString::fromStdString(Utf8FromMacRoman(macRoman)).replace('&', QStringLiteral("&&"));
}

}  // namespace

QtMenus::QtMenus(const InterfaceDescription& description, EventSink& sink)
    : MemoryMenus(description.menus), sink_(sink), bar_(description.menuBar) {
  for (const auto& m : description.menus) {
    auto menu = std::make_unique<QMenu>(Literal(m.title));
    // An open menu's window carries the menu's title, for the window system
    // and the tools that read it.
    menu->setWindowTitle(QString::fromStdString(Utf8FromMacRoman(m.title)));
    qmenus_[m.number] = std::move(menu);
  }
  for (const auto& m : description.menus) Build(m.number);
}

QtMenus::~QtMenus() = default;

QMenu* QtMenus::Menu(int number) const {
  const auto it = qmenus_.find(number);
  return it == qmenus_.end() ? nullptr : it->second.get();
}

QAction* QtMenus::Action(int number, int item) const {
  QMenu* menu = Menu(number);
  if (!menu || item < 1 || item > menu->actions().size()) return nullptr;
  return menu->actions().at(item - 1);
}

void QtMenus::AttachTo(QMenuBar* bar) {
  for (int number : bar_)
    if (QMenu* menu = Menu(number)) bar->addMenu(menu);
}

void QtMenus::Changed(int menu) { Build(menu); }

void QtMenus::Build(int number) {
  QMenu* menu = Menu(number);
  const MenuDescription* d = Find(number);
  if (!menu || !d) return;
  // The marks and enabled states change after nearly every event: while the
  // items stay the same, the actions are updated where they are, so that a
  // menu the user has open keeps its highlighted item.
  const QList<QAction*> actions = menu->actions();
  bool sameItems = actions.size() == static_cast<qsizetype>(d->items.size());
  for (size_t i = 0; sameItems && i < d->items.size(); ++i) {
    const MenuItem& item = d->items[i];
    QAction* a = actions.at(static_cast<qsizetype>(i));
    sameItems =
        a->isSeparator() == item.separator && (a->menu() != nullptr) == (item.submenu != 0 && Menu(item.submenu));
  }
  if (sameItems) {
    for (size_t i = 0; i < d->items.size(); ++i) {
      const MenuItem& item = d->items[i];
      QAction* a = actions.at(static_cast<qsizetype>(i));
      if (item.separator) continue;
      const QString text = Literal(item.text);
      if (a->text() != text) a->setText(text);
      if (a->isEnabled() != item.enabled) a->setEnabled(item.enabled);
      if (a->menu()) continue;
      if (a->isCheckable() != item.marked) a->setCheckable(item.marked);
      if (a->isChecked() != item.marked) a->setChecked(item.marked);
    }
    return;
  }
  // Otherwise the actions are made again from the items: the Window menu's
  // session items come and go at its end.
  for (QAction* a : actions) {
    menu->removeAction(a);
    if (a->parent() == menu) a->deleteLater();
  }
  for (size_t i = 0; i < d->items.size(); ++i) {
    const MenuItem& item = d->items[i];
    if (item.separator) {
      menu->addSeparator();
      continue;
    }
    if (item.submenu != 0) {
      if (QMenu* sub = Menu(item.submenu)) {
        sub->setTitle(Literal(item.text));
        sub->setWindowTitle(QString::fromStdString(Utf8FromMacRoman(item.text)));
        QAction* a = menu->addMenu(sub);
        a->setEnabled(item.enabled);
        continue;
      }
    }
    QAction* a = new QAction(Literal(item.text), menu);
    a->setEnabled(item.enabled);
    a->setCheckable(item.marked);
    a->setChecked(item.marked);
    if (item.shortcut) {
      const auto key = static_cast<Qt::Key>(QChar(item.shortcut).toUpper().unicode());
      const Qt::KeyboardModifiers mods =
          Qt::ControlModifier | Qt::ShiftModifier | (item.alternate ? Qt::AltModifier : Qt::NoModifier);
      a->setShortcut(QKeySequence(QKeyCombination(mods, key)));
      a->setShortcutContext(Qt::ApplicationShortcut);
    }
    const int itemNumber = static_cast<int>(i) + 1;
    QObject::connect(a, &QAction::triggered, [this, number, itemNumber] {
      UiEvent e;
      e.kind = UiEventKind::Menu;
      e.number = static_cast<int16_t>(number);
      e.item = static_cast<int16_t>(itemNumber);
      sink_.Post(e);
    });
    menu->addAction(a);
  }
}

}  // namespace korvane::platform
