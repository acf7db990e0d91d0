#pragma once
// What a display render draws around the subtitle: the overlay blended over the display
// picture, area borders and the palette swatches.
#include "model/subtitle.h"
#include "render/palette_state.h"
#include "render/work_images.h"

// Blends the overlay over the display picture by the overlay's alpha, within the part of
// the overlay that was written (the rest is transparent).
void blendOverlay(Plane<Rgb>& display, const Plane<OverlayPixel>& overlay);

// Four one-pixel lines, cut at the picture's edges: rows y1 and y2 - inset over columns
// x1 - 10 to x2 + 9, columns x1 and x2 - inset over rows y1 - 10 to y2 + 9. Stream areas
// use inset 1 (lines on the row and column just before x2/y2), SRT text areas inset 0.
void drawBorder(Plane<Rgb>& display, int x1, int y1, int x2, int y2, int inset);

// 16 x 16 swatches: each entry's colour on the display picture, and 170 columns further
// right its opacity as white on black in the overlay.
void drawSwatches(Plane<Rgb>& display, Plane<OverlayPixel>& overlay, const PaletteState& p);

inline constexpr PackedColor kBorderColour = 0xFF0000;  // pure blue
