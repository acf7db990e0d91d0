// The renderer against an independent decoder: every subtitle of the real Blu-ray samples,
// drawn by the program at the stream's size, shows the same pixels in the same place as
// FFmpeg's decoding of the same stream (colours within the rounding of two colour
// conversions); `marrowby-cli render` writes that picture. The DVD sample, which FFmpeg cannot read in its "SP" packets, draws
// its text.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "export/export_check.h"
#include "render/display_size.h"
#include "app/subtitle_display.h"
#include "support/cli_runner.h"
#include "support/ffmpeg_compare.h"
#include "support/temp_dir.h"

namespace {
// Where the program and FFmpeg differ by design, and what still holds there.
enum class Difference {
  none,
  // An object whose lines are shorter than its width: FFmpeg drops the picture, the
  // program draws the runs there are.
  shortLines,
};

Difference knownDifference(const std::string& sample) {
  return sample.ends_with("/subforge-simple-1080x576.sup") ? Difference::shortLines : Difference::none;
}

void expectAgreement(const Agreement& a, Difference known, const std::string& what) {
  SCOPED_TRACE(what + ": " + std::to_string(a.shownByProgram) + " pixels shown by the program, " +
               std::to_string(a.shownByFFmpeg) + " by FFmpeg");
  if (known == Difference::shortLines) {
    EXPECT_EQ(a.shownByFFmpeg, 0u);
    EXPECT_GT(a.shownByProgram, 0u);
    return;
  }
  // Anti-aliased fringes may fall on either side of the tolerance.
  EXPECT_TRUE(agreeClosely(a)) << a.shapeDiffers << " pixels differ in shape, " << a.colourDiffers << " in colour";
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
    // The pictures have the stream's own size; FFmpeg's background takes it too.
    const DisplaySize size = displaySizeOf(app.subFormat, app.subs);
    const std::vector<RgbFrame> frames =
        ffmpegFrames(sample, frameNumbers, kCompareBackground, dir.path().string(), errors, size.width, size.height);
    ASSERT_EQ(frames.size(), shots.size()) << errors;
    size_t shownInSample = 0;
    for (size_t k = 0; k < shots.size(); ++k) {
      const int n = int(shots[k].first + 1);
      showSubtitle(app, n);
      ASSERT_EQ(app.indexImage.width(), size.width);
      ASSERT_EQ(app.indexImage.height(), size.height);
      const Agreement a = compareIndexImage(app, frames[k]);
      expectAgreement(a, knownDifference(sample), "subtitle " + std::to_string(n));
      shownInSample += a.shownByProgram;
      ++subtitlesCompared;
    }
    EXPECT_GT(shownInSample, 0u) << "no subtitle of the sample shows anything";

    // The command line's picture of the first compared subtitle, read back by FFmpeg.
    const int n = int(shots[0].first + 1);
    const std::string png = dir.file("render.png");
    const CliRun run = runCli("render '" + sample + "' " + std::to_string(n) + " -o '" + png + "'");
    ASSERT_EQ(run.status, 0) << run.out;
    const std::vector<uint8_t> rgba = ffmpegRgba(png, dir.path().string(), size.width, size.height);
    ASSERT_FALSE(rgba.empty()) << "FFmpeg cannot read " << png << " as " << size.width << " x " << size.height;
    expectAgreement(compareFrame(frames[0], size.width, size.height,
                                 [&](int x, int y) {
                                   const uint8_t* q = &rgba[(size_t(y) * size_t(size.width) + size_t(x)) * 4];
                                   return overBackground(q[0], q[1], q[2], q[3]);
                                 }),
                    knownDifference(sample), "render command, subtitle " + std::to_string(n));
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
      showSubtitle(app, int(i + 1));
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
      // The display has the DVD size, grown to hold the areas, as this sample's (made for
      // high-definition video) need: the text shows there too.
      EXPECT_EQ(app.display.width(), displaySizeOf(sfDVD, app.subs).width);
      EXPECT_GT(app.display.width(), 720);
      EXPECT_GT(app.display.height(), w.y2);
      EXPECT_EQ(app.indexImage.width(), app.display.width());
    }
  }
}
