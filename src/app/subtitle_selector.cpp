#include "app/subtitle_selector.h"

#include <algorithm>

#include "app/app.h"
#include "app/command_guards.h"
#include "model/file_error.h"
#include "app/subtitle_display.h"

void ieSubsChange(App& app) {
  // A run draws its own subtitles: another drawn in between would land in its files.
  if (refusedWhileBusy(app)) return;
  Controls& ui = app.ui;
  const int v = ui.ieSubs.value();
  if (v >= 1 && v <= ui.udSubs.max) {
    ui.udSubs.position = v;
    try {
      showSubtitle(app, v);
    } catch (const FileError& e) {
      app.erlog(e.what());  // the stream file went away or shrank since it was read
    }
  }
  if (app.subFormat != sfDVD) {
    ui.bPrev.enabled = v > 1;
    ui.bNext.enabled = v < int(app.subs.size());
  }
}

void cbLockClick(App& app) {
  if (refusedWhileBusy(app)) return;
  if (app.curSub >= 0 && size_t(app.curSub) < app.subs.size())
    app.subs[size_t(app.curSub)].locked = app.ui.cbLock.checked ? 1 : 0;
}

void redrawShown(App& app) {
  if (refusedWhileBusy(app) || app.curSub < 0 || size_t(app.curSub) >= app.subs.size()) return;
  try {
    showSubtitle(app, app.curSub + 1);
  } catch (const FileError& e) {
    app.erlog(e.what());
  }
}

void CheckBox1Click(App& app) { redrawShown(app); }

void setSubsText(App& app, const std::string& text) {
  if (app.ui.ieSubs.text == text) return;
  app.ui.ieSubs.text = text;
  ieSubsChange(app);
}

void setSubsPosition(App& app, int position) {
  if (refusedWhileBusy(app)) return;
  TUpDown& ud = app.ui.udSubs;
  ud.position = std::max(ud.min, std::min(position, ud.max));
  setSubsText(app, std::to_string(ud.position));
}

void showFirstSubtitle(App& app) {
  const bool wasOne = app.ui.ieSubs.text == "1";
  setSubsPosition(app, 2);
  setSubsPosition(app, 1);
  // With a single subtitle neither move changes a selector that already read 1; it is drawn
  // all the same, or the picture of the former list (or of the last export) would stay.
  if (wasOne && app.ui.udSubs.max < 2) ieSubsChange(app);
}
