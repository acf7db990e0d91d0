#include "ocr/tesseract_reader.h"

#include <algorithm>
#include <cctype>

#ifdef MARROWBY_TESSERACT
#include <dlfcn.h>
#include <tesseract/baseapi.h>
#include <tesseract/resultiterator.h>
#endif

namespace {
// The codes of a language setting, in order.
std::vector<std::string> languageCodes(const std::string& language) {
  std::vector<std::string> codes(1);
  for (char c : language) {
    if (c == '+') codes.emplace_back();
    else codes.back() += c;
  }
  return codes;
}
}  // namespace

bool validLanguageCode(const std::string& language) {
  for (const std::string& code : languageCodes(language)) {
    if (code.empty() || code.size() > 32) return false;
    for (char c : code)
      if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') return false;
  }
  return true;
}

std::string languagePackages(const std::string& language) {
  std::string packages;
  for (std::string code : languageCodes(language)) {
    for (char& c : code) c = c == '_' ? '-' : char(std::tolower(static_cast<unsigned char>(c)));
    packages += (packages.empty() ? "" : " ") + ("tesseract-ocr-" + code);
  }
  return packages;
}

#ifdef MARROWBY_TESSERACT
namespace {
// Tesseract runs parts of its line reading as OpenMP parallel regions. Several readers on
// every core are the parallelism here; threads of their own would only contend for the same
// cores and spin while they wait. Zero active levels makes every region run on the thread
// that enters it. The setting belongs to the calling thread, so each reading thread makes it.
// It is looked up at run time: the OpenMP runtime is whichever one the library brought.
void oneOpenMpThread() {
  using SetLevels = void (*)(int);
  if (auto set = reinterpret_cast<SetLevels>(dlsym(RTLD_DEFAULT, "omp_set_max_active_levels"))) set(0);
}

// Line pictures carry no resolution; this one makes the picture's line height that of
// ordinary printed text, which keeps the library from guessing one (and saying so).
constexpr int kResolution = 300;

class TesseractReader : public LineReader {
 public:
  // Loads the language data; returns the codes of `language` that have none (all of them
  // when the library loads nothing). Given several codes, the library loads the ones it
  // finds and reads with those; here a missing one is a problem all the same.
  std::string open(const std::string& language) {
    oneOpenMpThread();
    std::vector<std::string> loaded;
    if (api_.Init(nullptr, language.c_str(), tesseract::OEM_DEFAULT) == 0) api_.GetLoadedLanguagesAsVector(&loaded);
    std::string missing;
    for (const std::string& code : languageCodes(language))
      if (std::find(loaded.begin(), loaded.end(), code) == loaded.end()) missing += (missing.empty() ? "" : "+") + code;
    api_.SetPageSegMode(tesseract::PSM_SINGLE_LINE);
    // The pictures are always dark on light: no second reading of the line inverted.
    api_.SetVariable("tessedit_do_invert", "0");
    return missing;
  }

  std::vector<WordBox> readLine(const LinePicture& line) override {
    std::vector<WordBox> words;
    if (line.width <= 0 || line.height <= 0 || line.grey.size() != size_t(line.width) * size_t(line.height))
      return words;
    oneOpenMpThread();
    api_.SetImage(line.grey.data(), line.width, line.height, 1, line.width);
    api_.SetSourceResolution(kResolution);
    if (api_.Recognize(nullptr) != 0) return words;
    const std::unique_ptr<tesseract::ResultIterator> it(api_.GetIterator());
    if (!it || it->Empty(tesseract::RIL_WORD)) return words;
    do {
      const std::unique_ptr<char[]> text(it->GetUTF8Text(tesseract::RIL_WORD));
      int left = 0, top = 0, right = 0, bottom = 0;
      if (text && it->BoundingBox(tesseract::RIL_WORD, &left, &top, &right, &bottom))
        words.push_back({text.get(), left, right - 1});
    } while (it->Next(tesseract::RIL_WORD));
    return words;
  }

 private:
  tesseract::TessBaseAPI api_;
};
}  // namespace

std::unique_ptr<LineReader> openTesseract(const std::string& language, std::string& problem) {
  if (!validLanguageCode(language)) {
    problem = "\"" + language + "\" is not a Tesseract language (such as eng, fra or eng+fra).";
    return nullptr;
  }
  auto reader = std::make_unique<TesseractReader>();
  const std::string missing = reader->open(language);
  if (missing.empty()) return reader;
  problem = "Tesseract has no language data for \"" + missing + "\": install " + languagePackages(missing) + ".";
  return nullptr;
}
#else
std::unique_ptr<LineReader> openTesseract(const std::string&, std::string& problem) {
  problem = "This build has no Tesseract: install libtesseract-dev and tesseract-ocr-eng and build again.";
  return nullptr;
}
#endif
