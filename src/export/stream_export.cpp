#include "export/stream_export.h"

#include "app/app.h"
#include "app/file_error.h"
#include "app/subtitle_selector.h"
#include "export/stream_writers.h"
#include "export/timecode.h"
#include "model/file_names.h"

namespace {
// Long commands that would share the renderer and streamBuf with the export: their buttons
// are disabled while it runs (only the page control is disabled otherwise, and "Auto read"
// would start a read from the file chooser) and get their state back afterwards.
struct LongCommandButtons {
  explicit LongCommandButtons(Controls& ui)
      : buttons{&ui.bSaveBMP, &ui.bExport, &ui.bReadSUP, &ui.bOCRall, &ui.bbSUP} {
    for (size_t k = 0; k < buttons.size(); ++k) {
      wasEnabled[k] = buttons[k]->enabled;
      buttons[k]->enabled = false;
    }
  }
  void restore() {
    for (size_t k = 0; k < buttons.size(); ++k) buttons[k]->enabled = wasEnabled[k];
  }
  std::array<TButton*, 5> buttons;
  std::array<bool, 5> wasEnabled{};
};
}  // namespace

std::string exportFileName(const App& app) {
  const int item = app.ui.rgFrame.itemIndex;
  const uint8_t code = frameRateCodes[item >= 0 && item < kFrameRateItems ? size_t(item) : 0];
  const char* format = app.ui.rgFormat.itemIndex == 0 ? "BD" : "HDDVD";
  // A track's name ("movie.track3") has no extension to take away.
  const std::string base = app.fromTrack() ? app.srcName : CutExt(fileNameOf(app.srcName));
  return base + "." + format + "." + frameRateNames[code] + ".sup";
}

void bExportClick(App& app, const std::string& outPath) {
  Controls& ui = app.ui;
  const std::string name = outPath.empty() ? exportFileName(app) : outPath;
  const bool blurayFormat = ui.rgFormat.itemIndex == 0;
  app.exportBD = blurayFormat;
  app.exportHD = !blurayFormat;
  ui.PageControl.activePage = pgStatus;
  ui.PageControl.enabled = false;
  ui.ProgressBar.max = int(app.subs.size());
  app.log2("Exporting subtitle stream: " + name);
  app.slog("Exporting...", 0);
  app.cancelReq = false;
  app.busy = true;
  ui.bCancel.enabled = true;
  LongCommandButtons buttons(ui);
  ui.ProgressBar.position = 0;
  ui.showProgress(true);

  std::string failure;
  try {
    if (blurayFormat)
      expBD(app, name);
    else
      expHD(app, name);
  } catch (const FileError& e) {
    failure = e.what();
  }

  ui.showProgress(false);
  ui.bCancel.enabled = false;
  app.busy = false;
  app.exportBD = false;
  app.exportHD = false;
  ui.PageControl.enabled = true;
  buttons.restore();
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
