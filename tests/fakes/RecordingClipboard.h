#pragma once
// A clipboard in memory that keeps what each kind of content was last set
// to, as a desktop clipboard would hand it back.

#include <optional>
#include <string>

#include "platform/Clipboard.h"

namespace korvane::fakes {

class RecordingClipboard final : public platform::Clipboard {
 public:
  std::optional<std::string> text;  // nothing: no text on the clipboard
  std::string pdf, png;             // the picture, empty when none
  std::optional<std::string> selection;
  int sets = 0;  // how often the whole content was replaced

  // Another program puts its own text on the clipboard.
  void OtherProgramSets(const std::string& t) {
    text = t;
    pdf.clear();
    png.clear();
  }

  std::optional<std::string> Text() override { return text; }
  void SetText(std::string_view utf8) override {
    ++sets;
    pdf.clear();
    png.clear();
    text = std::string(utf8);
  }
  void AppendText(std::string_view utf8) override {
    pdf.clear();
    png.clear();
    if (!text) text.emplace();
    text->append(utf8);
  }
  void SetSelectionText(std::string_view utf8) override { selection = std::string(utf8); }
  void SetPicture(std::string_view p, std::string_view i) override {
    ++sets;
    text.reset();
    pdf = std::string(p);
    png = std::string(i);
  }
  void Clear() override {
    ++sets;
    text.reset();
    pdf.clear();
    png.clear();
  }
};

}  // namespace korvane::fakes
