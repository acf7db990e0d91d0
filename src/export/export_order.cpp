#include "export/export_order.h"

#include "model/pts.h"
#include "model/subtitle_order.h"

namespace {
std::string subtitleName(int32_t index) { return "Subtitle " + std::to_string(index + 1); }
std::string otherSubtitle(int32_t index) { return "subtitle " + std::to_string(index + 1); }
}  // namespace

std::vector<ExportItem> exportOrder(const std::vector<TSUP>& subs, std::vector<std::string>& notes) {
  // Copies holding only the times, numbered by their index in the list.
  std::vector<TSUP> times;
  times.reserve(subs.size());
  for (size_t i = 0; i < subs.size(); ++i) {
    const TSUP& s = subs[i];
    if (s.endPts != 0 && s.endPts <= s.startPts) {
      notes.push_back(subtitleName(int32_t(i)) + " does not end after its start: left out.");
      continue;
    }
    TSUP& t = times.emplace_back();
    t.num = int32_t(i);
    t.startPts = s.startPts;
    t.endPts = s.endPts;
  }
  for (int32_t index : sortByStart(times))
    notes.push_back(subtitleName(index) + " starts before a subtitle above it: written in time order.");
  for (size_t k : cutOverlaps(times)) {
    const TSUP& t = times[k];
    const std::string next = otherSubtitle(times[k + 1].num);
    if (t.endPts == t.startPts)
      notes.push_back(subtitleName(t.num) + " starts with " + next + ": left out.");
    else
      notes.push_back(subtitleName(t.num) + " overlaps " + next + ": written to end at " + pts2str(t.endPts) + ".");
  }
  std::vector<ExportItem> items;
  items.reserve(times.size());
  for (const TSUP& t : times)
    if (t.endPts == 0 || t.endPts > t.startPts) items.push_back({size_t(t.num), t.startPts, t.endPts});
  return items;
}
