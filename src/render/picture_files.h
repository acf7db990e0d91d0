#pragma once
// The picture files of one subtitle, written at the end of a render in bitmap-saving mode:
// the display picture as BMP and the index image as palette PNG, optionally reduced to
// 1280 x 720.
#include <array>
#include <cstdint>

#include "render/palette_state.h"
#include "render/plane.h"

class App;

inline constexpr int kReducedWidth = 1280;
inline constexpr int kReducedHeight = 720;

// The palette entry closest to (r, g, b) by the sum of the channel differences, over all
// 256 entries; the lowest index wins a tie.
uint8_t nearestColour(const PaletteState& p, uint8_t r, uint8_t g, uint8_t b);

// Reduces the areas of subs[curSub] (both of a Blu-ray subtitle with two) in the index
// image, from the image's size to 1280 x 720, into app.reduced, whose other pixels are
// idxClear (idxDark in black and white, when "OCR" is checked).
void reduceTo720(App& app);

// The PNG picture of the subtitle drawn last: the index image with the palette the render
// copied into it, or with cb720p its 1280 x 720 reduction (made here) with the palette.
struct PngPicture {
  const Plane<uint8_t>& pixels;
  const std::array<PackedColor, 256>& palette;
  const std::array<uint8_t, 256>& transparency;
};
PngPicture subPngPicture(App& app);

// Writes the files that cbBMP, cbPNG and cb720p ask for of the subtitle drawn last (the
// display picture as BMP, subPngPicture as PNG), named by outBase (or outBmp/outPng); throws
// FileError when one cannot be written.
void writeSubPictures(App& app);
