// "OCR all" with the Tesseract engine over a long stream of real lettering: the film sample
// repeated, read on every core. Beside it, in the same run, one `tesseract` command reads the
// same line pictures from a list file with OpenMP held to one thread (OMP_THREAD_LIMIT=1) and
// the settings the library is given (a single line, 300 dpi, no inverted second reading).
// Rates are subtitles per second of wall time; each reports its character error rate against
// the film's text and the processor seconds it took, every thread counted ("cpu_s": for the
// command its child process), which says what each costs on a machine shared with other work. BM_LineHeight reads the film once on one thread at each height of the line
// pictures: the measure behind the height the program gives Tesseract.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/app.h"
#include "app/ocr_commands.h"
#include "app/settings_table.h"
#include "app/subtitle_display.h"
#include "ocr/line_words.h"
#include "ocr/ocr.h"
#include "ocr/tesseract_reader.h"
#include "app/stream_loading.h"
#include "app/subtitle_display.h"
#include "support/character_errors.h"
#include "support/generated_stream.h"
#include "support/sintel_text.h"
#include "text/cp1252.h"

namespace {
constexpr int kRepeats = 20;
const size_t kSubtitles = kRepeats * kSintelText.size();

std::string fileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The sample's segments kRepeats times over, in one file.
const std::string& longStream() {
  static const std::string path = [] {
    const std::string bytes = fileText(kSintelStream);
    const std::string out = benchFolder() + "/sintel-x" + std::to_string(kRepeats) + ".sup";
    std::ofstream file(out, std::ios::binary);
    for (int i = 0; i < kRepeats; ++i) file << bytes;
    return out;
  }();
  return path;
}

std::vector<std::string> wantedTexts() {
  std::vector<std::string> want;
  for (int i = 0; i < kRepeats; ++i) want.insert(want.end(), kSintelText.begin(), kSintelText.end());
  return want;
}

bool readLongStream(App& app, benchmark::State& state) {
  if (!std::filesystem::exists(kSintelStream)) {
    state.SkipWithError("the film sample is not there");
    return false;
  }
  app.ui.eSUPfile.text = longStream();
  bReadSUPClick(app);
  if (app.subs.size() != kSubtitles) {
    state.SkipWithError("the long stream does not read");
    return false;
  }
  return true;
}

// Processor seconds of this process's threads, or of its ended child processes.
double processorSeconds(int who) {
  rusage use{};
  getrusage(who, &use);
  auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
  return seconds(use.ru_utime) + seconds(use.ru_stime);
}

void BM_OcrAllTesseract(benchmark::State& state) {
  Host host;
  App app{host};
  if (!readLongStream(app, state)) return;
  applySetting(app, *findSetting("Engine"), int32_t(engTesseract));
  const double cpuBefore = processorSeconds(RUSAGE_SELF);
  for (auto _ : state) {
    for (TSUP& s : app.subs) s.fontMode = fmUnrecognised;
    bOCRallClick(app);
  }
  state.counters["cpu_s"] = (processorSeconds(RUSAGE_SELF) - cpuBefore) / double(state.iterations());
  std::vector<std::string> got;
  for (const TSUP& s : app.subs) got.push_back(s.text);
  state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(kSubtitles));
  state.counters["error%"] = errorRate(wantedTexts(), got, false);
}
BENCHMARK(BM_OcrAllTesseract)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1)->Repetitions(3);

void BM_LineHeight(benchmark::State& state) {
  Host host;
  App app{host};
  if (!std::filesystem::exists(kSintelStream)) return state.SkipWithError("the film sample is not there");
  app.ui.eSUPfile.text = kSintelStream;
  bReadSUPClick(app);
  std::string problem;
  const std::unique_ptr<LineReader> reader = openTesseract("eng", problem);
  if (!reader) return state.SkipWithError(problem.c_str());
  const int lineHeight = int(state.range(0));
  std::vector<std::string> got;
  app.ocrRender = true;
  for (auto _ : state) {
    got.clear();
    for (int n = 1; n <= int(app.subs.size()); ++n) {
      showSubtitle(app, n);
      AssembledText text;
      for (const LinePicture& line : linePictures(app.subs[size_t(n - 1)], app.subFormat, app, app, lineHeight)) {
        if (!text.text.empty()) text.text += '|';
        const std::vector<WordBox> words = reader->readLine(line);
        appendLineText(text, wordCells(words, [](const WordBox&) { return false; }), false);
      }
      got.push_back(text.text);
    }
  }
  app.ocrRender = false;
  state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(app.subs.size()));
  state.counters["error%"] = errorRate(kSintelText, got, false);
}
BENCHMARK(BM_LineHeight)->DenseRange(16, 72, 8)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);

// The line pictures of every subtitle as PGM files and the list file naming them in order;
// the number of lines of each subtitle.
struct LineFiles {
  std::string list;
  std::vector<int> linesPerSubtitle;
};

void writePgm(const std::string& path, const LinePicture& line) {
  std::ofstream out(path, std::ios::binary);
  out << "P5\n" << line.width << " " << line.height << "\n255\n";
  out.write(reinterpret_cast<const char*>(line.grey.data()), std::streamsize(line.grey.size()));
}

LineFiles writeLineFiles(App& app) {
  LineFiles files;
  const std::string folder = benchFolder() + "/lines";
  std::filesystem::create_directories(folder);
  files.list = folder + "/list.txt";
  std::ofstream list(files.list);
  app.ocrRender = true;
  int written = 0;
  for (int n = 1; n <= int(app.subs.size()); ++n) {
    showSubtitle(app, n);
    const std::vector<LinePicture> lines = linePictures(app.subs[size_t(n - 1)], app.subFormat, app, app);
    files.linesPerSubtitle.push_back(int(lines.size()));
    for (const LinePicture& line : lines) {
      const std::string path = folder + "/line" + std::to_string(written++) + ".pgm";
      writePgm(path, line);
      list << path << "\n";
    }
  }
  app.ocrRender = false;
  return files;
}

// The command's output: each page's text followed by a form feed.
std::vector<std::string> commandTexts(const std::string& output, const std::vector<int>& linesPerSubtitle) {
  std::vector<std::string> pages;
  size_t from = 0;
  for (size_t ff; (ff = output.find('\f', from)) != std::string::npos; from = ff + 1) {
    std::string page = output.substr(from, ff - from);
    while (!page.empty() && (page.back() == '\n' || page.back() == ' ')) page.pop_back();
    pages.push_back(utf8ToCp1252(page));
  }
  std::vector<std::string> texts;
  size_t p = 0;
  for (int count : linesPerSubtitle) {
    std::string text;
    for (int i = 0; i < count && p < pages.size(); ++i, ++p) text += (i ? "|" : "") + pages[p];
    texts.push_back(text);
  }
  return texts;
}

void BM_TesseractCommand(benchmark::State& state) {
  Host host;
  App app{host};
  if (!readLongStream(app, state)) return;
  const LineFiles files = writeLineFiles(app);
  const std::string out = benchFolder() + "/command";
  const std::string command = "OMP_THREAD_LIMIT=1 tesseract " + files.list + " " + out +
                              " --psm 7 --dpi 300 -c tessedit_do_invert=0 > " + out + ".log 2>&1";
  const double cpuBefore = processorSeconds(RUSAGE_CHILDREN);
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) {
      state.SkipWithError("the tesseract command failed");
      return;
    }
  }
  state.counters["cpu_s"] = (processorSeconds(RUSAGE_CHILDREN) - cpuBefore) / double(state.iterations());
  state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(kSubtitles));
  state.counters["error%"] =
      errorRate(wantedTexts(), commandTexts(fileText(out + ".txt"), files.linesPerSubtitle), false);
}
BENCHMARK(BM_TesseractCommand)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1)->Repetitions(3);
}  // namespace
