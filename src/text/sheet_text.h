#pragma once
// Characters turned into the letter sheet's Windows-1252 codes. A character the sheet has no
// glyph for gets a stand-in that reads the same (straight quotes for curly ones, "..." for an
// ellipsis, "-" for dashes, the base letter for one with marks, "ss" for sharp s); a character
// without either is reported, so that the caller can say which ones cannot be drawn.
#include <string>
#include <string_view>

struct SheetText {
  std::string codes;       // Windows-1252
  std::u32string missing;  // characters without glyph or stand-in, each once, in order
};

// The most characters `missing` names; a text without glyphs for more (a whole alphabet the
// sheet lacks) names the first ones.
inline constexpr size_t kMaxMissingNamed = 64;
// Adds a character to such a list unless it is there or the list is full.
void addMissing(std::u32string& missing, char32_t c);

// A character that Windows-1252 has stays in `codes` even without a glyph (it draws as a gap
// and is written back unchanged to an SRT file); one it lacks is left out, since the
// program's texts have no code for it.
SheetText toSheetCodes(std::u32string_view text);
// Whether the sheet draws the Windows-1252 code.
bool sheetHasGlyph(unsigned char code);
// A character as the log shows it: itself in quotes when Windows-1252 has it, else "U+266A".
std::string characterName(char32_t c);
