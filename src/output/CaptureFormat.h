#pragma once
// The formats of capture files: how received text becomes the bytes of a
// text or HTML capture, the HTML head and end, the line ends, and the names
// capture files get. Pure functions; the files themselves are CaptureFile's.

#include <cstdint>
#include <string>
#include <string_view>

namespace korvane::output {

// Capture files are HTML documents for the two browsers among the creator
// codes ("MOSS", "sfri").
bool CaptureIsHtml(std::string_view creator);

// The name a new capture file is offered under, by creator code; empty where
// the application has no usual name.
std::string DefaultCaptureFileName(std::string_view creator);

// The name an HTML capture is written under: ".html" is added unless the name
// already ends in ".html" or ".htm" (any case).
std::string HtmlCaptureName(std::string_view name);

// Received text for a capture file, as UTF-8: each screen code >= 32 becomes
// the character it shows in the session's screen font (fontId, see
// platform::GlyphOf); control codes (tab, backspace ...) are kept as they are.
// For HTML, "&", "<", ">" and quotes are written as entities.
std::string CaptureText(std::string_view cells, int16_t fontId, bool html);
// The same, appended to `out`.
void AppendCaptureText(std::string& out, std::string_view cells, int16_t fontId, bool html);

// The line end of a capture: LF, or CR LF when each line end is to carry a
// CR as well (CollectAddLf); an HTML capture puts "<BR>" in front.
std::string CaptureLineEnd(bool html, bool crLf);

// The head and the end of an HTML capture; `title` is the capture file's
// name (UTF-8), escaped here.
std::string HtmlCaptureHeader(std::string_view title, bool crLf);
std::string HtmlCaptureFooter(bool crLf);

// Text escaped for HTML.
std::string HtmlEscape(std::string_view utf8);

}  // namespace korvane::output
