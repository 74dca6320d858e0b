#pragma once
// The menu bar on Qt: one QMenu per numbered menu, shared by the menu bars of
// all session windows. The items mirror the in-memory menus; a choice is
// posted as a menu event (menu number, item number). Item keys are
// Ctrl+Shift+key, so that every Ctrl+letter still reaches the host.

#include <QPointer>
#include <map>
#include <memory>
#include <vector>

#include "platform/Events.h"
#include "platform/InterfaceDescription.h"
#include "platform/Menus.h"

class QMenu;
class QMenuBar;
class QAction;

namespace korvane::platform {

class QtMenus final : public MemoryMenus {
 public:
  QtMenus(const InterfaceDescription& description, EventSink& sink);
  ~QtMenus() override;

  // Adds the menus of the bar to a window's menu bar.
  void AttachTo(QMenuBar* bar);
  // The QMenu of a numbered menu, or null (for tests).
  QMenu* Menu(int number) const;
  // The action of an item, or null (for tests).
  QAction* Action(int number, int item) const;

 protected:
  void Changed(int menu) override;

 private:
  void Build(int menu);

  EventSink& sink_;
  std::vector<int> bar_;
  std::map<int, std::unique_ptr<QMenu>> qmenus_;
};

}  // namespace korvane::platform
