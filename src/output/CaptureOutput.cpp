#include "output/CaptureOutput.h"

#include "output/PrintScreen.h"

namespace korvane::output {

CaptureOutput::CaptureOutput(SessionOptions& options, Screen& screen, platform::Files& files,
                             platform::Alerts& alerts, CaptureHost& host, PrintServices& printing,
                             CaptureFolders folders)
    : Opt(options),
      screen_(screen),
      host_(host),
      printing_(printing),
      capture_(options, files, alerts, host, folders),
      printer_(options, files, alerts, printing.printing, host, printing.textPrinting, printing.spooler,
               folders.preferences) {}

void CaptureOutput::Flush() {
  capture_.Flush();
  printer_.Flush();
}

void CaptureOutput::PrintScreen() {
  const PrintWindow window = host_.FrontWindow();
  const int width = screen_.port.Width(), height = screen_.port.Height();
  if (Opt.PrinterOption101) {
    const ScreenCellRange cells =
        PrintScreenCells(width, height, screen_.CellWidth, screen_.CellHeight, screen_.CellDescent,
                         screen_.ScreenRows, screen_.ScreenCols, screen_.ScrollBackViewShown != 0);
    PrintFont font{Opt.PrinterFontName, Opt.PrinterFontSize};
    if (font.size < 4 || font.size > 72) font.size = 11;
    printing_.textPrinting.DoPrintDialog(window.number, window.title, ScreenPrintText(screen_, cells), font);
    return;
  }
  // The function-key bar (shown while FkeyBarShown is 0) is left out of the
  // picture.
  const int bottom = Opt.FkeyBarShown == 0 ? screen_.ScreenRows * screen_.CellHeight + 1 : height - 1;
  printing_.picturePrinting.PrintRectAsPicture(host_.WindowPicture(0, 0, width - 1, bottom), window.title);
}

}  // namespace korvane::output
