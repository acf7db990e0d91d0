#include "ocr/segmentation.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "ocr/glyph_classifier.h"
#include "text/cp1252.h"

namespace {
constexpr bool kInk = true;
constexpr bool kBackground = false;
// Italic lettering leans right, so a de-skewed column may lie this far past the area.
constexpr int kSkewMargin = 15;
// A band ends at a background row only when it is taller than this, so a line of dashes just
// above the text joins the text's band.
constexpr int kMinBandHeight = 15;

// Column and row scans over the rows of one band. The marks they return are the found
// column plus one.
class BandScanner {
 public:
  BandScanner(const OcrMask& mask, int W, const LineBand& band, SkewRatio skew)
      : mask_(mask), W_(W), top_(band.lineTop), bottom_(band.lineBottom), skew_(skew) {}

  bool columnInked(int c) const {
    for (int y = top_; y <= bottom_; ++y)
      if (mask_.at(c, y)) return true;
    return false;
  }
  // The de-skewed column; a pixel whose shifted column is 0 or less counts as background.
  bool skewedColumnInked(int c) const {
    for (int y = top_; y <= bottom_; ++y) {
      const int col = c - skew_.shift(y, top_);
      if (col > 0 && mask_.at(col, y)) return true;
    }
    return false;
  }
  int scanColumns(int from, bool want) const { return scan(from, want, W_ - 1, false); }
  int scanColumnsSkewed(int from, bool want) const { return scan(from, want, W_ - 1 + kSkewMargin, true); }

  // top and bottom of the cell: the first and last band row with ink between left and right.
  void rowScan(GlyphCell& cell, bool italic) const {
    cell.top = cell.bottom = 0;
    for (int y = top_; y <= bottom_; ++y)
      if (rowInked(cell, y, italic)) {
        cell.top = y;
        break;
      }
    for (int y = bottom_; y >= top_; --y)
      if (rowInked(cell, y, italic)) {
        cell.bottom = y;
        break;
      }
  }

 private:
  int scan(int from, bool want, int lastColumn, bool skewed) const {
    int c = from;
    for (;;) {
      if ((skewed ? skewedColumnInked(c) : columnInked(c)) == want) return c + 1;
      if (c + 1 > lastColumn) break;
      ++c;
    }
    return want == kInk ? -1 : c + 1;
  }
  bool rowInked(const GlyphCell& cell, int y, bool italic) const {
    const int shift = italic ? skew_.shift(y, top_) : 0;
    for (int x = cell.left; x <= cell.right; ++x)
      if (mask_.at(x - shift, y)) return true;
    return false;
  }

  const OcrMask& mask_;
  int W_, top_, bottom_;
  SkewRatio skew_;
};

bool rowInked(const OcrMask& mask, int y, int W) {
  if (y < 0 || y >= mask.height() || W <= 0) return false;
  const uint8_t* row = mask.row(y);
  return std::memchr(row, 1, size_t(std::min(W, mask.width()))) != nullptr;
}
}  // namespace

int findBands(const OcrMask& mask, int W, int H, std::array<OcrLine, kMaxBands>& lines) {
  int k = 0;
  bool inBand = false;
  // Rows past the plane are background: a band open at its last row closes within
  // kMinBandHeight + 1 further rows, so the walk need not go further than that.
  const int lastRow = std::min(H + 9, mask.height() + kMinBandHeight + 1);
  for (int J = 0; J <= lastRow; ++J) {
    const bool inked = rowInked(mask, J, W);
    if (inked && !inBand) {
      inBand = true;
      if (k == kMaxBands) break;  // the working records are full: later bands are dropped
      lines[size_t(k)] = OcrLine{};
      lines[size_t(k)].band.lineTop = J;
      ++k;
    } else if (!inked && inBand) {
      LineBand& band = lines[size_t(k - 1)].band;
      if (J - band.lineTop > kMinBandHeight) {
        band.lineBottom = J;
        inBand = false;
      }
    }
  }
  return k;
}

bool touchingPairTakesSpace(uint16_t previous, uint16_t current, bool italicMode) {
  const char pair[2] = {char(unicodeToCp1252(previous)), char(unicodeToCp1252(current))};
  const std::string_view text(pair, 2);
  if (!italicMode && text[1] == 'j') return true;
  for (std::string_view p : {"cj", "fj", "tj", "yj", "fA", "fw"})
    if (text == p) return true;
  return italicMode && text == "tw";
}

void readBandCells(const OcrMask& mask, int W, OcrLine& line, const SegmentOptions& o, bool& italicMode,
                   SegmentCounters& counters) {
  const LineBand& band = line.band;
  const BandScanner sc(mask, W, band, o.skew);
  const bool automatic = o.fontMode == 1 || o.fontMode == 4;
  auto& cells = line.cells;
  int& n = line.cellCount;
  n = 0;
  int pos = 0;
  int nextI = sc.scanColumnsSkewed(0, kInk);
  int nextN = sc.scanColumns(0, kInk);
  int endI = 0, endN = 0;
  int wordStart = 0;
  bool first = true, triedItalic = false, triedNormal = false;

  // One pass appends at most four cells (a space, the glyph, a space in front of a touching
  // letter, a second letter). A band that cannot take four more ends there: the rest of a
  // line this long is dropped, like bands beyond the working records.
  constexpr int kCellsPerPass = 4;
  while (pos < W - 1 + (italicMode ? kSkewMargin : 0) && nextI > 0 && nextN > 0 && n + kCellsPerPass <= kMaxCells) {
    const bool gap = first || (n > 0 && pos - cells[size_t(n)].right >= o.spaceWidth);
    if (gap) {
      wordStart = n;
      triedItalic = triedNormal = false;
      first = false;
      if (n > 0) {
        // The other reading's mark restarts from the middle of the gap.
        if (italicMode) nextN = sc.scanColumns((pos - endI) / 2 + endI, kInk);
        else nextI = sc.scanColumnsSkewed((pos - endN) / 2 + endN, kInk);
        const int previousRight = cells[size_t(n)].right;
        cells[size_t(++n)] = GlyphCell{previousRight + 6, pos - 6, band.lineTop + 6, band.lineBottom - 6,
                                       italicMode ? kItalic : kUpright, ' '};
        wordStart = n;
      }
    }

    int c = ++n;
    cells[size_t(c)] = GlyphCell{};
    if (!italicMode || gap) endN = sc.scanColumns(nextN, kBackground);
    if (italicMode || gap) endI = sc.scanColumnsSkewed(nextI, kBackground);
    if (!automatic) italicMode = o.fontMode == 2;
    else if (gap && endI - nextI != endN - nextN) italicMode = endI - nextI < endN - nextN;  // narrower wins

    GlyphCell& cell = cells[size_t(c)];
    if (italicMode) {
      cell.left = nextI - 1;
      cell.right = endI - 2;
      cell.italic = kItalic;
      ++counters.italicCells;
      sc.rowScan(cell, true);
      nextI = sc.scanColumnsSkewed(endI, kInk);
      pos = nextI;
    } else {
      cell.left = nextN - 1;
      cell.right = endN - 2;
      cell.italic = kUpright;
      ++counters.normalCells;
      sc.rowScan(cell, false);
      nextN = sc.scanColumns(endN, kInk);
      pos = nextN;
    }

    const GlyphClass g = classifyGlyph(mask, band, cell, o.skew);
    cell.ch = g.ch;

    if (c > 1 && touchingPairTakesSpace(cells[size_t(c - 1)].ch, cell.ch, italicMode) &&
        cell.left - cells[size_t(c - 1)].right > o.spaceWmin) {
      cells[size_t(c + 1)] = cell;
      GlyphCell& space = cells[size_t(c)];
      space.ch = ' ';
      space.left = cells[size_t(c - 1)].right + 4;
      space.right = cells[size_t(c + 1)].left - 4;
      space.top += 6;
      space.bottom -= 6;
      ++n;
      wordStart = c + 1;
      c = c + 1;
    }
    if (g.pairSecond) {
      cells[size_t(n + 1)] = cells[size_t(c)];
      cells[size_t(++n)].ch = g.pairSecond;
      c = n;
    }

    // An unknown glyph: read the word again in the other style, once each way.
    if (automatic && !(triedItalic && triedNormal) && cells[size_t(c)].ch == 0) {
      n = wordStart;
      if (italicMode) {
        triedNormal = true;
        nextN = sc.scanColumns(wordStart == 0 ? 2 : cells[size_t(wordStart)].right + 2, kInk);
        pos = nextN;
        if (nextI < 0) nextI = nextN;
      } else {
        triedItalic = true;
        nextI = sc.scanColumnsSkewed(cells[size_t(wordStart + 1)].left - o.spaceWidth / 2, kInk);
        pos = nextI;
        if (nextN < 0) nextN = nextI;
      }
      italicMode = !italicMode;
    }
  }
}
