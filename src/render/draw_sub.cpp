#include "render/draw_sub.h"

#include "app/app.h"
#include "text/text_lines.h"

void DrawSub(App& app, int n) {
  Controls& ui = app.ui;
  // A number beyond the list is no subtitle: the selector's range may lag behind the list.
  if (n > int(app.subs.size())) n = 0;
  app.curSub = n - 1;
  if (n < 1) {
    ui.lStartEnd.caption.clear();
    ui.ieSubs.enabled = false;
    ui.mSubtext.enabled = false;
    ui.mSubtext.lines.clear();
    ui.rgFont.enabled = false;
    ui.bOCR.enabled = false;
    return;
  }
  const TSUP& s = app.subs[size_t(app.curSub)];
  ui.lStartEnd.caption = s.startTime + " - " + s.endTime;
  ui.ieSubs.enabled = true;
  ui.mSubtext.enabled = true;
  TxtToLines(app, s.text);
}
