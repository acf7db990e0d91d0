#pragma once
// Draws hand-made glyphs into a recognition mask: rectangles, upright or slanted the way
// italic lettering leans.
#include <vector>

#include "ocr/glyph_cell.h"
#include "render/work_images.h"

struct MaskPainter {
  explicit MaskPainter(OcrMask& m) : mask(m) {}
  OcrMask& mask;
  // With lean set, nominal column x of row y lands on column x - skew.shift(y, leanTop).
  bool lean = false;
  int leanTop = 0;
  SkewRatio skew;

  void set(int x, int y, uint8_t v = 1) {
    if (lean) x -= skew.shift(y, leanTop);
    mask.set(x, y, v);
  }
  void rect(int x, int y, int w, int h, uint8_t v = 1) {
    for (int r = y; r < y + h; ++r)
      for (int c = x; c < x + w; ++c) set(c, r, v);
  }
  // Rows of '#' and '.', drawn with the top-left corner at (x, y).
  void picture(int x, int y, const std::vector<const char*>& rows) {
    for (size_t r = 0; r < rows.size(); ++r)
      for (int c = 0; rows[r][c]; ++c)
        if (rows[r][c] == '#') set(x + c, y + int(r));
  }
};

// The cell of a glyph whose ink spans the given box, in a band that is exactly its height.
inline GlyphCell cellOf(int left, int top, int w, int h, bool italic = false) {
  GlyphCell c;
  c.left = left;
  c.right = left + w - 1;
  c.top = top;
  c.bottom = top + h - 1;
  c.italic = italic ? kItalic : kUpright;
  return c;
}
