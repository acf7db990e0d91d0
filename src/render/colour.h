#pragma once
// Conversion between the Y, Cr, Cb colours of disc subtitle streams and packed RGB colours.
#include <cstdint>

#include "render/palette_state.h"

// Only the results are limited to 0..255, not the inputs: (0, 0, 0) gives 0x008700.
PackedColor YCrCbToRGB(uint8_t y, uint8_t cr, uint8_t cb);
// Y within 16..235, Cr and Cb within 16..240.
YCrCb RGBToYCrCb(PackedColor colour);

inline uint8_t redOf(PackedColor c) { return uint8_t(c); }
inline uint8_t greenOf(PackedColor c) { return uint8_t(c >> 8); }
inline uint8_t blueOf(PackedColor c) { return uint8_t(c >> 16); }
inline PackedColor packColour(uint8_t r, uint8_t g, uint8_t b) { return PackedColor(r) | PackedColor(g) << 8 | PackedColor(b) << 16; }
