#pragma once
// The pixel source of the run-length encoders: the palette indexes a render left in
// indexImage. An area may reach beyond the 1920 x 1080 canvas (a Blu-ray window is placed
// with 16-bit coordinates); its pixels there read as the background the render filled in.
#include <cstdint>

#include "render/work_images.h"

inline uint8_t workPixel(const IndexImage& img, uint8_t background, int x, int y) {
  return img.contains(x, y) ? img.at(x, y) : background;
}

// The run of equal indexes that starts at column x (>= 0) of row y and ends before the first
// different index or at column xEnd (excluded); returns its length (at least 1 when
// x < xEnd) and its index in c. Columns beyond the canvas cost nothing to scan.
int runFrom(const IndexImage& img, uint8_t background, int y, int x, int xEnd, uint8_t& c);
