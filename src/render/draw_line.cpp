#include "render/draw_line.h"

#include <algorithm>
#include <string_view>

namespace {
// The byte at a 1-based position; 0 (the terminating zero) past the end.
unsigned char byteAt(const std::string& s, int pos) {
  return pos >= 1 && pos <= int(s.size()) ? (unsigned char)s[size_t(pos - 1)] : 0;
}

bool tagAt(const std::string& s, int pos, std::string_view tag) {
  return pos >= 1 && size_t(pos - 1) + tag.size() <= s.size() && s.compare(size_t(pos - 1), tag.size(), tag) == 0;
}

// Walks a line glyph by glyph from column x, as measuring and drawing both place it, and
// hands every glyph that has ink to `ink` with its column and the end of the box drawn before.
// Returns the measured width (see measureLine).
template <typename Ink>
int walkLine(bool& italicOn, int spacing, const std::string& text, int x, int* widthOfBoxes, Ink ink) {
  int end = 0;
  const int length = int(text.size());
  // k counts the characters handled, t the tag characters skipped, q is the position read.
  int k = 1, t = 0, q = 1;
  int boxEnd = kNoBoxBefore;  // one column past the box of the glyph drawn last
  int boxesEnd = 0;           // one column past the box that reaches furthest right
  for (int step = 0; step < length && q <= length; ++step) {
    if (tagAt(text, k + t, "<i>")) {
      italicOn = true;
      t += 3;
    }
    if (tagAt(text, k + t, "</i>")) {
      italicOn = false;
      t += 4;
    }
    q = k + t;
    // A closing tag at the end makes this the terminating zero, which has no glyph.
    const unsigned char c = byteAt(text, q);
    const TGlyph& g = (italicOn ? glyphItalic : glyphNormal)[c];
    if (k - t > 1) x -= g.leftTrim;
    if (c != ' ' && g.width >= 1 && g.row >= 1) {
      ink(x, g, boxEnd);
      boxEnd = x + g.width + 1;
      boxesEnd = std::max(boxesEnd, boxEnd);
    }
    x += g.width;
    end = x;
    x += spacing - g.rightTrim;
    // Pairs that sit too far apart with the boxes alone.
    const unsigned char n = byteAt(text, q + 1);
    if ((c == 'K' || c == 'R') && (n & 0x20)) x -= 2;
    if (c == 'T' && (n & 0x20)) x -= 3;
    if (c == 'g' && n == 'j') x += 1;
    ++k;
  }
  if (widthOfBoxes) *widthOfBoxes = std::clamp(boxesEnd, 0, 0xFFFF);
  return std::clamp(end, 0, 0xFFFF);
}
}  // namespace

int measureLine(LetterSheetState& sheet, int spacing, const std::string& line, int* widthOfBoxes) {
  return walkLine(sheet.italicOn, spacing, line, 0, widthOfBoxes, [](int, const TGlyph&, int) {});
}

void DrawLine(const TextCanvas& canvas, const std::string& line, int lineNo, int sub) {
  const int spacing = canvas.options.spacing;
  // A line above the tenth has no baseline and a subtitle outside the list no area: such a
  // line is walked as if measured, so its tags still switch italicOn, and draws nothing.
  if (lineNo < 1 || lineNo > kMaxTextLines || sub < 0 || size_t(sub) >= canvas.subs.size()) {
    measureLine(canvas.sheet, spacing, line);
    return;
  }
  // The area's first column: the callers centre the measured width there, and the area may
  // reach further right than that width to take in the whole of the last glyph's box.
  const int x = canvas.subs[size_t(sub)].win[0].x1;
  const int baseline = canvas.sheet.lineBase[size_t(lineNo)];
  walkLine(canvas.sheet.italicOn, spacing, line, x, nullptr, [&](int gx, const TGlyph& g, int boxBefore) {
    DrawGlyph(canvas, gx, baseline, g, sub, boxBefore);
  });
}

void DrawGlyph(const TextCanvas& canvas, int x, int baseline, const TGlyph& g, int sub, int boxBefore) {
  const GreyImage& sheet = canvas.sheet.letterSheet;
  if (g.width < 1 || g.row < 1 || g.row > kGlyphRowCount) return;
  const GlyphRow& r = glyphRows[size_t(g.row)];
  // The loader refuses sheets too small for the tables; an empty one (none loaded) draws nothing.
  if (!sheet.contains(g.x, r.top) || !sheet.contains(g.x + g.width, r.bottom)) return;

  const RenderFlags& flags = canvas.flags;
  const LetteringOptions& options = canvas.options;
  const PaletteState& pal = canvas.palette;
  WorkImages& images = canvas.images;
  const bool exporting = flags.exportBD || flags.exportHD;
  const bool indexPass = (flags.savingBitmaps && options.savePng) || exporting;
  const bool bitmapInk = flags.savingBitmaps && options.saveBmp;
  const bool overlayInk = !flags.savingBitmaps && !exporting;
  // "OCR" makes saved pictures black and white; an exported stream keeps its colours.
  const bool blackAndWhite = flags.savingBitmaps && options.blackAndWhite;
  const int maxColor = std::clamp(options.maxColor, 0, 255);
  IndexImage& index = images.indexImage;

  int minY = kCanvasHeight - 1, maxY = 0;
  for (int sy = r.top; sy <= r.bottom; ++sy) {
    const int ty = baseline + sy - r.base;
    for (int sx = g.x; sx <= g.x + g.width; ++sx) {
      const int tx = x + sx - g.x;
      const uint8_t v = sheet.at(sx, sy);
      // The index pass copies the whole box, background included, except where the box
      // overlaps the glyph before: an italic f's hook reaches into the next letter's box, and
      // the background copied over it would cut it off the exported picture.
      if (indexPass && (v != kSheetBackground || tx >= boxBefore)) {
        uint8_t e = pal.sheetMap[v];
        if (blackAndWhite) e = pal.palRGB[e] >= pal.cutColor ? pal.idxBright : pal.idxDark;
        index.set(tx, ty, e);
      }
      if (v == kSheetBackground || tx < 0 || ty < 0 || tx >= kCanvasWidth || ty >= kCanvasHeight) continue;
      minY = std::min(minY, ty);
      maxY = std::max(maxY, ty);
      const uint8_t grey = uint8_t(v * maxColor / 255);
      if (bitmapInk) images.display.set(tx, ty, Rgb{grey, grey, grey});
      if (overlayInk) images.overlay.set(tx, ty, overlayPixel(grey * 0x010101u, pal.palAlpha[pal.sheetMap[v]]));
    }
  }
  if (exporting || sub < 0 || size_t(sub) >= canvas.subs.size()) return;
  TSUPWin& w = canvas.subs[size_t(sub)].win[0];
  if (minY < w.y1) w.y1 = uint16_t(minY);
  if (maxY > w.y2) w.y2 = uint16_t(maxY);
}

void centreTextColumns(int displayWidth, TSUPWin& w, int widest, int widestBoxes) {
  const int x1 = std::max(0, (displayWidth - widest) / 2);
  w.x1 = uint16_t(x1);
  w.x2 = uint16_t(std::min(displayWidth - 1, x1 + std::max(widest, widestBoxes)));
}

void centreTextBlock(LetterSheetState& sheet, int spacing, int displayWidth, TSUPWin& w,
                     const std::vector<std::string>& lines) {
  sheet.italicOn = false;
  int widest = 0, widestBoxes = 0;
  for (const std::string& line : lines) {
    int boxes = 0;
    widest = std::max(widest, measureLine(sheet, spacing, line, &boxes));
    widestBoxes = std::max(widestBoxes, boxes);
  }
  centreTextColumns(displayWidth, w, widest, widestBoxes);
}
