#include "app/tesseract_reading.h"

#include <algorithm>
#include <thread>

#include "app/app.h"
#include "app/recognition_panel.h"
#include "ocr/ocr.h"
#include "ocr/tesseract_reader.h"
#include "ocr/word_reading.h"

namespace {
int engine(const App& app) { return app.ui.coEngine.itemIndex; }

// Recognises subtitle n, just drawn for recognition, with the rules and shows the reading;
// returns whether there was a line to read.
bool readWithRules(App& app, int n) {
  if (n < 1 || n > int(app.subs.size())) return false;
  app.curSub = n - 1;
  const ReadingStored stored = ocr(app.subs[size_t(n - 1)], app.subFormat, app, app, ocrOptions(app));
  showReading(app, n, stored);
  return stored != ReadingStored::nothing;
}

// Tesseract for the calling thread, opened when the language changed; null when it cannot
// be opened, with the reason in the log the first time.
LineReader* callingThreadReader(App& app) {
  const std::string& language = app.ui.eOcrLang.text;
  if (app.tesseract && app.tesseractLanguage == language) return app.tesseract.get();
  app.tesseract.reset();
  std::string problem;
  std::unique_ptr<LineReader> reader = openTesseract(language, problem);
  if (!reader) {
    if (problem != app.tesseractProblem) app.log("[re]" + problem + " The rules read alone.[/re]");
    app.tesseractProblem = problem;
    return nullptr;
  }
  app.tesseract = std::move(reader);
  app.tesseractLanguage = language;
  app.tesseractProblem.clear();
  return app.tesseract.get();
}

// Whether the rules' reading of subtitle s, just recognised, stands. Not when it holds an
// unknown glyph; and not when the rules read most of the list's subtitles with unknown
// glyphs so far: that lettering is not the face they know, and on it a short subtitle can
// read whole and wrong ("Scales!" as "6co:es:").
bool rulesReadingStands(App& app, const TSUP& s) {
  auto& record = app.rulesRecord;
  if (record.list != app.srcName) record = {app.srcName};
  ++(s.textOk ? record.whole : record.broken);
  return s.textOk && record.broken <= record.whole;
}

// The first reading of subtitle n, just drawn for recognition: the rules' unless the engine
// is Tesseract. Returns the line pictures Tesseract is to read when the engine asks for it
// and `tesseract` may be asked, else none. A subtitle left to Tesseract keeps its style
// choice for Tesseract's reading to decide; should Tesseract not be there after all, the
// rules read it.
std::vector<LinePicture> readFirst(App& app, int n, bool tesseract) {
  if (n < 1 || n > int(app.subs.size())) return {};
  TSUP& s = app.subs[size_t(n - 1)];
  const uint8_t fontBefore = s.fontMode;
  if (!tesseract || engine(app) == engRules) {
    readWithRules(app, n);
    return {};
  }
  if (engine(app) == engAuto) {
    if (!readWithRules(app, n) || rulesReadingStands(app, s)) return {};
    s.fontMode = fontBefore;
  }
  return linePictures(s, app.subFormat, app, app);
}

void storeTesseractReading(App& app, int n, const std::vector<LinePicture>& lines,
                           const std::vector<std::vector<WordBox>>& words) {
  if (n < 1 || n > int(app.subs.size())) return;
  TSUP& s = app.subs[size_t(n - 1)];
  const OcrOptions options = ocrOptions(app);
  SubtitleReading reading = wordReading(lines, words, s.fontMode, options.insertTags);
  showReading(app, n, storeReading(s, std::move(reading), options.language));
}

// Subtitles handed to the workers and not stored yet, at most: enough to keep every worker
// busy while the batch draws the next one.
size_t maxAhead() { return 4 * size_t(std::max(1u, std::thread::hardware_concurrency())); }
}  // namespace

void recogniseDrawn(App& app, int n) {
  const std::vector<LinePicture> lines = readFirst(app, n, true);
  if (lines.empty()) return;
  LineReader* reader = callingThreadReader(app);
  if (!reader) {
    readWithRules(app, n);  // the rules read alone
    return;
  }
  std::vector<std::vector<WordBox>> words;
  for (const LinePicture& line : lines) words.push_back(reader->readLine(line));
  storeTesseractReading(app, n, lines, words);
}

BatchReader::BatchReader(App& app) : app_(app) {}

BatchReader::~BatchReader() = default;

void BatchReader::recogniseDrawn(int n) {
  std::vector<LinePicture> lines = readFirst(app_, n, tesseract_);
  if (lines.empty()) return;
  if (!pool_) {
    // Opening one on this thread first tells whether the workers can have theirs.
    tesseract_ = callingThreadReader(app_) != nullptr;
    if (!tesseract_) {
      readWithRules(app_, n);  // the rules read alone
      return;
    }
    const int workers = int(std::max(1u, std::thread::hardware_concurrency()));
    pool_ = std::make_unique<ReadingPool>(workers, [language = app_.tesseractLanguage] {
      std::string problem;
      return openTesseract(language, problem);
    });
  }
  pool_->submit(n, std::move(lines));
}

void BatchReader::storeRead() {
  if (!pool_) return;
  storeDone(std::chrono::milliseconds(0));
  while (pool_->pending() >= maxAhead() && !app_.cancelReq) {
    storeDone(std::chrono::milliseconds(50));
    app_.host.pump();
  }
}

void BatchReader::finish() {
  while (pool_ && pool_->pending() > 0) {
    storeDone(std::chrono::milliseconds(50));
    app_.host.pump();
  }
  pool_.reset();
}

void BatchReader::storeDone(std::chrono::milliseconds wait) {
  while (auto r = pool_->takeOldest(wait)) storeTesseractReading(app_, r->id, r->lines, r->words);
}
