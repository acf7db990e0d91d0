#include "app/text_lines.h"

#include "app/app.h"
#include "app/command_guards.h"
#include "app/subtitle_display.h"
#include "render/draw_line.h"
#include "text/text_file_lines.h"
#include "model/text_lines.h"

void mSubtextChange(App& app) {
  if (app.inUpdate || app.curSub < 0 || size_t(app.curSub) >= app.subs.size() || refusedWhileBusy(app)) return;
  TSUP& s = app.subs[size_t(app.curSub)];
  const std::vector<std::string>& lines = app.ui.mSubtext.lines;
  s.text = LinesToTxt(lines);
  s.lineCount = int32_t(lines.size());
  s.locked = 1;
  app.ui.cbLock.checked = true;
  app.srtDirty = true;
}

void mSubtextExit(App& app) {
  if (app.subFormat != sfSRT || app.curSub < 0 || size_t(app.curSub) >= app.subs.size() || refusedWhileBusy(app))
    return;
  std::vector<std::string>& lines = app.ui.mSubtext.lines;
  TSUP& s = app.subs[size_t(app.curSub)];
  s.lineCount = int32_t(lines.size());
  s.text = LinesToTxt(lines);
  for (std::string& line : lines) {
    line = trimLine(line);
    mSubtextChange(app);
  }
  centreTextBlock(app, app.ui.ieSpacing.value(), app.displayWidth, s.win[0], lines);
  showSubtitle(app, app.curSub + 1);
}
