#include "render/draw_line.h"

#include <algorithm>
#include <string_view>

#include "app/app.h"

namespace {
// The byte at a 1-based position; 0 (the terminating zero) past the end.
unsigned char byteAt(const std::string& s, int pos) {
  return pos >= 1 && pos <= int(s.size()) ? (unsigned char)s[size_t(pos - 1)] : 0;
}

bool tagAt(const std::string& s, int pos, std::string_view tag) {
  return pos >= 1 && size_t(pos - 1) + tag.size() <= s.size() && s.compare(size_t(pos - 1), tag.size(), tag) == 0;
}
}  // namespace

int DrawLine(App& app, const std::string& text, int lineNo, int sub, bool measureOnly, int* widthOfBoxes) {
  // A line above the tenth has no baseline and a subtitle outside the list no area: such a
  // line is walked as if measured, so its tags still switch italicOn, and draws nothing.
  const bool draw = !measureOnly && lineNo >= 1 && lineNo <= kMaxTextLines && sub >= 0 &&
                    size_t(sub) < app.subs.size();
  int x = 0, end = 0, baseline = 0;
  if (draw) {
    const TSUPWin& w = app.subs[size_t(sub)].win[0];
    // The area's first column: the callers centre the measured width there, and the area may
    // reach further right than that width to take in the whole of the last glyph's box.
    x = w.x1;
    baseline = app.lineBase[size_t(lineNo)];
  }
  const int spacing = app.ui.ieSpacing.value();
  const int length = int(text.size());
  // k counts the characters handled, t the tag characters skipped, q is the position read.
  int k = 1, t = 0, q = 1;
  int boxEnd = kNoBoxBefore;  // one column past the box of the glyph drawn last
  int boxesEnd = 0;           // one column past the box that reaches furthest right
  for (int step = 0; step < length && q <= length; ++step) {
    if (tagAt(text, k + t, "<i>")) {
      app.italicOn = true;
      t += 3;
    }
    if (tagAt(text, k + t, "</i>")) {
      app.italicOn = false;
      t += 4;
    }
    q = k + t;
    // A closing tag at the end makes this the terminating zero, which has no glyph.
    const unsigned char c = byteAt(text, q);
    const TGlyph& g = (app.italicOn ? glyphItalic : glyphNormal)[c];
    if (k - t > 1) x -= g.leftTrim;
    if (c != ' ' && g.width >= 1 && g.row >= 1) {
      if (draw) DrawGlyph(app, x, baseline, g, sub, boxEnd);
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

void DrawGlyph(App& app, int x, int baseline, const TGlyph& g, int sub, int boxBefore) {
  const GreyImage& sheet = app.letterSheet;
  if (g.width < 1 || g.row < 1 || g.row > kGlyphRowCount) return;
  const GlyphRow& r = glyphRows[size_t(g.row)];
  // The loader refuses sheets too small for the tables; an empty one (none loaded) draws nothing.
  if (!sheet.contains(g.x, r.top) || !sheet.contains(g.x + g.width, r.bottom)) return;

  const Controls& ui = app.ui;
  const bool indexPass = (app.savingBitmaps && ui.cbPNG.checked) || app.exportBD || app.exportHD;
  const bool bitmapInk = app.savingBitmaps && ui.cbBMP.checked;
  const bool overlayInk = !app.savingBitmaps;
  const bool blackAndWhite = ui.cbOCR.checked;
  const int maxColor = std::clamp(ui.ieMaxColor.value(), 0, 255);
  IndexImage& index = app.indexImage;

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
        uint8_t e = app.sheetMap[v];
        if (blackAndWhite) e = app.palRGB[e] >= app.cutColor ? app.idxBright : app.idxDark;
        index.set(tx, ty, e);
      }
      if (v == kSheetBackground || tx < 0 || ty < 0 || tx >= kCanvasWidth || ty >= kCanvasHeight) continue;
      minY = std::min(minY, ty);
      maxY = std::max(maxY, ty);
      const uint8_t grey = uint8_t(v * maxColor / 255);
      if (bitmapInk) app.display.set(tx, ty, Rgb{grey, grey, grey});
      if (overlayInk) app.overlay.set(tx, ty, overlayPixel(grey * 0x010101u, app.palAlpha[app.sheetMap[v]]));
    }
  }
  if (app.exportBD || app.exportHD || sub < 0 || size_t(sub) >= app.subs.size()) return;
  TSUPWin& w = app.subs[size_t(sub)].win[0];
  if (minY < w.y1) w.y1 = uint16_t(minY);
  if (maxY > w.y2) w.y2 = uint16_t(maxY);
}

void centreTextColumns(const App& app, TSUPWin& w, int widest, int widestBoxes) {
  const int x1 = std::max(0, (app.displayWidth - widest) / 2);
  w.x1 = uint16_t(x1);
  w.x2 = uint16_t(std::min(app.displayWidth - 1, x1 + std::max(widest, widestBoxes)));
}

void centreTextBlock(App& app, TSUPWin& w, const std::vector<std::string>& lines) {
  app.italicOn = false;
  int widest = 0, widestBoxes = 0;
  for (const std::string& line : lines) {
    int boxes = 0;
    widest = std::max(widest, DrawLine(app, line, 0, 0, true, &boxes));
    widestBoxes = std::max(widestBoxes, boxes);
  }
  centreTextColumns(app, w, widest, widestBoxes);
}
