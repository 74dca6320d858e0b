// Collect mode: while a host-to-local text download runs, the host's text is
// not shown but converted line by line into the capture file, with a small
// progress display in the window.

#include <algorithm>

#include "emulation/HostInput.h"

namespace korvane {

namespace {
constexpr int kCr = 13, kLf = 10, kTab = 9, kFf = 12;
// Past this many characters the start-of-download logic is over.
constexpr int kStartCharacters = 99;
constexpr int kProgressRow = 8;
}  // namespace

int HostInput::MapNationalCharacter(int c) const {
  if (Opt.ProgramFontOption == 2) return c;
  switch (c) {
    case 96: return NationalReplacement[1];
    case 126: return NationalReplacement[2];
    case 64: return NationalReplacement[3];
    case 35: return NationalReplacement[4];
    case 94: return NationalReplacement[5];
    case 95: return NationalReplacement[6];
    case 91: return NationalReplacement[7];
    case 93: return NationalReplacement[8];
    case 92: return NationalReplacement[9];
    case 123: return NationalReplacement[10];
    case 125: return NationalReplacement[11];
    case 124: return NationalReplacement[12];
    default: return c;
  }
}

void HostInput::EndCollectMode() {
  // The held character was the host's prompt after all.
  HeldPromptChar = 0;
  CollectMode = 0;
}

void HostInput::CollectStatusText(const char* text) {
  Screen& s = screen;
  s.port.TextFont(platform::kSystemFont);
  s.port.TextSize(12);
  s.MoveToCell(kProgressRow, 1);
  s.port.DrawText(reinterpret_cast<const uint8_t*>(text), static_cast<int>(std::char_traits<char>::length(text)));
  s.port.TextFont(s.ScreenFontId);
  s.port.TextSize(Opt.TextSizeValue);
  s.port.Flush();
}

void HostInput::RunCollectPass() {
  if (!FetchChunk(kCollectPtyChunkMax)) {
    CheckInputPending();
    return;
  }
  if (HostChunkCount == 0) {
    CheckInputPending();
    return;
  }
  if (!ReadChunkPiece(false)) return;

  CollectContainer.clear();
  if (HeldPromptChar) {
    // More data came after it: it was text, not the prompt.
    CollectKeep(HeldPromptChar);
    HeldPromptChar = 0;
  }
  for (; HostChunkPos <= HostChunkLast; ++HostChunkPos) {
    if (SkipRestOfChunk == 1) {
      SkipRestOfChunk = 0;
      CollectContainer.clear();
      HostChunkPos = static_cast<int16_t>(HostChunkLast + 1);
      break;
    }
    int ch = ReceiveBuffer[static_cast<size_t>(HostChunkPos)];
    if (!conn.IsPtyConnection() && HostBytesBeyondChunk > kXoffBacklog && XoffSent == 0 && Opt.XonXoffOn == 1 &&
        conn.SerialBytesWaiting() > kXoffWaiting) {
      conn.SendXoff();
      XoffSent = 1;
    }
    if (Opt.HostCharacterSet != 14) ch = MapNationalCharacter(ch);
    CollectConvert(ch, HostChunkPos == HostChunkLast);
  }

  services_.window.ShowBusyCursor();
  if (!CollectContainer.empty()) services_.capture.WriteCaptureFile(CollectContainer);
  CollectContainer.clear();
  if (XoffSent && Opt.XonXoffOn == 1 && HostBytesBeyondChunk < kCollectXonBacklog) {
    conn.SendXoffXon();
    XoffSent = 0;
  }
  CollectProgressMark();
  HostChunkCount = 0;
  HostChunkLast = -1;
}

int HostInput::CollectConvert(int ch, bool lastOfChunk) {
  Screen& s = screen;
  const int32_t now = static_cast<int32_t>(clock_.Ticks());

  if (CollectCharCount < kStartCharacters) {
    if (ch != 0) ++CollectCharCount;
    // The host's echo of the command that started the download.
    if (CollectCharCount < CollectEchoLength + 2) ch = 0;
    CollectLastDataTick = now;
    if (!DownloadQuiet) {
      if (DownloadWaiting && !CollectStatusShown) CollectStatusText("Waiting for data from host");
      if (CollectCharCount > 30 && !CollectStatusShown) {
        s.MoveToCell(kProgressRow, 1);
        const auto pen = s.port.Pen();
        s.port.EraseRect({0, s.BandTop(pen.v), s.port.Width(), s.BandBottom(pen.v)});
        CollectStatusText("Receiving data from host ");
        CollectStatusShown = 1;
        ProgressRow = kProgressRow;
        ProgressCol = 25;
      }
    }
  }

  if (CollectCrToTab == 1) {
    if (ch == kLf) {
      CollectAfterLf = 1;
      ch = 0;
    } else if (ch != 0) {
      const bool afterLf = CollectAfterLf;
      CollectAfterLf = 0;
      if (ch == kCr && !afterLf) ch = kTab;
      if (ch == kFf) ch = kCr;
    }
  }
  if (CollectTableMode == 0 && ch == kFf) ch = kCr;
  if (CollectTableMode == 1) {
    if (CollectSkipOn && CollectSkipLines != 0 && ch != kCr) ch = 0;
    if (ch == kCr) {
      if (CollectSkipOn) {
        if (CollectSkipLines <= 0) {
          CollectSkipOn = 0;
          CollectAfterLf = 0;
        } else if (CollectSkipLines == 1) {
          CollectSkipOn = 0;
          CollectAfterLf = 1;
        }
        --CollectSkipLines;
        CollectFieldCount = 0;
      }
      ++CollectFieldCount;
      if (CollectAfterLf) {
        ch = 0;
        CollectAfterLf = 0;
      } else {
        ch = kTab;
      }
      if (CollectFieldCount > CollectFieldsPerLine) {
        CollectFieldCount = 0;
        ch = kCr;
        CollectAfterLf = 1;
      }
    }
    if (CollectSkipOn && CollectSkipLines != 0) ch = 0;
  }

  if (ch > 31 || ch == kCr || ch == kTab) {
    CollectLastDataTick = now;
    if (lastOfChunk && (ch == ':' || ch == '>')) {
      // Perhaps the host's prompt: kept back until more data shows that it
      // was text, dropped when the download ends first.
      HeldPromptChar = static_cast<int16_t>(ch);
      return ch;
    }
    CollectKeep(ch);
  }
  return ch;
}

void HostInput::CollectKeep(int ch) {
  if (ch != kCr) {
    CollectContainer += static_cast<char>(ch);
    return;
  }
  // A line: its text, then the capture file's own line end (LF, or CR LF,
  // after "<BR>" in an HTML capture), as every captured line has.
  services_.capture.WriteCaptureFile(CollectContainer);
  services_.capture.WriteCaptureLineEnd();
  CollectContainer.clear();
}

void HostInput::CollectProgressMark() {
  Screen& s = screen;
  const int32_t now = static_cast<int32_t>(clock_.Ticks());
  if (CollectStatusShown != 1 || now - ProgressTick <= 5) return;
  s.port.ForeColour({39321, 0, 65535});
  s.MoveToCell(ProgressRow, ProgressCol);
  ProgressTick = now;
  s.port.TextFont(s.ScreenFontId);
  // A shade block of the screen font in use.
  const uint8_t mark = s.ScreenFontId == platform::kPcScreenFont ? 178 : 231;
  s.port.DrawText(&mark, 1);
  ProgressRow = s.PenRow();
  ProgressCol = s.PenColumn();
  s.port.Flush();
  if (ProgressCol > 80) {
    ProgressCol = Opt.TextSizeValue > 11 ? 25 : 30;
    ++ProgressRow;
  }
  s.SetDrawColoursForAttribute();
}

}  // namespace korvane
