// "Export sup" as a user runs it: names, flags, progress, cancel, failures, and the lasting
// change an HD DVD export makes to odd top rows.
#include "export/stream_export.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "export/export_areas.h"
#include "support/stream_read_test.h"
#include "written_streams.h"

namespace {
class StreamExport : public StreamReadTest {
 protected:
  // Two subtitles of a Blu-ray stream; the second area starts on row `y2`.
  std::string loadTwo(uint16_t y2 = 600) {
    PgStream s;
    s.show(90000, pgTestImage(100, 200, 64, 20)).clear(180000);
    s.show(270000, pgTestImage(300, y2, 40, 11)).clear(360000);
    const std::string path = load(s.bytes());
    EXPECT_EQ(app.subs.size(), 2u);
    app.ui.bReadSUP.enabled = true;  // as choosing the file does
    return path;
  }
  std::string exportTo(const std::string& name, int format) {
    app.ui.rgFormat.itemIndex = format;
    const std::string path = dir.file(name);
    bExportClick(app, path);
    return path;
  }
};

// The display area (x1, x2, y1, y2) of the HD DVD packet that starts at `at`.
std::array<int, 4> spDisplayArea(const std::vector<uint8_t>& b, size_t at) {
  const size_t p = at + 10 + be32(b, at + 16) + 1034;
  return {int(b[p] & 0x7F) << 4 | b[p + 1] >> 4, (b[p + 1] & 7) << 8 | b[p + 2],  //
          int(b[p + 3] & 0x7F) << 4 | b[p + 4] >> 4, (b[p + 4] & 7) << 8 | b[p + 5]};
}
}  // namespace

TEST(ExportFileName, BaseNameFormatAndRate) {
  TestHost host;
  App app(host);
  app.srcName = "movie";
  EXPECT_EQ(exportFileName(app), "movie.BD.23.976.sup");
  app.srcName = "movie.eng";  // read from movie.eng.sup
  EXPECT_EQ(exportFileName(app), "movie.BD.23.976.sup");
  app.srcName = "D:\\subs\\movie.srt";  // an SRT import keeps the whole path
  app.ui.rgFrame.itemIndex = 2;
  app.ui.rgFormat.itemIndex = 1;
  EXPECT_EQ(exportFileName(app), "movie.HDDVD.25.sup");
  app.srcName = "/films/movie.sup";
  app.ui.rgFrame.itemIndex = 5;
  EXPECT_EQ(exportFileName(app), "movie.HDDVD.59.94.sup");
  const char* rates[] = {"23.976", "24", "25", "29.97", "50", "59.94"};
  app.ui.rgFormat.itemIndex = 0;
  for (int item = 0; item < 6; ++item) {
    app.ui.rgFrame.itemIndex = item;
    EXPECT_EQ(exportFileName(app), std::string("movie.BD.") + rates[item] + ".sup");
  }
}

TEST_F(StreamExport, WritesTheFileAndReturnsToIdle) {
  loadTwo();
  app.ui.bOCRall.enabled = false;  // stays as it was
  struct Seen {
    bool busy, exportBD, exportHD, cancel, pages, saveBmp, exportSup, readSup, ocrAll, chooser, progress;
  };
  std::vector<Seen> seen;
  host.onPump = [&] {
    const Controls& ui = app.ui;
    seen.push_back({app.busy, app.exportBD, app.exportHD, ui.bCancel.enabled, ui.PageControl.enabled,
                    ui.bSaveBMP.enabled, ui.bExport.enabled, ui.bReadSUP.enabled, ui.bOCRall.enabled,
                    ui.bbSUP.enabled, ui.ProgressBar.visible});
  };
  app.ui.PageControl.activePage = pgImage;
  const std::string out = exportTo("out.sup", 0);

  ASSERT_EQ(seen.size(), 2u);  // once before each subtitle
  for (const Seen& s : seen) {
    EXPECT_TRUE(s.busy && s.exportBD && !s.exportHD && s.cancel && s.progress);
    EXPECT_FALSE(s.pages || s.saveBmp || s.exportSup || s.readSup || s.ocrAll || s.chooser);
  }
  EXPECT_EQ(splitPG(readFileBytes(out)).size(), 16u);
  EXPECT_FALSE(app.busy || app.exportBD || app.exportHD);
  const Controls& ui = app.ui;
  EXPECT_TRUE(ui.PageControl.enabled && ui.bSaveBMP.enabled && ui.bExport.enabled && ui.bReadSUP.enabled &&
              ui.bbSUP.enabled);
  EXPECT_FALSE(ui.bOCRall.enabled || ui.bCancel.enabled || ui.ProgressBar.visible);
  EXPECT_EQ(ui.PageControl.activePage, pgStatus);
  EXPECT_EQ(ui.ProgressBar.max, 2);
  EXPECT_EQ(app.appTitle, "Marrowby");
  EXPECT_EQ(app.curSub, 0);  // subtitle 1 drawn again
  const auto lines = logLines();
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[lines.size() - 3], "Exporting subtitle stream: " + out);
  EXPECT_EQ(lines[lines.size() - 2], "Done.");
  EXPECT_EQ(lines.back(), "");
  EXPECT_EQ(app.statusBar.panels[0].text, " Ready");
  // The Blu-ray progress went through the title, ending at the second subtitle's 50%.
  EXPECT_NE(std::find(host.titles.begin(), host.titles.end(), "Marrowby - 50%"), host.titles.end());
}

TEST_F(StreamExport, DefaultNameLandsInTheOutputFolderAndIsOverwritten) {
  loadTwo();
  app.ui.rgFrame.itemIndex = 5;
  app.ui.rgFormat.itemIndex = 1;
  std::filesystem::create_directory(dir.file("out"));
  // The output folder, with or without its closing separator; without one, beside the stream,
  // never in the folder the program was started from.
  for (const auto& [workdir, folder] : std::vector<std::pair<std::string, std::string>>{
           {dir.file("out"), dir.file("out/")}, {dir.file("out/"), dir.file("out/")}, {"", dir.file("")}}) {
    app.ui.eWorkDir.text = workdir;
    app.clearLog();
    bExportClick(app);
    const std::string out = folder + "stream.HDDVD.59.94.sup";
    EXPECT_EQ(logLines().front(), "Exporting subtitle stream: " + out);
    EXPECT_GT(readFileBytes(out).size(), 2u) << out;
  }
  const std::string out = dir.file("stream.HDDVD.59.94.sup");
  const auto first = readFileBytes(out);
  EXPECT_EQ(first[0], 'S');
  app.subs.pop_back();  // the same name again, other content: the file is replaced
  bExportClick(app);
  EXPECT_LT(readFileBytes(out).size(), first.size());
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 3);  // stream, export, out/
}

TEST_F(StreamExport, CancelKeepsTheSubtitlesWrittenSoFar) {
  loadTwo();
  host.onPump = [&] { app.cancelReq = true; };  // pressed while subtitle 1 is written
  const std::string out = exportTo("out.sup", 0);
  EXPECT_EQ(splitPG(readFileBytes(out)).size(), 8u);  // one complete subtitle
  EXPECT_FALSE(logHas("Done."));
  EXPECT_FALSE(app.busy);
  EXPECT_TRUE(app.cancelReq);
}

TEST_F(StreamExport, UnwritableFileIsReportedAndLeavesTheWindowIdle) {
  loadTwo();
  const std::string out = dir.file("no-such-folder/out.sup");
  app.ui.rgFormat.itemIndex = 0;
  bExportClick(app, out);
  const std::string expected = "Cannot open file \"" + out + "\". No such file or directory";
  EXPECT_EQ(app.lastError, expected);
  EXPECT_EQ(logLines().back(), expected);
  EXPECT_TRUE(app.statusBar.errorMarker);
  EXPECT_FALSE(app.busy || app.exportBD || app.exportHD || app.ui.bCancel.enabled);
  EXPECT_TRUE(app.ui.PageControl.enabled && app.ui.bExport.enabled && app.ui.bReadSUP.enabled);
  EXPECT_FALSE(logHas("Done."));
}

TEST_F(StreamExport, OddTopRowBecomesEvenInTheListToo) {
  loadTwo(901);
  const std::string out = exportTo("out.sup", 1);
  const auto bytes = readFileBytes(out);
  const size_t second = be32(bytes, 12) + 10;  // the first packet's length
  EXPECT_EQ(spDisplayArea(bytes, 0), (std::array<int, 4>{100, 164, 200, 220}));
  EXPECT_EQ(spDisplayArea(bytes, second), (std::array<int, 4>{300, 340, 900, 912}));
  EXPECT_EQ(app.subs[1].win[0].y1, 900);
  EXPECT_EQ(app.subs[1].win[0].y2, 912);
  EXPECT_EQ(app.subs[0].win[0].y1, 200);
  // A second export encodes from row 900: one row more, the same display area.
  const auto again = readFileBytes(exportTo("again.sup", 1));
  EXPECT_EQ(spDisplayArea(again, second), (std::array<int, 4>{300, 340, 900, 912}));
  EXPECT_EQ(app.subs[1].win[0].y1, 900);
}

TEST(DrawnAreas, SecondObjectsOfBlurayLists) {
  TSUP s;
  s.win[0] = {0, 100, 300, 100, 150, 1000, 0, 50, 0};
  EXPECT_EQ(drawnAreas(sfBluRay, s), (std::vector<int>{0}));
  s.win[1] = {1, 400, 1000, 900, 980, 5000, 0, 60, 0};
  EXPECT_EQ(drawnAreas(sfBluRay, s), (std::vector<int>{0, 1}));
  EXPECT_EQ(drawnAreas(sfHDDVD, s), (std::vector<int>{0}));
  s.win[0].dataLen = 0;  // the object sits in window 1 only
  s.win[0].dataPos = 0;
  EXPECT_EQ(drawnAreas(sfBluRay, s), (std::vector<int>{1}));
  s.win[1] = {};  // no object at all: window 0's rectangle, drawn empty
  EXPECT_EQ(drawnAreas(sfBluRay, s), (std::vector<int>{0}));

  TSUP two;
  two.win[0] = {0, 100, 300, 101, 150, 1000, 0, 50, 0};
  two.win[1] = {1, 50, 400, 500, 600, 2000, 0, 50, 0};
  const EncodeArea box = hdArea(two, {0, 1});
  EXPECT_EQ(box.x1, 50);
  EXPECT_EQ(box.x2, 400);
  EXPECT_EQ(box.y1, 101);
  EXPECT_EQ(box.y2, 601);  // rows to 600 inclusive
  two.win[1].x2 = 3000;    // beyond what the display area can say
  EXPECT_EQ(hdArea(two, {0, 1}).x2, kHDMaxCoord);
}
