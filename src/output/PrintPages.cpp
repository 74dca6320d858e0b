#include "output/PrintPages.h"

#include <algorithm>
#include <cmath>

namespace korvane::output {

namespace {

constexpr char kCr = 13, kLf = 10, kFf = 12;

bool StartsWith(std::string_view s, std::string_view head) { return !head.empty() && s.substr(0, head.size()) == head; }

// The lines of a text, each without its end; a last line end gives no empty
// line after it.
std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != kCr && text[i] != kLf) continue;
    lines.push_back(text.substr(start, i - start));
    if (text[i] == kCr && i + 1 < text.size() && text[i + 1] == kLf) ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

}  // namespace

std::string BuildPrintText(std::string_view lines, std::string_view pageHeader, PrintSource source) {
  const std::string_view header = pageHeader.empty() ? kNoPageHeader : pageHeader;
  const std::string_view lineEnd = source == PrintSource::TextFile ? std::string_view("\r\n") : std::string_view("\r");
  std::string out;
  const auto all = Lines(lines);
  out.reserve(lines.size() + all.size() * 2);
  for (std::size_t i = 0; i < all.size(); ++i) {
    std::string_view line = all[i];
    if (StartsWith(line, kTopOfPageMark) || StartsWith(line, header)) out += kFf;
    if (source == PrintSource::CapturedText && i == 1 && !line.empty() && line.front() == kFf) line.remove_prefix(1);
    out += line;
    out += lineEnd;
  }
  return out;
}

int PrintTextLines(std::string_view text) {
  const auto ends = std::count(text.begin(), text.end(), kCr);
  // What follows the last CR (past the LF of a CR LF) is a line of its own.
  std::size_t rest = text.rfind(kCr);
  rest = rest == std::string_view::npos ? 0 : rest + 1;
  if (rest < text.size() && text[rest] == kLf && rest > 0) ++rest;
  return static_cast<int>(ends) + (rest < text.size() ? 1 : 0);
}

PrintPageGeometry ComputePrintPageGeometry(double paperWidth, double paperHeight, bool landscape, int fontSize) {
  const auto truncated = [](double v) {
    if (!std::isfinite(v)) return 0;
    return static_cast<int>(std::clamp(std::trunc(v), -32768.0, 32767.0));
  };
  const int extent = landscape ? truncated(paperWidth) : truncated(paperHeight);
  PrintPageGeometry g;
  switch (fontSize) {
    case 8: g = {8, (extent - 60) / 8}; break;
    case 9: g = {9, (extent - 55) / 9}; break;
    case 10: g = {10, (extent - 55) / 10}; break;
    case 12: g = {12, (extent - 55) / 12}; break;
    case 14: g = {14, (extent - 65) / 14}; break;
    default: g = {11, 66}; break;
  }
  // A paper too small for a line (or one whose size is unknown) still
  // prints, a line a page, instead of dividing by nothing.
  if (g.linesPerPage < 1) g.linesPerPage = 1;
  return g;
}

std::vector<std::vector<std::string>> SplitPrintPages(std::string_view text, int linesPerPage) {
  const int perPage = std::max(1, linesPerPage);
  std::vector<std::vector<std::string>> pages;
  std::size_t pos = 0;
  const std::size_t size = text.size();
  do {
    std::vector<std::string> page;
    std::string line;
    int lines = 0;
    while (pos < size) {
      const char b = text[pos++];
      if (b != kCr && b != kFf && b != kLf) {
        line += b;
        continue;
      }
      if (b == kCr) {
        page.push_back(std::move(line));
        line.clear();
        ++lines;
      }
      if (lines >= perPage || lines == 0) {
        // The LF and FF after the CR that fills a page (or an LF at the top
        // of a page followed by a page break) make no empty page.
        if (size - pos >= 2 && text[pos + 1] == kFf) pos += 2;
      } else if (b == kFf) {
        break;
      }
      if (lines >= perPage) break;
    }
    if (!line.empty()) page.push_back(std::move(line));
    // Line feeds and form feeds left after the last line make no page.
    if (page.empty() && !pages.empty() && pos >= size) break;
    pages.push_back(std::move(page));
  } while (pos < size);
  return pages;
}

int PrintPageCount(std::string_view text, int linesPerPage) {
  return static_cast<int>(std::min<std::size_t>(32767, SplitPrintPages(text, linesPerPage).size()));
}

std::string PrintableLine(std::string_view line) {
  std::string out;
  out.reserve(line.size());
  int column = 0;
  for (const char ch : line) {
    const auto b = static_cast<unsigned char>(ch);
    if (b == '\t') {
      do {
        out += ' ';
        ++column;
      } while (column % 8 != 0);
    } else if (b < 32 || b == 127) {
      out += ' ';
      ++column;
    } else {
      out += ch;
      // A UTF-8 continuation byte does not start a new column.
      if ((b & 0xC0) != 0x80) ++column;
    }
  }
  return out;
}

}  // namespace korvane::output
