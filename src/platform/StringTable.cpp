#include "platform/StringTable.h"

#include "platform/CharMap.h"

namespace korvane::platform {

int StringTable::Load(std::string_view bytes) {
  int count = 0;
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    std::size_t end = bytes.find('\n', pos);
    if (end == std::string_view::npos) end = bytes.size();
    std::string_view line = bytes.substr(pos, end - pos);
    pos = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.front() == '#') continue;
    const std::size_t tab = line.find('\t');
    if (tab == std::string_view::npos) continue;
    entries_[platform::MacRomanFromUtf8(line.substr(0, tab))] = platform::MacRomanFromUtf8(line.substr(tab + 1));
    ++count;
  }
  return count;
}

const std::string& StringTable::Localise(const std::string& english) const {
  const auto it = entries_.find(english);
  return it == entries_.end() ? english : it->second;
}

}  // namespace korvane::platform
