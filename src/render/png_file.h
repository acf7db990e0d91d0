#pragma once
// 8-bit palette PNG files (colour type 3, not interlaced) with a 256-entry palette and a
// 256-entry transparency chunk.
#include <array>
#include <string>

#include "render/work_images.h"

// How hard the encoder works: picture files favour speed, since every subtitle of a list is
// written; the defaults keep files small at little cost for subtitle pictures, whose rows are
// mostly one colour.
struct PngSettings {
  int filter = 0;           // a PNG_FILTER_* set; 0 = no filtering
  int compressionLevel = 1;
  int strategy = 3;         // a zlib strategy; 3 = run-length
};

// Writes pixels as a palette PNG (complete or not at all); throws FileError with the path
// and the reason.
void writePalettePng(const std::string& path, const Plane<uint8_t>& pixels,
                     const std::array<PackedColor, 256>& palette, const std::array<uint8_t, 256>& transparency,
                     const PngSettings& settings = {});
