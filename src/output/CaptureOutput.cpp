#include "output/CaptureOutput.h"

#include "output/PrintScreen.h"
#include "platform/CharMap.h"

namespace korvane::output {

CaptureOutput::CaptureOutput(SessionOptions& options, Screen& screen, platform::Files& files, platform::Alerts& alerts,
                             CaptureHost& host, PrintServices& printing, const CaptureFolders& folders)
    : Opt(options),
      screen_(screen),
      files_(files),
      alerts_(alerts),
      host_(host),
      printing_(printing),
      capture_(options, files, alerts, host, folders),
      printer_(options, files, alerts, printing.printing, host, printing.textPrinting, printing.spooler,
               folders.preferences) {}

void CaptureOutput::Flush() {
  capture_.Flush();
  printer_.Flush();
}

namespace {

bool IsUtf8(std::string_view bytes) {
  std::size_t pos = 0;
  char32_t u = 0;
  while (pos < bytes.size())
    if (!platform::NextUtf8(bytes, pos, u)) return false;
  return true;
}

}  // namespace

void CaptureOutput::PrintTextFile(const std::string& path, RequiredFileHost* required) {
  std::string bytes, file = path;
  if (required) {
    if (ReadRequiredFile(file, PrinterCapture::kTextPrintMax, bytes, files_, alerts_, *required) != 0) return;
  } else if (const int error = files_.ReadFile(path, bytes, PrinterCapture::kTextPrintMax); error != 0) {
    alerts_.Show(platform::AlertKind::Stop, 0, "The text file could not be read.", "\r",
                 path + ": " + platform::FileErrorText(error));
    return;
  }
  if (!IsUtf8(bytes)) bytes = platform::Utf8FromMacRoman(bytes);
  const PrintWindow window = host_.FrontWindow();
  const std::string text = BuildPrintText(bytes, Opt.PrintPageHeader, PrintSource::TextFile);
  PrintWithProgress(host_, kTextFileProgressLines, text,
                    [&] { printing_.textPrinting.DoPrintDialog(window.number, window.title, text, PrintFontOf(Opt)); });
}

void CaptureOutput::PrintScreen() {
  const PrintWindow window = host_.FrontWindow();
  const int width = screen_.port.Width(), height = screen_.port.Height();
  if (Opt.PrinterOption101) {
    const ScreenCellRange cells =
        PrintScreenCells(width, height, screen_.CellWidth, screen_.CellHeight, screen_.CellDescent, screen_.ScreenRows,
                         screen_.ScreenCols, screen_.ScrollBackViewShown != 0);
    printing_.textPrinting.DoPrintDialog(window.number, window.title, ScreenPrintText(screen_, cells),
                                         PrintFontOf(Opt));
    return;
  }
  // The function-key bar (shown while FkeyBarShown is 0) is left out of the
  // picture.
  const int bottom = Opt.FkeyBarShown == 0 ? screen_.ScreenRows * screen_.CellHeight + 1 : height - 1;
  printing_.picturePrinting.PrintRectAsPicture(host_.WindowPicture(0, 0, width - 1, bottom), window.title);
}

}  // namespace korvane::output
