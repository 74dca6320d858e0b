// Looks at windows on an X display for the tests that run the program under
// Xvfb:
//   korvane_xgrab grab WINDOW-ID FILE.png   the window's pixels
//   korvane_xgrab diff A.png B.png [WIDTH]  how many pixels differ (left of
//                                           WIDTH when it is given)
//   korvane_xgrab ink FILE.png TOP BOTTOM   pixels unlike the background
//                                           between two heights
//   korvane_xgrab top FILE.png              the first height from which the
//                                           left margin has the colour it has
//                                           halfway down (where a session
//                                           window's text area begins)
//   korvane_xgrab box FILE RRGGBB           the smallest rectangle holding
//                                           every pixel of that colour:
//                                           "left top right bottom" (right
//                                           and bottom exclusive)
//   korvane_xgrab fill FILE.png W H RRGGBB  writes a picture of one colour
//   korvane_xgrab pixel FILE.png X Y        the colour at a point: "RRGGBB"

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

int Usage() {
  std::fprintf(
      stderr,
      "usage: korvane_xgrab grab ID FILE | diff A B [WIDTH] | ink FILE TOP BOTTOM | top FILE | box FILE RRGGBB | "
      "fill FILE W H RRGGBB | pixel FILE X Y\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return Usage();
  QGuiApplication app(argc, argv);
  const char* verb = argv[1];
  if (std::strcmp(verb, "grab") == 0 && argc == 4) {
    const WId id = static_cast<WId>(std::strtoull(argv[2], nullptr, 0));
    const QPixmap pixels = QGuiApplication::primaryScreen()->grabWindow(id);
    return pixels.isNull() || !pixels.save(argv[3], "PNG") ? 1 : 0;
  }
  if (std::strcmp(verb, "diff") == 0 && (argc == 4 || argc == 5)) {
    const QImage a(argv[2]), b(argv[3]);
    if (a.isNull() || b.isNull() || a.size() != b.size()) {
      std::printf("%d\n", 1 << 30);
      return 0;
    }
    const int width = argc == 5 ? std::min(std::atoi(argv[4]), a.width()) : a.width();
    long n = 0;
    for (int y = 0; y < a.height(); ++y)
      for (int x = 0; x < width; ++x) n += a.pixel(x, y) != b.pixel(x, y);
    std::printf("%ld\n", n);
    return 0;
  }
  if (std::strcmp(verb, "ink") == 0 && argc == 5) {
    const QImage a(argv[2]);
    if (a.isNull()) return 1;
    const int top = std::atoi(argv[3]), bottom = std::min(std::atoi(argv[4]), a.height());
    // The background is the colour of the left margin.
    const QRgb background = a.pixel(1, std::max(top, 0));
    long n = 0;
    for (int y = std::max(top, 0); y < bottom; ++y)
      for (int x = 0; x < a.width() - 20; ++x) n += a.pixel(x, y) != background;
    std::printf("%ld\n", n);
    return 0;
  }
  if (std::strcmp(verb, "top") == 0 && argc == 3) {
    const QImage a(argv[2]);
    if (a.isNull() || a.height() < 20) return 1;
    const QRgb margin = a.pixel(1, a.height() / 2);
    // Ten rows of the margin's colour in the first three columns.
    for (int y = 0; y + 10 < a.height(); ++y) {
      bool all = true;
      for (int dy = 0; dy < 10 && all; ++dy)
        for (int x = 0; x < 3 && all; ++x) all = a.pixel(x, y + dy) == margin;
      if (all) {
        std::printf("%d\n", y);
        return 0;
      }
    }
    return 1;
  }
  if (std::strcmp(verb, "fill") == 0 && argc == 6) {
    QImage a(std::atoi(argv[3]), std::atoi(argv[4]), QImage::Format_RGB32);
    if (a.isNull()) return 1;
    a.fill(static_cast<QRgb>(0xff000000u | std::strtoul(argv[5], nullptr, 16)));
    return a.save(argv[2], "PNG") ? 0 : 1;
  }
  if (std::strcmp(verb, "box") == 0 && argc == 4) {
    const QImage a(argv[2]);
    if (a.isNull()) return 1;
    const QRgb colour = 0xff000000u | static_cast<QRgb>(std::strtoul(argv[3], nullptr, 16));
    int left = a.width(), top = a.height(), right = -1, bottom = -1;
    for (int y = 0; y < a.height(); ++y)
      for (int x = 0; x < a.width(); ++x)
        if (a.pixel(x, y) == colour) {
          left = std::min(left, x);
          top = std::min(top, y);
          right = std::max(right, x);
          bottom = std::max(bottom, y);
        }
    if (right < 0) return 1;
    std::printf("%d %d %d %d\n", left, top, right + 1, bottom + 1);
    return 0;
  }
  if (std::strcmp(verb, "pixel") == 0 && argc == 5) {
    const QImage a(argv[2]);
    const int x = std::atoi(argv[3]), y = std::atoi(argv[4]);
    if (a.isNull() || !a.valid(x, y)) return 1;
    std::printf("%06x\n", static_cast<unsigned>(a.pixel(x, y) & 0xffffffu));
    return 0;
  }
  return Usage();
}
