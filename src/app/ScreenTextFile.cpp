#include "app/ScreenTextFile.h"

#include <algorithm>
#include <cstdio>
#include <fstream>

#include "app/App.h"
#include "platform/CharMap.h"

namespace korvane::app {

std::string ActiveScreenText(App& app) {
  SessionWindow* window = app.windows.Active();
  if (!window) return {};
  Screen& s = window->session.screen;
  std::string text;
  const int rows = std::min<int>(s.ScreenRows, kMaxScreenRows);
  const int cols = std::min<int>(s.ColumnsSetting, kMaxCursorCol);
  for (int r = 1; r <= rows; ++r) {
    std::string line;
    for (int c = 1; c <= cols; ++c) {
      const auto code = static_cast<uint8_t>(s.ScreenChars(r, c));
      platform::AppendUtf8(line, code == 0 ? U' ' : platform::GlyphOf(s.ScreenFontId, code));
    }
    line.erase(line.find_last_not_of(' ') + 1);
    text += line + "\n";
  }
  text += "cursor " + std::to_string(s.CursorRow()) + " " + std::to_string(s.CursorCol()) + "\n";
  return text;
}

void ScreenTextFile::Update(App& app) {
  const std::string text = ActiveScreenText(app);
  if (text == last_) return;
  const std::string part = path_ + ".part";
  {
    std::ofstream out(part, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out) return;
  }
  if (std::rename(part.c_str(), path_.c_str()) != 0) return;
  last_ = text;
}

}  // namespace korvane::app
