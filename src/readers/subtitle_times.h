#pragma once
// Start and end of a subtitle read from a stream: the tick count and its text always together.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

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

// How long a subtitle lasts when its stream never says when it ends.
inline constexpr uint32_t kOpenEndSeconds = 5;

// Gives every subtitle still without an end (the last one of a stream that never clears
// it) an end kOpenEndSeconds after its start, or at the next subtitle's start when that comes
// sooner, and writes one line per such subtitle to `log`.
void endOpenSubtitles(std::vector<TSUP>& subs, const std::function<void(const std::string&)>& log);

// Runs a stream reader, then ends (endOpenSubtitles) the first `count` subtitles, those the
// read keeps, also when the read stops at an error of the file layer, which goes on up.
template <typename Read>
void readEndingEverySubtitle(std::vector<TSUP>& subs, const uint32_t& count,
                             const std::function<void(const std::string&)>& log, Read read) {
  const auto finish = [&] {
    if (count < subs.size()) subs.resize(count);
    endOpenSubtitles(subs, log);
  };
  try {
    read();
  } catch (...) {
    finish();
    throw;
  }
  finish();
}
