#pragma once
// What recognition draws on the display picture so the user sees how the picture was cut:
// grey guide lines with row numbers at the band edges and a box around every cell.
#include "ocr/glyph_cell.h"
#include "render/work_images.h"

// A dark grey line over columns x1 to x2 - 1 of row y.
void drawGuideLine(Plane<Rgb>& image, int x1, int x2, int y);
// A decimal number with its top-left corner at (x, y), in small light grey digits.
void drawNumber(Plane<Rgb>& image, int x, int y, int value);
// A box one pixel outside the cell, slanted for an italic cell; (ox, oy) is the area's corner.
// Red for a known italic cell, green for a known upright one, yellow for an unknown one.
void drawCellBox(Plane<Rgb>& image, const GlyphCell& cell, int lineTop, SkewRatio skew, int ox, int oy);
