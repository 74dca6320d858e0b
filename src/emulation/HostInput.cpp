// The input pass: reading chunks from the connection, the serial backlog and
// its flow control, and the loop that hands each byte to the watchers and the
// interpreter.

#include "emulation/HostInput.h"

#include <algorithm>

#include "emulation/FloodGate.h"

namespace korvane {

int HostInput::ScreenByteSource::GetNextHostByte() {
  input_.GetNextHostByte();
  return input_.HostReadTimedOut ? kTimedOut : input_.NextHostByte;
}

HostInput::HostInput(SessionOptions& options, Screen& s, HostChannel& connection, SessionServices& services)
    : Opt(options),
      screen(s),
      conn(connection),
      services_(services),
      clock_(connection.clock()),
      answers(connection, connection.clock()) {
  screen.HostBytes = &screenBytes_;
}

HostInput::Route HostInput::RouteByEmulation() const {
  if (CollectMode) return Route::Collect;
  if (PlainTextMode) return Route::PlainText;
  if (Opt.EmuPrism == 1) return Route::WyseFamily;
  if (Opt.EmuVt100 == 1) return Route::VtFamily;
  if (Opt.EmuViewpoint) return Route::WyseFamily;
  if (Opt.EmuTvi925) return Route::WyseFamily;
  return Route::PlainText;
}

void HostInput::ProcessHostInput() {
  // A pass started from inside a pass (a hook that sends to the host and
  // reads the echo) would refill the chunk under the running one: it waits
  // for the outer pass to end instead.
  if (inPass_) return;
  struct PassScope {
    bool& flag;
    explicit PassScope(bool& f) : flag(f) { flag = true; }
    ~PassScope() { flag = false; }
  } scope(inPass_);
  if (FlushRequest) {
    clock_.Delay(100);
    conn.FlushHostInput();
    FlushRequest = 0;
  }
  answers.BeginPass();
  if (PendingCR) {
    answers.Send("\r");
    PendingCR = 0;
  }
  ChunkPassCount = 0;
  if (conn.IsPtyConnection() && HoldOutput) return;

  // One look at the clock serves the gate and the first chunk.
  passStartMs_ = clock_.Milliseconds();
  passWaitedMs_ = 0;
  firstChunkOfPass_ = true;
  if (gate_) {
    gate_->SetLimits(2 * std::max<int>(screen.ScreenRows, 24), 3);
    gate_->BeginPass(passStartMs_);
  }
  switch (RouteByEmulation()) {
    case Route::Collect: RunCollectPass(); break;
    case Route::WyseFamily:
      if (wyse_)
        RunInterpreterPass(*wyse_);
      else
        RunPlainTextPass();
      break;
    case Route::VtFamily:
      if (vt_)
        RunInterpreterPass(*vt_);
      else
        RunPlainTextPass();
      break;
    case Route::PlainText: RunPlainTextPass(); break;
  }
  active_ = nullptr;
  wrapWaits_ = false;
  if (gate_ && gate_->EndPass()) screen.RepaintPending = 1;
  // What the pass echoed to the capture and printer files reaches them.
  services_.capture.Flush();
}

bool HostInput::FetchChunk(int ptyMax) {
  if ((conn.IsPtyConnection() && !conn.HasPtyChild()) || (!conn.HasPtyChild() && conn.ConnectionOpenFlag() == 0))
    return false;
  HostLink* link = conn.Link();
  if (!link) return false;
  if (conn.IsPtyConnection()) {
    HostChunkCount = 0;
    if (!HoldOutput) {
      int got = 0;
      ptyDrained_ = false;
      while (got < ptyMax) {
        const int n = link->Read(ReceiveBuffer.data() + got, ptyMax - got);
        if (n <= 0) {
          ptyDrained_ = true;
          break;
        }
        got += n;
      }
      HostChunkCount = static_cast<int16_t>(got);
    }
    HostChunkPos = 0;
    FlushWindowOncePerTick();
  } else {
    HostChunkCount = static_cast<int16_t>(std::min(conn.SerialBytesWaiting(), 32767));
  }
  return true;
}

HostInput::ChunkRead HostInput::ReadHostChunk(int ptyMax, bool styled) {
  if (!FetchChunk(ptyMax)) return ChunkRead::NoInput;
  if (HostChunkCount == 0) {
    if (SendInProgress) {
      services_.transfers.ContinueSendToHost();
      return ChunkRead::PassEnded;
    }
    return ChunkRead::NoInput;
  }
  if (PrinterOn == 1) PrintIdleStamp = static_cast<int32_t>(clock_.Ticks() + 60);
  return ReadChunkPiece(styled) ? ChunkRead::Got : ChunkRead::PassEnded;
}

bool HostInput::ReadChunkPiece(bool styled) {
  if (HostChunkCount <= 0) return false;
  // The text cursor comes off before the host's output is drawn.
  if (screen.CursorDrawn) screen.EraseTextCursor();
  if (!conn.IsPtyConnection()) {
    if (HostChunkCount > kSerialChunkMax) {
      HostBytesBeyondChunk = static_cast<int16_t>(HostChunkCount - kSerialChunkMax);
      HostChunkCount = kSerialChunkMax;
    } else {
      HostBytesBeyondChunk = 0;
    }
    int got = 0;
    bool failed = false;
    HostLink* link = conn.Link();
    while (link && got < HostChunkCount) {
      const int n = link->Read(ReceiveBuffer.data() + got, HostChunkCount - got);
      if (n < 0) failed = true;
      if (n <= 0) break;
      got += n;
    }
    // What was read before a failure is kept and interpreted.
    if (failed) services_.serial.OpenSelectedSerialPort();
    // Bytes the port reported but did not deliver are not waited for.
    if (got < HostChunkCount) HostBytesBeyondChunk = 0;
    HostChunkCount = static_cast<int16_t>(got);
    HostChunkPos = 0;
  } else {
    HostBytesBeyondChunk = 0;
  }
  screen.PendingRun.clear();
  HostChunkLast = static_cast<int16_t>(HostChunkCount - 1);
  if (styled) SetChunkTextStyle();
  if (!conn.IsPtyConnection() && HostBytesBeyondChunk > kXoffBacklog && Opt.XonXoffOn == 1) {
    conn.SendXoff();
    XoffSent = 1;
  }
  if (HostChunkCount <= 0) return false;
  HostDataArrived = 1;
  ++HostChunksRead;
  return true;
}

void HostInput::CheckInputPending() {
  if (Opt.ForceKeypadApplication) {
    KeypadApplicationMode = 1;
    KeypadNumericMode = 0;
  }
  if (HoldOutput) return;
  services_.transfers.ReceiveDownloadFromHost();
}

void HostInput::FlushWindowOncePerTick() {
  const int64_t ms = firstChunkOfPass_ ? passStartMs_ : clock_.Milliseconds();
  firstChunkOfPass_ = false;
  const int64_t tick = ms * 60 / 1000;
  if (tick == lastFlushTick_) return;
  lastFlushTick_ = tick;
  screen.port.Flush();
}

void HostInput::PerCharacterFlowControl() {
  if (XoffSent != 0 || Opt.XonXoffOn != 1) return;
  if (HostBytesBeyondChunk <= kXoffBacklog && PrinterOn != 1) return;
  if (conn.SerialBytesWaiting() > kXoffWaiting) {
    conn.SendXoff();
    XoffSent = 1;
  }
}

void HostInput::ReleaseHost() {
  if (XoffSent && Opt.XonXoffOn == 1) {
    conn.SendXoffXon();
    XoffSent = 0;
  }
}

void HostInput::RunInterpreterPass(HostInterpreter& interp) {
  active_ = &interp;
  wrapWaits_ = interp.WrapWaitsForNextCharacter();
  const bool printerController = interp.UsesReaderPrinterController();
  while (true) {
    const ChunkRead r = ReadHostChunk(kPtyChunkMax, true);
    if (r == ChunkRead::NoInput) {
      CheckInputPending();
      return;
    }
    if (r == ChunkRead::PassEnded) return;
    // One chunk, and the pieces of its serial backlog.
    while (true) {
      while (HostChunkPos <= HostChunkLast) {
        if (SkipRestOfChunk == 1) {
          SkipRestOfChunk = 0;
          screen.PendingRun.clear();
          HostChunkPos = static_cast<int16_t>(HostChunkLast + 1);
          break;
        }
        if (WatchHostOutput(printerController)) interp.InterpretCharacter(*this);
        CharDone();
#ifdef KORVANE_CHECK_BOUNDS
        screen.CheckBounds("a host sequence");
#endif
      }
      FinishChunkRun();
      // Text drawn over a reversed screen is drawn the normal way; the
      // repaint reverses it with the rest.
      if (screen.ScreenReversed()) screen.RepaintPending = 1;
      ReleaseHost();
      if (HostBytesBeyondChunk == 0) break;
      HostChunkCount = HostBytesBeyondChunk;
      if (!ReadChunkPiece(true)) return;
    }
    HostChunkCount = 0;
    HostChunkLast = -1;
    if (SendInProgress) continue;
    if (++ChunkPassCount >= kPassChunkLimit) return;
    // The terminal had nothing more when the chunk was read: the pass ends
    // as it would have on the next read.
    if (ptyDrained_ && conn.IsPtyConnection()) {
      ptyDrained_ = false;
      CheckInputPending();
      return;
    }
  }
}

void HostInput::SetTextStyleForFlags() {
  int16_t face = platform::kFacePlain;
  const bool bold = screen.BoldOn && screen.StatusLineWriteOpen == 0;
  if (screen.UnderlineOn) face = platform::kFaceUnderline;
  if (bold) face = static_cast<int16_t>(platform::kFaceBold | platform::kFaceCondense);
  if (bold && screen.UnderlineOn)
    face = static_cast<int16_t>(platform::kFaceBold | platform::kFaceUnderline | platform::kFaceCondense);
  if (Opt.FontSizeMode == 1 && Opt.PlainFaceSwitch == 0) face = platform::kFacePlain;
  screen.port.TextFace(face);
  if (screen.WyseColourAttributes) {
    screen.ColourAttributeInput = screen.CurrentAttributeCode;
    screen.SetColoursForAttribute();
  } else if (screen.ColourMode()) {
    screen.SetPrintBackColor(screen.CurrentBackColour > 0 ? screen.CurrentBackColour : screen.BackgroundColour);
    screen.SetPrintForeColor(screen.CurrentForeColour);
    screen.port.SetTextMode(platform::TextMode::Copy);
  } else {
    screen.SetDrawColoursForAttribute();
  }
  if (screen.ReverseOn) screen.port.SetTextMode(platform::TextMode::Inverse);
}

void HostInput::SetChunkTextStyle() {
  SetTextStyleForFlags();
  // A status-line write drawn on the label line keeps its pen there.
  if (screen.StatusLineWriteOpen && StatusLinePenActive) screen.MoveToStatusLine(0, screen.PenColumn());
}

}  // namespace korvane
