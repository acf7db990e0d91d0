#include "text/text_file_lines.h"

namespace {
template <class Char>
std::vector<std::basic_string<Char>> split(std::basic_string_view<Char> text) {
  std::vector<std::basic_string<Char>> lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.emplace_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

template <class Char, class IsBlank>
std::basic_string<Char> trim(std::basic_string_view<Char> line, IsBlank isBlank) {
  size_t a = 0, b = line.size();
  while (a < b && isBlank(line[a])) ++a;
  while (b > a && isBlank(line[b - 1])) --b;
  return std::basic_string<Char>(line.substr(a, b - a));
}

bool isBlankChar(char32_t c) {
  return c <= 0x20 || (c >= 0x7F && c <= 0xA0) || (c >= 0x2000 && c <= 0x200B) || c == 0x202F || c == 0x205F ||
         c == 0x3000 || c == 0xFEFF;
}
}  // namespace

std::vector<std::string> splitTextLines(std::string_view text) { return split(text); }
std::vector<std::u32string> splitTextLines(std::u32string_view text) { return split(text); }

std::string trimLine(std::string_view line) {
  return trim(line, [](char c) { return (unsigned char)c <= ' '; });
}
std::u32string trimLine(std::u32string_view line) { return trim(line, isBlankChar); }
