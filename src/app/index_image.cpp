#include "app/index_image.h"


#include "app/app.h"
#include "app/text_canvas.h"
#include "readers/stream_file.h"
#include "render/palette_builder.h"
#include "render/rle_decode.h"
#include "text/text_lines.h"

namespace {
bool exporting(const App& app) { return app.exportBD || app.exportHD; }

// Black-and-white pictures ("OCR") are saved pictures only: a stream export keeps the colours.
void startIndexImage(App& app) {
  IndexImage& img = app.indexImage;
  if (img.width() != app.displayWidth || img.height() != app.displayHeight)
    img.resize(app.displayWidth, app.displayHeight, 0);
  img.reset(!exporting(app) && app.ui.cbOCR.checked ? app.idxDark : app.idxClear);
  img.palette = app.palRGB;
  img.transparency = app.palAlpha;
}

// The lines of an SRT subtitle, drawn from the letter sheet; but for an export, the area's
// rows become the rows the letters ink.
void drawText(App& app, TSUP& s) {
  app.italicOn = false;
  const TSUPWin before = s.win[0];
  if (!exporting(app)) {
    s.win[0].y1 = 1079;
    s.win[0].y2 = 0;
  }
  const std::vector<std::string> lines = splitLines(s.text);
  const int m = int(lines.size());
  // lineCount and the text are kept equal; should they differ, only the text's lines exist.
  const int count = std::min(s.lineCount, m);
  for (int i = 0; i < count; ++i) DrawLine(textCanvas(app), lines[size_t(i)], (m - i) & 0xFF, app.curSub);
  // Text that inks nothing (spaces only) keeps the rows it had rather than an upside-down area.
  if (s.win[0].y1 > s.win[0].y2) {
    s.win[0].y1 = before.y1;
    s.win[0].y2 = before.y2;
  }
}
}  // namespace

void drawSubtitlePixels(App& app, TSUP& s, const StreamFile* file, bool indexOnly) {
  startIndexImage(app);
  if (file) decodeSubtitle(app, *file, s, indexOnly);
  else drawText(app, s);
}

std::unique_ptr<StreamFile> openListStream(const App& app) {
  if (app.subFormat == sfSRT) return nullptr;
  return std::make_unique<StreamFile>(openListStream(app, app.ui.eSUPfile.text));
}

DisplaySize listDisplaySize(const App& app) {
  if (app.subFormat == sfSRT) return {app.displayWidth, app.displayHeight};
  // A DVD track's index may name the size its pictures were made for.
  const DisplaySize named =
      app.subFormat == sfDVD && app.dvdIndex ? DisplaySize{app.dvdIndex->width, app.dvdIndex->height} : DisplaySize{};
  return displaySizeOf(app.subFormat, app.subs, named);
}

void drawIndexImage(App& app, int n, const StreamFile* file, const DisplaySize* listSize) {
  if (n > int(app.subs.size())) n = 0;
  app.curSub = n - 1;
  if (n < 1) {
    IndexImage& img = app.indexImage;
    if (img.width() != app.displayWidth || img.height() != app.displayHeight)
      img.resize(app.displayWidth, app.displayHeight, 0);
    img.transparency.fill(0);
    return;
  }
  TSUP& s = app.subs[size_t(app.curSub)];
  std::unique_ptr<StreamFile> own;
  if (app.subFormat == sfSRT) file = nullptr;
  else if (!file) file = (own = openListStream(app)).get();
  setpal(app, app.curSub, file, listSize);
  drawSubtitlePixels(app, s, file, true);
}
