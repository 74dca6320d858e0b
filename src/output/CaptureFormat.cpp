#include "output/CaptureFormat.h"

#include <cctype>

#include "platform/CharMap.h"

namespace korvane::output {

namespace {

bool EndsWithNoCase(std::string_view s, std::string_view tail) {
  if (s.size() < tail.size()) return false;
  const std::string_view end = s.substr(s.size() - tail.size());
  for (std::size_t i = 0; i < tail.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(end[i])) != tail[i]) return false;
  return true;
}

void AppendEscaped(std::string& out, char32_t u) {
  switch (u) {
    case U'&': out += "&amp;"; break;
    case U'<': out += "&lt;"; break;
    case U'>': out += "&gt;"; break;
    case U'"': out += "&quot;"; break;
    case U'\'': out += "&#39;"; break;
    default: platform::AppendUtf8(out, u);
  }
}

}  // namespace

bool CaptureIsHtml(std::string_view creator) { return creator == "MOSS" || creator == "sfri"; }

std::string DefaultCaptureFileName(std::string_view creator) {
  if (creator == "MSWD") return "untitled.doc";
  if (creator == "XCEL") return "untitled.xls";
  if (creator == "MOSS" || creator == "sfri") return "untitled.htm";
  if (creator == "ttxt") return "untitled.txt";
  return {};
}

std::string HtmlCaptureName(std::string_view name) {
  std::string out(name);
  if (!EndsWithNoCase(name, ".html") && !EndsWithNoCase(name, ".htm")) out += ".html";
  return out;
}

void AppendCaptureText(std::string& out, std::string_view cells, int16_t fontId, bool html) {
  // Every byte of a flood passes here: stretches that stay as they are (the
  // screen fonts show 7-bit codes as ASCII; control codes are kept) are
  // copied whole.
  auto kept = [html](uint8_t code) {
    if (code >= 128) return false;
    return !html || (code != '&' && code != '<' && code != '>' && code != '"' && code != '\'');
  };
  std::size_t i = 0;
  const std::size_t n = cells.size();
  while (i < n) {
    std::size_t j = i;
    while (j < n && kept(static_cast<uint8_t>(cells[j]))) ++j;
    out.append(cells.data() + i, j - i);
    if (j == n) break;
    const auto code = static_cast<uint8_t>(cells[j]);
    const char32_t u = code < 128 ? static_cast<char32_t>(code) : platform::GlyphOf(fontId, code);
    if (html)
      AppendEscaped(out, u);
    else
      platform::AppendUtf8(out, u);
    i = j + 1;
  }
}

std::string CaptureText(std::string_view cells, int16_t fontId, bool html) {
  std::string out;
  out.reserve(cells.size() + cells.size() / 4);
  AppendCaptureText(out, cells, fontId, html);
  return out;
}

std::string CaptureLineEnd(bool html, bool crLf) {
  std::string end = html ? "<BR>" : "";
  end += crLf ? "\r\n" : "\n";
  return end;
}

std::string HtmlEscape(std::string_view utf8) {
  std::string out;
  for (const char ch : utf8) {
    switch (ch) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&#39;"; break;
      default: out += ch;
    }
  }
  return out;
}

std::string HtmlCaptureHeader(std::string_view title, bool crLf) {
  const std::string nl = crLf ? "\r\n" : "\n";
  return "<HTML>" + nl + "<HEAD>" + nl + "<META NAME=\"GENERATOR\" CONTENT=\"Korvane\">" + nl +
         "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">" + nl + "<TITLE> " +
         HtmlEscape(title) + "</TITLE>" + nl + "</HEAD>" + nl + "<BODY>" + nl + "<PRE>" + nl;
}

std::string HtmlCaptureFooter(bool crLf) {
  const std::string nl = crLf ? "\r\n" : "\n";
  return nl + "</PRE>" + nl + "</BODY>" + nl + "</HTML>" + nl;
}

}  // namespace korvane::output
