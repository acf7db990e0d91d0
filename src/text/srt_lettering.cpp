#include "text/srt_lettering.h"

#include <algorithm>
#include <string_view>

#include "text/sheet_text.h"
#include "text/srt_tags.h"
#include "text/text_file_lines.h"

namespace {
// Whether a cut before `pos` would split an italic tag.
bool insideTag(std::string_view s, size_t pos) {
  for (const std::string_view tag : {std::string_view("<i>"), std::string_view("</i>")})
    for (size_t j = pos >= tag.size() ? pos - tag.size() + 1 : 0; j < pos; ++j)
      if (s.compare(j, tag.size(), tag) == 0) return true;
  return false;
}

// Lines of at most the display's width: greedily at the last space that fits, or inside the
// first word when even that is too wide. A longer prefix never takes less room, so no prefix
// longer than the first one found too wide is measured: a line of any length wraps in time
// linear in it.
class Wrapper {
 public:
  Wrapper(const LineMeasure& measure, int screenWidth) : measure_(measure), width_(screenWidth) {}

  void wrap(std::string_view line, bool& italic, CueLettering& out) const {
    while (!line.empty()) {
      const size_t over = tooLong(line, italic);
      if (over == std::string_view::npos) break;
      const std::string_view head = line.substr(0, over);
      size_t cut = std::string_view::npos;
      for (size_t p = head.find(' ', 1); p != std::string_view::npos && fits(head.substr(0, p), italic);
           p = head.find(' ', p + 1))
        cut = p;
      size_t restFrom = cut + 1;
      if (cut == std::string_view::npos) {
        // At least one glyph goes on each line, so that the wrapping always ends.
        cut = 1;
        while (cut < head.size() && insideTag(line, cut)) ++cut;
        for (size_t k = cut + 1; k < head.size() && fits(head.substr(0, k), italic); ++k)
          if (!insideTag(line, k)) cut = k;
        restFrom = cut;
        out.broken = true;
      } else {
        out.wrapped = true;
      }
      add(trimLine(line.substr(0, cut)), italic, out);
      line = line.substr(std::min(restFrom, line.size()));
      while (!line.empty() && (unsigned char)line.front() <= ' ') line.remove_prefix(1);
    }
    if (!line.empty()) add(std::string(line), italic, out);
  }

 private:
  bool fits(std::string_view line, bool italic) const { return measure_(std::string(line), italic) <= width_; }

  // The length of a prefix too wide for the screen, found by doubling; npos when the whole
  // line fits.
  size_t tooLong(std::string_view line, bool italic) const {
    for (size_t n = kFirstProbe;; n *= 2) {
      if (n >= line.size()) return fits(line, italic) ? std::string_view::npos : line.size();
      if (!fits(line.substr(0, n), italic)) return n;
    }
  }

  void add(std::string piece, bool& italic, CueLettering& out) const {
    measure_(piece, italic);
    out.lines.push_back(std::move(piece));
  }

  // About as many characters as a full screen line holds.
  static constexpr size_t kFirstProbe = 128;
  const LineMeasure& measure_;
  int width_;
};
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
      for (char32_t c : part.missing) addMissing(out.missing, c);
      // Stand-ins of blanks may leave blanks at the ends.
      if (const std::string codes = trimLine(part.codes); !codes.empty()) wrapper.wrap(codes, italic, out);
      start = bar + 1;
    }
  }
  return out;
}
