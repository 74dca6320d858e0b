// Control sequences of the VT interpreter: reading a sequence into its
// parameters, and the shapes it knows: cursor movement and addressing, scroll
// regions, erasing, modes, device answers, stored pages by number, the dotted
// forms, and the SCO console sequences of the SCO ANSI mode.

#include <algorithm>
#include <string>
#include <string_view>

#include "emulation/VtState.h"
#include "emulation/HostInput.h"
#include "emulation/HostSequences.h"
#include "emulation/VtInterpreter.h"

namespace korvane {

namespace {
constexpr int kEsc = 27;
constexpr int kDel = 127;

bool IsDigit(int b) { return b >= '0' && b <= '9'; }
}  // namespace

// ---- Reading -------------------------------------------------------------------

int VtInterpreter::ControlSequenceIntroduced(HostInput& in) {
  if (Opt.ExtendedAnsiMode && shared_.AnsiPrivateSequences(in)) return kDone;
  const int next = ReadControlSequence(in);
  if (next != kDone) return next;
  Dispatch(in);
  return kDone;
}

void VtInterpreter::ControlSequence::ParameterByte(int b) {
  if (count == 0) {
    count = 1;
    value[0] = 0;
    digits[0] = 0;
    lastTwo[0] = 0;
  }
  if (b == ';') {
    if (count < kMaxParams) {
      const int i = count++;
      value[i] = 0;
      digits[i] = 0;
      lastTwo[i] = 0;
    } else {
      // Past the cap the last two slots keep the last two parameters.
      overflow = true;
      const int last = kMaxParams - 1;
      value[last - 1] = value[last];
      digits[last - 1] = digits[last];
      lastTwo[last - 1] = lastTwo[last];
      value[last] = 0;
      digits[last] = 0;
      lastTwo[last] = 0;
    }
    return;
  }
  const int i = count - 1;
  int v = value[i], n = digits[i], two = lastTwo[i];
  AddDigit(v, n, two, b - '0');
  value[i] = static_cast<int16_t>(v);
  digits[i] = static_cast<uint8_t>(n);
  lastTwo[i] = static_cast<uint8_t>(two);
}

bool VtInterpreter::ReadPlainSequence(HostInput& in) {
  const std::string_view ahead = in.ChunkAhead();
  const uint8_t* bytes = reinterpret_cast<const uint8_t*>(ahead.data());
  const int n = static_cast<int>(std::min<size_t>(ahead.size(), ControlSequence::kRawMax + 1));
  ControlSequence& q = seq_;
  // The parameter being read, and the counts, are kept here and stored when
  // the sequence ends.
  int count = 0, value = 0, digits = 0, lastTwo = 0;
  auto store = [&] {
    q.value[count - 1] = static_cast<int16_t>(value);
    q.digits[count - 1] = static_cast<uint8_t>(digits);
    q.lastTwo[count - 1] = static_cast<uint8_t>(lastTwo);
    value = digits = lastTwo = 0;
  };
  for (int i = 0; i < n; ++i) {
    const int b = bytes[i];
    if (b >= 0x40 && b <= 0x7E) {
      if (count > 0) store();
      q.count = count;
      q.rawLength = i;
      q.final = static_cast<char>(b);
      in.TakeChunkAhead(i + 1);
      return true;
    }
    // Markers, intermediates, DEL, controls and long or crowded sequences
    // take the reader below.
    if (i == ControlSequence::kRawMax || !(IsDigit(b) || b == ';') ||
        (b == ';' && count >= ControlSequence::kMaxParams))
      return false;
    q.raw[i] = static_cast<char>(b);
    if (count == 0) count = 1;
    if (b == ';') {
      store();
      ++count;
    } else {
      ControlSequence::AddDigit(value, digits, lastTwo, b - '0');
    }
  }
  return false;
}

int VtInterpreter::ReadControlSequence(HostInput& in) {
  ControlSequence& q = seq_;
  q.Clear();
  if (ReadPlainSequence(in)) return kDone;
  bool first = true, afterIntermediate = false;
  while (true) {
    in.NextHostByteFast();
    if (in.HostReadTimedOut) return kDone;  // q.final stays 0: nothing happens
    const int b = in.NextHostByte;
    if (b == kEsc) return kRestart;
    if (b == kDel) continue;
    // A control character or an 8-bit byte ends the sequence and is a
    // character of its own.
    if (b < 0x20 || b > 0x7E) return b;
    if (b >= 0x40) {
      q.final = static_cast<char>(b);
      return kDone;
    }
    if (q.rawLength < ControlSequence::kRawMax)
      q.raw[q.rawLength++] = static_cast<char>(b);
    else
      q.rawOverflow = true;
    const bool wasFirst = first;
    first = false;
    if (wasFirst && (b == '?' || b == '=' || b == '>' || b == '<' || b == '.')) {
      q.marker = static_cast<char>(b);
      continue;
    }
    if (q.marker == '.') continue;  // the dotted forms read their bytes as they stand
    if (b <= 0x2F) {
      afterIntermediate = true;
      if (!q.intermediate) q.intermediate = static_cast<char>(b);
      continue;
    }
    if (afterIntermediate || !(IsDigit(b) || b == ';')) {
      q.malformed = true;
      continue;
    }
    q.ParameterByte(b);
  }
}

// ---- Dispatch ---------------------------------------------------------------------

void VtInterpreter::Dispatch(HostInput& in) {
  if (seq_.final == 0 || seq_.malformed) return;
  if (Opt.ScoAnsiMode)
    DispatchSco(in);
  else
    DispatchPlain(in);
}

void VtInterpreter::DispatchPlain(HostInput& in) {
  const ControlSequence& q = seq_;
  if (q.intermediate) return;  // conformance level and the like: nothing to do
  switch (q.marker) {
    case 0: break;
    case '?': DispatchDecPrivate(in); return;
    case '>':
      if (q.final == 'c' && Opt.EmuVt220 && q.count <= 1 && q.Value(0, 0) == 0) in.answers.Send("\x1b[>1;10;0c");
      return;
    case '=':
      if ((q.final == 'p' || q.final == 'q') && q.count <= 1) {
        // Pages by number, or the next page of a stack of saved screens.
        if (q.final == 'p') {
          const int page =
              q.Has(0) ? std::clamp<int>(q.value[0], 1, StoredPages::kSlots) : std::min(vt.PageStackTop + 1, 13);
          if (!q.Has(0)) vt.PageStackTop = static_cast<int16_t>(page);
          s.PageSaveSlot = static_cast<int16_t>(page);
          s.SaveScreenPage();
          s.PageSaveSlot = 0;
        } else {
          const int page = q.Has(0) ? std::clamp<int>(q.value[0], 1, StoredPages::kSlots) : vt.PageStackTop;
          if (!q.Has(0) && vt.PageStackTop > 0) --vt.PageStackTop;
          if (page >= 1) {
            s.PageRestoreSlot = static_cast<int16_t>(page);
            s.RestoreScreenPage();
            s.PageRestoreSlot = 0;
          }
        }
      }
      return;
    case '.': DispatchDotted(in); return;
    default: return;
  }
  if (q.overflow && q.final != 'm') return;
  const int n = q.count;
  const bool one = n == 1 && q.Has(0);  // a single parameter given
  // A count left out or 0 counts 1.
  auto count = [&q] { return std::max(q.Value(0, 1), 1); };
  // What moves the cursor or edits at it finds it in the last column while a
  // wrap waits, and the wait ends (ToLastColumn); renditions, modes, answers
  // and tab stops leave the wait as it is, and an address replaces it.
  switch (q.final) {
    case 'r':
      if (n == 0)
        WholeScreenRegion();
      else if (n == 2)
        SetScrollRegion(in);
      break;
    case 'L':
      ToLastColumn(in);
      if (n <= 1) InsertLines(count());
      break;
    case 'M':
      ToLastColumn(in);
      if (n <= 1) DeleteLines(count());
      break;
    case 'A':
      ToLastColumn(in);
      if (n <= 1) CursorUp(count());
      break;
    case 'B':
      ToLastColumn(in);
      if (n <= 1) CursorDown(count());
      break;
    case 'C':
      ToLastColumn(in);
      if (n <= 1) CursorRight(in, count());
      break;
    case 'D':
      ToLastColumn(in);
      if (n <= 1) CursorLeft(in, count(), vt.ReverseWrapOption != 0);
      break;
    case 'H':
    case 'f':
      if (n <= 2) Address(in, q, q.final == 'f');
      break;
    case 'J': {
      ToLastColumn(in);
      // Erasing leaves the character set in use as it was.
      const int16_t graphics = s.LineGraphicsOn;
      if (n == 0) {
        vt.DoubleWidthLine = 0;
        s.EraseCursorToEndOfScreen();
      } else if (one && q.value[0] <= 2) {
        EraseDisplay(in, q.value[0]);
      }
      s.LineGraphicsOn = graphics;
      break;
    }
    case 'K':
      ToLastColumn(in);
      if (n == 0)
        s.EraseToEndOfLineWithFlags();
      else if (one && q.value[0] <= 2)
        EraseLine(q.value[0]);
      break;
    case 'm':
      if (n == 0) {
        NormalStyle();
        s.RepaintPending = 1;
      } else {
        SelectGraphicRendition(in, q);
      }
      break;
    case 'c':
      if (n == 0 || (one && q.value[0] == 0)) DeviceAttributes(in);
      break;
    case 'h':
    case 'l':
      for (int i = 0; i < std::min(n, ControlSequence::kMaxParams); ++i) {
        if (q.Value(i, 0) != 4) continue;
        vt.InsertModeOn = q.final == 'h' ? 1 : 0;
        in.InsertMode = vt.InsertModeOn;
        s.RepaintPending = 1;
      }
      break;
    case '@':
      ToLastColumn(in);
      if (n <= 1) InsertBlanks(in, count());
      break;
    case 'P':
      ToLastColumn(in);
      if (n <= 1) DeleteCharacters(in, count());
      break;
    case 'g':
      if (n <= 1) ClearTabStops(in, q.Value(0, 0));
      break;
    case 'i':
      if (one && q.value[0] == 4) PrinterControllerOff(in);
      if (one && q.value[0] == 5) PrinterControllerOn(in);
      break;
    case 'n':
      if (one && q.value[0] == 6) CursorReport(in);
      break;
    case 'X':
      ToLastColumn(in);
      if (n <= 1) EraseCharacters(count());
      break;
    default: break;  // not a sequence of this terminal
  }
}

void VtInterpreter::DispatchDecPrivate(HostInput& in) {
  const ControlSequence& q = seq_;
  if (q.count < 1 || !q.Has(0)) return;
  if (q.final == 'h' || q.final == 'l') {
    // Every mode of the list, in order (a reset string sets several at once).
    for (int i = 0; i < std::min(q.count, ControlSequence::kMaxParams); ++i)
      if (q.Has(i)) SetMode(in, q.value[i], q.final == 'h');
    return;
  }
  if (q.count != 1) return;
  const int mode = q.value[0];
  switch (q.final) {
    case 'i':
      // Only the media-copy forms switch the printer: ? 5 h is a screen
      // mode, never a request to print.
      if (mode == 4) PrinterControllerOff(in);
      if (mode == 5) PrinterControllerOn(in);
      break;
    default: break;
  }
}

void VtInterpreter::SetMode(HostInput& in, int mode, bool on) {
  switch (mode) {
    case 1: vt.CursorKeyApplicationMode = on ? 1 : 0; break;
    case 3: WideMode(in, on); break;
    case 6:
      vt.OriginModeOn = on ? 1 : 0;
      if (on)
        MoveCursor(s.ScrollTop > 0 ? s.ScrollTop : 1, 1);
      else
        MoveCursor(1, 1);
      break;
    case 7:
      Opt.AutoWrapOn = on ? 1 : 0;
      shared_.Services().menus.ShowAutoWrapMark(on);
      break;
    // Reverse video of the whole screen (a visible bell's flash is this on,
    // a pause, off): the screen keeps the reverse up long enough to be seen.
    case 5: s.SetScreenReversed(on); break;
    case 25:
      if (!on && s.CursorDrawn) s.EraseTextCursor();
      s.CursorHidden = on ? 0 : 1;
      break;
    default: break;  // the other modes are not kept
  }
}

void VtInterpreter::WideMode(HostInput& in, bool wide) {
  SessionServices& services = in.Services();
  services.menus.ShowWideModeMarks(wide);
  s.WriteProtectMode = 0;
  const int width = s.port.Width(), height = s.port.Height();
  const bool narrow = width < 640 && s.SmallScreen == 0;
  if (Opt.FontSizeMode == (wide ? 0 : 1)) {
    services.window.RedrawWindow();
    MoveCursor(1, 1);
    s.ResetAttributesAndClearScreen();
    if (wide && narrow) services.window.SetWindowRect(20, 0, height - 15, width + 20);
    if (wide && Opt.HostFeatureOption == 0) s.RemoveFunctionKeyBar();
  }
  Opt.FontSizeMode = wide ? 1 : 0;
  if (wide) {
    s.ColumnsSetting = 156;
    if (Opt.PlainFaceSwitch) s.ColumnsSetting = 132;
    if (narrow) s.ColumnsSetting = 128;
  } else {
    s.ColumnsSetting = 80;
  }
  s.ComputeCellMetrics();
  s.port.TextSize(wide ? (Opt.PlainFaceSwitch ? int16_t{9} : int16_t{6}) : Opt.TextSizeValue);
  const int windowColumns = s.CellWidth > 0 ? s.port.Width() / s.CellWidth - 1 : s.ColumnsSetting;
  s.ScreenCols = static_cast<int16_t>(std::clamp(Opt.AutoWrapOn ? static_cast<int>(s.ColumnsSetting) : windowColumns, 1,
                                                 static_cast<int>(kMaxScreenCols)));
  MoveCursor(s.CursorRow(), s.CursorCol());
  s.RepaintPending = 1;
  in.SendWindowSizeToHost();
}

// ---- Cursor -------------------------------------------------------------------------

int VtInterpreter::WindowRows() {
  const int16_t bottom = s.ScrollBottom, rows = s.ScreenRows, line2 = s.StatusLine2Row;
  s.ScrollBottom = 0;
  const int window = s.ScreenRowsForWindow();
  s.ScrollBottom = bottom;
  s.ScreenRows = rows;
  s.StatusLine2Row = line2;
  return window;
}

void VtInterpreter::Address(HostInput& in, const ControlSequence& q, bool finalF) {
  int row = q.Value(0, 1), col = q.Value(1, 1);
  if (q.Has(0) && q.digits[0] >= 3) {
    // A row of three digits: the last two count, or, in ANSI colour mode,
    // the address goes to the screen's last cell.
    if (Opt.ColourModeA) {
      AddressTo(in, s.ScreenRows, s.ColumnsSetting, finalF);
      return;
    }
    row = q.lastTwo[0];
  }
  AddressTo(in, row, col, finalF);
}

void VtInterpreter::AddressTo(HostInput& in, int row, int col, bool finalF) {
  vt.ScrollTopSaved = static_cast<int16_t>(std::min(row, 9999));
  col = std::clamp(col, 1, static_cast<int>(s.ColumnsSetting));
  row = std::max(row, 1);
  if (vt.OriginModeOn && (s.ScrollTop > 0 || s.ScrollBottom > 0)) {
    const int top = std::max<int>(s.ScrollTop, 1);
    const int bottom = s.ScrollBottom > 0 ? s.ScrollBottom : s.ScreenRows;
    row = std::clamp(top + row - 1, top, std::max(top, bottom));
  } else {
    // A row beyond the line under the screen is refused: the cursor stays.
    const int lastRow = s.ScrollBottom > 0 ? WindowRows() : s.ScreenRows;
    if (row > lastRow + 1) return;
  }
  MoveCursor(row, col);
  if (finalF) {
    vt.G0IsGraphics = 0;
    vt.G0IsText = 1;
    ShowInvokedSet();
  }
  in.CaptureLineEnd();
  if (Opt.Option106 && !Opt.ColourModeA && !Opt.ColourModeB) s.SetTextStyleForAttribute();
}

void VtInterpreter::ScrollRegionOff() {
  s.ScrollTop = s.ScrollBottom = 0;
  vt.ScrollTopSaved = 0;
  s.ScreenRows = s.ScreenRowsForWindow();
}

void VtInterpreter::WholeScreenRegion() {
  ScrollRegionOff();
  // Setting the margins homes the cursor, whatever the margins.
  MoveCursor(1, 1);
}

void VtInterpreter::SetScrollRegion(HostInput& /*in*/) {
  const ControlSequence& q = seq_;
  // "top;" without a bottom takes the region away.
  if (!q.Has(1)) {
    ScrollRegionOff();
    return;
  }
  const int top = std::max(q.Value(0, 1), 1);
  const int bottom = std::min<int>(q.value[1], WindowRows());
  // A region of one line or less, or one below the screen, is no region.
  if (top >= bottom) return;
  vt.ScrollTopSaved = static_cast<int16_t>(top);
  s.ScrollTop = static_cast<int16_t>(top);
  s.ScrollBottom = static_cast<int16_t>(bottom);
  s.ScreenRows = s.ScreenRowsForWindow();
  MoveCursor(vt.OriginModeOn ? top : 1, 1);
}

void VtInterpreter::CursorUp(int n) {
  const int top = s.ScrollTop > 0 && s.CursorRow() >= s.ScrollTop ? s.ScrollTop : 1;
  MoveCursor(std::max(s.CursorRow() - n, top), s.CursorCol());
}

void VtInterpreter::CursorDown(int n) {
  const int bottom = s.CursorRow() <= RegionBottom() ? RegionBottom() : WindowRows();
  MoveCursor(std::max<int>(std::min(s.CursorRow() + n, bottom), s.CursorRow() > bottom ? s.CursorRow() : 1),
             s.CursorCol());
}

void VtInterpreter::CursorRight(HostInput& in, int n) {
  in.FlushRun(HostInput::Echo::Character);
  in.echo.Text(" ", kEchoClipboard | kEchoCaptureFile);
  MoveCursor(s.CursorRow(), std::max<int>(std::min(s.CursorCol() + n, static_cast<int>(s.ColumnsSetting)), 1));
}

void VtInterpreter::CursorLeft(HostInput& in, int n, bool reverseWrap) {
  in.FlushRun(HostInput::Echo::Character);
  in.echo.Text(" ", kEchoClipboard | kEchoCaptureFile);
  int row = s.CursorRow(), col = s.CursorCol() - n;
  if (reverseWrap) {
    // Past column 1 the cursor goes on at the end of the rows above.
    while (col < 1 && row > 1) {
      --row;
      col += s.ColumnsSetting;
    }
  }
  MoveCursor(row, std::max(col, 1));
}

// ---- Erasing and answers ----------------------------------------------------------

void VtInterpreter::EraseDisplay(HostInput& /*in*/, int mode) {
  vt.DoubleWidthLine = 0;
  const int row = s.CursorRow();
  switch (mode) {
    case 0: s.EraseCursorToEndOfScreen(); break;
    case 1: s.EraseScreenStartToCursor(); break;
    default: s.ClearScreenAndHome(); break;
  }
  MoveCursor(row, 1);
  shared_.Services().pictures.RemoveInlinePictures();
}

void VtInterpreter::EraseLine(int mode) {
  switch (mode) {
    case 0: s.EraseToEndOfLineWithFlags(); break;
    case 1: s.EraseLineStartToCursor(); break;
    default: s.EraseCursorLine(); break;
  }
}

void VtInterpreter::DeviceAttributes(HostInput& in) {
  if (Opt.EmuVt220)
    in.answers.Send("\x1b[?62;1;2;6;7;8c");
  else
    in.answers.Send("\x1b[?1;2c");
}

void VtInterpreter::CursorReport(HostInput& in) {
  int row = s.CursorRow();
  if (vt.OriginModeOn && s.ScrollTop > 0) row = row - s.ScrollTop + 1;
  // A wrap that waits is reported from the last column, and still waits.
  const int col = std::min<int>(s.CursorCol(), in.WrapColumn());
  in.answers.Send(HostAnswer("\x1b[").Number(row).Add(";").Number(col).Add("R"));
}

// ---- Dotted forms ---------------------------------------------------------------------

void VtInterpreter::DispatchDotted(HostInput& in) {
  const ControlSequence& q = seq_;
  const std::string_view raw(q.raw + 1, static_cast<size_t>(std::max(q.rawLength - 1, 0)));
  const size_t len = raw.size();
  if (q.final == 'r' && len == 0) {
    ScrollRegionOff();
    return;
  }
  if (q.final == 'H' && (len == 1 || (len == 2 && raw[1] < ':'))) {
    // A column of one or two characters; one that is no number counts as 0.
    int col = 0;
    for (char c : raw) {
      if (!IsDigit(c)) {
        col = 0;
        break;
      }
      col = col * 10 + (c - '0');
    }
    AddressTo(in, 1, std::max(col, 1), false);
    return;
  }
  if (q.final != 'm' || len == 0) return;
  // The pair that counts is the first byte and the one after it, or, when
  // the second byte is a digit, the second and the third.
  const size_t p = len >= 2 && raw[1] < ':' ? 1 : 0;
  if (p + 1 == len) {
    if (!IsDigit(raw[p])) return;
    // Bold (or blink) of the pair stands alone.
    if (raw[p] == '1' || raw[p] == '5') NormalStyle();
    Rendition(in, raw[p] - '0', true);
    return;
  }
  if (raw[p + 1] != ';' || std::string_view("012457").find(raw[p]) == std::string_view::npos) return;
  const std::string_view last = raw.substr(p + 2);
  if (last.empty() || last.size() > 2 || !IsDigit(last[0]) || (last.size() == 2 && !IsDigit(last[1]))) return;
  Rendition(in, last.size() == 1 ? last[0] - '0' : (last[0] - '0') * 10 + (last[1] - '0'), false);
}

// ---- SCO console sequences ----------------------------------------------------------

void VtInterpreter::DispatchSco(HostInput& in) {
  const ControlSequence& q = seq_;
  if (q.rawOverflow) return;
  const std::string_view raw(q.raw, static_cast<size_t>(q.rawLength));
  if (q.marker == '=') {
    if (q.final == 'C') return;  // the cursor's shape: not kept
    if (q.final == 'F' || q.final == 'G' || q.final == 'H' || q.final == 'I') {
      shared_.ScoColourCommand(q.final, std::string(raw.substr(1)));
      return;
    }
    DispatchPlain(in);
    return;
  }
  if (q.marker != 0 || q.intermediate != 0 || q.overflow) {
    DispatchPlain(in);
    return;
  }
  if (q.final == 'm') {
    if (!shared_.ScoLineGraphicsAttributes(raw)) DispatchPlain(in);
    return;
  }
  const int n = std::max(q.Value(0, 1), 0);
  const int rows = std::min<int>(n, s.ScreenRows);
  switch (q.final) {
    case 'X':
      s.EraseEndColumn = static_cast<int16_t>(std::min(s.CursorCol() + n - 1, static_cast<int>(s.ColumnsSetting)));
      s.EraseCharsFromCursor();
      return;
    case 'Z': MoveCursor(s.CursorRow(), std::max(s.CursorCol() - 5 * std::min(n, 999), 1)); return;
    case 'E': MoveCursor(std::min(s.CursorRow() + n, static_cast<int>(s.ScreenRows)), 1); return;
    case 'F': MoveCursor(std::max(s.CursorRow() - n, 1), 1); return;
    case 'G':
    case '`': MoveCursor(s.CursorRow(), std::clamp(n, 1, static_cast<int>(s.ColumnsSetting))); return;
    case 'a': MoveCursor(s.CursorRow(), std::clamp(s.CursorCol() + n, 1, static_cast<int>(s.ColumnsSetting))); return;
    case 'd': MoveCursor(std::clamp(n, 1, static_cast<int>(s.ScreenRows)), s.CursorCol()); return;
    case 'e': MoveCursor(std::clamp(s.CursorRow() + n, 1, static_cast<int>(s.ScreenRows)), s.CursorCol()); return;
    case 'S':
    case 'T':
      for (int i = 0; i < rows; ++i) {
        if (q.final == 'S')
          s.ScrollRegionUp();
        else
          s.ScrollRegionDown();
      }
      s.RepaintPending = 1;
      return;
    case 'H': Address(in, q, false); return;
    case 'L':
    case 'M': {
      const int16_t row = s.CursorRow();
      for (int i = 0; i < rows; ++i) {
        s.SetCursorRow(row);
        s.MoveToCell(row, 1);
        if (q.final == 'L')
          s.InsertLineAtCursor();
        else
          s.DeleteLineAtCursor();
      }
      MoveCursor(row, 1);
      return;
    }
    case 'g':
      if (n >= 32 && n <= 255) {
        in.CurrentHostChar = static_cast<int16_t>(n);
        in.WriteCharacter();
      }
      return;
    default: DispatchPlain(in); return;
  }
}

}  // namespace korvane
