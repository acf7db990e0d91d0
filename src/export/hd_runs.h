#pragma once
// The HD DVD run-length code of one field: bit codes with a 2-bit index for palette entries
// 0 to 3 and an 8-bit index for the others; every row starts on a byte.
#include <cstdint>

#include "export/bit_buffer.h"
#include "export/encode_area.h"
#include "render/work_images.h"

// The longest run one code can hold, except a run to the end of the row.
inline constexpr int kHDMaxRun = 136;

// One run of L pixels (1 to kHDMaxRun) of palette index c, or, with toRowEnd, the run that
// fills the rest of the row whatever its length.
void putHDRun(BitBuffer& out, uint8_t c, int L, bool toRowEnd);

// Appends the rows y1 + field, y1 + field + 2, ... (below y2) of the area, read from img
// (background beyond the canvas); each row is padded with zero bits to a byte boundary.
void encodeHDField(BitBuffer& out, const IndexImage& img, uint8_t background, const EncodeArea& area, int field);
