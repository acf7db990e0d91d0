#pragma once
// Run-length decoding of DVD, HD DVD and Blu-ray subtitle pictures into the working images:
// palette indexes into indexImage, colour and alpha into the overlay, bright pixels into
// ocrMask (relative to the area's corner). Runs and lines that overrun the canvas or the
// overlay are cut at their edges; nothing is written outside a picture.
#include <cstddef>
#include <cstdint>
#include <vector>

class App;
class StreamFile;
struct TSUP;

// The first area with data: 0, or 1 when area 0 has none.
int firstArea(const TSUP& s);

// Copies the run-length data of area j of s into pixBuf from offset 0 (Blu-ray: the
// continuation fragment directly behind the first) and returns the bytes loaded. Data longer
// than pixBuf is cut to its size: well-formed streams never come near it, and the area is
// then drawn from what fits. Throws FileError when the file does not hold the recorded bytes.
size_t loadAreaData(App& app, const StreamFile& file, const TSUP& s, int j);

// Decodes area j of s from the first len bytes of pixBuf, by the kind of the list.
void decodeArea(App& app, const TSUP& s, int j, size_t len);

// The areas decodeSubtitle draws, in order: the first with data, and a second Blu-ray area.
std::vector<int> decodedAreas(const TSUP& s, uint8_t subFormat);

// Decodes every area of s; the first area's data (firstLen bytes) is already in pixBuf, a
// second Blu-ray area is loaded from file.
void decodeSubtitle(App& app, const StreamFile& file, const TSUP& s, size_t firstLen);
