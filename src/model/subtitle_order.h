#pragma once
// Subtitles are shown one at a time, in the order of their start: a stream or an SRT file
// whose subtitles come out of order or overlap is put right before it is shown or written.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/subtitle.h"

// Sorts by start time; subtitles that start together keep their order. Returns the numbers
// (`num`) of those that started before a subtitle above them.
std::vector<int32_t> sortByStart(std::vector<TSUP>& subs);

// Ends every subtitle that is still on the screen when the next one starts at that start
// (ticks and time text). A subtitle without a known end (endPts 0) keeps it. Returns the
// indexes of the subtitles cut; one that starts with the next one is left with no time.
std::vector<size_t> cutOverlaps(std::vector<TSUP>& subs);
