// The writers' assembly buffer: bit order, word layouts, patching and growth.
#include "export/bit_buffer.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {
using Bytes = std::vector<uint8_t>;

Bytes written(const BitBuffer& b) { return Bytes(b.bytes().begin(), b.bytes().end()); }
}  // namespace

TEST(BitBuffer, BitsAreTakenMostSignificantFirst) {
  Bytes buf(16);
  BitBuffer b(buf);
  b.putBits(2, 2);
  b.putBits(1, 2);
  b.putBits(5, 4);
  EXPECT_EQ(written(b), (Bytes{0x95}));
  EXPECT_EQ(b.bitCount, 0);
  EXPECT_EQ(b.bitAcc, 0);

  // A byte put half-way through a byte straddles two bytes; the rest waits.
  b.putBits(1, 4);
  b.putByte(0xAB);
  EXPECT_EQ(written(b), (Bytes{0x95, 0x1A}));
  EXPECT_EQ(b.bitCount, 4);
  EXPECT_EQ(b.bitAcc, 0xB);
  b.align();
  EXPECT_EQ(written(b), (Bytes{0x95, 0x1A, 0xB0}));
  b.align();  // already on a boundary: nothing added
  EXPECT_EQ(b.outLen, 3u);
}

TEST(BitBuffer, WordLayouts) {
  Bytes buf(16);
  BitBuffer b(buf);
  b.put16(0x5047);
  b.put32LE(258);
  b.put32(258);
  b.put24(0x123456);
  EXPECT_EQ(written(b), (Bytes{0x50, 0x47, 2, 1, 0, 0, 0, 0, 1, 2, 0x12, 0x34, 0x56}));

  // A 16-bit value at an odd bit position keeps its bit order.
  b.restart();
  b.putBits(1, 1);
  b.put16(0xFFFF);
  b.align();
  EXPECT_EQ(written(b), (Bytes{0xFF, 0xFF, 0x80}));
}

TEST(BitBuffer, PatchingStaysInsideTheBytesWritten) {
  Bytes buf(16);
  BitBuffer b(buf);
  b.put32(0);
  b.patch8(0, 0xAA);
  b.patch16(1, 0xBBCC);
  b.patch24(1, 0x010203);
  EXPECT_EQ(written(b), (Bytes{0xAA, 1, 2, 3}));
  EXPECT_THROW(b.patch8(4, 0), std::out_of_range);
  EXPECT_THROW(b.patch16(3, 0), std::out_of_range);
  EXPECT_THROW(b.patch24(0xFFFFFFFFu, 0), std::out_of_range);
}

TEST(BitBuffer, GrowsPastItsInitialSize) {
  Bytes buf(262144);
  BitBuffer b(buf);
  for (uint32_t i = 0; i < 300000; ++i) b.putByte(uint8_t(i * 7));
  for (uint32_t i = 0; i < 100000; ++i) b.putBits(i & 1, 1);
  b.putBytes(Bytes{9, 8, 7});
  ASSERT_EQ(b.outLen, 300000u + 12500u + 3u);
  ASSERT_GE(buf.size(), b.outLen);
  for (uint32_t i = 0; i < 300000; ++i) ASSERT_EQ(buf[i], uint8_t(i * 7)) << i;
  EXPECT_EQ(buf[300000], 0x55);
  EXPECT_EQ(buf[b.outLen - 1], 7);

  // Restarting keeps the room and the old bytes beyond the new end.
  b.restart();
  b.putByte(1);
  EXPECT_EQ(written(b), (Bytes{1}));
  EXPECT_EQ(buf[1], uint8_t(7));
}
