// "OCR all" with the Tesseract engine over a long stream of real lettering: the film sample
// repeated, read on every core. Beside it, in the same run, one `tesseract` command reads the
// same line pictures from a list file with OpenMP held to one thread (OMP_THREAD_LIMIT=1) and
// the settings the library is given (a single line, 300 dpi, no inverted second reading).
// Rates are subtitles per second of wall time; each reports its character error rate against
// the film's text.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/app.h"
#include "app/settings_table.h"
#include "ocr/ocr.h"
#include "ocr/ocr_commands.h"
#include "readers/stream_loading.h"
#include "render/draw_sub.h"
#include "support/generated_stream.h"
#include "support/character_errors.h"
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

void BM_OcrAllTesseract(benchmark::State& state) {
  Host host;
  App app{host};
  if (!readLongStream(app, state)) return;
  applySetting(app, *findSetting("Engine"), int32_t(engTesseract));
  for (auto _ : state) {
    for (TSUP& s : app.subs) s.fontMode = fmUnrecognised;
    bOCRallClick(app);
  }
  std::vector<std::string> got;
  for (const TSUP& s : app.subs) got.push_back(s.text);
  state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(kSubtitles));
  state.counters["error%"] = errorRate(wantedTexts(), got, false);
}
BENCHMARK(BM_OcrAllTesseract)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1)->Repetitions(3);

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
    DrawSub(app, n);
    const std::vector<LinePicture> lines = linePictures(app, n);
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
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) {
      state.SkipWithError("the tesseract command failed");
      return;
    }
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(kSubtitles));
  state.counters["error%"] =
      errorRate(wantedTexts(), commandTexts(fileText(out + ".txt"), files.linesPerSubtitle), false);
}
BENCHMARK(BM_TesseractCommand)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1)->Repetitions(3);
}  // namespace
