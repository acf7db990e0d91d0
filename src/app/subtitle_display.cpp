#include "app/subtitle_display.h"

#include <algorithm>

#include "app/app.h"
#include "app/drawing_of.h"
#include "render/draw_sub.h"
#include "model/text_lines.h"

namespace {
std::string areaCaption(const TSUPWin& w) {
  return "(" + std::to_string(w.x1) + ", " + std::to_string(w.y1) + ") - (" + std::to_string(w.x2) + ", " +
         std::to_string(w.y2) + ")";
}
bool hasSecondArea(const TSUP& s) { return s.win[1].x2 > s.win[1].x1; }

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
  if (!app.exportBD && !app.exportHD) {
    ui.lArea.caption = areaCaption(s.win[0]);
    ui.lMaxline.caption = "/ " + std::to_string(ui.udSubs.max);
    ui.lArea2.caption = hasSecondArea(s) ? areaCaption(s.win[1]) : "";
  }
  if (app.subFormat != sfDVD) ui.bOCR.enabled = true;
}
}  // namespace

void TxtToLines(App& app, const std::string& text) {
  TMemo& memo = app.ui.mSubtext;
  memo.visible = false;
  const bool wasUpdating = app.inUpdate;
  app.inUpdate = true;  // the refill is no edit: it must not lock the subtitle
  memo.lines = splitLines(text);
  app.inUpdate = wasUpdating;
  memo.visible = true;
}

void showSubtitle(App& app, int n) {
  Drawing d = drawingOf(app);
  // A number beyond the list is no subtitle: the selector's range may lag behind the list.
  if (n < 1 || n > int(app.subs.size())) {
    DrawSub(d, 0);
    clearPanel(app.ui);
    return;
  }
  DrawSub(d, n, [&](const TSUP& s) { fillPanel(app, s); });
}
