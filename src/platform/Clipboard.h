#pragma once
// The desktop's clipboard, in the terms the program uses it: text (UTF-8 with
// LF line ends, as other Linux programs expect it) and pictures (a PDF and a
// PNG of the same picture, for programs that take either). Implemented on
// QClipboard for the program and by a recording fake for tests.

#include <optional>
#include <string>
#include <string_view>

namespace korvane::platform {

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  // The clipboard's text, or nothing when it holds no text (an empty text is
  // a text).
  virtual std::optional<std::string> Text() = 0;
  // Replaces everything the clipboard holds by this text.
  virtual void SetText(std::string_view utf8) = 0;
  // The clipboard's text becomes its text followed by this one; a clipboard
  // without text gets this text alone, and anything else it held is dropped.
  // Appending costs what the appended text costs, not the whole text, so
  // that host output can be captured to the clipboard as it arrives.
  virtual void AppendText(std::string_view utf8) = 0;
  // What the user marked, for the desktops that keep it apart from the
  // clipboard (X11's primary selection, pasted with the middle button).
  virtual void SetSelectionText(std::string_view utf8) = 0;
  // Replaces everything the clipboard holds by one picture, as a PDF
  // document and as a PNG image.
  virtual void SetPicture(std::string_view pdf, std::string_view png) = 0;
  // Empties the clipboard.
  virtual void Clear() = 0;
};

}  // namespace korvane::platform
