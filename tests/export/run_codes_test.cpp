// The run-length encoders of the two writers, over index images filled by hand.
#include <gtest/gtest.h>

#include <string>

#include "export/bd_runs.h"
#include "export/hd_runs.h"
#include "export/work_pixel.h"
#include "paint.h"

namespace {
using Bytes = std::vector<uint8_t>;

Bytes bdRun(uint8_t c, int L) {
  Bytes buf;
  BitBuffer b(buf);
  putBDRun(b, c, L);
  return Bytes(b.bytes().begin(), b.bytes().end());
}

// The bits written so far as text, pending bits included.
std::string bits(const BitBuffer& b) {
  std::string s;
  for (uint8_t byte : b.bytes())
    for (int i = 7; i >= 0; --i) s += char('0' + (byte >> i & 1));
  for (int i = b.bitCount - 1; i >= 0; --i) s += char('0' + (b.bitAcc >> i & 1));
  return s;
}

std::string hdRun(uint8_t c, int L, bool toRowEnd) {
  Bytes buf;
  BitBuffer b(buf);
  putHDRun(b, c, L, toRowEnd);
  return bits(b);
}

void fillRow(IndexImage& img, int y, int x, int n, uint8_t c) {
  paintRect(img, {x, y, x + n, y + 1}, c);
}

struct Encoded {
  Bytes buf;
  BitBuffer out{buf};
  std::vector<uint32_t> cuts;
  Bytes bytes() const { return Bytes(out.bytes().begin(), out.bytes().end()); }
};
}  // namespace

TEST(BDRunCodes, EveryCodeForm) {
  EXPECT_EQ(bdRun(5, 1), (Bytes{0x05}));
  EXPECT_EQ(bdRun(5, 2), (Bytes{0x05, 0x05}));
  EXPECT_EQ(bdRun(5, 3), (Bytes{0x00, 0x83, 0x05}));
  EXPECT_EQ(bdRun(7, 10), (Bytes{0x00, 0x8A, 0x07}));
  EXPECT_EQ(bdRun(7, 63), (Bytes{0x00, 0xBF, 0x07}));
  EXPECT_EQ(bdRun(7, 64), (Bytes{0x00, 0xC0, 0x40, 0x07}));
  EXPECT_EQ(bdRun(7, 100), (Bytes{0x00, 0xC0, 0x64, 0x07}));
  EXPECT_EQ(bdRun(0, 1), (Bytes{0x00, 0x01}));
  EXPECT_EQ(bdRun(0, 2), (Bytes{0x00, 0x02}));
  EXPECT_EQ(bdRun(0, 63), (Bytes{0x00, 0x3F}));
  EXPECT_EQ(bdRun(0, 64), (Bytes{0x00, 0x40, 0x40}));
  EXPECT_EQ(bdRun(0, 720), (Bytes{0x00, 0x42, 0xD0}));
  EXPECT_EQ(bdRun(0, kBDMaxRun), (Bytes{0x00, 0x7F, 0xFF}));
  EXPECT_EQ(bdRun(255, kBDMaxRun), (Bytes{0x00, 0xFF, 0xFF, 0xFF}));
}

TEST(BDRunCodes, RowsOfAnArea) {
  IndexImage img;  // all index 0
  fillRow(img, 11, 105, 3, 5);
  fillRow(img, 11, 108, 2, 9);
  Encoded e;
  const uint8_t maxIndex = encodeBDObject(e.out, img, 0, {100, 10, 820, 12}, e.cuts);
  // Row 10: 720 pixels of 0. Row 11: 5 x 0, 3 x 5, 2 x 9, 710 x 0.
  EXPECT_EQ(e.bytes(), (Bytes{0x00, 0x42, 0xD0, 0x00, 0x00,                                  //
                              0x00, 0x05, 0x00, 0x83, 0x05, 0x09, 0x09, 0x00, 0x42, 0xC6, 0x00, 0x00}));
  EXPECT_EQ(maxIndex, 9);
  // A fragment may end after each run (before the end-of-line code) and at the end.
  EXPECT_EQ(e.cuts, (std::vector<uint32_t>{3, 7, 10, 12, 15, 17}));
}

TEST(BDRunCodes, AreaBeyondTheCanvasReadsAsBackground) {
  IndexImage img;
  paintRect(img, {0, 0, 1920, 1080}, 3);
  fillRow(img, 1079, 1900, 20, 7);
  Encoded e;
  // 40 columns from 1900 and 2 rows from 1079: half of each row and all of row 1080 lie
  // outside; background index 7 continues the last pixels of row 1079.
  encodeBDObject(e.out, img, 7, {1900, 1079, 1940, 1081}, e.cuts);
  EXPECT_EQ(e.bytes(), (Bytes{0x00, 0xA8, 0x07, 0x00, 0x00, 0x00, 0xA8, 0x07, 0x00, 0x00}));

  // An area wider than one code can say: the run continues in further codes.
  Encoded wide;
  encodeBDObject(wide.out, img, 0, {0, 2000, 40000, 2001}, wide.cuts);
  EXPECT_EQ(wide.bytes(), (Bytes{0x00, 0x7F, 0xFF, 0x00, 0x7F, 0xFF, 0x00, 0x5C, 0x42, 0x00, 0x00}));
}

TEST(BDRunCodes, EmptyRowsCanEndAFragment) {
  IndexImage img;
  Encoded e;
  encodeBDObject(e.out, img, 0, {10, 10, 10, 13}, e.cuts);
  EXPECT_EQ(e.bytes(), (Bytes{0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(e.cuts, (std::vector<uint32_t>{2, 4, 6}));
}

TEST(HDRunCodes, EveryCodeForm) {
  EXPECT_EQ(hdRun(2, 1, false), "0010");
  EXPECT_EQ(hdRun(9, 1, false), "0100001001");
  EXPECT_EQ(hdRun(1, 2, false), "1001" "0" "000");
  EXPECT_EQ(hdRun(9, 3, false), "1100001001" "0" "001");
  EXPECT_EQ(hdRun(1, 9, false), "1001" "0" "111");
  EXPECT_EQ(hdRun(1, 10, false), "1001" "1" "0000001");
  EXPECT_EQ(hdRun(200, kHDMaxRun, false), "1111001000" "1" "1111111");
  EXPECT_EQ(hdRun(2, 1, true), "1010" "1" "0000000");
  EXPECT_EQ(hdRun(200, 500, true), "1111001000" "1" "0000000");
}

TEST(HDRunCodes, RowsOfAField) {
  IndexImage img;
  fillRow(img, 100, 50, 20, 2);  // a row filling the area from x1 to x2
  Bytes buf;
  BitBuffer out(buf);
  encodeHDField(out, img, 0, {50, 100, 70, 101}, 0);
  EXPECT_EQ(bits(out), "1010" "1" "0000000" "0000");

  // 3 pixels of 9, 300 of 1, one pixel of 4 at the row end: the long run takes two
  // 136-pixel codes and a 28-pixel one; the last pixel the row-end code.
  IndexImage img2;
  fillRow(img2, 0, 0, 3, 9);
  fillRow(img2, 0, 3, 300, 1);
  fillRow(img2, 0, 303, 1, 4);
  out.restart();
  encodeHDField(out, img2, 0, {0, 0, 304, 1}, 0);
  EXPECT_EQ(bits(out), "1100001001" "0" "001"              //
                       "1001" "1" "1111111" "1001" "1" "1111111" "1001" "1" "0010011"  //
                       "1100000100" "1" "0000000" "0000");
}

TEST(HDRunCodes, FieldsTakeEveryOtherRow) {
  IndexImage img;
  for (int y = 0; y < 5; ++y) fillRow(img, y, 0, 4, uint8_t(y));
  Bytes buf;
  BitBuffer out(buf);
  encodeHDField(out, img, 0, {0, 0, 4, 5}, 0);
  EXPECT_EQ(bits(out), "10001" "0000000" "0000"
                       "10101" "0000000" "0000"
                       "1100000100" "1" "0000000" "000000");
  out.restart();
  encodeHDField(out, img, 0, {0, 0, 4, 5}, 1);
  EXPECT_EQ(bits(out), "10011" "0000000" "0000"
                       "10111" "0000000" "0000");
}

TEST(WorkPixel, OutsideTheCanvasIsTheBackground) {
  IndexImage img;
  fillRow(img, 1079, 1919, 1, 6);
  EXPECT_EQ(workPixel(img, 2, 1919, 1079), 6);
  EXPECT_EQ(workPixel(img, 2, 1920, 1079), 2);
  EXPECT_EQ(workPixel(img, 2, 0, 1080), 2);
  uint8_t c;
  EXPECT_EQ(runFrom(img, 6, 1079, 1919, 3000, c), 1081);
  EXPECT_EQ(c, 6);
  EXPECT_EQ(runFrom(img, 0, 1079, 1919, 3000, c), 1);
  EXPECT_EQ(runFrom(img, 0, 1079, 1920, 3000, c), 1080);
  EXPECT_EQ(c, 0);
}
