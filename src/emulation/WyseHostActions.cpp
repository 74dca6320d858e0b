// Host-requested actions: opening an address or a file, the host's message,
// its request to send a file, and printer routing.

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "emulation/HostAddresses.h"
#include "emulation/HostCommands.h"
#include "emulation/HostInput.h"
#include "emulation/HostPaths.h"
#include "platform/Desktop.h"

namespace korvane {

namespace {
constexpr int kCr = 13;

// An address from the host is handed on only when it is plainly an address:
// an allowed scheme, and none of the characters that have no place in one
// (quotes, backticks, a dollar sign, blanks, controls, bytes above 126).
bool HostAddressAcceptable(const std::string& url) {
  if (!platform::AllowedUrl(url)) return false;
  return std::none_of(url.begin(), url.end(), [](char ch) {
    const unsigned char u = static_cast<unsigned char>(ch);
    return u > 126 || u <= 32 || ch == '"' || ch == '\'' || ch == '`' || ch == '$' || ch == '\\' || ch == '<' ||
           ch == '>' || ch == '{' || ch == '}' || ch == '|' || ch == '^';
  });
}

// Host text as an alert shows it: printable, and not too long.
std::string Shown(const std::string& text) {
  std::string out;
  for (char ch : text.substr(0, 120)) {
    const unsigned char u = static_cast<unsigned char>(ch);
    out += (u < 32 || u == 127) ? '?' : ch;
  }
  if (text.size() > 120) out += "...";
  return out;
}

bool StartsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }
}  // namespace

HostCommands::HostCommands(HostInput& in, WyseState& state) : in_(in), st_(state), services_(in.Services()) {}

int HostCommands::Alert(platform::AlertKind kind, int id, const std::string& a, const std::string& b,
                        const std::string& c, const std::string& d) {
  return services_.alerts.Show(kind, id, a, b, c, d);
}

void HostCommands::OpenLocation() {
  std::string text;
  const HostInput::CollectEnd end = in_.CollectHostString(text, kLocationMax, kCr);
  if (end == HostInput::CollectEnd::TooLong) {
    // The rest of an address too long to be one is dropped with it.
    std::string rest;
    in_.CollectHostString(rest, kSkipMax, kCr);
    Alert(platform::AlertKind::Stop, 300, "The host sent an address too long to open.");
    return;
  }
  // An address cut off by a host that stopped sending is not opened.
  if (end != HostInput::CollectEnd::Terminator) return;

  if (text.find("http") != std::string::npos || text.find("mailto") != std::string::npos) {
    while (!text.empty() && text.back() == ' ') text.pop_back();
    if (HostAddressAcceptable(text)) {
      // Opened only when the user says yes; while the question is up further
      // requests are dropped (HostAlerts counts them).
      const std::string address = WithoutFileParameters(text);
      services_.alerts.AskForPage("The host asks to open this address:", address, [this, address](bool yes) {
        if (yes && !services_.desktop.OpenURL(address))
          Alert(platform::AlertKind::Stop, 300, "The address could not be opened:", "\r", Shown(address));
      });
      return;
    }
    Alert(platform::AlertKind::Stop, 300, "The host asked to open an address that Korvane does not open:", "\r",
          Shown(text));
    return;
  }
  std::string path = text;
  if (!path.empty() && path.front() == '"') path = path.size() >= 2 ? path.substr(1, path.size() - 2) : "";
  OpenHostFile(path);
}

void HostCommands::OpenHostFile(const std::string& path) {
  const HostFolders& f = services_.folders;
  std::string local, folder;
  const bool named = StartsWith(path, "BootVolume") || StartsWith(path, "UserDesktop") ||
                     path.find(':') != std::string::npos || (!path.empty() && (path[0] == '/' || path[0] == '\\'));
  if (named) {
    // A path on the user's disk: only the user's own files.
    local = ConvertHostPath(path, f, f.home);
    folder = f.home;
  } else {
    // A plain name is one of the program's own documents.
    local = ConvertHostPath(path, f, f.resources);
    folder = f.resources;
  }
  std::string resolved;
  const PathCheck check = ConfineToFolder(local, folder, resolved);
  if (check != PathCheck::Inside) {
    Alert(platform::AlertKind::Stop, 300, "The host asked to open a file that Korvane does not open:", "\r",
          Shown(path) + " (" + PathCheckText(check) + ")");
    return;
  }
  std::error_code ec;
  if (!std::filesystem::exists(resolved, ec)) {
    Alert(platform::AlertKind::Stop, 300, Shown(path), " was not found.");
    return;
  }
  // Cancel is the default: a host cannot have a file opened by a stray
  // Return. The path is checked again when the user says yes. Korvane's own
  // documents open in Korvane, by their kind; anything else with the program
  // the desktop has for it.
  services_.alerts.Ask("The host asks to open " + Shown(resolved), "Open it with its program?",
                       [this, local, folder, resolved](bool yes) {
                         std::string now;
                         if (!yes || ConfineToFolder(local, folder, now) != PathCheck::Inside || now != resolved)
                           return;
                         if (!services_.window.OpenOwnDocument(now)) services_.desktop.OpenFile(now);
                       });
}

bool HostCommands::HostMessage() {
  in_.GetNextHostByte();
  if (in_.NextHostByte != '~') {
    Alert(platform::AlertKind::Stop, 300, "Host programming error! Tilde ~ expected after 'M' character");
    return false;
  }
  std::string message;
  const HostInput::CollectEnd end = in_.CollectHostString(message, kMessageMax + 1, kCr);
  if (end == HostInput::CollectEnd::TooLong) {
    in_.answers.Send("Canceled", kCr);
    // The rest of the message goes with it; what follows its CR is read as usual.
    std::string rest;
    in_.CollectHostString(rest, kSkipMax, kCr);
    return false;
  }
  if (end != HostInput::CollectEnd::Terminator) return false;
  Alert(platform::AlertKind::Note, 300, Shown(message));
  return true;
}

void HostCommands::HostSendRequest() {
  std::string name;
  if (in_.CollectHostString(name, kPathMax, kCr) != HostInput::CollectEnd::Terminator) return;
  const std::string local = ConvertHostPath(name, services_.folders, TransferFolder());
  std::string resolved;
  const PathCheck check = ConfineToFolder(local, services_.folders.documents, resolved);
  if (check != PathCheck::Inside) {
    Alert(platform::AlertKind::Stop, 300, "The host asked for a file that Korvane does not send:", "\r",
          Shown(name) + " (" + PathCheckText(check) + ")");
    return;
  }
  services_.transfers.HostRequestedSend(resolved);
}

bool HostCommands::PrinterOnWithDisplay(int display, bool viewpointAlert) {
  HostChannel& conn = in_.conn;
  if (services_.clipboard.ClipboardCaptureOn()) {
    if (in_.Opt.XonXoffOn) conn.SendXoff();
    if (viewpointAlert)
      Alert(platform::AlertKind::Stop, 300,
            "CLIPBOARD ON The host computer attempted to send data to the printer while Clipboard Recording was "
            "on.");
    else
      Alert(platform::AlertKind::Caution, 300,
            "CLIPBOARD ON! The host computer attempted to send data to the printer while Clipboard Recording "
            "was on.");
    if (in_.Opt.XonXoffOn) conn.SendXoffXon();
    in_.CurrentHostChar = 0;
    return false;
  }
  services_.window.RestoreArrowCursor();
  in_.CurrentHostChar = 0;
  services_.clipboard.StopClipboardCapture();
  in_.ClipboardLineCopy = 0;
  services_.capture.ShowCaptureModes();
  // The host's text leaves the screen only while a printer capture takes it.
  if (!in_.PrinterOn && services_.capture.OpenPrinterCapture()) in_.PrinterOn = 1;
  in_.screen.DisplayOn = static_cast<int16_t>(in_.PrinterOn ? display : 1);
  return in_.PrinterOn != 0;
}

void HostCommands::PrinterOff() {
  Screen& s = in_.screen;
  if (s.DisplayOn == 1) in_.DrawRun();
  in_.CaptureCharacter();
  s.PendingRun.clear();
  in_.CurrentHostChar = 0;
  in_.Services().window.RestoreArrowCursor();
  if (in_.PrinterOn == 1) in_.Services().capture.PrinterCaptureOff();
  s.DisplayOn = 1;
}

}  // namespace korvane
