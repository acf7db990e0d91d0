#pragma once
// The letter sheet's layout: where each glyph lies on the sheet and how it is spaced. The
// tables are fixed: the sheet file is drawn to match them (tools/letter_sheet).
#include <array>
#include <cstdint>

// One glyph of the sheet. It occupies sheet columns x to x + width inclusive and the rows of
// its glyph row; row 0 means no glyph.
struct TGlyph {
  int32_t row = 0;
  int32_t x = 0;
  int32_t width = 0;
  int32_t leftTrim = 0;   // pixels the glyph moves towards the previous one
  int32_t rightTrim = 0;  // pixels taken off the advance after it
};

// Sheet rows of one glyph row, inclusive; the baseline row lands on the canvas row of lineBase.
struct GlyphRow {
  int32_t top = 0;
  int32_t base = 0;
  int32_t bottom = 0;
};

using GlyphTable = std::array<TGlyph, 256>;

// Indexed by the byte code (Windows-1252) of a character.
extern const GlyphTable glyphNormal;
extern const GlyphTable glyphItalic;

// Rows 1 to 5 hold glyphs; the table has ten entries per letter set so that a line number
// can index it, and entries 6 to 10 (and 0) are all zero.
inline constexpr int kGlyphRowCount = 5;
inline constexpr std::array<GlyphRow, 11> glyphRows = {{
    {0, 0, 0},
    {0, 57, 72},      // upright lower case, digits, space
    {73, 130, 145},   // italic lower case and digits
    {146, 203, 216},  // upright capitals
    {218, 276, 288},  // italic capitals
    {291, 349, 364},  // punctuation and symbols, upright and italic
}};

// The sheet must be at least this large for every glyph of the tables to lie on it.
inline constexpr int kSheetMinWidth = 1664;
inline constexpr int kSheetMinHeight = 365;
// Sheet value of the background; glyph pixels use the 17 grey levels below.
inline constexpr uint8_t kSheetBackground = 1;
inline constexpr std::array<uint8_t, 17> kSheetLevels = {0,   16,  32,  48,  64,  80,  96,  112, 127,
                                                         143, 159, 175, 191, 207, 223, 239, 255};

// The sheet file of a letter set (the item index of "Letters"); unknown sets use the first.
const char* sheetFileName(int letterSet);
