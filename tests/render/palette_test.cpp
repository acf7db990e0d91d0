#include <gtest/gtest.h>

#include "model/file_error.h"
#include "readers/stream_file.h"
#include "render/colour.h"
#include "render/index_image.h"
#include "support/temp_dir.h"

namespace {
struct PaletteTest : ::testing::Test {
  // What a drawing of the list uses, the options as a fresh program has them.
  struct State : SubtitleList, ListSource, PaletteState, WorkImages, LetterSheetState, RenderFlags {} app;
  RenderOptions options{.cutLevel = 145, .maxColor = 220};
  std::string streamPath;
  TempDir dir;

  // Builds the palette of subs[n] as a drawing does, from the list's stream.
  void build(int n) {
    Drawing d{app, app, streamPath, app, app, app, app, options};
    const std::unique_ptr<StreamFile> file = openListStream(d);
    setpal(app, app, n, file.get(), paletteOptions(d, listDisplaySize(d)));
  }

  TSUP& add(uint8_t format) {
    app.subFormat = format;
    return app.appendSub();
  }
  // A stream file of `size` bytes, `at` holding `bytes` at their positions.
  void writeStream(size_t size, const std::vector<std::pair<size_t, std::vector<uint8_t>>>& at) {
    std::vector<uint8_t> file(size);
    for (const auto& [pos, bytes] : at) std::copy(bytes.begin(), bytes.end(), file.begin() + long(pos));
    streamPath = dir.write("s.sup", file);
  }
};

TEST_F(PaletteTest, CutColourFollowsTheCutLevel) {
  add(sfDVD);
  writeStream(4, {});
  build(0);
  EXPECT_EQ(app.cutColor, 0x919191u);
  // Pure red 255 counts as dark, pure blue 146 as bright.
  EXPECT_LT(PackedColor(0x0000FF), app.cutColor);
  EXPECT_GE(PackedColor(0x920000), app.cutColor);
}

TEST_F(PaletteTest, DvdUsesFixedEntriesAndKeepsTheRest) {
  add(sfDVD);
  writeStream(4, {});
  app.palRGB[7] = 0x123456;
  app.palAlpha[7] = 99;
  build(0);
  EXPECT_EQ(app.palRGB[1], 0xFFFFFFu);
  EXPECT_EQ(app.palRGB[3], 0xCCCCCCu);
  EXPECT_EQ(app.palAlpha[0], 0);
  EXPECT_EQ(app.palAlpha[2], 255);
  EXPECT_EQ(app.palRGB[7], 0x123456u);
  EXPECT_EQ(app.palAlpha[7], 99);
  EXPECT_EQ(app.idxBright, 1);
  EXPECT_EQ(app.idxClear, 0);
  EXPECT_EQ(app.idxDark, 2);
  EXPECT_EQ(app.displayWidth, 720);
  EXPECT_EQ(app.displayHeight, 576);
}

TEST_F(PaletteTest, HdDvdReadsColoursAndContrastFromTheControlArea) {
  TSUP& s = add(sfHDDVD);
  s.win[0].dataPos = 100;
  s.win[0].dataLen = 50;  // control area at 150
  s.colorOfs = 10;
  s.contrOfs = 800;
  std::vector<uint8_t> colours(768), contrast(256, 0xFF);
  for (int i = 0; i < 256; ++i) colours[size_t(3 * i)] = 16, colours[size_t(3 * i + 1)] = 128, colours[size_t(3 * i + 2)] = 128;
  colours[3 * 5] = 235;  // entry 5 white
  contrast[5] = 0;       // and opaque
  contrast[9] = 0;       // entry 9 black, opaque
  contrast[200] = 0x80;
  writeStream(150 + 800 + 256, {{160, colours}, {950, contrast}});
  app.displayWidth = 720;
  build(0);
  EXPECT_EQ(app.palRGB[5], 0xFFFFFFu);
  EXPECT_EQ(app.palAlpha[5], 255);  // contrast 0
  EXPECT_EQ(app.palAlpha[0], 0);    // contrast 255
  EXPECT_EQ(app.palAlpha[200], 127);
  EXPECT_EQ(app.idxClear, 0);  // first of the fully transparent entries
  EXPECT_EQ(app.idxBright, 5);
  EXPECT_EQ(app.idxDark, 9);
  EXPECT_EQ(app.displayWidth, 1920);
}

TEST_F(PaletteTest, BluRayListsOnlySomeEntries) {
  TSUP& s = add(sfBluRay);
  s.colorOfs = 20;
  s.palCount = 3;
  writeStream(40, {{20, {1, 235, 128, 128, 255, 2, 16, 128, 128, 255, 3, 81, 240, 90, 64}}});
  app.palRGB[0] = 0x777777;
  build(0);
  EXPECT_EQ(app.palRGB[0], 0u);
  EXPECT_EQ(app.palAlpha[0], 0);  // unlisted: black and transparent
  EXPECT_EQ(app.palRGB[3], 0x0000FEu);
  // No listed entry is fully transparent: the background is the lowest unlisted entry, not
  // the half-opaque entry 3, so that a saved picture is clear around the subtitle.
  EXPECT_EQ(app.idxClear, 0);
  EXPECT_EQ(app.idxBright, 1);
  EXPECT_EQ(app.idxDark, 2);

  app.exportBD = true;
  build(0);
  EXPECT_EQ(app.palAlpha[0], 0);  // an exported stream keeps it clear as well
  EXPECT_EQ(app.palAlpha[3], 64);
  EXPECT_EQ(app.idxClear, 0);
}

TEST_F(PaletteTest, BluRayClearEntryAmongTheListedOnes) {
  TSUP& s = add(sfBluRay);
  s.colorOfs = 4;
  s.palCount = 3;
  // A listed entry that is fully transparent wins over the unlisted ones.
  writeStream(40, {{4, {0, 235, 128, 128, 255, 5, 16, 128, 128, 0, 9, 16, 128, 128, 0}}});
  build(0);
  EXPECT_EQ(app.idxClear, 5);
}

TEST_F(PaletteTest, BluRayPaletteSegmentsInOrderAndNone) {
  // Two earlier segments and the last: an entry takes the value of the last segment that
  // names it; the indexes follow the last segment's order after the others.
  TSUP& s = add(sfBluRay);
  s.palEarlier = {{4, 2}, {14, 1}};
  s.colorOfs = 19;
  s.palCount = 2;
  writeStream(40, {{4, {7, 235, 128, 128, 200, 8, 16, 128, 128, 255}},
                   {14, {7, 81, 240, 90, 255}},
                   {19, {9, 235, 128, 128, 255, 8, 235, 128, 128, 255}}});
  app.subs.emplace_back();  // no palette at all
  app.subs.back().videoWidth = 1280;
  app.subs.back().videoHeight = 720;
  build(0);
  EXPECT_EQ(app.palRGB[7], 0x0000FEu);
  EXPECT_EQ(app.palAlpha[7], 255);
  EXPECT_EQ(app.palRGB[8], 0xFFFFFFu);
  EXPECT_EQ(app.idxBright, 9);  // of the last segment's entries 9 and 8, 9 comes first
  EXPECT_EQ(app.idxDark, 7);
  EXPECT_EQ(app.idxClear, 0);
  // Without a palette segment a subtitle shows nothing, on its own display size.
  build(1);
  for (int i = 0; i < 256; ++i) ASSERT_EQ(app.palAlpha[size_t(i)], 0);
  EXPECT_EQ(app.displayWidth, 1280);
  EXPECT_EQ(app.displayHeight, 720);
}

TEST_F(PaletteTest, OcrOptionMakesEveryEntryOpaqueExceptDuringExport) {
  TSUP& s = add(sfBluRay);
  s.colorOfs = 4;
  s.palCount = 1;
  writeStream(16, {{4, {7, 235, 128, 128, 0}}});
  options.blackWhite = true;
  build(0);
  for (int i = 0; i < 256; ++i) ASSERT_EQ(app.palAlpha[size_t(i)], 255);
  app.exportHD = true;
  build(0);
  EXPECT_EQ(app.palAlpha[7], 0);
  EXPECT_EQ(app.palAlpha[8], 0);
}

TEST_F(PaletteTest, SrtRampAndSheetMap) {
  add(sfSRT);
  options.maxColor = 255;
  app.displayWidth = 720;
  build(0);
  const PackedColor colours[17] = {0x000000, 0x101010, 0x202020, 0x303030, 0x404040, 0x505050,
                                   0x606060, 0x707070, 0x7F7F7F, 0x8F8F8F, 0x9F9F9F, 0xAFAFAF,
                                   0xBFBFBF, 0xCFCFCF, 0xDFDFDF, 0xEFEFEF, 0xFFFFFF};
  const uint8_t alphas[17] = {154, 164, 174, 184, 194, 204, 214, 224, 223, 227, 231, 235, 239, 243, 247, 251, 255};
  const int sheetValues[17] = {0, 16, 32, 48, 64, 80, 96, 112, 127, 143, 159, 175, 191, 207, 223, 239, 255};
  for (int k = 0; k <= 16; ++k) {
    EXPECT_EQ(app.palRGB[size_t(2 + k)], colours[k]) << k;
    EXPECT_EQ(app.palAlpha[size_t(2 + k)], alphas[k]) << k;
    EXPECT_EQ(app.sheetMap[size_t(sheetValues[k])], 2 + k) << k;
  }
  EXPECT_EQ(app.sheetMap[1], 1);
  EXPECT_EQ(app.sheetMap[200], 1);
  EXPECT_EQ(app.palRGB[1], 0x0000FFu);
  EXPECT_EQ(app.palAlpha[1], 0);
  EXPECT_EQ(app.palAlpha[0], 255);
  EXPECT_EQ(app.palAlpha[19], 255);
  EXPECT_EQ(app.idxClear, 1);
  EXPECT_EQ(app.idxBright, 18);
  EXPECT_EQ(app.idxDark, 19);
  EXPECT_EQ(app.displayWidth, 720);  // SRT lists leave the display size alone

  options.maxColor = 220;
  build(0);
  EXPECT_EQ(app.palRGB[18], 0xCFCFCFu);  // g = (16 * 220) div 255 = 13: 13 * 0x101010 - 0x010101

  // So dim that the upper levels' g is 0: they stay black instead of wrapping round.
  options.maxColor = 20;
  build(0);
  EXPECT_EQ(app.palRGB[10], 0u);  // k = 8: g = 160 div 255 = 0
  EXPECT_EQ(app.palRGB[14], 0u);            // k = 12: g = 0
  EXPECT_EQ(app.palRGB[15], 0x0F0F0Fu);      // k = 13: g = 1
}

TEST_F(PaletteTest, MissingOrShortStreamFileRaisesFileError) {
  TSUP& s = add(sfBluRay);
  s.colorOfs = 10;
  s.palCount = 4;
  streamPath = dir.file("gone.sup");
  EXPECT_THROW(build(0), FileError);
  writeStream(20, {});  // 20 bytes recorded at 10
  EXPECT_THROW(build(0), FileError);
  writeStream(30, {});
  EXPECT_NO_THROW(build(0));

  app.subFormat = sfHDDVD;
  s.win[0].dataPos = 0xFFFFFFF0u;  // the control area lies far beyond the end of the file
  s.win[0].dataLen = 0xFFFFFFF0u;
  EXPECT_THROW(build(0), FileError);
}
}  // namespace
