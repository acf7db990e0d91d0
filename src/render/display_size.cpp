#include "render/display_size.h"

#include <algorithm>

#include "model/subtitle_list.h"

DisplaySize displaySizeOf(uint8_t subFormat, const std::vector<TSUP>& subs, DisplaySize indexSize) {
  DisplaySize d = subFormat == sfDVD ? DisplaySize{720, 576} : DisplaySize{1920, 1080};
  if (subFormat == sfDVD && indexSize.width > 0 && indexSize.height > 0) d = indexSize;
  bool named = false;  // a Blu-ray video size replaces the default
  const auto grow = [&d](int right, int bottom) {
    d.width = std::max(d.width, right);
    d.height = std::max(d.height, bottom);
  };
  for (const TSUP& s : subs) {
    if (subFormat != sfBluRay) {
      grow(s.win[0].x2 + 1, s.win[0].y2 + 1);  // the area ends on its last column and row
      continue;
    }
    if (s.videoWidth > 0 && s.videoHeight > 0) {
      if (!named) d = {s.videoWidth, s.videoHeight};
      named = true;
      grow(s.videoWidth, s.videoHeight);
    }
    for (const TSUPWin& w : s.win)
      if (w.x2 > w.x1 && w.y2 > w.y1) grow(w.x2, w.y2);
  }
  return {std::min(d.width, kMaxDisplayWidth), std::min(d.height, kMaxDisplayHeight)};
}
