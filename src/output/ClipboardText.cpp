#include "output/ClipboardText.h"

#include "platform/CharMap.h"

namespace korvane::output {

namespace {

constexpr char kCR = 13, kLF = 10;

char32_t CharOf(uint8_t code, int fontId) {
  if (code < 0x20 || code == 0x7F) return code;
  if (fontId < 0) return platform::MacRomanToUnicode(code);
  return platform::GlyphOf(static_cast<int16_t>(fontId), code);
}

}  // namespace

std::string ClipboardUtf8(std::string_view codes, int fontId) {
  std::string out;
  out.reserve(codes.size() + codes.size() / 8);
  for (size_t i = 0; i < codes.size(); ++i) {
    const auto code = static_cast<uint8_t>(codes[i]);
    if (code == kCR) {
      out += '\n';
      if (i + 1 < codes.size() && codes[i + 1] == kLF) ++i;
    } else {
      platform::AppendUtf8(out, CharOf(code, fontId));
    }
  }
  return out;
}

std::string HostTextFromClipboard(std::string_view utf8) {
  std::string lines;
  lines.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size(); ++i) {
    const char ch = utf8[i];
    if (ch == kCR || ch == kLF) {
      lines += kCR;
      if (ch == kCR && i + 1 < utf8.size() && utf8[i + 1] == kLF) ++i;
    } else {
      lines += ch;
    }
  }
  return platform::MacRomanFromUtf8(lines);
}

void ClipboardText::ClearClipboard() { clipboard_.Clear(); }

void ClipboardText::PutClipboardText(std::string_view text) { clipboard_.SetText(ClipboardUtf8(text)); }

void ClipboardText::AppendToClipboard(std::string_view text) { clipboard_.AppendText(ClipboardUtf8(text)); }

void ClipboardText::CopyLineToClipboard(std::string_view text, std::string_view endMarker) {
  // The line end is kept whatever the length of the text: a long line must
  // not run into the next one.
  std::string line(text);
  if (endMarker == "CR") line += kCR;
  AppendToClipboard(line);
}

void ClipboardText::ResetCopyBuffers(std::string_view text, int16_t clear) {
  if (clear != 0)
    PutClipboardText(text);
  else
    AppendToClipboard(text);
}

std::optional<std::string> ClipboardText::TextForHost() {
  const std::optional<std::string> text = clipboard_.Text();
  if (!text) return std::nullopt;
  return HostTextFromClipboard(*text);
}

bool ClipboardText::ClipboardLine(int n, std::string& output) {
  output.clear();
  const std::optional<std::string> text = TextForHost();
  if (!text || text->empty() || n < 1) return false;
  int line = 1;
  size_t start = 0;
  const std::string& t = *text;
  while (true) {
    size_t end = t.find(kCR, start);
    const bool hasEnd = end != std::string::npos;
    if (!hasEnd) end = t.size();
    size_t next = hasEnd ? end + 1 : std::string::npos;
    // A long line goes on as the next line.
    if (end - start > kClipboardLineMax) {
      end = start + kClipboardLineMax;
      next = end;
    }
    if (line == n) {
      output.assign(t, start, end - start);
      return true;
    }
    if (next == std::string::npos) return false;
    start = next;
    ++line;
  }
}

void ClipboardCapture::Start() {
  afterCr_ = false;
  text_.ResetCopyBuffersNow();
}

void ClipboardCapture::CopyToClipboard(std::string_view codes, int fontId) {
  if (codes.empty()) return;
  if (afterCr_ && codes.front() == kLF) codes.remove_prefix(1);
  afterCr_ = !codes.empty() && codes.back() == kCR;
  if (codes.empty()) return;
  text_.clipboard().AppendText(ClipboardUtf8(codes, fontId));
}

}  // namespace korvane::output
