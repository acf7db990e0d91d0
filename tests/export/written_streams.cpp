#include "written_streams.h"

std::vector<PGSegmentView> splitPG(const std::vector<uint8_t>& b) {
  std::vector<PGSegmentView> out;
  size_t p = 0;
  while (p + 13 <= b.size() && b[p] == 'P' && b[p + 1] == 'G') {
    PGSegmentView s;
    s.pts = be32(b, p + 2);
    s.dts = be32(b, p + 6);
    s.type = b[p + 10];
    const size_t len = be16(b, p + 11);
    if (p + 13 + len > b.size()) break;
    s.payload.assign(b.begin() + long(p + 13), b.begin() + long(p + 13 + len));
    out.push_back(std::move(s));
    p += 13 + len;
  }
  return out;
}
