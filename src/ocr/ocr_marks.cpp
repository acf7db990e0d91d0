#include "ocr/ocr_marks.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {
constexpr Rgb kGuide{51, 51, 51};
constexpr Rgb kLabel{192, 192, 192};
constexpr Rgb kItalicBox{255, 0, 0};
constexpr Rgb kUprightBox{0, 128, 0};
constexpr Rgb kUnknownBox{255, 255, 0};

// 5 x 7 digits, one row per byte, the leftmost pixel in bit 4.
constexpr std::array<std::array<uint8_t, 7>, 10> kDigits = {{
    {0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E}, {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E},
    {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F}, {0x1F, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0E},
    {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02}, {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E},
    {0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E}, {0x1F, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08},
    {0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E}, {0x0E, 0x11, 0x11, 0x0F, 0x01, 0x02, 0x0C},
}};

void plot(Plane<Rgb>& image, int x, int y, Rgb c) {
  image.set(x, y, c);  // marks that fall off the picture are cut
}

// Every pixel of the straight line between the two points, both included.
void line(Plane<Rgb>& image, int xa, int ya, int xb, int yb, Rgb c) {
  const int dx = std::abs(xb - xa), dy = -std::abs(yb - ya);
  const int sx = xa < xb ? 1 : -1, sy = ya < yb ? 1 : -1;
  for (int err = dx + dy;;) {
    plot(image, xa, ya, c);
    if (xa == xb && ya == yb) return;
    const int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      xa += sx;
    }
    if (e2 <= dx) {
      err += dx;
      ya += sy;
    }
  }
}
}  // namespace

void drawGuideLine(Plane<Rgb>& image, int x1, int x2, int y) {
  for (int x = x1; x < x2; ++x) plot(image, x, y, kGuide);
}

void drawNumber(Plane<Rgb>& image, int x, int y, int value) {
  for (const char d : std::to_string(value)) {
    if (d >= '0' && d <= '9') {
      const auto& rows = kDigits[size_t(d - '0')];
      for (int r = 0; r < 7; ++r)
        for (int b = 0; b < 5; ++b)
          if (rows[size_t(r)] & (0x10 >> b)) plot(image, x + b, y + r, kLabel);
    }
    x += 6;
  }
}

void drawCellBox(Plane<Rgb>& image, const GlyphCell& cell, int lineTop, SkewRatio skew, int ox, int oy) {
  const Rgb c = cell.ch == 0 ? kUnknownBox : cell.italic == kItalic ? kItalicBox : kUprightBox;
  const bool italic = cell.italic == kItalic;
  // Plane column of nominal column x on row y.
  auto col = [&](int x, int y) { return ox + (italic ? x - skew.shift(y, lineTop) : x); };
  const int t = cell.top, b = cell.bottom, l = cell.left, r = cell.right;
  line(image, col(l - 1, t), oy + t, col(l - 1, b), oy + b, c);
  line(image, col(r + 1, t), oy + t, col(r + 1, b), oy + b, c);
  line(image, col(l, t - 1), oy + t - 1, col(r, t - 1), oy + t - 1, c);
  line(image, col(l, b + 1), oy + b + 1, col(r, b + 1), oy + b + 1, c);
}
