#include "ocr/text_assembly.h"

#include "text/cp1252.h"

void appendLineText(AssembledText& out, std::span<const GlyphCell> cells, bool tags) {
  auto italic = [&](size_t i) { return cells[i].italic == kItalic; };
  for (size_t i = 0; i < cells.size(); ++i) {
    const GlyphCell& cell = cells[i];
    if (tags) {
      if (i == 0 && italic(i)) out.text += "<i>";
      // A change of style is tagged after the space between the two words.
      if (i > 1 && cells[i - 1].ch == ' ') {
        if (italic(i - 2) && !italic(i)) out.text += "</i>";
        if (!italic(i - 2) && italic(i)) out.text += "<i>";
      }
    }
    if (cell.ch != 0) {
      out.text += char(unicodeToCp1252(cell.ch));  // a character the code page lacks becomes "?"
    } else {
      out.text += kUnknownMark;
      out.complete = false;
    }
    if (tags && i + 1 == cells.size() && italic(i)) out.text += "</i>";
  }
}

AssembledText assembleText(const std::array<OcrLine, kMaxBands>& lines, int bandCount, bool tags) {
  AssembledText out;
  for (int r = 0; r < bandCount; ++r) {
    const OcrLine& line = lines[size_t(r)];
    appendLineText(out, std::span(line.cells).subspan(1, size_t(line.cellCount)), tags);
    if (r + 1 < bandCount) out.text += '|';
  }
  return out;
}
