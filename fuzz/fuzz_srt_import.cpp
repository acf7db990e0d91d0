// The SRT import on any bytes, and the drawing of what it imported: it must end, leave the
// program idle, keep every area on the canvas, leave the cues in time order without overlaps
// and never touch memory outside an image.
// The first three bytes choose "Last line", "Line spacing" and "Spacing"; the rest is the file.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "app/app.h"
#include "app/option_events.h"
#include "app/srt_loading.h"
#include "app/drawing_of.h"
#include "render/index_image.h"
#include "model/text_lines.h"

namespace {
// A sheet with every level and the background in every glyph box.
GreyImage patternSheet() {
  GreyImage sheet(kSheetMinWidth, kSheetMinHeight, kSheetBackground);
  for (int y = 0; y < sheet.height; ++y)
    for (int x = 0; x < sheet.width; ++x)
      if ((x + y) % 3) sheet.at(x, y) = kSheetLevels[size_t(x * 7 + y) % kSheetLevels.size()];
  return sheet;
}

App& fuzzApp() {
  static Host host;
  static App app(host);
  static const bool ready = [] {
    app.letterSheet = patternSheet();
    app.overlay.resize(app.displayWidth, app.displayHeight, 0);
    return true;
  }();
  (void)ready;
  return app;
}

void check(bool ok) {
  if (!ok) std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  App& app = fuzzApp();
  app.clearLog();
  app.ui.ieLastLine.setValue(int(data[0]) * 5 - 100);
  app.ui.ieLineSpc.setValue(int(int8_t(data[1])));
  app.ui.ieSpacing.setValue(data[2] % 10);
  optionChanged(app, "LastLine");
  importSrt(app, std::string_view(reinterpret_cast<const char*>(data + 3), size - 3));

  check(!app.busy && !app.cancelReq && !app.ui.bCancel.enabled);
  for (const TSUP& s : app.subs) {
    const TSUPWin& w = s.win[0];
    check(s.num >= 0 && !s.text.empty() && s.lineCount == int(splitLines(s.text).size()));
    check(w.x1 <= w.x2 && w.x2 < kCanvasWidth && w.y1 <= w.y2 && w.y2 < kCanvasHeight);
    check(s.startPts < s.endPts);
  }
  // In time order, one on the screen at a time.
  for (size_t n = 1; n < app.subs.size(); ++n) check(app.subs[n - 1].endPts <= app.subs[n].startPts);
  // Every line of the first subtitles drawn for display and for an export.
  for (size_t n = 0; n < app.subs.size() && n < 8; ++n) {
    const std::vector<std::string> lines = splitLines(app.subs[n].text);
    app.exportBD = n % 2 == 1;
    app.italicOn = false;
    for (size_t i = 0; i < lines.size(); ++i)
      DrawLine(textCanvasOf(drawingOf(app)), lines[i], int(lines.size() - i) % 256, int(n));
  }
  app.exportBD = false;
  return 0;
}
