#include "app/subtitle_display.h"

#include <gtest/gtest.h>

#include <functional>

#include "model/file_error.h"
#include "app/option_events.h"
#include "app/subtitle_selector.h"
#include "render/bmp_file.h"
#include "render/compose.h"
#include "render/render_fixture.h"

namespace {
const Rgb kBackdrop = rgbOf(0x313233);
const Rgb kBlue = rgbOf(kBorderColour);
const Rgb kWhite{255, 255, 255};
const Rgb kBlack{};

// Three subtitles: one window; two windows; a small one in the corner, red on transparent.
void loadThree(RenderFixture& f) {
  f.loadBluRay({{100, 900, framedBlock(40, 12), standardPalette(), {}, 0, 0},
                {600, 950, framedBlock(20, 8), standardPalette(), framedBlock(10, 6), 1500, 100},
                {10, 10, framedBlock(6, 6), {{0, 16, 128, 128, 0}, {2, 81, 240, 90, 255}}, {}, 0, 0}});
}

// The first pixel where two planes differ, as "x,y", or "" when they are equal.
template <typename T>
std::string firstDifference(const Plane<T>& a, const Plane<T>& b) {
  if (a.width() != b.width() || a.height() != b.height()) return "size";
  for (int y = 0; y < a.height(); ++y)
    if (!std::equal(a.row(y), a.row(y) + a.width(), b.row(y)))
      for (int x = 0; x < a.width(); ++x)
        if (!(a.at(x, y) == b.at(x, y))) return std::to_string(x) + "," + std::to_string(y);
  return "";
}

struct DrawSubTest : ::testing::Test, RenderFixture {
  void SetUp() override { loadThree(*this); }
  Rgb display(int x, int y) const { return app.display.at(x, y); }
};

TEST_F(DrawSubTest, DisplayRenderShowsTheSubtitleOverTheBackdrop) {
  showSubtitle(app, 1);
  EXPECT_EQ(app.curSub, 0);
  EXPECT_EQ(display(0, 0), kBackdrop);
  EXPECT_EQ(display(100, 900), kBackdrop);  // transparent entry 0
  EXPECT_EQ(display(102, 902), kBlack);     // the frame
  EXPECT_EQ(display(103, 903), kWhite);     // the block
  EXPECT_EQ(app.indexImage.at(103, 903), 1);
  EXPECT_EQ(app.indexImage.at(0, 0), 0);  // idxClear
  EXPECT_EQ(app.indexImage.transparency[3], 128);
  EXPECT_EQ(app.indexImage.palette[1], 0xFFFFFFu);
  EXPECT_EQ(app.ocrMask.at(3, 3), 1);  // relative to the area, white counts as bright
  EXPECT_EQ(app.ocrMask.at(2, 2), 0);
  EXPECT_EQ(app.ocrMask.at(103, 903), 0);
}

TEST_F(DrawSubTest, PanelControls) {
  app.ui.rgFont.itemIndex = 1;
  showSubtitle(app, 2);
  const Controls& ui = app.ui;
  EXPECT_EQ(ui.lStartEnd.caption, "00:00:02,000 - 00:00:02,500");
  EXPECT_EQ(ui.lArea.caption, "(600, 950) - (620, 958)");
  EXPECT_EQ(ui.lArea2.caption, "(1500, 100) - (1510, 106)");
  EXPECT_EQ(ui.lMaxline.caption, "/ 3");
  EXPECT_EQ(ui.mSubtext.lines, std::vector<std::string>{"line 2"});
  EXPECT_TRUE(ui.ieSubs.enabled && ui.mSubtext.enabled && ui.bOCR.enabled);
  EXPECT_EQ(ui.sbImage.vertPosition, 940);
  EXPECT_FALSE(ui.rgFont.enabled);  // not recognised yet: the font choice stays as it was
  EXPECT_EQ(ui.rgFont.itemIndex, 1);
  EXPECT_FALSE(app.inUpdate);

  app.subs[0].fontMode = fmItalic;
  app.subs[0].locked = 1;
  app.subs[0].text = "A|";
  showSubtitle(app, 1);
  EXPECT_EQ(ui.rgFont.itemIndex, 2);
  EXPECT_TRUE(ui.rgFont.enabled);
  EXPECT_TRUE(ui.cbLock.checked);
  EXPECT_EQ(ui.lArea2.caption, "");
  EXPECT_EQ(ui.mSubtext.lines, (std::vector<std::string>{"A", ""}));
  EXPECT_TRUE(ui.mSubtext.visible);

  // The program filling the panel holds the font choice still.
  app.inUpdate = true;
  app.subs[0].fontMode = fmNormal;
  showSubtitle(app, 1);
  EXPECT_EQ(ui.rgFont.itemIndex, 2);
  EXPECT_TRUE(app.inUpdate);
}

TEST_F(DrawSubTest, NoSubtitleClearsThePanelAndBlacksTheDisplay) {
  showSubtitle(app, 1);
  showSubtitle(app, 0);
  const Controls& ui = app.ui;
  EXPECT_EQ(ui.lStartEnd.caption, "");
  EXPECT_TRUE(ui.mSubtext.lines.empty());
  EXPECT_FALSE(ui.ieSubs.enabled || ui.mSubtext.enabled || ui.rgFont.enabled || ui.bOCR.enabled);
  EXPECT_EQ(app.curSub, -1);
  EXPECT_EQ(display(103, 903), kBlack);
  EXPECT_EQ(display(0, 0), kBlack);
  EXPECT_EQ(app.indexImage.at(103, 903), 1);  // the pixels stay, but nothing is opaque
  EXPECT_EQ(app.indexImage.transparency[1], 0);

  showSubtitle(app, 4);  // beyond the list: no subtitle
  EXPECT_EQ(app.curSub, -1);
}

TEST_F(DrawSubTest, BordersOnTheAreasEdges) {
  app.ui.cbBorders.checked = true;
  showSubtitle(app, 2);
  // Blu-ray: first and last row and column of each window, 10 pixels beyond it.
  EXPECT_EQ(display(590, 950), kBlue);
  EXPECT_EQ(display(629, 957), kBlue);
  EXPECT_EQ(display(630, 957), kBackdrop);
  EXPECT_EQ(display(600, 940), kBlue);
  EXPECT_EQ(display(619, 967), kBlue);
  EXPECT_EQ(display(619, 968), kBackdrop);
  EXPECT_EQ(display(1500, 90), kBlue);  // and the second window's
  EXPECT_EQ(display(1509, 115), kBlue);
  // Borders lie under the subtitle.
  EXPECT_EQ(display(602, 952), kBlack);

  // Borders of an area at the corner are cut at the picture's edges.
  showSubtitle(app, 3);
  EXPECT_EQ(display(0, 10), kBlue);
  EXPECT_EQ(display(10, 0), kBlue);
}

TEST_F(DrawSubTest, PaletteSwatches) {
  app.ui.cbPalette.checked = true;
  showSubtitle(app, 1);
  // Entry 1 (row 0, column 1): its colour on the left, its opacity on the right.
  EXPECT_EQ(display(24, 14), kWhite);
  EXPECT_EQ(display(20, 10), kBackdrop);  // the outer square's corner is left out
  EXPECT_EQ(display(20, 11), kBlack);
  EXPECT_EQ(display(19, 11), kBackdrop);
  EXPECT_EQ(display(194, 14), kWhite);   // opaque
  EXPECT_EQ(display(184, 14), kBackdrop);  // entry 0: transparent
  EXPECT_EQ(display(214, 14).r, 204);      // entry 3: alpha 128, blended twice over the backdrop
  EXPECT_EQ(display(21, 11), kBlack);    // the inner square's corner
}

TEST_F(DrawSubTest, OcrOptionMakesTheAreaOpaque) {
  app.ui.cbOCR.checked = true;
  showSubtitle(app, 1);
  EXPECT_EQ(display(100, 900), kBlack);  // entry 0, now opaque black
  EXPECT_EQ(app.indexImage.at(0, 0), 2);  // the background is idxDark
}

TEST_F(DrawSubTest, ExportShowsTheShapeInBlackAndLeavesTheLabels) {
  showSubtitle(app, 2);
  app.exportBD = true;
  app.ui.cbBorders.checked = true;
  app.ui.cbPalette.checked = true;
  app.ui.cbOCR.checked = true;
  showSubtitle(app, 1);
  EXPECT_EQ(app.ui.lArea.caption, "(600, 950) - (620, 958)");
  EXPECT_EQ(display(103, 903), kBlack);
  EXPECT_EQ(display(90, 900), kBlack);  // no borders
  EXPECT_EQ(display(24, 14), kBlack);   // no swatches
  EXPECT_EQ(app.indexImage.at(0, 0), 0);
  EXPECT_EQ(app.indexImage.transparency[0], 0);  // cbOCR is ignored during export
}

// Whatever was drawn before, a render leaves exactly what a first render would.
TEST_F(DrawSubTest, ARenderLeavesNoTraceOfTheOneBefore) {
  struct Mode {
    bool borders, swatches, ocr, exportBD, saving;
    int sub;
  };
  const std::vector<Mode> sequence = {{true, true, false, false, false, 2}, {false, false, true, false, false, 1},
                                      {false, false, false, true, false, 3}, {true, true, false, false, false, 1},
                                      {false, false, false, false, true, 2},  {false, false, false, false, false, 0},
                                      {false, true, false, false, false, 3}};
  for (const Mode& m : sequence) {
    RenderFixture first;
    loadThree(first);
    for (App* a : {&app, &first.app}) {
      a->ui.cbBorders.checked = m.borders;
      a->ui.cbPalette.checked = m.swatches;
      a->ui.cbOCR.checked = m.ocr;
      a->exportBD = m.exportBD;
      a->savingBitmaps = m.saving;
      a->ui.cbPNG.checked = false;
      showSubtitle(*a, m.sub);
    }
    SCOPED_TRACE("subtitle " + std::to_string(m.sub));
    EXPECT_EQ(firstDifference(app.display, first.app.display), "");
    if (m.sub == 0) continue;  // an empty render keeps the index pixels of the one before
    EXPECT_EQ(firstDifference(app.indexImage, first.app.indexImage), "");
    EXPECT_EQ(firstDifference(app.ocrMask, first.app.ocrMask), "");
  }
}

TEST_F(DrawSubTest, MissingStreamFileRaisesFileError) {
  app.ui.eSUPfile.text = dir.file("moved.sup");
  EXPECT_THROW(showSubtitle(app, 1), FileError);
  // The selector's handler reports it and keeps running.
  app.ui.ieSubs.text = "1";
  ieSubsChange(app);
  EXPECT_NE(app.lastError.find("moved.sup"), std::string::npos);
}

TEST_F(DrawSubTest, LockAndRedrawHandlers) {
  EXPECT_FALSE(app.ui.cbLock.enabled);
  showSubtitle(app, 2);
  EXPECT_TRUE(app.ui.cbLock.enabled);  // every subtitle shown can be locked and unlocked
  app.ui.cbLock.checked = true;
  cbLockClick(app);
  EXPECT_EQ(app.subs[1].locked, 1);
  app.ui.cbLock.checked = false;
  cbLockClick(app);
  EXPECT_EQ(app.subs[1].locked, 0);

  app.ui.lStartEnd.caption.clear();
  CheckBox1Click(app);
  EXPECT_EQ(app.ui.lStartEnd.caption, "00:00:02,000 - 00:00:02,500");

  showSubtitle(app, 0);
  EXPECT_FALSE(app.ui.cbLock.enabled || app.ui.cbLock.checked);
}

TEST_F(DrawSubTest, OptionsThePictureIsDrawnWithRedrawItAtOnce) {
  showSubtitle(app, 1);
  const Plane<Rgb> plain = app.display;
  struct Case {
    const char* name;
    std::function<void()> set;
    std::string changedAt;  // the first pixel the option changes, "" when it draws nothing
  };
  const std::vector<Case> cases = {
      {"Borders", [&] { app.ui.cbBorders.checked = true; }, "100,890"},
      {"OCR", [&] { app.ui.cbOCR.checked = true; }, "100,900"},  // entry 0 opaque black
      {"Tags", [&] { app.ui.cbTags.checked = true; }, ""},
  };
  for (const Case& c : cases) {
    c.set();
    optionChanged(app, c.name);
    EXPECT_EQ(firstDifference(plain, app.display), c.changedAt) << c.name;
    app.ui.cbBorders.checked = app.ui.cbOCR.checked = false;
    showSubtitle(app, 1);
  }
}

TEST_F(DrawSubTest, BackgroundPicture) {
  Plane<Rgb> picture(30, 20, Rgb{10, 20, 30});
  writeBmp(dir.file("back.bmp"), picture);
  app.ui.cbBack.checked = true;
  app.ui.eBackground.text = dir.file("back.bmp");
  showSubtitle(app, 3);
  EXPECT_EQ(display(29, 19), (Rgb{10, 20, 30}));
  EXPECT_EQ(display(30, 19), kBackdrop);  // outside the picture: the display's backdrop
  EXPECT_EQ(display(12, 12), rgbOf(0x0000FE));  // the subtitle over it
  EXPECT_EQ(display(14, 14), (Rgb{10, 20, 30}));  // through its transparent pixels

  app.savingBitmaps = true;  // not while saving pictures
  app.ui.cbPNG.checked = false;
  showSubtitle(app, 3);
  EXPECT_EQ(display(29, 19), kBlack);

  app.savingBitmaps = false;
  app.ui.eBackground.text = dir.file("none.bmp");
  EXPECT_THROW(showSubtitle(app, 3), FileError);
}

TEST(DrawSubDvd, DvdKeepsOcrButtonAndErrorNavigation) {
  RenderFixture f;
  App& app = f.app;
  app.subFormat = sfDVD;
  app.subs.resize(2);
  TSUP& s = app.subs[0];
  s.win[0] = TSUPWin{0, 100, 103, 200, 201, 2, 0, 2, 0};
  app.ui.eSUPfile.text = f.dir.write("dvd.sup", std::vector<uint8_t>{'S', 'P', 0x5E, 0x7C});
  app.ui.udSubs.max = 2;
  app.ui.cbBorders.checked = true;
  app.ui.bPrev.enabled = true;
  app.ui.ieSubs.text = "2";
  ieSubsChange(app);
  EXPECT_TRUE(app.ui.bPrev.enabled);  // DVD lists have no error navigation to update
  app.ui.ieSubs.text = "1";
  ieSubsChange(app);
  EXPECT_FALSE(app.ui.bOCR.enabled);
  EXPECT_TRUE(app.ui.bPrev.enabled);
  EXPECT_EQ(app.display.width(), 720);
  EXPECT_EQ(app.display.at(100, 200), kWhite);  // entry 1 over the border line
  EXPECT_EQ(app.display.at(101, 200), kBlack);
  // DVD borders lie on the first row and column and just inside the last ones.
  EXPECT_EQ(app.display.at(90, 200), kBlue);
  EXPECT_EQ(app.display.at(102, 190), kBlue);
  EXPECT_EQ(app.display.at(103, 190), kBackdrop);
  EXPECT_EQ(app.display.at(90, 200 + 0), kBlue);
  EXPECT_EQ(app.display.at(112, 200), kBlue);
  EXPECT_EQ(app.display.at(113, 200), kBackdrop);
}
}  // namespace
