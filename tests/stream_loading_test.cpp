#include <gtest/gtest.h>

#include "app/app.h"
#include "app/stream_loading.h"
#include "model/file_names.h"
#include "model/pts.h"
#include "readers/stream_file.h"
#include "support/temp_dir.h"
#include "support/test_host.h"

TEST(Names, CutExtTakesTheLastExtensionOfTheFileName) {
  EXPECT_EQ(CutExt("movie.en.sup"), "movie.en");
  EXPECT_EQ(CutExt("x.sup"), "x");
  EXPECT_EQ(CutExt("C:\\a.b\\file"), "C:\\a.b\\file");
  EXPECT_EQ(CutExt("/a.b/file"), "/a.b/file");
  EXPECT_EQ(CutExt("noext"), "noext");
  EXPECT_EQ(fileNameOf("D:\\films\\movie.sup"), "movie.sup");
  EXPECT_EQ(fileNameOf("/films/movie.sup"), "movie.sup");
  EXPECT_EQ(upperExtension("/x/a.Srt"), ".SRT");
  EXPECT_EQ(upperExtension("/x.d/a"), "");
}

TEST(Times, Pts2strRoundsToTheMillisecond) {
  EXPECT_EQ(pts2str(0), "00:00:00,000");
  EXPECT_EQ(pts2str(90), "00:00:00,001");
  EXPECT_EQ(pts2str(180), "00:00:00,002");
  EXPECT_EQ(pts2str(44), "00:00:00,000");
  EXPECT_EQ(pts2str(46), "00:00:00,001");
  EXPECT_EQ(pts2str(324000000), "01:00:00,000");
  EXPECT_EQ(pts2str(4294967295u), "13:15:21,859");
}

TEST(StreamFileReader, ReadsBigEndianAndGivesZeroPastTheEnd) {
  const std::vector<uint8_t> bytes = {0x12, 0x34, 0x56, 0x78, 0x9A};
  StreamFile f{std::span<const uint8_t>(bytes)};
  EXPECT_EQ(f.rd16(), 0x1234);
  EXPECT_EQ(f.rd24(), 0x56789Au);
  EXPECT_TRUE(f.atEnd());
  EXPECT_EQ(f.rd32(), 0u);
  EXPECT_EQ(f.pos(), 5u);
  f.seek(0);
  EXPECT_EQ(f.rd32le(), 0x78563412u);
  EXPECT_THROW(f.skip(2), std::exception);
  EXPECT_EQ(f.pos(), 4u);
  EXPECT_THROW(f.take(2), std::exception);
  EXPECT_THROW(f.at(3, 3), std::exception);
  EXPECT_EQ(f.at(3, 2)[1], 0x9A);
  f.seek(100);
  EXPECT_EQ(f.pos(), 5u);
}

class Loading : public ::testing::Test {
 protected:
  TestHost host;
  App app{host};
  TempDir dir;

  void read(const std::string& path) {
    app.ui.eSUPfile.text = path;
    bReadSUPClick(app);
  }
};

TEST_F(Loading, EmptyFileBoxOnlyMarksTheSrtView) {
  read("");
  EXPECT_TRUE(app.srtDirty);
  EXPECT_TRUE(app.messages.lines().empty());
}

TEST_F(Loading, EmptyFileIsUnsupported) {
  app.subs.resize(3);
  read(dir.write("empty.sup", std::string()));
  EXPECT_TRUE(app.subs.empty());
  EXPECT_EQ(app.lastError, "Unsupported file format.");
  EXPECT_TRUE(app.statusBar.errorMarker);
  EXPECT_FALSE(app.ui.bSaveBMP.enabled);
  EXPECT_FALSE(app.ui.bExport.enabled);
  EXPECT_FALSE(app.ui.ProgressBar.visible);
  EXPECT_TRUE(app.ui.WebLink.visible);
  EXPECT_TRUE(app.ui.mSRT.visible);
  EXPECT_EQ(app.ui.ieSubs.text, "0");
  EXPECT_FALSE(app.ui.ieSubs.enabled);
  EXPECT_TRUE(app.srtDirty);
  const std::string log = app.messages.plainText();
  EXPECT_NE(log.find(dir.file("empty.sup") + " loading"), std::string::npos);
  EXPECT_NE(log.find("Unsupported file format."), std::string::npos);
}

TEST_F(Loading, MissingFileReportsTheNameAndReasonAndKeepsTheList) {
  app.subs.resize(2);
  app.ui.bSaveBMP.enabled = true;
  read(dir.file("nope.sup"));
  EXPECT_EQ(app.subs.size(), 2u);
  EXPECT_TRUE(app.ui.bSaveBMP.enabled);
  EXPECT_EQ(app.lastError, "Cannot open file \"" + dir.file("nope.sup") + "\". No such file or directory");
}

TEST_F(Loading, AFolderIsNotAStream) {
  read(dir.path().string());
  EXPECT_NE(app.lastError.find("Cannot open file"), std::string::npos);
}

TEST_F(Loading, TagDecidesTheReaderAndAutoClearEmptiesTheLog) {
  app.log("old line");
  app.ui.cbAutoClear.checked = true;
  read(dir.write("pg.sup", std::string("PG")));
  const std::string log = app.messages.plainText();
  EXPECT_EQ(log.find("old line"), std::string::npos);
  EXPECT_NE(log.find("Blu-ray presentation graphics found."), std::string::npos);
  EXPECT_EQ(app.subFormat, sfBluRay);
  read(dir.write("sp.sup", std::string("SP")));
  EXPECT_NE(app.messages.plainText().find("HD DVD (DVD) subtitle found."), std::string::npos);
  EXPECT_EQ(app.statusBar.panels[0].text.substr(0, 9), " Loading ");
}

TEST_F(Loading, DroppedFiles) {
  const std::string sup = dir.write("a.sup", std::string("xx"));
  app.ui.cbAutoRead.checked = false;
  filesDropped(app, {sup, "/other.sup"});
  EXPECT_EQ(app.ui.eSUPfile.text, sup);  // only the first counts, and it is not read
  EXPECT_TRUE(app.ui.bReadSUP.enabled);
  EXPECT_TRUE(app.messages.lines().empty());
  filesDropped(app, {dir.write("b.txt", std::string("PG"))});
  EXPECT_EQ(app.ui.eSUPfile.text, sup);
  filesDropped(app, {});
  app.ui.cbAutoRead.checked = true;
  filesDropped(app, {sup});
  EXPECT_EQ(app.lastError, "Unsupported file format.");
}

TEST_F(Loading, ChoosingAFile) {
  host.dialogs.push_back(std::nullopt);
  bbSUPClick(app);
  EXPECT_EQ(host.dialogTitles.back(), "Open subtitle stream (SUP)");
  EXPECT_EQ(app.ui.eSUPfile.text, "");

  const std::string sup = dir.write("c.SUP", std::string("PG"));
  app.ui.lSRTfile.caption = "old.srt";
  host.dialogs.push_back(sup);
  bbSUPClick(app);
  EXPECT_EQ(app.ui.eSUPfile.text, sup);
  EXPECT_TRUE(app.ui.bReadSUP.enabled);
  EXPECT_EQ(app.ui.lSRTfile.caption, "");
  EXPECT_NE(app.messages.plainText().find("Blu-ray presentation graphics found."), std::string::npos);

  host.dialogs.push_back(dir.file("gone.sup"));
  app.ui.cbAutoRead.checked = false;
  bbSUPClick(app);
  EXPECT_FALSE(app.ui.bReadSUP.enabled);

  host.dialogs.push_back(dir.file("notes.txt"));
  bbSUPClick(app);
  EXPECT_EQ(app.ui.eSUPfile.text, dir.file("gone.sup"));
}
