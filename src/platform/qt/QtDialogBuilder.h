#pragma once
// Builds a dialog window's widgets from its description: the numbered
// controls (push buttons, check boxes, radio buttons, edit fields, texts,
// pop-up menus, sliders) and the captions, placed by the described layout of
// rows, columns, grids and groups, so that the window takes the size its
// texts need in every language. A window described without a layout is
// placed by its controls' rectangles.
//
// Every user action on a numbered control is reported through `hit` with the
// control's number: a click on a button, check box or radio button, an item
// chosen in a pop-up menu, a slider moved, text typed or cut into a field.
// What the program sets is never reported.

#include <functional>

#include "platform/InterfaceDescription.h"
#include "platform/qt/QtControls.h"

class QWidget;

namespace korvane::platform {

void BuildDialogWindow(QWidget& top, const WindowDescription& d, QtControls& controls,
                       const std::function<void(int control)>& hit);

}  // namespace korvane::platform
