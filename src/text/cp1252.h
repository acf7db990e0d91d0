#pragma once
// Texts are Windows-1252 bytes inside the program; these convert at its edges (widgets, JSON,
// text files).
#include <optional>
#include <string>
#include <string_view>

std::string cp1252ToUtf8(std::string_view text);
// Characters that Windows-1252 lacks become '?'; invalid UTF-8 bytes are taken as Windows-1252.
std::string utf8ToCp1252(std::string_view text);
// The Unicode code point of a Windows-1252 byte (undefined bytes map to themselves).
char32_t cp1252ToUnicode(unsigned char c);
// The Windows-1252 byte of a code point, or nothing when there is none.
std::optional<unsigned char> cp1252Code(char32_t cp);
// The Windows-1252 byte of a code point, or '?' when there is none.
unsigned char unicodeToCp1252(char32_t cp);
