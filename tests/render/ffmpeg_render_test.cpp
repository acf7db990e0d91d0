// The renderer against an independent decoder: every subtitle of the real Blu-ray samples,
// drawn by the program, shows the same pixels in the same place as FFmpeg's decoding of the
// same stream (colours within the rounding of two colour conversions); `marrowby-cli render`
// writes that picture. The DVD sample, which FFmpeg cannot read in its "SP" packets, draws
// its text.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "export/export_check.h"
#include "render/draw_sub.h"
#include "support/cli_runner.h"
#include "support/ffmpeg_frames.h"
#include "support/temp_dir.h"

namespace {
// A background no subtitle colour is close to, so that black outlines show as well.
constexpr uint32_t kBackground = 0x00FF00;
constexpr int kBackR = 0, kBackG = 255, kBackB = 0;
// Two conversions from YCrCb to RGB with different coefficients and rounding.
constexpr int kColourTolerance = 40;
// A pixel counts as shown when it differs from the background by more than this.
constexpr int kShownThreshold = 24;

struct Rgb8 {
  int r, g, b;
};
int distance(Rgb8 a, Rgb8 b) { return std::max({std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)}); }
bool shown(Rgb8 c) { return distance(c, {kBackR, kBackG, kBackB}) > kShownThreshold; }
Rgb8 over(int r, int g, int b, int alpha) {
  return {(r * alpha + kBackR * (255 - alpha)) / 255, (g * alpha + kBackG * (255 - alpha)) / 255,
          (b * alpha + kBackB * (255 - alpha)) / 255};
}

struct Agreement {
  size_t shownByProgram = 0, shownByFFmpeg = 0;
  size_t shapeDiffers = 0;   // clearly different, one of them showing the background
  size_t colourDiffers = 0;  // clearly different, both showing a colour
};

// `expected(x, y)` gives the program's pixel over the background.
template <typename Pixel>
Agreement compare(const RgbFrame& frame, Pixel expected) {
  Agreement a;
  for (int y = 0; y < kCanvasHeight; ++y)
    for (int x = 0; x < kCanvasWidth; ++x) {
      const Rgb8 want = expected(x, y);
      const uint8_t* f = &frame[(size_t(y) * kCanvasWidth + size_t(x)) * 3];
      const Rgb8 got{f[0], f[1], f[2]};
      a.shownByProgram += shown(want);
      a.shownByFFmpeg += shown(got);
      if (distance(want, got) <= kColourTolerance) continue;
      if (shown(want) && shown(got)) ++a.colourDiffers;
      else ++a.shapeDiffers;
    }
  return a;
}

Agreement compareIndexImage(const App& app, const RgbFrame& frame) {
  return compare(frame, [&](int x, int y) {
    const uint8_t p = app.indexImage.at(x, y);
    const PackedColor c = app.palRGB[p];
    return over(int(c & 0xFF), int(c >> 8 & 0xFF), int(c >> 16 & 0xFF), app.palAlpha[p]);
  });
}

// Where the program and FFmpeg differ by design, and what still holds there.
enum class Difference {
  none,
  // The program draws each object at the corner of its window (the list records windows),
  // FFmpeg at the object's position in the composition: same shape, elsewhere.
  objectInsideItsWindow,
  // An object whose lines are shorter than its width: FFmpeg drops the picture, the
  // program draws the runs there are.
  shortLines,
  // A composition that shows an object of an earlier display set again besides a new one:
  // the program draws the new one only (and at its window's corner).
  earlierObject,
  // An epoch start without an object: the program shows nothing, FFmpeg an object of an
  // earlier epoch.
  noObject,
};

Difference knownDifference(const std::string& sample, int n) {
  if (sample.ends_with("/subtitleedit-two-objects.sup"))
    return n == 1 ? Difference::objectInsideItsWindow : Difference::earlierObject;
  if (sample.ends_with("/subforge-simple-1080x576.sup")) return Difference::shortLines;
  if (sample.ends_with("/subtile-ocr-sequence-without-ods.sup") && n == 4) return Difference::noObject;
  return Difference::none;
}

void expectAgreement(const Agreement& a, Difference known, const std::string& what) {
  SCOPED_TRACE(what + ": " + std::to_string(a.shownByProgram) + " pixels shown by the program, " +
               std::to_string(a.shownByFFmpeg) + " by FFmpeg");
  switch (known) {
    case Difference::none:
      // Anti-aliased fringes may fall on either side of the tolerance.
      EXPECT_LE(a.shapeDiffers, a.shownByProgram / 200 + 8);
      EXPECT_LE(a.colourDiffers, a.shownByProgram / 200 + 8);
      break;
    case Difference::objectInsideItsWindow:
      EXPECT_GT(a.shapeDiffers, 0u) << "the same place now: drop this exception";
      EXPECT_NEAR(double(a.shownByProgram), double(a.shownByFFmpeg), a.shownByFFmpeg / 50.0 + 16);
      break;
    case Difference::earlierObject:
      EXPECT_GT(a.shownByProgram, 0u);
      EXPECT_LT(a.shownByProgram, a.shownByFFmpeg);
      break;
    case Difference::shortLines:
      EXPECT_EQ(a.shownByFFmpeg, 0u);
      EXPECT_GT(a.shownByProgram, 0u);
      break;
    case Difference::noObject:
      EXPECT_EQ(a.shownByProgram, 0u);
      break;
  }
}

std::vector<std::string> bluRaySamples() {
  std::vector<std::string> out;
  for (const std::string& s : sampleStreams())
    if (s.find("/pgs/") != std::string::npos) out.push_back(s);
  return out;
}
}  // namespace

TEST(RenderAgainstFFmpeg, EveryBluRaySubtitleAndTheCliPicture) {
  if (!haveFFmpeg()) GTEST_SKIP() << "ffmpeg is not installed";
  const std::vector<std::string> samples = bluRaySamples();
  if (samples.empty()) GTEST_SKIP() << "no Blu-ray sample streams in " MARROWBY_SAMPLES_DIR;
  size_t subtitlesCompared = 0;
  for (const std::string& sample : samples) {
    SCOPED_TRACE(sample);
    Program p;
    ASSERT_TRUE(p.load(sample)) << p.app.lastError;
    App& app = p.app;
    std::vector<std::pair<size_t, int>> shots;  // subtitle, frame
    for (size_t i = 0; i < app.subs.size(); ++i)
      if (const int f = ffmpegFrameShowing(app.subs, i); f >= 0 && (shots.empty() || f > shots.back().second)) shots.push_back({i, f});
    if (shots.empty()) continue;
    std::vector<int> frameNumbers;
    for (const auto& s : shots) frameNumbers.push_back(s.second);
    TempDir dir;
    std::string errors;
    const std::vector<RgbFrame> frames = ffmpegFrames(sample, frameNumbers, kBackground, dir.path().string(), errors);
    ASSERT_EQ(frames.size(), shots.size()) << errors;
    size_t shownInSample = 0;
    for (size_t k = 0; k < shots.size(); ++k) {
      const int n = int(shots[k].first + 1);
      DrawSub(app, n);
      const Agreement a = compareIndexImage(app, frames[k]);
      expectAgreement(a, knownDifference(sample, n), "subtitle " + std::to_string(n));
      shownInSample += a.shownByProgram;
      ++subtitlesCompared;
    }
    EXPECT_GT(shownInSample, 0u) << "no subtitle of the sample shows anything";

    // The command line's picture of the first compared subtitle, read back by FFmpeg.
    const int n = int(shots[0].first + 1);
    const std::string png = dir.file("render.png");
    const CliRun run = runCli("render '" + sample + "' " + std::to_string(n) + " -o '" + png + "'");
    ASSERT_EQ(run.status, 0) << run.out;
    const std::vector<uint8_t> rgba = ffmpegRgba(png, dir.path().string(), kCanvasWidth, kCanvasHeight);
    ASSERT_FALSE(rgba.empty()) << "FFmpeg cannot read " << png;
    expectAgreement(compare(frames[0],
                            [&](int x, int y) {
                              const uint8_t* q = &rgba[(size_t(y) * kCanvasWidth + size_t(x)) * 4];
                              return over(q[0], q[1], q[2], q[3]);
                            }),
                    knownDifference(sample, n), "render command, subtitle " + std::to_string(n));
  }
  EXPECT_GT(subtitlesCompared, 0u);
}

TEST(RenderDvdSample, DrawsItsText) {
  std::vector<std::string> samples;
  for (const std::string& s : sampleStreams())
    if (s.find("/dvd/") != std::string::npos) samples.push_back(s);
  if (samples.empty()) GTEST_SKIP() << "no DVD sample streams in " MARROWBY_SAMPLES_DIR;
  for (const std::string& sample : samples) {
    SCOPED_TRACE(sample);
    Program p;
    ASSERT_TRUE(p.load(sample)) << p.app.lastError;
    App& app = p.app;
    for (size_t i = 0; i < app.subs.size(); ++i) {
      DrawSub(app, int(i + 1));
      const TSUPWin& w = app.subs[i].win[0];
      size_t bright = 0, outline = 0, rowsInked = 0;
      for (int y = w.y1; y <= w.y2; ++y) {
        bool inked = false;
        for (int x = w.x1; x <= w.x2; ++x) {
          const uint8_t c = app.indexImage.at(x, y);
          if (app.palAlpha[c] == 0) continue;
          if (c == app.idxBright) ++bright, inked = true;
          else ++outline;
        }
        rowsInked += inked;
      }
      // Text: white letters in a dark outline, over a good part of the area's rows, without
      // filling it.
      const size_t area = size_t(w.x2 - w.x1 + 1) * size_t(w.y2 - w.y1 + 1);
      SCOPED_TRACE("subtitle " + std::to_string(i + 1) + ": " + std::to_string(bright) + " bright and " +
                   std::to_string(outline) + " outline pixels of " + std::to_string(area));
      EXPECT_GT(bright, area / 30);
      EXPECT_LT(bright, area / 2);
      EXPECT_GT(outline, bright / 2);
      EXPECT_GT(rowsInked, size_t(w.y2 - w.y1 + 1) / 2);
      // The display keeps the DVD size even where an area lies beyond it, as this sample's
      // (made for high-definition video) does: only the index image holds such text.
      EXPECT_EQ(app.display.width(), 720);
      EXPECT_EQ(app.display.height(), 576);
    }
  }
}
