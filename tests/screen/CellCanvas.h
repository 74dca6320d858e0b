#pragma once
// What the recorded drawing calls leave in each text cell: the character and
// how it looks (ink, paper, face). Erases, text runs and scrolls are played
// back in order on a grid of cells, so that two different call sequences can
// be compared by what a person would see.

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "fakes/RecordingPort.h"

namespace korvane::testing_support {

struct CellLook {
  char ch = ' ';
  platform::RGB ink{}, paper{};
  int16_t face = 0;
  friend bool operator==(const CellLook&, const CellLook&) = default;
};

class CellCanvas {
 public:
  // Cells are `width` x `height` pixels; column 1 starts at x = 4 and row r
  // ends at y = r x height.
  CellCanvas(int width, int height, int rows, int cols) : w_(width), h_(height), rows_(rows), cols_(cols) {}

  void Play(const std::vector<fakes::RecordingPort::Call>& calls) {
    for (const auto& c : calls) {
      if (c.op == "EraseRect") Erase(c.rect, c.back);
      if (c.op == "DrawText") Text(c);
      if (c.op == "ScrollRect") Scroll(c);
    }
  }

  const CellLook* At(int row, int col) const {
    auto it = cells_.find({row, col});
    return it == cells_.end() ? nullptr : &it->second;
  }

  // Rows 1..rows of the canvas as text, '?' for a cell nothing was drawn in.
  std::string Text(int row) const {
    std::string out;
    for (int c = 1; c <= cols_; ++c) out += At(row, c) ? At(row, c)->ch : '?';
    return out;
  }

 private:
  static CellLook Blank(platform::RGB paper) { return {' ', paper, paper, 0}; }
  int Left(int col) const { return 4 + (col - 1) * w_; }

  void Erase(const platform::Rect& r, platform::RGB back) {
    for (int row = 1; row <= rows_; ++row)
      for (int col = 1; col <= cols_; ++col)
        if (Left(col) >= r.left && Left(col) + w_ <= r.right && (row - 1) * h_ >= r.top && row * h_ <= r.bottom)
          cells_[{row, col}] = Blank(back);
  }

  void Text(const fakes::RecordingPort::Call& c) {
    const int row = (c.pen.v + 3) / h_;
    const int col = (c.pen.h - 4) / w_ + 1;
    const bool inverse = c.mode == platform::TextMode::Inverse;
    for (size_t i = 0; i < c.text.size(); ++i) {
      CellLook look{c.text[i] == 0 ? ' ' : c.text[i], inverse ? c.back : c.fore, inverse ? c.fore : c.back, c.face};
      // A blank without an underline shows only its paper.
      if (look.ch == ' ' && !(look.face & platform::kFaceUnderline)) look = Blank(look.paper);
      cells_[{row, col + static_cast<int>(i)}] = look;
    }
  }

  void Scroll(const fakes::RecordingPort::Call& c) {
    const int lines = c.dv / h_;
    const int first = c.rect.top / h_ + 1, last = c.rect.bottom / h_;
    std::map<std::pair<int, int>, CellLook> moved = cells_;
    for (int row = first; row <= last; ++row)
      for (int col = 1; col <= cols_; ++col) {
        const int from = row - lines;
        if (from >= first && from <= last && At(from, col))
          moved[{row, col}] = *At(from, col);
        else
          moved[{row, col}] = Blank(c.back);
      }
    cells_ = std::move(moved);
  }

  int w_, h_, rows_, cols_;
  std::map<std::pair<int, int>, CellLook> cells_;
};

}  // namespace korvane::testing_support
