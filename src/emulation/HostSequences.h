#pragma once
// The host sequences both interpreter families carry out the same way: the
// addressed fills and boxes, the private control sequences of the extended
// ANSI mode (status answers, stored pages by number, framed boxes), and the
// host-programming commands after ESC ~.
//
// One per session, made from the session's parts and the services it
// drives:   HostSequences shared(screen, options, vtState, services);
// Every cell these sequences write lies on the screen: values beyond it are
// cut at its edge, never written outside the planes.

#include <string>

#include "emulation/HostAnswers.h"
#include "emulation/SessionServices.h"
#include "emulation/SharedSequences.h"

namespace korvane {

struct VtState;
class Screen;
struct SessionOptions;

class HostSequences final : public SharedSequences {
 public:
  // Longest name or path a host command collects (longer ones are answered
  // "Canceled").
  static constexpr size_t kNameMax = 254;

  HostSequences(Screen& screen, SessionOptions& options, VtState& state, SessionServices& services);

  SessionServices& Services() { return services_; }

  // ---- SharedSequences ----------------------------------------------------------
  void PutCharAtAddress(HostInput& in) override;
  void PutCharAtAddress2(HostInput& in) override;
  void DrawBoxFromHost(HostInput& in) override;
  void DrawBoxFromHost2(HostInput& in) override;
  bool AnsiPrivateSequences(HostInput& in) override;
  void HostProgrammingCommand(HostInput& in) override;
  AnsiColourEnd ExtendedAnsiColour(int b) override;
  bool ScoLineGraphicsAttributes(std::string_view params) override;
  bool ScoColourCommand(int final, const std::string& params) override;

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
  void Answer(HostInput& in, FixedText text);
  void StopAlert(const std::string& text);

  Screen& screen_;
  SessionOptions& Opt;
  VtState& vt_;
  SessionServices& services_;
};

}  // namespace korvane
