// Subtitle tracks of video files and VobSub pairs made from the sample streams by FFmpeg and
// mkvtoolnix: each reads with the same subtitles (count, times, pictures) as the stream it
// was made from, the track is chosen through the platform, and a DVD track is coloured by the
// sixteen colours of its index.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/app.h"
#include "app/bitmap_export.h"
#include "app/stream_export.h"
#include "app/stream_loading.h"
#include "app/subtitle_display.h"
#include "support/cli_runner.h"
#include "support/container_files.h"
#include "support/ffmpeg_frames.h"
#include "support/temp_dir.h"
#include "support/test_host.h"

namespace {
const std::string kSintel = samplePath("pgs/sintel-en.sup");
const std::string kExample = samplePath("pgs/suptitles-example.sup");
const std::array<uint32_t, 16> kDvdPalette = {0x101010, 0xF0F0F0, 0x202080, 0xC0C0C0, 0x802020, 0x208020,
                                              0x808020, 0x408080, 0x804080, 0x606060, 0xA0A0A0, 0xE02020,
                                              0x20E020, 0x2020E0, 0xE0E020, 0x20E0E0};

std::string paletteOption() {
  std::string list;
  char hex[8];
  for (const uint32_t c : kDvdPalette) {
    std::snprintf(hex, sizeof hex, "%06x", c);
    list += (list.empty() ? "" : ",") + std::string(hex);
  }
  return list;
}

// What a user sees of each subtitle: its times, its areas and the picture drawn there.
struct Shown {
  uint32_t start = 0, end = 0;
  std::vector<std::array<int, 4>> areas;
  uint64_t picture = 0;
  bool operator==(const Shown&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Shown& s) {
  return os << s.start << "-" << s.end << " (" << s.areas.size() << " areas, picture " << s.picture << ")";
}

// Matroska keeps milliseconds.
uint32_t toMilliseconds(uint32_t ticks) { return (ticks + 45) / 90 * 90; }

class ContainerSamples : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    missing_ = containerToolsMissing();
    if (!missing_.empty()) return;
    dir_ = new TempDir;
    const std::string d = dir_->path().string() + "/";
    const std::string ff = "ffmpeg -v error -y -copyts ";
    const bool made =
        runQuietly(ff + "-i '" + kSintel + "' -map 0 -c:s copy '" + d + "sintel.mkv'") &&
        runQuietly(ff + "-i '" + kSintel + "' -map 0 -c:s copy -muxdelay 0 -muxpreload 0 '" + d + "sintel.m2ts'") &&
        // mkvmerge compresses subtitle frames, counts them in tags and indexes them.
        runQuietly(ff + "-f lavfi -i color=s=64x64:r=5:d=530 -i '" + kSintel + "' -map 0 -map 1 -c:v mpeg4 -c:s copy '" +
                   d + "video.mkv'") &&
        runQuietly("mkvmerge -q -o '" + d + "merged.mkv' '" + d + "video.mkv'") &&
        runQuietly(ff + "-i '" + kSintel + "' -i '" + kExample + "' -map 0 -map 1 -c:s copy -metadata:s:s:0 language=eng " +
                   "-metadata:s:s:1 language=fre -metadata:s:s:1 title=Second '" + d + "two.mkv'") &&
        runQuietly(ff + "-i '" + kSintel + "' -map 0 -c:s dvdsub -palette " + paletteOption() +
                   " -metadata:s:s:0 language=ger '" + d + "dvd.mkv'") &&
        runQuietly("mkvextract -q '" + d + "dvd.mkv' tracks '0:" + d + "pair.idx'");
    if (!made) missing_ = "the test files could not be made";
  }
  static void TearDownTestSuite() {
    delete dir_;
    dir_ = nullptr;
  }
  void SetUp() override {
    if (!missing_.empty()) GTEST_SKIP() << missing_;
  }

  static std::string file(const std::string& name) { return dir_->file(name); }

  TestHost host;
  App app{host};

  void read(const std::string& path) {
    app.clearLastError();
    app.ui.eSUPfile.text = path;
    bReadSUPClick(app);
  }

  std::vector<Shown> shownList() {
    std::vector<Shown> out;
    for (size_t n = 1; n <= app.subs.size(); ++n) {
      showSubtitle(app, int(n));
      const TSUP& s = app.subs[n - 1];
      Shown shown{s.startPts, s.endPts, {}, 1469598103934665603ull};
      for (const TSUPWin& w : s.win) {
        if (w.x2 <= w.x1) continue;
        shown.areas.push_back({w.x1, w.y1, w.x2, w.y2});
        for (int y = w.y1; y < std::min<int>(w.y2, app.display.height()); ++y)
          for (int x = w.x1; x < std::min<int>(w.x2, app.display.width()); ++x) {
            const Rgb c = app.display.at(x, y);
            for (const uint8_t b : {c.r, c.g, c.b}) shown.picture = (shown.picture ^ b) * 1099511628211ull;
          }
      }
      out.push_back(shown);
    }
    return out;
  }

  std::vector<Shown> bareStream(const std::string& path, bool milliseconds) {
    read(path);
    std::vector<Shown> list = shownList();
    if (milliseconds)
      for (Shown& s : list) s.start = toMilliseconds(s.start), s.end = toMilliseconds(s.end);
    return list;
  }

  std::vector<std::string> trackLines() const {
    std::vector<std::string> out;
    for (const LogLine& l : app.messages.lines())
      if (l.text.starts_with("Track ")) out.push_back(l.text);
    return out;
  }

  static inline TempDir* dir_ = nullptr;
  static inline std::string missing_;
};
}  // namespace

TEST_F(ContainerSamples, EachTrackReadsAsTheStreamItWasMadeFrom) {
  struct Case {
    std::string file;
    std::optional<size_t> answer;  // to the track question
    std::string stream;
    bool milliseconds;
    std::string trackLine;
  };
  const std::vector<Case> cases = {
      {"sintel.mkv", {}, kSintel, true, "Track 0 of sintel.mkv: Blu-ray (PGS)"},
      {"sintel.m2ts", {}, kSintel, false, "Track 0 of sintel.m2ts: Blu-ray (PGS)"},
      {"merged.mkv", {}, kSintel, true, "Track 1 of merged.mkv: Blu-ray (PGS), 52 packets"},
      {"two.mkv", 0, kSintel, true, "Track 0 of two.mkv: eng, Blu-ray (PGS)"},
      {"two.mkv", 1, kExample, true, "Track 1 of two.mkv: fre, Blu-ray (PGS), \"Second\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const std::vector<Shown> expected = bareStream(c.stream, c.milliseconds);
    ASSERT_FALSE(expected.empty());
    app.clearLog();
    if (c.answer) host.trackAnswers.push_back(*c.answer);
    read(file(c.file));
    EXPECT_EQ(app.lastError, "");
    EXPECT_EQ(app.subFormat, sfBluRay);
    EXPECT_EQ(shownList(), expected);
    EXPECT_EQ(trackLines(), std::vector<std::string>{c.trackLine});
  }
}

TEST_F(ContainerSamples, TheUserChoosesTheTrackAndTheOutputsAreNamedAfterIt) {
  read(file("two.mkv"));  // the question is not answered
  ASSERT_EQ(host.trackQuestions.size(), 1u);
  std::vector<std::string> offered;
  for (const SubtitleTrack& t : host.trackQuestions[0]) offered.push_back(describeTrack(t));
  EXPECT_EQ(offered, (std::vector<std::string>{"0: eng, Blu-ray (PGS)", "1: fre, Blu-ray (PGS), \"Second\""}));
  EXPECT_TRUE(app.subs.empty());
  EXPECT_EQ(app.lastError, "");
  EXPECT_NE(app.messages.plainText().find("No subtitle track chosen."), std::string::npos);
  EXPECT_FALSE(app.ui.bExport.enabled);
  EXPECT_EQ(app.caption, programCaption());

  host.trackAnswers.push_back(1);
  read(file("two.mkv"));
  ASSERT_EQ(app.subs.size(), 3u);
  EXPECT_EQ(app.caption, programCaption() + " - two.mkv, track 1");
  EXPECT_EQ(app.srcName, "two.track1");
  EXPECT_EQ(exportFileName(app), "two.track1.BD.23.976.sup");
  EXPECT_EQ(pictureFolder(app), dir_->path().string() + "/two.track1.bitmaps/");

  // A stream file read next names itself again.
  read(kExample);
  EXPECT_EQ(app.caption, programCaption());
  EXPECT_EQ(exportFileName(app), "suptitles-example.BD.23.976.sup");
}

TEST_F(ContainerSamples, ADvdTrackAndItsVobSubPairAreColouredByTheirIndex) {
  const std::vector<std::pair<std::string, std::string>> files = {
      {"dvd.mkv", "Track 0 of dvd.mkv: ger, DVD (VobSub)"},
      {"pair.idx", "Track 0 of pair.idx: de, DVD (VobSub), 26 packets"},
      {"pair.sub", "Track 0 of pair.sub: de, DVD (VobSub), 26 packets"},
  };
  std::vector<Shown> fromMkv;
  for (const auto& [name, trackLine] : files) {
    SCOPED_TRACE(name);
    app.clearLog();
    read(file(name));
    EXPECT_EQ(trackLines(), std::vector<std::string>{trackLine});
    EXPECT_EQ(app.lastError, "");
    EXPECT_EQ(app.subFormat, sfDVD);
    const std::vector<Shown> list = shownList();
    if (fromMkv.empty()) fromMkv = list;
    EXPECT_EQ(list, fromMkv);
    // The index's size is the display's; its colours are the picture's.
    EXPECT_EQ(app.displayWidth, 1920);
    EXPECT_EQ(app.displayHeight, 1080);
    showSubtitle(app, 1);
    const TSUP& s = app.subs[0];
    size_t inked = 0;
    for (int y = s.win[0].y1; y <= s.win[0].y2; ++y)
      for (int x = s.win[0].x1; x <= s.win[0].x2; ++x) {
        const uint8_t i = app.indexImage.at(x, y);
        if (app.palAlpha[i] == 0) continue;
        ++inked;
        const PackedColor c = app.palRGB[i];
        const uint32_t rgb = uint32_t(c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF);
        ASSERT_NE(std::find(kDvdPalette.begin(), kDvdPalette.end(), rgb), kDvdPalette.end()) << std::hex << rgb;
      }
    EXPECT_GT(inked, 1000u);
  }
  // The same units as the Blu-ray stream they were made from, at the same times.
  read(kSintel);
  ASSERT_EQ(fromMkv.size(), app.subs.size());
  for (size_t i = 0; i < fromMkv.size(); ++i) EXPECT_EQ(fromMkv[i].start, toMilliseconds(app.subs[i].startPts)) << i;
}

TEST_F(ContainerSamples, DvdPicturesInTheirIndexColoursAgreeWithFFmpeg) {
  read(file("dvd.mkv"));
  ASSERT_EQ(app.subs.size(), 26u);
  std::vector<std::pair<size_t, int>> shots;  // subtitle, frame
  for (size_t i = 0; i < app.subs.size(); i += 5)
    if (const int f = ffmpegFrameShowing(app.subs, i); f >= 0) shots.push_back({i, f});
  std::vector<int> frames;
  for (const auto& shot : shots) frames.push_back(shot.second);
  std::string errors;
  constexpr uint32_t kGreen = 0x00FF00;
  const std::vector<RgbFrame> got = ffmpegFrames(file("dvd.mkv"), frames, kGreen, dir_->path().string(), errors);
  ASSERT_EQ(got.size(), shots.size()) << errors;
  for (size_t k = 0; k < shots.size(); ++k) {
    showSubtitle(app, int(shots[k].first + 1));
    size_t differ = 0, inked = 0;
    for (int y = 0; y < kCanvasHeight; ++y)
      for (int x = 0; x < kCanvasWidth; ++x) {
        const uint8_t i = app.indexImage.at(x, y);
        const PackedColor c = app.palRGB[i];
        const int a = app.palAlpha[i];
        const int want[3] = {(int(c & 0xFF) * a) / 255, (int(c >> 8 & 0xFF) * a + 255 * (255 - a)) / 255,
                             (int(c >> 16 & 0xFF) * a) / 255};
        const uint8_t* f = &got[k][(size_t(y) * kCanvasWidth + size_t(x)) * 3];
        inked += a > 0;
        for (int ch = 0; ch < 3; ++ch)
          if (std::abs(want[ch] - f[ch]) > 2) {
            ++differ;
            break;
          }
      }
    EXPECT_GT(inked, 1000u) << shots[k].first;
    EXPECT_EQ(differ, 0u) << "subtitle " << shots[k].first + 1;
  }
}

TEST_F(ContainerSamples, FilesWithoutAReadableTrackLeaveTheWindowIdle) {
  TempDir own;
  ASSERT_TRUE(runQuietly("ffmpeg -v error -y -f lavfi -i color=s=32x32:d=1 -c:v mpeg4 '" + own.file("video.mkv") + "'"));
  const std::string srt = own.write("text.srt", std::string("1\n00:00:01,000 --> 00:00:02,000\nHello\n"));
  ASSERT_TRUE(runQuietly("ffmpeg -v error -y -i '" + srt + "' -c:s copy '" + own.file("text.mkv") + "'"));
  own.write("lonely.idx", readFileBytes(file("pair.idx")));
  own.write("noise.mkv", std::string(4000, 'x'));
  struct Case {
    std::string file, error;
  };
  const std::vector<Case> cases = {
      {"video.mkv", "No subtitle track found."},
      {"text.mkv", "Unsupported subtitle track: 0 (subrip). Only Blu-ray and DVD picture subtitles can be read."},
      {"lonely.idx", "The pictures of this VobSub index are missing: lonely.sub"},
      {"noise.mkv", "Unsupported file format."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    read(own.file(c.file));
    EXPECT_EQ(app.lastError, c.error);
    EXPECT_TRUE(app.subs.empty());
    EXPECT_FALSE(app.busy);
    EXPECT_FALSE(app.ui.ProgressBar.visible);
    EXPECT_FALSE(app.ui.bExport.enabled);
    EXPECT_FALSE(app.fromTrack());
  }
}

TEST_F(ContainerSamples, ACutFileKeepsTheSubtitlesBeforeTheCut) {
  const std::vector<Shown> whole = bareStream(kSintel, true);
  TempDir own;
  const std::vector<uint8_t> mkv = readFileBytes(file("sintel.mkv"));
  read(own.write("cut.mkv", std::vector<uint8_t>(mkv.begin(), mkv.begin() + std::ptrdiff_t(mkv.size() / 2))));
  const std::vector<Shown> kept = shownList();
  ASSERT_GT(kept.size(), 1u);
  ASSERT_LT(kept.size(), whole.size());
  // FFmpeg takes the cut for the end of the file; the last one kept may have lost the display
  // set that ends it.
  for (size_t i = 0; i + 1 < kept.size(); ++i) EXPECT_EQ(kept[i], whole[i]) << i;
  EXPECT_EQ(kept.back().start, whole[kept.size() - 1].start);
  EXPECT_TRUE(app.ui.bExport.enabled);
}

TEST_F(ContainerSamples, TheCommandLineTakesTheTrackByNumber) {
  const std::string two = "'" + file("two.mkv") + "'", one = "'" + file("sintel.mkv") + "'";
  const std::string listed = "  0: eng, Blu-ray (PGS)\n  1: fre, Blu-ray (PGS), \"Second\"\n";
  struct Case {
    std::string args;
    int status;
    std::string out;  // what it prints, or the start of it
  };
  const std::vector<Case> cases = {
      {"info " + two, 2, file("two.mkv") + " holds 2 subtitle tracks; choose one with --track N:\n" + listed},
      {"info --track 5 " + two, 2, file("two.mkv") + " has no subtitle track 5; its tracks:\n" + listed},
      {"info --track 3 " + one, 2, file("sintel.mkv") + " has no subtitle track 3; its one track is 0.\n"},
      {"info --track -1 " + one, 2, "--track: Value -1 not in range"},
      {"srt --track 1 " + two, 0, "1\r\n00:00:"},
      {"info --json --track 0 " + one, 0, "{\n  \"count\": 26,"},
  };
  for (const Case& c : cases) {
    const CliRun r = runCli(c.args);
    EXPECT_EQ(r.status, c.status) << c.args << "\n" << r.out;
    EXPECT_EQ(r.out.substr(0, c.out.size()), c.out) << c.args;
  }
  // Without -o the stream is named after the file and the track, beside the file.
  TempDir elsewhere;
  ASSERT_TRUE(runQuietly("cd '" + elsewhere.path().string() + "' && " MARROWBY_CLI " export --track 1 " + two));
  EXPECT_FALSE(readFileBytes(file("two.track1.BD.23.976.sup")).empty());
  EXPECT_TRUE(std::filesystem::is_empty(elsewhere.path()));
}
