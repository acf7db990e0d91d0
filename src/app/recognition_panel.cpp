#include "app/recognition_panel.h"

#include <string>

#include "app/app.h"
#include "app/subtitle_display.h"

OcrOptions ocrOptions(const App& app) {
  const Controls& ui = app.ui;
  OcrOptions options;
  options.spaceWidth = ui.ieSpaceWidth.value();
  options.spaceWmin = ui.ieSpaceWmin.value();
  options.insertTags = ui.cbTags.checked;
  options.markCells = ui.Image.visible;
  options.language = ui.coLang.itemIndex;
  return options;
}

void showReading(App& app, int n, ReadingStored stored) {
  if (stored == ReadingStored::nothing) return;
  const TSUP& s = app.subs[size_t(n - 1)];
  Controls& ui = app.ui;
  ui.ieSubs.text = std::to_string(n);
  ui.udSubs.position = n;
  ui.rgFont.itemIndex = s.fontMode;
  if (stored == ReadingStored::recordAndText) TxtToLines(app, s.text);
}
