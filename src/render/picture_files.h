#pragma once
// The picture files of one subtitle, written at the end of a render in bitmap-saving mode:
// the display picture as BMP and the index image as palette PNG, optionally reduced to
// 1280 x 720.
#include <array>
#include <cstdint>

#include "render/drawing.h"
#include "render/palette_state.h"
#include "render/plane.h"

inline constexpr int kReducedWidth = 1280;
inline constexpr int kReducedHeight = 720;

// The palette entry closest to (r, g, b) by the sum of the channel differences, over all
// 256 entries; the lowest index wins a tie.
uint8_t nearestColour(const PaletteState& p, uint8_t r, uint8_t g, uint8_t b);

// Reduces the areas of s (both of a Blu-ray subtitle with two; none without s) in the index
// image, from the image's size to 1280 x 720, into `out`, whose other pixels are idxClear
// (idxDark in black and white, with twoTone: "OCR" checked).
void reduceTo720(Plane<uint8_t>& out, const IndexImage& index, const PaletteState& p, const TSUP* s,
                 uint8_t subFormat, bool twoTone);

// The PNG picture of the subtitle drawn last: the index image with the palette the render
// copied into it, or with reduce720 its 1280 x 720 reduction (made here, into
// images.reduced) with the palette.
struct PngPicture {
  const Plane<uint8_t>& pixels;
  const std::array<PackedColor, 256>& palette;
  const std::array<uint8_t, 256>& transparency;
};
PngPicture subPngPicture(const Drawing& d);

// Writes the files that saveBmp, savePng and reduce720 ask for of the subtitle drawn last
// (the display picture as BMP, subPngPicture as PNG), named by outBase (or outBmp/outPng);
// throws FileError when one cannot be written.
void writeSubPictures(const Drawing& d);
