#pragma once
// 8-bit grey pictures (the letter sheet) and their PNG files.
#include <cstdint>
#include <string>
#include <vector>

struct GreyImage {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> pixels;  // row after row, one byte per pixel

  GreyImage() = default;
  GreyImage(int w, int h, uint8_t fill) : width(w), height(h), pixels(size_t(w) * size_t(h), fill) {}
  bool empty() const { return pixels.empty(); }
  bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
  uint8_t at(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
  uint8_t& at(int x, int y) { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};

// Reads a grey PNG of any bit depth as 8-bit values. A colour or palette
// picture, a picture with transparency or a file that is no PNG throws FileError.
GreyImage readGreyPng(const std::string& path);
// Writes an 8-bit grey PNG under a temporary name and renames it when complete, so a failed
// write leaves an existing file alone. Throws FileError.
void writeGreyPng(const std::string& path, const GreyImage& image);
