#include "export/work_pixel.h"

int runFrom(const IndexImage& img, uint8_t background, int y, int x, int xEnd, uint8_t& c) {
  c = workPixel(img, background, x, y);
  if (!img.contains(x, y)) return xEnd - x;  // right of, above or below the canvas
  int e = x + 1;
  while (e < xEnd && img.contains(e, y) && img.at(e, y) == c) ++e;
  // The background goes on beyond the canvas's right edge.
  if (e < xEnd && !img.contains(e, y) && c == background) e = xEnd;
  return e - x;
}
