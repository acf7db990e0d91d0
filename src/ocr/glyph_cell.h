#pragma once
// The boxes that segmentation cuts a subtitle picture into: text line bands and the glyph
// cells of each band, and the slant that italic lettering is read with.
#include <array>
#include <cstdint>

// The italic slant: skewMul columns to the right per skewDiv rows upward.
struct SkewRatio {
  int mul = 4;
  int div = 19;  // never below 1: the option change handler clamps it

  // How many columns row y lies left of the band's top row, truncated toward zero.
  int shift(int y, int lineTop) const { return (y - lineTop) * mul / div; }
};

struct LineBand {
  int lineTop = 0;     // first row of the band that has ink
  int lineBottom = 0;  // first background row after the band; 0 while the band is open
};

enum : int { kUpright = 0, kItalic = 2 };

struct GlyphCell {
  int left = 0;    // first ink column; for an italic cell the column at the band's top row
  int right = 0;   // last ink column
  int top = 0;     // first row of the band with ink between left and right; 0 if none
  int bottom = 0;  // last such row; 0 if none
  int italic = kUpright;
  uint16_t ch = 0;  // UTF-16 code; 32 for a space cell; 0 = unknown
};

// Fixed working storage of one recognition. A picture with more bands keeps the first
// kMaxBands; a band that would need more cells keeps the ones read before it filled up
// (see the cell loop in segmentation.cpp).
inline constexpr int kMaxBands = 20;
inline constexpr int kMaxCells = 100;

struct OcrLine {
  LineBand band;
  int cellCount = 0;
  std::array<GlyphCell, kMaxCells + 1> cells{};  // 1-based; cells[0] is never used
};
