#include "output/PrintText.h"

#include <algorithm>

namespace korvane::output {

PrintFont PrintFontOf(const SessionOptions& options) {
  PrintFont font{options.PrinterFontName, options.PrinterFontSize};
  if (font.size < 4 || font.size > 72) font.size = 11;
  return font;
}

std::string PrinterFontFamily(const std::string& name) {
  // The program's own printer fonts and Monaco are the screen font's family;
  // Courier is asked for by name (fontconfig gives its metric twin).
  if (name == "Courier") return "Courier";
  return "DejaVu Sans Mono";
}

void ShowPrintError(platform::Alerts& alerts, const platform::PrintResult& result) {
  const std::string code =
      "Error code " + (result.status < 0 ? std::to_string(result.status) : " " + std::to_string(result.status));
  const std::string explanation =
      result.status == platform::kNoDefaultPrinter ? "No default printer specified" : "Printing error";
  if (result.reason.empty()) {
    alerts.Show(platform::AlertKind::Note, 0, code, "\r", explanation);
  } else {
    alerts.Show(platform::AlertKind::Note, 0, code, "\r", explanation, ": " + result.reason);
  }
}

int TextPrinting::DoPrintDialog(int window, const std::string& title, std::string_view text, const PrintFont& font,
                                platform::PrintResult* result) {
  platform::PrintResult outcome;
  const auto finish = [&](int returned) {
    if (result) *result = outcome;
    return returned;
  };
  if (window == 0) {
    outcome.cancelled = true;
    return finish(0);
  }
  platform::PageFormat format;
  if (const int status = pageSetup_.GetWindowPageFormat(window, format); status != 0) {
    outcome.status = status;
    ShowPrintError(alerts_, outcome);
    return finish(status);
  }
  const PrintPageGeometry geometry =
      ComputePrintPageGeometry(format.paperWidth, format.paperHeight, format.landscape, font.size);
  // Every page is laid out from the start of the text, so that a range
  // beginning after page 1 prints exactly the lines of its pages.
  auto pages = SplitPrintPages(text, geometry.linesPerPage);
  const int pageCount = static_cast<int>(std::min<std::size_t>(pages.size(), 32767));

  platform::PrintSettings settings;
  settings.jobName = title;
  settings.firstPage = 1;
  settings.lastPage = pageCount;
  outcome = printing_.PrintDialog(format, settings);
  if (outcome.status != 0) {
    ShowPrintError(alerts_, outcome);
    return finish(outcome.status);
  }
  if (outcome.cancelled) return finish(0);

  const int first = std::max(1, settings.firstPage);
  const int last = std::min(settings.lastPage, pageCount);
  if (first > last) return finish(0);
  platform::TextPages chosen;
  chosen.fontFamily = PrinterFontFamily(font.name);
  chosen.fontSize = font.size;
  chosen.lineHeight = geometry.lineHeight;
  for (int p = first; p <= last; ++p) {
    std::vector<std::string> lines;
    for (const auto& line : pages[static_cast<std::size_t>(p - 1)]) lines.push_back(PrintableLine(line));
    chosen.pages.push_back(std::move(lines));
  }
  settings.firstPage = first;
  settings.lastPage = last;
  outcome = printing_.PrintText(settings, format, chosen);
  if (outcome.status != 0) ShowPrintError(alerts_, outcome);
  return finish(0);
}

}  // namespace korvane::output
