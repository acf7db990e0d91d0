// Blu-ray presentation graphics streams read through "Read SUP": one subtitle for each picture
// a viewer sees, drawn where the compositions place it. Each case is also decoded by FFmpeg,
// the reference for what a player shows, wherever FFmpeg decodes it.
#include <algorithm>
#include <cstdio>

#include "readers/subtitle_times.h"
#include "app/subtitle_display.h"
#include "support/cli_runner.h"
#include "support/ffmpeg_compare.h"
#include "support/stream_read_test.h"

namespace {
using PgReading = StreamReadTest;

std::string hex8(size_t v) {
  char b[16];
  std::snprintf(b, sizeof b, "%08zX", v);
  return b;
}

PgPlacement object(uint16_t objId, uint8_t winId, uint16_t x = 0, uint16_t y = 0) {
  PgPlacement p;
  p.objId = objId;
  p.winId = winId;
  p.x = x;
  p.y = y;
  return p;
}

// The two pictures of the cases, and a third colour scheme of the first.
constexpr uint16_t kAw = 40, kAh = 20, kBw = 30, kBh = 10;
const Bytes& pixelsA() {
  static const Bytes px = pgTestPixels(kAw, kAh);
  return px;
}
const Bytes& pixelsB() {
  static const Bytes px = pgTestPixels(kBw, kBh);
  return px;
}
PgImage imageA(uint16_t x, uint16_t y) { return pgImageFrom(x, y, kAw, kAh, pixelsA()); }
PgImage imageB(uint16_t x, uint16_t y) {
  PgImage b = pgImageFrom(x, y, kBw, kBh, pixelsB());
  b.palette[1] = {1, 81, 240, 90, 255};  // red instead of white
  return b;
}
// The default palette with every alpha scaled by `alpha` / 255.
std::vector<PgColor> paletteAt(uint8_t alpha) {
  std::vector<PgColor> p = pgDefaultPalette();
  for (PgColor& c : p) c.alpha = uint8_t(c.alpha * alpha / 255);
  return p;
}

// One picture the index image shows: columns x0 .. x1 - 1 and rows y0 .. y1 - 1 of a test
// picture, their top-left corner at (x, y).
struct Placed {
  int x, y;
  const Bytes* pixels;
  int width;
  int x0, y0, x1, y1;
};
Placed whole(int x, int y, const Bytes& px, int w, int h) { return {x, y, &px, w, 0, 0, w, h}; }
Placed placedA(int x, int y) { return whole(x, y, pixelsA(), kAw, kAh); }
Placed placedB(int x, int y) { return whole(x, y, pixelsB(), kBw, kBh); }

using Box = std::array<int, 4>;  // x1, y1, x2, y2
Box rectOf(const TSUPWin& w) { return {w.x1, w.y1, w.x2, w.y2}; }

struct Expected {
  uint32_t start, end;
  Box area0, area1;
  std::vector<Placed> picture;
  uint8_t alpha1 = 255;  // of palette entry 1 as drawn
  uint32_t seeAt = 0;    // when FFmpeg shows that picture (0: half-way)
};

struct Case {
  std::string name;
  Bytes stream;
  int width, height;  // the display size
  std::vector<Expected> subs;
  size_t ffmpegSubs = SIZE_MAX;  // the subtitles FFmpeg decodes as the program does
  std::string logLine;  // a line the read writes to the log, when not empty
};

Bytes withPadding(Bytes payload) {
  payload.insert(payload.end(), {0, 0});
  return payload;
}

// The cases show their pictures on a small video: FFmpeg draws it quickly.
constexpr uint16_t kW = 640, kH = 360;
constexpr uint16_t kAx = 100, kAy = 300, kBx = 500, kBy = 320;
const Box kAbox{kAx, kAy, kAx + kAw, kAy + kAh}, kBbox{kBx, kBy, kBx + kBw, kBy + kBh}, kNone{};

std::vector<Case> cases() {
  std::vector<Case> all;
  const auto add = [&](std::string name, const PgStream& pg, std::vector<Expected> subs, int w = kW, int h = kH) {
    all.push_back({std::move(name), pg.bytes(), w, h, std::move(subs), SIZE_MAX, ""});
  };
  const Expected showsA{90000, 180000, kAbox, kNone, {placedA(kAx, kAy)}};
  const Expected showsB{270000, 360000, kBbox, kNone, {placedB(kBx, kBy)}};
  {
    PgStream pg(kW, kH);
    pg.show(90000, imageA(kAx, kAy)).show(180000, imageA(kAx, kAy), PgState::acquisition).clear(270000);
    add("acquisition point", pg, {{90000, 270000, kAbox, kNone, {placedA(kAx, kAy)}}});
  }
  {
    PgStream pg(kW, kH);
    pg.show(90000, imageA(kAx, kAy)).show(180000, imageA(kAx, kAy), PgState::acquisition, 5).clear(270000);
    add("acquisition point with another object id", pg, {{90000, 270000, kAbox, kNone, {placedA(kAx, kAy)}}});
  }
  for (const bool in : {true, false}) {
    const uint8_t alphas[3] = {uint8_t(in ? 64 : 255), 128, uint8_t(in ? 255 : 64)};
    PgImage a = imageA(kAx, kAy);
    a.palette = paletteAt(alphas[0]);
    PgStream pg(kW, kH);
    pg.show(90000, a);
    for (uint32_t k = 1; k < 3; ++k) {
      const uint32_t pts = 90000 + k * 45000;
      pg.pcs(pts, {object(0, 0, kAx, kAy)}, PgState::normal).pds(pts, paletteAt(alphas[k]), 0, uint8_t(k)).end(pts);
    }
    pg.clear(270000);
    // Drawn with the most opaque palette, which FFmpeg shows at the end or at the start.
    add(in ? "fade in by palette" : "fade out by palette", pg,
        {{90000, 270000, kAbox, kNone, {placedA(kAx, kAy)}, 255, in ? 200000u : 100000u}});
  }
  {
    PgStream pg(kW, kH);
    pg.show(90000, imageA(kAx, kAy));
    pg.pcs(180000, {}, PgState::normal).wds(180000, {{0, kAx, kAy, kAw, kAh}});
    pg.ods(180000, 1, kBw, kBh, imageB(0, 0).rle).end(180000);
    pg.pcs(270000, {object(1, 0, kBx, kBy)}, PgState::normal).wds(270000, {{0, kBx, kBy, kBw, kBh}}).end(270000);
    pg.clear(360000);
    add("object sent ahead", pg, {showsA, showsB});  // B in the palette of the epoch, A's
  }
  {
    PgStream pg(kW, kH);
    pg.show(90000, imageA(kAx, kAy));
    pg.pcs(180000, {object(0, 0, 300, 200)}, PgState::normal).end(180000).clear(270000);
    add("object kept, placed elsewhere", pg,
        {showsA, {180000, 270000, {300, 200, 340, 220}, kNone, {placedA(300, 200)}}});
  }
  {
    PgStream pg(kW, kH);
    pg.show(90000, imageA(kAx, kAy)).clear(180000);
    pg.pcs(270000, {object(1, 0, kBx, kBy)}, PgState::normal).ods(270000, 1, kBw, kBh, imageB(0, 0).rle);
    pg.end(270000).clear(360000);
    add("no window or palette segment", pg, {showsA, showsB});
  }
  {
    PgStream pg(kW, kH);
    pg.show(90000, imageA(kAx, kAy));
    pg.pcs(180000, {}).wds(180000, {{0, 0, 0, 10, 10}}).pds(180000, {{0, 16, 128, 128, 0}}).end(180000);
    pg.pcs(270000, {}, PgState::normal).end(270000);
    add("empty epoch start", pg, {showsA});
  }
  {
    PgStream pg(kW, kH);
    pg.show(90000, imageA(kAx, kAy)).show(180000, imageB(kBx, kBy)).clear(270000);
    add("back to back", pg, {showsA, {180000, 270000, kBbox, kNone, {placedB(kBx, kBy)}}});
  }
  {
    PgStream pg(kW, kH);
    pg.pcs(90000, {object(0, 0, 50, 60)}).wds(90000, {{0, 20, 30, 250, 120}}).pds(90000, pgDefaultPalette());
    pg.ods(90000, 0, kAw, kAh, imageA(0, 0).rle).end(90000).clear(180000);
    add("object inside a larger window", pg, {{90000, 180000, {50, 60, 90, 80}, kNone, {placedA(50, 60)}}});
  }
  {
    PgStream pg(kW, kH);
    pg.pcs(90000, {object(0, 0, 50, 60), object(1, 0, 150, 100)}).wds(90000, {{0, 20, 30, 250, 120}});
    pg.pds(90000, pgDefaultPalette()).ods(90000, 0, kAw, kAh, imageA(0, 0).rle);
    pg.ods(90000, 1, kBw, kBh, imageB(0, 0).rle).end(90000).clear(180000);
    add("two objects in one window", pg,
        {{90000, 180000, {50, 60, 180, 110}, kNone, {placedA(50, 60), placedB(150, 100)}}});
  }
  {
    PgStream pg(kW, kH);
    pg.pcs(90000, {object(0, 1, kAx, kAy), object(1, 0, kBx, kBy)});
    pg.wds(90000, {{1, kAx, kAy, kAw, kAh}, {0, kBx, kBy, kBw, kBh}}).pds(90000, pgDefaultPalette());
    pg.ods(90000, 0, kAw, kAh, imageA(0, 0).rle).ods(90000, 1, kBw, kBh, imageB(0, 0).rle).end(90000);
    pg.clear(180000);
    add("windows out of id order", pg, {{90000, 180000, kAbox, kBbox, {placedA(kAx, kAy), placedB(kBx, kBy)}}});
  }
  {
    const Bytes rle = imageA(0, 0).rle;
    const std::span<const uint8_t> d(rle);
    const size_t third = rle.size() / 3;  // cuts that fall inside codes
    PgStream pg(kW, kH);
    pg.pcs(90000, {object(0, 0, kAx, kAy)}).wds(90000, {{0, kAx, kAy, kAw, kAh}}).pds(90000, pgDefaultPalette());
    pg.odsFragment(90000, 0, true, false, d.first(third), kAw, kAh, uint32_t(rle.size()));
    pg.odsFragment(90000, 0, false, false, d.subspan(third, third));
    pg.odsFragment(90000, 0, false, true, d.subspan(2 * third)).end(90000).clear(180000);
    add("three fragments", pg, {showsA});
  }
  {
    PgPlacement cropped = object(0, 0, 10, 10);
    cropped.cropped = true;
    cropped.crop[0] = 5, cropped.crop[1] = 5, cropped.crop[2] = 20, cropped.crop[3] = 10;
    PgStream pg(kW, kH);
    pg.pcs(90000, {cropped}).wds(90000, {{0, 10, 10, 20, 10}}).pds(90000, pgDefaultPalette());
    pg.ods(90000, 0, kAw, kAh, imageA(0, 0).rle).end(90000).clear(180000);
    add("cropped", pg, {{90000, 180000, {10, 10, 30, 20}, kNone, {{10, 10, &pixelsA(), kAw, 5, 5, 25, 15}}}});
    all.back().ffmpegSubs = 0;  // FFmpeg draws the whole object
  }
  for (const auto [w, h, x, y] : std::vector<std::array<uint16_t, 4>>{{1280, 720, 600, 650}, {3840, 2160, 3000, 2000}}) {
    PgStream pg(w, h);
    pg.pcs(90000, {object(0, 0, x, y)}).wds(90000, {{0, x, y, kAw, kAh}}).pds(90000, pgDefaultPalette());
    pg.ods(90000, 0, kAw, kAh, imageA(0, 0).rle).end(90000).pcs(180000, {}, PgState::normal).end(180000);
    add(std::to_string(h) + "p", pg, {{90000, 180000, {x, y, x + kAw, y + kAh}, kNone, {placedA(x, y)}}}, w, h);
  }
  {
    PgStream pg(kW, kH);
    pg.show(90000, imageA(kAx, kAy)).clear(180000).show(270000, imageB(kBx, kBy)).clear(360000);
    const size_t end = pg.size();
    pg.raw(Bytes(16, 0));
    add("trailing zeros", pg, {showsA, showsB});
    all.back().logLine = hex8(end) + ": 16 bytes skipped: no segment starts there.";
  }
  {
    PgStream pg(kW, kH);
    pg.show(90000, imageA(kAx, kAy)).clear(180000);
    const size_t damage = pg.size();
    pg.raw(Bytes{'P', 'G', 1, 2, 3, 'P', 0x80}).show(270000, imageB(kBx, kBy)).clear(360000);
    add("damage between display sets", pg, {showsA, showsB});
    all.back().logLine = hex8(damage) + ": 7 bytes skipped: no segment starts there.";
    all.back().ffmpegSubs = 1;  // FFmpeg stops at the damage
  }
  {
    // A one-object composition with two bytes of padding.
    PgStream one(kW, kH);
    one.pcs(0, {object(0, 0, kAx, kAy)});
    const Bytes payload(one.bytes().begin() + kPgHeaderSize, one.bytes().end());
    PgStream pg(kW, kH);
    pg.segment(90000, 0x16, withPadding(payload)).wds(90000, {{0, kAx, kAy, kAw, kAh}});
    pg.pds(90000, pgDefaultPalette()).ods(90000, 0, kAw, kAh, imageA(0, 0).rle).end(90000).clear(180000);
    add("composition with padding", pg, {showsA});
  }
  return all;
}

// The index image as the expected pictures make it: their indexes where they show, 0 (the
// transparent entry) everywhere else.
void expectPicture(const App& app, const Expected& e, int width, int height) {
  std::vector<uint8_t> want(size_t(width) * size_t(height), 0);
  for (const Placed& p : e.picture)
    for (int y = p.y0; y < p.y1; ++y)
      for (int x = p.x0; x < p.x1; ++x)
        want[size_t(p.y + y - p.y0) * size_t(width) + size_t(p.x + x - p.x0)] = (*p.pixels)[size_t(y * p.width + x)];
  ASSERT_EQ(app.indexImage.width(), width);
  ASSERT_EQ(app.indexImage.height(), height);
  size_t differ = 0;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) differ += app.indexImage.at(x, y) != want[size_t(y) * size_t(width) + size_t(x)];
  EXPECT_EQ(differ, 0u) << "pixels that differ from the expected picture";
}
}  // namespace

TEST_F(PgReading, OneSubtitlePerPictureAViewerSees) {
  const bool ffmpeg = haveFFmpeg();
  for (const Case& c : cases()) {
    SCOPED_TRACE(c.name);
    const std::string path = load(c.stream, true);
    EXPECT_TRUE(app.lastError.empty()) << app.lastError;
    ASSERT_EQ(app.subs.size(), c.subs.size());
    if (!c.logLine.empty()) {
      EXPECT_TRUE(logHas(c.logLine)) << c.logLine;
    }
    // Moments to ask FFmpeg about: one inside each subtitle, and one after it unless the next
    // follows at once, where nothing shows (subtitle -1).
    std::vector<std::pair<int, int>> moments;
    for (size_t i = 0; i < c.subs.size(); ++i) {
      const Expected& e = c.subs[i];
      const TSUP& s = sub(i + 1);
      SCOPED_TRACE("subtitle " + std::to_string(i + 1));
      EXPECT_EQ(s.num, int(i + 1));
      EXPECT_EQ(s.startPts, e.start);
      EXPECT_EQ(s.endPts, e.end);
      EXPECT_EQ(rectOf(s.win[0]), e.area0);
      EXPECT_EQ(rectOf(s.win[1]), e.area1);
      showSubtitle(app, int(i + 1));
      expectPicture(app, e, c.width, c.height);
      EXPECT_EQ(app.palAlpha[1], e.alpha1);
      moments.push_back({int((e.seeAt ? e.seeAt : (e.start + e.end) / 2) / 9000), int(i)});
      if (i + 1 == c.subs.size() || c.subs[i + 1].start > e.end) moments.push_back({int(e.end / 9000) + 3, -1});
    }
    if (!ffmpeg || c.ffmpegSubs == 0) continue;
    std::vector<int> frames;
    for (const auto& m : moments) frames.push_back(m.first);
    std::string errors;
    const std::vector<RgbFrame> shots =
        ffmpegFrames(path, frames, kCompareBackground, dir.path().string(), errors, c.width, c.height);
    ASSERT_EQ(shots.size(), frames.size()) << errors;
    for (size_t k = 0; k < moments.size(); ++k) {
      const int i = moments[k].second;
      if (i >= 0 && size_t(i) >= c.ffmpegSubs) break;
      if (i < 0) {
        EXPECT_EQ(compareIndexImage(app, shots[k]).shownByFFmpeg, 0u) << "at frame " << frames[k];
        continue;
      }
      showSubtitle(app, i + 1);
      const Agreement a = compareIndexImage(app, shots[k]);
      EXPECT_TRUE(agreeClosely(a)) << "subtitle " << i + 1 << ": " << a.shapeDiffers << " pixels differ in shape, "
                                   << a.colourDiffers << " in colour";
      EXPECT_GT(a.shownByFFmpeg, 0u) << "subtitle " << i + 1;
    }
  }
}

TEST_F(PgReading, RecordsOfADisplaySet) {
  const PgImage img = pgTestImage(100, 800, 200, 50);
  PgStream pg;
  pg.pcs(90000, {object(0, 0, 100, 800)}).wds(90000, {{0, 100, 800, 200, 50}});
  const size_t pds = pg.size();
  pg.pds(90000, img.palette);
  const size_t ods = pg.size();
  pg.ods(90000, 0, 200, 50, img.rle).end(90000);
  pg.pcs(270000, {}, PgState::normal).wds(270000, {{0, 110, 810, 20, 30}}).end(270000);
  // A large object as disc streams carry it: a first fragment and its continuation.
  const Bytes big(70000, 9);
  pg.pcs(300000, {object(3, 0, 5, 6)}).wds(300000, {{0, 0, 0, 10, 10}}).pds(300000, img.palette);
  const size_t bigFirst = pg.size();
  pg.ods(300000, 3, 10, 10, big);
  const size_t bigNext = pg.size() - (kOdsNextDataAt + big.size() - kOdsMaxFirstData);
  pg.end(300000);
  load(pg.bytes());

  ASSERT_EQ(app.subs.size(), 2u);
  EXPECT_EQ(app.subFormat, sfBluRay);
  const TSUP& s = sub(1);
  EXPECT_EQ(s.startTime, "00:00:01,000");
  EXPECT_EQ(s.endTime, "00:00:03,000");
  EXPECT_EQ(s.text, "line 1");
  EXPECT_EQ(s.fontMode, fmUnrecognised);
  EXPECT_EQ(s.textOk, 0);
  EXPECT_EQ(s.colorOfs, pds + kPdsEntriesAt);
  EXPECT_EQ(s.palCount, 4u);
  EXPECT_TRUE(s.palEarlier.empty());
  EXPECT_EQ(s.videoWidth, 1920);
  EXPECT_EQ(s.videoHeight, 1080);
  // The clearing set's window changes nothing.
  EXPECT_EQ(rectOf(s.win[0]), (Box{100, 800, 300, 850}));
  EXPECT_EQ(s.win[0].dataPos, ods + kOdsFirstDataAt);
  EXPECT_EQ(s.win[0].dataLen, img.rle.size());
  EXPECT_EQ(s.win[0].nextPos, 0u);
  ASSERT_EQ(s.objects.size(), 1u);
  EXPECT_EQ(s.objects[0].fragments, (std::vector<TSUPData>{{uint32_t(ods + kOdsFirstDataAt), uint32_t(img.rle.size())}}));

  const TSUP& b = sub(2);
  EXPECT_EQ(b.win[0].objId, 3);
  EXPECT_EQ(b.winOfObj[3], 0);
  EXPECT_EQ(b.win[0].dataPos, bigFirst + kOdsFirstDataAt);
  EXPECT_EQ(b.win[0].dataLen, kOdsMaxFirstData);
  EXPECT_EQ(b.win[0].nextPos, bigNext + kOdsNextDataAt);
  EXPECT_EQ(b.win[0].dataLen + b.win[0].nextLen, big.size());
  // The last subtitle is never cleared: it gets an end, and the log says so.
  EXPECT_EQ(b.endPts, 300000u + kOpenEndSeconds * 90000);
  EXPECT_TRUE(logHas("Subtitle 2 has no end time: it ends at 00:00:08,333."));
  EXPECT_TRUE(logHas("2 subtitles loaded."));
  EXPECT_TRUE(app.lastError.empty());
}

TEST_F(PgReading, PaletteSegmentsThatUpdateSomeEntries) {
  const PgImage a = imageA(100, 800);
  const auto showA = [&](PgStream& pg) {
    pg.pcs(90000, {object(0, 0, 100, 800)}).wds(90000, {{0, 100, 800, kAw, kAh}});
    const size_t pds = pg.size();
    pg.pds(90000, a.palette).ods(90000, 0, kAw, kAh, a.rle).end(90000);
    return pds;
  };
  const auto update = [](PgStream& pg, uint32_t pts, const std::vector<PgColor>& entries, uint8_t version) {
    pg.pcs(pts, {object(0, 0, 100, 800)}, PgState::normal).pds(pts, entries, 0, version).end(pts);
  };
  // Entry 1 turns red, then entry 2 half transparent, each by a segment of its own: the same
  // picture all along, in other colours. The most opaque palette of the run is the first.
  PgStream pg;
  const size_t first = showA(pg);
  update(pg, 180000, {{1, 81, 240, 90, 255}}, 1);
  update(pg, 270000, {{2, 16, 128, 128, 128}}, 2);
  pg.clear(360000);
  load(pg.bytes());
  ASSERT_EQ(app.subs.size(), 1u);
  EXPECT_EQ(sub(1).endPts, 360000u);
  EXPECT_EQ(sub(1).colorOfs, first + kPdsEntriesAt);
  EXPECT_TRUE(sub(1).palEarlier.empty());
  showSubtitle(app, 1);
  EXPECT_EQ(app.palRGB[1], 0xFFFFFFu);

  // A last update that makes it more opaque wins, with the earlier segments whose entries it
  // does not name again: the first (entries 0 and 2) and entry 1's.
  pg = PgStream();
  showA(pg);
  update(pg, 180000, {{1, 81, 240, 90, 255}}, 1);
  update(pg, 270000, {{3, 16, 128, 128, 255}, {4, 16, 128, 128, 9}}, 2);
  pg.clear(360000);
  load(pg.bytes());
  ASSERT_EQ(app.subs.size(), 1u);
  EXPECT_EQ(sub(1).palEarlier.size(), 2u);
  showSubtitle(app, 1);
  EXPECT_EQ(app.palRGB[1], 0x0000FEu);
  EXPECT_EQ(app.palAlpha[2], 255);
  EXPECT_EQ(app.palRGB[3], 0u);
  EXPECT_EQ(app.palAlpha[4], 9);
}

TEST_F(PgReading, DetailedLogListsEverySegmentAndWhatEachCompositionDid) {
  PgStream pg;
  pg.pcs(90000, {object(0, 0, 100, 800)}).wds(90000, {{0, 100, 800, 200, 50}}).pds(90000, pgDefaultPalette());
  pg.ods(90000, 0, 200, 50, Bytes(0x40, 1)).end(90000);
  pg.segment(90000, 0x18, Bytes(5)).segment(90000, 0x81, Bytes(3)).segment(90000, 0x82, {});
  pg.segment(90000, 0x19, Bytes(10));  // unknown: skipped without a line
  pg.pcs(135000, {object(0, 0, 100, 800)}, PgState::acquisition).end(135000);
  pg.pcs(150000, {object(0, 0, 100, 800)}, PgState::normal).pds(150000, paletteAt(9)).end(150000);
  pg.pcs(180000, {}, PgState::normal).end(180000);
  pg.pcs(200000, {object(7, 0)}, PgState::normal).end(200000);
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
      "------------2----------",
      "00000107: PTS=00020F58 (00:00:01,500)",
      "0000010F: PCS (13) state: 1",
      "0000012F: END",
      "Continues subtitle 1: the same picture.",
      "------------2----------",
      "00000134: PTS=000249F0 (00:00:01,667)",
      "0000013C: PCS (13) state: 0",
      "0000015C: PDS (16)  4 palettes",
      "0000017F: END",
      "Merges into subtitle 1: the same picture with another palette.",
      "00000184: PTS=0002BF20 (00:00:02,000)",
      "0000018C: PCS (0B) state: 0",
      "000001A4: END",
      "Ends subtitle 1.",
      "------------2----------",
      "000001A9: PTS=00030D40 (00:00:02,222)",
      "000001B1: PCS (13) state: 0",
      "000001D1: END",
      "Object 7 is not defined: it is not shown.",
      "1 subtitles loaded.",
  };
  const std::vector<std::string> lines = logLines();
  ASSERT_GE(lines.size(), 3 + expected.size());
  EXPECT_EQ(std::vector<std::string>(lines.begin() + 3, lines.begin() + 3 + long(expected.size())), expected);
  EXPECT_EQ(app.subs.size(), 1u);

  // Without "Detailed info" only the load's own lines are written.
  app.clearLog();
  load(pg.bytes(), false);
  for (const std::string& l : logLines()) {
    EXPECT_EQ(l.find(": PCS"), std::string::npos) << l;
    EXPECT_EQ(l.find("subtitle 1"), std::string::npos) << l;
  }
}

TEST_F(PgReading, ProgressEveryTwoHundredSubtitles) {
  PgStream pg;
  const PgImage img = pgTestImage(0, 0, 8, 8);
  size_t clearOf200 = 0, clearOf100 = 0;
  for (uint32_t i = 1; i <= 201; ++i) {
    pg.show(i * 1000, img);
    // A subtitle counts from the END of its display set on.
    if (i == 200) clearOf200 = pg.size();
    if (i == 100) clearOf100 = pg.size();
    pg.clear(i * 1000 + 500);
  }
  load(pg.bytes());
  ASSERT_EQ(app.subs.size(), 201u);
  const std::string total = "/" + std::to_string(pg.size());
  auto shown = [&](size_t pos) {
    const std::string text = " " + std::to_string(pos) + total;
    return std::find(host.panel1.begin(), host.panel1.end(), text) != host.panel1.end();
  };
  EXPECT_TRUE(shown(13));  // the first segment, before any subtitle
  EXPECT_TRUE(shown(clearOf200 + 13));
  EXPECT_FALSE(shown(clearOf100 + 13));
  // The progress bar moves with it, in percent of the file.
  const auto at = std::find(host.panel1.begin(), host.panel1.end(), " " + std::to_string(clearOf200 + 13) + total);
  ASSERT_NE(at, host.panel1.end());
  EXPECT_EQ(host.progress[size_t(at - host.panel1.begin())], int((clearOf200 + 13) * 100 / pg.size()));
  EXPECT_EQ(app.ui.ProgressBar.max, 100);
}

TEST_F(PgReading, SegmentsBeforeTheFirstCompositionBelongToNoEpochThatShows) {
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

TEST_F(PgReading, BrokenStreamsKeepWhatIsReadable) {
  PgStream good;
  good.show(1000, pgTestImage(0, 0, 4, 4)).clear(2000);

  // Nothing but damage after the first segment: the read fails as a whole.
  load(Bytes{'P', 'G', 0, 0, 0, 0, 0, 0, 0, 0, 0x80, 0, 0, 'j', 'u', 'n', 'k'});
  EXPECT_TRUE(app.subs.empty());
  EXPECT_EQ(app.lastError, "Subpicture format error.");
  EXPECT_TRUE(app.statusBar.errorMarker);
  EXPECT_TRUE(logHas("0000000D: 4 bytes skipped: no segment starts there."));

  // Sizes smaller than the fixed fields of a palette, a first fragment or a continuation: the
  // segment is passed over, the next is read.
  for (const auto& [type, payload] : std::vector<std::pair<uint8_t, Bytes>>{
           {0x14, Bytes{0}}, {0x15, Bytes{0, 0, 0, 0x80, 0, 0, 4, 0, 1, 0}}, {0x15, Bytes{0, 0, 0}}}) {
    PgStream short_ = good;
    short_.segment(3000, type, payload).show(4000, pgTestImage(0, 0, 4, 4)).clear(5000);
    load(short_.bytes());
    EXPECT_TRUE(app.lastError.empty()) << app.lastError;
    EXPECT_EQ(app.subs.size(), 2u) << int(type);
  }

  // A payload size beyond the end of the file is cut to what the file holds; the display set
  // without its END is not shown.
  PgStream cut = good;
  cut.pcs(3000, {object(0, 0)});
  cut.segment(3000, 0x15, Bytes{0, 0, 0, 0xC0, 0, 0, 20, 0, 4, 0, 4, 1, 1, 1}, 500);
  load(cut.bytes());
  EXPECT_TRUE(app.lastError.empty()) << app.lastError;
  EXPECT_EQ(app.subs.size(), 1u);

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
  EXPECT_NE(detailed.out.find("Ends subtitle 1.\n"), std::string::npos);
  EXPECT_NE(detailed.out.find("1 subtitles loaded."), std::string::npos);
}
