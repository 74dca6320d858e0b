#include "ui/dialogs/KeyEditing.h"

#include <algorithm>

#include "input/FkeyTokens.h"

namespace korvane::ui {

std::string TokenForm(const std::string& keyString) {
  std::string out;
  for (unsigned char c : keyString) out += input::FkeyTokenOfChar(c);
  return out;
}

std::string TrimLabel(const std::string& label) {
  std::size_t front = 0;
  while (front < label.size() && front < 8 && label[front] == ' ') ++front;
  std::size_t back = label.size();
  int removed = 0;
  while (back > front && removed < 8 && label[back - 1] == ' ') {
    --back;
    ++removed;
  }
  return label.substr(front, back - front);
}

std::string ReplaceSelection(const std::string& text, platform::TextSelection& selection, const std::string& token) {
  const int length = static_cast<int>(text.size());
  const int start = std::clamp(selection.start, 0, length);
  const int end = std::clamp(selection.end, start, length);
  std::string out =
      text.substr(0, static_cast<std::size_t>(start)) + token + text.substr(static_cast<std::size_t>(end));
  selection.start = selection.end = start + static_cast<int>(token.size());
  return out;
}

}  // namespace korvane::ui
