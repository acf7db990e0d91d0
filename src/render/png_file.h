#pragma once
// 8-bit palette PNG files (colour type 3, not interlaced) with a 256-entry palette and a
// 256-entry transparency chunk.
#include <array>
#include <string>

#include "render/work_images.h"

// How hard the encoder works. Picture files favour speed, since every subtitle of a list is
// written on a 1920 x 1080 canvas that is mostly one colour. Measured on subtitle pictures
// (bench_bitmaps): no filter with zlib's run-length strategy takes about 3 to 4 ms a picture
// for files of 11 to 18 KB; the default strategy at level 6 makes them 8 to 14 KB but takes
// twice as long, level 9 up to seven times, and row filters only add time. Under the
// run-length strategy the level changes neither the size nor the time.
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
