// Text printing without a printer: the print text of each command, the page
// geometry, the page count and which lines fall on which page.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "output/PrintPages.h"

namespace korvane::output {
namespace {

using Pages = std::vector<std::vector<std::string>>;

// ---- Geometry -----------------------------------------------------------------------

struct GeometryCase {
  double width, height;
  bool landscape;
  int fontSize;
  int lineHeight, linesPerPage;
};

class GeometryTest : public ::testing::TestWithParam<GeometryCase> {};

TEST_P(GeometryTest, LinesFollowThePaperAndTheFontSize) {
  const auto& c = GetParam();
  const PrintPageGeometry g = ComputePrintPageGeometry(c.width, c.height, c.landscape, c.fontSize);
  EXPECT_EQ(g.lineHeight, c.lineHeight);
  EXPECT_EQ(g.linesPerPage, c.linesPerPage);
}

INSTANTIATE_TEST_SUITE_P(
    Papers, GeometryTest,
    ::testing::Values(GeometryCase{612, 792, false, 8, 8, 91}, GeometryCase{612, 792, false, 9, 9, 81},
                      GeometryCase{612, 792, false, 10, 10, 73}, GeometryCase{612, 792, false, 12, 12, 61},
                      GeometryCase{612, 792, false, 14, 14, 51},
                      // Sizes without their own geometry: 66 lines at 11 points on any paper.
                      GeometryCase{612, 792, false, 11, 11, 66}, GeometryCase{100, 100, true, 24, 11, 66},
                      // Landscape pages run along the paper's width.
                      GeometryCase{612, 792, true, 12, 12, 46},
                      // A paper too short for a line, or of unknown size, still takes one.
                      GeometryCase{612, 60, false, 8, 8, 1}, GeometryCase{0, 0, false, 12, 12, 1}));

// ---- Page count ---------------------------------------------------------------------

std::string LinesOf(int n, const char* prefix = "line ") {
  std::string text;
  for (int i = 1; i <= n; ++i) text += prefix + std::to_string(i) + "\r";
  return text;
}

struct CountCase {
  const char* name;
  std::string text;
  int linesPerPage, pages;
};

class PageCountTest : public ::testing::TestWithParam<CountCase> {};

TEST_P(PageCountTest, AJobHasThePagesItsTextFills) {
  EXPECT_EQ(PrintPageCount(GetParam().text, GetParam().linesPerPage), GetParam().pages) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(Counts, PageCountTest,
                         ::testing::Values(CountCase{"empty", "", 66, 1},
                                           CountCase{"one full page", LinesOf(66), 66, 1},
                                           CountCase{"one line more", LinesOf(67), 66, 2},
                                           CountCase{"two and one", LinesOf(133), 66, 3},
                                           // A form feed after a full page of 66: the last line still prints.
                                           CountCase{"full page, FF, a line", LinesOf(66) + "\f" + "last\r", 66, 2},
                                           // A header at the top of the first page gives no empty sheet.
                                           CountCase{"form feeds at the top", "\fPAGE 1\ra\r\fPAGE 2\rb\r", 66, 2},
                                           CountCase{"at most 32767", std::string(40000, '\r'), 1, 32767}));

// ---- Page breaking ------------------------------------------------------------------

struct SplitCase {
  const char* name;
  std::string text;
  int linesPerPage;
  Pages pages;
};

class SplitTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitTest, LinesFallOnTheirPages) {
  EXPECT_EQ(SplitPrintPages(GetParam().text, GetParam().linesPerPage), GetParam().pages) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Breaks, SplitTest,
    ::testing::Values(SplitCase{"empty text, one empty page", "", 66, {{}}},
                      SplitCase{"a full page and one line more", "a\rb\rc\r", 2, {{"a", "b"}, {"c"}}},
                      SplitCase{"an LF is never printed", "a\n\rb\r\n", 66, {{"a", "b"}}},
                      SplitCase{"an FF after the first line ends the page", "a\r\fb\r", 66, {{"a"}, {"b"}}},
                      SplitCase{"an FF at the top of a page does not", "\fa\rb\r", 66, {{"a", "b"}}},
                      SplitCase{"text before an FF stays on its page", "a\rb\fc\r", 66, {{"a", "b"}, {"c"}}},
                      SplitCase{
                          "CR LF FF after a full page makes no empty page", "a\rb\r\n\fc\r", 2, {{"a", "b"}, {"c"}}},
                      SplitCase{"a full page at the very end", "a\rb\r\n", 2, {{"a", "b"}}},
                      SplitCase{"two form feeds give an empty page", "a\r\f\r\fb\r", 66, {{"a"}, {""}, {"b"}}},
                      SplitCase{"a last line without CR", "a\rb", 66, {{"a", "b"}}}));

// ---- Print texts ----------------------------------------------------------------------

TEST(BuildPrintText, PageMarksStartNewPages) {
  const std::string captured = "first\r" + std::string(kTopOfPageMark) + " 2\rPAGE 3\rx$%& 4\r";
  const std::string text = BuildPrintText(captured, "PAGE", PrintSource::CapturedText);
  EXPECT_EQ(text, "first\r\f" + std::string(kTopOfPageMark) + " 2\r\fPAGE 3\rx$%& 4\r");
  EXPECT_EQ(SplitPrintPages(text, 66).size(), 3u);
}

TEST(BuildPrintText, WithoutAHeaderTheStandInMarksAPage) {
  EXPECT_EQ(BuildPrintText("a\rx$%&b\r", "", PrintSource::CapturedText), "a\r\fx$%&b\r");
}

TEST(BuildPrintText, CapturedTextLosesTheFormFeedThatWouldMakeAnEmptyFirstPage) {
  // The host's form feed right after the first line of a job.
  const std::string text = BuildPrintText("\r\fReport\rpage 1\r\fpage 2\r", "PAGE", PrintSource::CapturedText);
  EXPECT_EQ(text, "\rReport\rpage 1\r\fpage 2\r");
  EXPECT_EQ(SplitPrintPages(text, 66), (Pages{{"", "Report", "page 1"}, {"page 2"}}));
}

TEST(BuildPrintText, TextFileLinesEndInCrLfWhateverTheFileUsed) {
  const std::string text = BuildPrintText("one\r\ntwo\nthree\rfour", "PAGE", PrintSource::TextFile);
  EXPECT_EQ(text, "one\r\ntwo\r\nthree\r\nfour\r\n");
  EXPECT_EQ(SplitPrintPages(text, 66), (Pages{{"one", "two", "three", "four"}}));
  // A header right after the first line, and one right after a full page.
  EXPECT_EQ(SplitPrintPages(BuildPrintText("a\nPAGE 2\nb\nPAGE 3\nc\n", "PAGE", PrintSource::TextFile), 2),
            (Pages{{"a"}, {"PAGE 2", "b"}, {"PAGE 3", "c"}}));
}

TEST(PrintTextLines, EachLineCountsOnceWhateverEndsIt) {
  struct Case {
    const char* text;
    int lines;
  };
  for (const Case& c : {Case{"", 0}, Case{"a", 1}, Case{"a\r", 1}, Case{"a\rb", 2}, Case{"a\r\n", 1},
                        Case{"a\r\nb\r\n", 2}, Case{"\r\r", 2}, Case{"a\r\fb\r", 2}})
    EXPECT_EQ(PrintTextLines(c.text), c.lines) << c.text;
  // A text file's print text and a capture's count the same lines.
  EXPECT_EQ(PrintTextLines(BuildPrintText("one\ntwo\nthree", "", PrintSource::TextFile)), 3);
  EXPECT_EQ(PrintTextLines(BuildPrintText("one\rtwo\rthree", "", PrintSource::CapturedText)), 3);
}

TEST(PrintableLine, TabsReachTheNextStopAndControlsPrintAsBlanks) {
  EXPECT_EQ(PrintableLine("a\tb"), "a       b");
  EXPECT_EQ(PrintableLine("\xC3\xA4\tb"), "\xC3\xA4       b");
  EXPECT_EQ(PrintableLine("x\x1By"), "x y");
}

}  // namespace
}  // namespace korvane::output
