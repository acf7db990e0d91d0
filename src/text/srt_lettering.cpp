#include "text/srt_lettering.h"

#include <algorithm>
#include <string_view>

#include "app/app.h"
#include "render/draw_line.h"
#include "text/sheet_text.h"
#include "text/srt_tags.h"
#include "text/text_file_lines.h"
#include "text/text_lines.h"

namespace {
// Width of a line drawn after `italic` lines (the italic state carries from line to line),
// to the last column of its widest glyph box; `italic` becomes the state after it.
int lineWidth(App& app, const std::string& line, bool& italic) {
  app.italicOn = italic;
  int boxes = 0;
  const int width = DrawLine(app, line, 0, 0, true, &boxes);
  italic = app.italicOn;
  return std::max(width, boxes);
}

bool fits(App& app, const std::string& line, bool italic) { return lineWidth(app, line, italic) <= app.displayWidth; }

// Whether a cut before `pos` would split an italic tag.
bool insideTag(const std::string& s, size_t pos) {
  for (const std::string_view tag : {std::string_view("<i>"), std::string_view("</i>")})
    for (size_t j = pos >= tag.size() ? pos - tag.size() + 1 : 0; j < pos; ++j)
      if (s.compare(j, tag.size(), tag) == 0) return true;
  return false;
}

// Lines of at most the display's width: greedily at the last space that fits, or inside the
// first word when even that is too wide.
void wrap(App& app, std::string line, bool& italic, CueLettering& out) {
  while (!fits(app, line, italic)) {
    size_t cut = std::string::npos;
    for (size_t p = line.find(' ', 1); p != std::string::npos && fits(app, line.substr(0, p), italic);
         p = line.find(' ', p + 1))
      cut = p;
    size_t restFrom = cut + 1;
    if (cut == std::string::npos) {
      // At least one glyph goes on each line, so that the wrapping always ends.
      cut = 1;
      while (cut < line.size() && insideTag(line, cut)) ++cut;
      for (size_t k = cut + 1; k < line.size() && fits(app, line.substr(0, k), italic); ++k)
        if (!insideTag(line, k)) cut = k;
      restFrom = cut;
      out.broken = true;
    } else {
      out.wrapped = true;
    }
    std::string piece = trimLine(line.substr(0, cut));
    line = trimLine(line.substr(restFrom));
    lineWidth(app, piece, italic);
    out.lines.push_back(std::move(piece));
    if (line.empty()) return;
  }
  lineWidth(app, line, italic);
  out.lines.push_back(std::move(line));
}
}  // namespace

CueLettering letterCue(App& app, const std::vector<std::u32string>& text) {
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
      if (std::string codes = trimLine(part.codes); !codes.empty()) wrap(app, std::move(codes), italic, out);
      start = bar + 1;
    }
  }
  return out;
}

void placeTextArea(App& app, TSUP& s) {
  TSUPWin& w = s.win[0];
  centreTextBlock(app, w, splitLines(s.text));
  // A cue of more than ten lines has baselines for its last ten only: the lines above are
  // not drawn, and the area starts above the tenth.
  const int top = std::min(s.lineCount, kMaxTextLines);
  // Glyph rows 6 to 10 do not exist; their ascent would be 0 and put the top line's letters
  // above the area, so those blocks reach up by the tallest ascent of the sheet.
  const int ascent = top <= kGlyphRowCount ? glyphRows[size_t(top)].base - glyphRows[size_t(top)].top : kGlyphAscent;
  // With a negative line spacing the lines run downwards; the area still spans them all.
  int highest = app.lineBase[1], lowest = app.lineBase[1];
  for (int k = 2; k <= top; ++k) {
    highest = std::min<int>(highest, app.lineBase[size_t(k)]);
    lowest = std::max<int>(lowest, app.lineBase[size_t(k)]);
  }
  w.y1 = uint16_t(std::max(0, highest - ascent));
  w.y2 = uint16_t(lowest + glyphRows[1].bottom - glyphRows[1].base);
}
