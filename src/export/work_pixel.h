#pragma once
// The pixel source of the run-length encoders: the palette indexes a render left in
// indexImage. An area may reach beyond the 1920 x 1080 canvas (a Blu-ray window is placed
// with 16-bit coordinates); its pixels there read as the background the render filled in.
#include <algorithm>
#include <bit>
#include <cstring>
#include <cstdint>

#include "render/work_images.h"

inline uint8_t workPixel(const IndexImage& img, uint8_t background, int x, int y) {
  return img.contains(x, y) ? img.at(x, y) : background;
}

// The run of equal indexes that starts at column x (>= 0) of row y and ends before the first
// different index or at column xEnd (excluded); returns its length (at least 1 when
// x < xEnd) and its index in c. Columns beyond the canvas cost nothing to scan. Inline: the
// encoders call it for every run of every picture they write.
inline int runFrom(const IndexImage& img, uint8_t background, int y, int x, int xEnd, uint8_t& c) {
  if (!img.contains(x, y)) {  // right of, above or below the canvas
    c = background;
    return xEnd - x;
  }
  const uint8_t* row = img.row(y);
  c = row[x];
  const int inside = std::min(xEnd, img.width());
  int e = x + 1;
  // Eight columns at a time: most of a subtitle's area is long runs of its background.
  if constexpr (std::endian::native == std::endian::little) {
    const uint64_t same = 0x0101010101010101ull * c;
    while (e + 8 <= inside) {
      uint64_t eight;
      std::memcpy(&eight, row + e, 8);
      const uint64_t differ = eight ^ same;
      if (differ != 0) {
        e += std::countr_zero(differ) / 8;
        break;
      }
      e += 8;
    }
  }
  while (e < inside && row[e] == c) ++e;
  // The background goes on beyond the canvas's right edge.
  if (e == inside && e < xEnd && c == background) e = xEnd;
  return e - x;
}
