#pragma once
// The program's picture against FFmpeg's frame of the same moment, pixel by pixel, over a
// background no subtitle colour is close to.
#include <cstddef>
#include <cstdint>

#include "app/app.h"
#include "support/ffmpeg_frames.h"

inline constexpr uint32_t kCompareBackground = 0x00FF00;

struct Agreement {
  size_t shownByProgram = 0, shownByFFmpeg = 0;
  size_t shapeDiffers = 0;   // clearly different, one of them showing the background
  size_t colourDiffers = 0;  // clearly different, both showing a colour
};

struct Rgb8 {
  int r, g, b;
};
// A colour with this alpha over the comparison background.
Rgb8 overBackground(int r, int g, int b, int alpha);

// `expected(x, y)` gives the program's pixel over the background; the frame is width x height.
template <typename Pixel>
Agreement compareFrame(const RgbFrame& frame, int width, int height, Pixel expected);

// The index image the last render left, in its palette, against the frame.
Agreement compareIndexImage(const App& app, const RgbFrame& frame);

// The two agree but for anti-aliased fringes and the rounding of two colour conversions.
bool agreeClosely(const Agreement& a);

// ---------------------------------------------------------------- implementation

namespace ffmpeg_compare {
// Two conversions from YCrCb to RGB with different coefficients and rounding.
inline constexpr int kColourTolerance = 40;
// A pixel counts as shown when it differs from the background by more than this.
inline constexpr int kShownThreshold = 24;
int distance(Rgb8 a, Rgb8 b);
bool shown(Rgb8 c);
}  // namespace ffmpeg_compare

template <typename Pixel>
Agreement compareFrame(const RgbFrame& frame, int width, int height, Pixel expected) {
  using namespace ffmpeg_compare;
  Agreement a;
  if (frame.size() != size_t(width) * size_t(height) * 3) return a;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const Rgb8 want = expected(x, y);
      const uint8_t* f = &frame[(size_t(y) * size_t(width) + size_t(x)) * 3];
      const Rgb8 got{f[0], f[1], f[2]};
      a.shownByProgram += shown(want);
      a.shownByFFmpeg += shown(got);
      if (distance(want, got) <= kColourTolerance) continue;
      if (shown(want) && shown(got)) ++a.colourDiffers;
      else ++a.shapeDiffers;
    }
  return a;
}
