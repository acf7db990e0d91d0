// Picture files: one full-size palette PNG of a subtitle (about 1000 x 120 pixels of text on
// a transparent 1920 x 1080 canvas) written with several encoder settings, reporting the
// file size; and "Save bitmaps" over a 1,500-subtitle list with PNG checked, full size and
// reduced to 1280 x 720, reporting pictures per second.
#include <benchmark/benchmark.h>
#include <png.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/app.h"
#include "app/bitmap_export.h"
#include "app/stream_loading.h"
#include "app/subtitle_display.h"
#include "render/png_file.h"
#include "support/generated_stream.h"

namespace {
constexpr size_t kSavedSubtitles = 1500;

// MARROWBY_BENCH_SUP=FILE writes subtitle 1 of that stream instead, to compare with real
// anti-aliased pictures.
void BM_WritePng(benchmark::State& state) {
  Host host;
  App app(host);
  if (const char* other = std::getenv("MARROWBY_BENCH_SUP")) {
    app.ui.eSUPfile.text = other;
    bReadSUPClick(app);
    if (app.subs.empty()) return state.SkipWithError("MARROWBY_BENCH_SUP holds no subtitle");
  } else if (!loadGeneratedStream(app, state)) {
    return;
  }
  showSubtitle(app, 1);
  const PngSettings settings{int(state.range(0)), int(state.range(1)), int(state.range(2))};
  const std::string path = benchFolder() + "/picture.png";
  for (auto _ : state)
    writePalettePng(path, app.indexImage, app.indexImage.palette, app.indexImage.transparency, settings);
  state.counters["bytes"] = double(std::filesystem::file_size(path));
}

void BM_SaveBitmaps(benchmark::State& state) {
  Host host;
  App app(host);
  if (!loadGeneratedStream(app, state)) return;
  app.subs.resize(kSavedSubtitles);
  app.ui.udSubs.max = int(kSavedSubtitles);
  app.ui.eWorkDir.text = benchFolder();
  app.ui.cbPNG.checked = true;
  app.ui.cb720p.checked = state.range(0) != 0;
  for (auto _ : state) bSaveBMPClick(app);
  if (!app.lastError.empty()) state.SkipWithError(app.lastError.c_str());
  // Pictures 0 (empty) to 1,500.
  state.counters["pictures/s"] =
      benchmark::Counter(double(state.iterations()) * double(kSavedSubtitles + 1), benchmark::Counter::kIsRate);
}
}  // namespace

BENCHMARK(BM_WritePng)
    ->ArgNames({"filter", "level", "strategy"})
    ->ArgsProduct({{0, PNG_FILTER_SUB, PNG_FILTER_UP, PNG_ALL_FILTERS}, {1, 6, 9}, {0, 3}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_SaveBitmaps)->ArgName("720p")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
