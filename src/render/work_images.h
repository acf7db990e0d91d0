#pragma once
// The pictures a render leaves for the display, the recognition and the writers.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

inline constexpr int kCanvasWidth = 1920;
inline constexpr int kCanvasHeight = 1080;

// 8-bit palette indexes on the full canvas, with a palette and a transparency table.
struct IndexImage {
  int width = kCanvasWidth;
  int height = kCanvasHeight;
  std::vector<uint8_t> pixels = std::vector<uint8_t>(size_t(kCanvasWidth) * kCanvasHeight);
  std::array<uint32_t, 256> palette{};  // packed colours
  std::array<uint8_t, 256> transparency{};

  uint8_t at(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
  bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
};

// 8-bit red, green, blue per pixel, row after row (the display picture).
struct RgbImage {
  int width = kCanvasWidth;
  int height = kCanvasHeight;
  std::vector<uint8_t> rgb = std::vector<uint8_t>(size_t(kCanvasWidth) * kCanvasHeight * 3);

  bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
  uint8_t* pixel(int x, int y) { return &rgb[(size_t(y) * size_t(width) + size_t(x)) * 3]; }
  const uint8_t* pixel(int x, int y) const { return &rgb[(size_t(y) * size_t(width) + size_t(x)) * 3]; }
};

// 8-bit red, green, blue and alpha per pixel, row after row (the overlay of one render).
struct RgbaImage {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgba;

  // Black and fully transparent at the given size.
  void reset(int w, int h) {
    width = w;
    height = h;
    rgba.assign(size_t(w) * size_t(h) * 4, 0);
  }
  void release() { reset(0, 0); }
  bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
  uint8_t* pixel(int x, int y) { return &rgba[(size_t(y) * size_t(width) + size_t(x)) * 4]; }
  const uint8_t* pixel(int x, int y) const { return &rgba[(size_t(y) * size_t(width) + size_t(x)) * 4]; }
};

// One byte per canvas pixel, 1 = ink, relative to the top-left corner of the subtitle's area.
struct OcrMask {
  static constexpr int kStride = kCanvasWidth;
  static constexpr int kRows = kCanvasHeight;
  std::vector<uint8_t> bytes = std::vector<uint8_t>(size_t(kStride) * kRows);

  // Reads outside the plane count as background.
  uint8_t at(int x, int y) const {
    return x < 0 || y < 0 || x >= kStride || y >= kRows ? 0 : bytes[size_t(y) * kStride + size_t(x)];
  }
};

struct WorkImages {
  IndexImage indexImage;
  RgbImage display;  // the picture of the image view
  RgbaImage overlay;  // exists during a render only; empty between renders
  OcrMask ocrMask;
};
