#include "output/SessionCapture.h"

#include <algorithm>
#include <cstdlib>

#include "output/CaptureFormat.h"
#include "output/PrintPages.h"
#include "platform/CharMap.h"
#include "platform/MenuNumbers.h"
#include "screen/Palette.h"
#include "windows/SessionWindows.h"

namespace korvane::output {

namespace {

constexpr int kCr = 13;
// The caution alert whose OK the host's append-or-delete request acts on.
constexpr int kAppendOrDeleteAlert = 309;
constexpr int kClipboardOnItem = 7;

uint32_t Argb(const platform::RGB& c) {
  return 0xFF000000u | (static_cast<uint32_t>(c.red >> 8) << 16) | (static_cast<uint32_t>(c.green >> 8) << 8) |
         static_cast<uint32_t>(c.blue >> 8);
}

// Two pixels of the same colour, allowing for the rounding of 16-bit
// channels to 8 bits.
bool SameColour(uint32_t a, uint32_t b) {
  for (int shift : {0, 8, 16}) {
    const int ca = static_cast<int>((a >> shift) & 0xFF), cb = static_cast<int>((b >> shift) & 0xFF);
    if (std::abs(ca - cb) > 1) return false;
  }
  return true;
}

platform::RGB PaletteColour(int index) {
  return kScreenPalette[static_cast<size_t>(std::clamp(index, 0, kPaletteSize))];
}

}  // namespace

SessionCapture::SessionCapture(SessionWindow& window, CaptureShared& shared) : w_(window), shared_(shared) {}

SessionCapture::~SessionCapture() {
  // The session is gone by now: the files are closed as they stand (an
  // HTML capture gets its end), and nothing reports back to the window.
  output_.reset();
  shared_.printing.pageSetup.ForgetWindow(w_.Number());
  if (shared_.markedWindow == w_.Number()) shared_.markedWindow = 0;
}

CaptureOutput& SessionCapture::Output() {
  if (!output_) {
    WindowServices& s = w_.Owner().services;
    output_ = std::make_unique<CaptureOutput>(
        w_.session.Opt, w_.session.screen, s.files, s.alerts, *this, shared_.printing,
        CaptureFolders{s.prefs.PrefsFolderPath, s.hostFolders.desktop, s.hostFolders.home});
    const platform::StringTable& strings = s.strings;
    output_->Capture().SetReplyLanguage([&strings](const std::string& english) { return strings.Localise(english); });
  }
  return *output_;
}

bool SessionCapture::IsActive() const { return w_.Owner().flags.ActiveWindowNumber == w_.Number(); }

std::string SessionCapture::L(const std::string& english) const {
  return w_.Owner().services.strings.Localise(english);
}

// ---- Capture files ----------------------------------------------------------------------

bool SessionCapture::OpenCaptureFile(const std::string& path) { return Output().Capture().OpenCaptureFile(path); }

bool SessionCapture::ReopenCaptureForAppend(const std::string& path) {
  return Output().Capture().ReopenCaptureForAppend(path);
}

bool SessionCapture::OpenTransferCapture(const std::string& path) {
  return Output().Capture().OpenTransferCapture(path);
}

void SessionCapture::CloseCaptureFile() { Output().Capture().CloseCaptureFile(); }

void SessionCapture::AbortAndCloseCapture() { Output().Capture().CloseCaptureFile(); }

void SessionCapture::NewCaptureFile() {
  CaptureFiles& capture = Output().Capture();
  const std::string folder = capture.CaptureFolder();
  // The program's own code and no code at all stand for plain text.
  const std::string& creator = w_.session.Opt.CaptureCreator;
  const std::string name = DefaultCaptureFileName(creator.empty() || creator == "Kvne" ? "ttxt" : creator);
  const std::optional<std::string> chosen = shared_.fileDialogs.ChooseNewFile(
      platform::FileKind::Any, L("Enter name of capture file"), folder.empty() ? name : folder + "/" + name);
  // A cancelled choice ends the capture and keeps the file chosen before.
  capture.OpenCaptureFile(chosen.value_or(std::string()));
}

void SessionCapture::AppendDeleteCaptureFile() {
  WindowServices& s = w_.Owner().services;
  const int item =
      s.alerts.CautionAlertText(kAppendOrDeleteAlert, "The host asks to append to a capture file or to delete one.",
                                "\r", "OK chooses a file to append to, Cancel a file to delete.");
  bool chosen = false;
  if (item == 1) {
    if (const auto path =
            shared_.fileDialogs.ChooseFile({platform::FileKind::Text}, L("Select a capture file to append to"))) {
      chosen = true;
      Output().Capture().AppendCaptureFile(*path);
    }
  } else if (const auto path =
                 shared_.fileDialogs.ChooseFile({platform::FileKind::Text}, L("Select a file to delete"))) {
    chosen = true;
    Output().Capture().DeleteCaptureFile(*path);
  }
  if (!chosen) w_.session.conn.SendToHost("Canceled", kCr);
}

bool SessionCapture::CheckReservedFileName(const std::string& path) { return w_.settings.CheckReservedFileName(path); }

void SessionCapture::RecorderOn() { Output().Capture().OpenRecorderFile(); }

void SessionCapture::RecorderOff() { Output().Capture().CloseCaptureFile(); }

void SessionCapture::AppendToCaptureFile() {
  if (const auto path =
          shared_.fileDialogs.ChooseFile({platform::FileKind::Text}, L("Select a capture file to append to")))
    Output().Capture().AppendCaptureFile(*path);
}

void SessionCapture::DeleteCaptureFile() {
  if (const auto path = shared_.fileDialogs.ChooseFile({platform::FileKind::Text}, L("Select a file to delete")))
    Output().Capture().DeleteCaptureFile(*path);
}

void SessionCapture::Flush() {
  if (output_) output_->Flush();
}

std::string SessionCapture::SetCaptureFileFromScript(const std::string& path) {
  return Output().Capture().SetCaptureFileFromScript(path);
}

std::string SessionCapture::GetCaptureFileName() { return Output().Capture().GetCaptureFileName(); }

std::string SessionCapture::DeleteCaptureFileForScript() { return Output().Capture().DeleteCaptureFile(); }

// ---- The printer ----------------------------------------------------------------------------

bool SessionCapture::OpenPrinterCapture() { return Output().OpenPrinterCapture(); }

void SessionCapture::PrinterCaptureOff() { Output().PrinterCaptureOff(true); }

void SessionCapture::TurnPrinterOn() { Output().TurnPrinterOn(w_.session.input.ClipboardCapture != 0); }

void SessionCapture::PrintBeforeQuit() {
  PrinterCapture& printer = Output().Printer();
  if (printer.PrinterOn() || printer.PrintPending()) Output().PrintCapturedText();
}

void SessionCapture::PrintScreen() {
  Screen& s = w_.session.screen;
  if (s.CursorDrawn) s.EraseTextCursor();
  Output().PrintScreen();
}

std::string SessionCapture::ScrollBackPrintText(Screen& s) {
  const int history = s.ScrollBackLinePos - s.ScreenRows;
  if (history <= 0) return {};
  const int columns = std::clamp<int>(s.ScreenCols, 1, kMaxCursorCol);
  std::string out, row;
  auto addRow = [&] {
    const auto end = row.find_last_not_of(' ');
    row.erase(end == std::string::npos ? 0 : end + 1);
    out += CaptureText(row, s.ScreenFontId, false);
    out += '\r';
  };
  for (int line = std::max(1, history - (ScrollBackPlanes::kLines - 1)); line <= history; ++line) {
    if (line >= ScrollBackPlanes::kLines) break;
    row.clear();
    for (int c = 1; c <= columns; ++c) {
      const int16_t ch = s.ScrollBack.Cell(ScrollBackPlanes::kChars, line, c);
      row += ch == 0 ? ' ' : static_cast<char>(ch & 0xFF);
    }
    addRow();
  }
  const int rows = std::clamp<int>(s.ScreenRows, 0, kMaxCursorRow);
  for (int r = 1; r <= rows; ++r) {
    row.clear();
    for (int c = 1; c <= columns; ++c) {
      const int16_t ch = s.ScreenChars(r, c);
      row += ch == 0 ? ' ' : static_cast<char>(ch & 0xFF);
    }
    addRow();
  }
  return out;
}

void SessionCapture::PrintScrollBack() {
  Screen& s = w_.session.screen;
  const std::string text = ScrollBackPrintText(s);
  if (text.empty()) {
    w_.Owner().services.alerts.StopAlertText(platform::kPlainAlert, "The scroll back buffer is empty");
    return;
  }
  const PrintWindow window = FrontWindow();
  shared_.printing.textPrinting.DoPrintDialog(window.number, window.title, text, PrintFontOf(w_.session.Opt));
}

void SessionCapture::PrintTextFile() {
  if (const auto path = shared_.fileDialogs.ChooseFile({platform::FileKind::Text}, L("Select a text file to print")))
    Output().PrintTextFile(*path, w_.Owner().services.requiredFiles);
}

void SessionCapture::PageSetup() { Output().DoPageSetupDialog(); }

bool SessionCapture::DeferredPrintWaiting() const { return output_ && output_->DeferredPrintWaiting(); }

void SessionCapture::ServeIdlePass() {
  if (output_) {
    const int64_t now = w_.Owner().services.clock.Ticks();
    output_->IdlePass(now - w_.session.input.PrintIdleStamp);
  }
  ShowCaptureStatus();
}

// ---- The status shown ----------------------------------------------------------------------

void SessionCapture::ClearStatusLine() {
  Screen& s = w_.session.screen;
  s.ClearStatusRows();
  s.RepaintPending = 1;
}

void SessionCapture::ShowStatusLineModes() {
  const HostInput& in = w_.session.input;
  shared_.statusLine.ShowCaptureModes(w_.Number(), w_.session.Opt,
                                      {in.CaptureFileOn != 0, in.PrinterOn != 0, in.ClipboardCapture != 0});
}

void SessionCapture::ShowCaptureModes() {
  if (!IsActive()) return;
  w_.Owner().services.menus.MarkItem(platform::kRecorderMenu, kClipboardOnItem, w_.session.input.ClipboardCapture != 0);
  ShowStatusLineModes();
}

void SessionCapture::ShowCaptureStatus() {
  if (!IsActive()) return;
  ShowStatusLineModes();
  const HostInput& in = w_.session.input;
  const bool capture = in.CaptureFileOn != 0, printer = in.PrinterOn != 0;
  if (shared_.markedWindow == w_.Number() && shared_.captureMarked == capture && shared_.printerMarked == printer)
    return;
  platform::Menus& menus = w_.Owner().services.menus;
  menus.MarkItem(platform::kRecorderMenu, kRecorderOnItem, capture);
  menus.MarkItem(platform::kFileMenu, kFilePrinterOnItem, printer);
  shared_.markedWindow = w_.Number();
  shared_.captureMarked = capture;
  shared_.printerMarked = printer;
}

// ---- CaptureHost ------------------------------------------------------------------------------

void SessionCapture::CaptureChanged(bool on) {
  HostInput& in = w_.session.input;
  in.CaptureFileOn = on ? 1 : 0;
  if (!on) in.CollectCrToTab = 0;
  ShowCaptureStatus();
}

void SessionCapture::PrinterChanged(bool on) {
  HostInput& in = w_.session.input;
  in.PrinterOn = on ? 1 : 0;
  // With the clipboard option the printer's text goes to the clipboard; it
  // stops going there with the printer, unless clipboard capture is on.
  if (on && w_.session.Opt.UseClip) in.ClipboardLineCopy = 1;
  if (!on && !in.ClipboardCapture) in.ClipboardLineCopy = 0;
  ShowCaptureStatus();
}

PrintWindow SessionCapture::FrontWindow() {
  return {w_.Number(), platform::Utf8FromMacRoman(w_.Owner().services.windows.Title(w_.Number()))};
}

platform::PixelImage SessionCapture::WindowPicture(int left, int top, int right, int bottom) {
  platform::PixelImage picture =
      w_.Owner().services.windows.ContentPixels(w_.Number(), {left, top, right + 1, bottom + 1});
  // The print colours: the session's background prints as colour 17, its
  // text as colour 18; other colours print as they are shown.
  const SessionOptions& Opt = w_.session.Opt;
  const uint32_t back = Argb(PaletteColour(Opt.BackgroundColour)), fore = Argb(PaletteColour(Opt.CurrentForeColour));
  const uint32_t printBack = Argb(kScreenPalette[17]), printFore = Argb(kScreenPalette[18]);
  for (uint32_t& pixel : picture.pixels) {
    if (SameColour(pixel, back))
      pixel = printBack;
    else if (SameColour(pixel, fore))
      pixel = printFore;
  }
  return picture;
}

void SessionCapture::ClearClipboardText() { shared_.clipboard.SetText({}); }

std::string SessionCapture::ClipboardText() {
  std::string text = shared_.clipboard.Text().value_or(std::string());
  // Lines end in CR, as the print text has them.
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += text[i] == '\n' ? '\r' : text[i];
  }
  return out;
}

}  // namespace korvane::output
