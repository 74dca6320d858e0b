#pragma once
// Transfers of one session window, as the program runs them: the window's
// TransferService.
//
// - Sending text files to the host (the File menu, the host's requests,
//   scripts), a line at a time by the TextSender, stepped by the main loop.
// - The host's upload request (ESC STX 'U'): a text file sent as typed, or
//   handed to kermit on a kermit connection; the host names a file of the
//   user's Documents folder, and the user is asked before it is read.
// - Downloads: a command is sent to the host and what it answers is
//   collected into a capture file (collect mode of host input) until the
//   host falls quiet.
// - The host-to-computer transfers scripts set up ("htmx" and the
//   HostToMacXfer chain) and the window that confirms them.
//
// Nothing here waits: every pause (the kermit steps, the quiet time that
// ends a download, the half second after an abort) is a time the main
// loop's step looks at. Ctrl+. stops a send and aborts a download.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "emulation/SessionServices.h"
#include "output/TextSender.h"
#include "platform/FileDialogs.h"

namespace korvane {
class SessionWindow;
}

namespace korvane::output {

class SessionTransfers final : public TransferService, private SendHost {
 public:
  SessionTransfers(SessionWindow& window, platform::FileDialogs& fileDialogs);
  ~SessionTransfers() override;
  SessionTransfers(const SessionTransfers&) = delete;
  SessionTransfers& operator=(const SessionTransfers&) = delete;

  // ---- TransferService ---------------------------------------------------------------
  bool ChooseAndSendTextFile() override;
  void SendTextFileWithFlowCheck() override;
  bool SendTextFileToHost(const std::string& path) override;
  void HostRequestedSend(const std::string& path) override;
  void HostRequestsUpload(HostInput& in) override;
  void ReceiveDownloadFromHost() override;
  void ContinueSendToHost() override;
  void ShowDownloadTarget(const std::string& path) override;
  void ShowLinesTransmitted() override;
  void CloseTransferFile() override;
  std::string StartHostToMacTransfer(const std::string& hostCommand) override;
  std::string SendFileToHost(const std::string& name) override;
  bool UploadInProgress() override { return sender_.Active() || sendRequested_; }
  bool TransferInProgress() override { return transferInProgress_; }
  bool HostToMacCancelled() override { return hostToMacCancelled_; }
  void ResetHostToMacReceive() override;
  void StartHostToMacXfer(const HostToMacXferRequest& values) override;
  void HostTransferAnswered(const HostTransferAnswer& answer) override;

  // ---- What the main loop hands the window --------------------------------------------
  // Runs what is due: the requests left for the next pass, the kermit steps,
  // the end of an abort, and as much of a send as is due now, for at most
  // kSendSliceMs of the turn.
  void Step();
  // Ctrl+.: a send stops, a download is aborted. False when neither ran.
  bool CancelKey();
  // Ctrl+Shift+M: the count of lines sent is taken off the status line.
  bool EraseLinesMessage();
  bool Sending() const { return sender_.Active(); }
  // No send, kermit step, download or transfer request is under way: Step
  // has nothing to do.
  bool Idle() const {
    return !sender_.Active() && !sendRequested_ && kermit_ == KermitStep::Idle && !downloadPending_ &&
           !downloadRunning_ && !abortPending_ && !hostToMacWindowRequest_ && !hostToMacStartRequest_ &&
           !transferInProgress_;
  }
  bool Downloading() const;
  const TextSender& Sender() const { return sender_; }

  // The most of a turn a send may take: the rest is the window's.
  static constexpr int64_t kSendSliceMs = 8;
  // The longest file sent (what is larger is refused with a message).
  static constexpr size_t kLargestFile = size_t{1} << 30;
  // Ticks a download waits for the host before it gives up, unless the
  // transfer said otherwise.
  static constexpr int64_t kDefaultDownloadTimeoutTicks = 5 * 60;
  // Milliseconds between the kermit escape and the send command, and after
  // kermit's answer before the session goes back to the host.
  static constexpr int64_t kKermitStartMs = 1000;
  static constexpr int64_t kKermitReturnMs = 100;
  static constexpr int64_t kKermitStatusMs = 10;
  // The pause after a download is aborted, before the screen is cleared.
  static constexpr int64_t kAbortPauseMs = 500;
  // How long a host-requested send waits for the host to fall silent.
  static constexpr int64_t kQuietWaitMs = 3000;

 private:
  // ---- SendHost ----------------------------------------------------------------------
  bool EnsureConnectionOpen() override;
  bool ReadyToSend() override;
  void SendToHost(std::string_view bytes) override;
  void SetSendInProgress(bool on, bool acknowledged) override;
  bool TakeLineEchoSeen() override;
  int TakeHostAnswer() override;
  void DiscardHostInput() override;
  void ShowBusyCursor() override;
  void RestoreArrowCursor() override;
  void ShowLinesTransmitted(int count) override;
  void StopAlert(const std::string& text, const std::string& second) override;

  // Asks the user before a file goes to the host that asked for it: OK, and
  // Cancel, the default. `answered` runs with true only for OK.
  void AskToSend(const std::string& path, const std::function<void(bool yes)>& answered);
  // Reads the file and starts its send; false (after telling the user) when
  // it cannot be read or a send runs already.
  bool StartFileSend(const std::string& path);
  // The checks before a send: the connection opened, the host silent, a
  // serial line's flow control. False when the send must not start.
  bool FlowControlAllowsSend();
  // The host's upload request, once its bytes are read.
  void TextUpload(const std::string& path);
  void KermitUpload(const std::string& path);
  void StepKermit();
  // Downloads.
  void StartDownload(bool askForFile, const std::string& path, bool overwrite);
  void BeginDownloadCommand();
  void WatchDownload();
  void EndDownload();
  void AbortDownload();
  void FinishAbort();
  // The connection closed while a download ran: it ends where it is.
  void DownloadLost();
  void ResetCollectState();
  void StatusLine(const std::string& text);
  int64_t NowMs() const;
  int64_t NowTicks() const;
  std::string L(const std::string& english) const;
  int Alert(int kind, const std::string& a, const std::string& b = {}, const std::string& c = {},
            const std::string& d = {});

  SessionWindow& w_;
  platform::FileDialogs& fileDialogs_;
  TextSender sender_;

  // A send asked for (scripts' "mthx", a flow-checked send) that the next
  // step starts, with the file's path.
  bool sendRequested_ = false;
  std::string requestedPath_;
  // Lines counted by an acknowledged send, shown on the status line.
  int linesShown_ = 0;

  // The kermit upload: the steps after the escape to kermit's prompt, and
  // after kermit reported how its transfer went.
  enum class KermitStep { Idle, EscapeSent, Sending, Returning, Reporting };
  KermitStep kermit_ = KermitStep::Idle;
  int64_t kermitDueMs_ = 0;
  std::string kermitPath_;

  // Downloads (collect mode into the capture file).
  bool downloadPending_ = false;  // the command is still to be sent
  bool downloadRunning_ = false;  // collecting
  bool abortPending_ = false;     // aborted: the screen is cleared after a pause
  int64_t abortDueMs_ = 0;
  int64_t downloadStartTick_ = 0;
  int64_t downloadTimeoutTicks_ = kDefaultDownloadTimeoutTicks;
  int32_t dataSeenCount_ = 0;  // characters counted when the quiet time last began
  std::string downloadCommand_;

  // The host-to-computer transfer that scripts arm.
  bool hostToMacWindowRequest_ = false;
  bool hostToMacStartRequest_ = false;
  bool transferInProgress_ = false;
  bool hostToMacCancelled_ = false;
  std::string hostToMacCommand_;
  std::string presetPath_;
  std::optional<HostToMacXferRequest> xferRequest_;
  // The answer of the transfer window, waiting for the start request.
  HostTransferAnswer answer_;
};

// The session window's transfers, when the program gave it its own.
SessionTransfers* SessionTransfersOf(SessionWindow& window);

}  // namespace korvane::output
