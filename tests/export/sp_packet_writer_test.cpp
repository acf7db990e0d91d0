// HD DVD packets of the HD DVD writer, from a picture and palette set by hand.
#include "export/sp_packet_writer.h"

#include <gtest/gtest.h>

#include "export/hd_runs.h"
#include "render/colour.h"
#include "paint.h"
#include "written_streams.h"

namespace {
struct SPFixture {
  std::vector<uint8_t> buf = std::vector<uint8_t>(262144);
  BitBuffer out{buf};
  PaletteState pal;
  IndexImage img;

  std::vector<uint8_t> packet(uint32_t start, uint32_t end, const EncodeArea& area) {
    putSPPacket(out, start, end, area, pal, img);
    return {out.bytes().begin(), out.bytes().end()};
  }
};

uint32_t le32(const std::vector<uint8_t>& b, size_t at) {
  return b.at(at) | b.at(at + 1) << 8 | b.at(at + 2) << 16 | uint32_t(b.at(at + 3)) << 24;
}
}  // namespace

TEST(SPPacketWriter, PacketAndUnitLayout) {
  SPFixture f;
  for (int k = 0; k < 256; ++k) {
    f.pal.palYCrCb[size_t(k)] = {uint8_t(k), uint8_t(255 - k), uint8_t(k / 2)};
    f.pal.palAlpha[size_t(k)] = uint8_t(k);
  }
  paintRect(f.img, {100, 51, 120, 52}, 2);
  const EncodeArea area{100, 50, 120, 53};  // rows 50 to 52
  const auto p = f.packet(0x01020304, 0x01020304 + 450000, area);

  EXPECT_EQ(p[0], 'S');
  EXPECT_EQ(p[1], 'P');
  EXPECT_EQ(le32(p, 2), 0x01020304u);
  EXPECT_EQ(le32(p, 6), 0u);
  EXPECT_EQ(be16(p, 10), 0u);
  EXPECT_EQ(be32(p, 12), p.size() - 10);
  EXPECT_EQ(p.size() % 2, 0u);

  // Fields: rows 50 and 52 on top, row 51 below; each row one row-end code.
  std::vector<uint8_t> fields;
  {
    BitBuffer b(fields);
    encodeHDField(b, f.img, 0, area, 0);
    const uint32_t bottom = b.outLen;
    EXPECT_EQ(bottom, 4u);
    encodeHDField(b, f.img, 0, area, 1);
    fields.resize(b.outLen);
  }
  EXPECT_EQ(fields, (std::vector<uint8_t>{0x88, 0x00, 0x88, 0x00, 0xA8, 0x00}));
  const size_t T = 20 + fields.size();
  EXPECT_EQ(std::vector<uint8_t>(p.begin() + 20, p.begin() + long(T)), fields);
  EXPECT_EQ(be32(p, 16), T - 10);

  // First sequence: start, colours, contrasts, area, fields, end.
  EXPECT_EQ(be16(p, T), 0u);
  EXPECT_EQ(be32(p, T + 2), T + 1040);
  EXPECT_EQ(p[T + 6], 0x01);
  EXPECT_EQ(p[T + 7], 0x83);
  // The stream's own colours, as they are; the transparent entry 0 black.
  for (size_t k = 0; k < 256; ++k) {
    const YCrCb c = k == 0 ? YCrCb{16, 128, 128} : f.pal.palYCrCb[k];
    ASSERT_EQ(p[T + 8 + 3 * k], c.y) << k;
    ASSERT_EQ(p[T + 9 + 3 * k], c.cr) << k;
    ASSERT_EQ(p[T + 10 + 3 * k], c.cb) << k;
    ASSERT_EQ(p[T + 777 + k], 255 - k) << k;
  }
  EXPECT_EQ(p[T + 776], 0x84);
  EXPECT_EQ(p[T + 1033], 0x85);
  // Columns 100 to 119, rows 50 to 52: the last ones named, as the reader takes them.
  EXPECT_EQ(std::vector<uint8_t>(p.begin() + long(T + 1034), p.begin() + long(T + 1040)),
            (std::vector<uint8_t>{0x06, 0x40, 0x77, 0x03, 0x20, 0x34}));
  EXPECT_EQ(p[T + 1040], 0x86);
  EXPECT_EQ(be32(p, T + 1041), 10u);
  EXPECT_EQ(be32(p, T + 1045), 14u);
  EXPECT_EQ(p[T + 1049], 0xFF);
  // Second sequence: 5 seconds later (450000 >> 10 = 439), stop, end; it points to itself.
  EXPECT_EQ(be16(p, T + 1050), 439u);
  EXPECT_EQ(be32(p, T + 1052), T + 1040);
  EXPECT_EQ(p[T + 1056], 0x02);
  EXPECT_EQ(p[T + 1057], 0xFF);
  // T + 1058 = 1084 is even: no padding.
  EXPECT_EQ(p.size(), T + 1058);
}

TEST(SPPacketWriter, OddLengthIsPaddedAndOpaquePaletteHasNoContrast) {
  SPFixture f;
  f.pal.palAlpha.fill(255);
  const EncodeArea area{0, 0, 8, 1};  // one row: one field of 2 bytes, T odd
  const auto p = f.packet(0, 90000, area);
  const size_t T = 22;
  EXPECT_EQ(p.size(), T + 1058 + 0);
  for (size_t k = 0; k < 256; ++k) ASSERT_EQ(p[T + 777 + k], 0) << k;

  const EncodeArea two{0, 0, 8, 2};  // two rows: T = 24 + 1058 even; three: odd
  EXPECT_EQ(f.packet(0, 90000, two).size(), 24u + 1058);
  const EncodeArea three{0, 0, 8, 3};
  const auto odd = f.packet(0, 90000, three);
  EXPECT_EQ(odd.size(), 26u + 1058);
  const EncodeArea oneByteRows{0, 0, 1, 1};  // a single pixel: 12 bits, 2 bytes
  EXPECT_EQ(f.packet(0, 90000, oneByteRows).size() % 2, 0u);
}

TEST(SPPacketWriter, DisplayAreaKeepsAnOddFirstRow) {
  SPFixture f;
  const EncodeArea area{600, 901, 1321, 1002};
  const auto p = f.packet(0, 90000, area);
  const size_t T = be32(p, 16) + 10;
  // x1 600 = 0x258, x2 1320 = 0x528, y1 901 = 0x385, y2 1001 = 0x3E9.
  EXPECT_EQ(std::vector<uint8_t>(p.begin() + long(T + 1034), p.begin() + long(T + 1040)),
            (std::vector<uint8_t>{0x25, 0x85, 0x28, 0x38, 0x53, 0xE9}));
}

TEST(SPPacketWriter, EndTimes) {
  SPFixture f;
  const EncodeArea area{0, 0, 4, 2};
  // Unknown end: one sequence, pointing to itself, without a stop.
  auto p = f.packet(90000, 0, area);
  size_t T = be32(p, 16) + 10;
  EXPECT_EQ(be32(p, T + 2), T - 10);
  EXPECT_EQ(p.size(), T + 1050);
  // A duration beyond 65535 x 1024 ticks keeps the longest delay instead of wrapping.
  p = f.packet(0, 70000u * 1024, area);
  T = be32(p, 16) + 10;
  EXPECT_EQ(be16(p, T + 1050), 0xFFFFu);
  // Across the wrap of the clock the duration stays the difference.
  p = f.packet(0xFFFFFC00u, 2048, area);
  EXPECT_EQ(be16(p, T + 1050), 3u);
}
