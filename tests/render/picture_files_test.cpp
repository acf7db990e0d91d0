#include "render/picture_files.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>

#include "model/file_error.h"
#include "render/bmp_file.h"
#include "app/drawing_of.h"
#include "app/subtitle_display.h"
#include "render/png_file.h"
#include "render/render_fixture.h"

namespace {
// A palette PNG as the file holds it.
struct PalettePng {
  int width = 0, height = 0, colourType = -1, interlace = -1, paletteSize = 0, transparencySize = 0;
  std::vector<png_color> palette;
  std::vector<uint8_t> alpha;
  std::vector<uint8_t> pixels;
  uint8_t at(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};

PalettePng readPalettePng(const std::string& path) {
  PalettePng out;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return out;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(f);
    return PalettePng{};
  }
  png_init_io(png, f);
  png_read_info(png, info);
  out.width = int(png_get_image_width(png, info));
  out.height = int(png_get_image_height(png, info));
  out.colourType = png_get_color_type(png, info);
  out.interlace = png_get_interlace_type(png, info);
  png_colorp pal = nullptr;
  png_get_PLTE(png, info, &pal, &out.paletteSize);
  out.palette.assign(pal, pal + out.paletteSize);
  png_bytep trans = nullptr;
  png_get_tRNS(png, info, &trans, &out.transparencySize, nullptr);
  out.alpha.assign(trans, trans + out.transparencySize);
  out.pixels.resize(size_t(out.width) * size_t(out.height));
  for (int y = 0; y < out.height; ++y) png_read_row(png, &out.pixels[size_t(y) * size_t(out.width)], nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  std::fclose(f);
  return out;
}

TEST(BmpFile, WrittenPicturesReadBackAndBadOnesAreRefused) {
  TempDir dir;
  Plane<Rgb> picture(7, 3, Rgb{1, 2, 3});  // 21 bytes a row: rows are padded
  picture.set(0, 0, Rgb{255, 0, 0});
  picture.set(6, 2, Rgb{0, 0, 255});
  writeBmp(dir.file("p.bmp"), picture);
  const auto bytes = readFileBytes(dir.file("p.bmp"));
  ASSERT_EQ(bytes.size(), 54u + 24u * 3u);
  EXPECT_EQ(bytes[28], 24);  // bits per pixel
  EXPECT_EQ(bytes[54 + 2 * 24 + 2], 255);  // top row stored last, blue-green-red

  Plane<Rgb> back(10, 10, Rgb{9, 9, 9});
  loadBmpInto(dir.file("p.bmp"), back);
  EXPECT_EQ(back.at(0, 0), (Rgb{255, 0, 0}));
  EXPECT_EQ(back.at(6, 2), (Rgb{0, 0, 255}));
  EXPECT_EQ(back.at(3, 1), (Rgb{1, 2, 3}));
  EXPECT_EQ(back.at(7, 0), (Rgb{9, 9, 9}));  // not covered
  Plane<Rgb> small(2, 2);
  loadBmpInto(dir.file("p.bmp"), small);  // cut to the target
  EXPECT_EQ(small.at(0, 0), (Rgb{255, 0, 0}));

  // An 8-bit top-down bitmap with a palette.
  std::vector<uint8_t> eight(54 + 256 * 4 + 4 * 2, 0);
  eight[0] = 'B', eight[1] = 'M', eight[10] = uint8_t((54 + 1024) & 0xFF), eight[11] = uint8_t((54 + 1024) >> 8);
  eight[14] = 40, eight[18] = 3, eight[22] = 0xFE, eight[23] = eight[24] = eight[25] = 0xFF;  // height -2
  eight[26] = 1, eight[28] = 8;
  eight[54 + 4 * 5] = 50, eight[54 + 4 * 5 + 1] = 60, eight[54 + 4 * 5 + 2] = 70;  // entry 5: B G R
  eight[54 + 1024 + 4 + 2] = 5;  // row 1, column 2
  Plane<Rgb> fromEight(3, 2);
  loadBmpInto(dir.write("eight.bmp", eight), fromEight);
  EXPECT_EQ(fromEight.at(2, 1), (Rgb{70, 60, 50}));
  EXPECT_EQ(fromEight.at(0, 0), (Rgb{0, 0, 0}));

  eight.resize(eight.size() - 3);
  EXPECT_THROW(loadBmpInto(dir.write("short.bmp", eight), fromEight), FileError);
  EXPECT_THROW(loadBmpInto(dir.write("text.bmp", std::string("hello, this is not a bitmap at all")), fromEight), FileError);
  EXPECT_THROW(loadBmpInto(dir.file("none.bmp"), fromEight), FileError);
  try {
    writeBmp(dir.file("no/such/folder/p.bmp"), picture);
    ADD_FAILURE() << "a missing folder must fail";
  } catch (const FileError& e) {
    EXPECT_NE(std::string(e.what()).find("no/such/folder/p.bmp"), std::string::npos);
  }
}

TEST(PngFile, PaletteAndTransparencyOfAllEntries) {
  TempDir dir;
  Plane<uint8_t> pixels(5, 4, 3);
  pixels.set(4, 3, 200);
  std::array<PackedColor, 256> palette{};
  std::array<uint8_t, 256> alpha{};
  palette[200] = 0x0000FE;
  alpha[200] = 77;
  writePalettePng(dir.file("p.png"), pixels, palette, alpha);
  const PalettePng png = readPalettePng(dir.file("p.png"));
  EXPECT_EQ(png.width, 5);
  EXPECT_EQ(png.colourType, PNG_COLOR_TYPE_PALETTE);
  EXPECT_EQ(png.interlace, PNG_INTERLACE_NONE);
  EXPECT_EQ(png.paletteSize, 256);
  EXPECT_EQ(png.transparencySize, 256);
  EXPECT_EQ(png.palette[200].red, 254);
  EXPECT_EQ(png.alpha[200], 77);
  EXPECT_EQ(png.at(4, 3), 200);
  EXPECT_EQ(png.at(0, 0), 3);
  EXPECT_THROW(writePalettePng(dir.file("gone/p.png"), pixels, palette, alpha), FileError);
}

TEST(NearestColour, SumOfDifferencesLowestIndexWins) {
  PaletteState p;
  p.palRGB[9] = 0x102030;
  p.palRGB[4] = 0x102030;
  p.palRGB[7] = 0x400000;  // blue 0x40
  EXPECT_EQ(nearestColour(p, 0x30, 0x20, 0x10), 4);
  EXPECT_EQ(nearestColour(p, 0, 0, 0), 0);
  EXPECT_EQ(nearestColour(p, 0, 0, 0x30), 7);
}

struct ReduceTest : ::testing::Test {
  struct State : WorkImages, PaletteState, SubtitleList {} app;
  bool twoTone = false;  // "OCR" checked
  void reduce() {
    const bool drawn = app.curSub >= 0 && size_t(app.curSub) < app.subs.size();
    reduceTo720(app.reduced, app.indexImage, app, drawn ? &app.subs[size_t(app.curSub)] : nullptr, app.subFormat,
                twoTone);
  }
  void SetUp() override {
    app.subFormat = sfBluRay;
    app.subs.resize(1);
    app.curSub = 0;
    for (int i = 0; i < 256; ++i) app.palRGB[size_t(i)] = PackedColor(i) * 0x010101u, app.palAlpha[size_t(i)] = 255;
    app.palAlpha[0] = 0;
    app.idxClear = 0;
    app.indexImage.reset(0);
  }
  void area(int x1, int y1, int x2, int y2) {
    app.subs[0].win[0] = TSUPWin{0, uint16_t(x1), uint16_t(x2), uint16_t(y1), uint16_t(y2), 0, 0, 0, 0};
  }
};

TEST_F(ReduceTest, UniformAreasKeepTheirExactColour) {
  area(300, 300, 600, 330);
  for (int v = 1; v < 256; ++v) {
    app.indexImage.fillRect({300, 300, 600, 330}, uint8_t(v));
    app.palRGB[255] = PackedColor(v) * 0x010101u;  // a higher index with the same colour loses
    reduce();
    ASSERT_EQ(app.reduced.at(250, 210), v);
  }
  EXPECT_EQ(app.reduced.at(199, 210), 0);  // the edge touches background
  EXPECT_EQ(app.reduced.at(199, 199), 0);
}

TEST_F(ReduceTest, BothAreasOfABlurayPicture) {
  area(300, 300, 600, 330);
  app.subs[0].win[1] = TSUPWin{1, 900, 1200, 900, 960, 0, 0, 0, 0};
  app.indexImage.fillRect({300, 300, 600, 330}, 40);
  app.indexImage.fillRect({900, 900, 1200, 960}, 90);
  reduce();
  EXPECT_EQ(app.reduced.at(250, 210), 40);
  EXPECT_EQ(app.reduced.at(700, 620), 90);  // the second object is kept too
}

TEST_F(ReduceTest, WeightsOfEvenAndOddColumns) {
  area(0, 0, 30, 30);
  app.indexImage.fillRect({0, 0, 30, 30}, 100);
  // Output column 4 takes source columns 6 (weight 1) and 7 (weight 1/2); column 5 takes 7
  // (1/2) and 8 (1).
  app.indexImage.fillRect({7, 0, 8, 30}, 160);
  reduce();
  EXPECT_EQ(app.reduced.at(4, 4), 120);  // (100 + 80) / 1.5
  EXPECT_EQ(app.reduced.at(5, 4), 120);
  EXPECT_EQ(app.reduced.at(3, 4), 100);
  EXPECT_EQ(app.reduced.at(6, 4), 100);
}

TEST_F(ReduceTest, SrtRampAndCanvasEdges) {
  app.subFormat = sfSRT;
  area(1800, 1000, 1920, 1080);  // reaching the canvas edge
  app.palRGB[18] = 0x0000FF;
  app.indexImage.fillRect({1800, 1000, 1920, 1080}, 18);
  reduce();
  EXPECT_EQ(app.reduced.at(1279, 719), 18);  // red 255
  app.palRGB[18] = 0x000010;
  reduce();
  EXPECT_EQ(app.reduced.at(1279, 719), 3);  // red 16
  EXPECT_EQ(app.reduced.at(1199, 700), 0);

  app.curSub = -1;  // no subtitle: only the fill
  reduce();
  EXPECT_TRUE(app.reduced.written().empty());
}

TEST_F(ReduceTest, BlackAndWhiteStaysTwoTone) {
  // "OCR" makes every entry opaque; the picture holds only idxBright and idxDark.
  twoTone = true;
  app.palAlpha.fill(255);
  app.idxBright = 255;
  app.idxDark = 1;
  app.indexImage.reset(app.idxDark);
  area(300, 300, 600, 330);
  app.indexImage.fillRect({330, 303, 360, 327}, 255);  // a block
  app.indexImage.fillRect({450, 300, 451, 330}, 255);  // a column taken whole by output column 300
  app.indexImage.fillRect({481, 300, 482, 330}, 255);  // a column split between 320 and 321
  app.indexImage.fillRect({500, 310, 510, 320}, 200);  // bright-ish, but not idxBright
  reduce();
  size_t bright = 0;
  for (int y = 0; y < kReducedHeight; ++y)
    for (int x = 0; x < kReducedWidth; ++x) {
      const uint8_t v = app.reduced.at(x, y);
      ASSERT_TRUE(v == app.idxBright || v == app.idxDark) << x << "," << y;
      bright += v == app.idxBright;
    }
  EXPECT_EQ(app.reduced.at(230, 210), app.idxBright);
  EXPECT_EQ(app.reduced.at(300, 210), app.idxBright);
  EXPECT_EQ(app.reduced.at(299, 210), app.idxDark);
  EXPECT_EQ(app.reduced.at(320, 210), app.idxDark);  // a third of each footprint
  EXPECT_EQ(app.reduced.at(321, 210), app.idxDark);
  EXPECT_EQ(app.reduced.at(336, 210), app.idxDark);
  EXPECT_EQ(app.reduced.at(100, 100), app.idxDark);
  // The block's 20 x 16 output pixels and the column's 20 rows (200 to 219; the footprint
  // of row 220 lies below the column).
  EXPECT_EQ(bright, 20u * 16u + 20u);
}

TEST(PictureFiles, SavingRenderWritesTheChosenFiles) {
  RenderFixture f;
  App& app = f.app;
  f.loadBluRay({{100, 900, framedBlock(40, 12), standardPalette(), {}, 0, 0}});
  app.savingBitmaps = true;
  app.ui.cbBMP.checked = true;
  app.outBase = f.dir.file("line0001");
  showSubtitle(app, 1);
  writeSubPictures(drawingOf(app));
  const PalettePng png = readPalettePng(f.dir.file("line0001.png"));
  ASSERT_EQ(png.width, 1920);
  EXPECT_EQ(png.at(103, 903), 1);
  EXPECT_EQ(png.alpha[1], 255);
  Plane<Rgb> bmp(1920, 1080);
  loadBmpInto(f.dir.file("line0001.bmp"), bmp);
  EXPECT_EQ(bmp.at(103, 903), (Rgb{255, 255, 255}));
  EXPECT_EQ(bmp.at(0, 0), Rgb{});  // over black

  // Picture 0: a black bitmap and an entirely transparent PNG.
  app.outBase = f.dir.file("line0000");
  showSubtitle(app, 0);
  writeSubPictures(drawingOf(app));
  const PalettePng empty = readPalettePng(f.dir.file("line0000.png"));
  EXPECT_EQ(std::count(empty.alpha.begin(), empty.alpha.end(), 0), 256);
  loadBmpInto(f.dir.file("line0000.bmp"), bmp);
  EXPECT_EQ(bmp.at(103, 903), Rgb{});

  // Black and white for recognition; reduced to 720p.
  app.ui.cbOCR.checked = true;
  app.ui.cbBMP.checked = false;
  app.outBase = f.dir.file("bw");
  showSubtitle(app, 1);
  writeSubPictures(drawingOf(app));
  const PalettePng bw = readPalettePng(f.dir.file("bw.png"));
  for (uint8_t v : bw.pixels) ASSERT_TRUE(v == app.idxBright || v == app.idxDark);
  app.ui.cbOCR.checked = false;
  app.ui.cb720p.checked = true;
  app.outBase = f.dir.file("small");
  showSubtitle(app, 1);
  writeSubPictures(drawingOf(app));
  const PalettePng small = readPalettePng(f.dir.file("small.png"));
  EXPECT_EQ(small.width, 1280);
  EXPECT_EQ(small.at(70, 602), 1);  // inside the white block

  app.outBase = f.dir.file("missing/line0002");
  showSubtitle(app, 1);
  EXPECT_THROW(writeSubPictures(drawingOf(app)), FileError);
}
}  // namespace
