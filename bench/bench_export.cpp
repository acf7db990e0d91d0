// "Export sup" of a generated 3,000-subtitle Blu-ray stream to Blu-ray and to HD DVD: every
// subtitle is drawn (palette, run-length decoding) and encoded again. Reports subtitles per
// second.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "app/app.h"
#include "app/output_file.h"
#include "export/pg_stream_writer.h"
#include "export/stream_export.h"
#include "readers/stream_loading.h"
#include "render/colour.h"

namespace {
constexpr int kSubtitles = 3000;

// Two lines of letter-like strokes with a dark outline, different for every subtitle.
void paintSubtitle(IndexImage& img, const EncodeArea& a, uint32_t seed) {
  for (int y = a.y1; y < a.y2; ++y)
    for (int x = a.x1; x < a.x2; ++x) {
      const int row = (y - a.y1) % 55, cell = (x - a.x1) / 18, col = (x - a.x1) % 18;
      const bool letter = row < 44 && ((seed * 2654435761u) >> (cell % 29) & 1);
      uint8_t c = 0;
      if (letter && ((col >= 4 && col <= 7) || (row % 22 >= 9 && row % 22 <= 12 && col < 14))) c = 1;
      else if (letter && (col == 3 || col == 8)) c = 2;
      img.set(x, y, c);
    }
}

// The input stream, written once with the program's own Blu-ray writer.
const std::string& inputStream() {
  static const std::string path = [] {
    std::string dir = (std::filesystem::temp_directory_path() / "marrowby-bench-XXXXXX").string();
    if (!::mkdtemp(dir.data())) std::abort();
    const std::string file = dir + "/generated.sup";
    auto img = std::make_unique<IndexImage>();
    PaletteState pal;
    pal.palRGB[1] = 0xFFFFFF;
    pal.palAlpha[1] = 255;
    pal.palRGB[2] = 0x101010;
    pal.palAlpha[2] = 255;
    std::vector<uint8_t> buf(kStreamBufSize);
    OutputFile out(file);
    PGStreamWriter writer(buf, out, 1);
    const EncodeArea area{610, 920, 1310, 1030};
    for (int i = 0; i < kSubtitles; ++i) {
      paintSubtitle(*img, area, uint32_t(i + 1));
      TSUP s;
      s.startPts = uint32_t(90000 * (3 * i + 1));
      s.endPts = s.startPts + 180000;
      s.palCount = 3;
      writer.write(s, {area}, pal, *img);
    }
    out.commit();
    return file;
  }();
  return path;
}

void BM_Export(benchmark::State& state) {
  Host host;
  App app(host);
  app.ui.eSUPfile.text = inputStream();
  bReadSUPClick(app);
  if (app.subs.size() != size_t(kSubtitles)) {
    state.SkipWithError("the generated stream did not read back");
    return;
  }
  app.ui.rgFormat.itemIndex = int(state.range(0));
  const std::string out = inputStream() + ".out.sup";
  for (auto _ : state) bExportClick(app, out);
  if (!app.lastError.empty()) state.SkipWithError(app.lastError.c_str());
  state.counters["subtitles/s"] =
      benchmark::Counter(double(state.iterations()) * kSubtitles, benchmark::Counter::kIsRate);
  std::filesystem::remove(out);
}
}  // namespace

BENCHMARK(BM_Export)->ArgName("HDDVD")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
