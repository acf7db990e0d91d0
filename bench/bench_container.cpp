// "Read SUP" of a subtitle track inside a film's Matroska file against the same subtitles as
// a bare stream. A two-hour track of 1,500 subtitles is muxed by FFmpeg with a dummy video
// track of uncompressed frames, once small (about 140 MB) and once large (about 1.2 GB): what
// the video adds to the read of the subtitles. Rates are from the wall clock.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/app.h"
#include "app/stream_loading.h"
#include "support/generated_stream.h"
#include "support/stream_builder.h"

namespace {
constexpr uint32_t kSubtitles = 1500;
constexpr uint32_t kFilmSeconds = 7200;
constexpr uint32_t kEvery = kFilmSeconds * 90000 / kSubtitles;  // a subtitle every 4.8 seconds

struct Files {
  std::string sup, smallMkv, largeMkv;
  bool made = false;
};

bool ffmpeg(const std::string& args) { return std::system(("ffmpeg -v error -y -copyts " + args).c_str()) == 0; }

const Files& files() {
  static const Files f = [] {
    Files out;
    const std::string dir = benchFolder();
    out.sup = dir + "/film.sup";
    Bytes pixels(size_t(600) * 60);
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = uint8_t(1 + (i / 7 + i / 600) % 3);
    const PgImage image = pgImageFrom(660, 960, 600, 60, pixels);
    PgStream pg;
    for (uint32_t i = 0; i < kSubtitles; ++i) pg.show(90000 + i * kEvery, image).clear(90000 + i * kEvery + kEvery / 2);
    std::ofstream(out.sup, std::ios::binary).write(reinterpret_cast<const char*>(pg.bytes().data()), std::streamsize(pg.size()));
    // One uncompressed grey frame a second: the video's size is set by the frame size alone.
    const auto mkv = [&](const std::string& size, const std::string& name) {
      const std::string path = dir + "/" + name;
      return ffmpeg("-f lavfi -i color=s=" + size + ":r=1:d=" + std::to_string(kFilmSeconds) + " -i '" + out.sup +
                    "' -map 0 -map 1 -pix_fmt gray -c:v rawvideo -c:s copy '" + path + "'")
                 ? path
                 : "";
    };
    out.smallMkv = mkv("160x120", "small.mkv");
    out.largeMkv = mkv("480x360", "large.mkv");
    out.made = !out.smallMkv.empty() && !out.largeMkv.empty();
    return out;
  }();
  return f;
}

void readFile(benchmark::State& state, const std::string& path) {
  if (!files().made) {
    state.SkipWithError("ffmpeg could not make the files");
    return;
  }
  Host host;
  App app(host);
  app.ui.eSUPfile.text = path;
  for (auto _ : state) {
    bReadSUPClick(app);
    if (app.subs.size() != kSubtitles) state.SkipWithError("the track did not load whole");
  }
  state.counters["file MB"] = double(std::filesystem::file_size(path)) / 1e6;
}

void BM_BareStream(benchmark::State& state) { readFile(state, files().sup); }
void BM_MatroskaSmallVideo(benchmark::State& state) { readFile(state, files().smallMkv); }
void BM_MatroskaLargeVideo(benchmark::State& state) { readFile(state, files().largeMkv); }

}  // namespace

BENCHMARK(BM_BareStream)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_MatroskaSmallVideo)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_MatroskaLargeVideo)->Unit(benchmark::kMillisecond)->UseRealTime();
