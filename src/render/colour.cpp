#include "render/colour.h"

#include <algorithm>

namespace {
// Integer division truncates toward zero, as the conversion's rounding expects.
uint8_t limit(int v, int lo, int hi) { return uint8_t(std::clamp(v, lo, hi)); }
}  // namespace

PackedColor YCrCbToRGB(uint8_t y, uint8_t cr, uint8_t cb) {
  const int yy = 1164 * (int(y) - 16), r = int(cr) - 128, b = int(cb) - 128;
  const uint8_t red = limit((yy + 1596 * r + 500) / 1000, 0, 255);
  const uint8_t green = limit((yy - 813 * r - 391 * b + 500) / 1000, 0, 255);
  const uint8_t blue = limit((yy + 2018 * b + 500) / 1000, 0, 255);
  return packColour(red, green, blue);
}

YCrCb RGBToYCrCb(PackedColor colour) {
  const int r = redOf(colour), g = greenOf(colour), b = blueOf(colour);
  YCrCb out;
  out.y = limit((257 * r + 504 * g + 98 * b + 500) / 1000 + 16, 16, 235);
  out.cr = limit((439 * r - 368 * g - 71 * b + 500) / 1000 + 128, 16, 240);
  out.cb = limit((-148 * r - 291 * g + 439 * b + 500) / 1000 + 128, 16, 240);
  return out;
}
