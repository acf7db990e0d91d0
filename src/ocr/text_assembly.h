#pragma once
// Turns the cells of the bands into the stored text: lines joined with "|", "<i>"/"</i>"
// around italic runs when tags are on, and "\xB7" (a middle dot) for every unknown glyph.
#include <array>
#include <string>

#include "ocr/glyph_cell.h"

inline constexpr char kUnknownMark = '\xB7';

struct AssembledText {
  std::string text;
  bool complete = true;  // no unknown glyph
};

AssembledText assembleText(const std::array<OcrLine, kMaxBands>& lines, int bandCount, bool tags);
