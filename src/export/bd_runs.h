#pragma once
// The Blu-ray run-length code of a picture: whole bytes, one row after the other, each row
// ended by 0x00 0x00.
#include <cstdint>
#include <vector>

#include "export/bit_buffer.h"
#include "export/encode_area.h"
#include "render/work_images.h"

// The longest run one code can hold (14-bit length).
inline constexpr int kBDMaxRun = 16383;

// One run of L pixels (1 to kBDMaxRun) of palette index c.
void putBDRun(BitBuffer& out, uint8_t c, int L);
inline void putBDEndOfLine(BitBuffer& out) {
  out.putByte(0);
  out.putByte(0);
}

// Appends the codes of every row of the area, read from img (background beyond the canvas).
// Offsets after which a fragment of the object may end are appended to `cuts`: after each
// run (so that a row's end-of-line code travels with the next row's first run), after the
// end-of-line code of a row without pixels, and at the very end. Returns the highest palette
// index of the picture.
uint8_t encodeBDObject(BitBuffer& out, const IndexImage& img, uint8_t background, const EncodeArea& area,
                       std::vector<uint32_t>& cuts);
