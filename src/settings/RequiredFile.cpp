// The required-file check: one report for every file that could not be opened.

#include "settings/RequiredFile.h"

#include <sys/stat.h>

#include <cerrno>

#include "platform/CharMap.h"

namespace korvane {

namespace {

std::string NameOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool FolderOfPathMissing(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos || slash == 0) return false;
  struct stat st {};
  return stat(path.substr(0, slash).c_str(), &st) != 0 || !S_ISDIR(st.st_mode);
}

// The not-found question: 1 to look for the file, 2 not to.
int AskToLookForIt(const std::string& name, platform::Alerts& alerts) {
  const std::string shown = platform::MacRomanFromUtf8(name);
  if (name == "International")
    return alerts.Show(platform::AlertKind::Note, 314, shown,
                       " was not found.  (To avoid seeing this message again, install ", shown,
                       // \xAA is the trade mark sign in the program's text.
                       " into the Korvane\xAA folder.)  Do you want to look for it?");
  return alerts.Show(platform::AlertKind::Note, 314, shown, " was not found.  Do you want to look for it?", "", "");
}

}  // namespace

int32_t FileErrorCodeOf(int error, bool writing, const std::string& path) {
  switch (error) {
    case 0: return kFileErrorNone;
    case ENOENT: return !path.empty() && FolderOfPathMissing(path) ? kFileErrorNoFolder : kFileErrorMissing;
    case ENOTDIR: return kFileErrorNoFolder;
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY: return writing ? kFileErrorNotWritten : kFileErrorNotOpened;
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return writing ? kFileErrorNotWritten : kFileErrorNotRead;
    case EISDIR:
    case EINVAL:
    case ELOOP:
    case ENAMETOOLONG:
    case EMFILE:
    case ENFILE: return kFileErrorNotOpened;
    default: return kFileErrorNotRead;
  }
}

RequiredFileCheck CheckRequiredFile(int32_t& LastErrorCode, std::string& ChosenFileName, platform::Alerts& alerts,
                                    RequiredFileHost& host) {
  RequiredFileCheck result;
  int16_t code = static_cast<int16_t>(LastErrorCode & 0xFF);
  // A failure whose low byte happens to be 0 is still a failure: it must not
  // read as "the user chose the file".
  if (code == 0 && LastErrorCode != 0) code = kFileErrorNotRead;
  switch (code) {
    case kFileErrorNone:
    case kFileErrorIgnored: break;
    case kFileErrorNotFound: host.ErrorNumberAlert(14); break;
    case kFileErrorNotOpened: host.ErrorNumberAlert(15); break;
    case kFileErrorNotWritten: host.ErrorNumberAlert(18); break;
    case kFileErrorNoFolder: host.ErrorNumberAlert(20); break;
    case kFileErrorMissing: {
      const int answer = AskToLookForIt(ChosenFileName, alerts);
      if (answer == 2) ChosenFileName.clear();
      if (answer != 1) break;
      for (;;) {
        const std::string chosen = host.AskForFile("");
        if (chosen.empty()) {
          ChosenFileName.clear();
          break;
        }
        if (NameOf(chosen) == ChosenFileName) {
          result.ChosenFilePath = chosen;
          code = 0;
          break;
        }
        if (alerts.Show(platform::AlertKind::Stop, 314, "Wrong File! Please select the file, ",
                        platform::MacRomanFromUtf8(ChosenFileName), "", "") != 1) {
          ChosenFileName.clear();
          break;
        }
      }
      break;
    }
    default: host.ErrorNumberAlert(16); break;
  }
  result.RequiredFileResult = code;
  LastErrorCode = 0;
  return result;
}

void RequiredFileDialogs::ErrorNumberAlert(int16_t message) { alerts_.ErrorNumberAlert(message); }

std::string RequiredFileDialogs::AskForFile(const std::string& prompt) {
  return dialogs_.ChooseFile({platform::FileKind::Any}, prompt).value_or(std::string());
}

int ReadRequiredFile(std::string& path, std::size_t maxBytes, std::string& bytes, platform::Files& files,
                     platform::Alerts& alerts, RequiredFileHost& host) {
  for (;;) {
    const int error = files.ReadFile(path, bytes, maxBytes);
    if (error == 0) return 0;
    int32_t LastErrorCode = FileErrorCodeOf(error, false, path);
    std::string ChosenFileName = NameOf(path);
    const RequiredFileCheck check = CheckRequiredFile(LastErrorCode, ChosenFileName, alerts, host);
    // Only a file the user chose (of the same name) is tried again; every
    // choice is the user's, so this ends when they stop looking.
    if (check.RequiredFileResult != 0 || check.ChosenFilePath.empty()) return error;
    path = check.ChosenFilePath;
  }
}

}  // namespace korvane
