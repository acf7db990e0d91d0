#pragma once
// Splits the bytes the writers produce into their segments and packets, for tests that look
// at single fields.
#include <cstddef>
#include <cstdint>
#include <vector>

struct PGSegmentView {
  uint32_t pts = 0, dts = 0;
  uint8_t type = 0;
  std::vector<uint8_t> payload;
  size_t size() const { return 13 + payload.size(); }  // PG header and segment header included
};

// Every segment of a presentation graphics stream; stops at the first malformed one.
std::vector<PGSegmentView> splitPG(const std::vector<uint8_t>& bytes);

inline uint32_t be16(const std::vector<uint8_t>& b, size_t at) { return uint32_t(b.at(at)) << 8 | b.at(at + 1); }
inline uint32_t be24(const std::vector<uint8_t>& b, size_t at) { return be16(b, at) << 8 | b.at(at + 2); }
inline uint32_t be32(const std::vector<uint8_t>& b, size_t at) { return be16(b, at) << 16 | be16(b, at + 2); }
