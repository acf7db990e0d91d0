#include "ocr/line_pictures.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {
// Rows above and below a band that the faint edge of anti-aliased lettering may still tint:
// the recognition mask takes only the bright pixels, the picture takes every one.
constexpr int kPad = 2;
// Ink this weak is that faint edge, or a near-black outline: it neither widens the line's
// picture nor darkens it.
constexpr int kMinInk = 24;
// A band far taller or shorter than the height the engine reads is no line of text;
// its picture keeps a size in proportion to the band.
constexpr double kMinScale = 0.125, kMaxScale = 8.0;

using InkTable = std::array<uint8_t, 256>;

InkTable inkTable(const IndexImage& picture) {
  InkTable ink{};
  for (size_t i = 0; i < ink.size(); ++i) {
    const PackedColor c = picture.palette[i];
    const unsigned luma = ((c & 0xFF) * 299 + (c >> 8 & 0xFF) * 587 + (c >> 16 & 0xFF) * 114) / 1000;
    ink[i] = uint8_t(luma * picture.transparency[i] / 255);
  }
  return ink;
}

// The ink of rows y0 .. y1 - 1 and columns 0 .. W - 1, relative to every area's corner, the
// strongest where areas overlap (as the mask takes any area's bright pixel).
std::vector<uint8_t> inkRows(const IndexImage& picture, const InkTable& ink, std::span<const AreaCorner> corners,
                             int W, int y0, int y1) {
  std::vector<uint8_t> out(size_t(W) * size_t(y1 - y0), 0);
  for (const AreaCorner& corner : corners) {
    const int xa = std::max(0, -corner.x), xb = std::min(W, picture.width() - corner.x);
    for (int y = y0; y < y1; ++y) {
      const int ay = corner.y + y;
      if (ay < 0 || ay >= picture.height() || xa >= xb) continue;
      const uint8_t* src = picture.row(ay) + corner.x;
      uint8_t* dst = &out[size_t(y - y0) * size_t(W)];
      for (int x = xa; x < xb; ++x) dst[x] = std::max(dst[x], ink[src[x]]);
    }
  }
  return out;
}

// The first row of the lower half of the background rows between two bands.
int middleOfGap(const LineBand& upper, const LineBand& lower) {
  return upper.lineBottom + (lower.lineTop - upper.lineBottom) / 2;
}

// One output sample of a resampling: the first source sample it reads and the weights of
// that one and the ones after it.
struct Taps {
  int first = 0;
  std::vector<float> weights;
};

// n source samples to m, with a tent filter as wide as the wider of the two pitches: linear
// interpolation when enlarging, an average over the covered samples when reducing.
std::vector<Taps> resampleTaps(int n, int m) {
  const double scale = double(m) / double(n);
  const double support = std::max(1.0, 1.0 / scale);
  std::vector<Taps> taps(static_cast<size_t>(m));
  for (int j = 0; j < m; ++j) {
    const double centre = (j + 0.5) / scale - 0.5;
    const int lo = std::max(0, int(std::ceil(centre - support)));
    const int hi = std::min(n - 1, int(std::floor(centre + support)));
    Taps& t = taps[size_t(j)];
    t.first = lo;
    float sum = 0;
    for (int i = lo; i <= hi; ++i) {
      const float w = float(std::max(0.0, 1.0 - std::abs(i - centre) / support));
      t.weights.push_back(w);
      sum += w;
    }
    if (sum > 0)
      for (float& w : t.weights) w /= sum;
  }
  return taps;
}

// The w x h ink picture resampled to ow x oh.
std::vector<float> resample(const std::vector<uint8_t>& src, int w, int h, int ow, int oh) {
  const std::vector<Taps> across = resampleTaps(w, ow), down = resampleTaps(h, oh);
  std::vector<float> rows(size_t(ow) * size_t(h));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < ow; ++x) {
      const Taps& t = across[size_t(x)];
      const uint8_t* in = &src[size_t(y) * size_t(w) + size_t(t.first)];
      float v = 0;
      for (size_t k = 0; k < t.weights.size(); ++k) v += t.weights[k] * in[k];
      rows[size_t(y) * size_t(ow) + size_t(x)] = v;
    }
  std::vector<float> out(size_t(ow) * size_t(oh));
  for (int y = 0; y < oh; ++y) {
    const Taps& t = down[size_t(y)];
    float* dst = &out[size_t(y) * size_t(ow)];
    for (size_t k = 0; k < t.weights.size(); ++k) {
      const float wk = t.weights[k];
      const float* row = &rows[(size_t(t.first) + k) * size_t(ow)];
      for (int x = 0; x < ow; ++x) dst[x] += wk * row[x];
    }
  }
  return out;
}

// A word of an upright line is italic when its slanted reading has this share of the columns
// of its upright reading or less, and a word of an italic line upright when it has this share
// or more. Measured on the program's own lettering and a film's: whole lines fall clearly on
// either side of 1 (italic 0.83 to 0.93, upright 1.09 to 1.28), but short words of one style
// reach 0.98 or 1.05 and single letters much further, so a word leaves its line's style only
// on clear evidence, and one with fewer inked columns than the band is tall never does.
constexpr double kItalicWord = 0.95, kUprightWord = 1.05;

struct SlantCount {
  int upright = 0;
  int slanted = 0;
};

// The inked band columns from a to b, upright, and slanted as far as their slant reaches.
SlantCount slantCount(const LinePicture& line, int a, int b) {
  SlantCount n;
  for (int x = a; x <= b && size_t(x) < line.uprightInk.size(); ++x) n.upright += line.uprightInk[size_t(x)];
  for (int x = a; x <= b + line.slantReach && size_t(x) < line.slantedInk.size(); ++x)
    n.slanted += line.slantedInk[size_t(x)];
  return n;
}

// Which band columns hold recognition ink, read upright and read slanted.
void slantProfiles(LinePicture& line, const OcrMask& mask, int W, const LineBand& band, int bottom, SkewRatio skew) {
  line.bandHeight = bottom - band.lineTop;
  line.slantReach = std::max(0, skew.shift(bottom - 1, band.lineTop));
  line.uprightInk.assign(size_t(W), 0);
  line.slantedInk.assign(size_t(W + line.slantReach), 0);
  for (int y = std::max(band.lineTop, 0); y < std::min(bottom, mask.height()); ++y) {
    const int shift = std::clamp(skew.shift(y, band.lineTop), 0, line.slantReach);
    for (int x = 0; x < W; ++x)
      if (mask.at(x, y)) line.uprightInk[size_t(x)] = line.slantedInk[size_t(x + shift)] = 1;
  }
}
}  // namespace

std::vector<LinePicture> cutLinePictures(const IndexImage& picture, std::span<const AreaCorner> corners,
                                         const OcrMask& mask, int W, int H, std::span<const LineBand> bands,
                                         const LinePictureOptions& options) {
  std::vector<LinePicture> out(bands.size());
  W = std::min(W, mask.width());
  if (W <= 0 || options.lineHeight <= 0) return out;
  const InkTable ink = inkTable(picture);
  // A band still open at the end of the walk runs to the last row the mask can hold.
  const int lastRow = std::min(H + 10, mask.height());
  for (size_t r = 0; r < bands.size(); ++r) {
    const LineBand& band = bands[r];
    const int bottom = std::min(band.lineBottom > 0 ? band.lineBottom : lastRow, lastRow);
    // Neighbouring bands split the rows between them.
    const int y0 = std::max({band.lineTop - kPad, r > 0 ? middleOfGap(bands[r - 1], band) : 0, 0});
    const int y1 = std::min({bottom + kPad, r + 1 < bands.size() ? middleOfGap(band, bands[r + 1]) : lastRow, lastRow});
    if (y1 <= y0 || bottom <= band.lineTop) continue;
    const int rows = y1 - y0;
    const std::vector<uint8_t> inkPicture = inkRows(picture, ink, corners, W, y0, y1);

    int x0 = W, x1 = -1, strongest = 0;
    for (int y = 0; y < rows; ++y)
      for (int x = 0; x < W; ++x) {
        const int v = inkPicture[size_t(y) * size_t(W) + size_t(x)];
        if (v < kMinInk) continue;
        x0 = std::min(x0, x);
        x1 = std::max(x1, x);
        strongest = std::max(strongest, v);
      }
    if (x1 < x0 || strongest == kMinInk) continue;
    const int cropW = x1 - x0 + 1;
    std::vector<uint8_t> crop(size_t(cropW) * size_t(rows));
    for (int y = 0; y < rows; ++y)
      std::copy_n(&inkPicture[size_t(y) * size_t(W) + size_t(x0)], cropW, &crop[size_t(y) * size_t(cropW)]);

    const double scale = std::clamp(double(options.lineHeight) / double(bottom - band.lineTop), kMinScale, kMaxScale);
    const int ow = std::max(1, int(std::lround(cropW * scale))), oh = std::max(1, int(std::lround(rows * scale)));
    const std::vector<float> scaled = resample(crop, cropW, rows, ow, oh);

    LinePicture& line = out[r];
    line.margin = std::max(4, options.lineHeight / 4);
    line.width = ow + 2 * line.margin;
    line.height = oh + 2 * line.margin;
    line.firstColumn = x0;
    line.scale = scale;
    line.grey.assign(size_t(line.width) * size_t(line.height), 255);
    // Ink from the faint edge up to the strongest of the line becomes grey to black, so dim
    // lettering reads as well as bright and a near-black outline stays white.
    const float toGrey = 255.0f / float(strongest - kMinInk);
    for (int y = 0; y < oh; ++y) {
      uint8_t* dst = &line.grey[size_t(y + line.margin) * size_t(line.width) + size_t(line.margin)];
      for (int x = 0; x < ow; ++x) {
        const float v = (scaled[size_t(y) * size_t(ow) + size_t(x)] - float(kMinInk)) * toGrey;
        dst[x] = uint8_t(255.5f - std::clamp(v, 0.0f, 255.0f));
      }
    }
    slantProfiles(line, mask, W, band, bottom, options.skew);
  }
  return out;
}

bool readsItalic(const LinePicture& line, int left, int right) {
  const SlantCount all = slantCount(line, 0, int(line.uprightInk.size()) - 1);
  const bool lineItalic = all.slanted < all.upright;
  if (line.scale <= 0) return lineItalic;
  auto bandColumn = [&](int c) { return line.firstColumn + int(std::floor((c - line.margin) / line.scale)); };
  const SlantCount word = slantCount(line, std::max(0, bandColumn(left)), bandColumn(right));
  if (word.upright < line.bandHeight) return lineItalic;
  const double ratio = double(word.slanted) / double(word.upright);
  return lineItalic ? ratio <= kUprightWord : ratio < kItalicWord;
}
