#pragma once
// The pictures a render leaves for the display, the recognition and the writers, and the
// scratch pictures it draws with.
#include <array>
#include <cstdint>
#include <vector>

#include "render/palette_state.h"
#include "render/plane.h"

// The size the pictures start with; each render brings them to its display size.
inline constexpr int kCanvasWidth = 1920;
inline constexpr int kCanvasHeight = 1080;
// Run-length data of one area at a time; longer data is cut to this size.
inline constexpr size_t kPixBufSize = 262144;

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};
inline Rgb rgbOf(PackedColor c) { return {uint8_t(c), uint8_t(c >> 8), uint8_t(c >> 16)}; }

// An overlay pixel: a packed colour with the alpha in bits 24-31.
using OverlayPixel = uint32_t;
inline OverlayPixel overlayPixel(PackedColor c, uint8_t alpha) { return (c & 0xFFFFFFu) | uint32_t(alpha) << 24; }
inline uint8_t alphaOf(OverlayPixel p) { return uint8_t(p >> 24); }

// 8-bit palette indexes at the display size, with a palette and a transparency table.
class IndexImage : public Plane<uint8_t> {
 public:
  IndexImage() : Plane(kCanvasWidth, kCanvasHeight) {}
  std::array<PackedColor, 256> palette{};
  std::array<uint8_t, 256> transparency{};
};

// One byte per display pixel, 1 = ink, relative to the top-left corner of the subtitle's area.
class OcrMask : public Plane<uint8_t> {
 public:
  OcrMask() : Plane(kCanvasWidth, kCanvasHeight) {}
  // Reads outside the plane count as background.
  uint8_t at(int x, int y) const { return contains(x, y) ? Plane::at(x, y) : 0; }
};

struct WorkImages {
  IndexImage indexImage;
  // The picture of the image view, at the display size.
  Plane<Rgb> display{kCanvasWidth, kCanvasHeight};
  // What a render draws over the display picture, at the display size; a render starts it
  // black and transparent.
  Plane<OverlayPixel> overlay{0, 0};
  OcrMask ocrMask;
  // The run-length data being decoded; bytes past the loaded length read as 0.
  std::vector<uint8_t> pixBuf = std::vector<uint8_t>(kPixBufSize);
  // The 1280 x 720 reduction of the index image for the picture files.
  Plane<uint8_t> reduced{0, 0};
};
