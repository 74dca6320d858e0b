#pragma once
// One open capture file: the text the host sends, written as it arrives in
// the file's format (text or HTML), with the HTML head when it is opened and
// the HTML end when it is closed.
//
// Writes are gathered and go to the file once a few kilobytes are waiting,
// when Flush is called (the program calls it at the end of every input pass)
// and when the file is closed. A write that fails (a full disk, a file
// system gone read-only) stops the capture: the file is closed with what it
// already holds, and the failure is reported once, by the return value of the
// call that met it.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/Files.h"

namespace korvane::output {

struct CaptureFormatChoice {
  bool html = false;  // CollectHtml
  bool crLf = false;  // CollectAddLf: every line end carries a CR as well
};

class CaptureFile {
 public:
  static constexpr std::size_t kFlushSize = 16 * 1024;

  explicit CaptureFile(platform::Files& files) : files_(files) {}
  CaptureFile(const CaptureFile&) = delete;
  CaptureFile& operator=(const CaptureFile&) = delete;
  ~CaptureFile();

  // Opens `path` (a file open before is closed first) and, for HTML, writes
  // the head with `title`. 0, or the error that stopped it; the capture is
  // then closed.
  int Open(const std::string& path, platform::OutputMode mode, const std::string& title, CaptureFormatChoice format);
  bool IsOpen() const { return file_ != nullptr; }
  const std::string& Path() const { return path_; }
  bool Html() const { return format_.html; }

  // Host text (screen codes, converted with the font's table) and line
  // ends. 0, or the error of a failed write (the capture is then closed).
  int WriteText(std::string_view cells, int16_t fontId);
  int WriteLineEnd();
  // Writes bytes as they stand (the head and end of a host transfer).
  int WriteRaw(std::string_view bytes);
  int Flush();
  // Writes the HTML end when the head was written, and closes the file. 0 or
  // the error met on the way (the file is closed in any case).
  int Close();

 private:
  int Append(std::string_view bytes);
  int Fail(int error);

  platform::Files& files_;
  std::unique_ptr<platform::OutputFile> file_;
  std::string path_;
  std::string pending_;
  CaptureFormatChoice format_;
  bool htmlDocumentOpen_ = false;
};

}  // namespace korvane::output
