#pragma once
// Which parts of the canvas a subtitle's render filled, as the writers encode them.
#include <array>
#include <cstdint>
#include <vector>

#include "export/encode_area.h"
#include "model/subtitle.h"
#include "render/work_images.h"

// The window records a render fills: record 0; for Blu-ray lists also record 1 when it holds
// an object of its own, or record 1 alone when record 0 holds none. A second object would
// otherwise vanish from the exported stream.
std::vector<int> drawnAreas(uint8_t subFormat, const TSUP& s);

// The pixels of an area record. A Blu-ray window ends before its x2 and y2 (width and height
// are 16-bit differences, so a window whose right edge wrapped past 65535 keeps its size);
// DVD, HD DVD and SRT areas end on their x2 and y2, which hold ink too.
EncodeArea encodeArea(uint8_t subFormat, const TSUPWin& w);

// The HD DVD display area around the drawn records. Coordinates are limited to the 11 bits
// the display-area command keeps, so that the encoded pixels match the area a reader decodes.
EncodeArea hdArea(uint8_t subFormat, const TSUP& s, const std::vector<int>& areas);

// Two Blu-ray windows leave gaps in the HD DVD box around them. Those pixels hold the
// render's background, which a Blu-ray palette may make opaque (a stream whose listed entries
// are all opaque): they are painted with the palette's most transparent entry, so that the
// exported picture gains no dark edge. Lists of other kinds fill their box and are left alone.
void clearOutsideWindows(IndexImage& img, const std::array<uint8_t, 256>& palAlpha, uint8_t subFormat,
                         const TSUP& s, const std::vector<int>& areas, const EncodeArea& box);

// The largest coordinate of an HD DVD display area.
inline constexpr int kHDMaxCoord = 2047;
