#pragma once
// What a letter sheet must satisfy for the glyph tables to draw clean letters from it. The
// sheet generator refuses to write a sheet that fails, and a test runs the same checks on
// the sheet that ships with the program.
#include <string>
#include <vector>

#include "render/grey_png.h"

// One glyph box of the sheet as the tables address it.
struct SheetBox {
  int code = 0;
  bool italic = false;  // drawn from the italic font (a box both tables share is upright)
  int row = 0;          // glyph row 1 to 5
  int x = 0;            // first column; the box ends at x + width inclusive
  int width = 0;
  // The columns the glyph's ink must fill exactly: the box without the columns it shares
  // with a box of another glyph (the tables let "." and "/" share one), since ink there
  // would be copied with the neighbour too.
  int first = 0;
  int last = 0;
};

// Every box a glyph is drawn from: all table entries with a row and a width except the
// space, which is never drawn. Boxes that both tables give the same place appear once.
std::vector<SheetBox> sheetBoxes();

// The sheet's faults, one text each; empty when it serves. Checked: the size, that every
// pixel is background or one of the 17 levels, that every ink pixel lies in the columns and
// rows of a glyph box and no ink lies where boxes of different glyphs meet, and that each
// glyph's ink spans exactly its columns.
std::vector<std::string> checkLetterSheet(const GreyImage& sheet);
