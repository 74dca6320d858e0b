#pragma once
// The menu marks and keys that follow a session: the modes its host sets and
// the settings it reads.

#include "emulation/SessionServices.h"
#include "platform/Menus.h"

namespace korvane {
class SessionWindow;
}

namespace korvane::ui {

class SessionMenus final : public MenuService {
 public:
  // `window` is still being made: it is reached only when a mark is set.
  SessionMenus(platform::Menus& menus, SessionWindow& window) : menus_(menus), window_(window) {}

  void ShowAutoWrapMark(bool on) override;
  void ShowWideModeMarks(bool wide) override;
  void ShowCapsModeMark(bool on) override;
  void SetCloseKeyOff(bool off) override;
  void EnableFontSizeMenuItem() override;
  void MarkSerialRequiredItems(int option) override;
  void MarkClipboardOption(bool on) override;
  void SetMenuCommandKeys() override;
  void ShowSessionMarks() override;

 private:
  platform::Menus& menus_;
  SessionWindow& window_;
};

}  // namespace korvane::ui
