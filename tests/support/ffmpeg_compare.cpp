#include "support/ffmpeg_compare.h"

#include <algorithm>
#include <cstdlib>

namespace ffmpeg_compare {
int distance(Rgb8 a, Rgb8 b) { return std::max({std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)}); }
bool shown(Rgb8 c) { return distance(c, overBackground(0, 0, 0, 0)) > kShownThreshold; }
}  // namespace ffmpeg_compare

Rgb8 overBackground(int r, int g, int b, int alpha) {
  const int br = kCompareBackground >> 16 & 0xFF, bg = kCompareBackground >> 8 & 0xFF, bb = kCompareBackground & 0xFF;
  return {(r * alpha + br * (255 - alpha)) / 255, (g * alpha + bg * (255 - alpha)) / 255,
          (b * alpha + bb * (255 - alpha)) / 255};
}

Agreement compareIndexImage(const App& app, const RgbFrame& frame) {
  const IndexImage& img = app.indexImage;
  return compareFrame(frame, img.width(), img.height(), [&](int x, int y) {
    const uint8_t p = img.at(x, y);
    const PackedColor c = app.palRGB[p];
    return overBackground(int(c & 0xFF), int(c >> 8 & 0xFF), int(c >> 16 & 0xFF), app.palAlpha[p]);
  });
}

bool agreeClosely(const Agreement& a) {
  const size_t allowed = a.shownByProgram / 200 + 8;
  return a.shapeDiffers <= allowed && a.colourDiffers <= allowed;
}
