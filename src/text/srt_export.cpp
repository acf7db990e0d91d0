#include "text/srt_export.h"

#include <algorithm>
#include <cstdint>

#include "app/app.h"
#include "app/command_guards.h"
#include "model/file_error.h"
#include "model/output_file.h"
#include "model/pts.h"
#include "text/cp1252.h"
#include "text/text_file_lines.h"
#include "text/text_lines.h"

namespace {
// The progress bar moves every this many subtitles.
constexpr size_t kProgressStep = 200;
// How long the last subtitle stays when nothing says when it ends.
constexpr uint32_t kDefaultDuration = 2 * 90000;

void note(App& app, const std::string& text) {
  app.logn(text);
  app.log("");
}

// "start --> end" as stored. A subtitle whose end is unknown (a stream that stops before
// it) would make players drop the file's cues around it: it ends where the next one starts,
// or two seconds after its start when it is the last or the next does not start later.
std::string srtTimeLine(App& app, size_t i) {
  const TSUP& s = app.subs[i];
  const std::string start = s.startTime.empty() ? pts2str(s.startPts) : s.startTime;
  if (!s.endTime.empty()) return start + " --> " + s.endTime;
  const bool nextLater = i + 1 < app.subs.size() && app.subs[i + 1].startPts > s.startPts;
  const uint32_t lastTick = UINT32_MAX;
  const std::string end = pts2str(nextLater ? app.subs[i + 1].startPts
                                            : uint32_t(std::min<uint64_t>(uint64_t(s.startPts) + kDefaultDuration, lastTick)));
  note(app, "Subtitle " + std::to_string(s.num) + " has no end time: it ends at " + end + " in the SRT text.");
  return start + " --> " + end;
}
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
    if (i % kProgressStep == 0) {
      ui.ProgressBar.position = int32_t(i * 100 / N);
      app.host.repaint();
    }
    // A blank line ends a cue for players, and a cue without text is dropped by them.
    std::vector<std::string> lines = splitLines(s.text);
    std::erase_if(lines, [](const std::string& l) { return trimLine(l).empty(); });
    const std::string name = "Subtitle " + std::to_string(s.num);
    if (lines.empty()) {
      note(app, name + " has no text: left out of the SRT text.");
      continue;
    }
    out.push_back(std::to_string(s.num));
    out.push_back(srtTimeLine(app, i));
    for (std::string& line : lines) out.push_back(std::move(line));
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

std::string srtFileText(const std::vector<std::string>& lines, int encoding) {
  std::string text;
  for (const std::string& line : lines) {
    text += line;
    text += "\r\n";
  }
  // With the mark, players that would take the text as their system's code page read UTF-8.
  if (encoding == kSrtUtf8) return "\xEF\xBB\xBF" + cp1252ToUtf8(text);
  return text;
}

void writeSrtFile(const std::string& path, const std::vector<std::string>& lines, int encoding) {
  OutputFile file(path);
  file.write(srtFileText(lines, encoding));
  file.commit();
}

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
