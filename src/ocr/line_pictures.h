#pragma once
// What a second recognition engine reads: each text line band of a subtitle as a picture of
// its own, dark ink on a white ground with a margin, scaled so that every line comes out at
// the same height whatever the size of the lettering on the disc.
#include <cstdint>
#include <span>
#include <vector>

#include "ocr/glyph_cell.h"
#include "render/work_images.h"

struct LinePicture {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> grey;  // row by row; 0 = black ink, 255 = white ground
  // Picture column c shows band column firstColumn + (c - margin) / scale.
  int firstColumn = 0;
  int margin = 0;
  double scale = 1;
  // The band's recognition ink per band column, read upright and read slanted (each row
  // shifted right by the italic slant), for the slant measure of words.
  std::vector<uint8_t> uprightInk, slantedInk;
  int slantReach = 0;  // how far right of a column its slanted reading reaches
  int bandHeight = 0;
};

// The top-left corner of an area whose pixels the renderer entered into the recognition mask;
// each area's pixels lie there relative to its own corner.
struct AreaCorner {
  int x = 0;
  int y = 0;
};

struct LinePictureOptions {
  int lineHeight = 40;  // a band's inked rows come out this many rows tall
  SkewRatio skew;       // the slant of italic lettering
};

// The bands of an area W x H of the recognition mask, cut out of the palette picture the same
// render left: ink is each pixel's brightness times its opacity, so a light letter with a dark
// outline becomes a solid dark letter. A band without ink gives a picture of width 0.
std::vector<LinePicture> cutLinePictures(const IndexImage& picture, std::span<const AreaCorner> corners,
                                         const OcrMask& mask, int W, int H, std::span<const LineBand> bands,
                                         const LinePictureOptions& options);

// The program's slant measure: lettering is italic when fewer band columns hold ink read
// slanted than read upright (the italic reading makes its glyphs narrower); a tie is
// upright. A word at picture columns left to right takes its line's style unless its own
// measure is clearly the other.
bool readsItalic(const LinePicture& line, int left, int right);
