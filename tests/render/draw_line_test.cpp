// Measuring and drawing text lines from the letter sheet.
#include <gtest/gtest.h>

#include <array>

#include "render/draw_line.h"

namespace {
class Lettering : public ::testing::Test {
 protected:
  std::vector<TSUP> subs;
  LetterSheetState sheet;
  PaletteState pal;
  WorkImages images;
  RenderFlags flags;
  LetteringOptions options{.spacing = 4, .maxColor = 220, .savePng = true};  // as a fresh window has them

  // Measures a line that starts upright.
  int measure(const std::string& line) {
    sheet.italicOn = false;
    return measureLine(sheet, options.spacing, line);
  }
  void draw(const std::string& line, int lineNo, int sub) {
    DrawLine({subs, sheet, pal, images, flags, options}, line, lineNo, sub);
  }

  // A sheet with background everywhere but a few known pixels, a palette of the SRT kind for
  // the levels used, and one subtitle whose area is centred on a block of the given width.
  void prepareDrawing(int blockWidth) {
    sheet.letterSheet = GreyImage(kSheetMinWidth, kSheetMinHeight, kSheetBackground);
    pal.sheetMap.fill(1);
    pal.sheetMap[255] = 18;
    pal.sheetMap[0] = 2;
    pal.palAlpha[18] = 255;
    pal.palAlpha[2] = 154;
    pal.palRGB[18] = 0xFFFFFF;
    pal.palRGB[2] = 0;
    pal.cutColor = 0x919191;
    pal.idxBright = 18;
    pal.idxDark = 19;
    TSUP& s = subs.emplace_back();
    s.win[0].x1 = uint16_t((1920 - blockWidth) / 2);
    s.win[0].x2 = uint16_t(s.win[0].x1 + blockWidth);
    s.win[0].y1 = 1079;
    s.win[0].y2 = 0;
    images.overlay.resize(pal.displayWidth, pal.displayHeight, 0);
  }
  // Red, green, blue, alpha of an overlay pixel.
  std::array<uint8_t, 4> overlayAt(int x, int y) {
    const OverlayPixel p = images.overlay.at(x, y);
    return {uint8_t(p), uint8_t(p >> 8), uint8_t(p >> 16), alphaOf(p)};
  }
};
}  // namespace

TEST_F(Lettering, WidthsFollowTheBoxesTrimsAndSpacing) {
  EXPECT_EQ(measure(""), 0);
  EXPECT_EQ(measure("a"), 33);
  EXPECT_EQ(measure("abcd"), 138);  // 33 + 4 - 1 + 33 + 4 - 1 + 31 + 4 - 1 + 32
  // The space advances by its width and the spacing, upright and italic, and is never drawn.
  EXPECT_EQ(measure("a a") - measure("aa"), 12 + 4);
  EXPECT_EQ(measure("<i>a a") - measure("<i>aa"), 13 + 4);
  options.spacing = 0;
  EXPECT_EQ(measure("a a") - measure("aa"), 12);
}

TEST_F(Lettering, TheBoxesMayReachPastTheMeasuredWidth) {
  auto boxes = [&](const std::string& line) {
    sheet.italicOn = false;
    int width = -1;
    measureLine(sheet, options.spacing, line, &width);
    return width;
  };
  // The measured width ends on the last box's last column, the boxes one column later.
  EXPECT_EQ(boxes("abcd"), measure("abcd") + 1);
  // A closing tag adds the spacing less the right trim: 4 - 9 for the italic f (box 27).
  EXPECT_EQ(measure("<i>of</i>"), 35 + 4 - 1 + 27 + 4 - 9);
  EXPECT_EQ(boxes("<i>of</i>"), 35 + 4 - 1 + 27 + 1);
  // Spaces are never drawn: a trailing one takes no box.
  EXPECT_EQ(boxes("a "), 34);
  EXPECT_EQ(boxes(""), 0);
}

TEST_F(Lettering, PairAdjustments) {
  EXPECT_EQ(measure("Ka"), 41 + 4 - 2 - 1 + 33);  // the a moves 2 pixels left
  EXPECT_EQ(measure("KA"), 41 + 4 - 1 + 46);      // but not after a capital
  EXPECT_EQ(measure("K a"), measure("K") + 4 - 2 + 12 + 4 - 1 + 33);  // a space counts as lower case
  EXPECT_EQ(measure("Ra"), 44 + 4 - 1 - 2 - 1 + 33);
  EXPECT_EQ(measure("Ta"), 39 + 4 - 3 - 1 + 33);
  EXPECT_EQ(measure("gj"), 32 + 4 - 1 + 1 - 4 + 16);  // the j moves 1 pixel right
}

TEST_F(Lettering, TagsSwitchTablesAndShiftTheTrimCount) {
  // After a leading tag the first four glyphs keep their left trims (k - t <= 1), and the
  // steps the tag saved read the terminating zero: it adds the spacing less the right trim
  // of the last glyph.
  EXPECT_EQ(measure("<i>abcd"), 35 + 4 - 2 + 35 + 4 - 2 + 32 + 4 - 1 + 37 + 4 - 3);
  EXPECT_EQ(measure("<i>abc</i>"), 35 + 4 - 2 + 35 + 4 - 2 + 32 + 4 - 1);
  EXPECT_FALSE(sheet.italicOn);
  EXPECT_EQ(measure("ab</i>"), 33 + 4 - 1 + 33 + 4);
  // An open tag carries over to the next line, and measuring switches it as drawing does.
  sheet.italicOn = false;
  measureLine(sheet, options.spacing, "<i>x");
  EXPECT_TRUE(sheet.italicOn);
  EXPECT_EQ(measureLine(sheet, options.spacing, "a"), 35);
  // A "<" that starts no tag is a glyph.
  EXPECT_EQ(measure("<b"), 34 + 4 - 1 + 33);
}

TEST_F(Lettering, GlyphlessCodesAdvanceBySpacingOnly) {
  EXPECT_EQ(measure("a\xD2" "a") - measure("aa"), 4);  // code 210: a row but no width
  EXPECT_EQ(measure("a=a") - measure("aa"), 4);        // no glyph at all
}

TEST_F(Lettering, VeryLongLinesSaturate) { EXPECT_EQ(measure(std::string(3000, 'm')), 65535); }

TEST_F(Lettering, DrawsGlyphInkWithPaletteAlphaAndWidensTheRows) {
  prepareDrawing(33);
  // Into the box of "a" (columns 10 to 43 of glyph row 1, baseline row 57): a light pixel on
  // the baseline row and a dark one in the top row.
  sheet.letterSheet.at(10, 57) = 255;
  sheet.letterSheet.at(43, 0) = 0;
  draw("a", 1, 0);
  const int x = (1920 - 33) / 2, base = sheet.lineBase[1];
  EXPECT_EQ(overlayAt(x, base)[0], 220);  // grey 255 at brightness 220
  EXPECT_EQ(overlayAt(x, base)[3], 255);
  EXPECT_EQ(overlayAt(x + 33, base - 57)[0], 0);
  EXPECT_EQ(overlayAt(x + 33, base - 57)[3], 154);
  EXPECT_EQ(overlayAt(x + 1, base)[3], 0);  // background stays transparent
  EXPECT_EQ(subs[0].win[0].y1, base - 57);
  EXPECT_EQ(subs[0].win[0].y2, base);
}

TEST_F(Lettering, LeftTrimAndLineNumberPlaceGlyphs) {
  prepareDrawing(69);
  sheet.letterSheet.at(10, 57) = 255;
  draw("aa", 2, 0);
  const int x = (1920 - 69) / 2, base = sheet.lineBase[2];
  EXPECT_EQ(overlayAt(x, base)[3], 255);
  EXPECT_EQ(overlayAt(x + 33 + 4 - 1, base)[3], 255);  // the second a: advance, spacing, left trim
  EXPECT_EQ(base, 920);
}

TEST_F(Lettering, IndexPassCopiesTheWholeBoxForPicturesAndExports) {
  prepareDrawing(33);
  sheet.letterSheet.at(10, 57) = 255;
  images.indexImage.reset(7);
  const int x = (1920 - 33) / 2, base = sheet.lineBase[1];
  draw("a", 1, 0);  // a display render leaves the index image alone
  EXPECT_EQ(images.indexImage.at(x, base), 7);

  flags.exportBD = true;
  subs[0].win[0].y1 = 500;
  draw("a", 1, 0);
  EXPECT_EQ(images.indexImage.at(x, base), 18);
  EXPECT_EQ(images.indexImage.at(x + 1, base), 1);       // background of the box
  EXPECT_EQ(images.indexImage.at(x + 34, base), 7);      // one past the box
  EXPECT_EQ(subs[0].win[0].y1, 500);              // exports keep the area

  options.blackAndWhite = true;  // a stream keeps its colours; saved pictures go black and white
  draw("a", 1, 0);
  EXPECT_EQ(images.indexImage.at(x + 1, base), 1);
  flags.exportBD = false;
  flags.savingBitmaps = true;
  options.savePng = true;
  draw("a", 1, 0);
  EXPECT_EQ(images.indexImage.at(x, base), 18);
  EXPECT_EQ(images.indexImage.at(x + 1, base), 19);
}

TEST_F(Lettering, ExportKeepsTheInkOfAGlyphThatReachesIntoTheNextBox) {
  // The italic f (columns 280 to 307 of glyph row 2, baseline row 130) takes 9 columns off
  // its advance, so the box of the "a" after it starts 6 columns before the f's box ends.
  // The end of the f's hook there must survive the a's background, as it does on screen.
  prepareDrawing(100);
  sheet.letterSheet.at(307, 130) = 255;
  sheet.letterSheet.at(10, 130) = 255;  // the a's own first column
  images.indexImage.reset(7);
  flags.exportBD = true;
  draw("<i>fa</i>", 1, 0);
  const int x = (1920 - 100) / 2, base = sheet.lineBase[1];
  const int aStart = x + 27 + 4 - 9;  // the tag characters still keep the a's left trim off
  EXPECT_EQ(images.indexImage.at(x + 27, base), 18);
  EXPECT_EQ(images.indexImage.at(aStart, base), 18);
  EXPECT_EQ(images.indexImage.at(x + 26, base), 1);       // the f's background
  EXPECT_EQ(images.indexImage.at(x + 28, base), 1);       // the a's, past the f's box
  EXPECT_EQ(images.indexImage.at(aStart + 36, base), 7);  // past the a's box
}

TEST_F(Lettering, SavingBitmapsPaintsTheDisplayInsteadOfTheOverlay) {
  prepareDrawing(33);
  sheet.letterSheet.at(10, 57) = 255;
  flags.savingBitmaps = true;
  options.saveBmp = true;
  options.savePng = false;
  images.indexImage.reset(7);
  const int x = (1920 - 33) / 2, base = sheet.lineBase[1];
  draw("a", 1, 0);
  EXPECT_EQ(images.display.at(x, base).g, 220);
  EXPECT_EQ(overlayAt(x, base)[3], 0);
  EXPECT_EQ(images.indexImage.at(x, base), 7);
}

TEST_F(Lettering, NothingIsDrawnOutsideTheImagesOrWithoutABaseline) {
  prepareDrawing(33);
  for (int y = 0; y < kSheetMinHeight; ++y)
    for (int x = 0; x < kSheetMinWidth; ++x) sheet.letterSheet.at(x, y) = 255;
  flags.exportHD = true;
  // Text far wider than the canvas ends right of the last column.
  subs[0].win[0].x1 = 0;
  subs[0].win[0].x2 = 1919;
  draw(std::string(80, 'm'), 1, 0);
  flags.exportHD = false;
  sheet.lineBase[1] = 1075;  // glyph rows below the canvas
  draw(std::string(80, 'm'), 1, 0);
  EXPECT_EQ(subs[0].win[0].y2, 1079);
  // A line above the tenth has no baseline, a subtitle outside the list no area.
  images.overlay.resize(pal.displayWidth, pal.displayHeight, 0);
  draw("<i>mmm", 11, 0);
  draw("mmm", 1, 5);
  EXPECT_TRUE(sheet.italicOn);
  EXPECT_TRUE(images.overlay.written().empty());
}

TEST_F(Lettering, SpacesAndGlyphlessCodesLeaveTheRowsAlone) {
  prepareDrawing(100);
  for (int y = 0; y < kSheetMinHeight; ++y)
    for (int x = 0; x < kSheetMinWidth; ++x) sheet.letterSheet.at(x, y) = 255;
  draw("   \xD2", 1, 0);
  EXPECT_EQ(subs[0].win[0].y1, 1079);
  EXPECT_EQ(subs[0].win[0].y2, 0);
}

TEST(LineBase, FollowsTheOptionsWithinTheCanvas) {
  const LineBaseTable t = lineBaseFor(1010, 90);
  EXPECT_EQ(t[1], 1010);
  EXPECT_EQ(t[2], 920);
  EXPECT_EQ(t[10], 200);
  const LineBaseTable low = lineBaseFor(2000, 500);
  EXPECT_EQ(low[1], 1080 - 1 - 15);  // the descent of every glyph row stays on the canvas
  EXPECT_EQ(low[3], 1000);
  EXPECT_EQ(low[4], 500);
  EXPECT_EQ(low[5], 58);             // and so does the ascent
  EXPECT_EQ(low[10], 58);
}
