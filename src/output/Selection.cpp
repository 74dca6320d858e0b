#include "output/Selection.h"

#include <algorithm>

#include "platform/CharMap.h"
#include "screen/Palette.h"

namespace korvane::output {

namespace {

// What a row of the text area shows: the live screen's cells, or a
// scroll-back line while the view is shown.
struct ShownCell {
  int16_t ch = 0, attr = 0, fore = 0, back = 0;
};

ShownCell CellShown(Screen& s, int row, int col) {
  if (s.ScrollBackViewShown) {
    const int line = std::clamp(s.ScrollBackViewLine - s.ScreenRows + row, 1, ScrollBackPlanes::kLines - 1);
    const ScrollBackPlanes& sb = s.ScrollBack;
    return {sb.Cell(ScrollBackPlanes::kChars, line, col), sb.Cell(ScrollBackPlanes::kAttrs, line, col),
            sb.Cell(ScrollBackPlanes::kFore, line, col), sb.Cell(ScrollBackPlanes::kBack, line, col)};
  }
  return {s.ScreenChars(row, col), s.ScreenAttrs(row, col), s.ScreenForeColours(row, col),
          s.ScreenBackColours(row, col)};
}

char32_t GlyphShown(const Screen& s, int16_t ch) {
  if (ch == 0) return U' ';
  return platform::GlyphOf(s.ScreenFontId, static_cast<uint8_t>(ch & 0xFF));
}

// Attribute codes that set a style of their own; the others take the style
// of the cells before them.
bool HasStyle(int16_t code, bool wyseColours) {
  if (code >= kAttrNormal && code <= kAttrReverseBold) return true;
  return wyseColours && code >= kAttrWyseFirst && code <= kAttrWyseLast;
}

}  // namespace

int CharWidthForSize(const Screen& s) { return s.CellWidth; }

int LastSelectableRow(const Screen& s) {
  int rows = s.ScreenRows;
  if (!s.ScrollBackViewShown && s.Opt.FontSizeMode == 0) ++rows;
  return std::clamp(rows, 1, static_cast<int>(kMaxCursorRow));
}

CellRange SelectionCells(const Screen& s, Rect r) {
  const int w = CharWidthForSize(s), h = s.CellHeight;
  if (w <= 0 || h <= 0) return {};
  const int half = w / 2;
  // Integer divisions that drop the fraction, as the text area's geometry
  // has it; a negative quotient rounds towards zero like the rest.
  CellRange c;
  c.firstCol = (r.left + half - 4) / w + 1;
  c.lastCol = (r.right + w - 1) / w - 1;
  c.firstRow = (r.top + s.CellDescent + 1) / h + 1;
  c.lastRow = (r.bottom + 4) / h;
  c.firstCol = std::max(c.firstCol, 1);
  c.firstRow = std::max(c.firstRow, 1);
  c.lastCol = std::min(c.lastCol, static_cast<int>(kMaxCursorCol));
  c.lastRow = std::min(c.lastRow, LastSelectableRow(s));
  return c;
}

Rect CellFrame(const Screen& s, const CellRange& c) {
  const int w = CharWidthForSize(s), h = s.CellHeight;
  return {(c.firstCol - 1) * w + 3, (c.firstRow - 1) * h - 2, c.lastCol * w + 4, c.lastRow * h};
}

std::string SelectionText(Screen& s, const CellRange& cells) {
  std::string text;
  if (cells.Empty()) return text;
  for (int row = cells.firstRow; row <= cells.lastRow; ++row) {
    std::string line;
    for (int col = cells.firstCol; col <= cells.lastCol; ++col)
      platform::AppendUtf8(line, GlyphShown(s, CellShown(s, row, col).ch));
    line.erase(line.find_last_not_of(' ') + 1);
    text += line;
    if (row < cells.lastRow) text += '\n';
  }
  return text;
}

platform::CellPicture SelectionPicture(Screen& s, const CellRange& cells) {
  platform::CellPicture p;
  p.cellWidth = std::max<int>(s.CellWidth, 1);
  p.cellHeight = std::max<int>(s.CellHeight, 1);
  p.cellAbove = std::clamp(s.CellHeight - s.CellDescent - 1, 1, p.cellHeight);
  if (cells.Empty()) return p;
  p.rows = cells.Rows();
  p.cols = cells.Cols();
  p.cells.resize(static_cast<size_t>(p.rows) * static_cast<size_t>(p.cols));

  const SessionOptions& opt = s.Opt;
  const bool wyseColours = s.WyseColourAttributes != 0;
  const bool colourPlanes = s.ScrollBackViewShown ? s.ScrollBackColourA != 0 : s.ColourMode();
  auto colourOf = [](int index, RGB kept, int over) {
    if (index > kPaletteSize) index = over;
    return index > 0 ? kScreenPalette[static_cast<size_t>(index)] : kept;
  };
  const int16_t normalForeIndex = wyseColours ? s.NormalForeColour : opt.CurrentForeColour;
  const int16_t normalBackIndex = wyseColours ? s.NormalBackColour : opt.BackgroundColour;
  const RGB normalFore = colourOf(normalForeIndex, kScreenPalette[17], 17);
  const RGB normalBack = colourOf(normalBackIndex, kScreenPalette[18], 18);

  for (int row = cells.firstRow; row <= cells.lastRow; ++row) {
    // A cell without a style of its own takes the one before it in the row.
    int16_t code = kAttrNormal;
    for (int col = 1; col <= cells.lastCol; ++col) {
      const ShownCell cell = CellShown(s, row, col);
      if (HasStyle(cell.attr, wyseColours)) code = cell.attr;
      if (col < cells.firstCol) continue;

      platform::PictureCell pc;
      pc.glyph = GlyphShown(s, cell.ch);
      RGB fore = normalFore, back = normalBack;
      bool inverse = false;
      auto styleFore = [&](int index) {
        if (!opt.ColourModeA) fore = colourOf(index, fore, 17);
      };
      switch (code) {
        case kAttrNormal: break;
        case kAttrReverse:
          styleFore(opt.ReverseColour);
          inverse = true;
          break;
        case kAttrDim: styleFore(opt.Mode2Colour); break;
        case kAttrUnderline:
          styleFore(opt.UnderlineColour);
          pc.underline = true;
          break;
        case kAttrBold:
          styleFore(opt.BoldColour);
          pc.bold = true;
          break;
        case kAttrReverseUnderline:
          styleFore(opt.ReverseColour);
          pc.underline = inverse = true;
          break;
        case kAttrBoldUnderline:
          styleFore(opt.BoldColour);
          pc.bold = pc.underline = true;
          break;
        case kAttrReverseBold:
          styleFore(opt.BoldColour);
          pc.bold = inverse = true;
          break;
        default: {
          const auto& pair = kWyseAttributeColours[static_cast<size_t>(code - kAttrWyseFirst)];
          fore = colourOf(pair.fore, fore, 17);
          back = colourOf(pair.back == kUseBackground ? opt.BackgroundColour : pair.back, back, 18);
          break;
        }
      }
      if (colourPlanes) {
        // 0 in a colour plane: no colour was recorded for the cell.
        fore = colourOf(cell.fore > 0 ? cell.fore : s.NormalForeColour, fore, 17);
        back = colourOf(cell.back != 0 ? cell.back : opt.BackgroundColour, back, 18);
      }
      if (inverse) std::swap(fore, back);
      pc.fore = fore;
      pc.back = back;
      p.At(row - cells.firstRow, col - cells.firstCol) = pc;
    }
  }
  return p;
}

}  // namespace korvane::output
