#include "app/srt_loading.h"

#include <algorithm>

#include "app/app.h"
#include "app/command_guards.h"
#include "app/command_progress.h"
#include "app/long_operation.h"
#include "app/recent_files.h"
#include "app/subtitle_display.h"
#include "app/subtitle_selector.h"
#include "model/file_error.h"
#include "model/file_names.h"
#include "readers/stream_file.h"
#include "render/glyph_tables.h"
#include "text/cp1252.h"
#include "text/srt_cues.h"
#include "text/srt_import.h"
#include "text/text_decoding.h"
#include "text/text_file_lines.h"

namespace {
const char* const kOpenSrtTitle = "Open SubRip subtile (SRT)";
const char* const kOpenSrtFilter = "SRT (SubRip subtitle)|*.srt";

std::string viewLine(std::u32string_view line) {
  std::string out(line.size(), '?');
  for (size_t i = 0; i < line.size(); ++i) out[i] = char(unicodeToCp1252(line[i]));
  return out;
}

// Why a file gave no subtitle, when it was read to its end.
std::string noCueReason(const App& app, const std::vector<std::u32string>& lines) {
  const std::string name = fileNameOf(app.srcName);
  const bool anyTimeLine = std::any_of(lines.begin(), lines.end(), [](const std::u32string& l) {
    return asciiOf(l).find("-->") != std::string::npos;
  });
  if (!anyTimeLine)
    return "No subtitle in " + name + ": it holds no time line such as 00:00:01,000 --> 00:00:02,500.";
  return "No subtitle in " + name + ": none of its cues can be shown (see above).";
}

// Ends the import whatever stopped it: the SRT view shows what was read, the buttons and the
// busy state are back to idle, and subtitle 1 is drawn.
void finishImport(App& app, size_t stoppedAt) {
  Controls& ui = app.ui;
  std::vector<std::string>& view = ui.mSRT.lines;
  // The view ends with the last line read; the blank line that ended the last cue goes too.
  size_t keep = std::min(stoppedAt, view.size());
  if (keep > 0 && trimLine(view[keep - 1]).empty()) --keep;
  view.resize(keep);

  const int count = int(app.subs.size());
  app.slog2("Ready.", "");
  app.logn(std::to_string(count) + " subtitles loaded.");
  app.log2("");
  ui.udSubs.max = count;

  ui.mSRT.visible = true;
  ui.showProgress(false);
  app.cancelReq = false;
  ui.bReadSUP.enabled = true;
  ui.bOCRall.enabled = false;
  ui.bExport.enabled = true;
  ui.bSaveBMP.enabled = true;
  // An empty list has nothing to save or export, and the picture of a former list must go.
  if (count == 0) {
    disableListCommands(ui);
    setSubsText(app, "0");
    showSubtitle(app, 0);
    return;
  }
  showFirstSubtitle(app);
}
}  // namespace

void importSrt(App& app, std::string_view bytes) {
  Controls& ui = app.ui;
  const DecodedText decoded = decodeText(bytes);
  const std::vector<std::u32string> lines = splitTextLines(decoded.text);
  ui.eSUPfile.text.clear();
  app.forgetSource();
  app.caption = programCaption();
  ui.lSRTfile.caption = app.srcName;
  ui.mSRT.lines.clear();
  for (const std::u32string& line : lines) ui.mSRT.lines.push_back(viewLine(line));
  ui.mSRT.visible = false;
  app.log2("Loading " + fileNameOf(app.srcName));
  // In place of the empty line, which the count at the end takes the place of in turn.
  app.logn(std::string("Text encoding: ") + encodingName(decoded.encoding) + ".");
  app.log("");
  app.slog("Loading...", 0);
  app.subFormat = sfSRT;
  // The text stands on the 1920 x 1080 canvas, whatever a DVD list before left the display at.
  app.displayWidth = kCanvasWidth;
  app.displayHeight = kCanvasHeight;
  app.host.repaint();

  ui.ProgressBar.position = 0;
  ui.showProgress(true);
  LongOperation op(app);
  app.subs.clear();

  size_t stoppedAt = lines.size();
  bool cancelled = false, failed = false;
  try {
    CommandProgress progress(app);
    stoppedAt = importSrtLines({app.subs, ui.mSRT.lines, app, app.displayWidth, ui.ieSpacing.value(), app, progress},
                               lines);
    cancelled = app.cancelReq;
  } catch (const std::exception& e) {
    // Out of memory on a huge file: reported, and the window is not left busy with a list
    // whose areas are not placed.
    app.erlog(e.what());
    app.subs.clear();
    failed = true;
  }
  // The list is new: what its commands may do is set afresh after the run.
  op.finish();
  finishImport(app, stoppedAt);
  app.srtDirty = false;  // the SRT view shows the imported file itself
  // Cancelling is no failure; a file read to its end without a single cue is.
  if (app.subs.empty() && !cancelled && !failed) app.erlog(noCueReason(app, lines));
}

void ReadSRT(App& app) {
  if (refusedWhileBusy(app)) return;
  if (app.letterSheet.empty()) {
    app.erlog(std::string(sheetFileName(app.ui.coLetters.itemIndex)) +
              " not found! You cannot import .srt files without it.");
    return;
  }
  std::string bytes;
  try {
    StreamFile file(app.srcName);
    const auto all = file.take(file.size());
    bytes.assign(all.begin(), all.end());
  } catch (const FileError& e) {
    app.erlog(e.what());  // the list stays as it was
    return;
  }
  importSrt(app, bytes);
  if (!app.subs.empty()) rememberFile(app.ui, app.srcName);
}

void bOpenSRTClick(App& app) {
  if (refusedWhileBusy(app)) return;
  const auto chosen = app.host.openFile(kOpenSrtTitle, kOpenSrtFilter, "");
  if (!chosen || chosen->empty()) return;
  app.srcName = *chosen;
  ReadSRT(app);
}
