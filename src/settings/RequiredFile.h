#pragma once
// The one place that reports a file that could not be opened. Most failures
// get the numbered file-error alert; a missing file is named, and the user
// may look for it with the open-file dialog, which insists on a file of
// exactly the expected name.

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/AlertRoutines.h"
#include "platform/Alerts.h"
#include "platform/FileDialogs.h"
#include "platform/Files.h"

namespace korvane {

// The program's file-error codes, which choose the error alert's message.
enum FileErrorCode : int32_t {
  kFileErrorNone = 0,
  kFileErrorIgnored = 1,     // nothing is shown
  kFileErrorNotFound = 2,    // message 14
  kFileErrorMissing = 3,     // the not-found question
  kFileErrorNotWritten = 4,  // message 18
  kFileErrorNotOpened = 10,  // message 15
  kFileErrorNoFolder = 11,   // message 20
  kFileErrorNotRead = 16,    // message 16, and any code the others do not name
};

// The file-error code of a system error number from opening the file at
// `path`: a missing file is the not-found question, a missing folder on the
// way (when the path is given) message 20; a file refused for want of room
// or rights message 18 when `writing`, else message 15.
int32_t FileErrorCodeOf(int error, bool writing, const std::string& path = {});

// What the required-file check needs of the rest of the program.
class RequiredFileHost {
 public:
  virtual ~RequiredFileHost() = default;
  // The numbered file-error alert showing message `message`.
  virtual void ErrorNumberAlert(int16_t message) = 0;
  // The open-file dialog: the path of the file chosen, "" when cancelled.
  virtual std::string AskForFile(const std::string& prompt) = 0;
};

struct RequiredFileCheck {
  // The code the check settled on: 0 when the user chose a file of the
  // expected name, else the failure that stands (3 for a missing file).
  int16_t RequiredFileResult = 0;
  // The file chosen (its path), when the result is 0.
  std::string ChosenFilePath;
};

// Reports the failure `LastErrorCode` of opening the file named
// `ChosenFileName` (a file name, UTF-8), and clears the code. On a missing file the user is asked
// to look for it; giving up or declining empties `ChosenFileName`.
RequiredFileCheck CheckRequiredFile(int32_t& LastErrorCode, std::string& ChosenFileName, platform::Alerts& alerts,
                                    RequiredFileHost& host);

// The check in the program: the numbered file-error alert of the program's
// alerts, and the open-file dialog offering every file.
class RequiredFileDialogs final : public RequiredFileHost {
 public:
  RequiredFileDialogs(platform::AlertRoutines& alerts, platform::FileDialogs& dialogs)
      : alerts_(alerts), dialogs_(dialogs) {}
  void ErrorNumberAlert(int16_t message) override;
  std::string AskForFile(const std::string& prompt) override;

 private:
  platform::AlertRoutines& alerts_;
  platform::FileDialogs& dialogs_;
};

// Reads a file the program needs (at most `maxBytes`). When it cannot be
// read, the required-file check reports why; for a missing file the user may
// look for a file of the same name, which is then read in its place (and
// checked the same way if that fails too). 0 with the bytes and, in `path`,
// the file that was read; or the system error that stands once the user has
// been told.
int ReadRequiredFile(std::string& path, std::size_t maxBytes, std::string& bytes, platform::Files& files,
                     platform::Alerts& alerts, RequiredFileHost& host);

}  // namespace korvane
