#pragma once
// What the stream writers write of the list: one subtitle on the screen at a time, in the
// order of their start, so that the time stamps of a written stream never run backwards.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "model/subtitle.h"

struct ExportItem {
  size_t index = 0;  // in the list
  uint32_t startPts = 0, endPts = 0;  // endPts 0: shown until the next one replaces it
};

// The subtitles to write. A subtitle whose end is not after its start is left out; the rest
// are put in the order of their start (the list stays as it is), and one still shown when
// the next begins ends there, or is left out when both begin together. Each change is a
// line in `notes`, naming the subtitles by their numbers in the list.
std::vector<ExportItem> exportOrder(const std::vector<TSUP>& subs, std::vector<std::string>& notes);
