// The glyph tables and the letter sheet that ships with the program.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/app.h"
#include "app/letter_sheet_load.h"
#include "model/file_error.h"
#include "render/glyph_tables.h"
#include "render/grey_png.h"
#include "render/letter_sheet_check.h"
#include "support/temp_dir.h"
#include "support/test_host.h"

namespace {
const std::string kDataDir = MARROWBY_DATA_DIR;

void expectGlyph(const TGlyph& g, int row, int x, int width, int leftTrim, int rightTrim) {
  EXPECT_EQ(g.row, row);
  EXPECT_EQ(g.x, x);
  EXPECT_EQ(g.width, width);
  EXPECT_EQ(g.leftTrim, leftTrim);
  EXPECT_EQ(g.rightTrim, rightTrim);
}

bool mentions(const std::vector<std::string>& faults, const std::string& text) {
  return std::any_of(faults.begin(), faults.end(), [&](const std::string& f) { return f.find(text) != std::string::npos; });
}

const GreyImage& shippedSheet() {
  static const GreyImage sheet = readGreyPng(kDataDir + "/abc.png");
  return sheet;
}
}  // namespace

TEST(GlyphTables, SampleRowsOfBothTables) {
  expectGlyph(glyphNormal[' '], 1, 1456, 12, 0, 0);
  expectGlyph(glyphItalic[' '], 1, 1456, 13, 0, 0);
  expectGlyph(glyphNormal['('], 5, 1500, 19, 0, 3);
  expectGlyph(glyphItalic[')'], 5, 969, 25, 2, 0);
  expectGlyph(glyphNormal['A'], 3, 10, 46, 1, 0);
  expectGlyph(glyphItalic['A'], 4, 11, 43, 0, -1);
  expectGlyph(glyphNormal['W'], 3, 1259, 61, 2, 1);
  expectGlyph(glyphItalic['f'], 2, 280, 27, 2, 9);
  expectGlyph(glyphItalic['j'], 2, 426, 27, 14, 3);
  expectGlyph(glyphNormal['z'], 1, 1081, 32, 1, 0);
  expectGlyph(glyphItalic['9'], 2, 1629, 34, 0, 0);
  expectGlyph(glyphNormal[176], 5, 622, 21, 0, 0);
  expectGlyph(glyphItalic[209], 3, 1521, 48, 0, 2);  // the italic capital N tilde sits on the upright row
  expectGlyph(glyphNormal[210], 3, 0, 0, 0, 0);
  expectGlyph(glyphItalic[210], 4, 0, 0, 0, 0);
  expectGlyph(glyphItalic[241], 1, 1481, 34, 1, 0);
  expectGlyph(glyphNormal[252], 1, 862, 31, 1, 0);
  // Codes the sheet has no glyph for.
  for (int code : {0, 61, 92, 95, 123, 126, 127, 200, 255}) {
    expectGlyph(glyphNormal[size_t(code)], 0, 0, 0, 0, 0);
    expectGlyph(glyphItalic[size_t(code)], 0, 0, 0, 0, 0);
  }
  const auto listed = [](const GlyphTable& t) { return std::count_if(t.begin(), t.end(), [](const TGlyph& g) { return g.row > 0; }); };
  EXPECT_EQ(listed(glyphNormal), 110);
  EXPECT_EQ(listed(glyphItalic), 110);
}

TEST(GlyphTables, RowsAndTheirReach) {
  EXPECT_EQ(glyphRows[1].base, 57);
  EXPECT_EQ(glyphRows[3].top, 146);
  EXPECT_EQ(glyphRows[4].base - glyphRows[4].top, 58);
  EXPECT_EQ(glyphRows[5].bottom, 364);
  EXPECT_EQ(glyphRows[6].base, 0);
  EXPECT_EQ(kGlyphAscent, 58);
  EXPECT_EQ(kGlyphDescent, 15);
}

TEST(SheetBoxes, SharedColumnsBelongToNeitherGlyph) {
  const std::vector<SheetBox> boxes = sheetBoxes();
  EXPECT_EQ(boxes.size(), 215u);  // 2 x 110 entries, less the spaces, code 210 twice and the shared degree sign
  const auto find = [&](int code, bool italic) {
    return *std::find_if(boxes.begin(), boxes.end(), [&](const SheetBox& b) { return b.code == code && b.italic == italic; });
  };
  EXPECT_EQ(find('.', false).last, 372);  // "." and "/" both claim column 373
  EXPECT_EQ(find('/', false).first, 374);
  EXPECT_EQ(find('a', false).first, 10);
  EXPECT_EQ(find('a', false).last, 43);
  EXPECT_EQ(std::count_if(boxes.begin(), boxes.end(), [](const SheetBox& b) { return b.code == 176; }), 1);
}

TEST(LetterSheet, ShippedSheetPassesEveryCheck) {
  const GreyImage& sheet = shippedSheet();
  EXPECT_GE(sheet.width, kSheetMinWidth);
  EXPECT_GE(sheet.height, kSheetMinHeight);
  EXPECT_EQ(checkLetterSheet(sheet), std::vector<std::string>{});
  // Light cores inside dark outlines: every glyph has both ends of the scale.
  for (const SheetBox& b : sheetBoxes()) {
    const GlyphRow& r = glyphRows[size_t(b.row)];
    int lightest = 0, darkest = 255;
    for (int y = r.top; y <= r.bottom; ++y)
      for (int x = b.first; x <= b.last; ++x)
        if (sheet.at(x, y) != kSheetBackground) {
          lightest = std::max<int>(lightest, sheet.at(x, y));
          darkest = std::min<int>(darkest, sheet.at(x, y));
        }
    EXPECT_EQ(lightest, 255) << b.code;
    EXPECT_EQ(darkest, 0) << b.code;
  }
}

TEST(LetterSheet, ChecksFindEachKindOfFault) {
  EXPECT_TRUE(mentions(checkLetterSheet(GreyImage(1663, 365, 1)), "smaller than 1664 x 365"));
  EXPECT_TRUE(mentions(checkLetterSheet(GreyImage(1664, 365, 1)), "has no ink"));

  const auto faultsWith = [](int x, int y, uint8_t v) {
    GreyImage sheet = shippedSheet();
    sheet.at(x, y) = v;
    return checkLetterSheet(sheet);
  };
  EXPECT_TRUE(mentions(faultsWith(20, 30, 200), "(20, 30) has the value 200"));  // in the box of "a", no level
  EXPECT_TRUE(mentions(faultsWith(700, 217, 255), "ink at (700, 217) lies outside every glyph box"));  // between rows
  EXPECT_TRUE(mentions(faultsWith(373, 340, 255), "ink at (373, 340) lies outside"));  // where "." and "/" meet

  GreyImage narrow = shippedSheet();
  for (int y = glyphRows[1].top; y <= glyphRows[1].bottom; ++y) narrow.at(43, y) = kSheetBackground;
  EXPECT_TRUE(mentions(checkLetterSheet(narrow), "glyph 97 upright (row 1, columns 10 to 43) has ink in columns 10 to 42"));
}

TEST(GreyPng, WritesAndReadsBackAndRefusesOtherFiles) {
  TempDir dir;
  GreyImage img(3, 2, 1);
  img.at(2, 1) = 255;
  writeGreyPng(dir.file("a.png"), img);
  const GreyImage back = readGreyPng(dir.file("a.png"));
  EXPECT_EQ(back.width, 3);
  EXPECT_EQ(back.pixels, img.pixels);
  EXPECT_THROW(readGreyPng(dir.write("b.png", std::string("not a picture"))), FileError);
  EXPECT_THROW(readGreyPng(dir.file("missing.png")), FileError);
  EXPECT_THROW(writeGreyPng(dir.file("no/such/folder.png"), img), FileError);
}

class SheetLoading : public ::testing::Test {
 protected:
  TestHost host;
  App app{host};
};

TEST_F(SheetLoading, FoundSheetEnablesTheImport) {
  loadLetterSheet(app, kDataDir);
  EXPECT_TRUE(app.ui.bOpenSRT.enabled);
  EXPECT_EQ(app.letterSheet.width, shippedSheet().width);
  EXPECT_EQ(app.messages.plainText(), "");
}

TEST_F(SheetLoading, MissingSheetIsLoggedAndDisablesTheImport) {
  app.ui.bOpenSRT.enabled = true;
  loadLetterSheet(app, "/nonexistent");
  EXPECT_FALSE(app.ui.bOpenSRT.enabled);
  EXPECT_TRUE(app.letterSheet.empty());
  EXPECT_EQ(app.messages.plainText(), "/nonexistent/abc.png not found!\nYou cannot import .srt files without it.\n\n");
  EXPECT_EQ(host.beeps, 0);
}

TEST_F(SheetLoading, UnusableSheetIsAnErrorAndDisablesTheImport) {
  TempDir dir;
  writeGreyPng(dir.file("abc.png"), GreyImage(100, 100, 1));
  loadLetterSheet(app, dir.path().string());
  EXPECT_FALSE(app.ui.bOpenSRT.enabled);
  EXPECT_NE(app.lastError.find("smaller than 1664 x 365"), std::string::npos);

  dir.write("abc.png", std::string("\x89PNG garbage"));
  app.clearLastError();
  loadLetterSheet(app, dir.path().string());
  EXPECT_FALSE(app.ui.bOpenSRT.enabled);
  EXPECT_TRUE(app.letterSheet.empty());
  EXPECT_NE(app.lastError.find("Cannot read picture"), std::string::npos);
}
