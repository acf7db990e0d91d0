// The subtitle text memo: stored text to lines and back, and the user's edits.
#include <gtest/gtest.h>

#include "app/app.h"
#include "app/subtitle_display.h"
#include "app/text_lines.h"
#include "render/draw_line.h"
#include "support/test_host.h"
#include "model/text_lines.h"

namespace {
class TextMemo : public ::testing::Test {
 protected:
  TestHost host;
  App app{host};

  TSUP& oneSubtitle(uint8_t format) {
    app.subFormat = format;
    app.curSub = 0;
    return app.appendSub();
  }
};
}  // namespace

TEST_F(TextMemo, StoredTextToLinesAndBack) {
  using Lines = std::vector<std::string>;
  TxtToLines(app, "A|B");
  EXPECT_EQ(app.ui.mSubtext.lines, (Lines{"A", "B"}));
  TxtToLines(app, "");
  EXPECT_EQ(app.ui.mSubtext.lines, (Lines{""}));
  TxtToLines(app, "A|");
  EXPECT_EQ(app.ui.mSubtext.lines, (Lines{"A", ""}));
  const std::string longText = std::string(300, 'x') + "|" + std::string(400, 'y');
  TxtToLines(app, longText);
  EXPECT_EQ(LinesToTxt(app.ui.mSubtext.lines), longText);
  EXPECT_FALSE(app.inUpdate);

  EXPECT_EQ(LinesToTxt({"a", "", "c"}), "a||c");
  EXPECT_EQ(LinesToTxt({"", "", "x", ""}), "x|");
  EXPECT_EQ(LinesToTxt({}), "");
}

TEST_F(TextMemo, AnEditStoresTheTextAndLocksIt) {
  TSUP& s = oneSubtitle(sfBluRay);
  app.ui.mSubtext.lines = {"", "x"};
  app.inUpdate = true;  // the program filling the memo is no edit
  mSubtextChange(app);
  EXPECT_EQ(s.locked, 0);
  app.inUpdate = false;
  mSubtextChange(app);
  EXPECT_EQ(s.text, "x");
  EXPECT_EQ(s.lineCount, 2);
  EXPECT_EQ(s.locked, 1);
  EXPECT_TRUE(app.ui.cbLock.checked);
  EXPECT_TRUE(app.srtDirty);
}

TEST_F(TextMemo, LeavingTheMemoOfAnSrtSubtitleTrimsAndRecentres) {
  TSUP& s = oneSubtitle(sfSRT);
  s.text = "old";
  app.ui.mSubtext.lines = {"  Hello  ", "<i>a"};
  app.italicOn = true;
  mSubtextExit(app);
  EXPECT_EQ(s.text, "Hello|<i>a");
  EXPECT_EQ(s.lineCount, 2);
  EXPECT_EQ(s.locked, 1);
  app.italicOn = false;
  const int width = measureLine(app, app.ui.ieSpacing.value(), "Hello");  // measured upright
  EXPECT_EQ(s.win[0].x1, (1920 - width) / 2);
  EXPECT_EQ(s.win[0].x2, (1920 - width) / 2 + width + 1);  // the o's box ends a column later
}

TEST_F(TextMemo, LeavingTheMemoOfAStreamSubtitleChangesNothing) {
  TSUP& s = oneSubtitle(sfBluRay);
  s.win[0].x1 = 5;
  app.ui.mSubtext.lines = {"  Hello  "};
  mSubtextExit(app);
  EXPECT_EQ(s.win[0].x1, 5);
  EXPECT_EQ(app.ui.mSubtext.lines[0], "  Hello  ");
}
