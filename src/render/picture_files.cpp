#include "render/picture_files.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

#include "render/bmp_file.h"
#include "render/colour.h"
#include "render/png_file.h"

namespace {
// Remembers recent nearestColour answers for one palette; subtitle pictures use few colours.
class NearestCache {
 public:
  explicit NearestCache(const PaletteState& p) : p_(p) { keys_.fill(kEmpty); }
  uint8_t get(uint8_t r, uint8_t g, uint8_t b) {
    const uint32_t key = packColour(r, g, b);
    const size_t slot = (key * 2654435761u) >> 22;  // 10 bits
    if (keys_[slot] != key) {
      keys_[slot] = key;
      values_[slot] = nearestColour(p_, r, g, b);
    }
    return values_[slot];
  }

 private:
  static constexpr uint32_t kEmpty = 0xFFFFFFFFu;  // no packed colour has its top byte set
  const PaletteState& p_;
  std::array<uint32_t, 1024> keys_;
  std::array<uint8_t, 1024> values_{};
};

// Source rows (or columns) of output row (or column) o with their weights, for a reduction
// by `scale` of `size` source pixels: the footprint [scale o, scale o + scale) covers whole
// and partial source pixels.
struct Footprint {
  static constexpr int kMax = 8;  // scale up to kMaxDisplayWidth / kReducedWidth, and more
  int first = 0, count = 0;
  float weight[kMax] = {};
};
Footprint footprint(int o, double scale, int size) {
  const double start = scale * o, end = start + scale;
  Footprint f;
  f.first = int(std::floor(start));
  f.count = std::min({int(std::ceil(end)), size, f.first + Footprint::kMax}) - f.first;
  for (int i = 0; i < f.count; ++i) {
    const int s = f.first + i;
    double w = 1;
    if (s < start) w -= start - s;
    if (s + 1 > end) w -= s + 1 - end;
    f.weight[i] = float(w);
  }
  return f;
}
}  // namespace

uint8_t nearestColour(const PaletteState& p, uint8_t r, uint8_t g, uint8_t b) {
  int best = 0, bestDistance = 1 << 30;
  for (int i = 0; i < 256; ++i) {
    const PackedColor c = p.palRGB[size_t(i)];
    const int d = std::abs(r - redOf(c)) + std::abs(g - greenOf(c)) + std::abs(b - blueOf(c));
    if (d < bestDistance) best = i, bestDistance = d;
  }
  return uint8_t(best);
}

void reduceTo720(Plane<uint8_t>& out, const IndexImage& index, const PaletteState& p, const TSUP* s,
                 uint8_t subFormat, bool twoTone) {
  // With "OCR" checked every palette entry is opaque, so the transparency test below would
  // turn the whole picture into idxClear. The black-and-white picture stays two-tone like the
  // full-size one instead: idxBright where bright pixels cover at least half of the
  // footprint, idxDark elsewhere and around the area.
  const uint8_t background = twoTone ? p.idxDark : p.idxClear;
  if (out.width() != kReducedWidth || out.height() != kReducedHeight)
    out.resize(kReducedWidth, kReducedHeight, background);
  else
    out.reset(background);
  if (!s) return;
  const bool srt = subFormat == sfSRT;
  const uint8_t clearAlpha = p.palAlpha[p.idxClear];
  NearestCache nearest(p);
  // The picture is reduced from whatever size it has. Weights add up to a little more than
  // 1, so that a uniform area truncates back to its exact colour.
  const double sx = double(index.width()) / kReducedWidth, sy = double(index.height()) / kReducedHeight;
  const float weightScale = float(1.0001 / (sx * sy));
  // Areas reaching the picture's edge stop at the last output column and row, whose
  // footprints end on its last column and row.
  const auto out0 = [](int v, int size, int reduced) { return int(int64_t(v) * reduced / size); };
  const auto reduceArea = [&](const TSUPWin& w) {
    const int x0 = out0(w.x1, index.width(), kReducedWidth), y0 = out0(w.y1, index.height(), kReducedHeight);
    const int xEnd = std::min(out0(w.x2, index.width(), kReducedWidth), kReducedWidth - 1);
    const int yEnd = std::min(out0(w.y2, index.height(), kReducedHeight), kReducedHeight - 1);
    for (int yo = y0; yo <= yEnd; ++yo) {
      const Footprint fy = footprint(yo, sy, index.height());
      uint8_t* dst = nullptr;
      for (int xo = x0; xo <= xEnd; ++xo) {
        const Footprint fx = footprint(xo, sx, index.width());
        float red = 0, green = 0, blue = 0, bright = 0;
        bool transparent = false;
        for (int j = 0; j < fy.count; ++j)
          for (int i = 0; i < fx.count; ++i) {
            const uint8_t pixel = index.at(fx.first + i, fy.first + j);
            const float weight = fx.weight[i] * fy.weight[j] * weightScale;
            if (twoTone) {
              if (pixel == p.idxBright) bright += weight;
              continue;
            }
            if (p.palAlpha[pixel] <= clearAlpha) {
              transparent = true;
              continue;
            }
            const PackedColor c = p.palRGB[pixel];
            red += weight * float(redOf(c));
            green += weight * float(greenOf(c));
            blue += weight * float(blueOf(c));
          }
        if (!dst) dst = out.span(yo, x0, xEnd + 1) - x0;
        if (twoTone) dst[xo] = bright >= 0.5f ? p.idxBright : p.idxDark;
        else if (transparent) dst[xo] = p.idxClear;
        else if (srt) dst[xo] = uint8_t(int((red + 1) / 16) + 2);
        else dst[xo] = nearest.get(uint8_t(red), uint8_t(green), uint8_t(blue));
      }
    }
  };
  reduceArea(s->win[0]);
  // A Blu-ray subtitle's second area holds the objects of its other windows.
  if (subFormat == sfBluRay && s->win[1].x2 > s->win[1].x1 && s->win[1].y2 > s->win[1].y1) reduceArea(s->win[1]);
}

PngPicture subPngPicture(const Drawing& d) {
  const WorkImages& im = d.images;
  if (!d.options.reduce720) return {im.indexImage, im.indexImage.palette, im.indexImage.transparency};
  const SubtitleList& list = d.list;
  const bool drawn = list.curSub >= 0 && size_t(list.curSub) < list.subs.size();
  reduceTo720(d.images.reduced, im.indexImage, d.palette, drawn ? &list.subs[size_t(list.curSub)] : nullptr,
              list.subFormat, d.options.blackWhite);
  return {im.reduced, d.palette.palRGB, d.palette.palAlpha};
}

void writeSubPictures(const Drawing& d) {
  const RenderFlags& f = d.flags;
  if (d.options.saveBmp) writeBmp(f.outBmp.empty() ? f.outBase + ".bmp" : f.outBmp, d.images.display);
  if (!d.options.savePng) return;
  const PngPicture p = subPngPicture(d);
  writePalettePng(f.outPng.empty() ? f.outBase + ".png" : f.outPng, p.pixels, p.palette, p.transparency);
}
