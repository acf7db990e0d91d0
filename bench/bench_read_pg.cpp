// "Read SUP" on a Blu-ray stream of 3,000 subtitles (about 100 MB). Reading only indexes the
// stream (positions and lengths of palettes and objects), so it should run at the speed of
// walking the segment headers, with and without the packet-by-packet log. Rates are from the
// wall clock, so the page faults of the mapped file count.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/app.h"
#include "app/stream_loading.h"
#include "support/stream_builder.h"

namespace {
constexpr uint32_t kSubtitles = 3000;
constexpr uint16_t kWidth = 1920;
constexpr uint16_t kHeight = 17;  // alternating pixels: about 33 KB of run-length data each

// The stream, written once to a temporary file that is removed at exit.
class BenchStream {
 public:
  BenchStream() {
    Bytes pixels(size_t(kWidth) * kHeight);
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = uint8_t(1 + (i + i / kWidth) % 2);
    const PgImage image = pgImageFrom(0, 960, kWidth, kHeight, pixels);
    PgStream pg;
    for (uint32_t i = 0; i < kSubtitles; ++i) pg.show(90000 + i * 270000, image).clear(90000 + i * 270000 + 180000);
    path_ = (std::filesystem::temp_directory_path() / ("marrowby-bench-" + std::to_string(::getpid()) + ".sup")).string();
    std::ofstream out(path_, std::ios::binary);
    out.write(reinterpret_cast<const char*>(pg.bytes().data()), std::streamsize(pg.size()));
    size_ = pg.size();
  }
  ~BenchStream() { std::filesystem::remove(path_); }
  const std::string& path() const { return path_; }
  size_t size() const { return size_; }

 private:
  std::string path_;
  size_t size_ = 0;
};

const BenchStream& stream() {
  static const BenchStream s;
  return s;
}

void readSup(benchmark::State& state, bool details) {
  const BenchStream& s = stream();
  Host host;
  App app(host);
  app.ui.eSUPfile.text = s.path();
  app.ui.cbDetails.checked = details;
  for (auto _ : state) {
    if (details) app.clearLog();
    bReadSUPClick(app);
    if (app.subs.size() != kSubtitles) state.SkipWithError("the stream did not load whole");
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(s.size()));
  state.counters["subtitles"] = double(app.subs.size());
}

void BM_ReadSupBluRay(benchmark::State& state) { readSup(state, false); }
void BM_ReadSupBluRayDetailed(benchmark::State& state) { readSup(state, true); }
}  // namespace

BENCHMARK(BM_ReadSupBluRay)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReadSupBluRayDetailed)->Unit(benchmark::kMillisecond)->UseRealTime();
