// The ESC STX family: identification answers, the host's file check,
// pictures, the column modes, and the text and Kermit transfers the host
// starts, reports on and ends.

#include <filesystem>
#include <system_error>

#include "emulation/HostCommands.h"
#include "emulation/HostInput.h"
#include "emulation/HostPaths.h"

namespace korvane {

namespace {
constexpr int kCr = 13;
}  // namespace

void HostCommands::SendAnswer(const HostAnswer& answer) { in_.answers.Send(answer, kCr); }

void HostCommands::SkipToCr(size_t cap) {
  std::string ignored;
  in_.CollectHostString(ignored, cap, kCr);
}

void HostCommands::EscStxCommand() {
  in_.GetNextHostByte();
  const int x = in_.NextHostByte;
  switch (x) {
    case 'i': PictureCommand(); break;
    case 'N':
      if (in_.Opt.FontSizeMode == 1) NarrowMode();
      break;
    case 'E':
      if (in_.Opt.FontSizeMode == 0) WideMode();
      break;
    case 'I': SendAnswer("ACCUTERM/WIN 2000 9999 SITE CLIENT"); break;
    case '?': SendAnswer("3*4*2*CDUAIX*b"); break;
    case 'P': FileExistsRequest(); break;
    case 'U':
      st_.TransferStatusPending = 0;
      services_.transfers.HostRequestsUpload(in_);
      break;
    case 'D': TransferStart(); break;
    case 'S': TransferStatus(); break;
    case 'j': in_.screen.PageCommand(); break;
    case 'C': TransferEnd(); break;
    case '<':
    case '>': OpenLocation(); break;
    default: break;
  }
  in_.CurrentHostChar = 0;
}

void HostCommands::PictureCommand() {
  Screen& s = in_.screen;
  in_.GetNextHostByte();
  const int sub = in_.NextHostByte;
  if (sub == 'C') {
    if (s.PicturesShown) {
      services_.pictures.RemoveInlinePictures();
      s.PicturesRedrawPending = 1;
      s.PicturesShown = 0;
    }
    return;
  }
  if (sub == 'D') {
    in_.GetNextHostByte();
    in_.CollectHostString(st_.HostPathText, kPathMax, kCr);
    // No name, or one outside the user's files, was never shown: nothing is
    // taken off.
    const std::string name = PictureName(st_.HostPathText);
    if (name.empty()) return;
    services_.pictures.RemovePicture(name);
    s.PicturesRedrawPending = 1;
    return;
  }
  if (sub != 'L') return;
  in_.GetNextHostByte();
  std::array<int16_t, 6> numbers{};
  // The path ends at the first ',' or CR.
  std::string path;
  bool lineEnded = false;
  while (path.size() < kPathMax) {
    in_.GetNextHostByte();
    if (in_.HostReadTimedOut) return;
    const int b = in_.NextHostByte;
    if (b == kCr) {
      lineEnded = true;
      break;
    }
    if (b == ',') break;
    if (path.empty() && b == ' ') continue;
    path += static_cast<char>(b);
  }
  if (!path.empty() && path[0] == ':') return;
  st_.HostPathText = path;
  for (size_t i = 0; i < numbers.size() && !lineEnded; ++i) {
    std::string text;
    while (text.size() < kPathMax) {
      in_.GetNextHostByte();
      if (in_.HostReadTimedOut) return;
      const int b = in_.NextHostByte;
      if (b == kCr) {
        lineEnded = true;
        break;
      }
      if (b == ',' && i < 5) break;
      if (text.empty() && b == ' ') continue;
      text += static_cast<char>(b);
    }
    long value = 0;
    for (char ch : text) {
      if (ch < '0' || ch > '9') break;
      value = std::min(value * 10 + (ch - '0'), 32767L);
    }
    numbers[i] = static_cast<int16_t>(value);
  }
  const bool keep = !(numbers[2] != 0 && numbers[3] != 0 && numbers[4] == 0);
  // A picture on the web is fetched by the picture service.
  if (path.rfind("http", 0) == 0) {
    services_.pictures.ShowInlinePicture(path, numbers, keep);
    return;
  }
  const std::string local = ConvertHostPath(path, services_.folders, services_.folders.home);
  std::string resolved;
  const PathCheck check = ConfineToFolder(local, services_.folders.home, resolved);
  if (check != PathCheck::Inside) {
    Alert(platform::AlertKind::Stop, 300,
          "The host asked to show a picture that Korvane does not open: ", PathCheckText(check), "\r", local);
    return;
  }
  services_.pictures.ShowInlinePicture(resolved, numbers, keep);
}

std::string HostCommands::PictureName(const std::string& hostPath) const {
  if (hostPath.empty()) return {};
  if (hostPath.rfind("http", 0) == 0) return hostPath;
  const std::string local = ConvertHostPath(hostPath, services_.folders, services_.folders.home);
  // The name the picture was shown under: its path with every link resolved.
  // Pictures are shown only from inside the home folder; no name, or any
  // other, is none ("").
  std::string resolved;
  return ConfineToFolder(local, services_.folders.home, resolved) == PathCheck::Inside ? resolved : std::string();
}

void HostCommands::WideMode() {
  Screen& s = in_.screen;
  SessionOptions& o = in_.Opt;
  s.port.TextSize(o.PlainFaceSwitch ? 9 : 6);
  o.FontSizeMode = 1;
  s.ColumnsSetting = o.PlainFaceSwitch ? 132 : 156;
  s.ComputeCellMetrics();
  s.RepaintPending = 1;
  s.ScreenCols = static_cast<int16_t>(std::min<int>(o.AutoWrapOn ? s.ColumnsSetting : s.WindowColumns, kMaxScreenCols));
  in_.SendWindowSizeToHost();
  services_.window.ColumnModeChanged(true);
}

void HostCommands::NarrowMode() {
  Screen& s = in_.screen;
  SessionOptions& o = in_.Opt;
  s.port.TextSize(o.TextSizeValue);
  o.FontSizeMode = 0;
  s.ColumnsSetting = 80;
  s.RepaintPending = 1;
  s.ComputeCellMetrics();
  if (o.FkeyBarShown) s.RemoveFunctionKeyBar();
  s.ScreenCols = static_cast<int16_t>(std::min<int>(o.AutoWrapOn ? s.ColumnsSetting : s.WindowColumns, kMaxScreenCols));
  in_.SendWindowSizeToHost();
  services_.window.ColumnModeChanged(false);
}

void HostCommands::FileExistsRequest() {
  // A request cut off before its CR is not answered.
  if (in_.CollectHostString(st_.HostCommandText, kLocationMax, kCr) != HostInput::CollectEnd::Terminator) return;
  const std::string& text = st_.HostCommandText;
  const size_t at = text.find("FileExists");
  if (at == std::string::npos) return;
  const size_t open = text.find('(', at);
  if (open == std::string::npos) return;
  const size_t close = text.find(')', open + 1);
  const std::string hostPath = text.substr(open + 1, close == std::string::npos ? std::string::npos : close - open - 1);
  const std::string local = ConvertHostPath(hostPath, services_.folders, services_.folders.transfers);
  // Only the transfer folders are looked at: a host learns nothing of the
  // user's other files (keys, settings); anything else reads as absent.
  bool exists = false;
  for (const std::string& folder : {services_.folders.transfers, TransferFolder(), KermitFolder()}) {
    std::string resolved;
    if (folder.empty() || ConfineToFolder(local, folder, resolved) != PathCheck::Inside) continue;
    std::error_code ec;
    exists = std::filesystem::exists(resolved, ec);
    break;
  }
  if (exists)
    SendAnswer("1");
  else
    SendAnswer("0");
}

std::string HostCommands::TransferFolder() const {
  return services_.folders.documents.empty() ? std::string() : services_.folders.documents + "/pick";
}

std::string HostCommands::KermitFolder() const {
  return services_.folders.documents.empty() ? std::string() : services_.folders.documents + "/kermit_transfers";
}

void HostCommands::TransferStart() {
  st_.TransferStatusPending = 0;
  st_.TransferResult = 0;
  in_.CollectHostString(st_.TransferRequestText, kRequestMax, kCr);
  for (char& ch : st_.TransferRequestText)
    if (ch == '\\') ch = ':';
  const std::string& t = st_.TransferRequestText;
  const char kind = t.empty() ? '\0' : t[0];
  if (kind == 'A') {
    const bool replace = t.size() > 1 && t[1] == 'O';
    const std::string folder = TransferFolder();
    std::error_code ec;
    if (!folder.empty()) std::filesystem::create_directories(folder, ec);
    std::string resolved;
    const PathCheck check = ConfineToFolder(folder + "/ft.txt", services_.folders.documents, resolved);
    if (check != PathCheck::Inside) {
      Alert(platform::AlertKind::Stop, 300, "Unable to open!", " ", "ft.txt: ", PathCheckText(check));
      st_.TransferResult = 1;
      services_.capture.ShowCaptureStatus();
      return;
    }
    if (std::filesystem::exists(resolved, ec) && !replace) {
      Alert(platform::AlertKind::Stop, 300, "ft.txt exists and host requests that this file not be overwritten!");
      st_.TransferResult = 3;
      return;
    }
    services_.capture.CloseCaptureFile();
    in_.CaptureFileOn = 0;
    if (!services_.capture.OpenTransferCapture(resolved)) {
      Alert(platform::AlertKind::Stop, 300, "Unable to open!", " ", resolved, " ft.txt");
      st_.TransferResult = 1;
      services_.capture.ShowCaptureStatus();
      return;
    }
    in_.CaptureFileOn = 1;
    in_.TransferByteCount = 1;
  } else if (kind == 'K') {
    in_.TransferByteCount = 1;
    if (!in_.Opt.KermitMode) {
      Alert(platform::AlertKind::Stop, 320,
            "Host is attempting a Kermit File Transfer but you do not have Kermit enabled under the Connection Menu");
      in_.TransferByteCount = 0;
    }
  }
  if (in_.TransferByteCount == 0) {
    Alert(platform::AlertKind::Stop, 300,
          "Host is attempting to start a file transfer with a protocol not Supported in Korvane");
    st_.TransferResult = 6;
  }
}

std::string HostCommands::KermitScreenCells(int row, int firstCol, int lastCol) const {
  std::string out;
  Screen& s = in_.screen;
  for (int c = firstCol; c <= lastCol; ++c) {
    const int16_t ch = s.ScreenChars(row, c);
    if (ch > 32) out += static_cast<char>(ch);
  }
  return out;
}

void HostCommands::TransferStatus() {
  if (st_.TransferStatusPending) {
    SendAnswer(HostAnswer("Status: ").NumberText(in_.TransferAborted).Add(" Files ").NumberText(1).Add(" Bytes 1"));
    in_.TransferByteCount = 1;
  } else if (in_.Opt.KermitMode) {
    // The kermit program's own screen tells how its transfer went.
    st_.KermitTransferText.clear();
    if (KermitScreenCells(3, 1, kMaxCursorCol).substr(0, 7) == "Warning") {
      if (in_.Opt.TelnetSession)
        Alert(platform::AlertKind::Stop, 300,
              "Kermit does not recognize the terminal type you have entered in the Telnet Connection... window.");
      else if (in_.Opt.SshSession)
        Alert(platform::AlertKind::Stop, 300,
              "Kermit does not recognize the terminal type you have entered in the Secure Shell Connection... "
              "window.");
      st_.KermitTransferText = KermitScreenCells(13, 1, 10);
    }
    st_.KermitTransferText += KermitScreenCells(21, 50, 54);
    // What the kermit program's screen shows is the host's text: only its
    // digits (the byte count) go back.
    SendAnswer(HostAnswer("Status:")
                   .NumberText(st_.TransferResult)
                   .Add(" Files")
                   .NumberText(1)
                   .DigitsOf(st_.KermitTransferText)
                   .NumberText(in_.TransferByteCount));
    Alert(platform::AlertKind::Note, 300, "Kermit file transfered to your kermit_transfers folder.");
    std::error_code ec;
    if (!KermitFolder().empty()) std::filesystem::create_directories(KermitFolder(), ec);
  } else {
    SendAnswer(HostAnswer("Status:")
                   .NumberText(st_.TransferResult)
                   .Add(" Files")
                   .NumberText(1)
                   .Add(" bytes")
                   .NumberText(in_.TransferByteCount));
  }
  in_.TransferByteCount = 0;
  services_.capture.CloseCaptureFile();
  in_.CaptureFileOn = 0;
}

void HostCommands::TransferEnd() {
  in_.GetNextHostByte();
  if (in_.NextHostByte == 'X') {
    services_.capture.CloseCaptureFile();
    in_.CaptureFileOn = 0;
    Alert(platform::AlertKind::Note, 300, "File transfer done");
    return;
  }
  SkipToCr(kRequestMax);
  Alert(platform::AlertKind::Stop, 300, "Host attempted to use a file transfer that Korvane does not support");
}

}  // namespace korvane
