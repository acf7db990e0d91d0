// An imported cue drawn as the window shows it.
#include <gtest/gtest.h>

#include "app/app.h"
#include "app/letter_sheet_load.h"
#include "app/srt_loading.h"
#include "support/temp_dir.h"
#include "support/test_host.h"

TEST(SrtRender, InkedRowsAndColumnsAreTheAreaAfterDrawing) {
  TestHost host;
  App app{host};
  TempDir dir;
  loadLetterSheet(app, MARROWBY_DATA_DIR);
  app.srcName = dir.write("a.srt", std::string("1\n00:00:01,000 --> 00:00:02,000\nHello\n<i>Wagon jig</i>\n"));
  ReadSRT(app);  // ends by drawing subtitle 1
  ASSERT_EQ(app.subs.size(), 1u);
  const TSUPWin& w = app.subs[0].win[0];

  const Rgb background = app.display.at(0, 0);
  int top = app.display.height(), bottom = -1, left = app.display.width(), right = -1;
  for (int y = 0; y < app.display.height(); ++y)
    for (int x = 0; x < app.display.width(); ++x) {
      if (app.display.at(x, y) == background) continue;
      top = std::min(top, y);
      bottom = std::max(bottom, y);
      left = std::min(left, x);
      right = std::max(right, x);
    }
  EXPECT_EQ(top, w.y1);
  EXPECT_EQ(bottom, w.y2);
  EXPECT_EQ(left, w.x1);
  // The area ends one column past the last glyph box, whose last column has ink.
  EXPECT_EQ(right, w.x2 - 1);
  // Inside the rows the import reserved: two lines on the baselines 920 and 1010.
  EXPECT_GE(w.y1, 920 - 57);
  EXPECT_LE(w.y2, 1010 + 15);
  EXPECT_LT(w.y1, 920 - 40);  // capitals reach well above the upper baseline
  EXPECT_GT(w.y2, 1010 + 8);  // g and j reach below the lower one
}

TEST(SrtRender, ASecondSingleCueImportDrawsItsOwnCue) {
  TestHost host;
  App app{host};
  TempDir dir;
  loadLetterSheet(app, MARROWBY_DATA_DIR);
  for (const std::string text : {"First", "Second"}) {
    app.srcName = dir.write(text + ".srt", "1\n00:00:01,000 --> 00:00:02,000\n" + text + "\n");
    ReadSRT(app);
    // The selector read 1 before and after: the new cue is drawn all the same.
    EXPECT_EQ(app.ui.mSubtext.lines, std::vector<std::string>{text});
  }
}
