#include "render/rle_decode.h"

#include <gtest/gtest.h>

#include <array>

#include "model/file_error.h"
#include "model/subtitle_list.h"
#include "readers/stream_file.h"

namespace {
constexpr uint8_t kBackground = 250;
constexpr int B = kBackground;
using V = std::vector<int>;

// Bytes from a string of bits ("10 01 1 0000000"), spaces ignored, the last byte padded with 0.
std::vector<uint8_t> bits(const std::string& s) {
  std::vector<uint8_t> out;
  int n = 0;
  for (char c : s) {
    if (c != '0' && c != '1') continue;
    if (n % 8 == 0) out.push_back(0);
    if (c == '1') out.back() |= uint8_t(0x80 >> (n % 8));
    ++n;
  }
  return out;
}

struct DecodeTest : ::testing::Test {
  // The pictures, the palette and the list the decoders use, and nothing else.
  struct State : WorkImages, PaletteState, SubtitleList {} app;
  RunMode mode;

  DecodeTest() {
    app.overlay.resize(kCanvasWidth, kCanvasHeight, 0);
    app.indexImage.reset(kBackground);
    // Entry i is grey i, opaque; entries from 128 up count as bright.
    for (int i = 0; i < 256; ++i) {
      app.palRGB[size_t(i)] = PackedColor(i) * 0x010101u;
      app.palAlpha[size_t(i)] = 255;
    }
    app.cutColor = 0x808080;
  }

  TSUP& sub(uint8_t format, int x1, int y1, int x2, int y2) {
    app.subFormat = format;
    TSUP& s = app.appendSub();
    s.win[0] = TSUPWin{0, uint16_t(x1), uint16_t(x2), uint16_t(y1), uint16_t(y2), 1000, 0, 0, 0};
    if (format == sfBluRay) {  // one object that fills the area
      TSUPObject& o = s.objects.emplace_back();
      o.x = uint16_t(x1), o.y = uint16_t(y1), o.width = uint16_t(x2 - x1), o.height = uint16_t(y2 - y1);
    }
    return s;
  }
  // Decodes s from bytes: area 0 (for DVD and HD DVD the bottom field starts at `bottom`),
  // or the Blu-ray object, whose data is all of them.
  void decode(TSUP& s, const std::vector<uint8_t>& bytes, int bottom = -1) {
    if (app.subFormat == sfBluRay) {
      const StreamFile file(bytes);
      s.objects[0].fragments = {{0, uint32_t(bytes.size())}};
      drawObject(app, app, file, s, s.objects[0], mode);
      return;
    }
    s.win[0].dataLen = uint32_t(bytes.size());
    s.win[0].nextPos = bottom < 0 ? 0 : s.win[0].dataPos + uint32_t(bottom);
    std::copy(bytes.begin(), bytes.end(), app.pixBuf.begin());
    decodeArea(app, app, app.subFormat, s, bytes.size(), mode);
  }
  // n palette indexes of row y from column x.
  V row(int x, int y, int n) const {
    V out;
    for (int i = 0; i < n; ++i) out.push_back(app.indexImage.at(x + i, y));
    return out;
  }
  V maskRow(int x, int y, int n) const {
    V out;
    for (int i = 0; i < n; ++i) out.push_back(app.ocrMask.at(x + i, y));
    return out;
  }
};

TEST_F(DecodeTest, DvdShortCodesEndTheLineAtTheAreaWidth) {
  TSUP& s = sub(sfDVD, 10, 20, 13, 40);  // 4 pixels wide
  // 0x5E: one pixel of 1, three of 2; x = 4 > 3 ends the line, the next byte goes to row + 2.
  decode(s, {0x5E, 0x7C});
  EXPECT_EQ(row(10, 20, 5), (V{1, 2, 2, 2, B}));
  EXPECT_EQ(row(10, 21, 4), (V{B, B, B, B}));
  EXPECT_EQ(row(10, 22, 5), (V{3, 0, 0, 0, B}));
}

TEST_F(DecodeTest, DvdRunToLineEndAndAlignment) {
  TSUP& s = sub(sfDVD, 0, 0, 5, 10);
  decode(s, bits("0000 0000 0000 0010  0100 0101 0000 0000 0000 0011"));
  EXPECT_EQ(row(0, 0, 7), (V{2, 2, 2, 2, 2, 2, B}));  // 0x00 0x02: the rest of the line in 2
  EXPECT_EQ(row(0, 2, 7), (V{0, 1, 3, 3, 3, 3, B}));

  // One pixel wide: a 4-bit code ends the line half a byte into the data, and the rest of
  // that byte is skipped (read as a code, 0001 1000 would be six pixels).
  TSUP& narrow = sub(sfDVD, 100, 0, 100, 10);
  decode(narrow, {0x41, 0x80, 0x00});
  EXPECT_EQ(row(100, 0, 2), (V{0, B}));
  EXPECT_EQ(row(100, 2, 3), (V{0, 0, B}));  // the whole run is written past the edge
  EXPECT_EQ(row(100, 4, 2), (V{0, B}));
}

TEST_F(DecodeTest, DvdLongerCodes) {
  TSUP& s = sub(sfDVD, 0, 0, 299, 10);
  decode(s, bits("00 0101 11  0000 010001 10  000000 01000000 01  0000 0000 0000 0000"));
  EXPECT_EQ(row(0, 0, 6), (V{3, 3, 3, 3, 3, 2}));
  EXPECT_EQ(row(21, 0, 2), (V{2, 1}));
  EXPECT_EQ(row(85, 0, 2), (V{1, 0}));
  EXPECT_EQ(row(299, 0, 2), (V{0, B}));
}

TEST_F(DecodeTest, DvdFieldsSwitchWhereTheBottomFieldStarts) {
  TSUP& s = sub(sfDVD, 0, 0, 3, 10);
  // Two top lines, a stray byte before the bottom field decoded as a third top line.
  decode(s, {0x5E, 0x7C, 0xD5, 0xFF, 0xFF}, 3);
  EXPECT_EQ(row(0, 0, 4), (V{1, 2, 2, 2}));
  EXPECT_EQ(row(0, 2, 4), (V{3, 0, 0, 0}));
  EXPECT_EQ(row(0, 4, 4), (V{1, 1, 1, 1}));
  EXPECT_EQ(row(0, 1, 7), (V{3, 3, 3, 3, 3, 3, B}));
  EXPECT_EQ(row(0, 3, 4), (V{3, 3, 3, 3}));
  EXPECT_EQ(row(0, 5, 4), (V{B, B, B, B}));

  // A top field that runs past the bottom field's offset is cut there.
  TSUP& cut = sub(sfDVD, 50, 0, 57, 10);  // 8 wide
  decode(cut, {0xD5, 0xD5, 0xD5, 0xFF, 0xFF}, 1);
  EXPECT_EQ(row(50, 0, 8), (V{1, 1, 1, 1, B, B, B, B}));
  EXPECT_EQ(row(50, 1, 8), (V{1, 1, 1, 1, 1, 1, 1, 1}));
  EXPECT_EQ(row(50, 3, 10), (V{3, 3, 3, 3, 3, 3, 3, 3, 3, B}));
  EXPECT_EQ(row(50, 5, 4), (V{B, B, B, B}));  // the line ended half-way through the last byte
}

TEST_F(DecodeTest, DvdEmptyDataStillDecodesOneCode) {
  TSUP& s = sub(sfDVD, 5, 5, 7, 10);
  decode(s, {});
  EXPECT_EQ(row(5, 5, 4), (V{0, 0, 0, B}));  // zero bits: a run of 0 to the end of the line
}

TEST_F(DecodeTest, HdDvdCodes) {
  TSUP& s = sub(sfHDDVD, 0, 0, 199, 10);
  decode(s, bits("00 11  01 11111111  10 01 0 011  10 10 1 0000001  11 10000000 0 000"
                 "  11 00000111 1 0000010  10 01 1 0000000  00  00 10"));
  EXPECT_EQ(row(0, 0, 2), (V{3, 255}));
  EXPECT_EQ(row(2, 0, 6), (V{1, 1, 1, 1, 1, 2}));         // 3 + 2 of 1
  EXPECT_EQ(row(16, 0, 4), (V{2, 128, 128, 7}));          // 1 + 9 of 2, 0 + 2 of 128
  EXPECT_EQ(row(29, 0, 2), (V{7, 1}));                    // 2 + 9 of 7
  EXPECT_EQ(row(199, 0, 2), (V{1, B}));                   // 10 01 1 0000000: 1 to the end
  EXPECT_EQ(row(0, 2, 3), (V{2, 0, B}));                  // the next line, byte-aligned
}

TEST_F(DecodeTest, BluRayCodes) {
  TSUP& s = sub(sfBluRay, 10, 5, 10 + 300, 5 + 10);
  decode(s, {0x05, 0x00, 0x0A, 0x00, 0x8A, 0x07, 0x00, 0x40, 0x64, 0x00, 0xC0, 0x64, 0x07, 0x00, 0x00,
             // a line of exactly the window's width does not end by itself ...
             0x00, 0xC1, 0x2C, 0x09, 0x00, 0x00,
             // ... the end-of-line code does
             0x03});
  EXPECT_EQ(row(10, 5, 3), (V{5, 0, 0}));
  EXPECT_EQ(row(20, 5, 2), (V{0, 7}));
  EXPECT_EQ(row(30, 5, 2), (V{7, 0}));
  EXPECT_EQ(row(130, 5, 2), (V{0, 7}));
  EXPECT_EQ(row(230, 5, 2), (V{7, B}));
  EXPECT_EQ(row(309, 6, 2), (V{9, B}));
  EXPECT_EQ(row(10, 7, 2), (V{3, B}));
}

TEST_F(DecodeTest, MaskAndOverlayFollowTheMode) {
  app.palAlpha[0] = 0;
  app.palAlpha[200] = 128;
  TSUP& s = sub(sfBluRay, 100, 200, 110, 210);
  const std::vector<uint8_t> data = {0x00, 0x82, 0x00, 0x00, 0x82, 0xC8, 0x00, 0x82, 0x32, 0x00, 0x00};
  decode(s, data);
  // Mask: bright and visible pixels, relative to the area's corner.
  EXPECT_EQ(maskRow(0, 0, 7), (V{0, 0, 1, 1, 0, 0, 0}));
  EXPECT_EQ(app.ocrMask.at(102, 200), 0);
  EXPECT_EQ(row(100, 200, 6), (V{B, B, 200, 200, 50, 50}));  // transparent runs leave the index
  EXPECT_EQ(app.overlay.at(102, 200), overlayPixel(0xC8C8C8, 128));
  EXPECT_EQ(app.overlay.at(104, 200), overlayPixel(0x323232, 255));
  EXPECT_EQ(app.overlay.at(100, 200), 0u);

  mode.twoTone = true;  // drawn for recognition
  decode(s, data);
  EXPECT_EQ(app.overlay.at(102, 200), overlayPixel(0xCCCCCC, 128));
  EXPECT_EQ(app.overlay.at(104, 200), overlayPixel(0, 255));
  mode.twoTone = false;

  mode.exporting = true;
  app.overlay.reset(0);
  decode(s, data);
  EXPECT_EQ(app.overlay.at(102, 200), overlayPixel(0, 128));  // colours are not painted
  mode.exporting = false;

  // Saving black-and-white pictures: only the bright and the dark index, transparent runs too.
  mode.twoTone = mode.blackWhite = true;
  app.idxBright = 7;
  app.idxDark = 8;
  decode(s, data);
  EXPECT_EQ(row(100, 200, 7), (V{8, 8, 7, 7, 8, 8, B}));
  EXPECT_EQ(app.overlay.at(102, 200), overlayPixel(0xCCCCCC, 128));
}

TEST_F(DecodeTest, RunsAndLinesOverrunningAPictureAreCut) {
  app.overlay.resize(720, 576, 0);
  TSUP& s = sub(sfBluRay, 1900, 1075, 1950, 1090);
  std::vector<uint8_t> data;
  for (int line = 0; line < 20; ++line)
    data.insert(data.end(), {0x00, 0xFF, 0xFF, 0xC8, 0x00, 0x00});  // 16383 pixels of 200
  decode(s, data);
  // The object is 50 x 15: its lines stop at its width, its rows at its height and both at
  // the canvas's edge.
  EXPECT_EQ(row(1900, 1075, 20), V(20, 200));
  EXPECT_EQ(row(1900, 1079, 20), V(20, 200));
  EXPECT_EQ(app.indexImage.at(1899, 1079), B);
  V lastMaskRow(50, 1);
  lastMaskRow.push_back(0);
  EXPECT_EQ(maskRow(0, 14, 51), lastMaskRow);
  EXPECT_EQ(maskRow(0, 15, 1), V{0});
  EXPECT_EQ(app.overlay.at(719, 575), 0u);

  // A DVD area whose x2 lies left of x1: every run ends its line. Runs past the right edge
  // of an area are written whole, up to the canvas's edge.
  TSUP& odd = sub(sfDVD, 500, 0, 400, 5);
  decode(odd, {0x41, 0x42});
  EXPECT_EQ(row(500, 0, 2), (V{0, B}));
  EXPECT_EQ(row(500, 2, 2), (V{0, B}));
  TSUP& wide = sub(sfDVD, 1910, 0, 1913, 5);
  decode(wide, bits("000000 11111111 01"));
  EXPECT_EQ(row(1910, 0, 10), V(10, 1));
}

TEST_F(DecodeTest, BluRayObjectsFromTheFile) {
  std::vector<uint8_t> file(400);
  const std::vector<uint8_t> first = {0x11, 0x11}, second = {0x12, 0x00}, third = {0x00, 0x13};
  std::copy(first.begin(), first.end(), file.begin() + 100);
  std::copy(second.begin(), second.end(), file.begin() + 200);
  std::copy(third.begin(), third.end(), file.begin() + 300);
  const StreamFile stream(file);
  app.subFormat = sfBluRay;
  TSUP& s = app.appendSub();
  // An object in three fragments at (10, 10), one more in a second window at (50, 70): each
  // area is as large as its object.
  s.objects.resize(2);
  s.objects[0] = {0, 0, 10, 10, 4, 3, false, 0, 0, 0, 0, {{100, 2}, {200, 2}, {300, 2}}};
  s.objects[1] = {7, 1, 50, 70, 2, 1, false, 0, 0, 0, 0, {{200, 1}}};
  s.win[0] = TSUPWin{0, 10, 14, 10, 13, 100, 300, 2, 1};
  s.win[1] = TSUPWin{7, 50, 52, 70, 71, 200, 0, 1, 0};
  decodeSubtitle(app, app, app.subFormat, stream, s);
  EXPECT_EQ(row(10, 10, 5), (V{17, 17, 18, B, B}));  // the fragments joined in order
  EXPECT_EQ(row(10, 11, 2), (V{19, B}));              // after an end-of-line code split in two
  EXPECT_EQ(row(50, 70, 3), (V{18, B, B}));
  EXPECT_EQ(maskRow(0, 0, 1), V{0});  // dark: the mask stays empty
  const TSUPWin both = recognitionArea(s, sfBluRay);  // both windows, as on screen
  EXPECT_EQ((std::array<int, 4>{both.x1, both.y1, both.x2, both.y2}), (std::array<int, 4>{10, 10, 52, 71}));

  // Cropped: only the crop rectangle shows, its corner at the object's place.
  app.indexImage.reset(kBackground);
  s.objects.resize(1);
  s.objects[0].x = 20;
  s.objects[0].cropped = true;
  s.objects[0].cropX = 1, s.objects[0].cropY = 0, s.objects[0].cropW = 2, s.objects[0].cropH = 1;
  decodeSubtitle(app, app, app.subFormat, stream, s);
  EXPECT_EQ(recognitionArea(s, sfBluRay).x2, 14);
  EXPECT_EQ(row(19, 10, 4), (V{B, 17, 18, B}));
  EXPECT_EQ(row(20, 11, 2), (V{B, B}));

  s.objects[0].fragments[2].len = 101;  // beyond the end of the file
  EXPECT_THROW(decodeSubtitle(app, app, app.subFormat, stream, s), FileError);
}

TEST_F(DecodeTest, LongData) {
  // DVD and HD DVD data longer than the buffer is cut to it.
  std::vector<uint8_t> file(kPixBufSize + 5000, 0x01);
  const StreamFile stream(file);
  TSUP& s = sub(sfDVD, 0, 0, 100, 100);
  s.win[0].dataLen = uint32_t(kPixBufSize + 100);
  EXPECT_EQ(loadAreaData(app.pixBuf, stream, s), kPixBufSize);
  s.win[0].dataLen = 10;
  EXPECT_EQ(loadAreaData(app.pixBuf, stream, s), 10u);

  // A Blu-ray object longer than the buffer, in two fragments, is drawn whole: 1080 lines of
  // 248 single pixels, 250 bytes each with the end-of-line code.
  std::vector<uint8_t> lines;
  for (int y = 0; y < 1080; ++y) {
    for (int x = 0; x < 248; ++x) lines.push_back(uint8_t(5 + x % 2));
    lines.insert(lines.end(), {0x00, 0x00});
  }
  ASSERT_GT(lines.size(), kPixBufSize);
  const StreamFile big(lines);
  TSUP& tall = sub(sfBluRay, 0, 0, 248, 1080);
  tall.objects[0].fragments = {{0, 150000}, {150000, uint32_t(lines.size() - 150000)}};
  drawObject(app, app, big, tall, tall.objects[0]);
  EXPECT_EQ(row(0, 1079, 3), (V{5, 6, 5}));
  EXPECT_EQ(row(246, 1079, 3), (V{5, 6, B}));
}
}  // namespace
