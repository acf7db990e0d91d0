#pragma once
// One subtitle as an HD DVD subpicture unit in an "SP" packet: both fields of the picture,
// then a control sequence that starts the display with the full colour and contrast tables,
// the display area and the field addresses, and one that stops it.
#include <cstdint>

#include "export/bit_buffer.h"
#include "export/encode_area.h"
#include "render/palette_state.h"
#include "render/work_images.h"

// Assembles the packet in out, from byte 0. The picture is read from img inside `area`, and
// the display area names its first and last column and row: a picture that starts on an odd
// row stays there (its top field holds the odd rows). A subtitle whose end is not known (endPts 0) gets no stopping sequence: it stays
// until the next one starts. A duration beyond what the 16-bit delay can say is cut to the
// longest one.
void putSPPacket(BitBuffer& out, uint32_t startPts, uint32_t endPts, const EncodeArea& area,
                 const PaletteState& pal, const IndexImage& img);
