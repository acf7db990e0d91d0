// Blu-ray presentation graphics streams read through "Read SUP".
#include <algorithm>
#include <cstdio>

#include "support/cli_runner.h"
#include "support/stream_read_test.h"

namespace {
using PgReading = StreamReadTest;

std::string hex8(size_t v) {
  char b[16];
  std::snprintf(b, sizeof b, "%08zX", v);
  return b;
}

PgPlacement object(uint16_t objId, uint8_t winId) {
  PgPlacement p;
  p.objId = objId;
  p.winId = winId;
  return p;
}

// A display set with one object in its own window, ended by END.
void showObject(PgStream& pg, uint32_t pts, uint16_t objId, uint8_t winId, PgState state = PgState::epochStart) {
  pg.pcs(pts, {object(objId, winId)}, state).wds(pts, {{winId, 10, 20, 30, 40}});
  pg.ods(pts, objId, 30, 40, Bytes(50, 1)).end(pts);
}
}  // namespace

TEST_F(PgReading, DisplaySetAndClearingSetMakeOneSubtitle) {
  const PgImage img = pgTestImage(100, 800, 200, 50);
  PgStream pg;
  pg.pcs(90000, {object(0, 0)}).wds(90000, {{0, 100, 800, 200, 50}});
  const size_t pds = pg.size();
  pg.pds(90000, img.palette);
  const size_t ods = pg.size();
  pg.ods(90000, 0, 200, 50, img.rle).end(90000);
  // The clearing set's window writes into the same subtitle.
  pg.pcs(270000, {}, PgState::normal).wds(270000, {{0, 110, 810, 20, 30}}).end(270000);
  load(pg.bytes());

  ASSERT_EQ(app.subs.size(), 1u);
  EXPECT_EQ(app.subFormat, sfBluRay);
  const TSUP& s = sub(1);
  EXPECT_EQ(s.num, 1);
  EXPECT_EQ(s.startPts, 90000u);
  EXPECT_EQ(s.startTime, "00:00:01,000");
  EXPECT_EQ(s.endPts, 270000u);
  EXPECT_EQ(s.endTime, "00:00:03,000");
  EXPECT_EQ(s.text, "line 1");
  EXPECT_EQ(s.fontMode, fmUnrecognised);
  EXPECT_EQ(s.textOk, 0);
  EXPECT_EQ(s.colorOfs, pds + kPdsEntriesAt);
  EXPECT_EQ(s.palCount, 4u);
  const TSUPWin& w = s.win[0];
  EXPECT_EQ(w.x1, 110);
  EXPECT_EQ(w.y1, 810);
  EXPECT_EQ(w.x2, 130);
  EXPECT_EQ(w.y2, 840);
  EXPECT_EQ(w.objId, 0);
  EXPECT_EQ(w.dataPos, ods + kOdsFirstDataAt);
  EXPECT_EQ(w.dataLen, img.rle.size());
  EXPECT_EQ(w.nextPos, 0u);
  EXPECT_EQ(s.win[1].dataPos, 0u);
  EXPECT_EQ(s.win[1].x2, 0);
  EXPECT_TRUE(logHas("1 subtitles loaded."));
  EXPECT_TRUE(app.lastError.empty());
}

TEST_F(PgReading, FragmentsOfAnObjectShareItsWindowRecord) {
  const Bytes data(300, 7);
  const std::span<const uint8_t> d(data);
  PgStream pg;
  pg.pcs(0, {object(3, 1)}).wds(0, {{0, 0, 0, 10, 10}, {1, 50, 60, 10, 10}});
  const size_t first = pg.size();
  pg.odsFragment(0, 3, true, false, d.first(100), 10, 10);
  pg.odsFragment(0, 3, false, false, d.first(120));
  const size_t last = pg.size();
  pg.odsFragment(0, 3, false, true, d.first(80)).end(0);
  // A large object as disc streams carry it: a first fragment and its continuation.
  const Bytes big(70000, 9);
  pg.pcs(900, {object(0, 0)}).wds(900, {{0, 0, 0, 10, 10}});
  const size_t bigFirst = pg.size();
  pg.ods(900, 0, 10, 10, big);
  const size_t bigNext = pg.size() - (kOdsNextDataAt + big.size() - kOdsMaxFirstData);
  pg.end(900);
  load(pg.bytes(), true);

  ASSERT_EQ(app.subs.size(), 2u);
  const TSUPWin& w = sub(1).win[1];
  EXPECT_EQ(w.objId, 3);
  EXPECT_EQ(w.dataPos, first + kOdsFirstDataAt);
  EXPECT_EQ(w.dataLen, 100u);
  // Three fragments: the first and the last are kept.
  EXPECT_EQ(w.nextPos, last + kOdsNextDataAt);
  EXPECT_EQ(w.nextLen, 80u);
  EXPECT_EQ(sub(1).win[0].dataPos, 0u);

  const TSUPWin& b = sub(2).win[0];
  EXPECT_EQ(b.dataPos, bigFirst + kOdsFirstDataAt);
  EXPECT_EQ(b.dataLen, kOdsMaxFirstData);
  EXPECT_EQ(b.nextPos, bigNext + kOdsNextDataAt);
  EXPECT_EQ(b.dataLen + b.nextLen, big.size());

  const std::string at = hex8(first + 10) + ": ODS3 (6F) 10 x 10  first";
  EXPECT_TRUE(logHas(at)) << at;
  EXPECT_TRUE(logHas(hex8(first + 10 + 124) + ": ODS3 (7C)"));
  EXPECT_TRUE(logHas(hex8(last + 10) + ": ODS3 (54)  last"));
}

TEST_F(PgReading, CompositionsPlaceObjectsInTheirWindowRecords) {
  PgStream pg;
  showObject(pg, 0, 1, 0);  // object 1 in window 0: record 0, record 1 stays empty
  pg.clear(100);
  // The record has two windows and object ids up to 63: a window id above 1 uses record 1,
  // and an object id of 64 or more lands in record 0, the record of any unplaced object.
  pg.pcs(200, {object(2, 5), object(64, 1)});
  pg.wds(200, {{0, 1, 2, 3, 4}, {1, 5, 6, 7, 8}, {2, 9, 9, 9, 9}});
  const size_t second = pg.size();
  pg.ods(200, 2, 4, 4, Bytes(20, 1));
  const size_t high = pg.size();
  pg.ods(200, 64, 4, 4, Bytes(20, 1)).end(200);
  load(pg.bytes(), true);

  ASSERT_EQ(app.subs.size(), 2u);
  EXPECT_EQ(sub(1).win[0].objId, 1);
  EXPECT_EQ(sub(1).win[0].dataLen, 50u);
  EXPECT_EQ(sub(1).win[1].dataPos, 0u);
  EXPECT_EQ(sub(1).winOfObj[1], 0);

  const TSUP& s = sub(2);
  EXPECT_EQ(s.winOfObj[2], 1);
  EXPECT_EQ(s.win[1].objId, 2);
  EXPECT_EQ(s.win[1].dataPos, second + kOdsFirstDataAt);
  EXPECT_EQ(s.win[0].objId, 64);
  EXPECT_EQ(s.win[0].dataPos, high + kOdsFirstDataAt);
  // Only two windows fit the record; the third is read past (the next segment is found) and
  // logged.
  EXPECT_EQ(s.win[0].x1, 1);
  EXPECT_EQ(s.win[0].y2, 6);
  EXPECT_EQ(s.win[1].x1, 5);
  EXPECT_EQ(s.win[1].y2, 14);
  const size_t wds = second - (kPgHeaderSize + 28);
  EXPECT_TRUE(logHas(hex8(wds + 10) + ": WDS2 (1C)  id: 2 [9,9] - [18,18]"));
}

TEST_F(PgReading, EndTimesOfSubtitlesThatFollowOneAnother) {
  // Two compositions with objects in a row (an acquisition point repeating the picture):
  // two subtitles. The first stays open until a composition without objects finds an object
  // id above 0 in the second one's records.
  PgStream pg;
  showObject(pg, 1000, 1, 0);
  showObject(pg, 2000, 1, 0, PgState::acquisition);
  pg.clear(3000);
  // Object id 0 adds nothing to that sum: the first of these keeps an open end.
  showObject(pg, 4000, 0, 0);
  showObject(pg, 5000, 0, 0, PgState::acquisition);
  pg.clear(6000);
  // The last subtitle of the stream is never cleared.
  showObject(pg, 7000, 0, 0);
  load(pg.bytes());

  ASSERT_EQ(app.subs.size(), 5u);
  EXPECT_EQ(sub(1).endPts, 3000u);
  EXPECT_EQ(sub(2).startPts, 2000u);
  EXPECT_EQ(sub(2).endPts, 3000u);
  EXPECT_EQ(sub(3).endPts, 0u);
  EXPECT_EQ(sub(3).endTime, "");
  EXPECT_EQ(sub(4).endPts, 6000u);
  EXPECT_EQ(sub(5).startPts, 7000u);
  EXPECT_EQ(sub(5).endPts, 0u);
  EXPECT_EQ(sub(5).endTime, "");
  for (size_t n = 1; n <= 5; ++n) EXPECT_EQ(sub(n).num, int(n));

  // A later composition without objects replaces an earlier end.
  PgStream again;
  showObject(again, 1000, 1, 0);
  again.clear(2000).clear(2500);
  load(again.bytes());
  ASSERT_EQ(app.subs.size(), 1u);
  EXPECT_EQ(sub(1).endPts, 2500u);
}

TEST_F(PgReading, DetailedLogListsEverySegment) {
  PgStream pg;
  pg.pcs(90000, {object(0, 0)}).wds(90000, {{0, 100, 800, 200, 50}}).pds(90000, pgDefaultPalette());
  pg.ods(90000, 0, 200, 50, Bytes(0x40, 1)).end(90000);
  pg.segment(90000, 0x18, Bytes(5)).segment(90000, 0x81, Bytes(3)).segment(90000, 0x82, {});
  pg.segment(90000, 0x19, Bytes(10));  // unknown: skipped without a line
  pg.clear(180000);
  load(pg.bytes(), true);

  const std::vector<std::string> expected = {
      "------------1----------",
      "00000002: PTS=00015F90 (00:00:01,000)",
      "0000000A: PCS (13) state: 2",
      "0000002A: WDS0 (0A)  id: 0 [100,800] - [300,850]",
      "00000041: PDS (16)  4 palettes",
      "00000064: ODS0 (4B) 200 x 50",
      "000000BC: END",
      "interactive composition definition",
      "Used by HDMV Text subtitle streams",
      "Used by HDMV Text subtitle streams",
      "00000107: PTS=0002BF20 (00:00:02,000)",
      "0000010F: PCS (0B) state: 0",
      "00000127: WDS0 (0A)  id: 0 [0,0] - [0,0]",
      "0000013E: END",
      "1 subtitles loaded.",
  };
  const std::vector<std::string> lines = logLines();
  ASSERT_GE(lines.size(), 3 + expected.size());
  EXPECT_EQ(std::vector<std::string>(lines.begin() + 3, lines.begin() + 3 + long(expected.size())), expected);
  EXPECT_EQ(app.subs.size(), 1u);

  // Without "Detailed info" only the load's own lines are written.
  app.clearLog();
  load(pg.bytes(), false);
  for (const std::string& l : logLines()) EXPECT_EQ(l.find(": PCS"), std::string::npos) << l;
}

TEST_F(PgReading, ProgressEveryTwoHundredSubtitles) {
  PgStream pg;
  const PgImage img = pgTestImage(0, 0, 8, 8);
  size_t wdsOf200 = 0, wdsOf100 = 0;
  for (uint32_t i = 1; i <= 201; ++i) {
    if (i == 200) wdsOf200 = pg.size() + 32;  // after its one-object composition
    if (i == 100) wdsOf100 = pg.size() + 32;
    pg.show(i * 1000, img).clear(i * 1000 + 500);
  }
  load(pg.bytes());
  ASSERT_EQ(app.subs.size(), 201u);
  const std::string total = "/" + std::to_string(pg.size());
  auto shown = [&](size_t pos) {
    const std::string text = " " + std::to_string(pos) + total;
    return std::find(host.panel1.begin(), host.panel1.end(), text) != host.panel1.end();
  };
  EXPECT_TRUE(shown(13));  // the first segment, before any subtitle
  EXPECT_TRUE(shown(wdsOf200 + 13));
  EXPECT_FALSE(shown(wdsOf100 + 13));
  // The progress bar moves with it, in percent of the file.
  const auto at = std::find(host.panel1.begin(), host.panel1.end(), " " + std::to_string(wdsOf200 + 13) + total);
  ASSERT_NE(at, host.panel1.end());
  EXPECT_EQ(host.progress[size_t(at - host.panel1.begin())], int((wdsOf200 + 13) * 100 / pg.size()));
  EXPECT_EQ(app.ui.ProgressBar.max, 100);
}

TEST_F(PgReading, SegmentsBeforeTheFirstSubtitleChangeNothing) {
  PgStream pg;
  pg.end(0).wds(0, {{0, 5, 5, 5, 5}}).pds(0, pgDefaultPalette()).ods(0, 0, 2, 2, Bytes(8, 1));
  pg.pcs(0, {}, PgState::normal).odsFragment(0, 0, false, true, Bytes(4));
  const size_t start = pg.size();
  pg.show(5000, pgTestImage(1, 2, 3, 4)).clear(6000);
  load(pg.bytes());
  ASSERT_EQ(app.subs.size(), 1u);
  EXPECT_EQ(sub(1).startPts, 5000u);
  EXPECT_EQ(sub(1).win[0].x1, 1);
  EXPECT_EQ(sub(1).win[0].nextPos, 0u);
  EXPECT_GT(sub(1).colorOfs, start);
  EXPECT_GT(sub(1).win[0].dataPos, start);
}

TEST_F(PgReading, CroppedObjectsAndPaddedPayloadsKeepTheSegmentsInStep) {
  PgPlacement cropped = object(0, 0);
  cropped.cropped = true;
  cropped.forced = true;
  PgStream pg;
  pg.pcs(100, {cropped}).wds(100, {{0, 1, 1, 4, 4}}).ods(100, 0, 4, 4, Bytes(12, 1)).end(100).clear(200);
  load(pg.bytes());
  EXPECT_TRUE(app.lastError.empty()) << app.lastError;
  ASSERT_EQ(app.subs.size(), 1u);
  EXPECT_EQ(sub(1).endPts, 200u);
}

TEST_F(PgReading, BrokenStreams) {
  PgStream good;
  good.show(1000, pgTestImage(0, 0, 4, 4)).clear(2000);

  // A segment that does not start with "PG": the whole read fails and the list is empty.
  PgStream bad = good;
  bad.raw(Bytes{'P', 'X', 0, 0, 0, 0, 0, 0, 0, 0, 0x80, 0, 0});
  load(bad.bytes());
  EXPECT_TRUE(app.subs.empty());
  EXPECT_EQ(app.lastError, "Subpicture format error.");
  EXPECT_TRUE(app.statusBar.errorMarker);
  EXPECT_TRUE(logHas("Subpicture format error."));

  // Sizes smaller than the fixed fields of a palette, a first fragment or a continuation:
  // a read error that keeps the subtitles read before.
  for (const auto& [type, payload] : std::vector<std::pair<uint8_t, Bytes>>{
           {0x14, Bytes{0}}, {0x15, Bytes{0, 0, 0, 0x80, 0, 0, 4, 0, 1, 0}}, {0x15, Bytes{0, 0, 0}}}) {
    PgStream short_ = good;
    short_.show(3000, pgTestImage(0, 0, 4, 4)).segment(3000, type, payload);
    load(short_.bytes());
    EXPECT_EQ(app.lastError, "Stream read error");
    EXPECT_TRUE(logHas("Stream read error"));
    EXPECT_EQ(app.subs.size(), 2u) << int(type);
  }

  // A payload size beyond the end of the file is cut to what the file holds.
  PgStream cut = good;
  cut.pcs(3000, {object(0, 0)});
  const size_t ods = cut.size();
  cut.segment(3000, 0x15, Bytes{0, 0, 0, 0xC0, 0, 0, 20, 0, 4, 0, 4, 1, 1, 1}, 500);
  load(cut.bytes());
  EXPECT_TRUE(app.lastError.empty()) << app.lastError;
  ASSERT_EQ(app.subs.size(), 2u);
  EXPECT_EQ(sub(2).win[0].dataPos, ods + kOdsFirstDataAt);
  EXPECT_EQ(sub(2).win[0].dataLen, 3u);

  // A file cut inside a segment header.
  PgStream header = good;
  header.raw(Bytes{'P', 'G', 0, 1});
  load(header.bytes());
  EXPECT_EQ(app.subs.size(), 1u);
}

TEST(PgReadingCli, DetailsOptionPrintsThePacketLog) {
  TempDir dir;
  PgStream pg;
  pg.show(90000, pgTestImage(10, 20, 30, 40)).clear(180000);
  const std::string file = dir.write("one.sup", pg.bytes());
  const CliRun plain = runCli("info " + file, true);
  EXPECT_EQ(plain.status, 0);
  EXPECT_EQ(plain.out.find("PCS"), std::string::npos);
  const CliRun detailed = runCli("--set Details=1 info " + file, true);
  EXPECT_EQ(detailed.status, 0);
  EXPECT_NE(detailed.out.find("00000002: PTS=00015F90 (00:00:01,000)\n0000000A: PCS (13) state: 2\n"),
            std::string::npos)
      << detailed.out;
  EXPECT_NE(detailed.out.find(": WDS0 (0A)  id: 0 [10,20] - [40,60]\n"), std::string::npos);
  EXPECT_NE(detailed.out.find("1 subtitles loaded."), std::string::npos);
}
