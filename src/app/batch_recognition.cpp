// "OCR all": every subtitle not recognised yet, with progress, a time estimate, totals and
// the letter statistic.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/app.h"
#include "app/command_guards.h"
#include "app/long_operation.h"
#include "app/ocr_commands.h"
#include "app/subtitle_display.h"
#include "app/subtitle_selector.h"
#include "app/tesseract_reading.h"
#include "export/timecode.h"
#include "model/file_error.h"
#include "ocr/letter_statistic.h"

namespace {
// The batch shows times as h:mm:ss, without a leading zero on the hours.
std::string shortHours(std::string hhmmss) {
  if (hhmmss.size() == 8 && hhmmss[0] == '0') hhmmss.erase(0, 1);
  return hhmmss;
}

std::string elapsedText(DayTime start) {
  const double ms = std::max(0.0, (localNow() - start) * 86400000.0);
  const long long s = std::llround(ms) / 1000;
  char buf[32];
  std::snprintf(buf, sizeof buf, "%lld:%02lld:%02lld", s / 3600, s / 60 % 60, s % 60);
  return buf;
}
}  // namespace

void bOCRallClick(App& app) {
  if (refusedWhileBusy(app) || refusedEmptyList(app, "No subtitles to recognize.")) return;
  Controls& ui = app.ui;
  app.ocrRender = true;
  app.srtDirty = true;
  ui.ProgressBar.position = 0;
  ui.showProgress(true);
  app.inUpdate = true;
  ui.Image.visible = false;
  ui.mSRT.visible = false;
  ui.bNext.enabled = false;
  ui.bPrev.enabled = false;

  app.log2("Converting bitmaps to text");
  app.slog("OCRing...", 0);
  const DayTime start = localNow();

  ui.PageControl.activePage = pgStatus;
  const int N = int(app.subs.size());
  LongOperation op(app);
  app.totalLines = 0;
  app.totalChars = 0;
  ui.ProgressBar.max = N;

  BatchReader reader(app);
  bool completed = true;
  int last = 0;  // the subtitles up to this one count in the totals
  for (int n = 1; n <= N; ++n) {
    app.host.pump();
    last = n;
    TSUP& s = app.subs[size_t(n - 1)];
    if (s.fontMode == fmUnrecognised) {
      try {
        showSubtitle(app, n);
        reader.recogniseDrawn(n);
      } catch (const FileError& e) {
        app.erlog(e.what());  // the stream file went away: the batch ends as if cancelled
        completed = false;
        last = n - 1;
        break;
      }
      app.slog("Subtitle: " + std::to_string(n) + "/" + std::to_string(N) +
                   " Remaining time: " + shortHours(remainingTime(start, n, N)),
               1);
      ui.ProgressBar.position = n;
      app.setTitle(std::string(kProgramName) + " - OCRing " + std::to_string((long long)n * 100 / N) + "%");
    }
    reader.storeRead();
    if (app.cancelReq) {
      completed = false;
      break;
    }
  }
  reader.finish();
  for (int n = 1; n <= last; ++n) {
    app.totalLines += app.subs[size_t(n - 1)].lineCount;
    app.totalChars += app.subs[size_t(n - 1)].charCount;
  }

  app.log(std::to_string(app.totalLines) + " lines, " + std::to_string(app.totalChars) + " characters recognized.");
  // slog2 empties the last log line: an empty line keeps the time from being wiped.
  app.log2("OCR time: " + elapsedText(start));
  app.slog2("Making statistic", "");
  // A guess with a dictionary selects it as the program's own choice: no offer to apply it now.
  if (const int language = languageStatistic(app.subs, app.totalChars, app)) app.ui.coLang.itemIndex = language;

  app.ocrRender = false;
  ui.Image.visible = true;
  ui.mSRT.visible = true;
  app.inUpdate = false;
  app.slog2("Ready", "");
  if (completed) app.logn("Done.");
  app.log("");

  // Every command gets back the state it had: the list is the same as before the run.
  op.finish();
  app.cancelReq = false;
  showFirstSubtitle(app);
  ui.PageControl.activePage = pgImage;
  ui.showProgress(false);
  app.setTitle(kProgramName);
  if (app.subFormat != sfDVD) ui.bNext.enabled = true;
}
