#pragma once
// A session's capture file: the recorder file or a file the user, the host or
// a script names; opening it (new, or for appending), writing the host's text
// into it as it arrives, closing it, deleting capture files, and the three
// capture-file actions of scripts (set, report and delete the capture file).
//
// Capture files named without a folder go into the capture folder: the
// desktop folder until a file is chosen elsewhere. Nothing in the preferences
// folder but the recorder file can be captured into or deleted (settings
// documents live there too), so host output can never overwrite the
// program's own files.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "output/CaptureFile.h"
#include "output/CaptureHost.h"
#include "platform/Alerts.h"
#include "platform/Files.h"
#include "settings/SessionOptions.h"

namespace korvane::output {

struct CaptureFolders {
  std::string preferences;  // the preferences folder (the recorder file lives here)
  std::string desktop;      // the first capture folder
  std::string home;         // bare names go here when the capture folder cannot be used
};

class CaptureFiles {
 public:
  static constexpr const char* kRecorderName = "RECORDER";

  CaptureFiles(SessionOptions& options, platform::Files& files, platform::Alerts& alerts, CaptureHost& host,
               CaptureFolders folders);

  // ---- State -----------------------------------------------------------------------
  bool CaptureOn() const { return file_.IsOpen(); }
  // The capture file as its name ("RECORDER", a bare name, or a path) and as
  // the path it is opened from (empty while no file has been chosen).
  const std::string& CaptureFileName() const { return captureFileName_; }
  const std::string& CaptureFilePath() const { return captureFilePath_; }
  const std::string& CaptureFolder() const { return captureFolder_; }
  // The host names the recorder file as the next capture file (ESC ~ H).
  void UseRecorderFile() { captureFileName_ = kRecorderName; }

  // ---- Opening and closing ---------------------------------------------------------
  // Recorder item 1 and the scripts' "capo": closes an open capture, then
  // opens the capture file for appending (the recorder file when no other is
  // chosen, created when missing). False, after the alert, when it cannot be
  // opened.
  bool OpenRecorderFile();
  // A new capture file at `path` (chosen by the user or named by the host):
  // an existing file is replaced; an HTML capture gets ".html" added to its
  // name. The file's folder becomes the capture folder. False after the
  // alert; an empty path (the choice was cancelled) ends the capture without
  // one.
  bool OpenCaptureFile(const std::string& path);
  // Recorder item 3: captures to the end of the file at `path`. A file of the
  // program's own is refused with "Append Error! You cannot use this file".
  bool AppendCaptureFile(const std::string& path);
  // The host's ESC ~ 3: reopens `name` for appending (a bare name in the
  // capture folder, "RECORDER" the recorder file). False, without an alert,
  // when it cannot be opened.
  bool ReopenCaptureForAppend(const std::string& name);
  // A host text transfer's file: opened new, in the text format whatever the
  // capture format; false when it cannot be opened.
  bool OpenTransferCapture(const std::string& path);
  // Writes the HTML end (for an HTML capture) and closes the capture file.
  void CloseCaptureFile();

  // ---- The host's text ---------------------------------------------------------------
  // Screen codes shown in font `fontId`; ignored while no capture is open.
  void WriteCaptureFile(std::string_view run, int16_t fontId);
  void WriteCaptureLineEnd();
  void Flush();

  // ---- Deleting ------------------------------------------------------------------------
  // Recorder item 4, with the file the user chose: refuses the program's own
  // files, asks "Are you sure you want to permanently delete ", closes the
  // capture and deletes the file; a deleted recorder file is made again,
  // empty. True when the file was deleted.
  bool DeleteCaptureFile(const std::string& path);

  // ---- Scripts ---------------------------------------------------------------------------
  // "setf": chooses the capture file from a path or a bare name, creating it
  // empty when it does not exist (an existing file is left as it is). The
  // reply text, also kept as LastReplyText.
  std::string SetCaptureFileFromScript(std::string_view pathText);
  // "getc": the capture file's full path, or empty.
  std::string GetCaptureFileName();
  // "delc", served by the idle pass: deletes the capture file unless capture
  // is on. The reply text.
  std::string DeleteCaptureFile();
  const std::string& LastReplyText() const { return lastReplyText_; }
  // The replies' messages in the user's language (the string table's look-up
  // of an English text); paths in replies are never translated.
  void SetReplyLanguage(std::function<std::string(const std::string&)> localise) { localise_ = std::move(localise); }

  // True when `path` is one of the program's own files (anything in the
  // preferences folder but the recorder file).
  bool IsProgramFile(const std::string& path) const;

 private:
  bool OpenForAppend(const std::string& path, const std::string& name);
  void CaptureStarted(const std::string& path, const std::string& name);
  void ReportWriteFailure(int error);
  std::string RecorderPath() const;
  std::string ResolveName(const std::string& name) const;
  std::string FullCapturePath() const;
  CaptureFormatChoice Format() const;

  SessionOptions& Opt;
  platform::Files& files_;
  platform::Alerts& alerts_;
  CaptureHost& host_;
  CaptureFolders folders_;
  CaptureFile file_;
  std::string captureFileName_ = kRecorderName;
  std::string captureFilePath_;
  std::string captureFolder_;
  bool captureFolderInvalid_ = false;
  std::string lastReplyText_;
  std::function<std::string(const std::string&)> localise_ = [](const std::string& english) { return english; };
};

}  // namespace korvane::output
