#include "export/bd_runs.h"

#include <algorithm>
#include <cassert>

#include "export/work_pixel.h"

void putBDRun(BitBuffer& out, uint8_t c, int L) {
  assert(L >= 1 && L <= kBDMaxRun);
  if (c != 0 && L <= 2) {
    out.putByte(c);
    if (L == 2) out.putByte(c);
    return;
  }
  out.putByte(0);
  const uint8_t colourFlag = c != 0 ? 0x80 : 0x00;
  if (L < 64) {
    out.putByte(uint8_t(colourFlag | L));
  } else {
    out.putByte(uint8_t(colourFlag | 0x40 | L >> 8));
    out.putByte(uint8_t(L));
  }
  if (c != 0) out.putByte(c);
}

uint8_t encodeBDObject(BitBuffer& out, const IndexImage& img, uint8_t background, const EncodeArea& area,
                       std::vector<uint32_t>& cuts) {
  const size_t firstCut = cuts.size();
  uint8_t maxIndex = 0;
  for (int y = area.y1; y < area.y2; ++y) {
    int x = area.x1;
    while (x < area.x2) {
      uint8_t c;
      int L = runFrom(img, background, y, x, area.x2, c);
      x += L;
      maxIndex = std::max(maxIndex, c);
      // Runs beyond the code's range (only in areas wider than the canvas) continue in
      // further codes of the same index.
      for (; L > kBDMaxRun; L -= kBDMaxRun) {
        putBDRun(out, c, kBDMaxRun);
        cuts.push_back(out.outLen);
      }
      putBDRun(out, c, L);
      cuts.push_back(out.outLen);
    }
    putBDEndOfLine(out);
    if (area.x2 <= area.x1) cuts.push_back(out.outLen);
  }
  if (cuts.size() == firstCut || cuts.back() != out.outLen) cuts.push_back(out.outLen);
  return maxIndex;
}
