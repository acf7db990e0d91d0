#pragma once
// The palette of the subtitle drawn last: 256 colours with their opacity, the three derived
// indexes and the bright/dark threshold. setpal rebuilds it at the start of every drawing;
// what a build does not write keeps its previous value.
#include <array>
#include <cstdint>

// Packed colour: red in bits 0-7, green 8-15, blue 16-23; compared as a number.
using PackedColor = uint32_t;

// A colour as the disc formats store it; the default is black.
struct YCrCb {
  uint8_t y = 16, cr = 128, cb = 128;
  bool operator==(const YCrCb&) const = default;
};

struct PaletteState {
  std::array<PackedColor, 256> palRGB{};
  std::array<uint8_t, 256> palAlpha{};
  // The colour of each entry as the stream gives it (converted from palRGB for lists whose
  // colours are the program's own): the writers put it back unchanged, so that colours do
  // not drift through a round trip to RGB.
  std::array<YCrCb, 256> palYCrCb{};
  uint8_t idxClear = 0;
  uint8_t idxBright = 0;
  uint8_t idxDark = 0;
  PackedColor cutColor = 0;
  std::array<uint8_t, 256> sheetMap{};  // letter-sheet value -> palette index (SRT lists)
  // Size of the picture shown in the image view.
  int displayWidth = 1920;
  int displayHeight = 1080;
};
