#include "ocr/text_assembly.h"

#include "text/cp1252.h"

AssembledText assembleText(const std::array<OcrLine, kMaxBands>& lines, int bandCount, bool tags) {
  AssembledText out;
  for (int r = 0; r < bandCount; ++r) {
    const OcrLine& line = lines[size_t(r)];
    auto italic = [&](int c) { return line.cells[size_t(c)].italic == kItalic; };
    for (int c = 1; c <= line.cellCount; ++c) {
      const GlyphCell& cell = line.cells[size_t(c)];
      if (tags) {
        if (c == 1 && italic(c)) out.text += "<i>";
        // A change of style is tagged after the space between the two words.
        if (c > 2 && line.cells[size_t(c - 1)].ch == ' ') {
          if (italic(c - 2) && !italic(c)) out.text += "</i>";
          if (!italic(c - 2) && italic(c)) out.text += "<i>";
        }
      }
      if (cell.ch != 0) {
        out.text += char(unicodeToCp1252(cell.ch));  // a character the code page lacks becomes "?"
      } else {
        out.text += kUnknownMark;
        out.complete = false;
      }
      if (tags && c == line.cellCount && italic(c)) out.text += "</i>";
    }
    if (r + 1 < bandCount) out.text += '|';
  }
  return out;
}
