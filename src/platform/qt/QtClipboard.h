#pragma once
// The clipboard on Qt (QClipboard): text as text/plain, pictures as
// application/pdf with a PNG image beside it, and, where the desktop has one
// (X11), the primary selection for what the user marked.
//
// Text the program puts on the clipboard stays in one buffer that the
// clipboard reads when another program asks for it, so that appending host
// output as it arrives costs only the appended text. When another program
// has taken the clipboard meanwhile, the next append starts from its text.

#include <QPointer>
#include <memory>
#include <string>

#include "platform/Clipboard.h"

class QMimeData;

namespace korvane::platform {

class QtClipboard final : public Clipboard {
 public:
  std::optional<std::string> Text() override;
  void SetText(std::string_view utf8) override;
  void AppendText(std::string_view utf8) override;
  void SetSelectionText(std::string_view utf8) override;
  void SetPicture(std::string_view pdf, std::string_view png) override;
  void Clear() override;

 private:
  // The text the clipboard holds while it holds the program's own text.
  std::shared_ptr<std::string> text_;
  // The clipboard's data while it is the program's text (null once the
  // clipboard has replaced or dropped it).
  QPointer<QMimeData> owned_;
};

}  // namespace korvane::platform
