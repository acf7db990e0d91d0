#include "text/utf8.h"

void appendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += char(cp);
  } else if (cp < 0x800) {
    out += char(0xC0 | (cp >> 6));
    out += char(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += char(0xE0 | (cp >> 12));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  } else {
    out += char(0xF0 | (cp >> 18));
    out += char(0x80 | ((cp >> 12) & 0x3F));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  }
}

std::optional<char32_t> nextUtf8(std::string_view text, size_t& pos) {
  if (pos >= text.size()) return std::nullopt;
  const unsigned char lead = (unsigned char)text[pos];
  const size_t len = lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : (lead >> 3) == 30 ? 4 : 0;
  if (len == 0 || len > text.size() - pos) return std::nullopt;
  char32_t cp = len == 1 ? lead : len == 2 ? lead & 0x1F : len == 3 ? lead & 0x0F : lead & 0x07;
  for (size_t k = 1; k < len; ++k) {
    const unsigned char c = (unsigned char)text[pos + k];
    if ((c & 0xC0) != 0x80) return std::nullopt;
    cp = cp << 6 | (c & 0x3F);
  }
  // The shortest form only, and no surrogate halves or values past Unicode's last.
  static constexpr char32_t kLeast[5] = {0, 0, 0x80, 0x800, 0x10000};
  if (cp < kLeast[len] || (cp >= 0xD800 && cp < 0xE000) || cp > 0x10FFFF) return std::nullopt;
  pos += len;
  return cp;
}
