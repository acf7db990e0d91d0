#include "app/bitmap_export.h"

#include <sys/stat.h>

#include <memory>
#include <optional>

#include "app/app.h"
#include "app/command_guards.h"
#include "app/drawing_of.h"
#include "model/file_error.h"
#include "app/long_operation.h"
#include "app/subtitle_selector.h"
#include "export/authoring_scripts.h"
#include "app/output_folder.h"
#include "export/timecode.h"
#include "model/file_names.h"
#include "export/png_writers.h"
#include "readers/stream_file.h"
#include "render/bmp_file.h"
#include "app/subtitle_display.h"
#include "render/index_image.h"
#include "render/picture_files.h"

namespace {
std::string progressLine(const std::string& fileName, size_t n, size_t total, const std::string& remaining) {
  return "Writing " + fileName + " (" + std::to_string(n) + "/" + std::to_string(total) + ") Remaining time: " +
         remaining;
}
}  // namespace

std::string pictureFolder(const App& app) { return outputFolder(app) + fileNameOf(sourcePath(app)) + ".bitmaps/"; }

void bSaveBMPClick(App& app) {
  if (refusedWhileBusy(app) || refusedEmptyList(app, "No subtitles to save.")) return;
  Controls& ui = app.ui;
  app.slog("Saving bitmaps", 0);
  ui.PageControl.activePage = pgStatus;
  ui.ProgressBar.position = 0;
  ui.showProgress(true);
  LongOperation op(app);
  app.savingBitmaps = true;

  const size_t total = app.subs.size();
  const DayTime start = localNow();
  const std::string folder = pictureFolder(app);
  ::mkdir(folder.c_str(), 0777);  // one level; an existing folder is used as it is
  app.log2("Saving subpicture bitmaps to " + folder);

  bool failed = false;
  try {
    std::optional<AuthoringScripts> scripts;
    if (ui.cbBDN.checked) {
      ScriptValues v;
      v.title = app.fromTrack() ? app.srcName : CutExt(fileNameOf(sourcePath(app)));
      v.sourceName = fileNameOf(ui.eSUPfile.text);
      v.rateItem = ui.rgFrame.itemIndex;
      v.reduced = ui.cb720p.checked;
      v.count = total;
      if (total > 0) {
        v.firstStart = app.subs.front().startPts;
        v.lastEnd = app.subs.back().endPts;
      }
      scripts.emplace(folder, v);
    }
    ui.ProgressBar.max = int(total);
    // The bitmap is the display picture, composed over the index image; a PNG needs only the
    // index image, and goes to the writers while the next subtitle is drawn.
    Drawing drawing = drawingOf(app);
    const std::unique_ptr<StreamFile> stream = openListStream(drawing);
    const DisplaySize size = listDisplaySize(drawing);
    PngWriters pngs;
    for (size_t n = 0; n <= total; ++n) {
      app.host.pump();
      app.outBase = folder + pictureName(n);
      if (ui.cbBMP.checked) {
        showSubtitle(app, int(n));
        writeBmp(app.outBase + ".bmp", app.display);
      } else {
        drawIndexImage(drawing, int(n), stream.get(), &size);
      }
      if (ui.cbPNG.checked) {
        const PngPicture p = subPngPicture(drawing);
        pngs.write(app.outBase + ".png", p.pixels, p.palette, p.transparency);
      }
      ui.ProgressBar.position = int(n);
      app.setTitle("Marrowby - Saving bitmaps " + std::to_string(total ? n * 100 / total : 100) + "%");
      if (scripts) {
        if (n == 0) {
          scripts->writeEmptyEvent();
        } else {
          scripts->writeSubtitle(n, app.subs[n - 1]);
          app.slog("Subtitle: " + std::to_string(n) + "/" + std::to_string(total) +
                       " Remaining time: " + remainingTime(start, int(n), int(total)),
                   1);
        }
      }
      if (n >= 1 && ui.cbBMP.checked)
        app.slog(progressLine(fileNameOf(app.outBase) + ".bmp", n, total, remainingTime(start, int(n), int(total))), 1);
      if (n >= 1 && ui.cbPNG.checked)
        app.slog(progressLine(fileNameOf(app.outBase) + ".png", n, total, remainingTime(start, int(n), int(total))), 1);
      if (app.cancelReq) break;
    }
    pngs.finish();
    // After a cancel too, so that the BDN file stays well-formed.
    if (scripts) scripts->finish();
  } catch (const FileError& e) {
    failed = true;
    app.erlog(e.what());
  }

  ui.showProgress(false);
  app.setTitle(kProgramName);
  op.finish();
  app.savingBitmaps = false;
  showFirstSubtitle(app);
  if (failed) {
    app.cancelReq = false;
    app.log("");
    return;
  }
  app.slog2("Ready", "");
  if (!app.cancelReq) app.logn("Done.");
  app.cancelReq = false;
  app.log("");
}
