#pragma once
// Start and end of a subtitle read from a stream: the tick count and its text always together.
#include <cstdint>

#include "model/pts.h"
#include "model/subtitle.h"

inline void setStart(TSUP& s, uint32_t pts) {
  s.startPts = pts;
  s.startTime = pts2str(pts);
}

inline void setEnd(TSUP& s, uint32_t pts) {
  s.endPts = pts;
  s.endTime = pts2str(pts);
}

// What a stream reader gives every subtitle it completes: the placeholder text that
// recognition replaces, and the mark "not recognised yet".
inline void setPlaceholder(TSUP& s, uint32_t count) {
  s.text = "line " + std::to_string(count);
  s.fontMode = fmUnrecognised;
}
