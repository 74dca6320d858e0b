#pragma once
// Text printing worked out without a printer: the print text of each print
// command, the page geometry for the paper and the print font size, the
// number of pages, and which lines fall on which page. Pure functions.
//
// A print text is UTF-8 in which CR (13) ends a line, FF (12) breaks the
// page and LF (10) is not printed.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace korvane::output {

// A line starting with this marks a new page in captured and printed text.
inline constexpr std::string_view kTopOfPageMark = "********************** TOP OF PAGE";
// Stands for the page header when the settings have none.
inline constexpr std::string_view kNoPageHeader = "x$%&";

enum class PrintSource {
  CapturedText,  // the printer capture: lines end in CR
  TextFile,      // a text file: lines end in CR LF, so that a page break
                 // after a full page (CR LF FF) gives no empty page
};

// Builds the print text from `lines` (lines ended by CR, LF or CR LF). A
// line that begins with the top-of-page mark or with `pageHeader` (or, when
// that is empty, with "x$%&") gets an FF in front of it. Of captured text, an
// FF at the start of the second line is dropped, so that a printout that
// begins with a form feed does not begin with an empty page.
std::string BuildPrintText(std::string_view lines, std::string_view pageHeader, PrintSource source);

struct PrintPageGeometry {
  int lineHeight = 11;
  int linesPerPage = 66;
};

// Line height and lines per page for the print font size on a paper of the
// given size (points, held upright); landscape pages run along the paper's
// width. Sizes without their own geometry print 66 lines at 11 points; a
// page always takes at least one line.
// The lines of a print text (each ended by CR; a last line without one
// counts too).
int PrintTextLines(std::string_view text);

PrintPageGeometry ComputePrintPageGeometry(double paperWidth, double paperHeight, bool landscape, int fontSize);

// The text of each page: lines are taken up to CR; a page ends when it is
// full or at an FF after its first line; an FF at the top of a page and the
// LF (and FF) after the CR that fills a page are dropped. An empty text gives
// one empty page.
std::vector<std::vector<std::string>> SplitPrintPages(std::string_view text, int linesPerPage);

// The pages a job is given: the pages the text fills (so that no line is
// lost and no empty sheet comes out at the end), at most 32767.
int PrintPageCount(std::string_view text, int linesPerPage);

// A line as it is printed: tabs advance to the next multiple of eight
// columns and other control characters print as blanks.
std::string PrintableLine(std::string_view line);

}  // namespace korvane::output
