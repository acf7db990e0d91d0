#include "model/subtitle_order.h"

#include <algorithm>

std::vector<int32_t> sortByStart(std::vector<TSUP>& subs) {
  std::vector<int32_t> moved;
  uint32_t latest = 0;
  for (const TSUP& s : subs) {
    if (s.startPts < latest) moved.push_back(s.num);
    latest = std::max(latest, s.startPts);
  }
  if (!moved.empty())
    std::stable_sort(subs.begin(), subs.end(), [](const TSUP& a, const TSUP& b) { return a.startPts < b.startPts; });
  return moved;
}

std::vector<size_t> cutOverlaps(std::vector<TSUP>& subs) {
  std::vector<size_t> cut;
  for (size_t i = 0; i + 1 < subs.size(); ++i) {
    TSUP& s = subs[i];
    const TSUP& next = subs[i + 1];
    if (s.endPts == 0 || s.endPts <= next.startPts) continue;
    s.endPts = next.startPts;
    s.endTime = next.startTime;
    cut.push_back(i);
  }
  return cut;
}
