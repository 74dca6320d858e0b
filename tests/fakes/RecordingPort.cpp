#include "fakes/RecordingPort.h"

namespace korvane::fakes {

RecordingPort::Call& RecordingPort::Record(const std::string& op, Rect r) {
  Call c;
  c.op = op;
  c.rect = r;
  c.pen = pen_;
  c.fore = fore_;
  c.back = back_;
  c.face = face_;
  c.font = font_;
  c.size = size_;
  c.mode = mode_;
  c.penMode = penMode_;
  calls.push_back(c);
  return calls.back();
}

std::vector<RecordingPort::Call> RecordingPort::Of(const std::string& op) const {
  std::vector<Call> out;
  for (const auto& c : calls)
    if (c.op == op) out.push_back(c);
  return out;
}

std::vector<std::string> RecordingPort::Texts() const {
  std::vector<std::string> out;
  for (const auto& c : calls)
    if (c.op == "DrawText") out.push_back(c.text);
  return out;
}

void RecordingPort::LineTo(int h, int v) {
  Record("LineTo", {pen_.h, pen_.v, h, v});
  pen_ = {h, v};
}

void RecordingPort::DrawText(const uint8_t* codes, int n) {
  Call& c = Record("DrawText", {});
  c.text.assign(reinterpret_cast<const char*>(codes), static_cast<size_t>(n));
  pen_.h += n * cellWidth_;
}

void RecordingPort::ScrollRect(Rect r, int dh, int dv) {
  Call& c = Record("ScrollRect", r);
  c.dh = dh;
  c.dv = dv;
}

}  // namespace korvane::fakes
