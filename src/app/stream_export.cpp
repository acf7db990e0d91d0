#include "app/stream_export.h"

#include "app/app.h"
#include "app/command_guards.h"
#include "app/command_progress.h"
#include "app/drawing_of.h"
#include "model/file_error.h"
#include "app/long_operation.h"
#include "app/subtitle_selector.h"
#include "app/output_folder.h"
#include "export/stream_writers.h"
#include "export/timecode.h"
#include "model/file_names.h"

std::string exportFileName(const App& app) {
  const uint8_t code = frameRateCode(app.ui.rgFrame.itemIndex);
  const char* format = app.ui.rgFormat.itemIndex == 0 ? "BD" : "HDDVD";
  // A track's name ("movie.track3") has no extension to take away.
  const std::string base = app.fromTrack() ? app.srcName : CutExt(fileNameOf(app.srcName));
  return base + "." + format + "." + frameRateNames[code] + ".sup";
}

void bExportClick(App& app, const std::string& outPath) {
  // An empty list would write an empty stream over the export of the list before.
  if (refusedWhileBusy(app) || refusedEmptyList(app, "No subtitles to export.")) return;
  Controls& ui = app.ui;
  const std::string name = outPath.empty() ? outputFolder(app) + exportFileName(app) : outPath;
  const bool blurayFormat = ui.rgFormat.itemIndex == 0;
  app.exportBD = blurayFormat;
  app.exportHD = !blurayFormat;
  ui.PageControl.activePage = pgStatus;
  ui.ProgressBar.max = int(app.subs.size());
  app.log2("Exporting subtitle stream: " + name);
  app.slog("Exporting...", 0);
  LongOperation op(app);
  ui.ProgressBar.position = 0;
  ui.showProgress(true);

  std::string failure;
  try {
    Drawing d = drawingOf(app);
    if (blurayFormat) {
      CommandProgress progress(app, CommandProgress::Title::percent);
      expBD(d, name, frameRateCode(ui.rgFrame.itemIndex), app, progress);
    } else {
      CommandProgress progress(app);
      expHD(d, name, app, progress);
    }
  } catch (const FileError& e) {
    failure = e.what();
  }

  ui.showProgress(false);
  op.finish();
  app.exportBD = false;
  app.exportHD = false;
  app.setTitle(kProgramName);
  showFirstSubtitle(app);
  if (!failure.empty()) {
    // Last, so that the message stays in the log and the status bar.
    app.erlog(failure);
    return;
  }
  app.slog2("Ready", "");
  if (!app.cancelReq) app.logn("Done.");
  app.log("");
}
