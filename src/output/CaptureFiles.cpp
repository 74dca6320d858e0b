#include "output/CaptureFiles.h"

#include <filesystem>

#include "output/CaptureFormat.h"

namespace korvane::output {

namespace {

// A path with "." and ".." taken out and no slash at its end, for comparing
// where two paths point without asking the file system.
std::string Normal(const std::string& path) {
  std::string p = std::filesystem::path(path).lexically_normal().string();
  while (p.size() > 1 && p.back() == '/') p.pop_back();
  return p;
}

std::string LastComponent(const std::string& path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string ParentFolder(const std::string& path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

bool StartsWith(std::string_view s, std::string_view head) { return s.substr(0, head.size()) == head; }
bool EndsWith(std::string_view s, std::string_view tail) {
  return s.size() >= tail.size() && s.substr(s.size() - tail.size()) == tail;
}

// The names scripts may not use for a capture file: settings files and the
// program's own documents.
bool ReservedForScripts(std::string_view text) {
  return EndsWith(text, "defaults") || StartsWith(text, "Korvane") || StartsWith(text, "CTBSettings");
}

constexpr const char* kUnableToOpen = "Unable to open!  The file may be open from another application";
constexpr const char* kCannotUse = "Append Error! You cannot use this file";

}  // namespace

CaptureFiles::CaptureFiles(SessionOptions& options, platform::Files& files, platform::Alerts& alerts, CaptureHost& host,
                           CaptureFolders folders)
    : Opt(options), files_(files), alerts_(alerts), host_(host), folders_(std::move(folders)), file_(files) {
  if (!folders_.preferences.empty() && folders_.preferences.back() != '/') folders_.preferences += '/';
  captureFolder_ = Normal(folders_.desktop.empty() ? folders_.home : folders_.desktop);
}

CaptureFormatChoice CaptureFiles::Format() const { return {CaptureIsHtml(Opt.CaptureCreator), Opt.CollectAddLf != 0}; }

std::string CaptureFiles::RecorderPath() const { return folders_.preferences + kRecorderName; }

std::string CaptureFiles::ResolveName(const std::string& name) const {
  if (name.empty() || name == kRecorderName) return RecorderPath();
  if (name.find('/') != std::string::npos) return name;
  const std::string folder = captureFolderInvalid_ || captureFolder_.empty() ? folders_.home : captureFolder_;
  return Normal(folder) + "/" + name;
}

bool CaptureFiles::IsProgramFile(const std::string& path) const {
  if (folders_.preferences.empty()) return false;
  const std::string prefs = Normal(folders_.preferences);
  const std::string p = Normal(path);
  if (p == prefs) return true;
  if (!StartsWith(p, prefs + "/")) return false;
  return p != Normal(RecorderPath());
}

void CaptureFiles::CaptureStarted(const std::string& path, const std::string& name) {
  captureFilePath_ = path;
  captureFileName_ = name;
  host_.CaptureChanged(true);
}

bool CaptureFiles::OpenRecorderFile() {
  if (CaptureOn()) CloseCaptureFile();
  std::string name = captureFileName_;
  std::string path;
  if (name.empty() || name == kRecorderName) {
    name = kRecorderName;
    path = RecorderPath();
    files_.MakeFolders(Normal(folders_.preferences));
  } else {
    path = captureFilePath_.empty() ? ResolveName(name) : captureFilePath_;
  }
  if (IsProgramFile(path)) {
    alerts_.Show(platform::AlertKind::Stop, 0, kCannotUse);
    host_.CaptureChanged(false);
    return false;
  }
  const int error = file_.Open(path, platform::OutputMode::Append, LastComponent(name), Format());
  if (error != 0) {
    alerts_.Show(platform::AlertKind::Stop, 0, kUnableToOpen, "\r", path + ": " + platform::FileErrorText(error));
    host_.CaptureChanged(false);
    return false;
  }
  CaptureStarted(path, name);
  return true;
}

bool CaptureFiles::OpenCaptureFile(const std::string& path) {
  if (CaptureOn()) CloseCaptureFile();
  // No name: the user cancelled the choice; the capture stays off and the
  // file chosen before stays the capture file.
  if (path.empty()) {
    host_.CaptureChanged(false);
    return false;
  }
  const CaptureFormatChoice format = Format();
  const std::string target = format.html ? HtmlCaptureName(path) : path;
  if (IsProgramFile(target)) {
    alerts_.Show(platform::AlertKind::Stop, 0, kCannotUse);
    return false;
  }
  const std::string name = LastComponent(target);
  const int error = file_.Open(target, platform::OutputMode::Replace, name, format);
  if (error != 0) {
    alerts_.Show(platform::AlertKind::Stop, 0, kUnableToOpen, "\r", target + ": " + platform::FileErrorText(error));
    return false;
  }
  captureFolder_ = ParentFolder(Normal(target));
  captureFolderInvalid_ = captureFolder_.empty();
  CaptureStarted(target, name);
  return true;
}

bool CaptureFiles::AppendCaptureFile(const std::string& path) {
  if (IsProgramFile(path)) {
    alerts_.Show(platform::AlertKind::Stop, 0, kCannotUse);
    return false;
  }
  if (CaptureOn()) CloseCaptureFile();
  const std::string name = LastComponent(path);
  const int error = file_.Open(path, platform::OutputMode::Append, name, Format());
  if (error != 0) {
    alerts_.Show(platform::AlertKind::Stop, 0, kUnableToOpen, "\r", path + ": " + platform::FileErrorText(error));
    return false;
  }
  CaptureStarted(path, name);
  return true;
}

bool CaptureFiles::ReopenCaptureForAppend(const std::string& name) {
  if (CaptureOn()) CloseCaptureFile();
  const std::string path = ResolveName(name);
  if (IsProgramFile(path)) return false;
  if (path == RecorderPath()) files_.MakeFolders(Normal(folders_.preferences));
  if (file_.Open(path, platform::OutputMode::Append, LastComponent(name), Format()) != 0) return false;
  CaptureStarted(path, name.empty() ? std::string(kRecorderName) : name);
  return true;
}

bool CaptureFiles::OpenTransferCapture(const std::string& path) {
  if (CaptureOn()) CloseCaptureFile();
  if (IsProgramFile(path)) return false;
  // A transferred file is the host's text as it stands: no HTML around it.
  if (file_.Open(path, platform::OutputMode::Replace, {}, {false, Opt.CollectAddLf != 0}) != 0) return false;
  CaptureStarted(path, LastComponent(path));
  return true;
}

void CaptureFiles::CloseCaptureFile() {
  const bool wasOpen = CaptureOn();
  const int error = file_.Close();
  host_.CaptureChanged(false);
  if (wasOpen && error != 0) ReportWriteFailure(error);
}

void CaptureFiles::ReportWriteFailure(int error) {
  host_.CaptureChanged(false);
  alerts_.Show(platform::AlertKind::Stop, 0,
               "Unable to write to the capture file. Capture is off; what was captured so far is kept.", "\r",
               captureFilePath_ + ": " + platform::FileErrorText(error));
}

void CaptureFiles::WriteCaptureFile(std::string_view run, int16_t fontId) {
  if (!CaptureOn()) return;
  if (const int error = file_.WriteText(run, fontId); error != 0) ReportWriteFailure(error);
}

void CaptureFiles::WriteCaptureLineEnd() {
  if (!CaptureOn()) return;
  if (const int error = file_.WriteLineEnd(); error != 0) ReportWriteFailure(error);
}

void CaptureFiles::Flush() {
  if (!CaptureOn()) return;
  if (const int error = file_.Flush(); error != 0) ReportWriteFailure(error);
}

bool CaptureFiles::DeleteCaptureFile(const std::string& path) {
  if (IsProgramFile(path)) {
    alerts_.Show(platform::AlertKind::Stop, 0, "Delete Error! You cannot delete this file");
    return false;
  }
  if (alerts_.Show(platform::AlertKind::Caution, 301, "Are you sure you want to permanently delete ",
                   LastComponent(path)) != 1)
    return false;
  CloseCaptureFile();
  const int error = files_.Exists(path) ? files_.RemoveFile(path) : ENOENT;
  if (error != 0) {
    alerts_.Show(platform::AlertKind::Stop, 0, "Unable to delete!", "\r", path + ": " + platform::FileErrorText(error));
    return false;
  }
  if (Normal(path) == Normal(RecorderPath())) {
    std::unique_ptr<platform::OutputFile> fresh;
    if (files_.OpenOutputFile(RecorderPath(), platform::OutputMode::CreateNew, fresh) == 0) fresh->Close();
  }
  return true;
}

std::string CaptureFiles::SetCaptureFileFromScript(std::string_view pathText) {
  std::string reply;
  const std::string text(pathText);
  if (text.empty()) {
    lastReplyText_ = reply;
    return reply;
  }
  if (ReservedForScripts(text) || ReservedForScripts(LastComponent(text))) {
    reply = localise_("Error! Cannot use this file for a capture file.");
    lastReplyText_ = reply;
    return reply;
  }
  // The new choice is worked out aside and kept only when its file can be
  // used, so that a refused path never becomes the capture file.
  std::string path;
  std::string folder = captureFolder_;
  bool folderInvalid = captureFolderInvalid_;
  bool usable = true;
  if (text.find('/') != std::string::npos) {
    if (text.front() != '/' || text.back() == '/') usable = false;
    path = Normal(text);
    folder = ParentFolder(path);
    folderInvalid = folder.empty();  // a file directly in the root folder
  } else {
    path = ResolveName(text);
  }
  if (usable && IsProgramFile(path)) usable = false;
  if (usable) {
    // Opening for appending creates a missing file and never empties one.
    std::unique_ptr<platform::OutputFile> probe;
    usable = files_.OpenOutputFile(path, platform::OutputMode::Append, probe) == 0;
    if (probe) probe->Close();
  }
  if (!usable) {
    reply = localise_("Error! Incorrect path name supplied from AppleScript.");
  } else {
    captureFolder_ = folder;
    captureFolderInvalid_ = folderInvalid;
    captureFilePath_ = path;
    captureFileName_ = path;
    reply = localise_("Capture file set to ") + path;
  }
  lastReplyText_ = reply;
  return reply;
}

std::string CaptureFiles::FullCapturePath() const {
  if (captureFileName_.find('/') != std::string::npos) return captureFileName_;
  if (captureFileName_ == kRecorderName || captureFileName_.empty()) return RecorderPath();
  return captureFilePath_;
}

std::string CaptureFiles::GetCaptureFileName() {
  lastReplyText_ = FullCapturePath();
  return lastReplyText_;
}

std::string CaptureFiles::DeleteCaptureFile() {
  const std::string path = FullCapturePath();
  if (CaptureOn()) {
    lastReplyText_ = localise_("Cannot Delete file when capture is on");
  } else if (path.empty() || IsProgramFile(path) || !files_.Exists(path) || files_.RemoveFile(path) != 0) {
    lastReplyText_ = "Error trying to delete file";
  } else {
    lastReplyText_ = path + " Deleted";
  }
  return lastReplyText_;
}

}  // namespace korvane::output
