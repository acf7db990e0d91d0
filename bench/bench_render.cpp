// DrawSub over every subtitle of a generated 3,000-subtitle Blu-ray stream (areas of about
// 1000 x 120 pixels): as the Blu-ray export draws them (exportBD) and as "Save bitmaps" does
// (savingBitmaps, with no picture format checked so that no file is written). Reports
// subtitles per second.
#include <benchmark/benchmark.h>

#include "app/app.h"
#include "app/subtitle_display.h"
#include "support/generated_stream.h"

namespace {
enum Mode { kExportBD = 0, kSavingBitmaps = 1 };

void BM_DrawEverySubtitle(benchmark::State& state) {
  Host host;
  App app(host);
  if (!loadGeneratedStream(app, state)) return;
  if (state.range(0) == kExportBD) {
    app.exportBD = true;
  } else {
    app.savingBitmaps = true;
    app.ui.cbPNG.checked = app.ui.cbBMP.checked = false;
  }
  for (auto _ : state)
    for (int n = 1; n <= kGeneratedSubtitles; ++n) showSubtitle(app, n);
  state.counters["subtitles/s"] =
      benchmark::Counter(double(state.iterations()) * kGeneratedSubtitles, benchmark::Counter::kIsRate);
}
}  // namespace

BENCHMARK(BM_DrawEverySubtitle)->ArgName("savingBitmaps")->Arg(kExportBD)->Arg(kSavingBitmaps)
    ->Unit(benchmark::kMillisecond)->UseRealTime();
