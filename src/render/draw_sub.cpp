#include "render/draw_sub.h"

#include <algorithm>

#include "app/app.h"
#include "readers/stream_file.h"
#include "render/bmp_file.h"
#include "render/compose.h"
#include "app/index_image.h"
#include "render/palette_builder.h"
#include "app/text_lines.h"

namespace {
constexpr PackedColor kDisplayBackground = 0x313233;

bool exporting(const App& app) { return app.exportBD || app.exportHD; }
bool displayRender(const App& app) { return !app.savingBitmaps && !app.ocrRender && !exporting(app); }

std::string areaCaption(const TSUPWin& w) {
  return "(" + std::to_string(w.x1) + ", " + std::to_string(w.y1) + ") - (" + std::to_string(w.x2) + ", " +
         std::to_string(w.y2) + ")";
}
bool hasSecondArea(const TSUP& s) { return s.win[1].x2 > s.win[1].x1; }

template <typename T>
void sizePlane(Plane<T>& p, int w, int h, T fill) {
  if (p.width() != w || p.height() != h) p.resize(w, h, fill);
}

// The overlay starts black and transparent; every picture takes the display size.
void startPictures(App& app) {
  const int w = app.displayWidth, h = app.displayHeight;
  if (app.overlay.width() != w || app.overlay.height() != h) app.overlay.resize(w, h, 0);
  else app.overlay.reset(0);
  sizePlane(app.display, w, h, Rgb{});
  sizePlane<uint8_t>(app.ocrMask, w, h, 0);
}

// No subtitle: nothing of the one shown before stays, and nothing offers to act on it.
void clearPanel(Controls& ui) {
  for (TLabel* l : {&ui.lStartEnd, &ui.lArea, &ui.lArea2, &ui.lMaxline}) l->caption.clear();
  ui.ieSubs.enabled = false;
  ui.mSubtext.enabled = false;
  ui.mSubtext.lines.clear();
  ui.cbLock.enabled = false;
  ui.cbLock.checked = false;
  ui.rgFont.enabled = false;
  for (TButton* b : {&ui.bOCR, &ui.bPrev, &ui.bNext}) b->enabled = false;
}

void fillPanel(App& app, const TSUP& s) {
  Controls& ui = app.ui;
  ui.lStartEnd.caption = s.startTime + " - " + s.endTime;
  ui.ieSubs.enabled = true;
  ui.mSubtext.enabled = true;
  ui.sbImage.vertPosition = std::max(0, int(s.win[0].y1) - 10);  // a scroll box stops at its top
  const bool wasUpdating = app.inUpdate;
  if (!wasUpdating && s.fontMode < 3) {
    app.inUpdate = true;
    ui.rgFont.itemIndex = s.fontMode;
    ui.rgFont.enabled = true;
  }
  ui.cbLock.checked = s.locked != 0;
  ui.cbLock.enabled = true;
  app.inUpdate = wasUpdating;
  TxtToLines(app, s.text);
  if (!exporting(app)) {
    ui.lArea.caption = areaCaption(s.win[0]);
    ui.lMaxline.caption = "/ " + std::to_string(ui.udSubs.max);
    ui.lArea2.caption = hasSecondArea(s) ? areaCaption(s.win[1]) : "";
  }
  if (app.subFormat != sfDVD) ui.bOCR.enabled = true;
}

void fillBackground(App& app) {
  if (displayRender(app) && app.ui.cbBack.checked) {
    // A picture smaller than the display leaves the display's own background around it; a
    // larger one is cut at the display's edges.
    app.display.reset(rgbOf(kDisplayBackground));
    loadBmpInto(app.ui.eBackground.text, app.display);
  } else {
    app.display.reset(rgbOf(displayRender(app) ? kDisplayBackground : 0));
  }
}

}  // namespace

void DrawSub(App& app, int n) {
  Controls& ui = app.ui;
  // A number beyond the list is no subtitle: the selector's range may lag behind the list.
  if (n > int(app.subs.size())) n = 0;
  if (n < 1) {
    drawIndexImage(app, 0);
    startPictures(app);
    app.display.reset(Rgb{});
    clearPanel(ui);
  } else {
    app.curSub = n - 1;
    TSUP& s = app.subs[size_t(app.curSub)];
    const std::unique_ptr<StreamFile> file = openListStream(app);
    const bool stream = file != nullptr;
    setpal(app, app.curSub, file.get());
    // Sized after the palette build, so that the first subtitle of a new kind of list is
    // already drawn at its own display size.
    startPictures(app);
    app.ocrMask.reset(0);
    fillPanel(app, s);

    fillBackground(app);
    if (displayRender(app) && ui.cbBorders.checked && stream) {
      drawBorder(app.display, s.win[0].x1, s.win[0].y1, s.win[0].x2, s.win[0].y2, 1);
      if (hasSecondArea(s)) drawBorder(app.display, s.win[1].x1, s.win[1].y1, s.win[1].x2, s.win[1].y2, 1);
    }
    if (displayRender(app) && ui.cbPalette.checked) drawSwatches(app.display, app.overlay, app);
    blendOverlay(app.display, app.overlay);
    drawSubtitlePixels(app, s, file.get(), false);
    if (!stream && displayRender(app) && ui.cbBorders.checked)
      drawBorder(app.display, s.win[0].x1, s.win[0].y1, s.win[0].x2, s.win[0].y2, 0);
    // "OCR all" hides the picture while it runs: recognition reads only the recognition plane,
    // so the subtitle is not composed onto a display nobody sees.
    if (!app.ocrRender || ui.Image.visible) blendOverlay(app.display, app.overlay);
  }
}
