#pragma once
// What recognition keeps between commands: the italic slant (taken from the "Skew" boxes),
// the totals of the running batch and the working records of one recognition.
#include <array>

#include "ocr/glyph_cell.h"

struct RecognitionState {
  SkewRatio skew;  // skewMul / skewDiv
  int totalLines = 0;
  int totalChars = 0;
  // Prepared once; each recognition overwrites what it uses.
  std::array<OcrLine, kMaxBands> ocrLines{};
};
