#include "output/CaptureFile.h"

#include "output/CaptureFormat.h"

namespace korvane::output {

CaptureFile::~CaptureFile() { Close(); }

int CaptureFile::Open(const std::string& path, platform::OutputMode mode, const std::string& title,
                      CaptureFormatChoice format) {
  Close();
  const int error = files_.OpenOutputFile(path, mode, file_);
  if (error != 0) {
    file_.reset();
    return error;
  }
  path_ = path;
  format_ = format;
  htmlDocumentOpen_ = false;
  if (format_.html) {
    htmlDocumentOpen_ = true;
    if (const int e = Append(HtmlCaptureHeader(title, format_.crLf)); e != 0) return e;
    // The head goes to the disk at once, so that a file that cannot be
    // written is known before any host text is taken.
    return Flush();
  }
  return 0;
}

int CaptureFile::WriteText(std::string_view cells, int16_t fontId) {
  if (!file_ || cells.empty()) return 0;
  AppendCaptureText(pending_, cells, fontId, format_.html);
  return pending_.size() >= kFlushSize ? Flush() : 0;
}

int CaptureFile::WriteLineEnd() {
  if (!file_) return 0;
  if (format_.html) pending_ += "<BR>";
  pending_ += format_.crLf ? "\r\n" : "\n";
  return pending_.size() >= kFlushSize ? Flush() : 0;
}

int CaptureFile::WriteRaw(std::string_view bytes) {
  if (!file_) return 0;
  return Append(bytes);
}

int CaptureFile::Append(std::string_view bytes) {
  pending_.append(bytes);
  if (pending_.size() >= kFlushSize) return Flush();
  return 0;
}

int CaptureFile::Flush() {
  if (!file_ || pending_.empty()) return 0;
  const int error = file_->Write(pending_);
  pending_.clear();
  return error != 0 ? Fail(error) : 0;
}

int CaptureFile::Fail(int error) {
  // What reached the file stays there; nothing more is tried.
  pending_.clear();
  htmlDocumentOpen_ = false;
  if (file_) file_->Close();
  file_.reset();
  return error;
}

int CaptureFile::Close() {
  if (!file_) return 0;
  int error = 0;
  if (htmlDocumentOpen_) {
    pending_ += HtmlCaptureFooter(format_.crLf);
    htmlDocumentOpen_ = false;
  }
  error = Flush();
  if (file_) {
    const int closing = file_->Close();
    if (error == 0) error = closing;
  }
  file_.reset();
  pending_.clear();
  return error;
}

}  // namespace korvane::output
