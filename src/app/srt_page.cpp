#include "app/srt_page.h"

#include "app/app.h"
#include "app/command_guards.h"
#include "app/command_progress.h"
#include "model/file_error.h"
#include "text/srt_export.h"

void SUP2Srt(App& app) {
  Controls& ui = app.ui;
  app.slog("Creating SRT", 0);
  app.slog("", 1);
  ui.ProgressBar.position = 0;
  ui.ProgressBar.max = 100;
  ui.showProgress(true);
  app.host.repaint();

  ui.mSRT.visible = false;
  // The hidden view keeps nothing of the former list while the new text is built.
  ui.mSRT.lines.clear();
  CommandProgress progress(app);
  ui.mSRT.lines = srtTextLines(app.subs, app, progress);
  ui.mSRT.visible = true;
  app.srtDirty = false;
  ui.showProgress(false);
  app.slog("Ready", 0);
  app.slog("", 1);
  mSRTChange(app);
}

void PageControlChange(App& app) {
  if (refusedWhileBusy(app)) return;
  if (app.ui.PageControl.activePage == pgSRT && app.srtDirty) SUP2Srt(app);
}

void mSRTChange(App& app) { app.ui.bSaveSRT.enabled = !app.ui.mSRT.lines.empty() && !app.subs.empty(); }

void bSaveSRTClick(App& app) {
  if (refusedWhileBusy(app) || refusedEmptyList(app, "No subtitles to save.")) return;
  const auto name = app.host.saveFile("Save SubRip subtitle (SRT)", "SRT (subrip)|*.srt", "srt", app.srcName,
                                      app.ui.eWorkDir.text);
  if (!name || name->empty()) return;
  try {
    writeSrtFile(*name, app.ui.mSRT.lines, app.ui.coSrtEncoding.itemIndex);
  } catch (const FileError& e) {
    app.erlog(e.what());
    return;
  }
  app.log2(*name + " subtitle saved.");
}
