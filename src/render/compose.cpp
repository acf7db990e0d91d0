#include "render/compose.h"

#include <algorithm>

namespace {
uint8_t mix(uint8_t over, uint8_t under, unsigned alpha) {
  return uint8_t((over * alpha + under * (255 - alpha) + 127) / 255);
}

// A size x size square without its four corner pixels, top-left corner at (x0, y0).
template <typename T>
void cornerlessSquare(Plane<T>& p, int x0, int y0, int size, T v) {
  p.fillSpan(y0, x0 + 1, x0 + size - 1, v);
  for (int y = y0 + 1; y < y0 + size - 1; ++y) p.fillSpan(y, x0, x0 + size, v);
  p.fillSpan(y0 + size - 1, x0 + 1, x0 + size - 1, v);
}
}  // namespace

void blendOverlay(Plane<Rgb>& display, const Plane<OverlayPixel>& overlay) {
  const Rect r = overlay.written().clippedTo(display.width(), display.height());
  for (int y = r.y0; y < r.y1; ++y) {
    const OverlayPixel* src = overlay.row(y);
    Rgb* dst = nullptr;
    for (int x = r.x0; x < r.x1; ++x) {
      const OverlayPixel o = src[x];
      const unsigned a = alphaOf(o);
      if (a == 0) continue;
      if (!dst) dst = display.span(y, r.x0, r.x1) - r.x0;
      Rgb& d = dst[x];
      if (a == 255) {
        d = rgbOf(o);
      } else {
        d = {mix(uint8_t(o), d.r, a), mix(uint8_t(o >> 8), d.g, a), mix(uint8_t(o >> 16), d.b, a)};
      }
    }
  }
}

void drawBorder(Plane<Rgb>& display, int x1, int y1, int x2, int y2, int inset) {
  const Rgb blue = rgbOf(kBorderColour);
  display.fillSpan(y1, x1 - 10, x2 + 10, blue);
  display.fillSpan(y2 - inset, x1 - 10, x2 + 10, blue);
  for (int y = std::max(y1 - 10, 0); y <= std::min(y2 + 9, display.height() - 1); ++y) {
    display.set(x1, y, blue);
    display.set(x2 - inset, y, blue);
  }
}

void drawSwatches(Plane<Rgb>& display, Plane<OverlayPixel>& overlay, const PaletteState& p) {
  const Rgb black{};
  for (int r = 0; r < 16; ++r)
    for (int c = 0; c < 16; ++c) {
      const size_t i = size_t(16 * r + c);
      cornerlessSquare(display, 10 * c + 10, 10 * r + 10, 9, black);
      cornerlessSquare(display, 10 * c + 11, 10 * r + 11, 7, rgbOf(p.palRGB[i]));
      cornerlessSquare(overlay, 10 * c + 180, 10 * r + 10, 9, overlayPixel(0, 255));
      cornerlessSquare(overlay, 10 * c + 181, 10 * r + 11, 7, overlayPixel(0xFFFFFF, p.palAlpha[i]));
    }
}
