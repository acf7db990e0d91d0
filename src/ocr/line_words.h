#pragma once
// The words another engine read on a line, turned into the cells the rules' text assembly
// takes: one cell per character, a space cell between words, each word upright or italic.
#include <functional>
#include <span>
#include <vector>

#include "ocr/glyph_cell.h"
#include "ocr/line_reader.h"

// All cells of a word take the style `italic` gives it. Typographic quotes become the plain ones the text corrections look
// for, ligatures their letters, and a character that Windows-1252 lacks (or that is no valid
// UTF-8) an unknown cell. A "|", which would split the stored text into two lines, is read
// as the capital I it nearly always is on a subtitle.
std::vector<GlyphCell> wordCells(std::span<const WordBox> words, const std::function<bool(const WordBox&)>& italic);
