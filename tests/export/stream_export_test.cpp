// "Export sup" as a user runs it: names, flags, progress, cancel, failures, odd top rows and
// the order of the times written.
#include "app/stream_export.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "export/export_areas.h"
#include "export/export_order.h"
#include "export/pg_stream_writer.h"
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

TEST_F(StreamExport, OddTopRowStaysWhereItIs) {
  loadTwo(901);
  const std::string out = exportTo("out.sup", 1);
  const auto bytes = readFileBytes(out);
  const size_t second = be32(bytes, 12) + 10;  // the first packet's length
  // The last column and row of each window, named as the reader takes them.
  EXPECT_EQ(spDisplayArea(bytes, 0), (std::array<int, 4>{100, 163, 200, 219}));
  EXPECT_EQ(spDisplayArea(bytes, second), (std::array<int, 4>{300, 339, 901, 911}));
  EXPECT_EQ(app.subs[1].win[0].y1, 901);  // the list stays as it was
  EXPECT_EQ(readFileBytes(exportTo("again.sup", 1)), bytes);
}

TEST_F(StreamExport, TimesNeverRunBackwards) {
  loadTwo();
  const auto compositionTimes = [](const std::vector<PGSegmentView>& segs) {
    std::vector<uint32_t> pts;
    for (const PGSegmentView& s : segs)
      if (s.type == pgPCS) pts.push_back(s.pts);
    return pts;
  };
  app.subs[0].endPts = 300000;  // still shown when subtitle 2 starts at 270000
  auto segs = splitPG(readFileBytes(exportTo("overlap.sup", 0)));
  EXPECT_EQ(compositionTimes(segs), (std::vector<uint32_t>{90000, 270000, 270000, 360000}));
  EXPECT_TRUE(logHas("Subtitle 1 overlaps subtitle 2: written to end at 00:00:03,000."));
  app.subs[1].endPts = 200000;  // ends before it starts
  segs = splitPG(readFileBytes(exportTo("backwards.sup", 0)));
  EXPECT_EQ(compositionTimes(segs), (std::vector<uint32_t>{90000, 300000}));
  EXPECT_TRUE(logHas("Subtitle 2 does not end after its start: left out."));
  EXPECT_EQ(app.subs[0].endPts, 300000u);  // the list stays as it was
}

TEST(ExportOrder, WrittenInTimeOrderOneAtATime) {
  struct Case {
    std::vector<std::pair<uint32_t, uint32_t>> times;  // start, end of each subtitle
    std::vector<ExportItem> written;
    size_t notes;
  };
  const Case cases[] = {
      {{{100, 200}, {300, 400}}, {{0, 100, 200}, {1, 300, 400}}, 0},
      {{{100, 350}, {300, 400}}, {{0, 100, 300}, {1, 300, 400}}, 1},  // cut at the next start
      {{{300, 400}, {100, 200}}, {{1, 100, 200}, {0, 300, 400}}, 1},  // put in order
      {{{100, 100}, {300, 200}, {500, 600}}, {{2, 500, 600}}, 2},     // no time on the screen
      {{{100, 200}, {100, 300}}, {{1, 100, 300}}, 1},                 // start together
      {{{100, 0}, {300, 400}}, {{0, 100, 0}, {1, 300, 400}}, 0},      // an unknown end stays
  };
  for (const Case& c : cases) {
    std::vector<TSUP> subs(c.times.size());
    for (size_t i = 0; i < subs.size(); ++i) subs[i].startPts = c.times[i].first, subs[i].endPts = c.times[i].second;
    std::vector<std::string> notes;
    const std::vector<ExportItem> got = exportOrder(subs, notes);
    ASSERT_EQ(got.size(), c.written.size());
    for (size_t k = 0; k < got.size(); ++k) {
      EXPECT_EQ(got[k].index, c.written[k].index);
      EXPECT_EQ(got[k].startPts, c.written[k].startPts);
      EXPECT_EQ(got[k].endPts, c.written[k].endPts);
    }
    EXPECT_EQ(notes.size(), c.notes);
  }
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
  const EncodeArea box = hdArea(sfBluRay, two, {0, 1});
  EXPECT_EQ(box.x1, 50);
  EXPECT_EQ(box.x2, 400);
  EXPECT_EQ(box.y1, 101);
  EXPECT_EQ(box.y2, 600);  // Blu-ray windows end before their y2
  EXPECT_EQ(hdArea(sfHDDVD, two, {0}).y2, 151);  // other areas end on it
  two.win[1].x2 = 3000;    // beyond what the display area can say
  EXPECT_EQ(hdArea(sfBluRay, two, {0, 1}).x2, kHDMaxCoord + 1);
}
