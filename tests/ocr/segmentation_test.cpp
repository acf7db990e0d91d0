// Recognition of whole hand-drawn pictures: bands, cells, spaces, italic mode, the text.
#include <gtest/gtest.h>

#include "mask_painter.h"
#include "model/subtitle_list.h"
#include "ocr/ocr.h"
#include "ocr/text_assembly.h"

namespace {
constexpr int kBarW = 5, kBarH = 46;

class Recognise : public ::testing::Test {
 protected:
  RecognitionState state;
  WorkImages images;
  TSUP subtitle;
  OcrOptions options;
  ReadingStored stored = ReadingStored::nothing;
  MaskPainter paint{images.ocrMask};

  void SetUp() override { setArea(600, 200); }
  void setArea(int W, int H) {
    TSUP& s = subtitle;
    s.win[0].x1 = 300;
    s.win[0].x2 = uint16_t(300 + W);
    s.win[0].y1 = 700;
    s.win[0].y2 = uint16_t(700 + H);
    s.fontMode = fmUnrecognised;
    s.text = "line 1";
  }
  TSUP& sub() { return subtitle; }
  std::string run() {
    stored = ocr(subtitle, sfDVD, images, state, options);
    return sub().text;
  }
  void bar(int x, int y) { paint.rect(x, y, kBarW, kBarH); }
  void slantedBar(int x, int y) {
    paint.lean = true;
    paint.leanTop = y;
    bar(x, y);
    paint.lean = false;
  }
  // A "j": a stem with a hook to the left at its foot, 12 x 46.
  void jay(int x, int y) {
    paint.rect(x + 7, y, 5, 46);
    paint.rect(x, y + 40, 7, 6);
  }
};

TEST_F(Recognise, GapOfEighteenColumnsIsASpaceSeventeenIsNot) {
  bar(10, 10);
  bar(10 + kBarW + 18, 10);
  EXPECT_EQ(run(), "l l");
  paint.rect(0, 0, 200, 100, 0);
  bar(10, 10);
  bar(10 + kBarW + 17, 10);
  EXPECT_EQ(run(), "ll");
  EXPECT_EQ(sub().charCount, 2);
  EXPECT_EQ(sub().lineCount, 1);
}

TEST_F(Recognise, NarrowerGapBeforeAJIsASpace) {
  bar(10, 10);
  jay(10 + kBarW + 10, 10);
  EXPECT_EQ(run(), "l j");
  paint.rect(0, 0, 200, 100, 0);
  bar(10, 10);
  jay(10 + kBarW + 9, 10);
  EXPECT_EQ(run(), "lj");
}

TEST_F(Recognise, ShortBandJoinsTheLineBelowIt) {
  paint.rect(10, 0, 20, 5);  // a line of dashes, 3 rows above the text
  bar(60, 8);
  EXPECT_EQ(run(), "- l");
  EXPECT_EQ(sub().lineCount, 1);
}

TEST_F(Recognise, LastLineEndsInTheRowsBelowTheArea) {
  setArea(100, 40);  // the glyph reaches 6 rows past the area
  bar(10, 0);
  EXPECT_EQ(run(), "l");
  EXPECT_EQ(sub().lineCount, 1);
  EXPECT_EQ(sub().textOk, 1);
}

TEST_F(Recognise, ItalicLinesWithTagsGetOnePairPerLine) {
  options.insertTags = true;
  for (int y : {10, 80}) {
    slantedBar(20, y);
    slantedBar(20 + kBarW + 30, y);
  }
  EXPECT_EQ(run(), "<i>l l</i>|<i>l l</i>");
  EXPECT_EQ(sub().fontMode, fmItalic);
  EXPECT_EQ(sub().lineCount, 2);
  EXPECT_EQ(stored, ReadingStored::recordAndText);
}

TEST_F(Recognise, FontModeFollowsTheStylesRead) {
  bar(10, 10);
  bar(50, 10);
  run();
  EXPECT_EQ(sub().fontMode, fmNormal);

  paint.rect(0, 0, 200, 100, 0);
  setArea(600, 200);
  options.insertTags = true;
  slantedBar(20, 10);
  bar(60, 10);
  EXPECT_EQ(run(), "<i>l </i>l");
  EXPECT_EQ(sub().fontMode, fmAuto);
}

TEST_F(Recognise, ForcedStyleReadsEveryGlyphThatWay) {
  slantedBar(20, 10);
  bar(60, 10);
  sub().fontMode = fmItalic;
  run();
  EXPECT_EQ(sub().fontMode, fmItalic);
  for (int c = 1; c <= state.ocrLines[0].cellCount; ++c) EXPECT_EQ(state.ocrLines[0].cells[size_t(c)].italic, kItalic);
}

TEST_F(Recognise, UnknownGlyphKeepsItsMarkAfterBothReadings) {
  paint.rect(10, 10, 12, 14);  // no rule takes it, upright or slanted
  bar(60, 10);
  EXPECT_EQ(run(), "\xB7 l");
  EXPECT_EQ(sub().textOk, 0);
}

TEST_F(Recognise, LockedTextStaysButTheRecordIsUpdated) {
  bar(10, 10);
  sub().locked = 1;
  EXPECT_EQ(run(), "line 1");
  EXPECT_EQ(sub().lineCount, 1);
  EXPECT_EQ(stored, ReadingStored::recordAndText);  // the text box shows the kept text
}

TEST_F(Recognise, PictureWithoutInkChangesNothing) {
  EXPECT_EQ(run(), "line 1");
  EXPECT_EQ(stored, ReadingStored::nothing);
  EXPECT_EQ(sub().fontMode, fmUnrecognised);
  EXPECT_EQ(sub().textOk, 0);
}

TEST_F(Recognise, BandsAndCellsBeyondTheWorkingRecordsAreDropped) {
  setArea(1900, 1070);
  for (int r = 0; r < 25; ++r) paint.rect(10, r * 40, 5, 20);  // 25 bands of 20 rows
  for (int x = 40; x < 1890; x += 12) paint.rect(x, 0, 5, 5);  // a line of 155 dots
  run();
  EXPECT_EQ(sub().lineCount, kMaxBands);
  EXPECT_LE(state.ocrLines[0].cellCount, kMaxCells);
  EXPECT_GT(state.ocrLines[0].cellCount, kMaxCells - 4);
}

TEST_F(Recognise, BoxesAndGuideLinesMarkTheCut) {
  bar(10, 10);
  run();
  const Plane<Rgb>& d = images.display;
  auto rgb = [&](int x, int y) {
    const Rgb p = d.at(x, y);
    return (p.r << 16) | (p.g << 8) | p.b;
  };
  EXPECT_EQ(rgb(300 + 50, 700 + 9), 0x333333);        // guide line above the band
  EXPECT_EQ(rgb(300 + 50, 700 + 10 + kBarH), 0x333333);  // and below it
  EXPECT_EQ(rgb(300 + 9, 700 + 30), 0x008000);         // left edge of the green box
  EXPECT_EQ(rgb(300 + 10 + kBarW, 700 + 30), 0x008000);

  // With the picture hidden only the guide lines are drawn.
  images.display.reset(Rgb{});
  options.markCells = false;
  sub().fontMode = fmUnrecognised;
  run();
  EXPECT_EQ(rgb(300 + 9, 700 + 30), 0);
  EXPECT_EQ(rgb(300 + 50, 700 + 9), 0x333333);
}

TEST(TextAssembly, UnknownCellsAndCodePage) {
  std::array<OcrLine, kMaxBands> lines{};
  lines[0].cellCount = 3;
  lines[0].cells[1].ch = 0x266B;
  lines[0].cells[2].ch = 0;
  lines[0].cells[3].ch = 0xA3;
  lines[1].cellCount = 1;
  lines[1].cells[1].ch = 'a';
  const AssembledText t = assembleText(lines, 2, false);
  EXPECT_EQ(t.text, "?\xB7\xA3|a");
  EXPECT_FALSE(t.complete);
}
}  // namespace
