// The VT interpreter's bytes: the translation of each received byte, the
// printable characters (line graphics, double width, one-shot insert), the
// control characters, and printer pass-through.

#include "emulation/VtState.h"
#include "emulation/VtInterpreter.h"

#include <algorithm>
#include <array>

#include "emulation/HostInput.h"
#include "emulation/WyseCharacters.h"
#include "emulation/HostSequences.h"
#include "platform/VectorUnit.h"

namespace korvane {

namespace {

constexpr int kEsc = 27;
constexpr int kLf = 10;
constexpr int kCr = 13;

// Line-drawing glyphs of the screen font for the bytes of the graphics set;
// 0 leaves the byte as it is.
constexpr std::array<uint8_t, 128> MakeGraphics() {
  std::array<uint8_t, 128> t{};
  t['_'] = 32;
  t['`'] = 215;
  t['a'] = 231;
  t['f'] = 161;
  t['g'] = 177;
  t['j'] = 225;
  t['k'] = 223;
  t['l'] = 222;
  t['m'] = 221;
  t['n'] = 228;
  for (int b = 'o'; b <= 's'; ++b) t[b] = 230;
  t['t'] = 224;
  t['u'] = 229;
  t['v'] = 233;
  t['w'] = 220;
  t['x'] = 226;
  t['y'] = 178;  // less than or equal
  t['z'] = 179;  // greater than or equal
  t['{'] = 185;  // pi
  t['|'] = 173;
  t['}'] = 163;  // pound sign
  t['~'] = 165;
  return t;
}
constexpr std::array<uint8_t, 128> kGraphics = MakeGraphics();

}  // namespace

int VtInterpreter::LineGraphicsGlyph(int b, bool altGraphicsSet, bool pcFont) {
  if (b < 0 || b > 127) return b;
  int glyph = kGraphics[static_cast<size_t>(b)];
  // The alternate set also draws "3" .. "^" (51..94), as the Wyse family does.
  if (altGraphicsSet && b >= 51 && b <= 94) glyph = AltGraphicsGlyph(b);
  if (glyph == 0) return b;
  return pcFont ? PcLineDrawingCode(glyph) : glyph;
}

VtInterpreter::VtInterpreter(Screen& screen, SessionOptions& options, VtState& state, HostSequences& shared)
    : s(screen), Opt(options), vt(state), shared_(shared) {}

void VtInterpreter::ControlSequence::Clear() {
  count = 0;
  overflow = malformed = rawOverflow = false;
  marker = intermediate = final = 0;
  rawLength = 0;
}

int VtInterpreter::TranslateOnEntry(const HostInput& in, int ch) const {
  if (ch > 127 && Opt.NationalCharsOff == 0) ch &= 127;
  if (Opt.NationalCharsOff == 1 && Opt.HostCharacterSet == 7 && Opt.DecMultinational == 0 && Opt.AltGraphicsSet == 0) {
    if (ch == 148) ch = '^';
    if (ch == 244) ch = 157;
    if (ch == 233) ch = 143;
  }
  if (ch > 127 && Opt.DecMultinational == 1) return HostInput::MapHighCharacter(ch);
  if (Opt.HostCharacterSet != 14 && Opt.ProgramFontOption != 2) ch = in.MapNationalCharacter(ch);
  return ch;
}

bool VtInterpreter::UpdatesCanBeBatched(HostInput& in) {
  // What Interpret and Print below look at before they reach the handlers,
  // and the run writer's own conditions. An update can change them (ESC [ f
  // shows G0 again, which may be line graphics), so they are looked at again
  // after every escape in a batch.
  return in.EachByteNeeds() == 0 && !vt.DcsSkipping && !s.LineGraphicsOn && !vt.DoubleWidthLine && !Opt.ScoAnsiMode &&
         NationalCharactersUnchanged(in);
}

namespace {
// ESC [ then digits and ';' then H, f or m, all of it in `ahead`.
bool AddressOrRendition(std::string_view ahead) {
  if (ahead.empty() || ahead[0] != '[') return false;
  for (size_t i = 1; i < ahead.size(); ++i) {
    const char b = ahead[i];
    if ((b >= '0' && b <= '9') || b == ';') continue;
    return b == 'H' || b == 'f' || b == 'm';
  }
  return false;
}
}  // namespace

bool VtInterpreter::WriteUpdates(HostInput& in) {
  auto printable = [](int ch) { return ch >= 32 && ch < 127; };
  int ch = in.CurrentHostChar;
  if ((ch != kEsc && ch != kCr && ch != kLf && !printable(ch)) || !UpdatesCanBeBatched(in)) return false;
  while (true) {
    if (ch == kCr) {
      CarriageReturn(in);
    } else if (ch == kLf) {
      LineFeed(in);
    } else if (ch == kEsc && AddressOrRendition(in.ChunkAhead())) {
      Escape(in, -1);
      if (!UpdatesCanBeBatched(in)) return true;
    } else if (printable(ch)) {
      if (!in.WritePrintableRun()) return false;
    } else {
      return false;
    }
    if (!in.TakeNextChunkByte(false)) return true;
    ch = in.CurrentHostChar;
  }
}

void VtInterpreter::InterpretCharacter(HostInput& in) {
  if (WriteUpdates(in)) return;
  int ch = in.CurrentHostChar;
  if (Opt.PclPassThrough && in.PrinterOn && !in.PrintCaptureDisplayMode) {
    PassThroughToPrinter(in, ch);
    return;
  }
  if (ch > 127 && in.C1ControlsOn) {
    // 8-bit controls stand for ESC and a letter.
    int letter = 0;
    switch (ch) {
      case 155: letter = '['; break;
      case 141: letter = 'M'; break;
      case 132: letter = 'D'; break;
      case 133: letter = 'E'; break;
      case 136: letter = 'H'; break;
      case 142: letter = 'N'; break;
      case 143: letter = 'O'; break;
      case 144: letter = 'P'; break;
      case 156: letter = '\\'; break;
      default: break;
    }
    if (letter != 0) {
      const int next = Escape(in, letter);
      if (next >= 0) Interpret(in, TranslateOnEntry(in, next));
      return;
    }
  }
  Interpret(in, TranslateOnEntry(in, ch));
}

void VtInterpreter::Interpret(HostInput& in, int ch) {
  while (true) {
    if (vt.DcsSkipping && ch != kEsc) {
      in.CurrentHostChar = 0;
      return;
    }
    if (ch > 31 || ch == 0 || ch == 17) {
      Print(in, ch);
      return;
    }
    const int next = Control(in, ch);
    if (next < 0) return;
    // A byte that ended a sequence is a character of its own.
    ch = TranslateOnEntry(in, next);
  }
}

bool VtInterpreter::NationalCharactersUnchanged(const HostInput& in) {
  if (Opt.HostCharacterSet == 14 || Opt.ProgramFontOption == 2) return true;
  if (!SameCells(in.NationalReplacement.data(), nationalSeen_.data(), nationalSeen_.size())) {
    nationalSeen_ = in.NationalReplacement;
    nationalIdentity_ = true;
    for (int c : {96, 126, 64, 35, 94, 95, 91, 93, 92, 123, 125, 124})
      if (in.MapNationalCharacter(c) != c) nationalIdentity_ = false;
  }
  return nationalIdentity_;
}

void VtInterpreter::Print(HostInput& in, int ch) {
  if (ch <= 31) return;
  if (!s.LineGraphicsOn && !vt.DoubleWidthLine && NationalCharactersUnchanged(in)) {
    // Plain text: the rest of its run in the chunk is written in one go.
    in.CurrentHostChar = static_cast<int16_t>(ch);
    if (in.WritePrintableRun()) return;
  }
  if (s.LineGraphicsOn) ch = LineGraphicsGlyph(ch, Opt.AltGraphicsSet == 1, Opt.ProgramFontOption == 2);
  in.CurrentHostChar = static_cast<int16_t>(ch);
  in.WriteCharacter();
  if (vt.DoubleWidthLine && s.DisplayOn) {
    // The character fills a second cell; the drawn run shows a blank there.
    in.screen.LimitCursorToPlanes();
    const int row = s.CursorRow(), col = s.CursorCol();
    s.ScreenChars(row, col) = static_cast<int16_t>(ch);
    s.ScreenAttrs(row, col) = s.CurrentAttributeCode;
    if (s.ColourMode()) {
      s.ScreenForeColours(row, col) = in.CellForeColour;
      s.ScreenBackColours(row, col) = in.CellBackColour;
    }
    if (col <= s.WindowColumns) s.PendingRun += ' ';
    s.SetCursorCol(static_cast<int16_t>(col + 1));
  }
}

int VtInterpreter::Control(HostInput& in, int ch) {
  switch (ch) {
    case 7:
      in.FlushRun(HostInput::Echo::Character);
      shared_.Services().sounds.Beep();
      return kDone;
    case 8: Backspace(in); return kDone;
    case 9: Tab(in); return kDone;
    case kLf: LineFeed(in); return kDone;
    case 12: FormFeed(in); return kDone;
    case kCr: CarriageReturn(in); return kDone;
    case 14:
    case 15:
      vt.ShiftOut = ch == 14 ? 1 : 0;
      ShowInvokedSet();
      in.CurrentHostChar = 0;
      return kDone;
    case kEsc: {
      int next = Escape(in, -1);
      return next;
    }
    default:
      // The other controls reach the writer, which shows nothing for them.
      return kDone;
  }
}

void VtInterpreter::Backspace(HostInput& in) {
  in.FlushRun(HostInput::Echo::Character);
  ToLastColumn(in);
  if (s.CursorCol() <= 1 && s.CursorRow() > 1) {
    s.SetCursorRow(static_cast<int16_t>(s.CursorRow() - 1));
    s.SetCursorCol(s.ColumnsSetting);
  } else if (s.CursorCol() > 1) {
    s.SetCursorCol(static_cast<int16_t>(s.CursorCol() - 1));
  }
  MoveCursor(s.CursorRow(), s.CursorCol());
}

void VtInterpreter::Tab(HostInput& in) {
  const std::string& run = s.PendingRun;
  if (s.DisplayOn) in.DrawRun();
  // The printer copy keeps the text and drops the tab.
  if (in.echo.AnyOn()) {
    in.echo.Text(run + "\t", kEchoClipboard | kEchoCaptureFile);
    in.echo.Text(run, kEchoPrinter);
  }
  s.PendingRun.clear();
  if (!s.DisplayOn) return;
  ToLastColumn(in);
  // The next stop to the right; with none, the cursor stays.
  const int last = std::min<int>(s.ColumnsSetting, static_cast<int>(vt.TabStops.size()) - 1);
  for (int c = s.CursorCol() + 1; c <= last; ++c) {
    if (vt.TabStops[static_cast<size_t>(c)]) {
      s.SetCursorCol(static_cast<int16_t>(c));
      break;
    }
  }
  MoveCursor(s.CursorRow(), s.CursorCol());
}

void VtInterpreter::FormFeed(HostInput& in) {
  if (s.DisplayOn) in.DrawRun();
  s.SetCursorCol(1);
  if (s.ScrollTop <= 1) s.SetCursorRow(1);
  if (Opt.PrinterOption37) {
    if (in.echo.AnyOn()) in.echo.Text(s.PendingRun + "\r\f");
  } else {
    in.CaptureCharacter();
  }
  s.PendingRun.clear();
  s.WriteProtectMode = 0;
  if (s.DisplayOn) {
    s.SetNormalTextStyle();
    MoveCursor(s.CursorRow(), s.CursorCol());
    if (s.ScrollTop > 1)
      s.EraseCursorToEndOfScreen();
    else
      s.ClearScreenAndHome();
  }
  shared_.Services().pictures.RemoveInlinePictures();
}

void VtInterpreter::CarriageReturn(HostInput& in) {
  if (s.DisplayOn) in.DrawRun();
  if (Opt.LineEndCr())
    in.CaptureLineEnd();
  else
    in.CaptureCharacter();
  s.PendingRun.clear();
  // The rendition stays: a host moves with CR in bold or reverse and goes on
  // writing in it.
  if (s.DisplayOn) {
    if (s.StatusLineWriteOpen) {
      s.SetCursorRow(in.StatusSavedRow);
      s.SetCursorCol(in.StatusSavedCol);
      s.MoveToCell(s.CursorRow(), s.CursorCol());
      s.SetNormalTextStyle();
      s.StatusLineWriteOpen = 0;
    } else {
      s.SetCursorCol(1);
      s.MoveToCell(s.CursorRow(), 1);
    }
  }
  if (in.CaptureFileOn && Opt.LineEndCr()) LineFeed(in);
}

void VtInterpreter::LineFeed(HostInput& in) {
  if (Opt.LineEndLf())
    in.CaptureLineEnd();
  else
    in.CaptureCharacter();
  vt.DoubleWidthLine = 0;
  if (s.DisplayOn) in.DrawRun();
  s.PendingRun.clear();
  if (!s.DisplayOn) return;
  // The column stays (the last one, where a wrap was waiting); below a
  // scroll region the cursor goes down to the screen's last row.
  ToLastColumn(in);
  CursorDownScrolling(in);
}

int VtInterpreter::RegionBottom() const {
  // The screen's rows, or the region's bottom when the host set one. (With
  // large type the screen keeps an extra row below a region's bottom; the
  // region still ends where the host said.)
  return s.ScrollBottom > 0 ? std::min(s.ScrollBottom, s.ScreenRows) : s.ScreenRows;
}

void VtInterpreter::CursorDownScrolling(HostInput& /*in*/) {
  if (s.ScrollBottom > 0) {
    const int bottom = RegionBottom();
    if (s.CursorRow() == bottom) {
      // Only the region's rows move; the rows around it stay where they are.
      const int top = std::max<int>(s.ScrollTop, 1);
      if (top < bottom)
        s.port.ScrollRect({0, (top - 1) * s.CellHeight, s.port.Width(), bottom * s.CellHeight - s.CellBaselineAdjust},
                          0, -s.CellHeight);
      s.ScrollRegionUp();
    } else if (s.CursorRow() < bottom || s.CursorRow() < WindowRows()) {
      s.SetCursorRow(static_cast<int16_t>(s.CursorRow() + 1));
    }
    s.MoveToCell(s.CursorRow(), s.CursorCol());
    return;
  }
  s.SetCursorRow(static_cast<int16_t>(s.CursorRow() + 1));
  if (s.CursorRow() > s.ScreenRows) {
    s.port.ScrollRect({0, 0, s.port.Width(), s.ScreenRows * s.CellHeight - s.CellBaselineAdjust}, 0, -s.CellHeight);
    s.ScrollUpIntoScrollback();
    s.SetCursorRow(s.ScreenRows);
  }
  s.SetCursorRow(std::min<int16_t>(s.CursorRow(), kMaxCursorRow));
  s.MoveToCell(s.CursorRow(), s.CursorCol());
}

void VtInterpreter::MoveCursor(int row, int col) {
  s.SetCursorRow(static_cast<int16_t>(std::clamp(row, 1, static_cast<int>(kMaxCursorRow))));
  s.SetCursorCol(static_cast<int16_t>(std::clamp(col, 1, static_cast<int>(kMaxCursorCol))));
  s.MoveToCell(s.CursorRow(), s.CursorCol());
}

void VtInterpreter::PassThroughToPrinter(HostInput& in, int ch) {
  static constexpr char kEnd[] = "\x1b[4i";
  static constexpr char kEndPrivate[] = "\x1b[?4i";
  in.CurrentHostChar = 0;
  auto print = [&](std::string_view bytes) {
    if (!bytes.empty()) in.Services().capture.WritePrinterCapture(bytes);
  };
  // What may be the start of a terminator is held back; when it turns out to
  // be none, the printer gets it after all.
  auto releaseHeld = [&] {
    const int held = std::max(vt.PrintEndMatch, vt.PrintEndPrivateMatch);
    print(std::string_view(vt.PrintEndPrivateMatch > vt.PrintEndMatch ? kEndPrivate : kEnd, static_cast<size_t>(held)));
    vt.PrintEndMatch = vt.PrintEndPrivateMatch = 0;
  };
  if (ch == kEsc) {
    releaseHeld();
    vt.PrintEndMatch = vt.PrintEndPrivateMatch = 1;
    return;
  }
  const int16_t plain = vt.PrintEndMatch > 0 && ch == kEnd[vt.PrintEndMatch] ? vt.PrintEndMatch + 1 : 0;
  const int16_t priv =
      vt.PrintEndPrivateMatch > 0 && ch == kEndPrivate[vt.PrintEndPrivateMatch] ? vt.PrintEndPrivateMatch + 1 : 0;
  if (plain == 4 || priv == 5) {
    vt.PrintEndMatch = vt.PrintEndPrivateMatch = 0;
    PrinterControllerOff(in);
    return;
  }
  if (plain > 0 || priv > 0) {
    vt.PrintEndMatch = plain;
    vt.PrintEndPrivateMatch = priv;
    return;
  }
  releaseHeld();
  // Printer data is binary: every byte reaches the printer, NUL and LF too.
  const char c = static_cast<char>(ch);
  print(std::string_view(&c, 1));
}

void VtInterpreter::PrinterControllerOn(HostInput& in) {
  if (in.ClipboardCapture) {
    if (Opt.XonXoffOn) in.conn.SendXoff();
    in.Services().alerts.Show(platform::AlertKind::Caution, 0,
                              "CLIPBOARD ON! The host computer attempted to send data to the printer while Clipboard "
                              "Recording was on.");
    if (Opt.XonXoffOn) in.conn.SendXoffXon();
    in.ClipboardCapture = 0;
    in.ClipboardLineCopy = 0;
  }
  shared_.Services().capture.ShowCaptureModes();
  // The host's text leaves the screen only while a printer capture takes it.
  if (!in.PrinterOn && in.Services().capture.OpenPrinterCapture()) in.PrinterOn = 1;
  if (in.PrinterOn) s.DisplayOn = 0;
}

void VtInterpreter::PrinterControllerOff(HostInput& in) {
  in.FlushRun(HostInput::Echo::Character);
  if (in.PrinterOn) {
    in.Services().window.ShowBusyCursor();
    in.Services().capture.PrinterCaptureOff();
  } else {
    in.Services().window.RestoreArrowCursor();
  }
  s.DisplayOn = 1;
  in.CurrentHostChar = 0;
}

}  // namespace korvane
