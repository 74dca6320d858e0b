#pragma once
// Host input of one session: reading what the host has sent in chunks, flow
// control, the watchers that see every received byte, the character writer
// with its pending run, collect mode and the plain-text path.
//
// One call of ProcessHostInput is one input pass. It reads chunks from the
// session's connection and hands each byte, after the watchers, to the
// interpreter of the session's emulation (HostInterpreter), which pulls any
// further bytes of a sequence with GetNextHostByte, prints through
// WriteCharacter and ends every byte at CharDone. Printable characters are not
// drawn one by one: they gather in the pending run (Screen::PendingRun), drawn
// in one text call and echoed as one piece at a control, a wrap, 254 bytes or
// the end of the chunk.
//
// The chunk is held 0-based: ReceiveBuffer[0 .. HostChunkLast] are the bytes
// read, HostChunkPos is the index of the byte under interpretation, and the
// chunk is done when HostChunkPos passes HostChunkLast.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "emulation/CharWriterState.h"
#include "emulation/CollectState.h"
#include "emulation/EchoRouter.h"
#include "emulation/HostAnswers.h"
#include "emulation/HostChannel.h"
#include "emulation/HostInterpreter.h"
#include "emulation/HostReader.h"
#include "emulation/HostWatchers.h"
#include "emulation/SessionServices.h"
#include "emulation/SharedSequences.h"
#include "screen/HostByteSource.h"
#include "screen/Screen.h"
#include "settings/SessionOptions.h"

namespace korvane {

class FloodGate;

// Host input is split by concern: the reader's, the watchers', the echo
// targets', the writer's and collect mode's state each in a type of its own;
// the passes that step them are here.
class HostInput : public HostReaderState,
                  public HostWatcherState,
                  public EchoTargets,
                  public CharWriterState,
                  public CollectState {
 public:
  // Chunk sizes and limits of an input pass.
  static constexpr int kPtyChunkMax = 1023;
  static constexpr int kSerialChunkMax = 250;
  static constexpr int kPlainPtyChunkMax = 50;
  static constexpr int kCollectPtyChunkMax = 255;
  static constexpr int kPassChunkLimit = 30;
  // A serial backlog above this holds the host with XOFF (Xon/Xoff on) ...
  static constexpr int kXoffBacklog = 8000;
  // ... while more than this waits on the port.
  static constexpr int kXoffWaiting = 4000;
  // Collect mode lets the host go again only below this backlog.
  static constexpr int kCollectXonBacklog = 2000;
  // GetNextHostByte waits this long for a byte ...
  static constexpr int kByteWaitTicks = 60;
  // ... but inside an input pass on a pseudo-terminal (a local program, a
  // telnet or ssh host) all its waits together last at most this long: the
  // window goes on working whatever pace the host sends at. A sequence whose
  // bytes are later than that is given up, as a timed-out one is.
  static constexpr int64_t kPassWaitBudgetMs = 60;
  // The pending run is drawn and echoed once it holds this many bytes.
  static constexpr size_t kRunFlushLength = 254;
  // The text of a status line collected while it is written.
  static constexpr size_t kLineTextMax = 255;
  // A replayed sequence uses at most this many bytes.
  static constexpr int kReplayMax = 80;
  // The connect-string watcher gives up after this many characters.
  static constexpr size_t kConnectStringMax = 10000;

  HostInput(SessionOptions& options, Screen& screen, HostChannel& connection, SessionServices& services);
  HostInput(const HostInput&) = delete;
  HostInput& operator=(const HostInput&) = delete;

  SessionOptions& Opt;
  Screen& screen;
  HostChannel& conn;

 private:
  SessionServices& services_;
  platform::Clock& clock_;

 public:
  // Every answer to the host goes through here (see HostAnswers).
  HostAnswers answers;

 public:
  // ---- Wiring ---------------------------------------------------------------
  // The interpreters of the two emulation families; null where none exists yet
  // (those sessions take the plain-text path).
  // The sequences both families share (see SharedSequences); null until set.
  void SetSharedSequences(SharedSequences* shared) { shared_ = shared; }
  SharedSequences* Shared() const { return shared_; }

  void SetInterpreters(HostInterpreter* wyseFamily, HostInterpreter* vtFamily) {
    wyse_ = wyseFamily;
    vt_ = vtFamily;
  }
  // The gate between the screen and the window's port; null: every call draws.
  void SetFloodGate(FloodGate* gate) { gate_ = gate; }
  // What the session reaches beyond its screen.
  SessionServices& Services() { return services_; }

  // ---- The input pass ---------------------------------------------------------
  enum class Route { Collect, PlainText, WyseFamily, VtFamily };
  // The path the session's bytes take, by the emulation flags (first match
  // wins); collect mode comes before all of them.
  Route RouteByEmulation() const;
  void ProcessHostInput();

  // ---- Bytes of a sequence ------------------------------------------------------
  // The next byte for an interpreter into NextHostByte: a replayed byte, the
  // byte given back, the next byte of the chunk, or a byte waited for (at most
  // 60 ticks). HostReadTimedOut is 1 when the wait gave up (time-out, or the
  // connection has ended); NextHostByte is then 0.
  void GetNextHostByte();
  // GetNextHostByte with the common case inline: the next byte of the chunk
  // when it is a 7-bit character other than NUL (which every emulation takes
  // as it stands). Anything else goes the whole way.
  void NextHostByteFast() {
    if (!ReplayActive && !PushBackPending && !fastPathsOff_ && HostChunkPos < HostChunkLast) {
      const uint8_t b = ReceiveBuffer[static_cast<size_t>(HostChunkPos + 1)];
      if (b != 0 && b < 0x80) {
        ++HostChunkPos;
        NextHostByte = b;
        HostReadTimedOut = 0;
        readCancelled_ = readClosed_ = false;
        return;
      }
    }
    GetNextHostByte();
  }
  // The bytes of the chunk after the one under interpretation, which the
  // next GetNextHostByte calls return as they stand when they are 7-bit
  // characters other than NUL; empty while replayed or given-back bytes come
  // first. An interpreter reads a whole sequence from here, and then ...
  std::string_view ChunkAhead() const {
    if (ReplayActive || PushBackPending || fastPathsOff_ || HostChunkPos < 0 || HostChunkPos >= HostChunkLast)
      return {};
    return {reinterpret_cast<const char*>(ReceiveBuffer.data()) + HostChunkPos + 1,
            static_cast<size_t>(HostChunkLast - HostChunkPos)};
  }
  // ... takes the first n of them (such characters) as n GetNextHostByte
  // calls would: the last is NextHostByte.
  void TakeChunkAhead(int n) {
    HostChunkPos = static_cast<int16_t>(HostChunkPos + n);
    NextHostByte = ReceiveBuffer[static_cast<size_t>(HostChunkPos)];
    HostReadTimedOut = 0;
    readCancelled_ = readClosed_ = false;
  }
  // Gives one byte back; the next GetNextHostByte returns it.
  void PushBackHostByte(int byte) {
    PushBackPending = 1;
    PushedBackByte = static_cast<int16_t>(byte);
  }
  // Lets GetNextHostByte deliver `text` as if it came from the host.
  void StartReplay(std::string_view text);

  // How a collected host string ended.
  enum class CollectEnd { Terminator, TooLong, TimedOut, Closed, Cancelled };
  // Collects host bytes up to (not including) the terminator into `out`, at
  // most `cap` of them. It never waits for ever: a time-out, a closed
  // connection or the user's cancel ends it. A string that reaches the cap
  // ends as TooLong without taking more: the bytes after it are interpreted
  // as usual.
  CollectEnd CollectHostString(std::string& out, size_t cap, int terminator = 13);

  // ---- The character writer and the end of a character ---------------------------
  // Prints CurrentHostChar (31 or less prints nothing) with the current
  // attribute into the planes and the pending run.
  void WriteCharacter();
  // The common end of every byte: wrap at the right margin, the 254-byte
  // flush, the step to the next byte.
  void CharDone();
  // The last column a printed character reaches before the line wraps: the
  // line's width, or the window's when that is narrower.
  int16_t WrapColumn() const {
    const int16_t last = screen.ColumnsSetting < screen.WindowColumns ? screen.ColumnsSetting : screen.WindowColumns;
    return last < 1 ? int16_t{1} : last;
  }
  // True when the active interpreter lets the wrap wait for the next
  // printed character (HostInterpreter::WrapWaitsForNextCharacter).
  bool WrapWaits() const { return wrapWaits_; }
  // Before a character is printed where the wrap waits: a cursor past the
  // last column wraps to the next line (auto-wrap on) or comes back to the
  // last column, which the character then overwrites.
  void SettleWaitingWrap() {
    if (wrapWaits_ && screen.CursorCol() > WrapColumn() && screen.DisplayOn == 1) SettleWaitingWrapSteps();
  }
  // Writes CurrentHostChar, a printable ASCII byte of the chunk, together with
  // the printable ASCII bytes that follow it in the chunk, with the current
  // attribute: the same cells, runs, wraps and echoes as the writer and
  // CharDone give one byte at a time. Afterwards the chunk position is on the
  // run's last byte (the reader ends it as usual). False, with nothing
  // written, while a mode or a watcher needs every byte on its own.
  bool WritePrintableRun();
  // For an interpreter that goes on with the chunk's next byte itself (a run
  // of screen updates): ends the byte under interpretation as the reader
  // does (CharDone) and takes the next one as the reader takes it while no
  // watcher is on. False, with nothing done, at the chunk's last byte or when
  // the reader's own steps must see the next byte.
  bool TakeNextChunkByte(bool readerPrinterController) {
    if (HostChunkPos >= HostChunkLast || SkipRestOfChunk || TransferByteCount != 0 ||
        !NoWatcherOn(readerPrinterController))
      return false;
    CharDone();
    ReplayActive = 0;
    ReplayPos = 0;
    CurrentHostChar = ReceiveBuffer[static_cast<size_t>(HostChunkPos)];
    return true;
  }

  // ---- What makes every byte take the reader's own steps ---------------------
  // The fast paths (a run of printable text written in one go, a batch of
  // screen updates, sequences read straight from the chunk, the plain-text
  // run) skip the per-byte steps of the reader, the watchers and the writer.
  // They are taken only while none of these is set; each interpreter adds the
  // modes of its own state to the same test. Every condition is named here
  // once, so a new mode that needs each byte has one place to go.
  enum EachByteNeed : uint32_t {
    kFastPathsSwitchedOff = 1u << 0,  // SetFastPaths(false)
    kClosedLinkWatch = 1u << 1,       // telnet/ssh: the closed-link text (the run writer feeds it itself)
    kTransferWatch = 1u << 2,         // a transfer's answers, or its byte count
    kKermitWatch = 1u << 3,
    kAdminPasswordWatch = 1u << 4,
    kConnectStringWatch = 1u << 5,
    kSendInProgress = 1u << 6,
    kFlowControl = 1u << 7,        // XON/XOFF may have to stop the host at any byte
    kPrinterController = 1u << 8,  // pass-through printing takes the bytes
    kSerialLine = 1u << 9,         // a serial line's per-character flow control
    kReplayedBytes = 1u << 10,     // bytes replayed or given back come first
    kOutputHeld = 1u << 11,
    kDisplayOff = 1u << 12,
    kProtectedCells = 1u << 13,  // write protect, protect-field mode, attribute-cell colours
    kStatusLinePen = 1u << 14,
    kInsertMode = 1u << 15,
    kGraphicsSet = 1u << 16,  // one-shot or locked line graphics
    kSkipReverseBlank = 1u << 17,
  };
  // The needs that are watchers: while none is on, the reader takes a byte
  // without the watchers' steps.
  static constexpr uint32_t kWatcherNeeds = kClosedLinkWatch | kTransferWatch | kKermitWatch | kAdminPasswordWatch |
                                            kConnectStringWatch | kSendInProgress | kFlowControl | kPrinterController;
  // The watchers that are on. `readerPrinterController`: the reader (not the
  // interpreter) hands pass-through bytes to the printer.
  uint32_t WatcherNeeds(bool readerPrinterController) const {
    uint32_t n = 0;
    if (conn.IsPtyConnection()) {
      if (Opt.TelnetSession || Opt.SshSession) n |= kClosedLinkWatch;
      if (TransferWatchOn) n |= kTransferWatch;
      if (Opt.KermitMode) n |= kKermitWatch;
      if (AdminPasswordWatch) n |= kAdminPasswordWatch;
    }
    if (ConnectStringWatch) n |= kConnectStringWatch;
    if (SendInProgress) n |= kSendInProgress;
    if (XoffSent == 0 && Opt.XonXoffOn == 1 && (HostBytesBeyondChunk > kXoffBacklog || PrinterOn == 1))
      n |= kFlowControl;
    if (readerPrinterController && Opt.PclPassThrough && PrinterOn) n |= kPrinterController;
    return n;
  }
  // Everything that keeps a printable run or a batch of updates off the fast
  // path, whoever reads the printer controller's bytes.
  uint32_t EachByteNeeds() const;
  // Every fast path on (the default) or off: off, every byte takes the
  // reader's, the interpreter's and the writer's own steps, the reference
  // the fast paths are checked against.
  void SetFastPaths(bool on) { fastPathsOff_ = !on; }
  bool FastPathsOn() const { return !fastPathsOff_; }

  // What a control does to the pending run before it acts: draw it (display
  // on), echo it, empty it.
  enum class Echo { Character, LineEnd, None };
  void FlushRun(Echo how);
  // Draws the pending run at the pen and keeps it.
  void DrawRun();
  // The pending run to each echo target that is on, without a line end ...
  void CaptureCharacter();
  // ... and followed by a line end.
  void CaptureLineEnd();

  // ---- The writer's attribute ----------------------------------------------------
  // CurrentAttributeCode from the four flags, and the cell colours.
  void ComputeAttributeCode();
  // Text face and drawing colours of the current attribute flags.
  void SetTextStyleForFlags();
  // The open protected field ends at the pen.
  void CloseProtectedFieldAtPen();
  // The national character set's replacement of a 7-bit code.
  int MapNationalCharacter(int c) const;
  // The screen font's code for a DEC Multinational character (161..254);
  // other codes are returned unchanged.
  static int MapHighCharacter(int c);

  // Every echo of received text goes through here, to the targets that are on.
  const EchoRouter echo{ClipboardLineCopy, PrinterOn, CaptureFileOn, Opt, services_};

  // ---- Collect mode ----------------------------------------------------------------
  // The download step ends collect mode through this: a prompt character held
  // back at the end of the data is dropped.
  void EndCollectMode();

  // ---- Terminal modes the keys and the interpreters share -------------------------
  int8_t C1ControlsOn = 0;
  int16_t KeypadApplicationMode = 0, KeypadNumericMode = 0;

  // ---- Text parameters ended by DEL ---------------------------------------------
  // Reads a text parameter up to DEL (not kept) into HostString, at most 250
  // bytes: a 251st byte is left for the interpreter. Reads nothing while
  // AltEditKeys is set. Ends with CurrentHostChar 0.
  void ReadHostStringUntilDel();
  std::string HostString;

  // ---- Requests to the host --------------------------------------------------------
  void SendWindowSizeToHost();

 private:
  // The screen commands that read their own parameters (the stored-page
  // command) take their bytes through the same next-host-byte step.
  class ScreenByteSource final : public HostByteSource {
   public:
    explicit ScreenByteSource(HostInput& input) : input_(input) {}
    int GetNextHostByte() override;

   private:
    HostInput& input_;
  };
  ScreenByteSource screenBytes_{*this};

  enum class ChunkRead { Got, NoInput, PassEnded };
  // Reads a chunk: up to `ptyMax` bytes from a pseudo-terminal, the waiting
  // count from a serial port.
  ChunkRead ReadHostChunk(int ptyMax, bool styled);
  // Takes what waits on the connection into the chunk: up to `ptyMax` bytes of
  // a pseudo-terminal, or the count a serial port reports (read later, by
  // ReadChunkPiece). False when there is no connection to read.
  bool FetchChunk(int ptyMax);
  // Takes HostChunkCount bytes of a serial port (at most 250, the rest kept
  // as backlog) and prepares the chunk; false when there is nothing.
  bool ReadChunkPiece(bool styled);
  void CheckInputPending();
  void RunInterpreterPass(HostInterpreter& interp);
  void RunPlainTextPass();
  void RunCollectPass();
  // The watchers; false when the byte is diverted to the printer and goes
  // straight to CharDone. Every byte of a flood passes here, so the case of
  // no watcher at all is decided inline.
  bool WatchHostOutput(bool readerPrinterController) {
    ReplayActive = 0;
    ReplayPos = 0;
    if (TransferByteCount != 0) ++TransferByteCount;
    CurrentHostChar = ReceiveBuffer[static_cast<size_t>(HostChunkPos)];
    if (NoWatcherOn(readerPrinterController)) return true;
    return WatchHostOutputSteps(readerPrinterController);
  }
  // True when none of the watchers' steps below would do anything.
  bool NoWatcherOn(bool readerPrinterController) const { return WatcherNeeds(readerPrinterController) == 0; }
  bool WatchHostOutputSteps(bool readerPrinterController);
  bool PrinterControllerStep();
  void EndPrinterController();
  void PerCharacterFlowControl();
  // The pending run at the end of a chunk.
  void FinishChunkRun();
  // The wrap: the run drawn and echoed, the cursor to column 1 of the next
  // line.
  void WrapToNextLine();
  void SettleWaitingWrapSteps();
  // XON after a chunk that sent XOFF.
  void ReleaseHost();
  void SetChunkTextStyle();
  int WaitForHostByte();
  int ReadSerialByte();
  void FlushWindowOncePerTick();
  void WaitWhileOutputHeld();
  // Plain-text path.
  void PlainPrintRun(const uint8_t* bytes, int n);
  void PlainPrintStep(int ch);
  void PlainWrapCheck();
  void PlainLineFeed();
  void PlainCarriageReturn();
  void PlainControl(int ch);
  // Collect mode.
  int CollectConvert(int ch, bool lastOfChunk);
  void CollectKeep(int ch);
  void CollectStatusText(const char* text);
  void CollectProgressMark();

  SharedSequences* shared_ = nullptr;
  HostInterpreter* wyse_ = nullptr;
  HostInterpreter* vt_ = nullptr;
  HostInterpreter* active_ = nullptr;
  // The active interpreter's WrapWaitsForNextCharacter, asked once a pass.
  bool wrapWaits_ = false;
  FloodGate* gate_ = nullptr;
  int64_t lastFlushTick_ = -1;
  int64_t passStartMs_ = 0;
  // Time this pass has spent waiting for host bytes.
  int64_t passWaitedMs_ = 0;
  bool firstChunkOfPass_ = false;
  // The last pty chunk ended because the stream had nothing more: the pass
  // ends after it rather than asking the terminal again at once (a read that
  // finds it empty waits for the kernel's feeder of the terminal; the main
  // loop's wait for input comes back as soon as there is some).
  bool ptyDrained_ = false;
  bool readClosed_ = false;
  bool inPass_ = false;
  bool readCancelled_ = false;
  bool fastPathsOff_ = false;
};

}  // namespace korvane
