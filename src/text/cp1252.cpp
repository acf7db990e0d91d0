#include "text/cp1252.h"

#include <array>

#include "text/utf8.h"

namespace {
// 0x80..0x9F; the five undefined bytes keep their own value.
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
}  // namespace

char32_t cp1252ToUnicode(unsigned char c) { return c >= 0x80 && c < 0xA0 ? kHigh[c - 0x80] : c; }

std::optional<unsigned char> cp1252Code(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp < 0x100)) return (unsigned char)cp;
  for (size_t i = 0; i < kHigh.size(); ++i)
    if (kHigh[i] == cp) return (unsigned char)(0x80 + i);
  return std::nullopt;
}

unsigned char unicodeToCp1252(char32_t cp) { return cp1252Code(cp).value_or('?'); }

std::string cp1252ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) appendUtf8(out, cp1252ToUnicode((unsigned char)c));
  return out;
}

std::string utf8ToCp1252(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    if (const auto cp = nextUtf8(text, i)) {
      out += char(unicodeToCp1252(*cp));
    } else {
      out += text[i];
      ++i;
    }
  }
  return out;
}
