#include "ocr/ocr_commands.h"

#include <algorithm>
#include <limits>

#include "app/app.h"
#include "app/file_error.h"
#include "app/subtitle_selector.h"
#include "app/tesseract_reading.h"
#include "render/draw_sub.h"

namespace {
// Draws subtitle n for recognition and recognises it with the chosen engine. A stream file
// that went away since it was read ends the command with its message.
void recognise(App& app, int n) {
  app.ocrRender = true;
  try {
    DrawSub(app, n);
    recogniseDrawn(app, n);
  } catch (const FileError& e) {
    app.erlog(e.what());
  }
  app.ocrRender = false;
}

bool inList(const App& app, int n) { return n >= 1 && n <= int(app.subs.size()); }

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

void clampBox(TIntEdit& box, int low, int high = std::numeric_limits<int32_t>::max()) {
  const int v = box.value();
  if (v < low) box.setValue(low);
  else if (v > high) box.setValue(high);
}
}  // namespace

void bOCRClick(App& app) {
  recognise(app, app.ui.ieSubs.value());
  app.srtDirty = true;
}

void bNextClick(App& app) {
  const int number = app.ui.ieSubs.value();
  if (number < int(app.subs.size())) jumpToError(app, number + 1, int(app.subs.size()));
  else app.ui.PageControl.activePage = pgImage;
}

void bPrevClick(App& app) {
  const int number = app.ui.ieSubs.value();
  if (number > 1) jumpToError(app, std::min(number - 1, int(app.subs.size())), 1);
  else app.ui.PageControl.activePage = pgImage;
}

void rgFontClick(App& app) {
  if (app.inUpdate) return;
  const int n = app.ui.ieSubs.value();
  if (!inList(app, n)) return;
  app.subs[size_t(n - 1)].fontMode = uint8_t(app.ui.rgFont.itemIndex);
  if (app.ocrRender) return;  // a recognition is setting the choice
  recognise(app, n);
}

void ieCutLevelChange(App& app) { clampBox(app.ui.ieCutLevel, 1, 255); }

void ieMULChange(App& app) {
  clampBox(app.ui.ieMUL, 1);
  app.skew.mul = app.ui.ieMUL.value();
}

void ieDIVChange(App& app) {
  clampBox(app.ui.ieDIV, 1);
  app.skew.div = app.ui.ieDIV.value();
}
