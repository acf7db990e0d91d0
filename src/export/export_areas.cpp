#include "export/export_areas.h"

#include <algorithm>

#include "model/subtitle_list.h"

namespace {
bool hasObject(const TSUPWin& w) { return w.dataLen > 0 || w.dataPos != 0; }
bool hasRectangle(const TSUPWin& w) { return w.x2 > w.x1 && w.y2 > w.y1; }
}  // namespace

std::vector<int> drawnAreas(uint8_t subFormat, const TSUP& s) {
  if (subFormat != sfBluRay) return {0};
  const TSUPWin& w0 = s.win[0];
  const TSUPWin& w1 = s.win[1];
  if (w0.dataLen == 0 && hasObject(w1)) return {1};
  if (w1.dataPos != 0 && hasRectangle(w1)) return {0, 1};
  return {0};
}

EncodeArea encodeArea(uint8_t subFormat, const TSUPWin& w) {
  if (subFormat != sfBluRay) return {w.x1, w.y1, w.x2 + 1, w.y2 + 1};
  const uint16_t width = uint16_t(w.x2 - w.x1), height = uint16_t(w.y2 - w.y1);
  return {w.x1, w.y1, w.x1 + width, w.y1 + height};
}

EncodeArea hdArea(uint8_t subFormat, const TSUP& s, const std::vector<int>& areas) {
  EncodeArea box = encodeArea(subFormat, s.win[size_t(areas.front())]);
  for (int j : areas) {
    const EncodeArea a = encodeArea(subFormat, s.win[size_t(j)]);
    box.x1 = std::min(box.x1, a.x1);
    box.y1 = std::min(box.y1, a.y1);
    box.x2 = std::max(box.x2, a.x2);
    box.y2 = std::max(box.y2, a.y2);
  }
  box.x1 = std::min(box.x1, kHDMaxCoord);
  box.y1 = std::min(box.y1, kHDMaxCoord);
  box.x2 = std::min(box.x2, kHDMaxCoord + 1);
  box.y2 = std::min(box.y2, kHDMaxCoord + 1);
  return box;
}

void clearOutsideWindows(IndexImage& img, const std::array<uint8_t, 256>& palAlpha, uint8_t subFormat,
                         const TSUP& s, const std::vector<int>& areas, const EncodeArea& box) {
  if (subFormat != sfBluRay) return;
  const uint8_t clear = uint8_t(std::min_element(palAlpha.begin(), palAlpha.end()) - palAlpha.begin());
  std::vector<EncodeArea> windows;
  for (int j : areas) windows.push_back(encodeArea(subFormat, s.win[size_t(j)]));
  for (int y = box.y1; y < box.y2; ++y) {
    int x = box.x1;
    while (x < box.x2) {
      // The next column that a window covers on this row, and where that window ends.
      int coveredFrom = box.x2, coveredTo = box.x2;
      for (const EncodeArea& w : windows)
        if (y >= w.y1 && y < w.y2 && w.x2 > x && w.x1 < coveredFrom) {
          coveredFrom = std::max(w.x1, x);
          coveredTo = w.x2;
        }
      img.fillSpan(y, x, coveredFrom, clear);  // cut to the canvas by the plane
      x = std::max(coveredTo, coveredFrom + 1);
    }
  }
}
