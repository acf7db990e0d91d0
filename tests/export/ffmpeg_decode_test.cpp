// Streams the Blu-ray writer makes, checked with an independent decoder (FFmpeg): every
// sample and an SRT list exported as Blu-ray decode without an error, with one display set
// per showing and clearing and their times, and FFmpeg draws each subtitle as the program
// does.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "export/export_areas.h"
#include "app/stream_export.h"
#include "export_check.h"
#include "app/subtitle_display.h"
#include "support/cli_runner.h"
#include "support/ffmpeg_frames.h"
#include "support/temp_dir.h"

namespace {
std::string readText(const std::string& path) {
  std::ifstream in(path);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct DisplaySet {
  double time = 0;
  int rects = 0;
};

// ffprobe's list of decoded display sets, and what it printed on stderr.
std::vector<DisplaySet> probe(const TempDir& dir, const std::string& stream, std::string& errors) {
  const std::string out = dir.file("probe.txt"), err = dir.file("probe.err");
  std::system(("ffprobe -v error -show_frames '" + stream + "' >'" + out + "' 2>'" + err + "'").c_str());
  errors = readText(err);
  std::vector<DisplaySet> sets;
  std::istringstream lines(readText(out));
  for (std::string line; std::getline(lines, line);) {
    if (line == "[SUBTITLE]") sets.emplace_back();
    if (sets.empty()) continue;
    if (line.rfind("pts_time=", 0) == 0) sets.back().time = std::atof(line.c_str() + 9);
    if (line.rfind("num_rects=", 0) == 0) sets.back().rects = std::atoi(line.c_str() + 10);
  }
  return sets;
}

constexpr size_t kFrameBytes = size_t(kCanvasWidth) * kCanvasHeight * 3;

int luma(int r, int g, int b) { return (299 * r + 587 * g + 114 * b) / 1000; }

// Pixels where FFmpeg's frame and the program's picture of subtitle n (drawn over black)
// differ clearly in brightness; `visible` counts the program's pixels that show.
size_t compare(App& app, int n, const uint8_t* frame, size_t& visible) {
  showSubtitle(app, n);
  std::vector<uint8_t> want(kFrameBytes, 0);
  for (const EncodeArea& a : encodedParts(app, app.subs[size_t(n - 1)], false))
    for (int y = a.y1; y < a.y2; ++y)
      for (int x = a.x1; x < a.x2; ++x) {
        const uint8_t c = app.indexImage.at(x, y);
        const uint32_t rgb = app.palRGB[c], alpha = app.palAlpha[c];
        uint8_t* p = &want[(size_t(y) * kCanvasWidth + size_t(x)) * 3];
        p[0] = uint8_t((rgb & 0xFF) * alpha / 255);
        p[1] = uint8_t((rgb >> 8 & 0xFF) * alpha / 255);
        p[2] = uint8_t((rgb >> 16 & 0xFF) * alpha / 255);
        if (luma(p[0], p[1], p[2]) > 32) ++visible;
      }
  size_t diff = 0;
  for (size_t k = 0; k < kFrameBytes; k += 3)
    if (std::abs(luma(want[k], want[k + 1], want[k + 2]) - luma(frame[k], frame[k + 1], frame[k + 2])) > 32) ++diff;
  return diff;
}

// Pixels of a frame whose channels differ clearly: colour where grey letters over black
// should leave none.
size_t colouredPixels(const RgbFrame& frame) {
  size_t n = 0;
  for (size_t k = 0; k + 2 < frame.size(); k += 3)
    n += std::max({frame[k], frame[k + 1], frame[k + 2]}) - std::min({frame[k], frame[k + 1], frame[k + 2]}) > 12;
  return n;
}

// Checks an exported Blu-ray stream against the list it was written from; `grey`: the list's
// pictures have no colour (lettered from the sheet).
void checkWithFFmpeg(App& a, const TempDir& dir, const std::string& out, bool grey = false) {
  std::string errors;
  const std::vector<DisplaySet> sets = probe(dir, out, errors);
  EXPECT_EQ(errors, "");
  std::vector<DisplaySet> want;
  for (const TSUP& s : a.subs) {
    want.push_back({s.startPts / 90000.0, int(drawnAreas(a.subFormat, s).size())});
    if (s.endPts != 0) want.push_back({s.endPts / 90000.0, 0});
  }
  ASSERT_EQ(sets.size(), want.size());
  for (size_t k = 0; k < sets.size(); ++k) {
    EXPECT_NEAR(sets[k].time, want[k].time, 0.0005) << "display set " << k;
    EXPECT_EQ(sets[k].rects, want[k].rects) << "display set " << k;
  }

  // The program's own reading of the file is what FFmpeg's pictures are compared with.
  Program back;
  ASSERT_TRUE(back.load(out));
  App& b = back.app;
  std::vector<std::pair<size_t, int>> shots;  // subtitle, frame
  std::vector<int> frameNumbers;
  for (size_t i = 0; i < b.subs.size(); ++i) {
    const int frame = ffmpegFrameShowing(b.subs, i);
    if (frame < 0 || (!frameNumbers.empty() && frame <= frameNumbers.back())) continue;
    shots.push_back({i, frame});
    frameNumbers.push_back(frame);
  }
  if (shots.empty()) return;
  std::string ffmpegErrors;
  const std::vector<RgbFrame> frames = ffmpegFrames(out, frameNumbers, 0x000000, dir.path().string(), ffmpegErrors);
  ASSERT_EQ(frames.size(), shots.size()) << ffmpegErrors;
  size_t shown = 0;
  for (size_t k = 0; k < shots.size(); ++k) {
    const auto& [i, n] = shots[k];
    SCOPED_TRACE("subtitle " + std::to_string(i + 1) + " at " + std::to_string(double(n) / kFFmpegFramesPerSecond) + " s");
    size_t visible = 0;
    const size_t diff = compare(b, int(i + 1), frames[k].data(), visible);
    EXPECT_LE(diff, visible / 50 + 16) << "of " << visible << " visible pixels";
    if (grey) EXPECT_EQ(colouredPixels(frames[k]), 0u) << "a coloured halo around the letters";
    shown += visible;
  }
  EXPECT_GT(shown, 0u) << "no subtitle shows anything";
}
}  // namespace

TEST(FFmpegDecodes, EverySampleExportedAsBluray) {
  if (!haveFFmpeg()) GTEST_SKIP() << "ffmpeg/ffprobe not installed";
  const auto samples = sampleStreams();
  if (samples.empty()) GTEST_SKIP() << "no sample streams in " MARROWBY_SAMPLES_DIR;
  for (const std::string& sample : samples) {
    SCOPED_TRACE(sample);
    Program source;
    if (!source.load(sample)) continue;
    TempDir dir;
    const std::string out = dir.file("out.sup");
    bExportClick(source.app, out);
    ASSERT_EQ(source.app.lastError, "");
    checkWithFFmpeg(source.app, dir, out);
  }
}

TEST(FFmpegDecodes, SrtListExportedAsBlurayShowsTheText) {
  if (!haveFFmpeg()) GTEST_SKIP() << "ffmpeg/ffprobe not installed";
  TempDir dir;
  const std::string srt = dir.write("cues.srt", std::string("1\r\n00:00:01,000 --> 00:00:03,000\r\nHello world\r\n\r\n"
                                                            "2\r\n00:00:04,000 --> 00:00:06,500\r\n<i>Second</i> line|and more\r\n\r\n"));
  Program source;
  ASSERT_TRUE(source.load(srt)) << source.app.lastError;
  const std::string out = dir.file("out.sup");
  bExportClick(source.app, out);
  ASSERT_EQ(source.app.lastError, "");
  checkWithFFmpeg(source.app, dir, out, true);
}
