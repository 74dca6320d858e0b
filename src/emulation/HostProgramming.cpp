// Host-programming commands (ESC ~ and a letter): printing, capture files the
// host names, files sent to the host, scripts, and a few options. Every file
// a host names stays inside its feature's folder, and nothing is read for the
// host or run without the user's consent.

#include <algorithm>

#include "emulation/VtState.h"
#include "emulation/HostInput.h"
#include "emulation/HostPaths.h"
#include "emulation/HostSequences.h"

namespace korvane {

namespace {
constexpr int kCr = 13;
constexpr int64_t kNameAnswerDelayMs = 1000;
}  // namespace

void HostSequences::Answer(HostInput& in, FixedText text) { in.answers.Send(text, kCr); }

void HostSequences::StopAlert(const std::string& text) { services_.alerts.Show(platform::AlertKind::Stop, 0, text); }

bool HostSequences::CollectName(HostInput& in, std::string& name) {
  switch (in.CollectHostString(name, kNameMax, kCr)) {
    case HostInput::CollectEnd::Terminator: return true;
    case HostInput::CollectEnd::TooLong: Answer(in, "Canceled"); return false;
    default: return false;  // the host stopped before the end of the name
  }
}

void HostSequences::CloseCapture(HostInput& in, bool answer) {
  if (in.CaptureFileOn) {
    services_.capture.CloseCaptureFile();
    in.CaptureFileOn = 0;
  }
  if (answer && vt_.HostNamedCapture) Answer(in, "Capture Off");
}

void HostSequences::HostProgrammingCommand(HostInput& in) {
  Screen& s = screen_;
  const int letter = in.NextHostByte;
  in.CurrentHostChar = 0;
  switch (letter) {
    case 'p': services_.capture.PrintScreen(); break;
    case 'q':
      if (in.PrinterOn) in.Services().capture.PrinterCaptureOff();
      break;
    case 'c':
      in.GetNextHostByte();
      if (in.HostReadTimedOut) break;
      if (in.NextHostByte == '0' || in.NextHostByte == '1') {
        vt_.CloseKeyOff = in.NextHostByte == '0' ? 1 : 0;
        services_.menus.SetCloseKeyOff(vt_.CloseKeyOff != 0);
      }
      break;
    case 'a': RunScriptCommand(in); break;
    case 'S':
      // The file chooser opens only when the user agrees: a host repeating
      // the request cannot keep putting it up.
      if (!services_.alerts.Ask("Please select a file to transfer to the host", "", [this, &in](bool yes) {
            if (!yes || !services_.transfers.ChooseAndSendTextFile()) Answer(in, "Canceled");
          }))
        Answer(in, "Canceled");
      break;
    case 's': SendNamedFileCommand(in); break;
    // The reports themselves; the settings (whether they carry their
    // prefix) stay the user's.
    case '1': services_.clipboard.SetMouseReports(true); break;
    case '2': services_.clipboard.SetMouseReports(false); break;
    case '3':
      CloseCapture(in, false);
      if (!in.CaptureFileName.empty() && services_.capture.ReopenCaptureForAppend(in.CaptureFileName))
        in.CaptureFileOn = 1;
      break;
    case '4':
      s.DisplayOn = 1;
      CloseCapture(in, true);
      break;
    case 'H':
      in.CaptureFileName = "RECORDER";
      services_.capture.UseRecorderFile();
      break;
    case '5': OpenCaptureCommand(in); break;
    case '6':
      // The answer comes a second later, from the pass that follows, not from
      // a pause. A name the host gave is not sent back: the host knows it, and
      // a host that shows a file must not get a line of its choosing typed
      // back at its shell. The recorder's own name is the program's.
      if (in.CaptureFileName == "RECORDER")
        in.answers.SendLater(HostAnswer("RECORDER"), kCr, kNameAnswerDelayMs);
      else
        in.answers.SendLater(HostAnswer(""), kCr, kNameAnswerDelayMs);
      break;
    case '7': services_.capture.AppendDeleteCaptureFile(); break;
    case '8': services_.clipboard.StartClipboardCapture(); break;
    case '9': services_.capture.ClearStatusLine(); break;
    case 'A':
      if (!Opt.AltEditKeys) Answer(in, "Korvane");
      break;
    case 'B':
    case 'C':
      Opt.CapsMode = letter == 'B' ? 1 : 0;
      services_.menus.ShowCapsModeMark(Opt.CapsMode != 0);
      break;
    case 'D':
      services_.window.RedrawWindow();
      s.RepaintPending = 1;
      break;
    case 'E': s.PaintTextAreaBackground(); break;
    case 'F':
      s.RemoveFunctionKeyBar();
      s.EraseBelowScreenLines();
      // The bar stays hidden until the settings show it again; the lines below
      // the screen stay empty.
      Opt.FkeyBarShown = 1;
      break;
    default: break;
  }
  in.CurrentHostChar = 0;
}

void HostSequences::RunScriptCommand(HostInput& in) {
  in.GetNextHostByte();
  if (in.HostReadTimedOut) return;
  if (in.NextHostByte != '~') {
    StopAlert("Host programming error. Tilde ~ expected after 'a' character");
    return;
  }
  std::string name;
  if (!CollectName(in, name)) return;
  const std::string folder = services_.folders.scripts;
  // Only a script of the user's own scripts folder, named plainly, may run.
  const CheckedPath script =
      IsPlainFileName(name) ? ResolveInsideFolder(folder, name, true) : CheckedPath{FileCheck::Refused, {}};
  if (script.check != FileCheck::Inside) {
    StopAlert(folder + "/" + name + " Path not found!");
    Answer(in, "Canceled");
    StopAlert("Could not find the script. It must be in your scripts folder");
    return;
  }
  // The user decides, Cancel the default: a host must not run anything on
  // its own. The script is looked for again when the user says yes, in
  // case it changed while the question was up.
  const bool asked = services_.alerts.Ask(
      "The host asks to run the script \"" + name + "\" of your scripts folder (" + script.path + ").", "Run it?",
      [this, &in, folder, name, chosen = script.path](bool yes) {
        const CheckedPath now = ResolveInsideFolder(folder, name, true);
        if (!yes || now.check != FileCheck::Inside || now.path != chosen || !services_.scripts.RunScript(now.path))
          Answer(in, "Canceled");
      });
  if (!asked) Answer(in, "Canceled");
}

void HostSequences::SendNamedFileCommand(HostInput& in) {
  in.GetNextHostByte();
  if (in.HostReadTimedOut) return;
  if (in.NextHostByte != '~') {
    StopAlert("Host programming error. Tilde ~ expected after 's' character");
    return;
  }
  std::string name;
  if (!CollectName(in, name)) return;
  std::replace(name.begin(), name.end(), '\\', '/');
  const CheckedPath file = ResolveInsideFolder(services_.folders.transfers, name, true);
  if (file.check != FileCheck::Inside) {
    services_.alerts.Show(platform::AlertKind::Stop, 0, "Error opening file.", "\r", name);
    Answer(in, "Canceled");
    return;
  }
  // The host reads a local file: the user decides, Cancel the default. The
  // file is looked for again when the user says yes.
  const std::string folder = services_.folders.transfers;
  const bool asked = services_.alerts.Ask("The host asks for the file " + file.path, "Send it to the host?",
                                          [this, &in, folder, name, chosen = file.path](bool yes) {
                                            const CheckedPath now = ResolveInsideFolder(folder, name, true);
                                            if (!yes || now.check != FileCheck::Inside || now.path != chosen ||
                                                !services_.transfers.SendTextFileToHost(now.path))
                                              Answer(in, "Canceled");
                                          });
  if (!asked) Answer(in, "Canceled");
}

void HostSequences::OpenCaptureCommand(HostInput& in) {
  Screen& s = screen_;
  vt_.HostNamedCapture = 0;
  CloseCapture(in, false);
  in.GetNextHostByte();
  if (in.HostReadTimedOut) return;
  if ((in.NextHostByte & 0x7F) != '~') {
    services_.capture.NewCaptureFile();
    Answer(in, "");
    return;
  }
  vt_.HostNamedCapture = 1;
  in.CaptureFileName.clear();
  in.GetNextHostByte();
  if (in.HostReadTimedOut) return;
  const int kind = in.NextHostByte;
  in.GetNextHostByte();
  if (in.HostReadTimedOut) return;
  const int mark = in.NextHostByte;
  if (mark != '~' && mark != 'T') {
    StopAlert("Host programming error. Tilde ~ OR T expected after F or I character");
    vt_.HostNamedCapture = 0;
    return;
  }
  const bool known = kind == 'F' || kind == 'I';
  const bool hidden = mark == 'T' && known;
  if (mark == 'T') {
    // Transparent: the text goes to the capture unseen, and closing it sends
    // no answer.
    vt_.HostNamedCapture = 0;
    if (hidden) s.DisplayOn = 0;
    in.Services().window.RestoreArrowCursor();
    in.GetNextHostByte();
  }
  // Text is hidden only while a capture receives it.
  auto showAgain = [&] {
    if (hidden) s.DisplayOn = 1;
  };
  std::string path;
  if (!CollectName(in, path)) {
    showAgain();
    return;
  }
  if (kind == 'F') {
    in.GetNextHostByte();  // the line feed after the CR
    const CheckedPath file = CapturePathFromHost(path, services_.folders.desktop);
    if (file.check != FileCheck::Inside) {
      StopAlert("Incorrect path name supplied from Host. " + path);
      services_.capture.AbortAndCloseCapture();
      showAgain();
      return;
    }
    CloseCapture(in, false);
    if (services_.capture.CheckReservedFileName(file.path)) {
      showAgain();
      return;
    }
    in.CaptureFileName = file.path;
    if (services_.capture.OpenCaptureFile(file.path)) {
      in.CaptureFileOn = 1;
    } else {
      vt_.HostNamedCapture = 0;
      showAgain();
    }
  } else if (kind == 'I') {
    s.ClearScreenAndHome();
    services_.window.ReopenSessionWindow();
    const CheckedPath target = ShownPathFromHost(path, services_.folders.desktop);
    if (target.check != FileCheck::Inside) {
      StopAlert("Incorrect path name supplied from Host. " + path);
      return;
    }
    in.CaptureFileName = target.path;
    services_.transfers.ShowDownloadTarget(target.path);
  }
}

void HostSequences::HostMessage(HostInput& in) {
  in.GetNextHostByte();
  if (in.HostReadTimedOut) return;
  if (in.NextHostByte != '~') {
    StopAlert("Host programming error! Tilde ~ expected after 'M' character");
    return;
  }
  std::string text;
  if (CollectName(in, text)) services_.alerts.Show(platform::AlertKind::Note, 0, text);
}

void HostSequences::HostSendRequest(HostInput& in) {
  std::string name;
  if (!CollectName(in, name)) return;
  std::replace(name.begin(), name.end(), '\\', '/');
  const CheckedPath file = ResolveInsideFolder(services_.folders.transfers, name, true);
  if (file.check != FileCheck::Inside) {
    services_.alerts.Show(platform::AlertKind::Stop, 0, "Error opening file.", "\r", name);
    return;
  }
  services_.transfers.HostRequestedSend(file.path);
}

}  // namespace korvane
