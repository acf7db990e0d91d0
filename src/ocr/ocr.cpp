#include "ocr/ocr.h"

#include <algorithm>

#include "app/app.h"
#include "ocr/corrections.h"
#include "ocr/ocr_marks.h"
#include "ocr/segmentation.h"
#include "ocr/text_assembly.h"
#include "render/rle_decode.h"
#include "app/text_lines.h"

namespace {
// Guide lines at the band edges with the absolute row number above the top edge and the
// band height above the bottom edge, left of the area.
void drawBandMarks(App& app, const LineBand& band, int x1, int y1, int W) {
  constexpr int kLabelLeft = 30;
  drawGuideLine(app.display, x1, x1 + W, y1 + band.lineTop - 1);
  drawNumber(app.display, x1 - kLabelLeft, y1 + band.lineTop - 8, y1 + band.lineTop);
  if (band.lineBottom == 0) return;
  drawGuideLine(app.display, x1, x1 + W, y1 + band.lineBottom);
  drawNumber(app.display, x1 - kLabelLeft, y1 + band.lineBottom - 28, band.lineBottom - band.lineTop);
}

// The area recognition reads: window record 0's size. Pixels past the plane read as
// background, so nothing is lost by limiting the width to it.
int areaWidth(const TSUPWin& area, const OcrMask& mask) { return std::min(int(area.x2) - int(area.x1), mask.width()); }
int areaHeight(const TSUPWin& area) { return int(area.y2) - int(area.y1); }

SegmentOptions segmentOptions(const App& app, int fontMode) {
  SegmentOptions options;
  options.spaceWidth = app.ui.ieSpaceWidth.value();
  options.spaceWmin = app.ui.ieSpaceWmin.value();
  options.skew = app.skew;
  options.fontMode = fontMode;
  return options;
}
}  // namespace

bool ocr(App& app, int n) {
  if (n < 1 || n > int(app.subs.size())) return false;
  app.curSub = n - 1;
  TSUP& s = app.subs[size_t(n - 1)];
  const TSUPWin area = recognitionArea(s, app.subFormat);
  const int W = areaWidth(area, app.ocrMask);

  auto& lines = app.ocrLines;
  const int k = findBands(app.ocrMask, W, areaHeight(area), lines);
  for (int r = 0; r < k; ++r) drawBandMarks(app, lines[size_t(r)].band, area.x1, area.y1, W);
  if (k == 0) return false;

  const SegmentOptions options = segmentOptions(app, s.fontMode);
  SubtitleReading reading;
  bool italicMode = false;
  for (int r = 0; r < k; ++r) {
    OcrLine& line = lines[size_t(r)];
    readBandCells(app.ocrMask, W, line, options, italicMode, reading.counters);
    reading.charCount += line.cellCount;
    if (app.ui.Image.visible)
      for (int c = 1; c <= line.cellCount; ++c)
        drawCellBox(app.display, line.cells[size_t(c)], line.band.lineTop, app.skew, area.x1, area.y1);
  }
  reading.lineCount = k;
  reading.assembled = assembleText(lines, k, app.ui.cbTags.checked);
  storeReading(app, n, std::move(reading));
  return true;
}

void storeReading(App& app, int n, SubtitleReading reading) {
  TSUP& s = app.subs[size_t(n - 1)];
  Controls& ui = app.ui;
  s.textOk = reading.assembled.complete ? 1 : 0;
  if (s.fontMode == fmUnrecognised) {
    if (reading.counters.normalCells == 0) s.fontMode = fmItalic;
    if (reading.counters.italicCells == 0) s.fontMode = fmNormal;
    if (s.fontMode == fmUnrecognised) s.fontMode = fmAuto;
  }
  // The selector and the font choice follow without a redraw: the picture shown is the one
  // just recognised.
  ui.ieSubs.text = std::to_string(n);
  ui.udSubs.position = n;
  ui.rgFont.itemIndex = s.fontMode;
  s.lineCount = reading.lineCount;
  s.charCount = reading.charCount;

  std::string& text = reading.assembled.text;
  if (text.empty()) return;
  correctText(text, ui.coLang.itemIndex);
  if (s.locked == 0) s.text = text;
  TxtToLines(app, s.text);
}

std::vector<LinePicture> linePictures(App& app, int n, int lineHeight) {
  if (n < 1 || n > int(app.subs.size())) return {};
  const TSUP& s = app.subs[size_t(n - 1)];
  const TSUPWin area = recognitionArea(s, app.subFormat);
  const int W = areaWidth(area, app.ocrMask), H = areaHeight(area);
  const int k = findBands(app.ocrMask, W, H, app.ocrLines);
  std::vector<LineBand> bands;
  for (int r = 0; r < k; ++r) bands.push_back(app.ocrLines[size_t(r)].band);
  const std::vector<AreaCorner> corners = {{area.x1, area.y1}};
  LinePictureOptions options;
  options.lineHeight = lineHeight;
  options.skew = app.skew;
  return cutLinePictures(app.indexImage, corners, app.ocrMask, W, H, bands, options);
}
