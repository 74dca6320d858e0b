#pragma once
// The program's messages in the user's language. Every text the user sees is
// looked up by its English wording; a text without a translation is shown as
// it is. A table file holds one entry a line, the English text, a tab and the
// translation, in UTF-8; lines starting with "#" and lines without a tab are
// ignored. Texts are kept as the program holds text: Mac Roman.

#include <string>
#include <string_view>
#include <unordered_map>

namespace korvane::platform {

class StringTable {
 public:
  // Reads a table file's contents; a later entry for the same text wins.
  // Returns the number of entries read.
  int Load(std::string_view fileBytes);
  void Add(const std::string& english, const std::string& translation) { entries_[english] = translation; }
  // The text in the table's language, or the English text itself.
  const std::string& Localise(const std::string& english) const;
  std::size_t size() const { return entries_.size(); }

 private:
  std::unordered_map<std::string, std::string> entries_;
};

}  // namespace korvane::platform
