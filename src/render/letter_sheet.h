#pragma once
// The letter sheet state of the SRT import: the loaded sheet, the italic state that carries
// from one text line to the next, and the canvas rows the text lines stand on.
#include <algorithm>
#include <array>
#include <cstdint>

#include "render/glyph_tables.h"
#include "render/grey_png.h"
#include "render/work_images.h"

// Text lines are counted from the bottom: line 1 is the last line of a subtitle.
inline constexpr int kMaxTextLines = 10;
using LineBaseTable = std::array<int16_t, kMaxTextLines + 1>;  // entry 0 unused

// Rows of every glyph row above and below its baseline row (the baseline row counts below).
inline constexpr int kGlyphAscent = [] {
  int m = 0;
  for (const GlyphRow& r : glyphRows) m = std::max(m, r.base - r.top);
  return m;
}();
inline constexpr int kGlyphDescent = [] {
  int m = 0;
  for (const GlyphRow& r : glyphRows) m = std::max(m, r.bottom - r.base);
  return m;
}();

// lineBase[i] = lastLine - (i - 1) * lineSpacing. A baseline that would put glyph rows off
// the 1920 x 1080 canvas is moved to the nearest row that keeps the whole glyph row on it,
// so imported text is always visible and its area always lies on the canvas.
constexpr LineBaseTable lineBaseFor(int32_t lastLine, int32_t lineSpacing) {
  LineBaseTable t{};
  for (int i = 1; i <= kMaxTextLines; ++i) {
    const int64_t row = int64_t(lastLine) - int64_t(i - 1) * lineSpacing;
    t[size_t(i)] = int16_t(std::clamp<int64_t>(row, kGlyphAscent, kCanvasHeight - 1 - kGlyphDescent));
  }
  return t;
}

inline constexpr int32_t kDefaultLastLine = 1010;
inline constexpr int32_t kDefaultLineSpacing = 90;

struct LetterSheetState {
  GreyImage letterSheet;  // empty until loaded
  bool italicOn = false;  // the italic glyph table is in use
  // Starts from the default options, which a fresh controls model holds.
  LineBaseTable lineBase = lineBaseFor(kDefaultLastLine, kDefaultLineSpacing);
};
