// Real streams made by other programs: every one loads, and the Blu-ray ones agree with an
// independent decoder (FFmpeg) on what is shown when.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/app.h"
#include "app/stream_loading.h"
#include "model/pts.h"
#include "readers/subtitle_times.h"
#include "support/test_host.h"

namespace fs = std::filesystem;

namespace {
std::vector<fs::path> samples(const std::string& kind) {
  std::vector<fs::path> out;
  const fs::path dir = fs::path(MARROWBY_SAMPLES_DIR) / kind;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(dir, ec))
    if (e.path().extension() == ".sup") out.push_back(e.path());
  std::sort(out.begin(), out.end());
  return out;
}

std::string run(const std::string& cmd, int* status = nullptr) {
  std::string out;
  FILE* p = ::popen(cmd.c_str(), "r");
  if (!p) return out;
  char buf[4096];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
  const int st = ::pclose(p);
  if (status) *status = st;
  return out;
}

bool haveFfprobe() {
  int status = -1;
  run("ffprobe -version >/dev/null 2>&1", &status);
  return status == 0;
}

// One display set as FFmpeg decodes it: its time in ticks and how many pictures it shows.
struct DisplaySet {
  uint32_t pts;
  int rects;
};

std::vector<DisplaySet> ffprobeDisplaySets(const fs::path& file) {
  const std::string out = run("ffprobe -v error -show_frames -show_entries subtitle=pts,num_rects -of csv '" +
                              file.string() + "' 2>/dev/null");
  std::vector<DisplaySet> sets;
  size_t at = 0;
  while (at < out.size()) {
    size_t eol = out.find('\n', at);
    if (eol == std::string::npos) eol = out.size();
    long long us = 0;
    int rects = 0;
    // FFmpeg gives subtitle times in microseconds.
    if (std::sscanf(out.substr(at, eol - at).c_str(), "subtitle,%lld,%d", &us, &rects) == 2)
      sets.push_back({uint32_t(std::llround(double(us) * 9 / 100)), rects});
    at = eol + 1;
  }
  return sets;
}

struct Loaded {
  TestHost host;
  App app{host};
  explicit Loaded(const fs::path& file) {
    app.ui.eSUPfile.text = file.string();
    bReadSUPClick(app);
  }
};
}  // namespace

TEST(SampleStreams, EveryStreamLoadsWithoutAnError) {
  std::vector<fs::path> files = samples("pgs");
  const std::vector<fs::path> dvd = samples("dvd");
  files.insert(files.end(), dvd.begin(), dvd.end());
  if (files.empty()) GTEST_SKIP() << "no sample streams in " << MARROWBY_SAMPLES_DIR;
  for (const fs::path& f : files) {
    SCOPED_TRACE(f.filename().string());
    Loaded l(f);
    const App& app = l.app;
    EXPECT_TRUE(app.lastError.empty()) << app.lastError;
    ASSERT_FALSE(app.subs.empty());
    EXPECT_EQ(app.subFormat, f.parent_path().filename() == "dvd" ? sfDVD : sfBluRay);
    const uint64_t size = fs::file_size(f);
    for (size_t i = 0; i < app.subs.size(); ++i) {
      const TSUP& s = app.subs[i];
      EXPECT_EQ(s.num, int(i + 1));
      EXPECT_EQ(s.startTime, pts2str(s.startPts));
      EXPECT_NE(s.endPts, 0u);  // every subtitle has an end
      EXPECT_EQ(s.endTime, pts2str(s.endPts));
      EXPECT_EQ(s.text, "line " + std::to_string(i + 1));
      for (const TSUPWin& w : s.win) {
        EXPECT_LE(uint64_t(w.dataPos) + w.dataLen, size);
        EXPECT_LE(uint64_t(w.nextPos) + w.nextLen, size);
      }
    }
  }
}

TEST(SampleStreams, DvdStreamUnitsHaveTheirAreaAndFields) {
  const std::vector<fs::path> files = samples("dvd");
  if (files.empty()) GTEST_SKIP() << "no DVD sample streams in " << MARROWBY_SAMPLES_DIR;
  for (const fs::path& f : files) {
    SCOPED_TRACE(f.filename().string());
    Loaded l(f);
    for (const TSUP& s : l.app.subs) {
      const TSUPWin& w = s.win[0];
      EXPECT_LT(s.startPts, s.endPts);
      EXPECT_LT(w.x1, w.x2);
      EXPECT_LT(w.y1, w.y2);
      // Both fields lie inside the unit's pixel data, the bottom one after the top one.
      EXPECT_LT(w.dataPos, w.nextPos);
      EXPECT_LT(w.nextPos, uint64_t(w.dataPos) + w.dataLen);
    }
  }
}

// FFmpeg shows one display set per END segment: one with pictures shows them, one without
// clears the screen. Each subtitle of the program starts at a display set with pictures and
// lasts through the display sets that show the same picture again (which FFmpeg cannot tell
// apart, so only their number is compared), up to the first that clears the screen or
// starts the next subtitle; the last one, with nothing after it, lasts the default time.
// Every display set with pictures falls inside a subtitle.
TEST(SampleStreams, BluRayStreamsAgreeWithFfmpeg) {
  const std::vector<fs::path> files = samples("pgs");
  if (files.empty()) GTEST_SKIP() << "no Blu-ray sample streams in " << MARROWBY_SAMPLES_DIR;
  if (!haveFfprobe()) GTEST_SKIP() << "ffprobe is not installed";
  for (const fs::path& f : files) {
    SCOPED_TRACE(f.filename().string());
    const std::vector<DisplaySet> sets = ffprobeDisplaySets(f);
    Loaded l(f);
    const std::vector<TSUP>& subs = l.app.subs;
    for (size_t i = 0; i < subs.size(); ++i) {
      const TSUP& s = subs[i];
      SCOPED_TRACE("subtitle " + std::to_string(i + 1) + " at " + s.startTime);
      const auto at = std::find_if(sets.begin(), sets.end(), [&](const DisplaySet& d) { return d.pts == s.startPts; });
      ASSERT_NE(at, sets.end()) << "FFmpeg shows nothing new there";
      EXPECT_GT(at->rects, 0);
      const auto end = std::find_if(at + 1, sets.end(), [&](const DisplaySet& d) {
        return d.rects == 0 || (i + 1 < subs.size() && d.pts == subs[i + 1].startPts);
      });
      if (end != sets.end()) EXPECT_EQ(s.endPts, end->pts);
      else EXPECT_EQ(s.endPts, s.startPts + kOpenEndSeconds * 90000);
    }
    for (const DisplaySet& d : sets) {
      if (d.rects == 0) continue;
      const bool inside = std::any_of(subs.begin(), subs.end(), [&](const TSUP& s) { return d.pts >= s.startPts && d.pts < s.endPts; });
      EXPECT_TRUE(inside) << "FFmpeg shows a picture at " << pts2str(d.pts) << " that no subtitle holds";
    }
  }
}
