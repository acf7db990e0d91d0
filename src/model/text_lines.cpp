#include "model/text_lines.h"

std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t bar; (bar = text.find('|', start)) != std::string::npos; start = bar + 1)
    lines.push_back(text.substr(start, bar - start));
  lines.push_back(text.substr(start));
  return lines;
}

std::string LinesToTxt(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& line : lines) {
    if (!out.empty()) out += '|';
    out += line;
  }
  return out;
}
