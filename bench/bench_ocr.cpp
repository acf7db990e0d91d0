// "OCR all" over a Blu-ray stream of 3,000 subtitles of ordinary sentences (one or two lines,
// some italic), made as a user would make one: generated SRT cues imported with the letter
// sheet and exported as Blu-ray, then read. Each round recognises the whole list afresh. The
// rate counts subtitles per second of processor time: recognition is one thread that waits
// for nothing (the stream is mapped and in the page cache), so on a machine shared with
// other builds the processor time is the figure that says what a user waits.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/app.h"
#include "app/stream_export.h"
#include "app/ocr_commands.h"
#include "app/stream_loading.h"
#include "app/letter_sheet_load.h"
#include "app/srt_loading.h"

namespace {
constexpr int kSubtitles = 3000;

const std::vector<std::string> kSubjects = {"I",        "We",   "The doctor", "My brother", "Nobody",
                                            "Everybody", "Jack", "Your father", "She",       "They"};
const std::vector<std::string> kVerbs = {"found",   "never saw", "wants",   "brought", "remembers",
                                         "paid for", "lost",      "checked", "opened",  "forgot"};
const std::vector<std::string> kObjects = {"the keys",       "42 letters",   "the old car", "my phone",
                                           "the money",      "a small boat", "the window",  "7 tickets",
                                           "the last train", "your jacket"};
const std::vector<std::string> kEndings = {".", "!", "?", ", right?", " again.", " yesterday.", " at 9:30."};

std::string srtTime(long long ms) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02lld:%02lld:%02lld,%03lld", ms / 3600000, ms / 60000 % 60, ms / 1000 % 60,
                ms % 1000);
  return buf;
}

// Deterministic sentences: the same stream every run.
std::string sentence(uint32_t& seed) {
  const auto pick = [&seed](const std::vector<std::string>& words) -> const std::string& {
    seed = seed * 1103515245u + 12345u;
    return words[(seed >> 16) % words.size()];
  };
  const std::string& subject = pick(kSubjects);
  const std::string& verb = pick(kVerbs);
  const std::string& object = pick(kObjects);
  return subject + " " + verb + " " + object + pick(kEndings);
}

std::string generatedSrt() {
  std::string srt;
  uint32_t seed = 1;
  for (int i = 0; i < kSubtitles; ++i) {
    std::string text = sentence(seed);
    if (i % 3 == 1) text.append("\n").append(sentence(seed));
    if (i % 7 == 3) text.insert(0, "<i>").append("</i>");
    const long long start = 1000 + (long long)i * 3000;
    srt += std::to_string(i + 1) + "\n" + srtTime(start) + " --> " + srtTime(start + 2500) + "\n" + text + "\n\n";
  }
  return srt;
}

// The stream, written once to a temporary file that is removed at exit.
class BenchStream {
 public:
  BenchStream() {
    path_ = (std::filesystem::temp_directory_path() / ("marrowby-bench-ocr-" + std::to_string(::getpid()) + ".sup"))
                .string();
    Host host;
    App app{host};
    loadLetterSheet(app, MARROWBY_DATA_DIR);
    importSrt(app, generatedSrt());
    bExportClick(app, path_);
    if (!app.lastError.empty() || app.subs.size() != size_t(kSubtitles))
      throw std::runtime_error("the benchmark stream could not be made: " + app.lastError);
  }
  ~BenchStream() { std::filesystem::remove(path_); }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

const BenchStream& benchStream() {
  static const BenchStream stream;
  return stream;
}

void BM_OcrAll(benchmark::State& state) {
  Host host;
  App app{host};
  app.ui.eSUPfile.text = benchStream().path();
  bReadSUPClick(app);
  if (app.subs.size() != size_t(kSubtitles)) {
    state.SkipWithError("the benchmark stream does not read");
    return;
  }
  app.ui.coLang.itemIndex = 1;  // "English"
  app.ui.cbTags.checked = true;
  for (auto _ : state) {
    state.PauseTiming();
    for (TSUP& s : app.subs) s.fontMode = fmUnrecognised;
    state.ResumeTiming();
    bOCRallClick(app);
  }
  state.SetItemsProcessed(state.iterations() * kSubtitles);
  state.counters["chars"] = double(app.totalChars);
}
BENCHMARK(BM_OcrAll)->Unit(benchmark::kMillisecond)->MinTime(2.0);
}  // namespace
