// Documents given to the program, told apart by their kind: settings
// documents, function-key documents and QuickDial numbers.

#include "app/App.h"
#include "platform/CharMap.h"
#include "platform/MenuNumbers.h"
#include "settings/FileKinds.h"

namespace korvane::app {

bool App::StartsSessionWindow(const std::string& path) {
  // Function keys and QuickDial numbers act on a session; anything else is
  // given to the settings reader, which opens it or says why it cannot.
  const DocumentKind kind = platform.files.Exists(path) ? DocumentKindOf(path, platform.files) : DocumentKind::Settings;
  return kind != DocumentKind::FunctionKeys && kind != DocumentKind::QuickDial;
}

void App::OpenDocumentByKind(SessionWindow& active, const std::string& path) {
  if (!platform.files.Exists(path)) {
    alerts.StopAlertText(platform::kPlainAlert, platform::MacRomanFromUtf8(path), " was not found.");
    return;
  }
  const DocumentKind kind = DocumentKindOf(path, platform.files);
  if (kind == DocumentKind::Other) {
    alerts.NoteAlertText(platform::kPlainAlert, platform::MacRomanFromUtf8(path),
                         " is not a document Korvane can open.");
    return;
  }
  active.settings.OpenSettingsDocument(kind, path);
}

}  // namespace korvane::app
