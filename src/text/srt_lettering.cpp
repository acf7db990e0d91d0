#include "text/srt_lettering.h"

#include <algorithm>
#include <string_view>

#include "text/sheet_text.h"
#include "text/srt_tags.h"
#include "text/text_file_lines.h"

namespace {
// Whether a cut before `pos` would split an italic tag.
bool insideTag(const std::string& s, size_t pos) {
  for (const std::string_view tag : {std::string_view("<i>"), std::string_view("</i>")})
    for (size_t j = pos >= tag.size() ? pos - tag.size() + 1 : 0; j < pos; ++j)
      if (s.compare(j, tag.size(), tag) == 0) return true;
  return false;
}

// Lines of at most the display's width: greedily at the last space that fits, or inside the
// first word when even that is too wide.
class Wrapper {
 public:
  Wrapper(const LineMeasure& measure, int screenWidth) : measure_(measure), width_(screenWidth) {}

  void wrap(std::string line, bool& italic, CueLettering& out) const;

 private:
  bool fits(const std::string& line, bool italic) const { return measure_(line, italic) <= width_; }

  const LineMeasure& measure_;
  int width_;
};

void Wrapper::wrap(std::string line, bool& italic, CueLettering& out) const {
  while (!fits(line, italic)) {
    size_t cut = std::string::npos;
    for (size_t p = line.find(' ', 1); p != std::string::npos && fits(line.substr(0, p), italic);
         p = line.find(' ', p + 1))
      cut = p;
    size_t restFrom = cut + 1;
    if (cut == std::string::npos) {
      // At least one glyph goes on each line, so that the wrapping always ends.
      cut = 1;
      while (cut < line.size() && insideTag(line, cut)) ++cut;
      for (size_t k = cut + 1; k < line.size() && fits(line.substr(0, k), italic); ++k)
        if (!insideTag(line, k)) cut = k;
      restFrom = cut;
      out.broken = true;
    } else {
      out.wrapped = true;
    }
    std::string piece = trimLine(line.substr(0, cut));
    line = trimLine(line.substr(restFrom));
    measure_(piece, italic);
    out.lines.push_back(std::move(piece));
    if (line.empty()) return;
  }
  measure_(line, italic);
  out.lines.push_back(std::move(line));
}
}  // namespace

CueLettering letterCue(const std::vector<std::u32string>& text, const LineMeasure& measure, int screenWidth) {
  const Wrapper wrapper(measure, screenWidth);
  CueLettering out;
  bool italic = false;  // each subtitle is drawn from upright letters
  for (const std::u32string& written : text) {
    const std::u32string line = drawableTags(written, out.removedTags);
    for (size_t start = 0; start <= line.size();) {
      const size_t bar = std::min(line.find(U'|', start), line.size());
      const SheetText part = toSheetCodes(trimLine(std::u32string_view(line).substr(start, bar - start)));
      for (char32_t c : part.missing)
        if (out.missing.find(c) == std::u32string::npos) out.missing += c;
      // Stand-ins of blanks may leave blanks at the ends.
      if (std::string codes = trimLine(part.codes); !codes.empty()) wrapper.wrap(std::move(codes), italic, out);
      start = bar + 1;
    }
  }
  return out;
}
