#include "output/PrinterCapture.h"

#include <cerrno>

#include "output/CaptureFormat.h"
#include "output/PrintPages.h"
#include "platform/MenuNumbers.h"
#include "platform/Port.h"

namespace korvane::output {

namespace {
constexpr std::size_t kFlushSize = 16 * 1024;
}

void PrintWithProgress(CaptureHost& host, int progressLines, std::string_view printText,
                       const std::function<void()>& print) {
  const bool shown = PrintTextLines(printText) > progressLines;
  if (shown) host.ShowPrintingNotice(platform::kPrintingWindow);
  print();
  if (shown) host.ClosePrintingNotice(platform::kPrintingWindow);
}

PrinterCapture::PrinterCapture(SessionOptions& options, platform::Files& files, platform::Alerts& alerts,
                               platform::Printing& printing, CaptureHost& host, TextPrinting& textPrinting,
                               PrintSpooler& spooler, std::string preferencesFolder)
    : Opt(options),
      files_(files),
      alerts_(alerts),
      printing_(printing),
      host_(host),
      textPrinting_(textPrinting),
      spooler_(spooler),
      folder_(std::move(preferencesFolder)) {
  if (!folder_.empty() && folder_.back() != '/') folder_ += '/';
}

PrinterCapture::~PrinterCapture() {
  // Text nobody printed stays in its file; an empty file is not kept.
  ClosePrinterFile();
  if (!path_.empty()) {
    std::string bytes;
    if (files_.ReadFile(path_, bytes, 1) == 0 && bytes.empty()) files_.RemoveFile(path_);
  }
}

std::string PrinterCapture::NewPrinterFilePath() const {
  // Each session has its own printer file: a second one running at the same
  // time takes the next free name.
  for (int n = 1; n < 1000; ++n) {
    const std::string path = folder_ + kPrinterFileName + (n == 1 ? std::string() : " " + std::to_string(n));
    if (!files_.Exists(path)) return path;
  }
  return folder_ + kPrinterFileName;
}

bool PrinterCapture::OpenPrinterFile(platform::OutputMode mode) {
  if (mode == platform::OutputMode::CreateNew) {
    if (!folder_.empty()) files_.MakeFolders(folder_.substr(0, folder_.size() - 1));
    path_ = NewPrinterFilePath();
  }
  const int error = files_.OpenOutputFile(path_, mode, file_);
  if (error != 0) {
    file_.reset();
    alerts_.Show(platform::AlertKind::Stop, 0, "Unable to open!", "\r", path_ + ": " + platform::FileErrorText(error));
    if (mode == platform::OutputMode::CreateNew) path_.clear();
    return false;
  }
  writeFailed_ = false;
  return true;
}

void PrinterCapture::ClosePrinterFile() {
  Flush();
  if (file_) file_->Close();
  file_.reset();
}

bool PrinterCapture::OpenPrinterCapture() {
  if (file_) {
    printerOn_ = true;
    host_.PrinterChanged(true);
    return true;
  }
  if (Opt.UseClip) {
    host_.ClearClipboardText();
  } else if (printPending_ && !path_.empty()) {
    // The host turned the printer on again before the text it sent earlier
    // was printed: the new text joins it, and both are printed together.
    if (!OpenPrinterFile(platform::OutputMode::Append)) return false;
  } else if (!OpenPrinterFile(platform::OutputMode::CreateNew)) {
    return false;
  }
  printPending_ = false;
  hostPrintOffPending_ = false;
  printerOn_ = true;
  host_.PrinterChanged(true);
  return true;
}

void PrinterCapture::TurnPrinterOn(bool clipboardCaptureOn, int16_t fontId) {
  if (printerOn_ || hostPrintOffPending_) {
    PrinterCaptureOff(false, fontId);
    return;
  }
  if (clipboardCaptureOn) {
    alerts_.Show(platform::AlertKind::Stop, 0,
                 "CLIPBOARD ON! Must turn Clipboard off before turning Printer on (under Capture menu)");
    return;
  }
  OpenPrinterCapture();
}

void PrinterCapture::WritePrinterCapture(std::string_view bytes) {
  if (!file_ || writeFailed_) return;
  pending_.append(bytes);
  if (pending_.size() >= kFlushSize) Flush();
}

void PrinterCapture::Flush() {
  if (!file_ || pending_.empty()) return;
  const int error = file_->Write(pending_);
  pending_.clear();
  if (error != 0) {
    // What reached the file is still printed; the rest cannot be kept.
    writeFailed_ = true;
    file_->Close();
    file_.reset();
    alerts_.Show(platform::AlertKind::Stop, 0,
                 "Unable to write the printer file. What was written so far will still be printed.", "\r",
                 path_ + ": " + platform::FileErrorText(error));
  }
}

void PrinterCapture::PrinterCaptureOff(bool fromHost, int16_t fontId) {
  if (fromHost && Opt.PrinterOption95) hostPrintOffPending_ = true;
  const bool wasOn = printerOn_;
  printPending_ = true;
  printerOn_ = false;
  ClosePrinterFile();
  if (wasOn) host_.PrinterChanged(false);
  if (Opt.PrinterOption95) return;  // the idle pass prints once the host is quiet
  PrintCapturedText(fontId);
}

void PrinterCapture::ServeDeferredPrint(int64_t ticksSinceHostText, int16_t fontId) {
  if (!printPending_ || printerOn_ || ticksSinceHostText <= kQuietTicks) return;
  hostPrintOffPending_ = false;
  PrintCapturedText(fontId);
}

void PrinterCapture::PrintCapturedText(int16_t fontId) {
  printPending_ = false;
  hostPrintOffPending_ = false;
  const bool wasOn = printerOn_;
  printerOn_ = false;
  ClosePrinterFile();
  if (wasOn) host_.PrinterChanged(false);

  const PrintWindow window = host_.FrontWindow();
  if (Opt.UseClip) {
    const std::string text = host_.ClipboardText();
    if (text.empty()) return;
    const std::string printText = BuildPrintText(text, Opt.PrintPageHeader, PrintSource::CapturedText);
    PrintWithProgress(host_, kProgressLines, printText,
                      [&] { textPrinting_.DoPrintDialog(window.number, window.title, printText, PrintFontOf(Opt)); });
    return;
  }
  if (path_.empty()) return;
  const std::string path = path_;
  path_.clear();

  if (Opt.PclPassThrough) {
    // The bytes go to the printer exactly as the host sent them; the
    // spooler removes the file once lp has the job. An empty file is no job.
    std::string probe;
    if (files_.ReadFile(path, probe, 1) == 0 && probe.empty()) {
      files_.RemoveFile(path);
      return;
    }
    const std::string printer = rawPrinter_.empty() ? printing_.DefaultPrinterName() : rawPrinter_;
    if (spooler_.SubmitRawFile(path, printer)) {
      host_.ShowPrintingNotice(platform::kPrintingPclWindow);
      host_.ClosePrintingNotice(platform::kPrintingPclWindow);
    }
    return;
  }

  std::string bytes;
  if (const int error = files_.ReadFile(path, bytes, kTextPrintMax); error != 0) {
    alerts_.Show(platform::AlertKind::Stop, 0, "The printer text could not be read.", "\r",
                 path + ": " + platform::FileErrorText(error));
    return;
  }
  if (bytes.empty()) {
    files_.RemoveFile(path);
    return;
  }
  const int16_t table = Opt.PrinterFontName == "KorvaneIBMPrinterFont" ? int16_t{platform::kPcScreenFont} : fontId;
  const std::string text =
      BuildPrintText(CaptureText(bytes, table, false), Opt.PrintPageHeader, PrintSource::CapturedText);
  platform::PrintResult result;
  PrintWithProgress(host_, kProgressLines, text,
                    [&] { textPrinting_.DoPrintDialog(window.number, window.title, text, PrintFontOf(Opt), &result); });
  if (result.status != 0) {
    // The job failed: the text stays where the user can print it later.
    alerts_.Show(platform::AlertKind::Note, 0, "The printer text is kept in ", path);
    return;
  }
  files_.RemoveFile(path);
}

}  // namespace korvane::output
