// "Export sup" of a generated 3,000-subtitle Blu-ray stream to Blu-ray and to HD DVD: every
// subtitle is drawn (palette, run-length decoding) and encoded again. Reports subtitles per
// second.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "app/app.h"
#include "app/stream_export.h"
#include "support/generated_stream.h"

namespace {
void BM_Export(benchmark::State& state) {
  Host host;
  App app(host);
  if (!loadGeneratedStream(app, state)) return;
  app.ui.rgFormat.itemIndex = int(state.range(0));
  const std::string out = benchFolder() + "/export.sup";
  for (auto _ : state) bExportClick(app, out);
  if (!app.lastError.empty()) state.SkipWithError(app.lastError.c_str());
  state.counters["subtitles/s"] =
      benchmark::Counter(double(state.iterations()) * kGeneratedSubtitles, benchmark::Counter::kIsRate);
  std::filesystem::remove(out);
}
}  // namespace

BENCHMARK(BM_Export)->ArgName("HDDVD")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
