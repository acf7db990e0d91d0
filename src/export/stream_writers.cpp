#include "export/stream_writers.h"

#include <algorithm>

#include "app/app.h"
#include "model/output_file.h"
#include "export/export_areas.h"
#include "export/export_order.h"
#include "export/pg_stream_writer.h"
#include "export/sp_packet_writer.h"
#include "export/timecode.h"
#include "readers/stream_file.h"
#include "render/display_size.h"
#include "app/index_image.h"

namespace {
std::string progressText(size_t done, size_t total, DayTime start) {
  return "Subtitle: " + std::to_string(done) + "/" + std::to_string(total) +
         " Remaining time: " + remainingTime(start, int(done), int(total));
}

uint8_t rateCodeOf(const App& app) {
  const int item = app.ui.rgFrame.itemIndex;
  return frameRateCodes[item >= 0 && item < kFrameRateItems ? size_t(item) : 0];
}

void clearStreamBuf(App& app) { std::fill(app.streamBuf.begin(), app.streamBuf.end(), uint8_t(0)); }

// The subtitles to write, with a line in the log for each one left out, moved or cut.
std::vector<ExportItem> writtenSubtitles(App& app) {
  std::vector<std::string> notes;
  std::vector<ExportItem> items = exportOrder(app.subs, notes);
  for (const std::string& note : notes) {
    app.logn(note);
    app.log("");
  }
  return items;
}
}  // namespace

void expBD(App& app, const std::string& fileName) {
  clearStreamBuf(app);
  const DayTime start = localNow();
  const std::vector<ExportItem> items = writtenSubtitles(app);
  const std::unique_ptr<StreamFile> stream = openListStream(app);
  OutputFile file(fileName);
  // The stream keeps the size of the picture its subtitles are placed on.
  const DisplaySize size = listDisplaySize(app);
  PGStreamWriter writer(app.streamBuf, file, rateCodeOf(app), size);
  std::vector<EncodeArea> areas;
  // The list is read afresh each turn: the window runs between subtitles.
  for (size_t k = 0; k < items.size(); ++k) {
    app.pslog(progressText(k + 1, items.size(), start), int(k));
    app.host.pump();
    const ExportItem& item = items[k];
    if (item.index >= app.subs.size()) break;
    drawIndexImage(app, int(item.index + 1), stream.get(), &size);
    const TSUP& s = app.subs[item.index];
    areas.clear();
    for (int j : drawnAreas(app.subFormat, s)) areas.push_back(encodeArea(app.subFormat, s.win[size_t(j)]));
    writer.write(item.startPts, item.endPts, s.palCount, areas, app, app.indexImage);
    if (app.cancelReq) break;
  }
  file.commit();
}

void expHD(App& app, const std::string& fileName) {
  clearStreamBuf(app);
  const DayTime start = localNow();
  const std::vector<ExportItem> items = writtenSubtitles(app);
  const std::unique_ptr<StreamFile> stream = openListStream(app);
  const DisplaySize size = listDisplaySize(app);
  OutputFile file(fileName);
  BitBuffer out(app.streamBuf);
  for (size_t k = 0; k < items.size(); ++k) {
    app.slog(progressText(k + 1, items.size(), start), 1);
    app.ui.ProgressBar.position = int(k);
    app.host.pump();
    const ExportItem& item = items[k];
    if (item.index >= app.subs.size()) break;
    drawIndexImage(app, int(item.index + 1), stream.get(), &size);
    const TSUP& s = app.subs[item.index];
    const std::vector<int> drawn = drawnAreas(app.subFormat, s);
    const EncodeArea area = hdArea(app.subFormat, s, drawn);
    clearOutsideWindows(app.indexImage, app.palAlpha, app.subFormat, s, drawn, area);
    putSPPacket(out, item.startPts, item.endPts, area, app, app.indexImage);
    file.write(out.bytes().data(), out.bytes().size());
    out.restart();
    if (app.cancelReq) break;
  }
  file.commit();
}
