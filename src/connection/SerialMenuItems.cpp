#include "connection/SerialMenuItems.h"

#include "connection/SerialLineCodes.h"
#include "platform/MenuNumbers.h"

namespace korvane {
namespace {

enum class ItemState { Disabled, Enabled, Checked };

// Every change sets the mark as well, so enabling or disabling an item also
// takes its check mark away.
void SetItemState(platform::Menus& menus, int menu, int item, ItemState state) {
  if (item > menus.CountItems(menu)) return;
  menus.EnableItem(menu, item, state != ItemState::Disabled);
  menus.MarkItem(menu, item, state == ItemState::Checked);
}

}  // namespace

int FillBaudRateMenu(platform::Menus& menus, int8_t usesPty, int32_t rate) {
  const int items = static_cast<int>(kBaudRateItems.size());
  const ItemState all = usesPty ? ItemState::Disabled : ItemState::Enabled;
  for (int item = 1; item <= items; ++item) SetItemState(menus, platform::kPortSettingsMenu, item, all);
  if (usesPty) return 0;
  if (const int item = BaudRateMenuItem(rate))
    SetItemState(menus, platform::kPortSettingsMenu, item, ItemState::Checked);
  return 0;
}

int EnableMenu10Items(platform::Menus& menus) {
  for (int item = 1; item <= 5; ++item) SetItemState(menus, platform::kWindowMenu, item, ItemState::Enabled);
  return 0;
}

}  // namespace korvane
