#pragma once
// Texts are Windows-1252 bytes inside the program; these convert at its edges (widgets, JSON).
#include <string>
#include <string_view>

std::string cp1252ToUtf8(std::string_view text);
// Characters that Windows-1252 lacks become '?'; invalid UTF-8 bytes are taken as Windows-1252.
std::string utf8ToCp1252(std::string_view text);
// One character of UTF-8 text starting at byte i (< text.size()). An invalid or cut-off
// sequence gives its first byte alone, as `cp`, with valid false.
struct Utf8Char {
  char32_t cp = 0;
  size_t length = 1;
  bool valid = true;
};
Utf8Char decodeUtf8(std::string_view text, size_t i);
// The Unicode code point of a Windows-1252 byte (undefined bytes map to themselves).
char32_t cp1252ToUnicode(unsigned char c);
// The Windows-1252 byte of a code point, or '?' when there is none.
unsigned char unicodeToCp1252(char32_t cp);
