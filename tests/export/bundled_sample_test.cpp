// The stream ./run opens for a new user: made by the program's own import and export, it must
// show its text, not an empty picture.
#include <gtest/gtest.h>

#include "export_check.h"
#include "app/subtitle_display.h"

TEST(BundledSample, EverySubtitleShowsItsText) {
  Program p;
  ASSERT_TRUE(p.load(MARROWBY_DATA_DIR "/sample.sup"));
  App& app = p.app;
  ASSERT_EQ(app.subs.size(), 4u);
  for (int n = 1; n <= 4; ++n) {
    showSubtitle(app, n);
    const TSUPWin& w = app.subs[size_t(n - 1)].win[0];
    size_t bright = 0;
    for (int y = w.y1; y < w.y2; ++y)
      for (int x = w.x1; x < w.x2; ++x) {
        const uint8_t c = app.indexImage.at(x, y);
        if (app.palAlpha[c] == 255 && app.palRGB[c] >= 0xC0C0C0) ++bright;
      }
    // Letters 62 pixels high: a line of them lights thousands of pixels.
    EXPECT_GT(bright, 2000u) << "subtitle " << n;
  }
}
