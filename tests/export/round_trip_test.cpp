// Every sample stream, exported as Blu-ray and as HD DVD, reads back through the program's
// own reader with the same subtitles, times and areas, and draws the same palette indexes.
#include <gtest/gtest.h>

#include "export/export_areas.h"
#include "export/stream_export.h"
#include "export_check.h"
#include "render/draw_sub.h"
#include "support/stream_builder.h"
#include "support/temp_dir.h"

namespace {
// The palette indexes of the encoded parts after drawing subtitle n, with their opacity.
struct Picture {
  std::vector<uint8_t> indexes;
  std::array<uint8_t, 256> alpha{};
};

Picture draw(App& app, int n, const std::vector<EncodeArea>& parts) {
  DrawSub(app, n);
  Picture p;
  p.alpha = app.palAlpha;
  for (const EncodeArea& a : parts)
    for (int y = a.y1; y < a.y2; ++y)
      for (int x = a.x1; x < a.x2; ++x) p.indexes.push_back(app.indexImage.at(x, y));
  return p;
}

// Pixels agree when their indexes do, or when both are invisible (a transparent run leaves
// the render's background index, which may be another transparent entry).
size_t differences(const Picture& a, const Picture& b) {
  size_t n = a.indexes.size() == b.indexes.size() ? 0 : std::max(a.indexes.size(), b.indexes.size());
  for (size_t k = 0; k < std::min(a.indexes.size(), b.indexes.size()); ++k) {
    const uint8_t x = a.indexes[k], y = b.indexes[k];
    if (x != y && (a.alpha[x] != 0 || b.alpha[y] != 0)) ++n;
  }
  return n;
}

std::array<int, 4> rect(const TSUPWin& w) { return {w.x1, w.y1, w.x2, w.y2}; }

// The pixels of the source's own areas: its windows for a Blu-ray list, else its display
// area (whose last row counts).
std::vector<EncodeArea> sourceParts(const App& app, const TSUP& s) {
  if (app.subFormat == sfBluRay) return encodedParts(app, s, false);
  return encodedParts(app, s, true);
}

bool inside(const std::vector<EncodeArea>& parts, int x, int y) {
  for (const EncodeArea& a : parts)
    if (x >= a.x1 && x < a.x2 && y >= a.y1 && y < a.y2) return true;
  return false;
}

// Subtitle n of the copy against the source's picture taken before the export: the source's
// pixels land `shift` rows higher (an HD DVD area starts on an even row), and whatever else
// the copy's area holds must be invisible.
void expectSamePicture(App& b, int n, const Picture& want, const std::vector<EncodeArea>& parts, int shift) {
  DrawSub(b, n);
  size_t k = 0, differ = 0, shown = 0;
  for (const EncodeArea& a : parts)
    for (int y = a.y1; y < a.y2; ++y)
      for (int x = a.x1; x < a.x2; ++x, ++k) {
        const uint8_t w = want.indexes[k], g = b.indexImage.at(x, y - shift);
        if (w != g && (want.alpha[w] != 0 || b.palAlpha[g] != 0)) ++differ;
      }
  std::vector<EncodeArea> moved = parts;
  for (EncodeArea& a : moved) a.y1 -= shift, a.y2 -= shift;
  for (const EncodeArea& a : encodedParts(b, b.subs[size_t(n - 1)], true))
    for (int y = a.y1; y < a.y2; ++y)
      for (int x = a.x1; x < a.x2; ++x)
        if (!inside(moved, x, y) && b.palAlpha[b.indexImage.at(x, y)] != 0) ++shown;
  EXPECT_EQ(differ, 0u);
  EXPECT_EQ(shown, 0u) << "pixels outside the source's areas show";
}

void roundTrip(const std::string& sample, bool hd) {
  SCOPED_TRACE(sample + (hd ? " as HD DVD" : " as Blu-ray"));
  Program source;
  if (!source.load(sample)) return;  // a sample this program reads no subtitle from
  App& a = source.app;
  // The source's pictures as the export draws them, before the export moves odd rows.
  std::vector<std::vector<EncodeArea>> sourceAreas;
  std::vector<Picture> sourcePictures;
  std::vector<int> shifts;
  if (hd) {
    a.exportHD = true;
    for (size_t i = 0; i < a.subs.size(); ++i) {
      const TSUP& s = a.subs[i];
      sourceAreas.push_back(sourceParts(a, s));
      sourcePictures.push_back(draw(a, int(i + 1), sourceAreas.back()));
      shifts.push_back(hdArea(s, drawnAreas(a.subFormat, s)).y1 % 2);
    }
    a.exportHD = false;
  }
  TempDir dir;
  const std::string out = dir.file("out.sup");
  a.ui.rgFormat.itemIndex = hd ? 1 : 0;
  bExportClick(a, out);
  ASSERT_EQ(a.lastError, "");

  Program back;
  ASSERT_TRUE(back.load(out));
  App& b = back.app;
  ASSERT_EQ(b.subs.size(), a.subs.size());
  EXPECT_EQ(b.subFormat, hd ? sfHDDVD : sfBluRay);
  a.exportBD = b.exportBD = !hd;
  a.exportHD = b.exportHD = hd;
  for (size_t i = 0; i < a.subs.size(); ++i) {
    SCOPED_TRACE("subtitle " + std::to_string(i + 1));
    const TSUP& s = a.subs[i];
    const TSUP& t = b.subs[i];
    EXPECT_EQ(t.startPts, s.startPts);
    const std::vector<int> drawn = drawnAreas(a.subFormat, s);
    if (!hd) {
      EXPECT_EQ(t.endPts, s.endPts);
      const std::vector<int> read = drawnAreas(b.subFormat, t);
      ASSERT_EQ(read.size(), drawn.size());
      for (size_t k = 0; k < drawn.size(); ++k)
        EXPECT_EQ(rect(t.win[size_t(read[k])]), rect(s.win[size_t(drawn[k])]));
      const auto parts = encodedParts(a, s, false);
      const Picture want = draw(a, int(i + 1), parts);
      const Picture got = draw(b, int(i + 1), parts);
      EXPECT_EQ(differences(want, got), 0u);
    } else {
      // The stop delay counts units of 1024 ticks; an unknown end becomes the next start
      // less 90 ticks, as the reader takes it.
      const uint32_t end = s.endPts != 0                ? s.startPts + ((s.endPts - s.startPts) >> 10 << 10)
                           : i + 1 < a.subs.size() ? a.subs[i + 1].startPts - 90
                                                   : 0;
      EXPECT_EQ(t.endPts, end);
      const EncodeArea box = hdArea(s, drawn);
      EXPECT_EQ(rect(t.win[0]), (std::array<int, 4>{box.x1, box.y1, box.x2, box.y2 - 1}));
      EXPECT_EQ(box.y1 % 2, 0);  // the list itself now says the even row
      expectSamePicture(b, int(i + 1), sourcePictures[i], sourceAreas[i], shifts[i]);
    }
  }
}
}  // namespace

TEST(RoundTrip, EverySampleAsBluray) {
  const auto samples = sampleStreams();
  if (samples.empty()) GTEST_SKIP() << "no sample streams in " MARROWBY_SAMPLES_DIR;
  for (const std::string& s : samples) roundTrip(s, false);
}

TEST(RoundTrip, EverySampleAsHDDVD) {
  const auto samples = sampleStreams();
  if (samples.empty()) GTEST_SKIP() << "no sample streams in " MARROWBY_SAMPLES_DIR;
  for (const std::string& s : samples) roundTrip(s, true);
}

// A palette that lists only opaque entries, the object's clear pixels drawn with an id it does
// not list (as many authoring tools write them): the exported stream keeps those pixels
// clear instead of putting an opaque box behind the text, and a saved picture is clear
// around it.
TEST(RoundTrip, UnlistedClearEntryStaysClear) {
  TempDir dir;
  std::vector<uint8_t> pixels(size_t(40) * 10, 255);
  for (size_t y = 3; y < 7; ++y)
    for (size_t x = 5; x < 35; ++x) pixels[y * 40 + x] = 1;
  PgImage image = pgImageFrom(600, 900, 40, 10, pixels);
  image.palette = {{1, 235, 128, 128, 255}, {2, 16, 128, 128, 255}};
  PgStream pg;
  pg.show(90000, image).clear(180000);
  const std::string source = dir.write("source.sup", pg.bytes());
  for (int format : {0, 1}) {
    SCOPED_TRACE(format == 0 ? "Blu-ray" : "HD DVD");
    Program p;
    ASSERT_TRUE(p.load(source));
    DrawSub(p.app, 1);
    EXPECT_EQ(p.app.palAlpha[p.app.indexImage.at(601, 901)], 0) << "the background of a saved picture";
    p.app.ui.rgFormat.itemIndex = format;
    const std::string out = dir.file("out.sup");
    bExportClick(p.app, out);
    ASSERT_EQ(p.app.lastError, "");
    Program back;
    ASSERT_TRUE(back.load(out));
    DrawSub(back.app, 1);
    const App& b = back.app;
    EXPECT_EQ(b.palAlpha[b.indexImage.at(601, 901)], 0);
    EXPECT_EQ(b.palAlpha[b.indexImage.at(638, 908)], 0);
    EXPECT_EQ(b.palAlpha[b.indexImage.at(610, 904)], 255);
    EXPECT_EQ(b.palRGB[b.indexImage.at(610, 904)], 0xFFFFFFu);
  }
}
