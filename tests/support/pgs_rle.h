#pragma once
// Blu-ray run-length bytes for a picture given as rows of palette indexes, and the 5-byte
// palette entries of a palette segment: test data the way a stream carries it.
#include <cstdint>
#include <vector>

using IndexRows = std::vector<std::vector<uint8_t>>;

inline void appendPgsRun(std::vector<uint8_t>& out, uint8_t c, int len) {
  if (c != 0 && len <= 2) {
    for (int i = 0; i < len; ++i) out.push_back(c);
  } else if (len < 64) {
    out.push_back(0);
    if (c == 0) {
      out.push_back(uint8_t(len));
    } else {
      out.push_back(uint8_t(0x80 | len));
      out.push_back(c);
    }
  } else {
    out.push_back(0);
    out.push_back(uint8_t((c == 0 ? 0x40 : 0xC0) | len >> 8));
    out.push_back(uint8_t(len));
    if (c != 0) out.push_back(c);
  }
}

inline std::vector<uint8_t> encodePgsRle(const IndexRows& rows) {
  std::vector<uint8_t> out;
  for (const auto& row : rows) {
    for (size_t x = 0; x < row.size();) {
      size_t end = x;
      while (end < row.size() && row[end] == row[x] && end - x < 16383) ++end;
      appendPgsRun(out, row[x], int(end - x));
      x = end;
    }
    out.push_back(0);
    out.push_back(0);
  }
  return out;
}

struct PgsEntry {
  uint8_t id, y, cr, cb, alpha;
};
inline std::vector<uint8_t> pgsPalette(const std::vector<PgsEntry>& entries) {
  std::vector<uint8_t> out;
  for (const PgsEntry& e : entries) out.insert(out.end(), {e.id, e.y, e.cr, e.cb, e.alpha});
  return out;
}
