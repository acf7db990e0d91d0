#pragma once
// Run-length decoding of DVD, HD DVD and Blu-ray subtitle pictures into the working images:
// palette indexes into indexImage, colour and alpha into the overlay, bright pixels into
// ocrMask (relative to the corner of the area that holds them). Runs and lines that overrun
// a picture are cut at its edges; nothing is written outside a picture. With indexOnly set
// (the writers and the picture files) only indexImage is written.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/subtitle.h"
#include "render/palette_state.h"
#include "render/work_images.h"

class StreamFile;
struct TSUP;
struct TSUPObject;

// Which pictures the runs go to, and in which colours.
struct RunMode {
  bool indexOnly = false;   // only the index image (the writers and the picture files)
  bool exporting = false;   // a stream export: the overlay keeps black and takes the alpha only
  bool twoTone = false;     // the overlay in grey and black by the cut level (recognition)
  bool blackWhite = false;  // the index image in the bright and dark entries ("OCR" pictures)
};

// DVD and HD DVD: copies the run-length data of area 0 of s into pixBuf from offset 0 and
// returns the bytes loaded. Data longer than pixBuf is cut to its size: well-formed streams
// never come near it, and the area is then drawn from what fits. Throws FileError when the
// file does not hold the recorded bytes.
size_t loadAreaData(std::vector<uint8_t>& pixBuf, const StreamFile& file, const TSUP& s);

// DVD and HD DVD: decodes area 0 of s from the first len bytes of pixBuf.
void decodeArea(WorkImages& images, const PaletteState& palette, uint8_t subFormat, const TSUP& s, size_t len,
                const RunMode& mode = {});

// Blu-ray: draws object o of s at its place, only the part its composition shows. Its
// fragments are read from file (throws FileError when they are not all there); a line ends
// at its end-of-line code, and pixels beyond the object's width or height are not drawn.
void drawObject(WorkImages& images, const PaletteState& palette, const StreamFile& file, const TSUP& s,
                const TSUPObject& o, const RunMode& mode = {});

// The box whose pixels decodeSubtitle enters into the recognition mask, from its corner:
// area 0, and around a Blu-ray area 1 that holds an object as well, so that two windows of
// text are read as the lines they are on screen rather than laid over each other.
TSUPWin recognitionArea(const TSUP& s, uint8_t subFormat);

// Decodes every area (DVD, HD DVD) or object (Blu-ray) of s.
void decodeSubtitle(WorkImages& images, const PaletteState& palette, uint8_t subFormat, const StreamFile& file,
                    const TSUP& s, const RunMode& mode = {});
