// The SRT view and "Save SRT".
#include "app/srt_page.h"

#include <gtest/gtest.h>

#include <memory>

#include "app/app.h"
#include "support/temp_dir.h"
#include "support/test_host.h"

namespace {
class SrtExport : public ::testing::Test {
 protected:
  TestHost host;
  std::unique_ptr<App> app = std::make_unique<App>(host);

  void add(int num, const std::string& start, const std::string& end, const std::string& text) {
    TSUP& s = app->appendSub();
    s.num = num;
    s.startTime = start;
    s.endTime = end;
    s.text = text;
  }
  std::string fileText(const std::string& path) {
    const auto bytes = readFileBytes(path);
    return std::string(bytes.begin(), bytes.end());
  }
};

TEST_F(SrtExport, ViewAndFile) {
  add(1, "00:00:01,000", "00:00:02,500", "Hello|world");
  add(2, "00:00:03,000", "00:00:04,000", "Bye");
  app->srtDirty = true;
  app->ui.PageControl.activePage = pgSRT;
  PageControlChange(*app);
  const std::vector<std::string> expected = {"1", "00:00:01,000 --> 00:00:02,500", "Hello", "world", "",
                                             "2", "00:00:03,000 --> 00:00:04,000", "Bye",   ""};
  EXPECT_EQ(app->ui.mSRT.lines, expected);
  EXPECT_FALSE(app->srtDirty);
  EXPECT_TRUE(app->ui.bSaveSRT.enabled);
  EXPECT_FALSE(app->ui.ProgressBar.visible);
  EXPECT_EQ(app->statusBar.panels[0].text, " Ready");

  TempDir dir;
  const std::string path = dir.file("out.srt");
  host.dialogs.push_back(path);
  app->srcName = "movie";
  bSaveSRTClick(*app);
  EXPECT_EQ(host.dialogTitles.back(), "Save SubRip subtitle (SRT)");
  const std::string text = fileText(path);
  EXPECT_EQ(text.substr(0, 3), "1\r\n");
  EXPECT_EQ(text.substr(text.size() - 7), "Bye\r\n\r\n");  // two CR LF pairs end the file
  EXPECT_NE(app->messages.plainText().find(path + " subtitle saved.\n\n"), std::string::npos);
}

TEST_F(SrtExport, ViewIsRebuiltOnlyWhenOutOfDate) {
  add(1, "00:00:01,000", "", std::string(400, 'x'));
  app->subs[0].startPts = 90000;
  app->srtDirty = true;
  app->ui.PageControl.activePage = pgSRT;
  PageControlChange(*app);
  EXPECT_EQ(app->ui.mSRT.lines[1], "00:00:01,000 --> 00:00:03,000");  // an unknown end: two seconds
  EXPECT_EQ(app->ui.mSRT.lines[2].size(), 400u);
  app->subs[0].text = "changed without marking";
  PageControlChange(*app);
  EXPECT_EQ(app->ui.mSRT.lines[2].size(), 400u);
  app->srtDirty = true;
  app->ui.PageControl.activePage = pgImage;
  PageControlChange(*app);
  EXPECT_TRUE(app->srtDirty);
}

TEST_F(SrtExport, FailedOrCancelledSaveLeavesTheTargetAlone) {
  add(1, "00:00:01,000", "00:00:02,000", "Hi");
  SUP2Srt(*app);
  TempDir dir;
  const std::string path = dir.write("old.srt", std::string("old"));
  bSaveSRTClick(*app);  // the dialog is cancelled
  EXPECT_EQ(fileText(path), "old");
  host.dialogs.push_back(dir.file("missing/folder/x.srt"));
  bSaveSRTClick(*app);
  EXPECT_TRUE(app->statusBar.errorMarker);
  EXPECT_EQ(host.beeps, 1);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST_F(SrtExport, EmptyViewKeepsSaveDisabled) {
  SUP2Srt(*app);
  EXPECT_TRUE(app->ui.mSRT.lines.empty());
  EXPECT_FALSE(app->ui.bSaveSRT.enabled);
}
}  // namespace
