#pragma once
// Reads lettering back as a user's round trip does: text lines imported as SRT cues with a
// letter sheet, exported as a Blu-ray stream, read again and recognised with "OCR all". What
// the recognition makes of a glyph is what a user will get from it.
#include <string>
#include <vector>

#include "render/grey_png.h"

// The recognised text of each cue ("|" between its lines), read with italic tags on and the
// English corrections when `english` is set.
std::vector<std::string> readBack(const GreyImage& sheet, const std::vector<std::string>& cues, bool english);
