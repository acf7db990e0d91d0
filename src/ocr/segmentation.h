#pragma once
// Cutting a recognition mask into text line bands and glyph cells. A band is a run of inked
// rows at least 16 rows tall; each band is walked left to right, glyph by glyph, each word
// read upright or italic (whichever makes its first glyph narrower, or as the subtitle's font
// choice says), with spaces where the gaps are wide.
#include <array>

#include "ocr/glyph_cell.h"
#include "render/work_images.h"

struct SegmentOptions {
  int spaceWidth = 20;  // a gap this wide (from the last ink column to the next one plus one) is a space
  int spaceWmin = 10;   // a wider gap before a "j" (and a few other touching letters) is a space too
  SkewRatio skew;
  int fontMode = 1;  // as the "Font" choice, 4 = not recognised yet; 1 and 4 decide per word
};

struct SegmentCounters {
  int italicCells = 0;
  int normalCells = 0;
};

// Finds the bands of an area W x H (the ten rows below the area included) and returns how
// many it stored; bands beyond kMaxBands are dropped. A band still open at the end keeps
// lineBottom 0.
int findBands(const OcrMask& mask, int W, int H, std::array<OcrLine, kMaxBands>& lines);

// Cuts one band into cells and classifies them. italicMode carries over from band to band.
void readBandCells(const OcrMask& mask, int W, OcrLine& line, const SegmentOptions& options, bool& italicMode,
                   SegmentCounters& counters);

// Whether the pair of characters (the previous cell's, this cell's) takes a space in front of
// this cell when the gap is wider than spaceWmin.
bool touchingPairTakesSpace(uint16_t previous, uint16_t current, bool italicMode);
