#include "export/hd_runs.h"

#include <cassert>

#include "export/work_pixel.h"

void putHDRun(BitBuffer& out, uint8_t c, int L, bool toRowEnd) {
  assert(toRowEnd || (L >= 1 && L <= kHDMaxRun));
  const bool wide = c > 3;
  const int indexBits = wide ? 8 : 2;
  if (!toRowEnd && L == 1) {
    out.putBits(wide ? 1 : 0, 2);
    out.putBits(c, indexBits);
    return;
  }
  out.putBits(wide ? 3 : 2, 2);
  out.putBits(c, indexBits);
  if (toRowEnd) {
    out.putBits(0x80, 8);  // 1, then a length of 0
  } else if (L <= 9) {
    out.putBits(uint32_t(L - 2), 4);  // 0, then L - 2 in 3 bits
  } else {
    out.putBits(uint32_t(0x80 | (L - 9)), 8);  // 1, then L - 9 in 7 bits
  }
}

void encodeHDField(BitBuffer& out, const IndexImage& img, uint8_t background, const EncodeArea& area, int field) {
  for (int y = area.y1 + field; y < area.y2; y += 2) {
    int x = area.x1;
    while (x < area.x2) {
      uint8_t c;
      int L = runFrom(img, background, y, x, area.x2, c);
      x += L;
      for (; L > kHDMaxRun && x < area.x2; L -= kHDMaxRun) putHDRun(out, c, kHDMaxRun, false);
      putHDRun(out, c, L, x == area.x2);
    }
    out.align();
  }
}
