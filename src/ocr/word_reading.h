#pragma once
// A subtitle's reading made of the words another engine read on its line pictures.
#include <cstdint>
#include <vector>

#include "ocr/line_reader.h"
#include "ocr/ocr.h"

// Each line's words become cells, upright or italic as the subtitle's "Font" choice says, or
// for automatic reading as the slant measure of each word. A line with ink that reads as
// nothing gets an unknown cell, so that "Next" finds it.
SubtitleReading wordReading(const std::vector<LinePicture>& lines, const std::vector<std::vector<WordBox>>& words,
                            uint8_t fontMode, bool insertTags);
