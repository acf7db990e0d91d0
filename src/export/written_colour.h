#pragma once
// The colour both stream writers store for a palette entry.
#include <cstddef>

#include "render/palette_state.h"

// The entry's own colour as the stream gave it, or black for an entry nobody sees: players
// that scale colours by their opacity while they resample (FFmpeg's overlay does) blend a
// transparent entry's colour into the edges of the letters, so a red background would put a
// red halo around them.
inline YCrCb writtenColour(const PaletteState& p, size_t k) { return p.palAlpha[k] == 0 ? YCrCb{} : p.palYCrCb[k]; }
