#include "ui/dialogs/FileChoice.h"

#include <vector>

#include "platform/MenuNumbers.h"

namespace korvane::ui {

namespace {

// Width of the scroll-back bar along a session window's right edge.
constexpr int kScrollBarWidth = 15;

struct TypeRow {
  const char* type;
  platform::FileKind kind;
};
constexpr TypeRow kTypes[] = {
    {"TEXT", platform::FileKind::Text},         {"Kvst", platform::FileKind::Settings},
    {"Fkey", platform::FileKind::FunctionKeys}, {"MACP", platform::FileKind::QuickDial},
    {"Quik", platform::FileKind::QuickDial},    {"APPL", platform::FileKind::Application},
};

}  // namespace

int SetControlFontAndRedraw(platform::Windows& windows, int window, int control, int16_t font, int16_t size) {
  if (platform::Controls* c = windows.WindowControls(window); c && c->HasControl(control))
    c->SetControlTitleFont(control, font, size);
  return 0;
}

int FocusedControlNumber(platform::Windows& windows, int window) {
  platform::Controls* c = windows.WindowControls(window);
  return c ? c->FocusedControlNumber() : 0;
}

int MakeRuntimeControl(platform::Windows& windows, int window, int value) {
  if (window < platform::kSessionWindowBase || window >= platform::kSessionWindowBase + platform::kMaxSessionWindows)
    return 0;
  platform::Controls* c = windows.WindowControls(window);
  if (!c) return 0;
  if (!c->HasControl(kScrollBackBarControl)) {
    const platform::Size content = windows.ContentSize(window);
    c->MakeScrollBar(kScrollBackBarControl,
                     {content.width - kScrollBarWidth, 0, content.width + 1, content.height - kScrollBarWidth + 1});
  }
  c->SetControlValue(kScrollBackBarControl, value);
  return 0;
}

std::string FileTypeOfKind(platform::FileKind kind) {
  for (const TypeRow& row : kTypes)
    if (row.kind == kind) return row.type;
  return "????";
}

platform::FileKind FileKindOfType(const std::string& type) {
  for (const TypeRow& row : kTypes)
    if (type == row.type) return row.kind;
  return platform::FileKind::Any;
}

int FileChoice::AskForFile(const std::string& prompt) {
  std::vector<platform::FileKind> kinds;
  for (std::size_t i = 0; i + 4 <= FileTypeList.size(); i += 4) {
    const platform::FileKind kind = FileKindOfType(FileTypeList.substr(i, 4));
    if (kind != platform::FileKind::Any) kinds.push_back(kind);
  }
  const auto path = dialogs_.ChooseFile(kinds, prompt);
  if (!path) {
    ChosenFileName.clear();
    return 0;
  }
  ChosenPath = *path;
  const std::size_t slash = path->rfind('/');
  ChosenFileName = slash == std::string::npos ? *path : path->substr(slash + 1);
  ChosenFileType = FileTypeOfKind(platform::FileKindOf(*path));
  return 0;
}

}  // namespace korvane::ui
