#include "ocr/ocr.h"

#include <algorithm>

#include "ocr/corrections.h"
#include "ocr/ocr_marks.h"
#include "ocr/segmentation.h"
#include "ocr/text_assembly.h"
#include "render/rle_decode.h"

namespace {
// Guide lines at the band edges with the absolute row number above the top edge and the
// band height above the bottom edge, left of the area.
void drawBandMarks(Plane<Rgb>& display, const LineBand& band, int x1, int y1, int W) {
  constexpr int kLabelLeft = 30;
  drawGuideLine(display, x1, x1 + W, y1 + band.lineTop - 1);
  drawNumber(display, x1 - kLabelLeft, y1 + band.lineTop - 8, y1 + band.lineTop);
  if (band.lineBottom == 0) return;
  drawGuideLine(display, x1, x1 + W, y1 + band.lineBottom);
  drawNumber(display, x1 - kLabelLeft, y1 + band.lineBottom - 28, band.lineBottom - band.lineTop);
}

// The area recognition reads: window record 0's size. Pixels past the plane read as
// background, so nothing is lost by limiting the width to it.
int areaWidth(const TSUPWin& area, const OcrMask& mask) { return std::min(int(area.x2) - int(area.x1), mask.width()); }
int areaHeight(const TSUPWin& area) { return int(area.y2) - int(area.y1); }

SegmentOptions segmentOptions(const OcrOptions& options, SkewRatio skew, int fontMode) {
  SegmentOptions segment;
  segment.spaceWidth = options.spaceWidth;
  segment.spaceWmin = options.spaceWmin;
  segment.skew = skew;
  segment.fontMode = fontMode;
  return segment;
}
}  // namespace

ReadingStored ocr(TSUP& s, uint8_t subFormat, WorkImages& images, RecognitionState& state,
                  const OcrOptions& options) {
  const TSUPWin area = recognitionArea(s, subFormat);
  const int W = areaWidth(area, images.ocrMask);

  auto& lines = state.ocrLines;
  const int k = findBands(images.ocrMask, W, areaHeight(area), lines);
  for (int r = 0; r < k; ++r) drawBandMarks(images.display, lines[size_t(r)].band, area.x1, area.y1, W);
  if (k == 0) return ReadingStored::nothing;

  const SegmentOptions segment = segmentOptions(options, state.skew, s.fontMode);
  SubtitleReading reading;
  bool italicMode = false;
  for (int r = 0; r < k; ++r) {
    OcrLine& line = lines[size_t(r)];
    readBandCells(images.ocrMask, W, line, segment, italicMode, reading.counters);
    reading.charCount += line.cellCount;
    if (options.markCells)
      for (int c = 1; c <= line.cellCount; ++c)
        drawCellBox(images.display, line.cells[size_t(c)], line.band.lineTop, state.skew, area.x1, area.y1);
  }
  reading.lineCount = k;
  reading.assembled = assembleText(lines, k, options.insertTags);
  return storeReading(s, std::move(reading), options.language);
}

ReadingStored storeReading(TSUP& s, SubtitleReading reading, int language) {
  s.textOk = reading.assembled.complete ? 1 : 0;
  if (s.fontMode == fmUnrecognised) {
    if (reading.counters.normalCells == 0) s.fontMode = fmItalic;
    if (reading.counters.italicCells == 0) s.fontMode = fmNormal;
    if (s.fontMode == fmUnrecognised) s.fontMode = fmAuto;
  }
  s.lineCount = reading.lineCount;
  s.charCount = reading.charCount;

  std::string& text = reading.assembled.text;
  if (text.empty()) return ReadingStored::record;
  correctText(text, language);
  if (s.locked == 0) s.text = text;
  return ReadingStored::recordAndText;
}

std::vector<LinePicture> linePictures(const TSUP& s, uint8_t subFormat, const WorkImages& images,
                                      RecognitionState& state, int lineHeight) {
  const TSUPWin area = recognitionArea(s, subFormat);
  const int W = areaWidth(area, images.ocrMask), H = areaHeight(area);
  const int k = findBands(images.ocrMask, W, H, state.ocrLines);
  std::vector<LineBand> bands;
  for (int r = 0; r < k; ++r) bands.push_back(state.ocrLines[size_t(r)].band);
  const std::vector<AreaCorner> corners = {{area.x1, area.y1}};
  LinePictureOptions options;
  options.lineHeight = lineHeight;
  options.skew = state.skew;
  return cutLinePictures(images.indexImage, corners, images.ocrMask, W, H, bands, options);
}
