#include "ocr/word_reading.h"

#include "ocr/line_words.h"

SubtitleReading wordReading(const std::vector<LinePicture>& lines, const std::vector<std::vector<WordBox>>& words,
                            uint8_t fontMode, bool insertTags) {
  SubtitleReading reading;
  reading.lineCount = int(lines.size());
  for (size_t r = 0; r < lines.size(); ++r) {
    auto italic = [&](const WordBox& w) {
      return fontMode == fmItalic || (fontMode != fmNormal && readsItalic(lines[r], w.left, w.right));
    };
    std::vector<GlyphCell> cells;
    if (r < words.size()) cells = wordCells(words[r], italic);
    if (cells.empty()) cells.emplace_back();
    for (const GlyphCell& c : cells)
      if (c.ch != ' ') ++(c.italic == kItalic ? reading.counters.italicCells : reading.counters.normalCells);
    reading.charCount += int(cells.size());
    appendLineText(reading.assembled, cells, insertTags);
    if (r + 1 < lines.size()) reading.assembled.text += '|';
  }
  return reading;
}
