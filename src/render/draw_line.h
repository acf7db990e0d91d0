#pragma once
// Text drawn from the letter sheet: the pictures of subtitles imported from SRT. Glyphs are
// copied with their anti-aliased edges from the sheet into the working images that the
// render flags name, and lines are measured so that callers can centre a text block.
#include <string>
#include <vector>

#include "render/glyph_tables.h"
#include "render/letter_sheet.h"

class App;

inline constexpr int kNoBoxBefore = -0x10000;

// Measures (measureOnly) or draws one line of a subtitle's text. The text may hold "<i>" and
// "</i>" tags, which switch italicOn and carry over to the next call. lineNo counts from the
// bottom line (1) up and picks the baseline; sub is the 0-based subtitle whose area places
// the line and receives the inked rows. Returns the measured width, limited to 0..65535;
// in drawing mode the result means nothing. The measured width ends on the last glyph box's
// last column, or before it when a closing tag adds the spacing less a right trim larger than
// the spacing (an italic f); `widthOfBoxes`, when given, receives the width up to one column
// past the box that reaches furthest right. A line is drawn from its subtitle's x1.
int DrawLine(App& app, const std::string& line, int lineNo, int sub, bool measureOnly,
             int* widthOfBoxes = nullptr);

// Copies one glyph with its left edge at column x and its row's baseline on canvas row
// baseline, and widens the subtitle's rows y1/y2 to the rows it inked. Columns before
// `boxBefore` hold the box of the glyph drawn before, which this box overlaps when the
// glyphs are trimmed towards each other.
void DrawGlyph(App& app, int x, int baseline, const TGlyph& g, int sub, int boxBefore);

struct TSUPWin;
// Centres a text block of the given measured width on the display: x1 = (display width -
// widest) div 2, and x2 = x1 + widest, or further right to take in the whole of every glyph
// box (widestBoxes, from DrawLine): the pictures of exports and saved bitmaps are cut to the
// area, and a box's last column holds the glyph's outline, an italic f's hook even more.
// A block wider than the display starts at column 0 and ends at its last column, so the
// area never leaves the canvas.
void centreTextColumns(const App& app, TSUPWin& w, int widest, int widestBoxes);
// Measures the lines of a subtitle as the renderer draws them (from upright letters, each
// line's italic state carried to the next) and centres the area on the widest.
void centreTextBlock(App& app, TSUPWin& w, const std::vector<std::string>& lines);
