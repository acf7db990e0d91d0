#include "ocr/ocr.h"

#include <algorithm>

#include "app/app.h"
#include "ocr/corrections.h"
#include "ocr/ocr_marks.h"
#include "ocr/segmentation.h"
#include "ocr/text_assembly.h"
#include "text/text_lines.h"

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
}  // namespace

void ocr(App& app, int n) {
  if (n < 1 || n > int(app.subs.size())) return;
  app.curSub = n - 1;
  TSUP& s = app.subs[size_t(n - 1)];
  Controls& ui = app.ui;
  const TSUPWin& area = s.win[0];
  // Pixels past the plane read as background, so nothing is lost by limiting the width to it.
  const int W = std::min(int(area.x2) - int(area.x1), app.ocrMask.width());
  const int H = int(area.y2) - int(area.y1);

  auto& lines = app.ocrLines;
  const int k = findBands(app.ocrMask, W, H, lines);
  for (int r = 0; r < k; ++r) drawBandMarks(app, lines[size_t(r)].band, area.x1, area.y1, W);
  if (k == 0) return;

  SegmentOptions options;
  options.spaceWidth = ui.ieSpaceWidth.value();
  options.spaceWmin = ui.ieSpaceWmin.value();
  options.skew = app.skew;
  options.fontMode = s.fontMode;
  SegmentCounters counters;
  bool italicMode = false;
  int charCount = 0;
  for (int r = 0; r < k; ++r) {
    OcrLine& line = lines[size_t(r)];
    readBandCells(app.ocrMask, W, line, options, italicMode, counters);
    charCount += line.cellCount;
    if (ui.Image.visible)
      for (int c = 1; c <= line.cellCount; ++c)
        drawCellBox(app.display, line.cells[size_t(c)], line.band.lineTop, app.skew, area.x1, area.y1);
  }

  s.textOk = 1;
  if (s.fontMode == fmUnrecognised) {
    if (counters.normalCells == 0) s.fontMode = fmItalic;
    if (counters.italicCells == 0) s.fontMode = fmNormal;
    if (s.fontMode == fmUnrecognised) s.fontMode = fmAuto;
  }
  // The selector and the font choice follow without a redraw: the picture shown is the one
  // just recognised.
  ui.ieSubs.text = std::to_string(n);
  ui.udSubs.position = n;
  ui.rgFont.itemIndex = s.fontMode;
  s.lineCount = k;
  s.charCount = charCount;

  AssembledText assembled = assembleText(lines, k, ui.cbTags.checked);
  if (!assembled.complete) s.textOk = 0;
  if (assembled.text.empty()) return;
  correctText(assembled.text, ui.coLang.itemIndex);
  if (s.locked == 0) s.text = assembled.text;
  TxtToLines(app, s.text);
}
