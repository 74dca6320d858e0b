#include "output/PrintNotices.h"

#include <algorithm>

namespace korvane::output {

void PrintNotices::Show(int window) {
  std::erase_if(pending_, [window](const Pending& p) { return p.window == window; });
  numbered_.OpenAppWindow(window);
}

void PrintNotices::CloseLater(int window) {
  std::erase_if(pending_, [window](const Pending& p) { return p.window == window; });
  pending_.push_back({window, clock_.Milliseconds() + kCloseAfterMs});
}

int64_t PrintNotices::NextCloseMs() const {
  int64_t first = 0;
  for (const Pending& p : pending_)
    if (first == 0 || p.closeMs < first) first = p.closeMs;
  return first;
}

void PrintNotices::IdlePass() {
  if (pending_.empty()) return;
  const int64_t now = clock_.Milliseconds();
  std::vector<int> due;
  for (const Pending& p : pending_)
    if (now >= p.closeMs) due.push_back(p.window);
  std::erase_if(pending_, [now](const Pending& p) { return now >= p.closeMs; });
  // The user may have closed one already.
  for (const int window : due)
    if (windows_.Exists(window)) numbered_.SelectWindowPlain(window);
}

}  // namespace korvane::output
