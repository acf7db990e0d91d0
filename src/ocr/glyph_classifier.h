#pragma once
// The glyph classifier: a fixed, ordered rule set over a cell's size, its band's height and
// probes that walk one row or column of the cell to the first ink or background pixel. The
// thresholds fit subtitle lettering at full HD: capitals about 41 to 51 pixels tall, small
// letters about 30 to 35.
#include <cstdint>

#include "ocr/glyph_cell.h"
#include "render/work_images.h"

struct GlyphClass {
  uint16_t ch = 0;          // UTF-16 code; 0 = no rule matched
  uint16_t pairSecond = 0;  // the second letter of two touching letters read as one cell
};

inline constexpr uint16_t kBeamedNotes = 0x266B;

GlyphClass classifyGlyph(const OcrMask& mask, const LineBand& band, const GlyphCell& cell, SkewRatio skew);
