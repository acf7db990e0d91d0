#pragma once
// What recognition keeps between commands: the italic slant (taken from the "Skew" boxes),
// the totals of the running batch, the working records of one recognition and the second
// engine.
#include <array>
#include <memory>
#include <string>

#include "ocr/glyph_cell.h"
#include "ocr/line_reader.h"

struct RecognitionState {
  SkewRatio skew;  // skewMul / skewDiv
  int totalLines = 0;
  int totalChars = 0;
  // Prepared once; each recognition overwrites what it uses.
  std::array<OcrLine, kMaxBands> ocrLines{};
  // Tesseract for the commands that read one subtitle on the calling thread, kept while the
  // language stays the same: its language data take longer to load than many readings.
  std::shared_ptr<LineReader> tesseract;
  std::string tesseractLanguage;
  // The last reason Tesseract could not be used that went to the log: it goes there once.
  std::string tesseractProblem;
  // How the rules fared on the subtitles of one list that "Auto" gave them first.
  struct RulesRecord {
    std::string list;  // the list's source name
    int whole = 0;     // read without an unknown glyph
    int broken = 0;    // read with one
  } rulesRecord;
};
