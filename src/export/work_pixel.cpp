#include "export/work_pixel.h"

#include <algorithm>

int runFrom(const IndexImage& img, uint8_t background, int y, int x, int xEnd, uint8_t& c) {
  c = workPixel(img, background, x, y);
  if (!img.contains(x, y)) return xEnd - x;  // right of, above or below the canvas
  const uint8_t* row = &img.pixels[size_t(y) * size_t(img.width)];
  const int inside = std::min(xEnd, img.width);
  int e = x + 1;
  while (e < inside && row[e] == c) ++e;
  if (e == img.width && c == background) e = std::max(e, xEnd);
  return e - x;
}
