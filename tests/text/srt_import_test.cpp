// Importing SRT files as picture subtitles.
#include <gtest/gtest.h>

#include "app/app.h"
#include "app/settings_table.h"
#include "app/srt_loading.h"
#include "model/pts.h"
#include "render/draw_line.h"
#include "support/temp_dir.h"
#include "support/test_host.h"
#include "text/srt_fixture.h"
#include "text/srt_time.h"
#include "text/text_file_lines.h"

namespace {
class SrtImport : public SrtFixture {
 protected:
  int measure(const std::string& line) {
    app.italicOn = false;
    return measureLine(app, app.ui.ieSpacing.value(), line);
  }
  void set(const char* name, int value) { applySetting(app, *findSetting(name), SettingValue(value)); }
  void expectIdle() {
    EXPECT_FALSE(app.busy);
    EXPECT_FALSE(app.cancelReq);
    EXPECT_FALSE(app.ui.bCancel.enabled);
    EXPECT_TRUE(app.ui.bReadSUP.enabled);
    EXPECT_FALSE(app.ui.bOCRall.enabled);
    EXPECT_FALSE(app.ui.ProgressBar.visible);
    EXPECT_TRUE(app.ui.mSRT.visible);
  }
};

// Cue i from second i to i + 1, in four lines.
std::string numberedCue(int i) {
  return std::to_string(i) + "\n" + pts2str(uint32_t(i) * 90000) + " --> " + pts2str(uint32_t(i + 1) * 90000) + "\nText\n\n";
}

const char* const kTwoCues =
    "1\r\n00:00:01,000 --> 00:00:02,500\r\n  Hello \r\nworld\r\n\r\n"
    "2\r\n00:01:02,500 --> 00:01:04,000\r\n<i>Bye</i>\r\n\r\n";
}  // namespace

TEST(SrtTime, TimeLines) {
  const struct {
    const char* line;
    std::optional<CueSpanMs> want;
  } cases[] = {
      {"00:01:02,500 --> 00:01:04,000", CueSpanMs{62500, 64000}},
      {"  0:00:01.5-->0:00:02.25  X1:10 Y1:20", CueSpanMs{1500, 2250}},  // loose forms, positions after
      {"13:15:21,858 --> 100:00:00,000", CueSpanMs{47721858, 360000000}},
      {"00:00:01 --> 00:00:02,000", CueSpanMs{1000, 2000}},
      {"00:00:0a,000 --> 00:00:02,000", std::nullopt},
      {"00:00:01,000 --> 00:00:02,000x", std::nullopt},
      {"00:00:01,000 -> 00:00:02,000", std::nullopt},
      {"00:00:01,000 --> ", std::nullopt},
      {"00:00:01,0000 --> 00:00:02,000", std::nullopt},
  };
  for (const auto& c : cases) {
    const auto got = readTimeLine(c.line);
    ASSERT_EQ(got.has_value(), c.want.has_value()) << c.line;
    if (got) {
      EXPECT_EQ(std::pair(got->start, got->end), std::pair(c.want->start, c.want->end)) << c.line;
    }
  }
  EXPECT_TRUE(isTimeLine("garbage --> more"));
  EXPECT_FALSE(isTimeLine("00:00:01,000 - 00:00:02,000"));
}

TEST(SrtText, LinesAndTrimming) {
  EXPECT_EQ(splitTextLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(splitTextLines("a\n\n"), (std::vector<std::string>{"a", ""}));
  EXPECT_EQ(splitTextLines("a\r\n"), (std::vector<std::string>{"a"}));
  EXPECT_EQ(splitTextLines(""), std::vector<std::string>{});
  EXPECT_EQ(splitTextLines(U"x\r\ry"), (std::vector<std::u32string>{U"x", U"", U"y"}));
  EXPECT_EQ(trimLine(" \t\x01 Hi there \x1F\r"), "Hi there");
  EXPECT_EQ(trimLine("   "), "");
  EXPECT_EQ(trimLine(U"\u00A0\uFEFF\u3000 Hi there\u2009\u200B"), U"Hi there");
}

TEST_F(SrtImport, CuesBecomeRecordsWithTimesTextAndArea) {
  import(kTwoCues);
  ASSERT_EQ(app.subs.size(), 2u);
  EXPECT_EQ(app.subFormat, sfSRT);
  const TSUP& a = app.subs[0];
  EXPECT_EQ(a.num, 1);
  EXPECT_EQ(a.startTime, "00:00:01,000");
  EXPECT_EQ(a.endTime, "00:00:02,500");
  EXPECT_EQ(a.startPts, 90000u);
  EXPECT_EQ(a.endPts, 225000u);
  EXPECT_EQ(a.text, "Hello|world");
  EXPECT_EQ(a.lineCount, 2);
  EXPECT_EQ(a.palCount, 256u);
  EXPECT_EQ(a.textOk, 1);
  EXPECT_EQ(a.fontMode, 0);
  const int widest = std::max(measure("Hello"), measure("world"));
  EXPECT_EQ(a.win[0].x1, (1920 - widest) / 2);
  EXPECT_EQ(a.win[0].x2, (1920 - widest) / 2 + widest + 1);  // and the last column of the last box
  EXPECT_EQ(a.win[0].y1, 920 - 57);  // lineBase[2] less the ascent of glyph row 2
  EXPECT_EQ(a.win[0].y2, 1010 + 15);
  const TSUP& b = app.subs[1];
  EXPECT_EQ(b.startPts, 5625000u);
  EXPECT_EQ(b.endPts, 5760000u);
  EXPECT_EQ(b.text, "<i>Bye</i>");
  EXPECT_EQ(b.win[0].x2 - b.win[0].x1, measure("<i>Bye</i>"));
  EXPECT_EQ(b.win[0].y1, 1010 - 57);
}

TEST_F(SrtImport, EndsIdleWithTheListShownAndLogged) {
  app.ui.bExport.enabled = false;
  import(kTwoCues);
  expectIdle();
  EXPECT_TRUE(app.ui.bExport.enabled);
  EXPECT_TRUE(app.ui.bSaveBMP.enabled);
  EXPECT_EQ(app.ui.udSubs.max, 2);
  EXPECT_EQ(app.ui.ieSubs.text, "1");
  EXPECT_EQ(app.ui.eSUPfile.text, "");
  EXPECT_EQ(app.ui.lSRTfile.caption, app.srcName);
  // "Loading" with its empty line, whose place the encoding and then the count take, and an
  // empty line.
  EXPECT_EQ(app.messages.plainText(), "Loading movie.srt\nText encoding: UTF-8.\n2 subtitles loaded.\n\n\n");
  EXPECT_EQ(app.statusBar.panels[0].text, " Ready.");
  // The view shows the file as read, without the blank line that ended the last cue.
  EXPECT_EQ(app.ui.mSRT.lines.size(), 8u);
  EXPECT_EQ(app.ui.mSRT.lines.back(), "<i>Bye</i>");
}

TEST_F(SrtImport, TallCuesKeepTheirTextAndStayOnTheCanvas) {
  std::string srt = "1\n00:00:01,000 --> 00:00:02,000\n";
  for (int i = 1; i <= 12; ++i) srt += "line " + std::to_string(i) + "\n";
  import(srt + "\n2\n00:00:03,000 --> 00:00:04,000\n1\n2\n3\n4\n5\n6\n");
  ASSERT_EQ(app.subs.size(), 2u);
  EXPECT_EQ(app.subs[0].lineCount, 12);
  EXPECT_EQ(app.subs[0].text.substr(0, 13), "line 1|line 2");
  EXPECT_EQ(app.subs[0].win[0].y1, 200 - 58);  // the tenth baseline less the tallest ascent
  EXPECT_NE(app.messages.plainText().find("Cue 1: only its last 10 lines can be drawn."), std::string::npos);
  EXPECT_EQ(app.subs[1].win[0].y1, 1010 - 5 * 90 - 58);  // six lines: no glyph row 6, tallest ascent

  set("LastLine", 60);  // baselines at the top edge are moved down to keep the letters on it
  import("1\n00:00:01,000 --> 00:00:02,000\nA\nB\n");
  EXPECT_EQ(app.lineBase[2], 58);
  EXPECT_EQ(app.subs[0].win[0].y1, 58 - 57);
  EXPECT_EQ(app.subs[0].win[0].y2, 60 + 15);
}

TEST_F(SrtImport, ABarInsideALineBreaksIt) {
  import("1\n00:00:01,000 --> 00:00:02,000\nHello | <i>world|\n|\n");
  ASSERT_EQ(app.subs.size(), 1u);
  EXPECT_EQ(app.subs[0].text, "Hello|<i>world");
  EXPECT_EQ(app.subs[0].lineCount, 2);
}

TEST_F(SrtImport, CancelKeepsTheCuesReadAndRestoresTheButtons) {
  std::string srt;
  for (int i = 1; i <= 50; ++i) srt += numberedCue(i);
  host.onPump = [&] {
    EXPECT_TRUE(app.busy);
    EXPECT_TRUE(app.ui.bCancel.enabled);
    EXPECT_FALSE(app.ui.bExport.enabled);
    if (app.subs.size() == 5) app.cancelReq = true;
  };
  import(srt);
  EXPECT_EQ(app.subs.size(), 5u);
  expectIdle();
  EXPECT_EQ(app.ui.mSRT.lines.size(), 19u);  // the view ends with the text of cue 5
  EXPECT_NE(app.messages.plainText().find("5 subtitles loaded."), std::string::npos);
}

TEST_F(SrtImport, ProgressGrowsWithTheCues) {
  std::string srt;
  for (int i = 1; i <= 40; ++i) srt += numberedCue(i);
  int last = 0;
  bool grew = true;
  host.onPump = [&] {
    grew = grew && app.ui.ProgressBar.position >= last;
    last = app.ui.ProgressBar.position;
  };
  import(srt);
  EXPECT_TRUE(grew);
  EXPECT_EQ(last, 35 * 100 / 40);  // set last on line 140, the number line of cue 36
}

TEST_F(SrtImport, NothingImportedDisablesSavingAndClearsThePicture) {
  import(kTwoCues);
  import("no cues in here\n");
  EXPECT_TRUE(app.subs.empty());
  EXPECT_EQ(app.lastError, "No subtitle in movie.srt: it holds no time line such as 00:00:01,000 --> 00:00:02,500.");
  import("1\n00:00:02,000 --> 00:00:01,000\nBackwards\n");
  EXPECT_EQ(app.lastError, "No subtitle in movie.srt: none of its cues can be shown (see above).");
  EXPECT_FALSE(app.ui.bExport.enabled);
  EXPECT_FALSE(app.ui.bSaveBMP.enabled);
  EXPECT_FALSE(app.ui.ieSubs.enabled);
  expectIdle();
}

TEST_F(SrtImport, WithoutALetterSheetOrAFileTheListStays) {
  import(kTwoCues);
  app.srcName = dir.file("missing.srt");
  ReadSRT(app);
  EXPECT_EQ(app.subs.size(), 2u);
  EXPECT_NE(app.lastError.find("Cannot open file"), std::string::npos);

  app.letterSheet = GreyImage();
  import("1\n00:00:01,000 --> 00:00:02,000\nA\n");
  EXPECT_EQ(app.subs.size(), 2u);
  EXPECT_EQ(app.lastError, "abc.png not found! You cannot import .srt files without it.");
  expectIdle();
}

TEST_F(SrtImport, OpenSrtAsksForAFile) {
  bOpenSRTClick(app);  // cancelled
  EXPECT_EQ(host.dialogTitles, std::vector<std::string>{"Open SubRip subtile (SRT)"});
  EXPECT_TRUE(app.subs.empty());
  host.dialogs.push_back(dir.write("x.srt", std::string(kTwoCues)));
  bOpenSRTClick(app);
  EXPECT_EQ(app.srcName, dir.file("x.srt"));
  EXPECT_EQ(app.subs.size(), 2u);
}

TEST_F(SrtImport, LetteringOptions) {
  set("LastLine", 1000);
  set("LineSpc", 80);
  EXPECT_EQ(app.lineBase[1], 1000);
  EXPECT_EQ(app.lineBase[2], 920);
  EXPECT_EQ(app.lineBase[3], 840);
  import(kTwoCues);
  EXPECT_EQ(app.subs[0].win[0].y1, 920 - 57);
  EXPECT_EQ(app.subs[0].win[0].y2, 1000 + 15);

  set("LastLine", 1010);  // lines running downwards still lie inside the area
  set("LineSpc", -90);
  import(kTwoCues);
  EXPECT_EQ(app.subs[0].win[0].y1, 1010 - 57);
  EXPECT_EQ(app.subs[0].win[0].y2, 1064 + 15);

  set("MaxColor", 300);
  EXPECT_EQ(app.ui.ieMaxColor.value(), 255);
  set("MaxColor", -4);
  EXPECT_EQ(app.ui.ieMaxColor.value(), 0);
  set("MaxColor", 128);
  EXPECT_EQ(app.ui.ieMaxColor.value(), 128);
}
