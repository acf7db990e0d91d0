#include "readers/subtitle_times.h"

#include <algorithm>

void endOpenSubtitles(std::vector<TSUP>& subs, const std::function<void(const std::string&)>& log) {
  constexpr uint64_t kTicks = uint64_t(kOpenEndSeconds) * 90000;
  for (size_t i = 0; i < subs.size(); ++i) {
    TSUP& s = subs[i];
    if (s.endPts != 0) continue;
    uint64_t end = std::min<uint64_t>(uint64_t(s.startPts) + kTicks, UINT32_MAX);
    if (i + 1 < subs.size() && subs[i + 1].startPts > s.startPts) end = std::min<uint64_t>(end, subs[i + 1].startPts);
    setEnd(s, uint32_t(end));
    log("Subtitle " + std::to_string(i + 1) + " has no end time: it ends at " + s.endTime + ".");
  }
}
