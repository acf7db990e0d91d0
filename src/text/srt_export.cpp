#include "text/srt_export.h"

#include "app/app.h"
#include "app/command_guards.h"
#include "app/file_error.h"
#include "app/output_file.h"
#include "text/text_lines.h"

namespace {
// The progress bar moves every this many subtitles.
constexpr size_t kProgressStep = 200;
}  // namespace

void SUP2Srt(App& app) {
  Controls& ui = app.ui;
  app.slog("Creating SRT", 0);
  app.slog("", 1);
  ui.ProgressBar.position = 0;
  ui.ProgressBar.max = 100;
  ui.showProgress(true);
  app.host.repaint();

  ui.mSRT.visible = false;
  std::vector<std::string>& out = ui.mSRT.lines;
  out.clear();
  const size_t N = app.subs.size();
  for (size_t i = 0; i < N; ++i) {
    const TSUP& s = app.subs[i];
    out.push_back(std::to_string(s.num));
    out.push_back(s.startTime + " --> " + s.endTime);
    if (i % kProgressStep == 0) {
      ui.ProgressBar.position = int32_t(i * 100 / N);
      app.host.repaint();
    }
    for (std::string& line : splitLines(s.text)) out.push_back(std::move(line));
    out.emplace_back();
  }
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

std::string srtFileText(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

void writeSrtFile(const std::string& path, const std::vector<std::string>& lines) {
  OutputFile file(path);
  file.write(srtFileText(lines));
  file.commit();
}

void bSaveSRTClick(App& app) {
  if (refusedWhileBusy(app) || refusedEmptyList(app, "No subtitles to save.")) return;
  const auto name = app.host.saveFile("Save SubRip subtitle (SRT)", "SRT (subrip)|*.srt", "srt", app.srcName,
                                      app.ui.eWorkDir.text);
  if (!name || name->empty()) return;
  try {
    writeSrtFile(*name, app.ui.mSRT.lines);
  } catch (const FileError& e) {
    app.erlog(e.what());
    return;
  }
  app.log2(*name + " subtitle saved.");
}
