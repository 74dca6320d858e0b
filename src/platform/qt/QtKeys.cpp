#include "platform/qt/QtKeys.h"

#include <QKeyEvent>

#include "platform/CharMap.h"

namespace korvane::platform {

namespace {

struct KeyCode {
  int qtKey;
  int code;
};

// The virtual key codes of the keys whose code the key translation asks for;
// the full table by scan code comes with the key translation.
constexpr KeyCode kKeyCodes[] = {
    {Qt::Key_Return, 36},   {Qt::Key_Enter, 76},    {Qt::Key_Tab, 48},      {Qt::Key_Backtab, 48},
    {Qt::Key_Space, 49},    {Qt::Key_Backspace, 51}, {Qt::Key_Escape, 53},  {Qt::Key_Left, 123},
    {Qt::Key_Right, 124},   {Qt::Key_Down, 125},    {Qt::Key_Up, 126},      {Qt::Key_Home, 115},
    {Qt::Key_End, 119},     {Qt::Key_PageUp, 116},  {Qt::Key_PageDown, 121}, {Qt::Key_Delete, 117},
    {Qt::Key_Insert, 114},  {Qt::Key_Help, 114},    {Qt::Key_F1, 122},      {Qt::Key_F2, 120},
    {Qt::Key_F3, 99},       {Qt::Key_F4, 118},      {Qt::Key_F5, 96},       {Qt::Key_F6, 97},
    {Qt::Key_F7, 98},       {Qt::Key_F8, 100},      {Qt::Key_F9, 101},      {Qt::Key_F10, 109},
    {Qt::Key_F11, 103},     {Qt::Key_F12, 111},     {Qt::Key_F13, 105},     {Qt::Key_F14, 107},
    {Qt::Key_F15, 113},     {Qt::Key_F16, 106},
};

}  // namespace

KeyPress KeyPressFrom(const QKeyEvent& event) {
  KeyPress k;
  k.text = MacRomanFromUtf8(event.text().toStdString());
  for (const auto& c : kKeyCodes)
    if (c.qtKey == event.key()) k.keyCode = c.code;
  // Control with a letter gives its control character even where the window
  // system does not put it in the event's text.
  const Qt::KeyboardModifiers mods = event.modifiers();
  if (k.text.empty() && (mods & Qt::ControlModifier) && event.key() >= Qt::Key_A && event.key() <= Qt::Key_Z)
    k.text = std::string(1, static_cast<char>(event.key() - Qt::Key_A + 1));
  if (mods & Qt::ShiftModifier) k.modifiers |= kShiftModifier;
  if (mods & Qt::ControlModifier) k.modifiers |= kControlModifier;
  if (mods & Qt::AltModifier) k.modifiers |= kOptionModifier;
  if (mods & Qt::MetaModifier) k.modifiers |= kCommandModifier;
  k.autoRepeat = event.isAutoRepeat();
  return k;
}

}  // namespace korvane::platform
