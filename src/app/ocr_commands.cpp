#include "app/ocr_commands.h"

#include <algorithm>

#include "app/app.h"
#include "app/command_guards.h"
#include "app/subtitle_display.h"
#include "app/subtitle_selector.h"
#include "app/tesseract_reading.h"
#include "model/file_error.h"
#include "ocr/corrections.h"

namespace {
bool inList(const App& app, int n) { return n >= 1 && n <= int(app.subs.size()); }

// Draws subtitle n for recognition and recognises it with the chosen engine. A stream file
// that went away since it was read ends the command with its message.
void recognise(App& app, int n) {
  app.ocrRender = true;
  try {
    showSubtitle(app, n);
    recogniseDrawn(app, n);
  } catch (const FileError& e) {
    app.erlog(e.what());
  }
  app.ocrRender = false;
  // The font choice shows the reading at once, also for a subtitle never read before, whose
  // drawing left the choice off.
  if (inList(app, n) && app.subs[size_t(n - 1)].fontMode <= fmItalic) {
    app.ui.rgFont.itemIndex = app.subs[size_t(n - 1)].fontMode;
    app.ui.rgFont.enabled = true;
  }
}

// The first subtitle with unknown glyphs from `from` towards `to` (inclusive), or 0.
int findError(const App& app, int from, int to) {
  const int step = from <= to ? 1 : -1;
  for (int i = from; inList(app, i) && (step > 0 ? i <= to : i >= to); i += step)
    if (app.subs[size_t(i - 1)].textOk == 0) return i;
  return 0;
}

void jumpToError(App& app, int from, int to) {
  if (const int i = findError(app, from, to)) {
    setSubsText(app, std::to_string(i));
    recognise(app, i);
  }
  app.ui.PageControl.activePage = pgImage;
}

}  // namespace

void bOCRClick(App& app) {
  if (refusedWhileBusy(app)) return;
  recognise(app, app.ui.ieSubs.value());
  app.srtDirty = true;
}

void bNextClick(App& app) {
  if (refusedWhileBusy(app)) return;
  const int number = app.ui.ieSubs.value();
  if (number < int(app.subs.size())) jumpToError(app, number + 1, int(app.subs.size()));
  else app.ui.PageControl.activePage = pgImage;
}

void bPrevClick(App& app) {
  if (refusedWhileBusy(app)) return;
  const int number = app.ui.ieSubs.value();
  if (number > 1) jumpToError(app, std::min(number - 1, int(app.subs.size())), 1);
  else app.ui.PageControl.activePage = pgImage;
}

void rgFontClick(App& app) {
  if (app.inUpdate || refusedWhileBusy(app)) return;
  const int n = app.ui.ieSubs.value();
  if (!inList(app, n)) return;
  app.subs[size_t(n - 1)].fontMode = uint8_t(app.ui.rgFont.itemIndex);
  if (app.ocrRender) return;  // a recognition is setting the choice
  recognise(app, n);
}

void ieMULChange(App& app) {
  app.ui.ieMUL.clamp();
  app.skew.mul = app.ui.ieMUL.value();
}

void ieDIVChange(App& app) {
  app.ui.ieDIV.clamp();
  app.skew.div = app.ui.ieDIV.value();
}

void coLangChange(App& app) {
  const CorrectionTable* table = languageTable(app.ui.coLang.itemIndex);
  if (!table || app.subs.empty()) return;
  if (!app.host.askYesNo("Do you want to apply the dictionary now?")) return;
  for (TSUP& s : app.subs) applyTable(*table, s.text);
}
