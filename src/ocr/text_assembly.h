#pragma once
// Turns the cells of the bands into the stored text: lines joined with "|", "<i>"/"</i>"
// around italic runs when tags are on, and "\xB7" (a middle dot) for every unknown glyph.
#include <array>
#include <span>
#include <string>

#include "ocr/glyph_cell.h"

inline constexpr char kUnknownMark = '\xB7';

struct AssembledText {
  std::string text;
  bool complete = true;  // no unknown glyph
};

AssembledText assembleText(const std::array<OcrLine, kMaxBands>& lines, int bandCount, bool tags);
// One line's cells, in reading order, appended to the text (without the "|" between lines).
void appendLineText(AssembledText& out, std::span<const GlyphCell> cells, bool tags);
