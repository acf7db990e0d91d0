#include <gtest/gtest.h>

#include <filesystem>

#include "app/app.h"
#include "export/authoring_scripts.h"
#include "app/bitmap_export.h"
#include "model/pts.h"
#include "support/temp_dir.h"
#include "support/test_host.h"

namespace {
std::string readText(const std::string& path) {
  const auto b = readFileBytes(path);
  return {b.begin(), b.end()};
}

std::vector<std::string> crlfLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t e; (e = text.find("\r\n", start)) != std::string::npos; start = e + 2)
    lines.push_back(text.substr(start, e - start));
  EXPECT_EQ(start, text.size()) << "every line ends with CR LF";
  return lines;
}

class SaveBitmaps : public ::testing::Test {
 protected:
  TestHost host;
  App app{host};
  TempDir dir;

  // A Blu-ray list whose records point at no data: each picture is drawn empty. The
  // renderer still opens the stream file.
  void makeList(size_t n, const std::string& streamName = "movie.sup") {
    app.subFormat = sfBluRay;
    app.ui.eSUPfile.text = dir.write(streamName, std::string("PG"));
    app.subs.resize(n);
    for (size_t i = 0; i < n; ++i) {
      TSUP& s = app.subs[i];
      s.num = int(i + 1);
      s.startPts = uint32_t(90000 * (2 * i + 1));
      s.endPts = s.startPts + 180000;
      s.startTime = pts2str(s.startPts);
      s.endTime = pts2str(s.endPts);
    }
    app.ui.udSubs.max = int(n);
    app.ui.bSaveBMP.enabled = app.ui.bExport.enabled = app.ui.bReadSUP.enabled = true;
    app.ui.eWorkDir.text = dir.path().string();
    app.ui.cbBDN.checked = true;
    app.ui.cbPNG.checked = false;  // the picture files themselves are the renderer's
    app.ui.rgFrame.itemIndex = 1;  // 24
  }
  std::string folder() const { return dir.file("movie.sup.bitmaps") + "/"; }
};
}  // namespace

TEST(PictureNames, FourDigitsAndUniqueBeyond) {
  EXPECT_EQ(pictureName(0), "line0000");
  EXPECT_EQ(pictureName(123), "line0123");
  EXPECT_EQ(pictureName(9999), "line9999");
  EXPECT_EQ(pictureName(10000), "line10000");
}

TEST_F(SaveBitmaps, FolderFollowsTheOutputFolderAndTheSource) {
  makeList(1);
  app.ui.eWorkDir.text = "/out";
  EXPECT_EQ(pictureFolder(app), "/out/movie.sup.bitmaps/");
  app.ui.eWorkDir.text = "/out/";
  EXPECT_EQ(pictureFolder(app), "/out/movie.sup.bitmaps/");
  // Without an output folder: beside the source file.
  app.ui.eWorkDir.text = "";
  EXPECT_EQ(pictureFolder(app), dir.file("movie.sup.bitmaps/"));
  app.subFormat = sfSRT;
  app.srcName = "/subs/movie.srt";
  EXPECT_EQ(pictureFolder(app), "/subs/movie.srt.bitmaps/");
  app.srcName = "movie.srt";
  EXPECT_EQ(pictureFolder(app), "movie.srt.bitmaps/");
}

TEST_F(SaveBitmaps, OneSubtitleWritesBothScriptsByteForByte) {
  makeList(1);
  bSaveBMPClick(app);
  const auto scn = crlfLines(readText(folder() + "subtitles.scn-sst"));
  ASSERT_EQ(scn.size(), 7u);
  EXPECT_EQ(scn[0], "St_Format 4");
  EXPECT_EQ(scn[1], "Display_Area  (0 2 1919 1079)");
  EXPECT_EQ(scn[2], "TV_Type NTSC");
  EXPECT_EQ(scn[3], "SubTitle movie.sup");
  EXPECT_EQ(scn[4], std::string(26, '#'));
  EXPECT_EQ(scn[5], "SP_NUMBER START END FILE_NAME");
  EXPECT_EQ(scn[6], "1 00:00:01:00 00:00:03:00 line0001.png");

  const auto bdn = crlfLines(readText(folder() + "subtitles.bdn.xml"));
  // Nine head lines, three per event (the empty picture and subtitle 1), two tail lines.
  ASSERT_EQ(bdn.size(), 17u);
  EXPECT_EQ(bdn[0], "<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
  EXPECT_EQ(bdn[1],
            "<BDN Version=\"0.93\" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
            "xsi:noNamespaceSchemaLocation=\"BD-03-006-0093b BDN File Format.xsd\">");
  EXPECT_EQ(bdn[3], "    <Name Title=\"movie\" Content=\"\"/>");
  EXPECT_EQ(bdn[5], "    <Format VideoFormat=\"1080p\" FrameRate=\"24\" DropFrame=\"False\"/>");
  EXPECT_EQ(bdn[6],
            "    <Events Type=\"Graphic\" FirstEventInTC=\"00:00:01:00\" LastEventOutTC=\"00:00:03:00\" "
            "NumberofEvents=\"1\"/>");
  EXPECT_EQ(bdn[9], "    <Event InTC=\"00:00:00.000\" OutTC=\"00:00:00.100\" forced=\"False\">");
  EXPECT_EQ(bdn[10], "      <Graphic Width=\"1920\" Height=\"1080\" X=\"0\" Y=\"0\">line0000.png</Graphic>");
  EXPECT_EQ(bdn[12], "    <Event InTC=\"00:00:01:00\" OutTC=\"00:00:03:00\" forced=\"False\">");
  EXPECT_EQ(bdn[13], "      <Graphic Width=\"1920\" Height=\"1080\" X=\"0\" Y=\"0\">line0001.png</Graphic>");
  EXPECT_EQ(bdn.back(), "</BDN>");
  const std::string text = readText(folder() + "subtitles.bdn.xml");
  EXPECT_NE(text.substr(0, 3), "\xEF\xBB\xBF");  // no byte-order mark
}

TEST_F(SaveBitmaps, CommandRunsTheLongOperationProtocol) {
  makeList(3);
  bool sawBusy = false;
  host.onPump = [&] { sawBusy = app.busy && app.savingBitmaps && app.ui.bCancel.enabled && !app.ui.bExport.enabled &&
                                !app.ui.PageControl.enabled; };
  bSaveBMPClick(app);
  EXPECT_TRUE(sawBusy);
  EXPECT_EQ(host.pumps, 4);  // pictures 0 to 3
  EXPECT_FALSE(app.busy);
  EXPECT_FALSE(app.savingBitmaps);
  EXPECT_FALSE(app.ui.bCancel.enabled);
  EXPECT_TRUE(app.ui.bExport.enabled && app.ui.bSaveBMP.enabled && app.ui.bReadSUP.enabled);
  EXPECT_FALSE(app.ui.bOCRall.enabled);  // it was off before and stays off
  EXPECT_TRUE(app.ui.PageControl.enabled);
  EXPECT_FALSE(app.ui.ProgressBar.visible);
  EXPECT_EQ(app.appTitle, "Marrowby");
  EXPECT_NE(std::find(host.titles.begin(), host.titles.end(), "Marrowby - Saving bitmaps 66%"), host.titles.end());
  EXPECT_EQ(app.outBase, folder() + "line0003");
  const auto& lines = app.messages.lines();
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[lines.size() - 3].text, "Saving subpicture bitmaps to " + folder());
  EXPECT_EQ(lines[lines.size() - 2].text, "Done.");
  EXPECT_EQ(lines.back().text, "");
  EXPECT_EQ(app.ui.ieSubs.text, "1");
}

TEST_F(SaveBitmaps, CancelAfterPictureFiveKeepsTheBdnFileWellFormed) {
  makeList(10);
  int pumps = 0;
  host.onPump = [&] {
    if (++pumps == 6) app.cancelReq = true;  // while picture 5 is being drawn
  };
  bSaveBMPClick(app);
  const std::string bdn = readText(folder() + "subtitles.bdn.xml");
  EXPECT_NE(bdn.find("NumberofEvents=\"10\""), std::string::npos);
  EXPECT_NE(bdn.find("line0005.png"), std::string::npos);
  EXPECT_EQ(bdn.find("line0006.png"), std::string::npos);
  EXPECT_EQ(bdn.substr(bdn.size() - 8), "</BDN>\r\n");
  EXPECT_EQ(crlfLines(readText(folder() + "subtitles.scn-sst")).size(), 6u + 5u);
  EXPECT_EQ(app.statusBar.panels[0].text, " Ready");
  EXPECT_EQ(app.messages.plainText().find("Done."), std::string::npos);
  EXPECT_FALSE(app.cancelReq);
  EXPECT_FALSE(app.busy);
}

TEST_F(SaveBitmaps, NamesAsTheUserSeesThem) {
  // A file name in UTF-8, as Linux names are, stays as it is; one that is not valid UTF-8 is
  // taken as Windows-1252.
  for (const std::string& name : {std::string("Caf\xC3\xA9"), std::string("Caf\xE9")}) {
    makeList(1, name + ".sup");
    bSaveBMPClick(app);
    const std::string folder = dir.file(name + ".sup.bitmaps/");
    EXPECT_NE(readText(folder + "subtitles.bdn.xml").find("Title=\"Caf\xC3\xA9\""), std::string::npos) << name;
    EXPECT_EQ(crlfLines(readText(folder + "subtitles.scn-sst"))[3], "SubTitle Caf\xC3\xA9.sup") << name;
  }
}

TEST_F(SaveBitmaps, ReducedPicturesAndReservedCharacters) {
  makeList(2, "Tom & \"Jerry\" <caf\xE9>.sup");
  app.ui.cb720p.checked = true;
  bSaveBMPClick(app);
  const std::string dirName = dir.file("Tom & \"Jerry\" <caf\xE9>.sup.bitmaps");
  const std::string bdn = readText(dirName + "/subtitles.bdn.xml");
  EXPECT_NE(bdn.find("Title=\"Tom &amp; &quot;Jerry&quot; &lt;caf\xC3\xA9&gt;\""), std::string::npos);
  EXPECT_NE(bdn.find("VideoFormat=\"720p\""), std::string::npos);
  EXPECT_NE(bdn.find("Width=\"1280\" Height=\"720\""), std::string::npos);
  EXPECT_EQ(bdn.find("1920"), std::string::npos);
  if (std::system("command -v xmllint >/dev/null 2>&1") == 0) {
    const std::string cmd = "xmllint --noout '" + dirName + "/subtitles.bdn.xml' 2>&1";
    EXPECT_EQ(std::system(cmd.c_str()), 0);
  }
}

TEST_F(SaveBitmaps, UnwritableFolderIsReportedAndTheWindowIsIdleAgain) {
  makeList(2);
  app.ui.eWorkDir.text = dir.file("missing/deeper");
  bSaveBMPClick(app);
  EXPECT_NE(app.lastError.find("Cannot open file \"" + dir.file("missing/deeper/movie.sup.bitmaps/subtitles.scn-sst")),
            std::string::npos);
  EXPECT_NE(app.lastError.find("No such file or directory"), std::string::npos);
  EXPECT_TRUE(app.statusBar.errorMarker);
  EXPECT_FALSE(app.busy);
  EXPECT_FALSE(app.savingBitmaps);
  EXPECT_FALSE(app.ui.bCancel.enabled);
  EXPECT_TRUE(app.ui.bSaveBMP.enabled);
  EXPECT_TRUE(app.ui.PageControl.enabled);
  EXPECT_FALSE(app.ui.ProgressBar.visible);
}
