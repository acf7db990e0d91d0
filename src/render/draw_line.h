#pragma once
// Text drawn from the letter sheet: the pictures of subtitles imported from SRT. Glyphs are
// copied with their anti-aliased edges from the sheet into the working images that the
// render flags name, and lines are measured so that callers can centre a text block.
#include <string>
#include <vector>

#include "model/subtitle.h"
#include "render/glyph_tables.h"
#include "render/letter_sheet.h"
#include "render/palette_state.h"
#include "render/render_flags.h"
#include "render/work_images.h"

inline constexpr int kNoBoxBefore = -0x10000;

// The options the lettering reads, as the command takes them from the controls.
struct LetteringOptions {
  int spacing = 0;            // "Spacing": columns added after every letter
  int maxColor = 255;         // "Max color": the grey of the sheet's brightest ink
  bool savePng = false;       // saved pictures: the PNG takes the index image
  bool saveBmp = false;       // and the BMP the display picture
  bool blackAndWhite = false; // "OCR": saved pictures in black and white
};

// What drawing a line touches: the subtitles whose areas place the lines and take the rows
// they ink, the sheet, the palette that colours its levels, the pictures drawn into and what
// the render is for.
struct TextCanvas {
  std::vector<TSUP>& subs;
  LetterSheetState& sheet;
  const PaletteState& palette;
  WorkImages& images;
  const RenderFlags& flags;
  LetteringOptions options;
};

// Measures one line of a subtitle's text as DrawLine places it. The text may hold "<i>" and
// "</i>" tags, which switch sheet.italicOn and carry over to the next call. Returns the
// measured width, limited to 0..65535: it ends on the last glyph box's last column, or before
// it when a closing tag adds the spacing less a right trim larger than the spacing (an
// italic f); `widthOfBoxes`, when given, receives the width up to one column past the box
// that reaches furthest right.
int measureLine(LetterSheetState& sheet, int spacing, const std::string& line, int* widthOfBoxes = nullptr);

// Draws one line of a subtitle's text from its subtitle's x1. lineNo counts from the bottom
// line (1) up and picks the baseline; sub is the 0-based subtitle whose area places the line
// and receives the inked rows. A line without a baseline or subtitle draws nothing, but its
// tags still switch italicOn.
void DrawLine(const TextCanvas& canvas, const std::string& line, int lineNo, int sub);

// Copies one glyph with its left edge at column x and its row's baseline on canvas row
// baseline, and widens the subtitle's rows y1/y2 to the rows it inked. Columns before
// `boxBefore` hold the box of the glyph drawn before, which this box overlaps when the
// glyphs are trimmed towards each other.
void DrawGlyph(const TextCanvas& canvas, int x, int baseline, const TGlyph& g, int sub, int boxBefore);

// Centres a text block of the given measured width on a display `displayWidth` wide:
// x1 = (display width - widest) div 2, and x2 = x1 + widest, or further right to take in the
// whole of every glyph box (widestBoxes, from measureLine): the pictures of exports and
// saved bitmaps are cut to the area, and a box's last column holds the glyph's outline, an
// italic f's hook even more. A block wider than the display starts at column 0 and ends at
// its last column, so the area never leaves the canvas.
void centreTextColumns(int displayWidth, TSUPWin& w, int widest, int widestBoxes);
// Measures the lines of a subtitle as the renderer draws them (from upright letters, each
// line's italic state carried to the next) and centres the area on the widest.
void centreTextBlock(LetterSheetState& sheet, int spacing, int displayWidth, TSUPWin& w,
                     const std::vector<std::string>& lines);
