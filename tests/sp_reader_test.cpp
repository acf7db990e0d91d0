// DVD and HD DVD subpicture streams read through "Read SUP", and both readers on their own.
#include <algorithm>

#include "readers/pg_reader.h"
#include "readers/sp_reader.h"
#include "readers/subtitle_times.h"
#include "support/recording_sinks.h"
#include "support/stream_read_test.h"

namespace {
using SpReading = StreamReadTest;

// A DVD unit with the usual first sequence and, after `stopAfter` units of 1024 ticks, a
// second one that ends the display.
SpUnit dvdUnit(std::optional<uint16_t> stopAfter = std::nullopt) {
  SpUnit u;
  u.fields(Bytes(40, 0x11), Bytes(30, 0x22));
  u.sequence(0).start().area(100, 619, 400, 479).fieldAddresses().endCommands();
  if (stopAfter) u.sequence(*stopAfter).stop().endCommands();
  return u;
}

size_t countLines(const std::vector<std::string>& lines, const std::string& text) {
  return size_t(std::count(lines.begin(), lines.end(), text));
}
}  // namespace

TEST_F(SpReading, DvdUnitShowsAndStopsByItsSequences) {
  SpStream sp;
  const size_t u = sp.size() + kSpHeaderSize;
  sp.packet(900000, dvdUnit(100));
  load(sp.bytes());

  ASSERT_EQ(app.subs.size(), 1u);
  EXPECT_EQ(app.subFormat, sfDVD);
  const TSUP& s = sub(1);
  EXPECT_EQ(s.num, 1);
  EXPECT_EQ(s.startPts, 900000u);
  EXPECT_EQ(s.startTime, "00:00:10,000");
  EXPECT_EQ(s.endPts, 900000u + 100 * 1024);
  EXPECT_EQ(s.endTime, "00:00:11,138");
  EXPECT_EQ(s.text, "line 1");
  EXPECT_EQ(s.fontMode, fmUnrecognised);
  EXPECT_EQ(s.textOk, 0);
  EXPECT_EQ(s.palCount, 0u);
  EXPECT_EQ(s.colorOfs, 0u);
  const TSUPWin& w = s.win[0];
  EXPECT_EQ(w.x1, 100);
  EXPECT_EQ(w.x2, 619);
  EXPECT_EQ(w.y1, 400);
  EXPECT_EQ(w.y2, 479);
  EXPECT_EQ(w.dataPos, u + 4);
  EXPECT_EQ(w.nextPos, u + 4 + 40);
  EXPECT_EQ(w.dataLen, 70u);
  EXPECT_EQ(s.win[1].dataPos, 0u);
  EXPECT_TRUE(logHas("1 subtitles loaded."));
  EXPECT_TRUE(app.lastError.empty()) << app.lastError;
}

TEST_F(SpReading, OpenSubtitleEndsJustBeforeTheNextStarts) {
  SpStream sp;
  sp.packet(90000, dvdUnit()).packet(180000, dvdUnit()).packet(270000, dvdUnit(10));
  // A start within the first millisecond ends the subtitle before it right there: one
  // millisecond earlier would fall before tick 0.
  sp.packet(0, dvdUnit()).packet(50, dvdUnit());
  load(sp.bytes());
  ASSERT_EQ(app.subs.size(), 5u);
  EXPECT_EQ(sub(1).endPts, 180000u - 90);
  EXPECT_EQ(sub(1).endTime, "00:00:01,999");
  EXPECT_EQ(sub(2).endPts, 270000u - 90);
  EXPECT_EQ(sub(3).endPts, 270000u + 10240);  // its own STP_DSP, not the next start
  EXPECT_EQ(sub(4).endPts, 50u);
  // The last one never ends by itself: it gets the default duration, and the log says so.
  EXPECT_EQ(sub(5).endPts, 50u + kOpenEndSeconds * 90000);
  EXPECT_TRUE(logHas("Subtitle 5 has no end time: it ends at 00:00:05,001.")) << app.messages.plainText();
  for (size_t n = 1; n <= 5; ++n) EXPECT_EQ(sub(n).num, int(n));
}

TEST_F(SpReading, DisplayAreaKeepsElevenBitsOfEachValue) {
  SpUnit u;
  u.command(Bytes{0x05, 0x06, 0x42, 0x6B, 0x19, 0x01, 0xDF}).start().endCommands();
  SpUnit wide;
  wide.area(2053, 2047, 4095, 15).start().endCommands();
  SpStream sp;
  sp.packet(0, u).packet(1000, wide);
  load(sp.bytes());
  ASSERT_EQ(app.subs.size(), 2u);
  EXPECT_EQ(sub(1).win[0].x1, 100);
  EXPECT_EQ(sub(1).win[0].x2, 619);
  EXPECT_EQ(sub(1).win[0].y1, 400);
  EXPECT_EQ(sub(1).win[0].y2, 479);
  EXPECT_EQ(sub(2).win[0].x1, 5);  // 2053: the twelfth bit is dropped
  EXPECT_EQ(sub(2).win[0].x2, 2047);
  EXPECT_EQ(sub(2).win[0].y1, 2047);
  EXPECT_EQ(sub(2).win[0].y2, 15);
}

TEST_F(SpReading, HdDvdUnitRecordsItsTablesAndWideAddresses) {
  const SpUnit hd = spTestUnit(true, 200, 900, 64, 20, 50);
  SpStream sp;
  sp.packet(0, dvdUnit());
  const size_t u = sp.size() + kSpHeaderSize;
  sp.packet(9000, hd);
  const Bytes& file = sp.bytes();
  load(file);

  ASSERT_EQ(app.subs.size(), 2u);
  EXPECT_EQ(app.subFormat, sfHDDVD);  // the last unit decides
  const TSUP& s = sub(2);
  EXPECT_EQ(s.palCount, 256u);
  const size_t ctl = u + hd.controlOffset();
  ASSERT_LT(ctl + s.contrOfs + 256, file.size());
  // Both offsets point one byte past their command byte, counted from the control area.
  EXPECT_EQ(file[ctl + s.colorOfs - 1], 0x83);
  EXPECT_EQ(file[ctl + s.contrOfs - 1], 0x84);
  EXPECT_EQ(s.contrOfs, s.colorOfs + 768 + 1);
  EXPECT_EQ(file[ctl + s.contrOfs], 0x00);  // the table: index 0 transparent
  EXPECT_EQ(file[ctl + s.contrOfs + 1], 0xFF);
  EXPECT_EQ(s.win[0].dataPos, u + 10);
  EXPECT_GT(s.win[0].nextPos, s.win[0].dataPos);
  EXPECT_EQ(s.win[0].dataLen, hd.controlOffset() - 10);
  EXPECT_EQ(s.win[0].x1, 200);
  EXPECT_EQ(s.win[0].x2, 263);
  EXPECT_EQ(s.startPts, 9000u);
  EXPECT_EQ(s.endPts, 9000u + 50 * 1024);
  EXPECT_EQ(sub(1).endPts, 9000u - 90);

  SpStream back;
  back.packet(0, hd).packet(9000, dvdUnit());
  load(back.bytes());
  EXPECT_EQ(app.subFormat, sfDVD);
}

TEST_F(SpReading, UnknownCommandEndsTheReadButKeepsTheSubtitles) {
  SpUnit odd;
  odd.sequence(0).start().area(1, 2, 3, 4).command(Bytes{0x08}).stop().endCommands();
  SpStream sp;
  sp.packet(1000, dvdUnit()).packet(2000, odd).packet(3000, dvdUnit());
  load(sp.bytes());

  ASSERT_EQ(app.subs.size(), 2u);
  const std::vector<std::string> lines = logLines();
  EXPECT_EQ(countLines(lines, "Unknown command: 08"), 1u);
  EXPECT_TRUE(logHas("2 subtitles loaded."));
  EXPECT_TRUE(app.lastError.empty());
  const TSUP& s = sub(2);
  EXPECT_EQ(s.text, "");  // neither placeholder nor recognition mark
  EXPECT_EQ(s.fontMode, 0);
  EXPECT_EQ(s.startPts, 2000u);  // what came before the unknown byte stays
  EXPECT_EQ(s.win[0].x2, 2);
  EXPECT_EQ(s.endPts, 2000u + kOpenEndSeconds * 90000);
  EXPECT_EQ(sub(1).endPts, 2000u - 90);
}

TEST_F(SpReading, CommandsStayInsideTheControlArea) {
  // Bytes 0xFF after the last CMD_END are further CMD_END commands.
  SpUnit padded = dvdUnit();
  padded.padding(5);
  // CHG_COLCON carries its own size: the command after it is found.
  SpUnit colcon;
  colcon.start().command(Bytes{0x07, 0x00, 0x04, 1, 2, 3, 4}).stop().endCommands();
  // A sequence pointing past the control area: the loop stops at its end, and the next
  // packet ("SP" would be unknown commands) is read as a packet.
  SpUnit far;
  far.start().endCommands().nextAddress(0x7FFF);
  SpStream sp;
  sp.packet(100, padded).packet(200, colcon).packet(300, far).packet(400, dvdUnit());
  load(sp.bytes(), true);

  ASSERT_EQ(app.subs.size(), 4u);
  EXPECT_TRUE(app.lastError.empty()) << app.lastError;
  const std::vector<std::string> lines = logLines();
  size_t ends = 0;
  for (const std::string& l : lines) ends += l.size() > 10 && l.substr(8) == ": CMD_END ";
  EXPECT_EQ(ends, 1 + 5 + 1 + 1 + 1u);
  EXPECT_EQ(sub(2).endPts, 200u);
  for (const std::string& l : lines) EXPECT_EQ(l.find("Unknown"), std::string::npos) << l;
}

TEST_F(SpReading, DetailedLogOfAUnit) {
  // A DVD packet at offset 0 with PTS 0, unit size 0x0800 and control area at 0x07E0.
  SpUnit u;
  u.fields(Bytes(0x7DC - 0x20, 0x55), Bytes(0x20, 0x66));
  u.start().area(100, 619, 400, 479).fieldAddresses().endCommands().padding(0x0E);
  SpUnit hd(true);
  hd.fields(Bytes(4), Bytes(4)).start().fieldAddresses().colorTable(Bytes(768)).contrastTable(Bytes(256));
  SpStream sp;
  sp.packet(0, u);
  ASSERT_EQ(sp.size(), 10u + 0x800);
  sp.packet(0x12345, hd);
  load(sp.bytes(), true);

  const std::vector<std::string> lines = logLines();
  const std::vector<std::string> expected = {
      "------------------------------------",
      "0000000A: SPUH (1) PTS: 00000000",
      "0000000E: PXD [0007DC]",
      "          ----",
      "000007EA: SP_DCSQ_STM: 0000",
      "000007EA: SP_NXT_DCSQ_SA: 000007EA",
      "000007EE: STA_DSP ",
      "000007EF: SET_DAREA (100, 400) - (619, 479)",
      "000007F6: SET_DSPXA top: 000E, bottom: 07CA",
      "000007FB: CMD_END ",
  };
  ASSERT_GE(lines.size(), 3 + expected.size());
  EXPECT_EQ(std::vector<std::string>(lines.begin() + 3, lines.begin() + 3 + long(expected.size())), expected);
  EXPECT_EQ(countLines(lines, "000007FC: CMD_END "), 1u);  // the padding
  EXPECT_TRUE(logHas("00000814: SPUH (2) PTS: 00012345"));
  EXPECT_TRUE(logHas("0000081E: PXD [000008]"));
  EXPECT_TRUE(logHas("00000828: SP_NXT_DCSQ_SA: 00000826"));
  EXPECT_TRUE(logHas("0000082C: STA_DSP "));
  EXPECT_TRUE(logHas("0000082D: SET_DSPXA2 top: 0000081E, bottom: 00000822"));
  EXPECT_TRUE(logHas("00000836: SET_COLOR2 "));
  EXPECT_TRUE(logHas("00000B37: SET_CONTR2 "));
}

TEST_F(SpReading, ProgressEveryTwoHundredSubtitlesWithoutDetails) {
  SpStream sp;
  size_t unit200 = 0, unit100 = 0;
  for (uint32_t i = 1; i <= 201; ++i) {
    if (i == 201) unit200 = sp.size() + kSpHeaderSize;  // read when 200 subtitles exist
    if (i == 101) unit100 = sp.size() + kSpHeaderSize;
    sp.packet(i * 9000, dvdUnit(3));
  }
  load(sp.bytes());
  ASSERT_EQ(app.subs.size(), 201u);
  auto shown = [&](size_t pos) {
    const std::string text = " " + std::to_string(pos) + "/" + std::to_string(sp.size());
    return std::find(host.panel1.begin(), host.panel1.end(), text) != host.panel1.end();
  };
  EXPECT_TRUE(shown(10));
  EXPECT_TRUE(shown(unit200));
  EXPECT_FALSE(shown(unit100));
}

TEST_F(SpReading, DamagedPacketsFailTheReadAndEmptyTheList) {
  SpStream wrongTag;
  wrongTag.packet(0, dvdUnit()).raw(Bytes{'S', 'Q', 0, 0, 0, 0, 0, 0, 0, 0});
  SpStream secondTime;
  secondTime.packet(0, dvdUnit()).packet(1000, dvdUnit(), 1);
  for (const SpStream* sp : {&wrongTag, &secondTime}) {
    load(sp->bytes());
    EXPECT_TRUE(app.subs.empty());
    EXPECT_EQ(app.lastError, "Subpicture format error.");
    EXPECT_TRUE(logHas("Subpicture format error."));
    EXPECT_FALSE(app.ui.bExport.enabled);
  }
}

TEST_F(SpReading, UnitsThatDoNotFitAreReadErrorsThatKeepEarlierSubtitles) {
  SpStream good;
  good.packet(0, dvdUnit(5)).packet(9000, dvdUnit(5));
  // A third packet whose unit has bytes replaced at `at`.
  auto patched = [&](size_t at, std::initializer_list<uint8_t> bytes) {
    Bytes unit = dvdUnit(5).build();
    std::copy(bytes.begin(), bytes.end(), unit.begin() + long(at));
    return SpStream(good).raw(Bytes{'S', 'P', 0x20, 0x4E, 0, 0, 0, 0, 0, 0}).raw(unit).bytes();
  };
  const std::vector<Bytes> broken = {
      patched(0, {0x7F, 0xFF}),        // unit size beyond the end of the file
      patched(2, {0x7F, 0xFF}),        // control area beyond the end of the file
      patched(2, {0x00, 0x02}),        // control area inside the unit header
      patched(0, {0x00, 0x4B}),        // unit ends before one sequence header fits
  };
  for (const Bytes& b : broken) {
    load(b);
    EXPECT_EQ(app.lastError, "Stream read error");
    EXPECT_TRUE(logHas("Stream read error"));
    ASSERT_EQ(app.subs.size(), 2u);
    EXPECT_EQ(app.subFormat, sfDVD);
    EXPECT_EQ(sub(2).endPts, 9000u + 5 * 1024);
  }
  // A file that ends inside a packet header, or right after it.
  for (const Bytes& tail : {Bytes{'S', 'P', 1}, Bytes{'S', 'P', 0, 0, 0, 0, 0, 0, 0, 0}}) {
    Bytes b = good.bytes();
    b.insert(b.end(), tail.begin(), tail.end());
    load(b);
    EXPECT_EQ(app.lastError, "Stream read error");
    EXPECT_EQ(app.subs.size(), 2u);
  }
}

TEST_F(SpReading, ControlAreaLongerThanTheBufferIsReadFromItsStart) {
  SpUnit big(true);
  big.fields(Bytes(8), Bytes(8)).start().area(1, 2, 3, 4).endCommands().padding(kStreamBufSize + 1000, 0x00);
  // The padding is 0x00 (start of display) up to the buffer's end; whatever lies past it is
  // not read for commands.
  SpStream sp;
  sp.packet(4000, big).packet(9000, dvdUnit(1));
  load(sp.bytes());
  ASSERT_EQ(app.subs.size(), 2u);
  EXPECT_TRUE(app.lastError.empty()) << app.lastError;
  EXPECT_EQ(sub(1).win[0].x2, 2);
  EXPECT_EQ(sub(1).endPts, 9000u - 90);
  EXPECT_EQ(sub(2).startPts, 9000u);
}

// The readers alone, as the fuzz targets and any other caller run them: what they report
// goes to the read state's sinks, and a stream that is not one is a flag for the caller.
TEST(StreamReaders, ReportThroughTheirSinks) {
  SpStream dvd;
  dvd.packet(0, dvdUnit(5));
  SpStream wrongTag = dvd;
  wrongTag.raw(Bytes{'S', 'Q', 0, 0, 0, 0, 0, 0, 0, 0});
  const Bytes pgJunk{'P', 'G', 0, 0, 0, 0, 0, 0, 0, 0, 0x80, 0, 0, 'j', 'u', 'n', 'k'};
  using Reports = std::vector<std::pair<std::string, int>>;
  const struct {
    const char* name;
    const Bytes& bytes;
    bool pg, details;
    uint32_t count;
    bool formatError;
    Reports reports;
    std::vector<std::string> lines;
  } cases[] = {
      // The position after the first packet's or segment's header, of the file's bytes.
      {"DVD", dvd.bytes(), false, false, 1, false, {{"10/108", 9}}, {}},
      // The packet-by-packet log takes the place of the progress.
      {"DVD detailed", dvd.bytes(), false, true, 1, false, {}, {}},
      {"wrong tag", wrongTag.bytes(), false, false, 0, true, {{"10/118", 8}}, {}},
      {"Blu-ray junk", pgJunk, true, false, 0, true, {{"13/17", 76}}, {"0000000D: 4 bytes skipped: no segment starts there."}},
  };
  for (const auto& c : cases) {
    SubtitleList list;
    RecordingLog log;
    RecordingProgress progress;
    StreamFile file(c.bytes);
    ReadState rs{file, log, progress, c.details};
    if (c.pg) readPG(list.subs, rs);
    else readSP(list, rs);
    EXPECT_EQ(rs.count, c.count) << c.name;
    EXPECT_EQ(list.subs.size(), c.count) << c.name;
    EXPECT_EQ(rs.formatError, c.formatError) << c.name;
    EXPECT_EQ(progress.reports, c.reports) << c.name;
    if (!c.details) EXPECT_EQ(log.lines, c.lines) << c.name;
    else EXPECT_FALSE(log.lines.empty()) << c.name;
    EXPECT_TRUE(log.errors.empty()) << c.name;
  }
}
