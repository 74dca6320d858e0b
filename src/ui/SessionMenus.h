#pragma once
// The menu marks and keys that follow a session: the modes its host sets and
// the settings it reads.

#include "emulation/SessionServices.h"
#include "platform/Menus.h"
#include "settings/SessionOptions.h"

namespace korvane::ui {

class SessionMenus final : public MenuService {
 public:
  SessionMenus(platform::Menus& menus, const SessionOptions& options) : menus_(menus), Opt(options) {}

  void ShowAutoWrapMark(bool on) override;
  void ShowWideModeMarks(bool wide) override;
  void ShowCapsModeMark(bool on) override;
  void SetCloseKeyOff(bool off) override;
  void EnableFontSizeMenuItem() override;
  void MarkSerialRequiredItems(int option) override;
  void MarkClipboardOption(bool on) override;
  void SetMenuCommandKeys() override;

 private:
  platform::Menus& menus_;
  const SessionOptions& Opt;
};

}  // namespace korvane::ui
