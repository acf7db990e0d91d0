#include "text/cp1252.h"

#include <array>

namespace {
// 0x80..0x9F; the five undefined bytes keep their own value.
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

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
}  // namespace

char32_t cp1252ToUnicode(unsigned char c) { return c >= 0x80 && c < 0xA0 ? kHigh[c - 0x80] : c; }

unsigned char unicodeToCp1252(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp < 0x100)) return (unsigned char)cp;
  for (size_t i = 0; i < kHigh.size(); ++i)
    if (kHigh[i] == cp) return (unsigned char)(0x80 + i);
  return '?';
}

std::string cp1252ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) appendUtf8(out, cp1252ToUnicode((unsigned char)c));
  return out;
}

Utf8Char decodeUtf8(std::string_view text, size_t i) {
  const unsigned char c = (unsigned char)text[i];
  const int len = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
  char32_t cp = len == 2 ? c & 0x1F : len == 3 ? c & 0x0F : c & 0x07;
  bool valid = len > 0 && i + size_t(len) <= text.size();
  for (int k = 1; valid && k < len; ++k) {
    const unsigned char cc = (unsigned char)text[i + size_t(k)];
    valid = (cc & 0xC0) == 0x80;
    cp = cp << 6 | (cc & 0x3F);
  }
  if (!valid) return {c, 1, false};
  return {len == 1 ? char32_t(c) : cp, size_t(len), true};
}

std::string utf8ToCp1252(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const Utf8Char u = decodeUtf8(text, i);
    out += char(u.valid ? unicodeToCp1252(u.cp) : (unsigned char)u.cp);
    i += u.length;
  }
  return out;
}
