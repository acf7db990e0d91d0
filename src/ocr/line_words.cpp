#include "ocr/line_words.h"

#include <string_view>

#include "text/cp1252.h"
#include "text/utf8.h"

namespace {
// The characters one code point stands for in the stored text; empty for none (unknown).
std::u16string_view plainCharacters(char32_t cp) {
  switch (cp) {
    case U'|': return u"I";
    case U'\u2018': case U'\u2019': case U'\u201A': case U'\u201B': case U'\u2032': return u"'";
    case U'\u201C': case U'\u201D': case U'\u201E': case U'\u2033': return u"\"";
    case U'\uFB00': return u"ff";
    case U'\uFB01': return u"fi";
    case U'\uFB02': return u"fl";
    case U'\uFB03': return u"ffi";
    case U'\uFB04': return u"ffl";
    default: return {};
  }
}

void appendCharacters(std::vector<GlyphCell>& cells, const WordBox& word, int style) {
  const std::string_view text = word.text;
  for (size_t i = 0; i < text.size();) {
    const std::optional<char32_t> cp = nextUtf8(text, i);
    if (!cp) ++i;  // a byte that is no UTF-8 reads as unknown
    GlyphCell cell{word.left, word.right, 0, 0, style, 0};
    const std::u16string_view plain = cp ? plainCharacters(*cp) : std::u16string_view();
    if (!plain.empty()) {
      for (char16_t ch : plain) {
        cell.ch = ch;
        cells.push_back(cell);
      }
      continue;
    }
    if (cp && cp1252Code(*cp)) cell.ch = uint16_t(*cp);
    cells.push_back(cell);
  }
}
}  // namespace

std::vector<GlyphCell> wordCells(std::span<const WordBox> words, const std::function<bool(const WordBox&)>& italic) {
  std::vector<GlyphCell> cells;
  for (size_t w = 0; w < words.size(); ++w) {
    const WordBox& word = words[w];
    if (word.text.empty()) continue;
    const int style = italic(word) ? kItalic : kUpright;
    if (!cells.empty()) cells.push_back({cells.back().right, word.left, 0, 0, style, ' '});
    appendCharacters(cells, word, style);
  }
  return cells;
}
