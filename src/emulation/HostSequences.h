#pragma once
// The host sequences both interpreter families carry out the same way: the
// addressed fills and boxes, the private control sequences of the extended
// ANSI mode (status answers, stored pages by number, framed boxes), and the
// host-programming commands after ESC ~.
//
// One per session, made from the session and the hooks of the parts it
// drives:   HostSequences shared(session, &hooks, &alerts);
// Every cell these sequences write lies on the screen: values beyond it are
// cut at its edge, never written outside the planes.

#include <string>

#include "emulation/HostCommandHooks.h"
#include "emulation/SharedSequences.h"
#include "platform/Alerts.h"

namespace korvane {

struct VtState;
class Screen;
struct SessionOptions;

class HostSequences final : public SharedSequences {
 public:
  // Longest name or path a host command collects (longer ones are answered
  // "Canceled").
  static constexpr size_t kNameMax = 254;

  // Null hooks: a session without capture, printing, transfers or scripts.
  // Null alerts: every question is answered Cancel and messages go unseen.
  HostSequences(Screen& screen, SessionOptions& options, VtState& state, HostCommandHooks* hooks = nullptr,
                platform::Alerts* alerts = nullptr);

  HostCommandHooks& Hooks() { return *hooks_; }
  platform::Alerts& Alerts() { return *alerts_; }

  // ---- SharedSequences ----------------------------------------------------------
  void PutCharAtAddress(HostInput& in) override;
  void PutCharAtAddress2(HostInput& in) override;
  void DrawBoxFromHost(HostInput& in) override;
  void DrawBoxFromHost2(HostInput& in) override;
  bool AnsiPrivateSequences(HostInput& in) override;
  void HostProgrammingCommand(HostInput& in) override;

  // ---- Host commands the VT interpreter takes from the Wyse family --------------------
  // ESC ~ M ~ text CR: the host's message in a note alert.
  void HostMessage(HostInput& in);
  // ESC ~ G name CR: the host asks for a file to be sent.
  void HostSendRequest(HostInput& in);

 private:
  // The fill of ESC c H / F; `skipProtected` leaves protected cells alone in
  // write-protect mode.
  void Fill(HostInput& in, bool skipProtected);
  // A single-line box at the cursor whose far corner lies `width` - 1 columns
  // to the right and `height` - 1 rows down.
  void DrawBoxAtCursor(int width, int height);
  // One cell of a frame or fill: stored and drawn when it lies on the screen.
  void PutCell(int row, int col, int ch, bool storeAttributes, int16_t attr);
  bool OnScreen(int row, int col) const;
  // ESC [ > ... : pages and framed boxes.
  void PrivateBox(HostInput& in);
  // The five parts of the host-programming commands with parameters.
  void RunScriptCommand(HostInput& in);
  void SendNamedFileCommand(HostInput& in);
  void OpenCaptureCommand(HostInput& in);
  void CloseCapture(HostInput& in, bool answer);
  // Collects a name up to CR; false (after answering "Canceled" when it was
  // too long) when no name arrived.
  bool CollectName(HostInput& in, std::string& name);
  void Answer(HostInput& in, const std::string& text);
  void StopAlert(const std::string& text);

  Screen& screen_;
  SessionOptions& Opt;
  VtState& vt_;
  HostCommandHooks* hooks_;
  platform::Alerts* alerts_;
};

}  // namespace korvane
