// The classifier on glyphs drawn by hand into the recognition mask.
#include "ocr/glyph_classifier.h"

#include <gtest/gtest.h>

#include <memory>

#include "mask_painter.h"

namespace {
constexpr SkewRatio kSkew{4, 19};

class Classify : public ::testing::Test {
 protected:
  std::unique_ptr<OcrMask> mask = std::make_unique<OcrMask>();
  MaskPainter paint{*mask};

  // Classifies a glyph whose ink spans (left, top, w, h), in a band of the glyph's own height.
  GlyphClass at(int left, int top, int w, int h, bool italic = false) {
    const LineBand band{top, top + h};
    return classifyGlyph(*mask, band, cellOf(left, top, w, h, italic), kSkew);
  }
  uint16_t ch(int left, int top, int w, int h, bool italic = false) { return at(left, top, w, h, italic).ch; }
  void lean(int top) {
    paint.lean = true;
    paint.leanTop = top;
  }
};

TEST_F(Classify, DotIsAFullStopUprightAndItalic) {
  paint.rect(100, 100, 5, 5);
  EXPECT_EQ(ch(100, 100, 5, 5), '.');
  EXPECT_EQ(ch(100, 100, 5, 5, true), '.');
}

TEST_F(Classify, VerticalBars) {
  // 5 columns by 46 rows: w = 4, h = 45; the band is 46 rows, so its half is 23.
  paint.rect(100, 100, 5, 46);
  EXPECT_EQ(ch(100, 100, 5, 46), 'l');

  paint.rect(200, 100, 5, 46);
  paint.rect(200, 108, 5, 3, 0);  // a gap in the upper half: the dot of an "i"
  EXPECT_EQ(ch(200, 100, 5, 46), 'i');

  paint.rect(300, 100, 5, 46);
  paint.rect(300, 108, 5, 3, 0);
  paint.rect(300, 115, 2, 1, 0);  // row h / 3 has background at both edges
  paint.rect(303, 115, 2, 1, 0);
  EXPECT_EQ(ch(300, 100, 5, 46), 0xA1);

  paint.rect(400, 100, 5, 46);
  paint.rect(400, 135, 5, 3, 0);  // a gap in the lower half
  EXPECT_EQ(ch(400, 100, 5, 46), '!');
}

TEST_F(Classify, SolidNarrowBlockIsAClosingBracket) {
  paint.rect(100, 100, 13, 45);  // w = 12, h = 44: both bracket tests hold, the second wins
  EXPECT_EQ(ch(100, 100, 13, 45), ']');
}

TEST_F(Classify, WideShortGlyphWithoutInkUnderItsMiddleIsUnknown) {
  // w = 39, h = 30: the "m"/"w" proportions; column w / 4 starts with ink (q > t).
  paint.rect(100, 100, 40, 4);
  paint.rect(100, 100, 4, 31);
  EXPECT_EQ(ch(100, 100, 40, 31), 0);  // no ink at the bottom of the middle column: not "m", and not "w"
  paint.rect(118, 125, 4, 6);
  EXPECT_EQ(ch(100, 100, 40, 31), 'm');
}

TEST_F(Classify, SolidBlockOutsideEveryProportionIsUnknown) {
  paint.rect(100, 100, 20, 41);  // w = 19, h = 40
  EXPECT_EQ(ch(100, 100, 20, 41), 0);
}

TEST_F(Classify, WideSolidBlockIsTheTouchingPairFy) {
  paint.rect(100, 100, 43, 47);  // w = 42, h = 46
  const GlyphClass g = at(100, 100, 43, 47);
  EXPECT_EQ(g.ch, 'f');
  EXPECT_EQ(g.pairSecond, 'y');
  paint.rect(200, 100, 5, 5);
  EXPECT_EQ(at(200, 100, 5, 5).pairSecond, 0);
}

// Capitals built from bars, 31 x 46 pixels (w = 30, h = 45).
void drawCapital(MaskPainter& p, char c, int x, int y) {
  switch (c) {
    case 'T':
      p.rect(x, y, 31, 6);
      p.rect(x + 13, y, 6, 46);
      break;
    case 'H':
      p.rect(x, y, 6, 46);
      p.rect(x + 25, y, 6, 46);
      p.rect(x, y + 20, 31, 6);
      break;
    case 'L':
      p.rect(x, y, 6, 46);
      p.rect(x, y + 40, 31, 6);
      break;
    case 'E':
      p.rect(x, y, 6, 46);
      p.rect(x, y, 31, 6);
      p.rect(x, y + 20, 26, 6);
      p.rect(x, y + 40, 31, 6);
      break;
    case 'F':
      p.rect(x, y, 6, 46);
      p.rect(x, y, 31, 6);
      p.rect(x, y + 20, 26, 6);
      break;
  }
}

TEST_F(Classify, OneOnAFootBarIsNotAT) {
  // 16 columns by 46 rows: a stem, a short flag at the top left and a foot bar under both.
  paint.rect(106, 100, 5, 46);
  paint.rect(102, 105, 4, 3);
  paint.rect(100, 142, 16, 4);
  EXPECT_EQ(ch(100, 100, 16, 46), '1');
  // The same column near the right edge meets a cross bar high up: a "t".
  paint.rect(204, 100, 5, 46);
  paint.rect(200, 110, 16, 4);
  paint.rect(204, 142, 10, 4);
  EXPECT_EQ(ch(200, 100, 16, 46), 't');
  // Without the foot the stem reaches the right edge's column: the "1" of the first rules.
  paint.rect(310, 100, 5, 46);
  paint.rect(302, 105, 8, 3);
  EXPECT_EQ(ch(302, 100, 13, 46), '1');
}

TEST_F(Classify, FiveWithItsStrokeOverTheBowlsLeftEdge) {
  // 30 columns by 46 rows; the bowl's foot reaches 3 columns further left than the stroke.
  paint.rect(103, 100, 27, 5);   // top bar
  paint.rect(103, 100, 5, 23);   // upright stroke down to the middle
  paint.rect(103, 120, 23, 5);   // middle bar
  paint.rect(124, 120, 6, 23);   // right side of the bowl
  paint.rect(100, 141, 28, 5);   // foot of the bowl
  EXPECT_EQ(ch(100, 100, 30, 46), '5');
  // Column 3 starting blank still reads "5" (the bowl reaching well out to the left).
  paint.rect(207, 200, 23, 5);
  paint.rect(207, 200, 5, 23);
  paint.rect(207, 220, 19, 5);
  paint.rect(224, 220, 6, 23);
  paint.rect(200, 241, 28, 5);
  EXPECT_EQ(ch(200, 200, 30, 46), '5');
}

TEST_F(Classify, CapitalsOfBars) {
  int x = 100;
  for (char c : {'T', 'H', 'L', 'E', 'F'}) {
    drawCapital(paint, c, x, 100);
    EXPECT_EQ(ch(x, 100, 31, 46), c) << c;
    x += 60;
  }
}

TEST_F(Classify, SlantedGlyphReadsAsItsUprightTwin) {
  struct Shape {
    char expected;
    int w, h;
    void (*draw)(MaskPainter&, int, int);
  };
  const Shape shapes[] = {
      {'T', 31, 46, [](MaskPainter& p, int x, int y) { drawCapital(p, 'T', x, y); }},
      {'H', 31, 46, [](MaskPainter& p, int x, int y) { drawCapital(p, 'H', x, y); }},
      {'L', 31, 46, [](MaskPainter& p, int x, int y) { drawCapital(p, 'L', x, y); }},
      {'E', 31, 46, [](MaskPainter& p, int x, int y) { drawCapital(p, 'E', x, y); }},
      {'l', 5, 46, [](MaskPainter& p, int x, int y) { p.rect(x, y, 5, 46); }},
      {'i', 5, 46,
       [](MaskPainter& p, int x, int y) {
         p.rect(x, y, 5, 6);
         p.rect(x, y + 10, 5, 36);
       }},
      {'.', 5, 5, [](MaskPainter& p, int x, int y) { p.rect(x, y, 5, 5); }},
  };
  int x = 100;
  for (const Shape& s : shapes) {
    paint.lean = false;
    s.draw(paint, x, 100);
    lean(300);
    s.draw(paint, x, 300);
    EXPECT_EQ(ch(x, 100, s.w, s.h), s.expected) << s.expected;
    EXPECT_EQ(ch(x, 300, s.w, s.h, true), s.expected) << s.expected << " slanted";
    // Read upright, a slanted capital is something else: the probes did the de-skewing.
    if (s.w > 5) {
      EXPECT_NE(ch(x, 300, s.w, s.h), s.expected) << s.expected;
    }
    x += 60;
  }
}

// Every size of solid block and of hollow frame, at the plane's edges too: no proportion
// divides by a zero width or height, and no probe reads outside the plane.
TEST_F(Classify, AnyCellSizeIsSafe) {
  for (int w = 1; w <= 64; ++w)
    for (int h = 1; h <= 64; ++h) {
      paint.rect(0, 0, w, h);
      paint.rect(mask->width() - w, mask->height() - h, w, h);
      paint.rect(mask->width() - w + 1, mask->height() - h + 1, w - 2, h - 2, 0);
      for (bool italic : {false, true}) {
        (void)ch(0, 0, w, h, italic);
        (void)ch(mask->width() - w, mask->height() - h, w, h, italic);
      }
      paint.rect(0, 0, w, h, 0);
      paint.rect(mask->width() - w, mask->height() - h, w, h, 0);
    }
  // A cell that found no ink keeps top and bottom 0.
  const GlyphCell empty = cellOf(5, 0, 40, 1);
  EXPECT_EQ(classifyGlyph(*mask, LineBand{0, 0}, empty, kSkew).ch, 0);
}
}  // namespace
