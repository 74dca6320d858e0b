#pragma once
// The program's one access to the text on the clipboard: appending to it,
// emptying it, reading it back line by line, and the conversions between the
// program's text (8-bit codes with CR line ends) and the desktop's (UTF-8
// with LF line ends).
//
// Every operation works on the clipboard itself: after each append the
// clipboard holds the whole text so far, and what another program put there
// is seen at the next call. Nothing is cached here.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Clipboard.h"

namespace korvane::output {

// Program text to clipboard text. `fontId` names the table the codes are
// read through: platform::kScreenFont or kPcScreenFont for screen cells and
// received text (line-graphics codes become box-drawing characters), or -1
// for plain Mac Roman (texts of scripts and of the program). A CR, an LF or a
// CR LF pair becomes one LF; other control codes are kept as they are.
std::string ClipboardUtf8(std::string_view codes, int fontId = -1);

// Clipboard text to the text the host is sent: Mac Roman ("?" for what it
// cannot hold) with CR line ends; an LF, a CR LF pair or a CR becomes one CR.
std::string HostTextFromClipboard(std::string_view utf8);

class ClipboardText {
 public:
  explicit ClipboardText(platform::Clipboard& clipboard) : clipboard_(clipboard) {}

  platform::Clipboard& clipboard() { return clipboard_; }

  // Empties the clipboard.
  void ClearClipboard();
  // The clipboard holds this text (program text) and nothing else.
  void PutClipboardText(std::string_view text);
  // The clipboard's text becomes its text followed by `text`; a clipboard
  // that held no text (or only a picture) is left holding `text` alone.
  void AppendToClipboard(std::string_view text);
  void AppendToClipboard2(std::string_view text, std::string_view /*unused*/) { AppendToClipboard(text); }
  // Appends `text` and, when the end marker is exactly "CR", a line end.
  // (The printer capture file, which takes this text instead while it is
  // open, is the caller's to choose.)
  void CopyLineToClipboard(std::string_view text, std::string_view endMarker);
  // With `clear` non-zero the clipboard holds `text` alone afterwards;
  // with 0 `text` is appended.
  void ResetCopyBuffers(std::string_view text, int16_t clear);
  // The clipboard holds an empty text and nothing else.
  void ResetCopyBuffersNow() { ResetCopyBuffers({}, 1); }

  // Line n (from 1) of the clipboard text, as program text without its line
  // end; false (and `output` empty) when the text has no line n. A CR, LF or
  // CR LF ends a line; the text after the last line end, even an empty one,
  // is a line; a line longer than 250 bytes goes on in the next line, so that
  // nothing is lost; an empty clipboard has no lines.
  bool ClipboardLine(int n, std::string& output);

  // The clipboard's text as the host is sent it (see HostTextFromClipboard),
  // or nothing when the clipboard holds no text.
  std::optional<std::string> TextForHost();

  static constexpr size_t kClipboardLineMax = 250;

 private:
  platform::Clipboard& clipboard_;
};

// Clipboard capture: host text that the session echoes to the clipboard
// while the capture is on. Received runs are screen codes (read through the
// session's font table); each line end arrives as a CR of its own.
class ClipboardCapture {
 public:
  explicit ClipboardCapture(ClipboardText& text) : text_(text) {}
  // Capture begins on an empty clipboard.
  void Start();
  // Appends received text; `fontId` is the session's screen font.
  void CopyToClipboard(std::string_view codes, int fontId);

 private:
  ClipboardText& text_;
  // The last text ended in a CR: an LF that begins the next one belongs to
  // the same line end.
  bool afterCr_ = false;
};

}  // namespace korvane::output
