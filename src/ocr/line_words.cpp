#include "ocr/line_words.h"

#include <string_view>

#include "text/cp1252.h"

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
    const Utf8Char u = decodeUtf8(text, i);
    i += u.length;
    GlyphCell cell{word.left, word.right, 0, 0, style, 0};
    const std::u16string_view plain = plainCharacters(u.cp);
    if (u.valid && !plain.empty()) {
      for (char16_t ch : plain) {
        cell.ch = ch;
        cells.push_back(cell);
      }
      continue;
    }
    // '?' is the one character whose code page byte also stands for "none".
    if (u.valid && u.cp <= 0xFFFF && (u.cp == U'?' || unicodeToCp1252(u.cp) != '?')) cell.ch = uint16_t(u.cp);
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
