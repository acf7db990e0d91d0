// The line pictures another engine reads: dark ink on white from brightness and opacity,
// cut to the band and its ink, scaled to one height, with the glyphs' slant marks.
#include "ocr/line_pictures.h"

#include <gtest/gtest.h>

#include <memory>

namespace {
enum : uint8_t { kClear = 0, kFill = 1, kOutline = 2, kDimFill = 3 };

class LinePictures : public ::testing::Test {
 protected:
  std::unique_ptr<IndexImage> picture = std::make_unique<IndexImage>();
  std::unique_ptr<OcrMask> mask = std::make_unique<OcrMask>();
  std::vector<LineBand> bands = {{10, 30}};
  AreaCorner corner{100, 900};

  void SetUp() override {
    picture->reset(kClear);
    picture->palette[kFill] = 0xFFFFFF;
    picture->transparency[kFill] = 255;
    picture->palette[kOutline] = 0x101010;
    picture->transparency[kOutline] = 255;
    picture->palette[kDimFill] = 0x808080;
    picture->transparency[kDimFill] = 255;
  }
  // Columns x .. x + w - 1 and rows y .. y + h - 1 of the area, relative to `at`.
  void rect(int x, int y, int w, int h, uint8_t index, AreaCorner at) {
    for (int r = y; r < y + h; ++r) picture->fillSpan(at.y + r, at.x + x, at.x + x + w, index);
  }
  // A light letter with a 3-pixel dark outline over the band's rows, columns 50 to 89: its
  // ink is the fill, columns 53 to 86.
  void outlinedLetter(uint8_t fill = kFill) {
    rect(50, 10, 40, 20, kOutline, corner);
    rect(53, 13, 34, 14, fill, corner);
  }
  std::vector<LinePicture> cut(int lineHeight, std::span<const AreaCorner> corners) {
    LinePictureOptions options;
    options.lineHeight = lineHeight;
    return cutLinePictures(*picture, corners, *mask, 600, 60, bands, options);
  }
  std::vector<LinePicture> cut(int lineHeight) { return cut(lineHeight, std::span(&corner, 1)); }
};

uint8_t at(const LinePicture& p, int x, int y) { return p.grey[size_t(y) * size_t(p.width) + size_t(x)]; }

TEST_F(LinePictures, SizeFollowsTheLineHeight) {
  outlinedLetter();
  // The ink is 34 columns wide; the band's 20 rows and 2 more above and below make 24.
  struct Case {
    int lineHeight, width, height;
  } cases[] = {{20, 34 + 2 * 5, 24 + 2 * 5}, {40, 68 + 2 * 10, 48 + 2 * 10}, {10, 17 + 2 * 4, 12 + 2 * 4}};
  for (const Case& c : cases) {
    const std::vector<LinePicture> lines = cut(c.lineHeight);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].width, c.width) << c.lineHeight;
    EXPECT_EQ(lines[0].height, c.height) << c.lineHeight;
    EXPECT_EQ(lines[0].grey.size(), size_t(c.width) * size_t(c.height));
    const int margin = std::max(4, c.lineHeight / 4);
    for (int x = 0; x < lines[0].width; ++x) EXPECT_EQ(at(lines[0], x, margin - 1), 255) << c.lineHeight;
    // The middle of the letter is black at every scale.
    EXPECT_EQ(at(lines[0], c.width / 2, c.height / 2), 0) << c.lineHeight;
  }
}

TEST_F(LinePictures, LightFillIsInkAndTheDarkOutlineIsGround) {
  outlinedLetter();
  const LinePicture line = cut(20)[0];  // scale 1: band column c is picture column c - 53 + 5
  const struct {
    int column, row;
    uint8_t grey;
  } pixels[] = {
      {53, 13, 0}, {86, 26, 0}, {70, 20, 0},  // the fill
      {52, 20, 255}, {87, 20, 255},           // the outline beside it
      {70, 12, 255}, {70, 27, 255},           // and above and below it
      {70, 8, 255},                           // the clear rows over the band
  };
  for (const auto& p : pixels) EXPECT_EQ(at(line, p.column - 53 + 5, p.row - 8 + 5), p.grey) << p.column << "," << p.row;
}

TEST_F(LinePictures, DimLetteringIsStretchedToBlack) {
  outlinedLetter(kDimFill);
  const LinePicture line = cut(20)[0];
  EXPECT_EQ(at(line, 70 - 53 + 5, 20 - 8 + 5), 0);
}

TEST_F(LinePictures, SecondAreaInksTheSameRowsRelativeToItsOwnCorner) {
  const AreaCorner corners[] = {corner, {700, 500}};
  rect(53, 13, 10, 14, kFill, corners[1]);
  const LinePicture line = cut(20, corners)[0];
  EXPECT_EQ(line.width, 10 + 2 * 5);
  EXPECT_EQ(at(line, 5, 20 - 8 + 5), 0);
}

TEST_F(LinePictures, BandWithoutInkGivesAnEmptyPicture) {
  rect(50, 10, 40, 20, kOutline, corner);  // an outline alone inks nothing
  const std::vector<LinePicture> lines = cut(20);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].width, 0);
  EXPECT_TRUE(lines[0].grey.empty());
}

TEST_F(LinePictures, NeighbouringBandsDoNotShareRows) {
  bands = {{10, 30}, {31, 51}};
  rect(53, 10, 34, 20, kFill, corner);
  rect(53, 31, 34, 20, kFill, corner);
  const std::vector<LinePicture> lines = cut(20);
  ASSERT_EQ(lines.size(), 2u);
  // One background row between them, row 30, goes to the lower band: the first takes 2 rows
  // above its 20, the second 1 above and 2 below.
  EXPECT_EQ(lines[0].height, 22 + 2 * 5);
  EXPECT_EQ(lines[1].height, 23 + 2 * 5);
}

// The slant measure over words of ten strokes, 3 columns wide and 11 apart, standing upright
// or leaning as italic lettering does (4 columns per 19 rows, the default slant): 30 inked
// columns read the way they stand, 70 read the other way.
class SlantMeasure : public LinePictures {
 protected:
  void strokes(int x, int count, bool lean) {
    const SkewRatio skew;
    for (int y = 10; y < 30; ++y)
      for (int i = 0; i < count; ++i) {
        const int left = x + 11 * i - (lean ? skew.shift(y, 10) : 0);
        for (int c = left; c < left + 3; ++c) mask->set(c, y, 1);
      }
  }
  // Whether the word over band columns a to b reads italic (the picture is at scale 2).
  bool italic(const LinePicture& line, int a, int b) {
    return readsItalic(line, (a - line.firstColumn) * 2 + line.margin, (b - line.firstColumn) * 2 + line.margin);
  }
};

TEST_F(SlantMeasure, EachWordOfAnEvenLineByItsOwnMeasure) {
  outlinedLetter();
  strokes(60, 10, false);
  strokes(260, 10, true);
  const LinePicture line = cut(40)[0];
  EXPECT_FALSE(italic(line, 60, 170));
  EXPECT_TRUE(italic(line, 256, 370));
  // Both at once weigh the same, as the whole line does: a tie reads upright.
  EXPECT_FALSE(italic(line, 60, 370));
  EXPECT_FALSE(italic(line, 400, 450));  // nothing there: the line's style
}

TEST_F(SlantMeasure, ShortWordsTakeTheirLinesStyle) {
  outlinedLetter();
  strokes(60, 10, true);
  strokes(200, 10, true);
  strokes(400, 1, false);  // 3 columns, fewer than the band's 20 rows
  const LinePicture line = cut(40)[0];
  EXPECT_TRUE(italic(line, 400, 402));
  EXPECT_TRUE(italic(line, 56, 170));
}
}  // namespace
