#pragma once
// The palette indexes of one subtitle: what the stream writers encode and the picture files
// save. Drawing them touches the palette state and indexImage only, not the display, the
// overlay, the recognition mask or the subtitle panel.
#include "render/draw_line.h"
#include "render/drawing.h"
#include "render/palette_builder.h"

class StreamFile;
struct TSUP;

// The lettering of a drawing's SRT list.
TextCanvas textCanvasOf(const Drawing& d);

// The palette options of a drawing.
PaletteOptions paletteOptions(const Drawing& d, DisplaySize listSize);

// Builds the palette of subtitle n (1-based; below 1 or beyond the list: none, an entirely
// transparent picture) and draws it into indexImage at the display size. Stream lists are
// read from `file` when the caller holds it open (once per command), else from the list's
// stream; listSize is the list's display size when the caller measured it once.
// Throws FileError when the stream does not hold the subtitle's bytes.
void drawIndexImage(Drawing& d, int n, const StreamFile* file = nullptr, const DisplaySize* listSize = nullptr);

// With the palette of s built: brings indexImage to the display size and its background,
// then draws s into it, from `file` (stream lists) or from the letter sheet (SRT lists). With
// indexOnly unset the runs and letters also go to the overlay and the recognition mask, as
// the window's render composes them.
void drawSubtitlePixels(Drawing& d, TSUP& s, const StreamFile* file, bool indexOnly);
