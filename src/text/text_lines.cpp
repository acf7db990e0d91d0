#include "text/text_lines.h"

#include <algorithm>

#include "app/app.h"
#include "app/command_guards.h"
#include "render/draw_line.h"
#include "app/subtitle_display.h"
#include "text/text_file_lines.h"

std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t bar; (bar = text.find('|', start)) != std::string::npos; start = bar + 1)
    lines.push_back(text.substr(start, bar - start));
  lines.push_back(text.substr(start));
  return lines;
}

std::string LinesToTxt(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& line : lines) {
    if (!out.empty()) out += '|';
    out += line;
  }
  return out;
}

void TxtToLines(App& app, const std::string& text) {
  TMemo& memo = app.ui.mSubtext;
  memo.visible = false;
  const bool wasUpdating = app.inUpdate;
  app.inUpdate = true;  // the refill is no edit: it must not lock the subtitle
  memo.lines = splitLines(text);
  app.inUpdate = wasUpdating;
  memo.visible = true;
}

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
  centreTextBlock(app, s.win[0], lines);
  showSubtitle(app, app.curSub + 1);
}
