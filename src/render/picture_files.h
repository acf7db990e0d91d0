#pragma once
// The picture files of one subtitle, written at the end of a render in bitmap-saving mode:
// the display picture as BMP and the index image as palette PNG, optionally reduced to
// 1280 x 720.
#include <cstdint>

class App;
struct PaletteState;

inline constexpr int kReducedWidth = 1280;
inline constexpr int kReducedHeight = 720;

// The palette entry closest to (r, g, b) by the sum of the channel differences, over all
// 256 entries; the lowest index wins a tie.
uint8_t nearestColour(const PaletteState& p, uint8_t r, uint8_t g, uint8_t b);

// Reduces the first area of subs[curSub] in the index image, from the image's size to
// 1280 x 720, into app.reduced, whose other pixels are idxClear (idxDark in black and white,
// when "OCR" is checked).
void reduceTo720(App& app);

// Writes the files that cbBMP, cbPNG and cb720p ask for, named by outBase (or outBmp/outPng);
// throws FileError when one cannot be written.
void writeSubPictures(App& app);
