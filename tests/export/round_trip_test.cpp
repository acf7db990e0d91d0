// Every sample stream exported as Blu-ray and as HD DVD, read back and exported again: the
// second export gives the same bytes, and every subtitle shows the same pixels in the same
// colours as the source (through HD DVD and back to Blu-ray too).
#include <gtest/gtest.h>

#include "app/drawing_of.h"
#include "app/stream_export.h"
#include "export_check.h"
#include "render/index_image.h"
#include "support/stream_builder.h"
#include "support/temp_dir.h"
#include "written_streams.h"

namespace {
// What a viewer sees of one pixel: nothing, or a colour as the stream stores it with its
// opacity.
struct Seen {
  uint8_t alpha = 0;
  YCrCb colour;
  bool operator==(const Seen&) const = default;
};

// Draws subtitle n's palette indexes as the writers and the picture files do.
void drawIndex(App& app, int n) {
  Drawing d = drawingOf(app);
  drawIndexImage(d, n);
}

Seen seenAt(const App& app, int x, int y) {
  if (!app.indexImage.contains(x, y)) return {};
  const uint8_t c = app.indexImage.at(x, y);
  if (app.palAlpha[c] == 0) return {};
  return {app.palAlpha[c], app.palYCrCb[c]};
}

// Pixels of subtitle n that differ between a and b, over everything either drew.
size_t differences(App& a, App& b, int n) {
  a.exportBD = b.exportBD = true;  // the palettes as an export builds them
  drawIndex(a, n);
  drawIndex(b, n);
  a.exportBD = b.exportBD = false;
  Rect r = a.indexImage.written();
  r.unite(b.indexImage.written());
  size_t differ = 0;
  for (int y = r.y0; y < r.y1; ++y)
    for (int x = r.x0; x < r.x1; ++x) differ += !(seenAt(a, x, y) == seenAt(b, x, y));
  return differ;
}

// Exports app's list in `format` (0 Blu-ray, 1 HD DVD) to dir/name and reads it back.
std::string exportTo(App& app, const TempDir& dir, const std::string& name, int format) {
  app.ui.rgFormat.itemIndex = format;
  const std::string out = dir.file(name);
  bExportClick(app, out);
  EXPECT_EQ(app.lastError, "");
  return out;
}

void expectSamePictures(App& source, App& copy) {
  ASSERT_EQ(copy.subs.size(), source.subs.size());
  for (size_t i = 0; i < source.subs.size(); ++i) {
    SCOPED_TRACE("subtitle " + std::to_string(i + 1));
    EXPECT_EQ(copy.subs[i].startPts, source.subs[i].startPts);
    EXPECT_EQ(differences(source, copy, int(i + 1)), 0u);
  }
}

void roundTrip(const std::string& sample, int format) {
  SCOPED_TRACE(sample + (format == 1 ? " as HD DVD" : " as Blu-ray"));
  Program source;
  if (!source.load(sample)) return;  // a sample this program reads no subtitle from
  TempDir dir;
  const std::string first = exportTo(source.app, dir, "first.sup", format);
  Program copy;
  ASSERT_TRUE(copy.load(first));
  EXPECT_EQ(copy.app.subFormat, format == 1 ? sfHDDVD : sfBluRay);
  expectSamePictures(source.app, copy.app);
  if (format == 0) {
    for (size_t i = 0; i < source.app.subs.size(); ++i)
      EXPECT_EQ(copy.app.subs[i].endPts, source.app.subs[i].endPts) << "subtitle " << i + 1;
    EXPECT_EQ(copy.app.displayWidth, source.app.displayWidth);
    EXPECT_EQ(copy.app.displayHeight, source.app.displayHeight);
  }
  EXPECT_EQ(readFileBytes(exportTo(copy.app, dir, "second.sup", format)), readFileBytes(first));
  if (format == 1) {  // and on to Blu-ray
    Program bluray;
    ASSERT_TRUE(bluray.load(exportTo(copy.app, dir, "bluray.sup", 0)));
    expectSamePictures(source.app, bluray.app);
  }
}
}  // namespace

TEST(RoundTrip, EverySampleAsBluray) {
  const auto samples = sampleStreams();
  if (samples.empty()) GTEST_SKIP() << "no sample streams in " MARROWBY_SAMPLES_DIR;
  for (const std::string& s : samples) roundTrip(s, 0);
}

TEST(RoundTrip, EverySampleAsHDDVD) {
  const auto samples = sampleStreams();
  if (samples.empty()) GTEST_SKIP() << "no sample streams in " MARROWBY_SAMPLES_DIR;
  for (const std::string& s : samples) roundTrip(s, 1);
}

// An SRT list: its areas end on their last column and row, which hold ink too; "OCR" (black
// and white for saved pictures) leaves the exported stream as it is.
TEST(RoundTrip, SrtListAsBlurayAndHDDVD) {
  TempDir dir;
  const std::string srt = dir.write("cues.srt", std::string("1\r\n00:00:01,000 --> 00:00:03,000\r\nJust a quick test\r\n\r\n"
                                                            "2\r\n00:00:04,000 --> 00:00:06,500\r\n<i>Second</i> line\r\nand gj more\r\n"));
  for (int format : {0, 1}) roundTrip(srt, format);
  Program p;
  ASSERT_TRUE(p.load(srt));
  const auto plain = readFileBytes(exportTo(p.app, dir, "plain.sup", 0));
  p.app.ui.cbOCR.checked = true;
  EXPECT_EQ(readFileBytes(exportTo(p.app, dir, "ocr.sup", 0)), plain);
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
    drawIndex(p.app, 1);
    EXPECT_EQ(p.app.palAlpha[p.app.indexImage.at(601, 901)], 0) << "the background of a saved picture";
    Program back;
    ASSERT_TRUE(back.load(exportTo(p.app, dir, "out.sup", format)));
    drawIndex(back.app, 1);
    const App& b = back.app;
    EXPECT_EQ(b.palAlpha[b.indexImage.at(601, 901)], 0);
    EXPECT_EQ(b.palAlpha[b.indexImage.at(638, 908)], 0);
    EXPECT_EQ(b.palAlpha[b.indexImage.at(610, 904)], 255);
    EXPECT_EQ(b.palRGB[b.indexImage.at(610, 904)], 0xFFFFFFu);
  }
}
