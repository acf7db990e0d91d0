#pragma once
// Sets index-image pixels by hand, for encoder tests.
#include <cstdint>

#include "export/encode_area.h"
#include "render/work_images.h"

inline void paint(IndexImage& img, int x, int y, uint8_t c) { img.set(x, y, c); }

inline void paintRect(IndexImage& img, const EncodeArea& a, uint8_t c) {
  for (int y = a.y1; y < a.y2; ++y)
    for (int x = a.x1; x < a.x2; ++x) paint(img, x, y, c);
}
